// The computed parts of the dictionary screen's two layouts: where the title starts, how
// much of it fits, which elements the client size leaves room for, the status text, and
// which toolbar button a press lands on. No drawing here.
#pragma once
#include <cstddef>
#include <cstdint>

// The header title and its length in bytes.
constexpr const char* kTitleText = "Vartolik";
constexpr int kTitleLength = 8;

// Left x of the title and of the wide keyboard-support label.
int32_t titleXForWidth(int32_t clientWidth);

// Bytes of the title drawn at a client width: the whole title from 370 pixels up, a part
// cut from the right below; never negative (0 draws no title).
int titleByteCount(int32_t clientWidth);

// Which optional elements of the full layout a client size has room for.
struct FullLayoutParts {
  bool lowerPart;       // grooves, results pane, footer picture and footer question
  bool languageButton;  // the button naming the other language
  bool wideLabels;      // long keyboard-support label and "Change it to" (else the short label)
  bool yesButtons;      // the two "Yes, in ... language." footer buttons
  bool waitExit;        // the "Wait" and "Exit" footer buttons
};
FullLayoutParts fullLayoutParts(int32_t clientWidth, int32_t clientHeight);

// The line under the keyboard-support bar for a view mode: writes it, terminated, into
// `out` (at most `size` bytes with the terminator) and returns its length; returns -1 and
// leaves `out` alone when the view shows no status text.
int statusText(int32_t viewMode, int32_t foundCount, char* out, std::size_t size);

// Toolbar buttons of the compact header.
enum ToolbarCode : int { ToolbarNone = 0, ToolbarSearch = 1, ToolbarKeyboard = 2,
                         ToolbarOptions = 3, ToolbarLanguage = 4 };

// The button under a press at (x, y): the four x bands w-140..w-85, w-85..w-60, w-60..w-35
// and w-35..w-10, all bounds exclusive, within the buttons' rows 10 < y < 35.
int toolbarCodeAt(int32_t clientWidth, int x, int y);

// The rectangle of the dictionary screen that shows the prompt, the results or the teacher
// lists: three pixels inside the sunken frame the layouts draw around it.
struct PaneRect {
  int left, top, width, height;
};
PaneRect resultsPane(int32_t headerStyle, int32_t clientWidth, int32_t clientHeight);

// Pane content is drawn only in a client area taller than this.
constexpr int32_t kPaneMinHeight = 200;
