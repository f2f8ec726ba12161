#include <gtest/gtest.h>

#include <random>

#ifndef _WIN32
#include <sys/stat.h>
#endif
#include <string>

#include "search/search.h"
#include "search_reference.h"
#include "search_test_support.h"

namespace {

std::string show(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out;
}

TEST(Delimiter, ExactlyTheTwelveBoundaryBytes) {
  const std::string set = ";,.[]()! ?\"\n";
  for (int b = 0; b < 256; ++b) {
    bool expected = set.find(static_cast<char>(b)) != std::string::npos;
    EXPECT_EQ(isDelimiter(static_cast<unsigned char>(b)), expected ? 1 : 0) << "byte " << b;
  }
}

// Edge cases of the search, each with the expected f2.tc and foundCount written out by hand.
TEST(Search, EdgeCases) {
  struct Case {
    const char* name;
    std::string dictionary, query;
    int mode;
    std::string resultFile;
    int foundCount;
  } cases[] = {
      {"overlapping and repeated occurrences count separately", "zz\r\nabab ab\r\nzz\r\n", "ab",
       SubString, "abab ab\r\n", 3},
      {"aa in aaa gives two", "aaa\r\n", "aa", SubString, "aaa\r\n", 2},
      {"exact between space and comma", "x ab, y\r\n", "ab", Exact, "x ab, y\r\n", 1},
      {"exact refuses a word tail", "xab y\r\n", "ab", Exact, "", 0},
      {"left append needs a delimiter after", "ab\r\nabc\r\n", "ab", LeftAppend, "ab\r\n", 1},
      {"right append needs a delimiter before", "xab\r\n(abc\r\n", "ab", RightAppend, "(abc\r\n",
       1},
      {"file start: substring accepts", "ab ab\r\n", "ab", SubString, "ab ab\r\n", 2},
      {"file start: left append accepts", "ab ab\r\n", "ab", LeftAppend, "ab ab\r\n", 2},
      {"file start: right append refuses the first", "ab ab\r\n", "ab", RightAppend, "ab ab\r\n",
       1},
      {"file start: exact refuses the first", "ab\r\n", "ab", Exact, "", 0},
      {"line start has LF as left neighbour", "x\r\nab\r\n", "ab", Exact, "ab\r\n", 1},
      {"CR is not a delimiter", "x\rab\r\n", "ab", RightAppend, "", 0},
      {"hyphen, colon, tab, zero and 0x80+ are not delimiters", "-ab:\r\n\tab\xA0\r\n", "ab", Exact,
       "", 0},
      {"star matches space and hyphen", "a b\r\na-b\r\nab\r\n", "a*b", SubString, "a b\r\na-b\r\n",
       2},
      {"star across a line end names the line of b", "xa\r\nbx\r\ny\r\n", "a*b", SubString,
       "bx\r\n", 1},
      {"trailing star over LF names the next line", "ab\r\ncd\r\n", "ab*", SubString, "cd\r\n", 1},
      {"match on the last byte is never recorded", "xx\r\nab", "ab", SubString, "", 0},
      {"last line without LF is written without line end", "xx\r\nab ", "ab", SubString, "ab ", 1},
      {"leading star stands for the zero byte before the file", "bc\r\n", "*bc", SubString,
       "bc\r\n", 1},
      {"zero byte in the query matches the start", "bc\r\n", std::string("\0b", 2), SubString,
       "bc\r\n", 1},
      {"0x1A ends the search",
       "ab\r\n\x1A"
       "ab\r\n",
       "ab", SubString, "ab\r\n", 1},
      {"0x1A right after a match: no right neighbour",
       "xab\x1A"
       "c\r\n",
       "ab", SubString, "", 0},
      {"0x1A in the query never matches",
       "a\x1A"
       "b\r\n",
       "a\x1A", SubString, "", 0},
      {"lone LF lines are written with CR LF", "ab\nx\n", "ab", SubString, "ab\r\n", 1},
      {"lone CR stays inside the line", "a\rb\r\n", "a\rb", SubString, "a\rb\r\n", 1},
      {"CR before CR LF is an ordinary byte", "ab\r\r\nz\r\n", "b\r", LeftAppend, "ab\r\r\n", 1},
      {"CR of a CR LF pair is not a byte", "ab\r\nz\r\n", "b\r", SubString, "", 0},
      {"query of LF matches CR LF", "ab\r\ncd\r\n", "b\nc", SubString, "cd\r\n", 1},
      {"case and code page are exact", "\xC0\xE1\r\n\xE0\xE1\r\n", "\xE0\xE1", SubString,
       "\xE0\xE1\r\n", 1},
      {"phonetic counts lines, not occurrences", "panY (p) x\r\nab\r\npanY panY\r\n", "paanee",
       Phonetic, "panY (p) x\r\npanY panY\r\n", 2},
      {"empty dictionary", "", "ab", SubString, "", 0},
      {"query longer than the file", "ab\r\n", "abcdefgh", SubString, "", 0},
  };
  ScratchDir dir;
  GuardedResultBuffer buffer;
  for (const auto& c : cases) {
    SearchRun run = productionSearch(dir, c.dictionary, c.query, c.mode);
    EXPECT_EQ(run.status, SearchStatus::Loaded) << c.name;
    EXPECT_EQ(show(run.resultFile), show(c.resultFile)) << c.name;
    EXPECT_EQ(run.foundCount, c.foundCount) << c.name;
    EXPECT_EQ(run.resultSize, static_cast<int>(c.resultFile.size())) << c.name;
    EXPECT_EQ(run.buffer, c.resultFile) << c.name;
  }
}

TEST(Search, EmptyQueryRecordsTheFirstHundredPositionsAfterTheFirstByte) {
  std::string dictionary;
  for (int i = 0; i < 60; ++i)
    dictionary += std::string(1, static_cast<char>('a' + i % 26)) + "\r\n";
  ScratchDir dir;
  GuardedResultBuffer buffer;
  SearchRun run = productionSearch(dir, dictionary, "", SubString);
  EXPECT_EQ(run.foundCount, 100);
  // Bytes 2 to 101 (translated, two per line) lie on lines 0 to 50.
  std::string expected = dictionary.substr(0, 51 * 3);
  EXPECT_EQ(run.resultFile, expected);
}

TEST(Search, StopsAtTheHundredthMatch) {
  std::string dictionary;
  for (int i = 0; i < 150; ++i) dictionary += "w" + std::to_string(i) + " ab\r\n";
  ScratchDir dir;
  GuardedResultBuffer buffer;
  SearchRun run = productionSearch(dir, dictionary, "ab", Exact);
  EXPECT_EQ(run.foundCount, 100);
  EXPECT_EQ(run.resultFile, dictionary.substr(0, dictionary.find("w100 ")));
}

TEST(Search, MissingDictionaryChangesNothing) {
  ScratchDir dir;
  GuardedResultBuffer buffer;
  std::string result = dir.file("f2.tc");
  writeRawFile(result.c_str(), "old result\r\n");
  session.foundCount = 5;
  session.resultSize = 12;
  setQuery("ab", SubString);
  SearchPaths paths;
  std::string dict = dir.file("dictiona.dat");
  paths.dictionary = dict.c_str();
  paths.result = result.c_str();
  EXPECT_EQ(runDictionarySearch(paths), SearchStatus::DictionaryMissing);
  EXPECT_EQ(searchSucceeded(SearchStatus::DictionaryMissing), 0);
  std::string kept;
  ASSERT_TRUE(readRawFile(result.c_str(), kept));
  EXPECT_EQ(kept, "old result\r\n");
  EXPECT_EQ(session.foundCount, 5);
  EXPECT_EQ(session.resultSize, 12);
}

// Dictionaries and result files that cannot be used: refused before anything is opened for
// good, so the previous result stays on disk and in the session.
TEST(Search, FilesThatCannotBeUsedChangeNothing) {
  enum Setup { DictionaryFolder, DictionaryPipe, ResultFolder, ResultPipe, ResultInMissingFolder };
  struct Case {
    Setup setup;
    SearchStatus status;
  } cases[] = {
      {DictionaryFolder, SearchStatus::DictionaryNotRegular},
      {ResultFolder, SearchStatus::ResultNotRegular},
      {ResultInMissingFolder, SearchStatus::ResultNotCreated},
#ifndef _WIN32
      {DictionaryPipe, SearchStatus::DictionaryNotRegular},  // opening it would wait for ever
      {ResultPipe, SearchStatus::ResultNotRegular},
#endif
  };
  for (const Case& c : cases) {
    ScratchDir dir;
    GuardedResultBuffer buffer;
    std::string dict = dir.file("dictiona.dat");
    std::string result = dir.file("f2.tc");
    writeRawFile(dict.c_str(), "ab\r\n");
    writeRawFile(result.c_str(), "old result\r\n");
    switch (c.setup) {
      case DictionaryFolder:
        std::filesystem::remove(dict);
        std::filesystem::create_directory(dict);
        break;
      case ResultFolder:
        std::filesystem::remove(result);
        std::filesystem::create_directory(result);
        break;
      case ResultInMissingFolder: result = dir.file("missing/f2.tc"); break;
      case DictionaryPipe:
      case ResultPipe: {
#ifndef _WIN32
        const std::string& pipe = c.setup == DictionaryPipe ? dict : result;
        std::filesystem::remove(pipe);
        ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
#endif
        break;
      }
    }
    session.foundCount = 5;
    session.resultSize = 12;
    setQuery("a", SubString);
    SearchPaths paths;
    paths.dictionary = dict.c_str();
    paths.result = result.c_str();
    SearchStatus status = runDictionarySearch(paths);
    EXPECT_EQ(status, c.status) << c.setup;
    EXPECT_EQ(searchSucceeded(status), 0) << c.setup;
    EXPECT_EQ(session.foundCount, 5) << c.setup;
    EXPECT_EQ(session.resultSize, 12) << c.setup;
    if (c.setup == DictionaryFolder) {
      std::string kept;
      ASSERT_TRUE(readRawFile(result.c_str(), kept));
      EXPECT_EQ(kept, "old result\r\n");
    }
  }
}

TEST(Search, AFolderReadsAsAFailureInEveryMode) {
  // Opened directly (past the regular-file check), a folder either does not open or fails
  // on its first read: never the end of an empty dictionary.
  ScratchDir dir;
  std::string folder = dir.file("dictiona.dat");
  std::filesystem::create_directory(folder);
  for (int mode : {SubString, Exact, Phonetic}) {
    MatchList matches;
    EXPECT_FALSE(findMatches(folder.c_str(), "pani", 4, mode, matches)) << mode;
    EXPECT_EQ(matches.count, 0) << mode;
  }
}

TEST(Search, TooLongQueryIsRefused) {
  ScratchDir dir;
  std::string dict = dir.file("dictiona.dat");
  writeRawFile(dict.c_str(), "ab\r\n");
  session.queryLength = kQueryCapacity + 1;
  SearchPaths paths;
  paths.dictionary = dict.c_str();
  std::string result = dir.file("f2.tc");
  paths.result = result.c_str();
  EXPECT_EQ(runDictionarySearch(paths), SearchStatus::QueryTooLong);
  EXPECT_FALSE(std::filesystem::exists(result));
}

TEST(Search, ResultBiggerThanTheBufferIsCutAtTheBuffer) {
  // 100 long lines of 2000 bytes give a result file of about 200 KB.
  std::string line(1998, 'x');
  line[5] = ' ';
  std::string dictionary;
  for (int i = 0; i < 120; ++i) dictionary += line + "\r\n";
  ScratchDir dir;
  GuardedResultBuffer buffer;
  SearchRun run = productionSearch(dir, dictionary, " ", SubString);
  EXPECT_EQ(run.status, SearchStatus::LoadedTruncated);
  EXPECT_EQ(run.foundCount, 100);
  EXPECT_EQ(run.resultFile.size(), 100u * 2000u);
  EXPECT_EQ(run.resultSize, static_cast<int>(kResultBufferSize));
  EXPECT_EQ(run.buffer, run.resultFile.substr(0, kResultBufferSize));
  EXPECT_TRUE(buffer.guardIntact());
}

TEST(Search, WithoutBufferTheResultFileIsStillWritten) {
  ScratchDir dir;
  resultBuffer = nullptr;
  SearchRun run = productionSearch(dir, "ab\r\ncd\r\n", "cd", SubString);
  EXPECT_EQ(run.status, SearchStatus::BufferNotAllocated);
  EXPECT_EQ(searchSucceeded(run.status), 1);
  EXPECT_EQ(run.resultFile, "cd\r\n");
  EXPECT_EQ(run.foundCount, 1);
  EXPECT_EQ(run.resultSize, 0);
}

TEST(LoadResult, MissingFileKeepsTheBuffer) {
  ScratchDir dir;
  GuardedResultBuffer buffer;
  session.resultSize = 3;
  std::string missing = dir.file("f2.tc");
  EXPECT_EQ(loadResultBuffer(missing.c_str()), SearchStatus::ResultOpenFailed);
  EXPECT_EQ(session.resultSize, 3);
}

// ---- Differential tests against the step-by-step reference ------------------------------

// Dictionaries rich in what the search must get right: delimiters, parentheses, stars, CR
// (paired and alone), bare LF, 0x1A, zero and upper-half bytes, and a few repeated words so
// that queries taken from the text match many times.
std::string randomDictionary(std::mt19937& rng, std::size_t size) {
  static const char* const kPieces[] = {"ab",   "ba",       "a",    "b",    " ",    ", ", ".",
                                        "(ab)", "[",        "]",    "!",    "?",    "\"", ";",
                                        "*",    "\r\n",     "\r\n", "\r\n", "\n",   "\r", "-",
                                        "\t",   "\xE0\xE1", "\xC0", "\xFF", "\x80", ":"};
  std::string out;
  std::uniform_int_distribution<int> piece(0, sizeof kPieces / sizeof kPieces[0] - 1);
  std::uniform_int_distribution<int> rare(0, 999);
  while (out.size() < size) {
    int r = rare(rng);
    if (r == 0) {
      out += '\x1A';
    } else if (r == 1) {
      out += '\0';
    } else {
      out += kPieces[piece(rng)];
    }
  }
  return out;
}

// A query cut from the translated text (so it matches), with some bytes turned into "*", or
// now and then a random one.
std::string randomQuery(std::mt19937& rng, const std::string& dictionary) {
  std::uniform_int_distribution<int> length(0, 32);
  int n = length(rng);
  if (n > 6 && rng() % 3) n = static_cast<int>(rng() % 7);  // short queries match more often
  std::string q;
  if (!dictionary.empty() && rng() % 5) {
    std::size_t at = rng() % dictionary.size();
    for (std::size_t i = at; i < dictionary.size() && static_cast<int>(q.size()) < n; ++i) {
      if (dictionary[i] == '\r' && i + 1 < dictionary.size() && dictionary[i + 1] == '\n') continue;
      q += dictionary[i];
    }
  } else {
    static const char kBytes[] = "ab ,.()*\n\r\xE0\xE1";
    for (int i = 0; i < n; ++i) q += kBytes[rng() % (sizeof kBytes - 1)];
  }
  for (char& c : q) {
    if (rng() % 6 == 0) c = '*';
  }
  return q;
}

void expectSameAsReference(const ScratchDir& dir, const std::string& dictionary,
                           const std::string& query, int mode, std::size_t blockSize) {
  SearchRun run = productionSearch(dir, dictionary, query, mode, blockSize);
  std::string dict = dir.file("dictiona.dat"), refResult = dir.file("reference.tc");
  reference::Outcome ref = reference::search(dict.c_str(), refResult.c_str(), query, mode,
                                             resultBuffer ? kResultBufferSize : 0);
  std::string refFile;
  readRawFile(refResult.c_str(), refFile);
  std::string where = "query \"" + show(query) + "\" mode " + std::to_string(mode) + " block " +
                      std::to_string(blockSize) + " dictionary of " +
                      std::to_string(dictionary.size()) + " bytes";
  ASSERT_EQ(run.status, ref.status) << where;
  ASSERT_EQ(run.foundCount, ref.foundCount) << where;
  ASSERT_EQ(show(run.resultFile), show(refFile)) << where;
  ASSERT_EQ(run.resultSize, ref.resultSize) << where;
  ASSERT_EQ(run.buffer, ref.buffer) << where;

  // The same lines written from a list that carries line numbers only, as another matcher
  // hands them over: the copy then reads the dictionary from its start.
  MatchList numbersOnly;
  std::string dictPath = dir.file("dictiona.dat"), plain = dir.file("numbers-only.tc");
  ASSERT_TRUE(findMatches(dictPath.c_str(), query.data(), static_cast<int>(query.size()), mode,
                          numbersOnly, blockSize));
  numbersOnly.lineStartsKnown = false;
  ASSERT_EQ(writeSelectedLines(dictPath.c_str(), plain.c_str(), numbersOnly, blockSize),
            SearchStatus::Loaded);
  std::string plainFile;
  readRawFile(plain.c_str(), plainFile);
  ASSERT_EQ(show(plainFile), show(refFile)) << where << " (line numbers only)";
}

TEST(SearchDifferential, SmallRandomDictionariesAllModes) {
  ScratchDir dir;
  GuardedResultBuffer buffer;
  std::mt19937 rng(20240611);
  for (int round = 0; round < 150; ++round) {
    std::string dictionary = randomDictionary(rng, rng() % 1500);
    for (int k = 0; k < 4; ++k) {
      std::string query = randomQuery(rng, dictionary);
      for (int mode = SubString; mode <= Exact; ++mode) {
        // Tiny blocks put block edges everywhere, including inside CR LF pairs.
        std::size_t block = (k % 2) ? 1 : kSearchBlockSize;
        expectSameAsReference(dir, dictionary, query, mode, block);
        if (HasFatalFailure()) return;
      }
    }
  }
}

TEST(SearchDifferential, LargerDictionariesAcrossBlockEdges) {
  ScratchDir dir;
  GuardedResultBuffer buffer;
  std::mt19937 rng(77);
  for (int round = 0; round < 6; ++round) {
    std::string dictionary = randomDictionary(rng, 20000 + rng() % 20000);
    // Queries found only late in the file exercise the carried bytes between blocks.
    for (int k = 0; k < 5; ++k) {
      std::string query = randomQuery(rng, dictionary.substr(dictionary.size() / 2));
      int mode = static_cast<int>(rng() % 4);
      for (std::size_t block : {std::size_t(1), std::size_t(1000), kSearchBlockSize}) {
        expectSameAsReference(dir, dictionary, query, mode, block);
        if (HasFatalFailure()) return;
      }
    }
  }
}

TEST(SearchDifferential, WithoutResultBuffer) {
  ScratchDir dir;
  resultBuffer = nullptr;
  std::mt19937 rng(5);
  for (int round = 0; round < 20; ++round) {
    std::string dictionary = randomDictionary(rng, 500);
    expectSameAsReference(dir, dictionary, randomQuery(rng, dictionary), SubString,
                          kSearchBlockSize);
    if (HasFatalFailure()) return;
  }
}

}  // namespace
