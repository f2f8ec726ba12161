#include "teacher/teacher_lists.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "base/session_state.h"
#include "base/text_stream.h"
#include "search/result_buffer.h"

namespace fs = std::filesystem;

namespace {

// Each test works in its own scratch folder and restores the session fields it sets.
class TeacherFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = session;
    folder_ = std::string("teacher_test_") +
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::remove_all(folder_);
    fs::create_directory(folder_);
    setQuery("\xEA\xEE\xF2");  // "кот"
    session.scrollLine = 0;
    savedBuffer_ = resultBuffer;
  }
  void TearDown() override {
    session = saved_;
    resultBuffer = savedBuffer_;
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }

  const char* dir() const { return folder_.c_str(); }
  std::string path(const char* name) const { return folder_ + "/" + name; }
  void put(const char* name, const std::string& bytes) const {
    ASSERT_TRUE(writeRawFile(path(name).c_str(), bytes)) << name;
  }
  std::string get(const char* name) const {
    std::string bytes;
    EXPECT_TRUE(readRawFile(path(name).c_str(), bytes)) << name;
    return bytes;
  }
  bool exists(const char* name) const { return fs::exists(path(name)); }
  void makeDirectory(const char* name) const { fs::create_directory(path(name)); }
  // The query that found the results shown (the query line itself may hold anything since).
  void setQuery(const std::string& query) {
    std::memset(session.queryText, 'Z', sizeof session.queryText);
    std::memset(session.resultQueryText, 'Z', sizeof session.resultQueryText);  // not terminated
    std::memcpy(session.resultQueryText, query.data(), query.size());
    session.resultQueryLength = static_cast<int32_t>(query.size());
  }
  // The lines the result list was drawn from, as the search loaded them.
  void show(const std::string& results) {
    shown_ = results;
    resultBuffer = shown_.data();
    session.resultSize = static_cast<int32_t>(shown_.size());
  }
  // No temporary file may be left behind, whatever happened (folders are the tests' own).
  void expectNoTempFiles() const {
    for (const auto& entry : fs::directory_iterator(folder_))
      if (!entry.is_directory()) {
        EXPECT_NE(entry.path().extension(), ".tmp") << entry.path();
      }
  }

  SessionState saved_;
  char* savedBuffer_ = nullptr;
  std::string shown_;
  std::string folder_;
};

// "кот, море"; "пс"; "море"
const std::string kResults =
    "abc (a) \xEA\xEE\xF2, \xEC\xEE\xF0\xE5\r\n"
    "def (d) \xEF\xF1\r\n"
    "xyz \xEC\xEE\xF0\xE5\r\n";

const std::string kFiveHindi = "h1\r\nh2\r\nh3\r\nh4\r\nh5\r\n";
const std::string kFiveRussian = "r1\r\nr2\r\nr3\r\nr4\r\nr5\r\n";

// Each case saves on top of the lists the cases before it left.
TEST_F(TeacherFiles, SaveTakesTheFirstWordOfTheFirstShownResultLine) {
  show(kResults);
  put("f2.tc", "other (o) \xE4\xEE\xEC\r\n");  // rewritten by another copy of the program
  struct Case {
    int scrollLine;
    const char* query;
    const char* hindi;
    const char* russian;
  } cases[] = {
      {0, "\xEA\xEE\xF2", "abc\r\n", "\xEA\xEE\xF2\r\n"},
      // "пс" is not in line 2: its first translation "море" goes with it.
      {2, "\xEF\xF1", "abc\r\nxyz\r\n", "\xEA\xEE\xF2\r\n\xEC\xEE\xF0\xE5\r\n"},
      {1, "", "abc\r\nxyz\r\ndef\r\n", "\xEA\xEE\xF2\r\n\xEC\xEE\xF0\xE5\r\n\xEF\xF1\r\n"},
      // The same pair again is stored again: there is no check for duplicates.
      {1, "", "abc\r\nxyz\r\ndef\r\ndef\r\n",
       "\xEA\xEE\xF2\r\n\xEC\xEE\xF0\xE5\r\n\xEF\xF1\r\n\xEF\xF1\r\n"},
  };
  for (const Case& c : cases) {
    session.scrollLine = c.scrollLine;
    setQuery(c.query);
    EXPECT_EQ(saveTeacherPair(dir()), TeacherOk) << c.scrollLine;
    EXPECT_EQ(get("hin.tea"), c.hindi) << c.scrollLine;
    EXPECT_EQ(get("rus.tea"), c.russian) << c.scrollLine;
  }
  expectNoTempFiles();
}

