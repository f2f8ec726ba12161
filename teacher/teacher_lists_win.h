// Drawing of the teacher lists and the messages about their files (Win32 layer).
#pragma once
#include <windows.h>

#include "teacher/teacher_lists.h"

// Draws both teacher lists from session.scrollLine on into the results pane: the Hindi words
// with fontHeadword at x 20, the Russian queries with fontTeacherRussian in 10-pixel cells
// from x 220, one line every 30 pixels from y 130, down to clientHeight - 85, all in
// colourAction. Refreshes the backups first (a failure there changes no file). Expects the
// pane already cleared and the transparent background mode set. Returns 1 when drawn, 0 when
// a list cannot be opened (nothing drawn). The device context keeps its font; the text
// colour is left at colourAction.
int drawTeacherLists(HDC dc);

// Tells the user what went wrong with the teacher lists: a message box owned by `owner`,
// caption "Attention", with teacherStatusText(status). Shows nothing for TeacherOk.
// Returns 1 when a message was shown.
int reportTeacherStatus(HWND owner, TeacherStatus status);
