// Colour arithmetic of the background canvas: the column gradient and the position-dependent
// colouring of the logo. Portable, so it is checked natively as well as on the canvas.
#pragma once
#include "draw/colours.h"

// Colour of canvas column x (0 to 519): red 240, green and blue rising to column 260 and
// falling again, computed with the single-precision steps the picture was designed with.
Colour canvasGradientColour(int x);

// Colour that the logo pixel at (x, y) takes: red y, green (4 - y) mod 256, blue (x + 6) mod 256.
Colour logoRecolour(int x, int y);