TEST_F(TeacherFiles, WordEdgeCases) {
  struct Case {
    std::string results, hindi;
  } cases[] = {
      {" lead \xEA\xEE\xF2\r\n", "\r\n"},     // leading space: empty word
      {"last (l) \xEA\xEE\xF2", "last\r\n"},  // no line end after the last line
      {"a\x1A \xEA\xEE\xF2\r\n", "a \r\n"},   // a byte that would end the list
  };
  for (const Case& c : cases) {
    fs::remove(path("hin.tea"));
    fs::remove(path("rus.tea"));
    show(c.results);
    EXPECT_EQ(saveTeacherPair(dir()), TeacherOk) << c.results;
    EXPECT_EQ(get("hin.tea"), c.hindi) << c.results;
    EXPECT_EQ(get("rus.tea"), "\xEA\xEE\xF2\r\n") << c.results;
  }
}

TEST_F(TeacherFiles, SaveKeepsEverythingAlreadyInTheLists) {
  show(kResults);
  // Last lines without their line end, a bare LF and a tail after an end-of-text byte.
  put("hin.tea", "h1\nh2");
  put("rus.tea", "r1\r\nr2\x1Ahidden");
  EXPECT_EQ(saveTeacherPair(dir()), TeacherOk);
  EXPECT_EQ(get("hin.tea"), "h1\nh2\r\nabc\r\n");
  EXPECT_EQ(get("rus.tea"), "r1\r\nr2\r\n\xEA\xEE\xF2\r\n\x1Ahidden");
}

TEST_F(TeacherFiles, SaveWithoutAWordAndItsRussianChangesNothing) {
  struct Case {
    const char* results;  // nullptr: no search has loaded results
    int scrollLine;
    TeacherStatus expected;
  } cases[] = {
      {nullptr, 0, TeacherNoResultFile},
      {"", 0, TeacherNoResultFile},
      {"abc def\r\n", 1, TeacherNoResultLine},
      {"abc def\r\nx y\r\n", 5, TeacherNoResultLine},
      {"\r\nabc def\r\n", 0, TeacherNoResultLine},
      {"abc (a) def\r\n", 0, TeacherNoTranslation},  // nothing Russian in the entry
      {"whole-line\r\n", 0, TeacherNoTranslation},
  };
  put("hin.tea", kFiveHindi);
  put("rus.tea", kFiveRussian);
  for (const Case& c : cases) {
    resultBuffer = nullptr;
    session.resultSize = 0;
    if (c.results) show(c.results);
    session.scrollLine = c.scrollLine;
    EXPECT_EQ(saveTeacherPair(dir()), c.expected) << c.scrollLine;
    EXPECT_EQ(get("hin.tea"), kFiveHindi);
    EXPECT_EQ(get("rus.tea"), kFiveRussian);
    EXPECT_STRNE(teacherStatusText(c.expected), "");
  }
}

