#include "teacher/teacher_lists.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "base/session_state.h"
#include "base/text_stream.h"
#include "query/clipboard_text.h"
#include "search/result_buffer.h"
#include "search/search.h"

namespace {

constexpr char kEndOfText = 0x1A;  // readers stop here, so a list's lines end before it

// One list or backup file: its raw bytes as on disk.
struct ListFile {
  std::string path;
  std::string bytes;
  bool exists = false;
};

enum class ReadResult { Ok, Missing, Unreadable };

ReadResult readList(ListFile& file) {
  file.bytes.clear();
  file.exists = false;
  errno = 0;
  std::FILE* f = std::fopen(file.path.c_str(), "rb");
  if (!f) return errno == ENOENT ? ReadResult::Missing : ReadResult::Unreadable;
  file.exists = true;
  char buf[1 << 14];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) file.bytes.append(buf, n);
  bool ok = !std::ferror(f);
  std::fclose(f);
  return ok ? ReadResult::Ok : ReadResult::Unreadable;
}

// Reads both lists; a missing list counts as empty when missingIsEmpty.
TeacherStatus readBothLists(const char* folder, ListFile& hin, ListFile& rus, bool missingIsEmpty) {
  hin.path = pathIn(folder, kHindiListName);
  rus.path = pathIn(folder, kRussianListName);
  ReadResult h = readList(hin), r = readList(rus);
  if (h == ReadResult::Unreadable || r == ReadResult::Unreadable) return TeacherListUnreadable;
  if (!missingIsEmpty && (h == ReadResult::Missing || r == ReadResult::Missing))
    return TeacherListMissing;
  return TeacherOk;
}

std::string tempPathFor(const std::string& path) { return path + ".tmp"; }

void removeQuietly(const std::string& path) {
  std::error_code ec;
  std::filesystem::remove(path, ec);
}

// Writes the bytes to "<path>.tmp" and checks that every byte reached the file.
bool writeTemp(const std::string& path, const std::string& bytes) {
  std::string temp = tempPathFor(path);
  if (writeRawFile(temp.c_str(), bytes)) return true;
  removeQuietly(temp);
  return false;
}

// Moves "<path>.tmp" over path. std::filesystem::rename replaces an existing file on every
// platform (on Windows through MoveFileEx with replacing allowed), unlike std::rename.
bool moveTempIntoPlace(const std::string& path) {
  std::error_code ec;
  std::filesystem::rename(tempPathFor(path), path, ec);
  if (!ec) return true;
  removeQuietly(tempPathFor(path));
  return false;
}

bool replaceFile(const std::string& path, const std::string& bytes) {
  return writeTemp(path, bytes) && moveTempIntoPlace(path);
}

// Puts a list back as it was before a failed two-file change.
bool restoreList(const ListFile& old) {
  if (old.exists) return replaceFile(old.path, old.bytes);
  std::error_code ec;
  std::filesystem::remove(old.path, ec);
  return !ec;
}

// Replaces the files of a and b with the new bytes, both or neither. When `undo` is set and
// b cannot be moved into place after a was, a is put back from its old content. A new file
// that cannot be written gives `writeFailure`; one written but not moved over the old file
// (on Windows: the old file is open in another program) gives `moveFailure`.
TeacherStatus replaceBoth(const ListFile& a, const std::string& newA, const ListFile& b,
                          const std::string& newB, bool undo, TeacherStatus writeFailure,
                          TeacherStatus moveFailure) {
  if (!writeTemp(a.path, newA)) return writeFailure;
  if (!writeTemp(b.path, newB)) {
    removeQuietly(tempPathFor(a.path));
    return writeFailure;
  }
  if (!moveTempIntoPlace(a.path)) {
    removeQuietly(tempPathFor(b.path));
    return moveFailure;
  }
  if (moveTempIntoPlace(b.path)) return TeacherOk;
  if (!undo) return moveFailure;
  return restoreList(a) ? moveFailure : TeacherOutOfStep;
}

// The part of a list that readers see: everything before the first 0x1A byte.
std::size_t visibleEnd(const std::string& bytes) {
  std::size_t end = bytes.find(kEndOfText);
  return end == std::string::npos ? bytes.size() : end;
}

// Bytes that would break the line pairing are stored as spaces.
std::string storable(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == kEndOfText) c = ' ';
  return text;
}

// The list with one more line at the end of its visible part.
std::string withLineAppended(const std::string& bytes, const std::string& line) {
  std::size_t end = visibleEnd(bytes);
  std::string out = bytes.substr(0, end);
  if (!out.empty() && out.back() != '\n') out += "\r\n";
  out += storable(line);
  out += "\r\n";
  out.append(bytes, end, std::string::npos);
  return out;
}

