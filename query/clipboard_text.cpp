#include "query/clipboard_text.h"

#include <algorithm>
#include <cstring>

#include "base/session_state.h"
#include "hindi/cp1251.h"
#include "hindi/devanagari.h"

namespace {

const char32_t kReplacement = 0xFFFD;

std::u32string codePointsOf(const std::u16string& text) {
  std::u32string out;
  for (std::size_t i = 0; i < text.size() && text[i] != 0; ++i) {
    const char16_t u = text[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      out += static_cast<char32_t>(0x10000 + ((u - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      out += kReplacement;
    } else {
      out += u;
    }
  }
  return out;
}

std::string utf8Of(const std::u32string& text) {
  std::string out;
  for (char32_t c : text) appendUtf8(out, c);
  return out;
}

bool isSpace(char32_t c) {
  return c == 0x20 || (c >= 0x09 && c <= 0x0D) || c == 0xA0 || c == 0x1680 ||
         (c >= 0x2000 && c <= 0x200B) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
         c == 0x3000 || c == 0xFEFF;
}

bool isPunctuation(char32_t c) {
  if (c < 0x80)
    return (c >= 0x21 && c <= 0x2F) || (c >= 0x3A && c <= 0x40) || (c >= 0x5B && c <= 0x60) ||
           (c >= 0x7B && c <= 0x7E);
  return c == 0xA1 || c == 0xAB || c == 0xB7 || c == 0xBB || c == 0xBF ||
         (c >= 0x2010 && c <= 0x2027) || (c >= 0x2030 && c <= 0x205E) || c == 0x0964 || c == 0x0965;
}

bool isControl(char32_t c) { return c < 0x20 || c == 0x7F || c == 0x2028 || c == 0x2029; }

bool isDevanagari(char32_t c) { return c >= 0x0900 && c <= 0x097F && c != 0x0964 && c != 0x0965; }
bool isCyrillic(char32_t c) { return c >= 0x0400 && c <= 0x04FF; }
bool isLatinLetter(char32_t c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
         (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7);
}
bool isDevanagariLetter(char32_t c) {
  return (c >= 0x0904 && c <= 0x0939) || c == 0x093D || c == 0x0950 ||
         (c >= 0x0958 && c <= 0x0961) || (c >= 0x0972 && c <= 0x097F);
}
bool isLetter(char32_t c) { return isLatinLetter(c) || isCyrillic(c) || isDevanagariLetter(c); }

// Cuts what `drop` accepts off both ends.
template <typename Drop>
std::u32string trimmed(const std::u32string& text, Drop drop) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && drop(text[begin])) ++begin;
  while (end > begin && drop(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

// Runs of spaces inside the text become one plain space, as the dictionary separates words.
std::u32string singleSpaced(const std::u32string& text) {
  std::u32string out;
  for (char32_t c : text) {
    if (isSpace(c) && !isControl(c)) {
      if (out.empty() || out.back() != U' ') out += U' ';
    } else {
      out += c;
    }
  }
  return out;
}

ClipboardQueryText refused(ClipboardQuery outcome) {
  ClipboardQueryText r;
  r.outcome = outcome;
  return r;
}

// Converts a trimmed, non-empty text: the script picks the conversion and the language.
ClipboardQueryText converted(const std::u32string& text) {
  bool devanagari = false, cyrillic = false, latin = false;
  for (char32_t c : text) {
    if (isControl(c)) return refused(ClipboardQuery::MultiLine);
    devanagari = devanagari || isDevanagari(c);
    cyrillic = cyrillic || isCyrillic(c);
    latin = latin || isLatinLetter(c);
  }
  // The face's codes are Latin letters themselves: Latin beside Devanagari would be read as
  // Hindi (पानी water as पानीपानी डातेर), so it is refused as Russian is.
  if (devanagari && (cyrillic || latin)) return refused(ClipboardQuery::MixedScripts);

  const std::string utf8 = utf8Of(singleSpaced(text));
  ClipboardQueryText r;
  bool ok;
  if (devanagari) {
    DevanagariError error;
    ok = devanagariToCodes(utf8, r.bytes, error) == 1;
    r.language = 1;
  } else {
    std::string error;
    ok = utf8ToCp1251(utf8, r.bytes, error);
    r.language = cyrillic ? 0 : kKeepLanguage;
    r.latin = latin && !cyrillic;
  }
  if (!ok) return refused(ClipboardQuery::NotEncodable);
  if (r.bytes.size() > static_cast<std::size_t>(kQueryCapacity)) {
    return refused(ClipboardQuery::TooLong);
  }
  r.outcome = ClipboardQuery::Ready;
  return r;
}

}  // namespace

std::string utf16ToUtf8(const std::u16string& text) { return utf8Of(codePointsOf(text)); }

std::u16string utf8ToUtf16(const std::string& utf8) {
  std::u16string out;
  for (std::size_t i = 0; i < utf8.size();) {
    uint32_t c = 0;
    const std::size_t n = utf8CharAt(utf8, i, c);
    if (n == 0) {
      out += static_cast<char16_t>(kReplacement);
      ++i;
      continue;
    }
    if (c >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
    i += n;
  }
  return out;
}

ClipboardQueryText queryFromPastedText(const std::u16string& text) {
  const std::u32string word = trimmed(codePointsOf(text), isSpace);
  if (word.empty()) return refused(ClipboardQuery::Empty);
  return converted(word);
}

ClipboardQueryText queryFromTrackedText(const std::u16string& text) {
  const std::u32string word =
      trimmed(codePointsOf(text), [](char32_t c) { return isSpace(c) || isPunctuation(c); });
  if (word.empty()) return refused(ClipboardQuery::Empty);
  bool letters = false;
  int words = 1;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (isControl(word[i])) return refused(ClipboardQuery::MultiLine);
    letters = letters || isLetter(word[i]);
    if (isSpace(word[i]) && !isSpace(word[i - 1])) ++words;
  }
  if (!letters) return refused(ClipboardQuery::NoLetters);
  if (words > kTrackedWords) return refused(ClipboardQuery::TooManyWords);
  return converted(word);
}

bool insertQueryBytes(char* text, int32_t capacity, int32_t& length, int32_t& caret,
                      const std::string& bytes) {
  if (length < 0 || length > capacity || caret < 0 || caret > length) return false;
  const int32_t n = static_cast<int32_t>(bytes.size());
  if (n > capacity - length) return false;
  std::memmove(text + caret + n, text + caret, static_cast<std::size_t>(length - caret));
  // The query bytes are counted, never terminated.
  std::copy(bytes.begin(), bytes.end(), text + caret);
  length += n;
  caret += n;
  return true;
}

const char* clipboardQueryMessage(ClipboardQuery outcome) {
  switch (outcome) {
    case ClipboardQuery::Ready: return "";
    case ClipboardQuery::Empty: return "Clipboard holds no text to paste";
    case ClipboardQuery::NoLetters: return "Clipboard text has no letters";
    case ClipboardQuery::MultiLine: return "Text has more than one line: not pasted";
    case ClipboardQuery::MixedScripts: return "Text mixes Hindi with Russian or Latin: not pasted";
    case ClipboardQuery::NotEncodable: return "Text has signs the dictionary can not type";
    case ClipboardQuery::TooLong: return "Too long for the query line (32 bytes): not pasted";
    case ClipboardQuery::TooManyWords: return "Clipboard text has too many words";
  }
  return "";
}

bool resultLineAt(const char* buffer, int32_t size, int32_t line, std::string& out) {
  if (!buffer || size <= 0 || line < 0) return false;
  int32_t i = 0;
  for (int32_t skipped = 0; skipped < line; ++i) {
    if (i >= size) return false;
    if (buffer[i] == '\n') ++skipped;
  }
  int32_t end = i;
  while (end < size && buffer[end] != '\n') ++end;
  int32_t last = end;
  if (last > i && buffer[last - 1] == '\r') --last;
  if (last == i) return false;
  out.assign(buffer + i, static_cast<std::size_t>(last - i));
  return true;
}

std::u16string resultLineToUnicode(const std::string& line) {
  return utf8ToUtf16(decodeDictionaryLine(line));
}

std::u16string teacherPairToUnicode(const std::string& hindi, const std::string& query) {
  return utf8ToUtf16(codesToDevanagari(hindi) + "\t" + cp1251ToUtf8(query));
}

ClipboardKey clipboardKeyFor(int virtualKey, bool control, bool shift) {
  const int kVkInsert = 0x2D;
  if (virtualKey == 'V' && control) return ClipboardKey::Paste;
  if (virtualKey == kVkInsert && shift && !control) return ClipboardKey::Paste;
  if (virtualKey == 'C' && control) return ClipboardKey::Copy;
  if (virtualKey == kVkInsert && control && !shift) return ClipboardKey::Copy;
  return ClipboardKey::None;
}