// rus.tea holds Russian, always: the query where the entry has it as a whole word, otherwise
// the entry's first translation; nothing when the entry has no Russian to give.
TEST(TeacherRussian, QueryWhenTheEntryHasItElseTheFirstTranslation) {
  // पानी (па:-ни:) "ж. вода, водица; ~ पीना пить воду"
  const std::string water =
      "panY (\xEF\xE0:-\xED\xE8:) \xE6. \xE2\xEE\xE4\xE0, \xE2\xEE\xE4\xE8\xF6\xE0; ~ "
      "pInaa \xEF\xE8\xF2\xFC \xE2\xEE\xE4\xF3";
  const std::string voda = "\xE2\xEE\xE4\xE0";
  // की (ки:) "1) послелог родительного падежа, при ...; 2) гл. сделала"
  const std::string of =
      "kI (\xEA\xE8:) 1) \xEF\xEE\xF1\xEB\xE5\xEB\xEE\xE3 \xF0\xEE\xE4\xE8\xF2\xE5\xEB"
      "\xFC\xED\xEE\xE3\xEE \xEF\xE0\xE4\xE5\xE6\xE0, \xEF\xF0\xE8; 2) \xE3\xEB. x";
  struct Case {
    const char* name;
    std::string line, query, russian;
  } cases[] = {
      {"Russian query in the entry", water, voda, voda},
      {"a later word of the entry", water, "\xE2\xEE\xE4\xF3", "\xE2\xEE\xE4\xF3"},
      {"capital and yo: the entry's spelling", water, "\xC2\xCE\xC4\xC0", voda},
      {"inflected query", water, "\xE2\xEE\xE4\xFB", voda},
      {"part of a word only", water, "\xE2\xEE\xE4", voda},
      {"Latin query", water, "paanee", voda},
      {"Hindi query (face codes)", water, "panY", voda},
      {"Hindi example word", water, "pInaa", voda},
      {"only in the reading", water, "\xEF\xE0", voda},
      {"wildcard query", water, "\xE2\xEE\xE4*", voda},
      {"the postposition word heads it", of, "kI",
       "\xEF\xEE\xF1\xEB\xE5\xEB\xEE\xE3 \xF0\xEE\xE4\xE8\xF2\xE5\xEB\xFC\xED\xEE\xE3\xEE "
       "\xEF\xE0\xE4\xE5\xE6\xE0"},
      // "1) м. темнота, мрак": sense number, then the mark
      {"sense number and mark", "A@Dera (a) 1) \xEC. \xF2\xE5\xEC\xED\xEE\xF2\xE0, \xEC", "x",
       "\xF2\xE5\xEC\xED\xEE\xF2\xE0"},
      // "союз то есть, а": a mark without a full stop; words up to the comma
      {"whole-word mark", "ATa^t (a) \xF1\xEE\xFE\xE7 \xF2\xEE \xE5\xF1\xF2\xFC, \xE0", "x",
       "\xF2\xEE \xE5\xF1\xF2\xFC"},
      // "т.е. то есть": an abbreviation that is no grammatical mark stays
      {"other abbreviation", "k (a) \xF2.\xE5. \xF2\xEE", "x", "\xF2.\xE5. \xF2\xEE"},
      {"no reading", "kml \xEB\xEE\xF2\xEE\xF1  ", "x", "\xEB\xEE\xF2\xEE\xF1"},
      // "см. घर - вариант": a pointer gives no Russian word of its own
      {"pointer line", "Gr (a) \xF1\xEC. Gr - \xE2\xE0\xF0", "Gr", ""},
      {"marks only", "kml (kamal) \xEC.", "x", ""},
      {"unclosed reading", "kml (kamal", "x", ""},
      {"headword only", "kml", "\xEA", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(teacherRussianFor(c.line, c.query), c.russian) << c.name;
  }
}

TEST_F(TeacherFiles, DeleteRemovesTheFirstShownPairFromBoth) {
  struct Case {
    int scrollLine;
    std::string hindi, russian;
  } cases[] = {
      {0, "h2\r\nh3\r\nh4\r\nh5\r\n", "r2\r\nr3\r\nr4\r\nr5\r\n"},
      {2, "h1\r\nh2\r\nh4\r\nh5\r\n", "r1\r\nr2\r\nr4\r\nr5\r\n"},
      {4, "h1\r\nh2\r\nh3\r\nh4\r\n", "r1\r\nr2\r\nr3\r\nr4\r\n"},
      {5, kFiveHindi, kFiveRussian},
      {7, kFiveHindi, kFiveRussian},
  };
  for (const Case& c : cases) {
    put("hin.tea", kFiveHindi);
    put("rus.tea", kFiveRussian);
    put("hintea.bak", "stale\r\n");
    put("rustea.bak", "stale\r\n");
    session.scrollLine = c.scrollLine;
    EXPECT_EQ(deleteTeacherPair(dir()), TeacherOk) << c.scrollLine;
    EXPECT_EQ(get("hin.tea"), c.hindi) << c.scrollLine;
    EXPECT_EQ(get("rus.tea"), c.russian) << c.scrollLine;
    EXPECT_EQ(get("hintea.bak"), kFiveHindi) << "backup holds the list as it was";
    EXPECT_EQ(get("rustea.bak"), kFiveRussian);
  }
  expectNoTempFiles();
}

TEST_F(TeacherFiles, DeleteHandlesIrregularLineEnds) {
  struct Case {
    std::string before;
    int scrollLine;
    std::string after;
  } cases[] = {
      {"a\r\nb", 1, "a\r\n"},      // last line without its line end
      {"a\nb\nc\n", 1, "a\nc\n"},  // bare LF line ends
      {"a\r\nb\r\n\x1A"
       "c\r\n",
       2,
       "a\r\nb\r\n\x1A"
       "c\r\n"},  // hidden tail is no line
      {"a\r\nb\r\n\x1A"
       "c\r\n",
       1,
       "a\r\n\x1A"
       "c\r\n"},
      {"", 0, ""},
  };
  for (const Case& c : cases) {
    put("hin.tea", c.before);
    put("rus.tea", c.before);
    session.scrollLine = c.scrollLine;
    EXPECT_EQ(deleteTeacherPair(dir()), TeacherOk);
    EXPECT_EQ(get("hin.tea"), c.after) << c.before;
    EXPECT_EQ(get("rus.tea"), c.after) << c.before;
  }
}

TEST_F(TeacherFiles, BackupIsAByteForByteCopy) {
  const std::string odd = std::string("a\nb\r\r\n\0\xFF", 8) +
                          "\x1A"
                          "after";
  put("hin.tea", odd);
  put("rus.tea", kFiveRussian);
  EXPECT_EQ(backupTeacherLists(dir()), 1);
  EXPECT_EQ(get("hintea.bak"), odd);
  EXPECT_EQ(get("rustea.bak"), kFiveRussian);
  // A second backup replaces the first one.
  put("hin.tea", "new\r\n");
  EXPECT_EQ(backupTeacherLists(dir()), 1);
  EXPECT_EQ(get("hintea.bak"), "new\r\n");
}

// ---- Faults: whatever fails, no list loses a byte and the pairs stay aligned -------------

TEST_F(TeacherFiles, MissingListLeavesOldBackupsAlone) {
  put("rus.tea", kFiveRussian);
  put("hintea.bak", "old hindi backup\r\n");
  put("rustea.bak", "old russian backup\r\n");
  EXPECT_EQ(backupTeacherPair(dir()), TeacherListMissing);
  EXPECT_EQ(deleteTeacherPair(dir()), TeacherListMissing);
  EXPECT_EQ(get("hintea.bak"), "old hindi backup\r\n");
  EXPECT_EQ(get("rustea.bak"), "old russian backup\r\n");
  EXPECT_EQ(get("rus.tea"), kFiveRussian);
  EXPECT_FALSE(exists("hin.tea"));
}

// The path of a file the operation must write is taken by a folder: opening it for writing
// fails as it would in a read-only folder, and this works for root and under Wine alike.
TEST_F(TeacherFiles, UnwritableFilesRefuseTheWholeChange) {
  struct Case {
    const char* blocked;
    bool deleting;
    TeacherStatus expected;
    const char* hindiBackup;  // what hintea.bak starts with afterwards; nullptr: not checked
  } cases[] = {
      {"hin.tea.tmp", false, TeacherWriteFailed, "old "},
      {"rus.tea.tmp", false, TeacherWriteFailed, "old "},
      {"hin.tea", false, TeacherListUnreadable, "old "},
      {"hin.tea", true, TeacherListUnreadable, "old "},
      {"hin.tea.tmp", true, TeacherWriteFailed, "h1\r\n"},  // backups were refreshed first
      {"rus.tea.tmp", true, TeacherWriteFailed, "h1\r\n"},
      {"hintea.bak", true, TeacherBackupFailed, nullptr},  // backup cannot be replaced
      {"hintea.bak.tmp", true, TeacherBackupFailed, "old "},
      {"rustea.bak", true, TeacherBackupFailed, "h1\r\n"},
      {"rustea.bak.tmp", true, TeacherBackupFailed, "old "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.blocked) + (c.deleting ? " deleting" : " saving"));
    fs::remove_all(folder_);
    fs::create_directory(folder_);
    show(kResults);
    put("hin.tea", kFiveHindi);
    put("rus.tea", kFiveRussian);
    put("hintea.bak", "old h\r\n");
    put("rustea.bak", "old r\r\n");
    fs::remove_all(path(c.blocked));
    makeDirectory(c.blocked);
    session.scrollLine = 1;
    TeacherStatus status = c.deleting ? deleteTeacherPair(dir()) : saveTeacherPair(dir());
    EXPECT_EQ(status, c.expected);
    EXPECT_STRNE(teacherStatusText(status), "");
    if (std::string(c.blocked) != "hin.tea") {
      EXPECT_EQ(get("hin.tea"), kFiveHindi);
    }
    EXPECT_EQ(get("rus.tea"), kFiveRussian);
    if (c.hindiBackup) {
      EXPECT_EQ(get("hintea.bak").substr(0, 4), c.hindiBackup);
    }
    if (std::string(c.blocked) != "rustea.bak") {
      std::string rusBackup = get("rustea.bak");
      EXPECT_TRUE(rusBackup == "old r\r\n" || rusBackup == kFiveRussian) << "never half written";
    }
    expectNoTempFiles();
  }
}

