// The one process-wide record of UI and search state. Plain data: every handler reads and
// assigns its fields directly. Window handles are kept as opaque pointers so that the
// portable core never needs windows.h.
#pragma once
#include <cstdint>

// What the results pane of the dictionary screen shows.
enum ViewMode : int32_t { ViewPrompt = 0, ViewResults = 1, ViewTeacher = 3 };
// Layout of the dictionary screen.
enum HeaderStyle : int32_t { HeaderFull = 0, HeaderCompact = 1 };
// How the query must match; always the command identifier minus 205.
enum MatchMode : int32_t {
  SubString = 0,
  RightAppend = 1,
  LeftAppend = 2,
  Exact = 3,
  Phonetic = 4
};

// How the results shown were found, for the status line: as the user searched, by Phonetic
// after the user's mode found nothing, or by Phonetic for a word copied in another program.
enum FoundBy : int32_t { FoundAsTyped = 0, FoundByPhoneticFallback = 1, FoundCopiedByPhonetic = 2 };

constexpr int kQueryCapacity = 32;
constexpr int kMessageTextSize = 80;
constexpr int kGlossedLines = 100;  // the result list's cap of 100 lines

struct SessionState {
  int16_t dictionaryActive = 0;  // 0 intro screen, 1 dictionary screen
  int32_t headerStyle = HeaderFull;
  int32_t viewMode = ViewPrompt;
  int32_t searchLanguage = 0;  // 1 Hindi, 0 Russian
  int32_t matchMode = SubString;
  int32_t pressedControl = 0;
  int32_t scrollLine = 0;
  int32_t clientWidth = 0;
  int32_t clientHeight = 0;
  int32_t titleX = 0;
  char queryText[kQueryCapacity] = {'T', 'y', 'p', 'e', ' ', 't', 'h', 'e', ' ', 'w', 'o',
                                    'r', 'd', ' ', 'h', 'e', 'r', 'e', '.', '.', '.'};
  int32_t queryLength = 21;  // bytes of queryText in use; the text is never terminated
  int32_t caretIndex = 0;
  int32_t foundCount = 0;
  char messageText[kMessageTextSize] = {};
  int32_t resultSize = 0;
  void* modelessDialog = nullptr;  // HWND
  void* mainWindow = nullptr;      // HWND
  void* appInstance = nullptr;     // HINSTANCE
  int32_t trackClipboard = 0;      // 1 while every clipboard change is looked up
  // The query that produced the result buffer's lines, as it stood when that search ran: F3
  // pairs the shown headword with it, whatever the query line holds since.
  char resultQueryText[kQueryCapacity] = {};
  int32_t resultQueryLength = 0;
  // A glossed sentence's lines each came from a word of the text: line k's word, while k is
  // below resultLineWordCount (0 after a search), is the query F3 pairs with that line.
  char resultLineWord[kGlossedLines][kQueryCapacity] = {};
  int32_t resultLineWordLength[kGlossedLines] = {};
  int32_t resultLineWordCount = 0;
  // What the status line of the full header says about the last paste, copy, save or change
  // of language; empty while it shows the view's own text. A search clears it.
  char statusNote[kMessageTextSize] = {};
  // 1 when another program copied text while a box or dialog held the window: it is looked
  // up once the window is enabled again.
  int32_t clipboardLookupPending = 0;
  int32_t foundBy = FoundAsTyped;  // how the last search's results were found
};

// The single instance, alive from program load to exit.
extern SessionState session;

// queryLength pulled into 0..kQueryCapacity: what every reader of queryText may use, so that
// a record that broke its invariant never leads a reader outside the array.
int32_t queryBytesInUse(const SessionState& state);

// Puts text (cut to fit) on the status line's note, or clears the note with "".
void setStatusNote(SessionState& state, const char* text);
