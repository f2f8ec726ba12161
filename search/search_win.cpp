#include "search/search_win.h"

#include "base/session_state.h"
#include "search/search.h"

namespace {

// How each outcome of a search is shown. Messages of the result file's loading have no owner
// and no caption of their own; a truncated result is shown as far as it was loaded.
struct StatusMessage {
  SearchStatus status;
  const char* text;
  const char* caption;
  bool ownedByMainWindow;
};

const StatusMessage kStatusMessages[] = {
    {SearchStatus::DictionaryMissing, "Can not find \"dictiona.dat\"", "Unfourtunately", true},
    {SearchStatus::DictionaryNotRegular,
     "\"dictiona.dat\" is not a regular file (a folder or a device?). Nothing was searched.",
     "Unfourtunately", true},
    {SearchStatus::DictionaryUnreadable,
     "Can not read \"dictiona.dat\". Nothing was searched; the previous result is kept.",
     "Unfourtunately", true},
    {SearchStatus::ResultNotRegular,
     "\"f2.tc\" is not a regular file (a folder or a device?): the search cannot write its "
     "result there. Nothing was changed.",
     nullptr, true},
    {SearchStatus::QueryTooLong, "The query is longer than 32 letters.", nullptr, true},
    {SearchStatus::ResultNotCreated,
     "Can not create the result file \"f2.tc\". The previous result is kept.", nullptr, true},
    {SearchStatus::ResultNotWritten,
     "The result file \"f2.tc\" could not be written completely (is the disk full?).", nullptr,
     true},
    {SearchStatus::ResultOpenFailed, "File open failed.", nullptr, false},
    {SearchStatus::ResultSizeFailed, "GetFileSize failed!", nullptr, false},
    {SearchStatus::BufferNotAllocated,
     "There is no memory for the search results: the words found are in the file \"f2.tc\".",
     nullptr, false},
};

void showStatus(SearchStatus status) {
  for (const StatusMessage& m : kStatusMessages) {
    if (m.status == status) {
      HWND owner = m.ownedByMainWindow ? static_cast<HWND>(session.mainWindow) : nullptr;
      MessageBoxA(owner, m.text, m.caption, MB_OK);
      return;
    }
  }
}

}  // namespace

int searchDictionary() {
  SearchStatus status = runDictionarySearch();
  showStatus(status);
  return searchSucceeded(status);
}
