// The teacher lists: two text files filled from the dictionary screen for learning words.
//   hin.tea     one Hindi word per line (display-font codes, copied from a result line)
//   rus.tea     one query per line (the bytes of the query line as typed)
//   hintea.bak  copy of hin.tea, rustea.bak copy of rus.tea
// Line k of hin.tea belongs to line k of rus.tea; there is no key, count or header. Lines end
// with CR LF on disk. All four files live in one folder, the working directory unless a
// folder is given (tests pass a scratch folder).
//
// Data safety. Every file is rewritten by writing "<name>.tmp" completely and then moving it
// over the old file, so a full disk, a read-only folder or an unwritable file leaves the old
// file as it was. A change to the two lists is made to both or to neither: both new files are
// written before either is moved into place, and if the second move fails the first list is
// put back. A backup is only refreshed from a list that could be read, and a deletion only
// goes ahead once both backups have been written.
//
// How the input handling uses this (all on the GUI thread, after the user confirmed):
//   "Save to teacher" (F3, command 129, results shown):
//       TeacherStatus s = saveTeacherPair();
//       reportTeacherStatus(window, s);            // teacher/teacher_lists_win.h
//   Delete in the teacher view (F6, command 128, viewMode 3):
//       TeacherStatus s = deleteTeacherPair();
//       reportTeacherStatus(window, s);
//       then invalidate the client area as usual.
// Both read session.scrollLine (the first line shown); saveTeacherPair also reads the result
// buffer with session.resultSize and the query that filled it (session.resultQueryText,
// resultQueryLength). Nothing here shows a message or draws.
#pragma once
#include <string>
#include <vector>

constexpr const char* kHindiListName = "hin.tea";
constexpr const char* kRussianListName = "rus.tea";
constexpr const char* kHindiBackupName = "hintea.bak";
constexpr const char* kRussianBackupName = "rustea.bak";
constexpr const char* kResultFileName = "f2.tc";

enum TeacherStatus : int {
  TeacherOk = 0,
  TeacherNoResultFile,    // no search results in memory: there is nothing to take a word from
  TeacherNoResultLine,    // the results have no line at scrollLine
  TeacherNoTranslation,   // the entry shown gives no Russian word (a pointer, a bare headword)
  TeacherListMissing,     // hin.tea or rus.tea does not exist (nothing to back up or delete)
  TeacherListUnreadable,  // hin.tea or rus.tea exists but cannot be read
  TeacherBackupFailed,    // hintea.bak or rustea.bak could not be written
  TeacherWriteFailed,     // a list could not be written; both lists are as they were
  TeacherListInUse,       // a list could not be replaced (held open elsewhere); both as they were
  TeacherOutOfStep,       // one list changed, the other could not, and undoing failed
};

// Appends the pair shown on the screen to hin.tea and rus.tea together, or changes nothing
// and says why: the first word of line session.scrollLine of the result buffer (the lines
// the list was drawn from, not f2.tc, which another copy of the program may have rewritten),
// with its Russian side (teacherRussianFor) for the query that found those lines. The word
// runs up to the first space (a line that starts with a space gives an empty word, still
// saved). Line feeds and 0x1A bytes in either side are
// stored as spaces, since either would break the pairing. An existing pair is not looked for:
// saving twice stores the pair twice. A list whose last line lacks its line end gets one
// before the new line.
// `savedRussian`, when given, receives the Russian side that was saved.
TeacherStatus saveTeacherPair(const char* folder = "", std::string* savedRussian = nullptr);

// Removes line session.scrollLine from both lists, after refreshing both backups from the
// lists as they are. A line past the end of the lists changes nothing (TeacherOk). When the
// backups cannot be written, or a list cannot be read or rewritten, nothing is deleted.
TeacherStatus deleteTeacherPair(const char* folder = "");

// Copies hin.tea to hintea.bak and rus.tea to rustea.bak, byte for byte. When either list is
// missing or unreadable, neither backup is touched (an old backup stays as it was).
TeacherStatus backupTeacherPair(const char* folder = "");

// backupTeacherPair as 1 done, 0 not done.
int backupTeacherLists(const char* folder = "");

// The first Russian translation of a dictionary line ("headword (reading) [sense number]
// [grammatical mark] translation, ...; ..."): the text after the reading, without leading
// sense numbers ("1)") and the dictionary's grammatical marks ("м.", "прил.", "союз"...),
// up to the first "," or ";" or the line end, trailing spaces dropped. "послелог" is no mark
// here: in this dictionary it heads the translation ("послелог родительного падежа"). Empty
// when the line holds nothing after its headword and reading.
std::string firstRussianTranslation(const std::string& line);

// What rus.tea gets beside the headword of dictionary line `line` found for `query`: Russian,
// always. The query itself when it occurs as a whole word in the entry's Russian part (after
// the reading), letter case and ё aside, spelt as the entry spells it; otherwise (a Hindi, a
// Latin or an inflected query) the entry's first translation. Empty when neither is Russian
// (a pointer line, an entry without a translation).
std::string teacherRussianFor(const std::string& line, const std::string& query);

// The path of file `name` in folder ("" or null: the working directory).
std::string pathIn(const char* folder, const char* name);

// A clear message for the user about a status (empty for TeacherOk).
const char* teacherStatusText(TeacherStatus status);

// ---- What the teacher view draws ---------------------------------------------------------

constexpr int kTeacherHindiX = 20;     // x of every Hindi word
constexpr int kTeacherRussianX = 220;  // x of the first cell of every Russian line
constexpr int kTeacherCellWidth = 10;  // each Russian byte stands in its own cell
constexpr int kTeacherFirstY = 130;    // y of the first line shown
// One line per cell of the Hindi face (fontHeadword, 30 pixels): its u-signs and nuktas hang
// to the bottom of the cell, where a line 20 pixels lower would lay its headline over them.
constexpr int kTeacherLineHeight = 30;
constexpr int kTeacherBottomMargin = 85;  // a line whose y exceeds clientHeight - 85 is not drawn
constexpr int kTeacherLineBuffer = 52;    // a Hindi line longer than this is cut to this

struct TeacherHindiLine {
  int x, y;
  std::string bytes;  // at most kTeacherLineBuffer bytes
};
struct TeacherRussianCell {
  int x, y;
  char byte;
};
struct TeacherLayout {
  std::vector<TeacherHindiLine> hindi;
  std::vector<TeacherRussianCell> russian;
};

// Lays out both lists (their text as read, LF line ends) from list line scrollLine on.
// Hindi: each complete line at (20, 130 + 30k) until a line's y exceeds clientHeight - 85;
// a last line without its line feed is not drawn. Russian: every byte of line k at
// (220 + 10i, 130 + 30k) until a byte's line y exceeds clientHeight - 85; only the cells that
// start left of paneRight are laid out, the rest of a long line is skipped.
TeacherLayout layoutTeacherLists(const std::string& hindiText, const std::string& russianText,
                                 int scrollLine, int clientHeight, int paneRight);

// Reads both lists from the folder and lays them out; false (layout empty) when either list
// cannot be opened.
bool loadTeacherLayout(const char* folder, int scrollLine, int clientHeight, int paneRight,
                       TeacherLayout& out);
