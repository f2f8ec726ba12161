// The background canvas, painted once into the kit's canvas DC, and the intro screen drawn
// from it with its information bar and the buttons GO, HELP and LEARN.
#pragma once
#include <windows.h>

// Paints the gradient, the logo and the six words into kit.canvasDc. Creates penCanvasLogo.
int paintBackgroundCanvas();
// The whole intro screen: the canvas spread over the window, the picture, the four controls.
int paintIntroScreen(HDC dc);
// Draws the control under (x, y) pressed and returns its code (IntroCode); the information
// bar also opens intro.doc through the shell.
int introHitTest(HDC dc, int x, int y);
// The four controls raised again with their captions in the action colour, as a release
// leaves them.
int drawIntroControlsReleased(HDC dc);
