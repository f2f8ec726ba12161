#include "app/clipboard_win.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/window_win.h"
#include "base/session_state.h"
#include "draw/dictionary_screen_win.h"
#include "draw/gdi_kit.h"
#include "query/clipboard_text.h"
#include "query/query_line_win.h"
#include "res/resource.h"
#include "search/gloss.h"
#include "search/search.h"
#include "search/result_buffer.h"
#include "teacher/teacher_export.h"

namespace {

// ---- The clipboard itself -------------------------------------------------------------------

bool readClipboardText(HWND window, std::u16string& text) {
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(window)) return false;
  bool read = false;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const wchar_t* p = static_cast<const wchar_t*>(GlobalLock(data))) {
      const std::size_t units = GlobalSize(data) / sizeof(wchar_t);
      std::size_t n = 0;
      while (n < units && p[n] != 0) ++n;
      text.assign(reinterpret_cast<const char16_t*>(p), n);
      GlobalUnlock(data);
      read = true;
    }
  }
  CloseClipboard();
  return read;
}

bool writeClipboardText(HWND window, const std::u16string& text) {
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return false;
  if (void* p = GlobalLock(memory)) {
    std::memcpy(p, text.c_str(), bytes);
    GlobalUnlock(memory);
  }
  if (!OpenClipboard(window)) {
    GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  const bool set = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  if (!set) GlobalFree(memory);  // the clipboard took no ownership
  CloseClipboard();
  return set;
}

// ---- Feedback -----------------------------------------------------------------------------------

// A short report on the status line of the full header, kept as its note so that the next
// paint says the same; the compact header has none, so there a beep says that something did
// not happen.
void report(HDC dc, const char* text, bool failed) {
  setStatusNote(session, text);
  if (session.headerStyle == HeaderFull) {
    StatusLine(dc, text);
  } else if (failed) {
    MessageBeep(MB_ICONEXCLAMATION);
  }
}

// The language the text asks for is switched to and shown, the line redrawn, and the status
// line says what the paste did.
void showPasted(HDC dc, int language) {
  const bool switched = language != kKeepLanguage && language != session.searchLanguage;
  if (switched) session.searchLanguage = language;
  setStatusNote(session, !switched                ? "Pasted into the query line"
                         : session.searchLanguage ? "Pasted; the search language is now Hindi"
                                                  : "Pasted; the search language is now Russian");
  if (session.headerStyle == HeaderFull) {
    if (switched)
      paintFullHeader(dc);  // draws the note with the new language
    else
      StatusLine(dc, session.statusNote);
  }
  drawQueryLine(dc);
}

// ---- Paste and copy -----------------------------------------------------------------------------

// What cannot be pasted leaves the line as it was and says why.
void paste(HWND window, HDC dc) {
  std::u16string text;
  ClipboardQueryText q;
  if (readClipboardText(window, text)) q = queryFromPastedText(text);
  if (q.outcome != ClipboardQuery::Ready) {
    report(dc, clipboardQueryMessage(q.outcome), true);
    return;
  }
  // Text in the other language replaces the line; in the same one it goes in at the caret.
  if (q.language != kKeepLanguage && q.language != session.searchLanguage) {
    session.queryLength = session.caretIndex = 0;
  }
  if (!insertQueryBytes(session.queryText, kQueryCapacity, session.queryLength, session.caretIndex,
                        q.bytes)) {
    report(dc, clipboardQueryMessage(ClipboardQuery::TooLong), true);
    return;
  }
  showPasted(dc, q.language);
}

void copy(HWND window, HDC dc) {
  std::u16string text;
  if (session.viewMode == ViewResults) {
    std::string line;
    if (resultLineAt(resultBuffer, session.resultSize, session.scrollLine, line))
      text = resultLineToUnicode(line);
  } else if (session.viewMode == ViewTeacher) {
    std::string hindi, query;
    if (teacherPairAt("", session.scrollLine, hindi, query))
      text = teacherPairToUnicode(hindi, query);
  }
  if (text.empty()) {
    report(dc, "No entry shown: nothing copied", true);
  } else if (!writeClipboardText(window, text)) {
    report(dc, "The clipboard is busy: nothing copied", true);
  } else {
    report(dc,
           session.viewMode == ViewTeacher ? "The first pair is on the clipboard"
                                           : "The first entry is on the clipboard",
           false);
  }
}

// ---- Tracking -----------------------------------------------------------------------------------

// Brings the window up without taking the keyboard from the program the user reads in.
void showWithoutActivating(HWND window) {
  if (IsIconic(window)) ShowWindow(window, SW_SHOWNOACTIVATE);
  const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
  const bool raised = SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, flags) &&
                      SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, flags);
  if (!raised || IsIconic(window)) {
    FLASHWINFO flash = {sizeof flash, window, FLASHW_ALL | FLASHW_TIMERNOFG, 0, 0};
    FlashWindowEx(&flash);
  }
}

// A copied word is usually a form from a text: it is looked up in Phonetic, best match first,
// whatever the mode chosen (which stays for the user's own searches).
void searchInPhonetic(HDC dc) {
  const int32_t mode = session.matchMode;
  session.matchMode = Phonetic;
  const bool searched = searchAsEnter(dc);
  session.matchMode = mode;
  if (searched) session.foundBy = FoundCopiedByPhonetic;
}

void lookUp(HWND window, const ClipboardQueryText& q) {
  // From the intro screen straight to the dictionary screen, without the language dialog.
  session.dictionaryActive = 1;
  // Latin letters are read as letters (a transliteration), not as the Hindi face's codes.
  if (q.language != kKeepLanguage) session.searchLanguage = q.language;
  if (q.latin) session.searchLanguage = 0;
  session.queryLength = session.caretIndex = 0;
  insertQueryBytes(session.queryText, kQueryCapacity, session.queryLength, session.caretIndex,
                   q.bytes);

  HDC dc = GetDC(window);
  searchInPhonetic(dc);
  ReleaseDC(window, dc);
  showWithoutActivating(window);
}

