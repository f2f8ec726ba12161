// The result buffer: one block that receives the raw bytes of the result file after every
// search. The Win32 start-up allocates it as fixed global memory and frees it at shutdown;
// it stays null when the allocation failed.
#pragma once
#include <cstddef>

constexpr std::size_t kResultBufferSize = 150000;

extern char* resultBuffer;
