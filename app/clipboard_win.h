// The clipboard in the dictionary: Ctrl+V / Shift+Insert paste Unicode text into the query
// line, Ctrl+C / Ctrl+Insert copy the first shown entry (or teacher pair) as Unicode, and
// "Track clipboard" looks up every word another program copies. The conversions are the
// core's (query/clipboard_text.h); this only moves text in and out of the clipboard.
#pragma once
#include <windows.h>

// A key press of the dictionary screen: pastes or copies when it is a clipboard key and then
// returns true; false for every other key.
bool clipboardKeyDown(HWND window, WPARAM virtualKey);

// The characters Ctrl+C (3) and Ctrl+V (22) that follow those key presses: they are no text.
bool isClipboardCharacter(WPARAM character);

// "Track clipboard": starts or stops listening to clipboard changes and checks the menu item.
void toggleClipboardTracking(HWND window);
// Stops listening (at exit); nothing when tracking is off.
void stopClipboardTracking(HWND window);
