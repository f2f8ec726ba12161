// The computed parts of the dictionary screen's two layouts: where the title starts, how
// much of it fits, which elements the client size leaves room for, the status text, and
// which toolbar button a press lands on. No drawing here.
#pragma once
#include <cstddef>
#include <cstdint>

#include "draw/colours.h"

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

// The status line's note after the search language changed (1 Hindi, 0 Russian).
const char* languageNote(int32_t language);

// One pressable control of a header: its frame, what it shows at rest, and how a press on
// it is drawn. Painting, hit testing and the pressed and released looks all read it.
struct HeaderControl {
  int code;                      // full header: pressedControl after a press (0: unchanged);
                                 // compact header: the toolbar code
  int left, top, right, bottom;  // frame; a press strictly inside it hits the control
  const char* caption;           // nullptr: the options arrow glyph instead of a text
  const char* pressedCaption;    // the caption drawn while pressed
  Colour ink;                    // the caption's colour
  int captionX, captionY;        // resting place of the caption or the glyph
  int pressedDx, pressedDy;      // where the pressed caption sits relative to it
  const char* hindiMark;         // a second caption in fontHindi, 5 pixels lower, or nullptr
  bool shown;                    // the layout draws it at this client size
  bool answers;                  // a press can hit it at this client size
};

// Whether a press at (x, y) hits the control: it answers and (x, y) lies strictly inside.
bool controlHit(const HeaderControl& control, int x, int y);

// What a press on the full header leaves in pressedControl, for the release to redraw: the
// Search button (the release repaints the window), one of the three controls that only go
// down and up (options arrow, keyboard-support strip, "Yes, in the same language."), or one
// of the two that switch the language (the release repaints the header).
enum FullPressed : int {
  PressedNothing = 0,
  PressedSearch = 1,
  PressedRaiseThree = 2,
  PressedLanguage = 3
};

// The full header's controls, in the order a press evaluates them.
enum FullControl : int {
  FullSearch,
  FullLanguage,
  FullKeyboard,
  FullOptions,
  FullSameLanguage,
  FullAnotherLanguage,
  FullWait,
  FullExit,
  kFullControlCount
};
// Control `which` of the full header at a client size; titleX places the keyboard label and
// searchLanguage (1 Hindi, 0 Russian) decides what the language button names.
HeaderControl fullHeaderControl(int which, int32_t clientWidth, int32_t clientHeight,
                                int32_t titleX, int32_t searchLanguage);

// Toolbar buttons of the compact header.
enum ToolbarCode : int {
  ToolbarNone = 0,
  ToolbarSearch = 1,
  ToolbarKeyboard = 2,
  ToolbarOptions = 3,
  ToolbarLanguage = 4
};
// Toolbar button `code` (ToolbarSearch..ToolbarLanguage) at a client width.
HeaderControl compactToolbarControl(int code, int32_t clientWidth);

// The button under a press at (x, y): the four x bands w-140..w-85, w-85..w-60, w-60..w-35
// and w-35..w-10, all bounds exclusive, within the buttons' rows 10 < y < 35.
int toolbarCodeAt(int32_t clientWidth, int x, int y);

// The rectangle of the dictionary screen that shows the prompt, the results or the teacher
// lists: three pixels inside the sunken frame the layouts draw around it.
struct PaneRect {
  int left, top, width, height;
};
PaneRect resultsPane(int32_t headerStyle, int32_t clientWidth, int32_t clientHeight);
// A pane of a tiny window has no area (its height is negative below a client height of 193
// under the full header): nothing may be drawn into it.
bool paneHasArea(const PaneRect& pane);
// The pane of the session's current header style and client size.
struct SessionState;
PaneRect currentPane(const SessionState& state);
// Where the result list and the teacher lists may draw: between the pane's left and right
// edges, so a token or a line wider than the pane never reaches the frame; from the top of the
// client area to its bottom, since the rows the lists place start at the pane's top edge (130
// or 51, above the pane's 132 or 53) and the last row may begin a few pixels above the pane's
// bottom, and the Hindi faces reach within a pixel of a row's top (the short i, the reph) and
// hang their u-signs and nuktas to its bottom.
PaneRect listClip(const SessionState& state);

// Lines a turn of the mouse wheel scrolls the list shown: three per notch (a delta of 120),
// positive towards the top of the list (the wheel turned away from the user), truncated
// towards zero for the finer steps of some wheels.
int wheelScrollLines(int wheelDelta);

// Pane content is drawn only in a client area taller than this.
constexpr int32_t kPaneMinHeight = 200;
