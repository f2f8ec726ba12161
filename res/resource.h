// Command, control and resource identifiers shared by the resource scripts and the code.
#pragma once

// Menu commands.
#define IDM_CHANGE_LANGUAGE 120
#define IDM_KEYBOARD_HELP 121
#define IDM_LANGUAGE_HINDI 122
#define IDM_LANGUAGE_RUSSIAN 123
#define IDM_KEYBOARD_SUPPORT 124
#define IDM_ABOUT 125
#define IDM_LEMORA 126
#define IDM_TEACHER_VIEW_DELETE 128
#define IDM_SAVE_TO_TEACHER 129
#define IDM_TITLE_BAR 132
#define IDM_QUANTITY_OF_WORDS 133
#define IDM_HELP_ON_DICTIONARY 135
// The grayed menu items that do nothing carry an identifier of their own: an accelerator's
// command is not sent while a menu item with the same identifier is grayed.
#define IDM_NOT_AVAILABLE 200
#define IDM_LANGUAGE_DIALOG 201
#define IDM_F2 202
#define IDM_SUBSTRING 205
#define IDM_RIGHTAPPEND 206
#define IDM_LEFTAPPEND 207
#define IDM_EXACT 208
#define IDM_PHONETIC 209
#define IDM_TRACK_CLIPBOARD 211
// Not on the menu: sent by the keyboard support (kirvu.exe) before it types a Hindi code, so
// that the search language turns Hindi as a paste of Devanagari turns it.
#define IDM_TYPE_HINDI 212

// Dialog controls.
#define IDC_LANG_RUSSIAN 130
#define IDC_LANG_HINDI 131
#define IDC_ABOUT_OK 138
#define IDC_ABOUT_PICTURE 140
#define IDC_LANG_TEXT 204

// Bitmap of the About box.
#define IDB_ABOUT 137
