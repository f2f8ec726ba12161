// Drawing of the query line and the caret position of a click, on a device context.
#pragma once
#include <windows.h>

#include <cstdint>

// Repaints the whole field (frame, fill, text, caret) where the header style puts it.
int drawQueryLine(HDC dc);
// The caret index for a click at client x, measured in the line's font.
int32_t caretIndexAtX(HDC dc, int x);