#ifdef _WIN32
// Another program holding rus.tea open (without delete sharing) lets it be read but not
// replaced: the first list has then already been replaced and must be put back.
TEST_F(TeacherFiles, ListHeldOpenElsewhereIsPutBack) {
  show(kResults);
  put("hin.tea", kFiveHindi);
  put("rus.tea", kFiveRussian);
  std::FILE* holder = std::fopen(path("rus.tea").c_str(), "rb");
  ASSERT_NE(holder, nullptr);
  session.scrollLine = 1;
  TeacherStatus saved = saveTeacherPair(dir());
  TeacherStatus deleted = deleteTeacherPair(dir());
  std::fclose(holder);
  EXPECT_EQ(saved, TeacherListInUse);
  EXPECT_EQ(deleted, TeacherListInUse);
  EXPECT_NE(std::string(teacherStatusText(saved)).find("open in another program"),
            std::string::npos);
  EXPECT_EQ(get("hin.tea"), kFiveHindi);
  EXPECT_EQ(get("rus.tea"), kFiveRussian);
  expectNoTempFiles();
}
#endif

#ifndef _WIN32
// /dev/full accepts the file open and fails the write with "no space left on device".
TEST_F(TeacherFiles, FullDiskLosesNothing) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this system";
  show(kResults);
  put("hin.tea", kFiveHindi);
  put("rus.tea", kFiveRussian);
  fs::create_symlink("/dev/full", path("rus.tea.tmp"));
  EXPECT_EQ(saveTeacherPair(dir()), TeacherWriteFailed);
  EXPECT_EQ(get("hin.tea"), kFiveHindi);
  EXPECT_EQ(get("rus.tea"), kFiveRussian);
  fs::create_symlink("/dev/full", path("hintea.bak.tmp"));
  session.scrollLine = 1;
  EXPECT_EQ(deleteTeacherPair(dir()), TeacherBackupFailed);
  EXPECT_EQ(get("hin.tea"), kFiveHindi);
  EXPECT_EQ(get("rus.tea"), kFiveRussian);
}
#endif

