// Composition of every paint of the main window from the session state, and the fills of
// the results pane from the background canvas that the scroll keys use as well.
#pragma once
#include <windows.h>

// Steps of a paint after the client size has been taken: the screen, then the pane
// content by view mode when the client area is taller than 200 pixels.
int composeScreen(HDC dc);
// The whole canvas stretched over the results pane: the prompt.
int promptFill(HDC dc);
// The canvas's top band stretched over the results pane: the backdrop of the result list.
int resultsFill(HDC dc);
// The results fill followed by the result list, for a scroll step outside a paint.
int redrawResults(HDC dc);
