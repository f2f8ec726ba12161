#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "base/session_state.h"
#include "hindi/devanagari.h"
#include "search/phonetic.h"
#include "search_test_support.h"

namespace {

// A dictionary line in the program's bytes from its UTF-8 text.
std::string line(const std::string& utf8) {
  std::string bytes;
  DevanagariError error;
  EXPECT_EQ(encodeDictionaryLine(utf8, bytes, error), 1) << utf8;
  return bytes;
}

int tierOf(const PhoneticQuery& query, const std::string& utf8Line) {
  std::string bytes = line(utf8Line);
  return phoneticLineTier(query, bytes.data(), bytes.size());
}

// Queries as vartolik-cli takes them (UTF-8), against one entry each: the tier the entry is
// found at (0 as typed, 1 as a dictionary form of an inflected query) or -1.
TEST(Phonetic, LearnerSpellingsFindTheirHeadword) {
  struct Case {
    const char* query;
    const char* entry;
    int tier;
  } cases[] = {
      {"pani", "पानी (x) вода", 0},
      {"paanee", "पानी (x) вода", 0},
      {"PANI", "पानी (x) вода", 0},
      {"kitab", "किताब (x) книга", 0},
      {"kitaab", "किताब (x) книга", 0},
      {"dudh", "दूध (x) молоко", 0},
      {"doodh", "दूध (x) молоко", 0},
      {"accha", "अच्छा (x) хороший", 0},
      {"achchha", "अच्छा (x) хороший", 0},
      {"acha", "अच्छा (x) хороший", 0},
      {"zarur", "ज़रूर (x) конечно", 0},
      {"jarur", "ज़रूर (x) конечно", 0},
      {"ladka", "लड़का (x) мальчик", 0},
      {"larka", "लड़का (x) мальчик", 0},
      {"thik", "ठीक (x) правильный", 0},
      {"theek", "ठीक (x) правильный", 0},
      {"kamra", "कमरा (x) комната", 0},
      {"kamara", "कमरा (x) комната", 0},
      {"hindi", "हिंदी (x) хинди", 0},
      {"hindee", "हिन्दी (x) хинди", 0},
      {"sambandh", "संबंध (x) связь", 0},
      {"sanbandh", "संबंध (x) связь", 0},
      {"sambandh", "सम्बन्ध (x) связь", 0},
      {"main", "मैं (x) я", 0},
      {"kanpna", "काँपना (x) дрожать", 0},
      {"gyan", "ज्ञान (x) знание", 0},
      {"fal", "फल (x) плод", 0},
      {"jindagi", "ज़िंदगी (x) жизнь", 0},
      {"vakt", "वक़्त (x) время", 0},
      {"waqt", "वक़्त (x) время", 0},
      {"qalam", "क़लम (x) перо", 0},
      {"xabar", "ख़बर (x) новость", 0},
      {"sarak", "सड़क (x) дорога", 0},
      {"shahar", "शहर (x) город", 0},
      {"bhaai", "भाई (x) брат", 0},
      {"aurat", "औरत (x) женщина", 0},
      {"nayaa", "नया (x) новый", 0},
      {"पनी", "पानी (x) вода", 0},
      {"लडका", "लड़का (x) мальчик", 0},
      {"जरूर", "ज़रूर (x) конечно", 0},
      {"हिन्दी", "हिंदी (x) хинди", 0},
      // inflected forms find the dictionary form, at the second tier
      {"ladke", "लड़का (x) мальчик", 1},
      {"ladkiyan", "लड़की (x) девочка", 1},
      {"kitaben", "किताब (x) книга", 1},
      {"bachchon", "बच्चा (x) ребёнок", 1},
      {"लड़कियाँ", "लड़की (x) девочка", 1},
      {"किताबें", "किताब (x) книга", 1},
      {"बच्चों", "बच्चा (x) ребёнок", 1},
      {"acchi", "अच्छा (x) хороший", 1},
      {"padhta", "पढ़ना (x) читать", 1},
      {"padhenge", "पढ़ना (x) читать", 1},
      {"पढ़कर", "पढ़ना (x) читать", 1},
      {"khaya", "खाना (x) есть", 1},
      {"aata", "आना (x) приходить", 1},
      {"jaate", "जाना (x) идти", 1},
      {"kutiyan", "कुतिया (x) сука", 1},
      {"कुओं", "कुआँ (x) колодец", 1},
      {"pani", "पान (x) бетель", 1},  // pani as a feminine form of paan
      // sounds that stay apart
      {"kitab", "किसान (x) крестьянин", -1},
      {"ladka", "लड़की (x) девочка", -1},
      {"dal", "दिल (x) сердце", -1},
      {"ghar", "गर्म (x) горячий", -1},
      {"dudh", "दूर (x) далеко", -1},
      {"sar", "शहर (x) город", -1},
      {"mama", "मा (x) мама", -1},
      {"dom", "घर (дом) жилище", -1},
      // Russian: any case, yo as ye, forms of one word; never the transcription
      {"ДОМ", "घर (x) дом, жилище", 0},
      {"Дом", "घर (x) дом, жилище", 0},
      {"дом", "घर (x) жилище; дома", 0},
      {"чёрный", "काला (x) черный", 0},
      {"черный", "काला (x) ЧЁРНЫЙ", 0},
      {"книги", "किताब (x) книга", 0},
      {"воды", "पानी (x) вода", 0},
      {"читаю", "पढ़ना (x) читать", 0},
      {"красивая", "सुंदर (x) красивый", 0},
      {"занимаюсь", "पढ़ना (x) заниматься", 0},
      {"железная дорога", "रेल (x) железная дорога", 0},
      {"железная дорога", "रेल (x) дорога", -1},
      {"дом", "घर (дом) жилище", -1},
      {"дом", "घर (x) домашний", -1},
      {"дом", "घर дом (примечание)", 0},
      {"ghar", "घर дом (примечание)", 0},
      {"книги", "घर (x) книжный", -1},
  };
  for (const Case& c : cases) {
    PhoneticQuery query = phoneticQueryFromUtf8(c.query);
    EXPECT_EQ(tierOf(query, c.entry), c.tier) << c.query << " against " << c.entry;
  }
}

// The program's query bytes: the face's codes while Hindi is the search language, Latin
// letters read both ways when they could be either.
TEST(Phonetic, ProgramBytesByLanguage) {
  struct Case {
    const char* bytes;
    int hindi;
    const char* entry;
    int tier;
  } cases[] = {
      {"panY", 1, "पानी (x) вода", 0},  // typed Hindi, with a capital
      {"Gr", 1, "घर (x) дом", 0},       // G is gh in the face
      {"Gr", 0, "घर (x) дом", -1},      // as Latin, gr is not ghar
      {"ghar", 0, "घर (x) дом", 0},
      {"iktab", 1, "किताब (x) книга", 0},  // lower case codes of kitab: read as codes too
      {"iktab", 0, "किताब (x) книга", -1},
      {"kitab", 1, "किताब (x) книга", 0},    // and as Latin
      {"\xE4\xEE\xEC", 1, "घर (x) дом", 0},  // Cyrillic in either language
      {"\xC4\xCE\xCC", 0, "घर (x) дом", 0},
      {"", 0, "घर (x) дом", -1},
      {"123 ,.", 1, "घर (x) дом", -1},
  };
  for (const Case& c : cases) {
    PhoneticQuery query =
        phoneticQueryFromBytes(c.bytes, static_cast<int>(std::strlen(c.bytes)), c.hindi == 1);
    EXPECT_EQ(tierOf(query, c.entry), c.tier)
        << c.bytes << " (hindi " << c.hindi << ") against " << c.entry;
  }
}

TEST(Phonetic, KeysAsText) {
  struct Case {
    const char* text;
    bool latin;
    const char* key;
  } cases[] = {
      {"laDkA", true, "l[Rd]k"}, {"अच्छा", false, "ac"}, {"संबंध", false, "s[mn]bndh"},
      {"ज्ञान", false, "gyn"},    {"x", true, "k[Sh]"},  {"aap ka", true, "apk"},
      {"अब", false, "ab"},       {"मामा", false, "mm"}, {"पक्का", false, "pk"},
  };
  for (const Case& c : cases) {
    PhoneticKey key = c.latin ? latinPhoneticKey(c.text) : devanagariPhoneticKey(c.text, true);
    EXPECT_EQ(describePhoneticKey(key), c.key) << c.text;
  }
}

// The quick looks at a headword's bytes never rule out a class its key holds.
TEST(Phonetic, FirstBytesNeverRuleOutTheHeadword) {
  std::mt19937 rng(11);
  std::string codes;
  for (int b = 0x40; b < 0xC0; ++b) {
    if (isHindiCode(static_cast<unsigned char>(b))) codes += static_cast<char>(b);
  }
  for (int round = 0; round < 60000; ++round) {
    std::string word;
    int n = 1 + static_cast<int>(rng() % 5);
    if (rng() % 8 == 0) word += "I1";  // bytes that draw no Devanagari
    for (int i = 0; i < n; ++i) word += codes[rng() % codes.size()];
    PhoneticKey key = devanagariPhoneticKey(codesToDevanagari(word), false);
    if (key.length == 0) continue;
    ASSERT_NE(headwordFirstUnits(word.data(), word.size()) & key.unit[0], 0u)
        << describePhoneticKey(key) << " from " << codesToDevanagari(word);
    PhoneticUnit classes = headwordClasses(word.data(), word.size());
    for (int i = 0; i < key.length; ++i) {
      ASSERT_NE(classes & key.unit[i], 0u)
          << describePhoneticKey(key) << " from " << codesToDevanagari(word);
    }
  }
}

// Whole searches: f2.tc holds the lines found as typed and as dictionary forms, as for the
// other modes.
TEST(Phonetic, SearchFindsSpellingsAndForms) {
  const std::string boy = line("लड़का (ladkaa) мальчик"), boys = line("लड़के (ladke) см. लड़का");
  const std::string water = line("पानी (paanii) вода"), betel = line("पान (paan) бетель");
  const std::string house = line("घर (ghar) дом, жилище");
  struct Case {
    const char* name;
    std::string dictionary, query;
    int language;
    std::string resultFile;
    int foundCount;
  } cases[] = {
      {"as typed and as a form", betel + "\r\n" + water + "\r\n" + house + "\r\n", "pani", 0,
       betel + "\r\n" + water + "\r\n", 2},
      {"a pointer line and the rule's dictionary form", boy + "\r\n" + boys + "\r\n", "ladke", 0,
       boy + "\r\n" + boys + "\r\n", 2},
      {"the rule finds the dictionary form", water + "\r\n" + boy + "\r\n", "ladke", 0,
       boy + "\r\n", 1},
      {"Russian in any case", house + "\n" + water + "\n", "\xC4\xCE\xCC\xC0", 0, house + "\r\n",
       1},
      {"last line without LF", water + "\r\n" + house, "ghar", 0, house, 1},
      {"0x1A ends the file", water + "\r\n\x1A" + house + "\r\n", "ghar", 0, "", 0},
      {"nothing", water + "\r\n", "kuch", 1, "", 0},
  };
  ScratchDir dir;
  GuardedResultBuffer buffer;
  for (const Case& c : cases) {
    for (std::size_t block : {std::size_t(1), std::size_t(7), kSearchBlockSize}) {
      session.searchLanguage = c.language;
      SearchRun run = productionSearch(dir, c.dictionary, c.query, Phonetic, block);
      EXPECT_EQ(run.status, SearchStatus::Loaded) << c.name;
      EXPECT_EQ(run.resultFile, c.resultFile) << c.name << ", block " << block;
      EXPECT_EQ(run.foundCount, c.foundCount) << c.name << ", block " << block;
    }
  }
  session.searchLanguage = 0;
}

TEST(Phonetic, HundredLinesAtMostAndLongLinesKeepTheCount) {
  ScratchDir dir;
  GuardedResultBuffer buffer;
  std::string water = line("पानी (paanii) вода");
  std::string many;
  for (int i = 0; i < 150; ++i) many += water + "\r\n";
  SearchRun run = productionSearch(dir, many, "paani", Phonetic);
  EXPECT_EQ(run.foundCount, 100);

  // A line of 200000 bytes is judged by its start and still counted as one line.
  std::string longLine = line("घर (ghar) дом") + " " + std::string(200000, 'x');
  SearchRun after = productionSearch(dir, longLine + "\r\n" + water + "\r\n", "paani", Phonetic);
  EXPECT_EQ(after.resultFile, water + "\r\n");
  SearchRun inside = productionSearch(dir, longLine + "\r\n" + water + "\r\n", "ghar", Phonetic);
  EXPECT_EQ(inside.foundCount, 1);
  EXPECT_EQ(inside.resultFile.size(), longLine.size() + 2);
}

// The scan over raw blocks against the plain reading of the same text line by line, on random
// dictionaries of face codes, Russian, CR, lone LF and 0x1A, in small and large blocks.
TEST(Phonetic, ScanAgreesWithLineByLineReading) {
  const std::string water = line("पानी (paanii) вода, воды"), boy = line("लड़का (x) мальчик");
  const char* const pieces[] = {"\r\n", "\n", "\r",  " ",  " (",           ")",
                                "\x1A", "Gr", "pa",  "nY", "\xE2\xEE\xE4", "\xC2\xEE\xE4\xFB",
                                "i",    "k",  "\x99"};
  const char* const queries[] = {"paani", "voda", "\xE2\xEE\xE4\xE0", "ghar", "ladke", "Gr"};
  std::mt19937 rng(3);
  ScratchDir dir;
  std::string path = dir.file("dictiona.dat");
  for (int round = 0; round < 300; ++round) {
    std::string text;
    int parts = static_cast<int>(rng() % 400);
    for (int i = 0; i < parts; ++i) {
      int pick = static_cast<int>(rng() % 20);
      text += pick == 0 ? water : pick == 1 ? boy : pieces[pick % 15];
    }
    writeRawFile(path.c_str(), text);
    // The reading the program's text streams give: up to 0x1A, lines at LF, CR LF as LF.
    std::string readable = text.substr(0, text.find('\x1A'));
    for (const char* q : queries) {
      PhoneticQuery query =
          phoneticQueryFromBytes(q, static_cast<int>(std::strlen(q)), round % 2 == 1);
      std::vector<int32_t> expected;
      std::size_t start = 0;
      for (int32_t number = 0; start < readable.size() && expected.size() < 100; ++number) {
        std::size_t end = std::min(readable.find('\n', start), readable.size());
        std::size_t n = end - start;
        if (end < readable.size() && n > 0 && readable[end - 1] == '\r') --n;
        if (phoneticLineTier(query, readable.data() + start, n) >= 0) expected.push_back(number);
        start = end + 1;
      }
      for (std::size_t block : {std::size_t(1), std::size_t(5), kSearchBlockSize}) {
        MatchList matches;
        ASSERT_TRUE(findPhoneticMatchesFor(path.c_str(), query, matches, block));
        ASSERT_EQ(std::vector<int32_t>(matches.line, matches.line + matches.count), expected)
            << "round " << round << ", query " << q << ", block " << block;
      }
    }
  }
}

}  // namespace