// The list without line `line` (from 0), its line end included; unchanged past the end.
std::string withLineRemoved(const std::string& bytes, int line) {
  std::size_t end = visibleEnd(bytes);
  std::size_t start = 0;
  for (int skipped = 0; skipped < line; ++skipped) {
    std::size_t lf = bytes.find('\n', start);
    if (lf == std::string::npos || lf >= end) return bytes;
    start = lf + 1;
  }
  if (start >= end) return bytes;
  std::size_t lf = bytes.find('\n', start);
  std::size_t stop = (lf == std::string::npos || lf >= end) ? end : lf + 1;
  return bytes.substr(0, start) + bytes.substr(stop);
}

// Line `line` of the result buffer, without its line end.
TeacherStatus shownResultLine(int line, std::string& text) {
  text.clear();
  if (!resultBuffer || session.resultSize <= 0) return TeacherNoResultFile;
  if (!resultLineAt(resultBuffer, session.resultSize, line, text)) return TeacherNoResultLine;
  return TeacherOk;
}

// The grammatical marks the dictionary opens a sense with (Windows-1251): "м.", "ж.", "гл.",
// "прил.", "нареч.", "мест.", "межд.", "числ.", "союз", "частица".
const char* const kGrammaticalMarks[] = {"\xEC.",
                                         "\xE6.",
                                         "\xE3\xEB.",
                                         "\xEF\xF0\xE8\xEB.",
                                         "\xED\xE0\xF0\xE5\xF7.",
                                         "\xEC\xE5\xF1\xF2.",
                                         "\xEC\xE5\xE6\xE4.",
                                         "\xF7\xE8\xF1\xEB.",
                                         "\xF1\xEE\xFE\xE7",
                                         "\xF7\xE0\xF1\xF2\xE8\xF6\xE0"};

bool isSenseNumber(const std::string& token) {
  if (token.size() < 2 || token.back() != ')') return false;
  for (std::size_t i = 0; i + 1 < token.size(); ++i)
    if (token[i] < '0' || token[i] > '9') return false;
  return true;
}

bool isGrammaticalMark(const std::string& token) {
  for (const char* mark : kGrammaticalMarks)
    if (token == mark) return true;
  return false;
}

// Where the Russian part of a dictionary line starts: after the headword and the reading in
// parentheses; npos when nothing follows them.
std::size_t russianPartStart(const std::string& line) {
  std::size_t pos = line.find(' ');
  if (pos == std::string::npos) return pos;
  pos = line.find_first_not_of(' ', pos);
  if (pos != std::string::npos && line[pos] == '(') {
    const std::size_t close = line.find(')', pos);
    pos = close == std::string::npos ? close : line.find_first_not_of(' ', close + 1);
  }
  return pos;
}

// Windows-1251 letters compared as a reader compares them: capitals as small letters, ё as е.
unsigned char folded(char c) {
  unsigned char b = static_cast<unsigned char>(c);
  if (b >= 0xC0 && b <= 0xDF) b = static_cast<unsigned char>(b + 0x20);
  if (b == 0xA8 || b == 0xB8) b = 0xE5;
  return b;
}

// Russian text holds Cyrillic letters and no Latin ones (the Hindi face's codes are Latin
// letters and bytes below 0xC0; Cyrillic letters are 0xC0 and above, Ё and ё).
bool isRussian(const std::string& text) {
  bool cyrillic = false;
  for (char c : text) {
    const unsigned char b = static_cast<unsigned char>(c);
    if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z')) return false;
    cyrillic = cyrillic || b >= 0xC0 || b == 0xA8 || b == 0xB8;
  }
  return cyrillic;
}

bool boundary(const std::string& line, std::size_t at) {
  return at >= line.size() || line[at] == '\r' || isDelimiter(static_cast<unsigned char>(line[at]));
}

// The entry's own spelling of `query` where it stands as a whole word (the search's word
// boundaries) at or after `from`; empty when it does not.
std::string wholeWordIn(const std::string& line, std::size_t from, const std::string& query) {
  const std::size_t n = query.size();
  for (std::size_t at = from; n > 0 && at + n <= line.size(); ++at) {
    if ((at > 0 && !boundary(line, at - 1)) || !boundary(line, at + n)) continue;
    std::size_t i = 0;
    while (i < n && folded(line[at + i]) == folded(query[i])) ++i;
    if (i == n) return line.substr(at, n);
  }
  return "";
}

