// Glossing a text: which entry each word of a text is shown with.
#include "search/gloss.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hindi/devanagari.h"

namespace {

// A small dictionary in UTF-8, one line a string, turned into the dictionary's bytes.
const char* const kLines[] = {
    "किताब (ки-та:б) ж. книга",  "अध्याय (ъдх-йа:й) м. глава книги",
    "जल (джъл) м. вода, книжн.", "पानी (па:-ни:) м. 1) вода; 2) дождь",
    "लड़की (лъР-ки:) ж. девочка", "लड़का (лъР-ка:) м. мальчик",
    "जाना (джа:-на:) гл. идти",  "पढ़ना (пъРх-на:) гл. читать",
    "नया (нъ-йа:) прил. новый",  "राज़ (ра:з) м. тайна",
    "हिंदी (хин-ди:) ж. хинди",   "हिन्दी (хин-ди:) см. हिंदी - вариант",
    "करना (кър-на:) гл. делать",
};

const GlossDictionary& dictionary() {
  static GlossDictionary d;
  if (d.lines.empty()) {
    std::string bytes;
    for (const char* line : kLines) {
      std::string encoded;
      DevanagariError error;
      EXPECT_TRUE(encodeDictionaryLine(line, encoded, error)) << line;
      bytes += encoded + "\r\n";
    }
    buildGlossDictionary(bytes, d);
  }
  return d;
}

std::string headwordOf(int32_t line) {
  if (line < 0) return "-";
  return codesToDevanagari(glossHeadword(dictionary().lines[static_cast<std::size_t>(line)]));
}

TEST(Gloss, EachWordFindsTheEntryALearnerWants) {
  struct Case {
    const char* name;
    const char* text;
    const char* expected;  // the headwords, space-separated; "-" for none
  };
  const Case cases[] = {
      {"own entry", "किताब", "किताब"},
      {"plural -en", "किताबें", "किताब"},
      {"oblique plural -iyon", "लड़कियों", "लड़की"},
      {"plural -iyan", "लड़कियाँ", "लड़की"},
      {"oblique -e to -a", "लड़के", "लड़का"},
      {"oblique plural -on to -a", "लड़कों", "लड़का"},
      {"future -ega", "जाएगा", "जाना"},
      {"habitual -ta", "पढ़ता", "पढ़ना"},
      {"conjunctive -kar", "पढ़कर", "पढ़ना"},
      {"bare stem before sakna", "जा", "जाना"},
      {"irregular past", "गया किया", "जाना करना"},
      {"feminine -ii to -ya", "नई", "नया"},
      {"nukta left out", "राज", "राज़"},
      {"precomposed nukta letter", "लड़की", "लड़की"},
      {"pointer leads to its target", "हिन्दी", "हिंदी"},
      {"long i written short", "पानि", "पानी"},
      {"unknown word", "कुत्ता", "-"},
      {"Russian: a form of the first sense before a word of a later one", "книги", "किताब"},
      {"Russian: an unlabelled sense before a bookish one", "воду", "पानी"},
      {"Russian: words and punctuation in order", "вода, девочка!", "पानी लड़की"},
  };
  for (const Case& c : cases) {
    std::vector<TextWord> words;
    splitTextWords(c.text, words);
    std::string got;
    for (const TextWord& w : words) {
      std::string cp1251;
      if (!w.hindi) {
        DevanagariError error;
        encodeDictionaryLine(w.text, cp1251, error);
      }
      int32_t line =
          w.hindi ? glossHindiWord(dictionary(), w.text) : glossRussianWord(dictionary(), cp1251);
      got += (got.empty() ? "" : " ") + headwordOf(line);
    }
    EXPECT_EQ(got, c.expected) << c.name;
  }
}

TEST(Gloss, TextSplitsIntoWordsOfOneScript) {
  struct Case {
    const char* name;
    std::string text;
    std::vector<std::string> words;
    std::vector<bool> mixed;
    std::vector<std::size_t> bad;
  };
  const Case cases[] = {
      {"danda, digits and Latin separate", "घर। 42 abc दूध", {"घर", "दूध"}, {false, false}, {}},
      {"Latin glued to a Hindi word", "पानीwater", {"पानी"}, {true}, {}},
      {"Cyrillic inside a Hindi word", "घरдом", {"घरдом"}, {true}, {}},
      {"joiners stay inside the word", "क्\u200dष", {"क्ष"}, {false}, {}},
      {"invalid bytes reported by offset",
       std::string("घर \xFF\xC3 दूध"),
       {"घर", "दूध"},
       {false, false},
       {7, 8}},
  };
  for (const Case& c : cases) {
    std::vector<TextWord> words;
    std::vector<std::size_t> bad;
    splitTextWords(c.text, words, &bad);
    ASSERT_EQ(words.size(), c.words.size()) << c.name;
    for (std::size_t i = 0; i < words.size(); ++i) {
      EXPECT_EQ(words[i].text, c.words[i]) << c.name;
      EXPECT_EQ(words[i].mixed, c.mixed[i]) << c.name;
    }
    EXPECT_EQ(bad, c.bad) << c.name;
  }
}

}  // namespace