// ---- Layout of the teacher view ------------------------------------------------------------

std::string hindiAt(const TeacherLayout& layout, int y) {
  for (const auto& line : layout.hindi)
    if (line.y == y) return line.bytes;
  return "<none>";
}

std::string russianAt(const TeacherLayout& layout, int y) {
  std::string text;
  for (const auto& cell : layout.russian)
    if (cell.y == y) {
      EXPECT_EQ(cell.x, 220 + 10 * static_cast<int>(text.size()));
      text.push_back(cell.byte);
    }
  return text;
}

TEST(TeacherLayout, PairsStandSideBySideFromTheScrollLine) {
  const std::string hin = "one\ntwo\nthree\n", rus = "\xE0\n\xE1\xE2\nxyz\n";
  struct Case {
    int scrollLine;
    const char* firstHindi;
    const char* firstRussian;
    std::size_t lines;
  } cases[] = {
      {0, "one", "\xE0", 3}, {1, "two", "\xE1\xE2", 2}, {2, "three", "xyz", 1},
      {3, "<none>", "", 0},  {9, "<none>", "", 0},
  };
  for (const Case& c : cases) {
    TeacherLayout layout = layoutTeacherLists(hin, rus, c.scrollLine, 600, 512);
    EXPECT_EQ(layout.hindi.size(), c.lines) << c.scrollLine;
    EXPECT_EQ(hindiAt(layout, 130), c.firstHindi) << c.scrollLine;
    EXPECT_EQ(russianAt(layout, 130), c.firstRussian) << c.scrollLine;
    for (std::size_t k = 0; k < layout.hindi.size(); ++k) {
      EXPECT_EQ(layout.hindi[k].x, 20);
      EXPECT_EQ(layout.hindi[k].y, 130 + 30 * static_cast<int>(k));
      EXPECT_FALSE(russianAt(layout, layout.hindi[k].y).empty()) << "partner on the same row";
    }
  }
}