int currentLine() { return session.scrollLine > 0 ? session.scrollLine : 0; }

// The query that filled the result buffer; for a glossed sentence, the word of the text that
// led to the first shown line.
std::string resultQuery() {
  const int line = currentLine();
  const bool glossed = line < session.resultLineWordCount && line < kGlossedLines;
  const char* text = glossed ? session.resultLineWord[line] : session.resultQueryText;
  int32_t n = glossed ? session.resultLineWordLength[line] : session.resultQueryLength;
  n = n < 0 ? 0 : n > kQueryCapacity ? kQueryCapacity : n;
  return std::string(text, static_cast<std::size_t>(n));
}

bool readText(const std::string& path, std::string& text) {
  TextReader reader(path.c_str());
  if (!reader.isOpen()) return false;
  text.clear();
  char buf[4096];
  for (std::size_t n; (n = reader.read(buf, sizeof buf)) > 0;) text.append(buf, n);
  return true;
}

// Start of line `line` (from 0) in text, or npos when the text has fewer line feeds.
std::size_t lineStart(const std::string& text, int line) {
  std::size_t pos = 0;
  for (int i = 0; i < line; ++i) {
    std::size_t lf = text.find('\n', pos);
    if (lf == std::string::npos) return std::string::npos;
    pos = lf + 1;
  }
  return pos;
}

}  // namespace

std::string pathIn(const char* folder, const char* name) {
  std::string path = folder ? folder : "";
  if (!path.empty() && path.back() != '/' && path.back() != '\\') path += '/';
  return path + name;
}

std::string firstRussianTranslation(const std::string& line) {
  std::size_t pos = russianPartStart(line);
  while (pos != std::string::npos) {
    std::size_t end = line.find(' ', pos);
    std::string token = line.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
    if (!isSenseNumber(token) && !isGrammaticalMark(token)) break;
    pos = end == std::string::npos ? end : line.find_first_not_of(' ', end);
  }
  if (pos == std::string::npos) return "";
  std::size_t stop = line.find_first_of(",;", pos);
  std::string translation =
      line.substr(pos, stop == std::string::npos ? std::string::npos : stop - pos);
  while (!translation.empty() && (translation.back() == ' ' || translation.back() == '\r'))
    translation.pop_back();
  return translation;
}

std::string teacherRussianFor(const std::string& line, const std::string& query) {
  const std::size_t russianPart = russianPartStart(line);
  if (russianPart != std::string::npos && isRussian(query)) {
    std::string word = wholeWordIn(line, russianPart, query);
    if (!word.empty()) return word;
  }
  std::string translation = firstRussianTranslation(line);
  return isRussian(translation) ? translation : "";
}

TeacherStatus saveTeacherPair(const char* folder, std::string* savedRussian) {
  std::string line;
  TeacherStatus status = shownResultLine(currentLine(), line);
  if (status != TeacherOk) return status;
  const std::string word = line.substr(0, line.find(' '));
  const std::string russian = teacherRussianFor(line, resultQuery());
  if (russian.empty()) return TeacherNoTranslation;
  ListFile hin, rus;
  status = readBothLists(folder, hin, rus, true);
  if (status != TeacherOk) return status;
  status =
      replaceBoth(hin, withLineAppended(hin.bytes, word), rus, withLineAppended(rus.bytes, russian),
                  true, TeacherWriteFailed, TeacherListInUse);
  if (status == TeacherOk && savedRussian) *savedRussian = storable(russian);
  return status;
}

namespace {
// Writes both backups from the lists' bytes as they were read.
TeacherStatus writeBackups(const char* folder, const ListFile& hin, const ListFile& rus) {
  ListFile hinBackup, rusBackup;
  hinBackup.path = pathIn(folder, kHindiBackupName);
  rusBackup.path = pathIn(folder, kRussianBackupName);
  return replaceBoth(hinBackup, hin.bytes, rusBackup, rus.bytes, false, TeacherBackupFailed,
                     TeacherBackupFailed);
}
}  // namespace

TeacherStatus backupTeacherPair(const char* folder) {
  ListFile hin, rus;
  TeacherStatus status = readBothLists(folder, hin, rus, false);
  if (status != TeacherOk) return status;
  return writeBackups(folder, hin, rus);
}

