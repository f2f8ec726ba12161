// The keyboard support window: the chart of keys and codes, drawn with GDI; a click types the
// code into the dictionary's query line by posting it to the dictionary's main window.
#pragma once
#include <windows.h>

#include "companions/kirvu/keyboard_chart.h"

// The window class of the dictionary's main window, by which the chart finds it.
extern const char kDictionaryClass[];

struct KirvuState {
  KeyboardChart chart;
  HFONT fontGlyph = nullptr;  // the Devanagari display face, for the glyphs
  HFONT fontLabel = nullptr;  // Latin key letters, codes, button labels
  HFONT fontSmall = nullptr;  // the code numbers in the panel
  int hotCode = -1;           // code under the mouse, highlighted; -1 none
  int hotAction = ChartNothing;
  char status[128] = {};
};
extern KirvuState kirvu;

// Draws the whole chart into dc (a window or a memory device context).
void paintKirvuChart(HDC dc);

// Carries out a click's action on the dictionary window: a code as WM_CHAR, Backspace as a
// key press, Enter as the character 13. Returns false when no dictionary window exists.
bool sendToDictionary(const ChartHit& hit);

// Keeps the chart above the dictionary's window whenever that comes to the front (called once
// the chart's window exists; the hook ends with the process).
void keepAboveDictionary(HWND window);

// The window caption, Windows-1251.
const char* kirvuCaption();

LRESULT CALLBACK kirvuWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void onKirvuCreate(HWND window);
void onKirvuPaint(HWND window);
void onKirvuLButtonDown(HWND window, int x, int y);
void onKirvuMouseMove(HWND window, int x, int y);
void onKirvuChar(HWND window, WPARAM character);
void onKirvuKeyDown(HWND window, WPARAM key);
void onKirvuDestroy(HWND window);

// Colours of the chart.
const COLORREF kKirvuBackground = RGB(236, 233, 224);
const COLORREF kKirvuKeyFace = RGB(252, 250, 244);
const COLORREF kKirvuHot = RGB(255, 226, 140);
const COLORREF kKirvuGlyph = RGB(20, 100, 20);
const COLORREF kKirvuLatin = RGB(60, 60, 120);
const COLORREF kKirvuPanelFace = RGB(232, 242, 255);