// A copied text of several Hindi or Russian words: every word's entry, in the order of the
// text, takes the place of a search's results. False when the text is no sentence (a word or
// a short phrase is searched instead); true when it was glossed or is to be left alone.
bool glossCopiedSentence(HWND window, const std::u16string& text) {
  std::vector<TextWord> words;
  splitTextWords(utf16ToUtf8(text), words);
  if (static_cast<int>(words.size()) < kSentenceMinWords) return false;
  // A longer text, or a word that mixes scripts, is left alone as copies always were.
  const bool mixed =
      std::any_of(words.begin(), words.end(), [](const TextWord& w) { return w.mixed; });
  if (static_cast<int>(words.size()) > kSentenceMaxWords || mixed) return true;

  HDC dc = GetDC(window);
  GlossDictionary dictionary;
  SearchStatus status = SearchStatus::DictionaryMissing;
  SentenceGloss gloss;
  if (loadGlossDictionary("dictiona.dat", dictionary)) {
    gloss = glossSentence(dictionary, words);
    status = saveSentenceGloss("f2.tc", sentenceGlossText(dictionary, gloss));
  }
  if (!searchSucceeded(status)) {
    report(dc, "Can not read \"dictiona.dat\" or write \"f2.tc\": the copy was not glossed", true);
    ReleaseDC(window, dc);
    return true;
  }
  session.dictionaryActive = 1;
  session.searchLanguage = words[0].hindi ? 1 : 0;
  session.foundCount = static_cast<int32_t>(gloss.lines.size());
  session.foundBy = FoundAsTyped;
  session.scrollLine = 0;
  session.viewMode = ViewResults;
  // F3 pairs each listed entry with the word of the text that led to it.
  session.resultLineWordCount = 0;
  for (std::size_t k = 0; k < gloss.leadingWords.size() && k < kGlossedLines; ++k) {
    const std::string& word = gloss.leadingWords[k];
    const std::size_t n = std::min<std::size_t>(word.size(), kQueryCapacity);
    std::copy(word.begin(), word.begin() + static_cast<std::ptrdiff_t>(n),
              session.resultLineWord[k]);
    session.resultLineWordLength[k] = static_cast<int32_t>(n);
    session.resultLineWordCount = static_cast<int32_t>(k + 1);
  }
  // The line holds the text's first word, when it fits, for the highlight and the next search.
  session.queryLength = session.caretIndex = 0;
  const std::string first = gloss.lines.empty() ? std::string() : gloss.leadingWords[0];
  insertQueryBytes(session.queryText, kQueryCapacity, session.queryLength, session.caretIndex,
                   first);
  std::copy(session.queryText, session.queryText + session.queryLength, session.resultQueryText);
  session.resultQueryLength = session.queryLength;
  char note[kMessageTextSize];
  std::snprintf(note, sizeof note, "Sentence: %d words, %d found", gloss.words, gloss.found);
  setStatusNote(session, note);
  InvalidateRect(window, nullptr, FALSE);
  ReleaseDC(window, dc);
  showWithoutActivating(window);
  return true;
}

}  // namespace

bool clipboardKeyDown(HWND window, WPARAM virtualKey) {
  const ClipboardKey action = clipboardKeyFor(
      static_cast<int>(virtualKey), GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0);
  if (action == ClipboardKey::None) return false;
  HDC dc = GetDC(window);
  if (action == ClipboardKey::Paste)
    paste(window, dc);
  else
    copy(window, dc);
  ReleaseDC(window, dc);
  return true;
}

bool isClipboardCharacter(WPARAM character) { return character == 3 || character == 22; }

void toggleClipboardTracking(HWND window) {
  if (session.trackClipboard) {
    stopClipboardTracking(window);
  } else if (AddClipboardFormatListener(window)) {
    session.trackClipboard = 1;
  } else {
    MessageBoxA(window, "Can not track the clipboard", "Unfourtunately", MB_OK);
  }
  CheckMenuItem(GetMenu(window), IDM_TRACK_CLIPBOARD,
                MF_BYCOMMAND | (session.trackClipboard ? MF_CHECKED : MF_UNCHECKED));
}

void stopClipboardTracking(HWND window) {
  if (!session.trackClipboard) return;
  RemoveClipboardFormatListener(window);
  session.trackClipboard = 0;
}

// A copy made while a message box or a modal dialog holds the window waits for it to close.
bool deferWhileDisabled(HWND window) {
  if (IsWindowEnabled(window)) {
    session.clipboardLookupPending = 0;
    return false;
  }
  session.clipboardLookupPending = 1;
  return true;
}

LRESULT onClipboardUpdate(HWND window) {
  // Our own copy is no lookup.
  if (!session.trackClipboard || GetClipboardOwner() == window || deferWhileDisabled(window))
    return 0;
  std::u16string text;
  if (!readClipboardText(window, text)) return 0;
  if (glossCopiedSentence(window, text)) return 0;
  const ClipboardQueryText q = queryFromTrackedText(text);
  if (q.outcome == ClipboardQuery::Ready) lookUp(window, q);
  return 0;
}

LRESULT onEnable(HWND window, WPARAM enabled) {
  // Posted, not run here: the window is enabled again inside the call that showed the box,
  // before that handler has finished with the results a lookup would replace.
  if (enabled && session.clipboardLookupPending) PostMessageA(window, WM_CLIPBOARDUPDATE, 0, 0);
  return 0;
}
