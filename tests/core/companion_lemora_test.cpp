#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "base/text_stream.h"
#include "companions/lemora/lemora_core.h"

namespace {

using Lines = std::vector<std::string>;

TEST(LemoraLists, ReadsLinesAsTheDictionaryWritesThem) {
  struct Case {
    const char* name;
    std::string raw;
    Lines expected;
  } cases[] = {
      {"CR LF", "kmal\r\ndost\r\n", {"kmal", "dost"}},
      {"bare LF", "kmal\ndost\n", {"kmal", "dost"}},
      {"last line without end", "kmal\r\ndost", {"kmal", "dost"}},
      {"empty file", "", {}},
      {"blank line kept for pairing", "a\r\n\r\nb\r\n", {"a", "", "b"}},
      {"spaces and stray CR dropped", "  a b \r\r\n\tc\r\n", {"a b", "c"}},
      {"end-of-file byte", "a\r\nb\r\n\x1A junk\r\n", {"a", "b"}},
      {"upper-half bytes untouched", "\xE0\xEF\x98\r\n\xF4\r\n", {"\xE0\xEF\x98", "\xF4"}},
  };
  const char* path = "companion_lemora_list.tmp";
  for (const Case& c : cases) {
    ASSERT_TRUE(writeRawFile(path, c.raw));
    Lines got;
    EXPECT_TRUE(readListLines(path, got)) << c.name;
    EXPECT_EQ(got, c.expected) << c.name;
  }
  std::remove(path);
  Lines got = {"stale"};
  EXPECT_FALSE(readListLines("companion_lemora_no_such_file.tea", got));
  EXPECT_TRUE(got.empty());
}

TEST(LemoraDeck, PairsByLineNumber) {
  struct Case {
    const char* name;
    Lines hin, rus;
    std::vector<std::pair<std::string, std::string>> pairs;
    int blank, duplicates;
  } cases[] = {
      {"even", {"a", "b"}, {"x", "y"}, {{"a", "x"}, {"b", "y"}}, 0, 0},
      {"more Hindi lines", {"a", "b", "c"}, {"x"}, {{"a", "x"}}, 0, 0},
      {"more Russian lines", {"a"}, {"x", "y"}, {{"a", "x"}}, 0, 0},
      {"empty side skipped, pairing kept", {"", "b", "c"}, {"x", "y", ""}, {{"b", "y"}}, 2, 0},
      {"saved twice", {"a", "a", "a"}, {"x", "x", "z"}, {{"a", "x"}, {"a", "z"}}, 0, 1},
      {"both empty", {}, {}, {}, 0, 0},
  };
  for (const Case& c : cases) {
    DeckReport report;
    std::vector<LemoraCard> deck = buildDeck(c.hin, c.rus, report);
    std::vector<std::pair<std::string, std::string>> got;
    for (const LemoraCard& card : deck) got.emplace_back(card.hindi, card.russian);
    EXPECT_EQ(got, c.pairs) << c.name;
    EXPECT_EQ(report.blankPairs, c.blank) << c.name;
    EXPECT_EQ(report.duplicates, c.duplicates) << c.name;
    EXPECT_EQ(report.hindiLines, static_cast<int>(c.hin.size())) << c.name;
    EXPECT_EQ(report.russianLines, static_cast<int>(c.rus.size())) << c.name;
  }
}

TEST(LemoraDeck, LoadsBothListsAndTellsWhichAreMissing) {
  const std::string folder = "companion_deck_";
  std::remove((folder + "hin.tea").c_str());
  std::remove((folder + "rus.tea").c_str());
  DeckReport report;
  EXPECT_TRUE(loadDeck(folder, report).empty());
  EXPECT_FALSE(report.hindiOpened);
  EXPECT_FALSE(report.russianOpened);

  ASSERT_TRUE(writeRawFile((folder + "hin.tea").c_str(), "kmal\r\n"));
  std::vector<LemoraCard> deck = loadDeck(folder, report);
  EXPECT_TRUE(report.hindiOpened);
  EXPECT_FALSE(report.russianOpened);
  EXPECT_TRUE(deck.empty());

  ASSERT_TRUE(writeRawFile((folder + "rus.tea").c_str(), "\xEB\xEE\xF2\xEE\xF1\r\n"));
  deck = loadDeck(folder, report);
  ASSERT_EQ(deck.size(), 1u);
  EXPECT_EQ(deck[0].hindi, "kmal");
  EXPECT_EQ(deck[0].russian, "\xEB\xEE\xF2\xEE\xF1");
  std::string before;
  ASSERT_TRUE(readRawFile((folder + "hin.tea").c_str(), before));
  EXPECT_EQ(before, "kmal\r\n") << "the lists are only read";
  std::remove((folder + "hin.tea").c_str());
  std::remove((folder + "rus.tea").c_str());
}

std::vector<LemoraCard> sampleDeck() {
  DeckReport report;
  return buildDeck({"kmal", "dost", "pani", "a b", "\x80\xBF\x1A"},
                   {"\xEB\xEE\xF2\xEE\xF1", "\xE4\xF0\xF3\xE3", "\xE2\xEE\xE4\xE0", "x y", "z"},
                   report);
}

TEST(LemoraProgress, SurvivesARoundTripWithAnyBytes) {
  std::vector<LemoraCard> deck = sampleDeck();
  deck[0].box[0] = 3;
  deck[0].due[0] = 19800;
  deck[3].box[1] = 5;
  deck[3].due[1] = 20000;
  deck[4].box[0] = 1;
  deck[4].due[0] = 19790;
  std::vector<LemoraCard> fresh = sampleDeck();
  EXPECT_EQ(applyProgress(formatProgress(deck), fresh), 5);
  for (std::size_t i = 0; i < deck.size(); ++i)
    for (int d = 0; d < 2; ++d) {
      EXPECT_EQ(fresh[i].box[d], deck[i].box[d]) << i;
      EXPECT_EQ(fresh[i].due[d], deck[i].due[d]) << i;
    }
}

TEST(LemoraProgress, DamagedLinesCostOnlyThemselves) {
  std::vector<LemoraCard> deck = sampleDeck();
  // kmal = 6b6d616c, dost = 646f7374; the Russian sides in hex follow.
  const std::string good = "2 19000 1 19001 6b6d616c ebeef2eef1\n";
  struct Case {
    const char* name;
    std::string text;
    int found;
  } cases[] = {
      {"good", "lemora progress 1\n" + good, 1},
      {"CR LF file", "lemora progress 1\r\n2 19000 1 19001 6b6d616c ebeef2eef1\r\n", 1},
      {"wrong header", "something else\n" + good, 0},
      {"empty", "", 0},
      {"box out of range", "lemora progress 1\n9 19000 1 19001 6b6d616c ebeef2eef1\n", 0},
      {"odd hex", "lemora progress 1\n2 19000 1 19001 6b6d616 ebeef2eef1\n", 0},
      {"not hex", "lemora progress 1\n2 19000 1 19001 6b6d616z ebeef2eef1\n", 0},
      {"missing field", "lemora progress 1\n2 19000 1 6b6d616c ebeef2eef1\n", 0},
      {"negative day", "lemora progress 1\n2 -5 1 19001 6b6d616c ebeef2eef1\n", 0},
      {"pair no longer listed", "lemora progress 1\n1 1 1 1 7a7a 7a7a\n" + good, 1},
      {"cut off last line", "lemora progress 1\n" + good + "3 19000 1 19", 1},
  };
  for (const Case& c : cases) {
    std::vector<LemoraCard> d = deck;
    EXPECT_EQ(applyProgress(c.text, d), c.found) << c.name;
    EXPECT_EQ(d[0].box[0], c.found ? 2 : 0) << c.name;
    EXPECT_EQ(d[1].box[0], 0) << c.name;
  }
}

TEST(LemoraProgress, SaveReplacesAndAHalfDoneSaveIsRecovered) {
  const char* path = "companion_lemora_progress.dat";
  const std::string fresh = std::string(path) + ".new";
  std::remove(path);
  std::remove(fresh.c_str());
  std::vector<LemoraCard> deck = sampleDeck();
  EXPECT_FALSE(loadProgress(path, deck)) << "no file yet: every pair is new";
  EXPECT_EQ(deck[1].box[0], 0);

  deck[1].box[0] = 4;
  ASSERT_TRUE(saveProgress(path, deck));
  deck[1].box[0] = 2;
  ASSERT_TRUE(saveProgress(path, deck)) << "an existing file is replaced";
  std::vector<LemoraCard> again = sampleDeck();
  ASSERT_TRUE(loadProgress(path, again));
  EXPECT_EQ(again[1].box[0], 2);

  // A stop between removing the old file and renaming the new one.
  ASSERT_EQ(std::rename(path, fresh.c_str()), 0);
  std::vector<LemoraCard> recovered = sampleDeck();
  EXPECT_TRUE(loadProgress(path, recovered));
  EXPECT_EQ(recovered[1].box[0], 2);
  std::remove(fresh.c_str());
}

TEST(LemoraCalendar, CountsDaysFrom1970) {
  struct Case {
    int y, m, d;
    int32_t days;
  } cases[] = {{1970, 1, 1, 0},      {1970, 1, 2, 1},     {1969, 12, 31, -1}, {2000, 3, 1, 11017},
               {2024, 2, 29, 19782}, {2024, 3, 1, 19783}, {2100, 3, 1, 47541}};
  for (const Case& c : cases)
    EXPECT_EQ(daysFromCivil(c.y, c.m, c.d), c.days) << c.y << "-" << c.m << "-" << c.d;
}

TEST(LemoraDrill, AsksDuePairsLeastLearntFirst) {
  std::vector<LemoraCard> deck = sampleDeck();
  const int32_t today = 20000;
  // 0: box 3 due today; 1: new; 2: box 1 due tomorrow; 3: box 2 overdue; 4: due only the
  // other way.
  deck[0].box[0] = 3;
  deck[0].due[0] = today;
  deck[2].box[0] = 1;
  deck[2].due[0] = today + 1;
  deck[3].box[0] = 2;
  deck[3].due[0] = today - 5;
  deck[4].due[0] = today + 3;
  deck[4].due[1] = 0;
  DrillSession drill;
  startDrill(drill, deck, HindiToRussian, today, 7);
  EXPECT_FALSE(drill.reviewAhead);
  EXPECT_EQ(drill.queue, (std::vector<int>{1, 3, 0}));

  // The other direction keeps its own schedule, where every pair is still new.
  startDrill(drill, deck, RussianToHindi, today, 7);
  EXPECT_EQ(std::set<int>(drill.queue.begin(), drill.queue.end()), (std::set<int>{0, 1, 2, 3, 4}));
}

TEST(LemoraDrill, NothingDueOffersEveryPair) {
  std::vector<LemoraCard> deck = sampleDeck();
  for (LemoraCard& c : deck) c.due[0] = 30000;
  DrillSession drill;
  startDrill(drill, deck, HindiToRussian, 20000, 3);
  EXPECT_TRUE(drill.reviewAhead);
  EXPECT_EQ(drill.queue.size(), deck.size());

  deck[2].due[0] = 0;  // one pair due, but the whole deck is asked for
  startDrill(drill, deck, HindiToRussian, 20000, 3, true);
  EXPECT_TRUE(drill.reviewAhead);
  EXPECT_EQ(drill.queue.size(), deck.size());
  startDrill(drill, deck, HindiToRussian, 20000, 3);
  EXPECT_EQ(drill.queue, std::vector<int>{2});
}

TEST(LemoraDrill, GradingMovesBoxesAndRequeuesMisses) {
  std::vector<LemoraCard> deck = sampleDeck();
  DrillSession drill;
  const int32_t today = 20000;
  startDrill(drill, deck, HindiToRussian, today, 11);
  ASSERT_EQ(drill.queue.size(), 5u);
  std::vector<int> order = drill.queue;

  int first = currentCard(drill);
  gradeCurrent(drill, deck, true);
  EXPECT_EQ(deck[first].box[0], 1);
  EXPECT_EQ(deck[first].due[0], today + boxInterval(1));
  EXPECT_EQ(deck[first].box[1], 0) << "the other direction is untouched";

  int second = currentCard(drill);
  deck[second].box[0] = 4;
  gradeCurrent(drill, deck, false);
  EXPECT_EQ(deck[second].box[0], 0);
  EXPECT_EQ(deck[second].due[0], today);
  EXPECT_EQ(drill.queue, (std::vector<int>{order[2], order[3], order[4], second}))
      << "a miss comes back after three others";
  EXPECT_EQ(drill.asked, 2);
  EXPECT_EQ(drill.correct, 1);

  // The top box stays the top box.
  int third = currentCard(drill);
  deck[third].box[0] = kLemoraTopBox;
  gradeCurrent(drill, deck, true);
  EXPECT_EQ(deck[third].box[0], kLemoraTopBox);
  EXPECT_EQ(deck[third].due[0], today + boxInterval(kLemoraTopBox));

  // A miss with nothing else left is asked again at once; the run ends after the right answer.
  while (drill.queue.size() > 1) gradeCurrent(drill, deck, true);
  int last = currentCard(drill);
  gradeCurrent(drill, deck, false);
  EXPECT_EQ(currentCard(drill), last);
  gradeCurrent(drill, deck, true);
  EXPECT_EQ(currentCard(drill), -1);
  gradeCurrent(drill, deck, true);  // nothing to grade: no change
  EXPECT_EQ(drill.asked, 7);
}

TEST(LemoraChoices, OptionsAreDistinctAndHoldTheAnswerOnce) {
  DeckReport report;
  // "kmal" has two meanings: neither may be offered as wrong for the other.
  std::vector<LemoraCard> deck =
      buildDeck({"kmal", "kmal", "dost", "pani", "ghr", "ghr2"},
                {"lotus", "lotus2", "friend", "water", "house", "house"}, report);
  uint32_t rng = 5;
  for (int card = 0; card < static_cast<int>(deck.size()); ++card) {
    for (int direction = 0; direction < 2; ++direction) {
      ChoiceSet set;
      ASSERT_TRUE(makeChoices(deck, card, direction, 4, rng, set));
      ASSERT_GE(set.correctOption, 0);
      EXPECT_EQ(set.options[set.correctOption], card);
      std::set<std::string> answers;
      for (int o : set.options) {
        answers.insert(answerText(deck[o], direction));
        if (o != card) {
          EXPECT_NE(questionText(deck[o], direction), questionText(deck[card], direction));
        }
      }
      EXPECT_EQ(answers.size(), set.options.size()) << "answers repeat";
      EXPECT_LE(set.options.size(), 4u);
    }
  }
  // Hindi to Russian for "dost": wrong answers from lotus/lotus2, water, house: 4 options.
  ChoiceSet set;
  ASSERT_TRUE(makeChoices(deck, 2, HindiToRussian, 4, rng, set));
  EXPECT_EQ(set.options.size(), 4u);
}

TEST(LemoraChoices, TooFewDifferentAnswers) {
  DeckReport report;
  struct Case {
    const char* name;
    Lines hin, rus;
    bool possible;
    std::size_t options;
  } cases[] = {
      {"one pair", {"a"}, {"x"}, false, 0},
      {"one word, two meanings", {"a", "a"}, {"x", "y"}, false, 0},
      {"two words, one meaning", {"a", "b"}, {"x", "x"}, false, 0},
      {"two pairs", {"a", "b"}, {"x", "y"}, true, 2},
      {"three pairs", {"a", "b", "c"}, {"x", "y", "z"}, true, 3},
  };
  for (const Case& c : cases) {
    std::vector<LemoraCard> deck = buildDeck(c.hin, c.rus, report);
    uint32_t rng = 9;
    ChoiceSet set;
    EXPECT_EQ(makeChoices(deck, 0, HindiToRussian, 4, rng, set), c.possible) << c.name;
    EXPECT_EQ(set.options.size(), c.options) << c.name;
  }
  ChoiceSet set;
  uint32_t rng = 1;
  EXPECT_FALSE(makeChoices({}, 0, HindiToRussian, 4, rng, set));
}

TEST(LemoraRandom, NeverSticksAtZero) {
  uint32_t state = 0;
  uint32_t a = nextRandom(state);
  EXPECT_NE(a, 0u);
  EXPECT_NE(nextRandom(state), a);
}

}  // namespace
