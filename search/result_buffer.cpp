#include "search/result_buffer.h"

char* resultBuffer = nullptr;
