// The dictionary screen in its two header styles: the full header with title, labels,
// status line and footer, and the compact strip with a toolbar of four small buttons.
#pragma once
#include <windows.h>

#include "draw/dictionary_layout.h"

// The whole screen with the full header (frames, header, pane frame, footer, query line).
int paintFullDictionaryScreen(HDC dc);
// Only the header strip and the query line of the full layout, after a language change.
int paintFullHeader(HDC dc);
// The whole screen with the compact header.
int paintCompactDictionaryScreen(HDC dc);
// The compact strip with its four buttons released, and the query line.
int paintCompactToolbar(HDC dc);
// Draws the toolbar button under a press pushed in and returns its code (0 none, 1 search,
// 2 keyboard, 3 options, 4 language).
int compactToolbarHitTest(HDC dc, int x, int y);
// A header control raised at its resting place, or sunken with its caption moved as pressed,
// in fontUi (selected by the caller) and the control's ink.
int drawHeaderControl(HDC dc, const HeaderControl& control, bool pressed);
