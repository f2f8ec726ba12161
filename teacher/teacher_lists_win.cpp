#include "teacher/teacher_lists_win.h"

#include "base/session_state.h"
#include "draw/dictionary_layout.h"
#include "draw/gdi_kit.h"

int drawTeacherLists(HDC dc) {
  backupTeacherLists();  // keeps the backups fresh; the drawing does not depend on it
  SetTextColor(dc, colourAction);
  const PaneRect area = listClip(session);
  const int paneRight = area.left + area.width;
  TeacherLayout layout;
  if (!loadTeacherLayout("", session.scrollLine, session.clientHeight, paneRight, layout)) return 0;
  // Long lines stop at the pane's left and right edges; rows are never cut at the top or
  // bottom.
  ClipScope clip(dc, area.left, area.top, paneRight, area.top + area.height);

  HGDIOBJ oldFont = GetCurrentObject(dc, OBJ_FONT);
  SelectObject(dc, kit.fontHeadword);
  for (const TeacherHindiLine& line : layout.hindi)
    if (!line.bytes.empty())
      TextOutA(dc, line.x, line.y, line.bytes.data(), static_cast<int>(line.bytes.size()));

  SelectObject(dc, kit.fontTeacherRussian);
  for (const TeacherRussianCell& cell : layout.russian) TextOutA(dc, cell.x, cell.y, &cell.byte, 1);

  SelectObject(dc, oldFont);
  return 1;
}

int reportTeacherStatus(HWND owner, TeacherStatus status) {
  if (status == TeacherOk) return 0;
  MessageBoxA(owner, teacherStatusText(status), "Attention", MB_OK | MB_ICONEXCLAMATION);
  return 1;
}