TeacherStatus deleteTeacherPair(const char* folder) {
  // The lists are read once; the backups are written from these very bytes, so they hold
  // the lists as they were when the deletion began.
  ListFile hin, rus;
  TeacherStatus status = readBothLists(folder, hin, rus, false);
  if (status != TeacherOk) return status;
  status = writeBackups(folder, hin, rus);
  if (status != TeacherOk) return status;
  int line = currentLine();
  std::string newHin = withLineRemoved(hin.bytes, line);
  std::string newRus = withLineRemoved(rus.bytes, line);
  if (newHin == hin.bytes && newRus == rus.bytes) return TeacherOk;  // past the end
  return replaceBoth(hin, newHin, rus, newRus, true, TeacherWriteFailed, TeacherListInUse);
}

int backupTeacherLists(const char* folder) { return backupTeacherPair(folder) == TeacherOk; }

const char* teacherStatusText(TeacherStatus status) {
  switch (status) {
    case TeacherOk: return "";
    case TeacherNoResultFile:
      return "There are no search results to take a word from. Search for a word first. The "
             "teacher lists were not changed.";
    case TeacherNoResultLine:
      return "The first line shown is not a search result, so there is no Hindi word to "
             "save. The teacher lists were not changed.";
    case TeacherNoTranslation:
      return "The entry shown gives no Russian word to save with it (it may only point to "
             "another entry: search for that one). The teacher lists were not changed.";
    case TeacherListMissing:
      return "The teacher list hin.tea or rus.tea is missing. Nothing was changed.";
    case TeacherListUnreadable:
      return "The teacher list hin.tea or rus.tea cannot be read. Nothing was changed.";
    case TeacherBackupFailed:
      return "The backups hintea.bak and rustea.bak could not be written (is the disk full, "
             "the folder read-only, or a backup open in another program?). Nothing was "
             "deleted: the teacher lists are as they were.";
    case TeacherWriteFailed:
      return "The teacher lists hin.tea and rus.tea could not be written (is the disk full "
             "or the folder read-only?). Both lists are as they were.";
    case TeacherListInUse:
      return "The teacher list hin.tea or rus.tea could not be replaced: it may be open in "
             "another program (the teaching program or an editor). Close it and try again. "
             "Both lists are as they were.";
    case TeacherOutOfStep:
      return "Only one of the teacher lists hin.tea and rus.tea could be changed, and putting "
             "it back failed: the lists may be out of step. Please check both files.";
  }
  return "The teacher lists could not be changed.";
}

TeacherLayout layoutTeacherLists(const std::string& hindiText, const std::string& russianText,
                                 int scrollLine, int clientHeight, int paneRight) {
  TeacherLayout layout;
  const int lastY = clientHeight - kTeacherBottomMargin;
  const std::size_t none = std::string::npos;
  if (scrollLine < 0) scrollLine = 0;

  std::size_t pos = lineStart(hindiText, scrollLine);
  for (int y = kTeacherFirstY; pos != none && pos < hindiText.size(); y += kTeacherLineHeight) {
    if (y > lastY) break;
    std::size_t lf = hindiText.find('\n', pos);
    if (lf == none) break;  // a last line without its line feed is not drawn
    std::size_t length = lf - pos;
    if (length > static_cast<std::size_t>(kTeacherLineBuffer)) length = kTeacherLineBuffer;
    layout.hindi.push_back({kTeacherHindiX, y, hindiText.substr(pos, length)});
    pos = lf + 1;
  }

  pos = lineStart(russianText, scrollLine);
  int y = kTeacherFirstY, i = 0;
  for (; pos != none && pos < russianText.size(); ++pos) {
    char c = russianText[pos];
    if (c == '\n') {
      y += kTeacherLineHeight;
      i = 0;
      continue;
    }
    if (y > lastY) break;
    const int x = kTeacherRussianX + kTeacherCellWidth * i;
    if (x >= paneRight) {
      // Nothing further of this line can show: go on at its line feed, which lies after pos
      // (the byte at pos is not one), so the loop's step lands on it.
      const std::size_t lf = russianText.find('\n', pos);
      if (lf == none) break;
      pos = lf - 1;
      continue;
    }
    layout.russian.push_back({x, y, c});
    ++i;
  }
  return layout;
}

bool loadTeacherLayout(const char* folder, int scrollLine, int clientHeight, int paneRight,
                       TeacherLayout& out) {
  out = TeacherLayout();
  std::string hindiText, russianText;
  if (!readText(pathIn(folder, kHindiListName), hindiText) ||
      !readText(pathIn(folder, kRussianListName), russianText))
    return false;
  out = layoutTeacherLists(hindiText, russianText, scrollLine, clientHeight, paneRight);
  return true;
}
