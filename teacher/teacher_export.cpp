#include "teacher/teacher_export.h"

#include "base/text_stream.h"
#include "hindi/cp1251.h"
#include "hindi/devanagari.h"
#include "query/clipboard_text.h"
#include "teacher/teacher_lists.h"

namespace {

// A field may hold no column or row separator of the export.
std::string field(std::string text) {
  for (char& c : text) {
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

std::string trimmed(const std::string& text) {
  const std::size_t begin = text.find_first_not_of(' ');
  if (begin == std::string::npos) return "";
  return text.substr(begin, text.find_last_not_of(' ') - begin + 1);
}

}  // namespace

const char kFlashcardHeader[] =
    "#separator:tab\n"
    "#columns:Hindi\tRussian\tTransliteration\tTranslation\n";

bool readTeacherListLines(const std::string& path, std::vector<std::string>& lines) {
  TextReader reader(path.c_str());
  if (!reader.isOpen()) return false;
  std::string text;
  char buf[4096];
  for (std::size_t n; (n = reader.read(buf, sizeof buf)) > 0;) text.append(buf, n);
  lines.clear();
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t lf = text.find('\n', start);
    if (lf == std::string::npos) lf = text.size();
    lines.push_back(text.substr(start, lf - start));
    start = lf + 1;
  }
  return true;
}

bool teacherPairAt(const char* folder, int line, std::string& hindi, std::string& query) {
  std::vector<std::string> hin, rus;
  if (line < 0 || !readTeacherListLines(pathIn(folder, kHindiListName), hin) ||
      !readTeacherListLines(pathIn(folder, kRussianListName), rus))
    return false;
  const std::size_t at = static_cast<std::size_t>(line);
  if (at >= hin.size() || at >= rus.size()) return false;
  hindi = hin[at];
  query = rus[at];
  return true;
}

bool findHeadwordEntries(const char* dictionaryPath, std::map<std::string, std::string>& wanted) {
  TextReader reader(dictionaryPath);
  if (!reader.isOpen()) return false;
  std::string line;
  for (int b;;) {
    b = reader.get();
    if (b >= 0 && b != '\n') {
      line += static_cast<char>(b);
      continue;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();  // a lone CR before the LF
    auto it = wanted.find(line.substr(0, line.find(' ')));
    if (it != wanted.end() && it->second.empty()) it->second = line;
    line.clear();
    if (b < 0) return true;
  }
}

std::string flashcardLine(const std::string& hindi, const std::string& query,
                          const std::string* entry) {
  std::string transliteration, translation;
  if (entry) {
    // Read as the result list reads it: the headword and Hindi tokens as Devanagari, the rest
    // as Windows-1251; the parentheses after the headword hold the reading.
    const std::string text = decodeDictionaryLine(*entry);
    std::size_t at = text.find(' ');
    std::string rest = at == std::string::npos ? "" : trimmed(text.substr(at + 1));
    if (!rest.empty() && rest[0] == '(') {
      const std::size_t close = rest.find(')');
      if (close != std::string::npos) {
        transliteration = trimmed(rest.substr(1, close - 1));
      }
    }
    // The same first translation F3 saves, decoded after the entry's own headword so that
    // its tokens are read as the result list reads them.
    const std::string decoded = decodeDictionaryLine(entry->substr(0, entry->find(' ')) + " " +
                                                     firstRussianTranslation(*entry));
    translation = trimmed(decoded.substr(decoded.find(' ') + 1));
  }
  return field(codesToDevanagari(hindi)) + '\t' + field(cp1251ToUtf8(query)) + '\t' +
         field(transliteration) + '\t' + field(translation) + '\n';
}
