// Drawing of the result list into the results pane.
#pragma once
#include <windows.h>

// Lays the result buffer out from scrollLine on and writes it; returns 0.
int drawResultList(HDC dc);