TEST(TeacherLayout, ListsStopAtThePaneBottom) {
  std::string hin, rus;
  for (int i = 0; i < 40; ++i) {
    hin += "h" + std::to_string(i) + "\n";
    rus += "r" + std::to_string(i) + "\n";
  }
  struct Case {
    int clientHeight;
    std::size_t lines;  // rows whose y is not larger than clientHeight - 85
  } cases[] = {{245, 2}, {244, 1}, {246, 2}, {215, 1}, {214, 0}, {100, 0}, {2000, 40}};
  for (const Case& c : cases) {
    TeacherLayout layout = layoutTeacherLists(hin, rus, 0, c.clientHeight, 512);
    EXPECT_EQ(layout.hindi.size(), c.lines) << c.clientHeight;
    int lastRussianY = layout.russian.empty() ? 0 : layout.russian.back().y;
    int lastHindiY = layout.hindi.empty() ? 0 : layout.hindi.back().y;
    EXPECT_EQ(lastRussianY, lastHindiY) << c.clientHeight;
  }
}

TEST(TeacherLayout, LongAndUnterminatedLines) {
  const std::string longLine(70, 'k');
  TeacherLayout layout = layoutTeacherLists(longLine + "\n\nlast", "a\n\nlast", 0, 600, 512);
  ASSERT_EQ(layout.hindi.size(), 2u) << "a last Hindi line without its line feed is not drawn";
  EXPECT_EQ(layout.hindi[0].bytes, std::string(52, 'k'));
  EXPECT_EQ(layout.hindi[1].bytes, "");
  EXPECT_EQ(russianAt(layout, 190), "last");
}

// A Russian line is laid out only as far as the pane reaches; the rest of the line (a
// megabyte of it) costs nothing and the next line still stands on its own row.
TEST(TeacherLayout, RussianCellsStopAtThePaneRightEdge) {
  const std::string huge(1 << 20, 'x');
  struct Case {
    int paneRight;
    std::size_t cells;  // cells of the first line: those starting left of paneRight
  } cases[] = {{512, 30}, {511, 30}, {510, 29}, {221, 1}, {220, 0}, {100, 0}};
  for (const Case& c : cases) {
    TeacherLayout layout = layoutTeacherLists("a\nb\n", huge + "\nyz\n", 0, 600, c.paneRight);
    EXPECT_EQ(russianAt(layout, 130).size(), c.cells) << c.paneRight;
    EXPECT_EQ(russianAt(layout, 160), c.paneRight > 230   ? "yz"
                                      : c.paneRight > 220 ? "y"
                                                          : "")
        << c.paneRight;
    EXPECT_EQ(layout.russian.size(), c.cells + russianAt(layout, 160).size()) << c.paneRight;
  }
}

TEST_F(TeacherFiles, LoadNeedsBothLists) {
  TeacherLayout layout;
  put("hin.tea", "a\r\nb\r\n");
  EXPECT_FALSE(loadTeacherLayout(dir(), 0, 600, 512, layout));
  EXPECT_TRUE(layout.hindi.empty());
  put("rus.tea", "\xE0\r\n\xE1\r\n");
  ASSERT_TRUE(loadTeacherLayout(dir(), 1, 600, 512, layout));
  EXPECT_EQ(hindiAt(layout, 130), "b") << "CR LF read as one line end";
  EXPECT_EQ(russianAt(layout, 130), "\xE1");
}

}  // namespace
