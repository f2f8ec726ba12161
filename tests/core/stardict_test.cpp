#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hindi/devanagari.h"
#include "stardict/dictionary_books.h"
#include "stardict/stardict_format.h"

namespace {

// Dictionary bytes from UTF-8 lines, CR LF as on disk.
std::string dictionaryBytes(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& utf8 : lines) {
    std::string line;
    DevanagariError error;
    EXPECT_EQ(encodeDictionaryLine(utf8, line, error), 1) << utf8;
    bytes += line + "\r\n";
  }
  return bytes;
}

const StarDictArticle* article(const StarDictSource& book, const std::string& word) {
  for (const StarDictArticle& a : book.articles) {
    if (a.word == word) return &a;
  }
  return nullptr;
}

std::vector<std::string> synonymsOf(const StarDictSource& book, const std::string& word) {
  std::vector<std::string> words;
  for (const StarDictSynonym& s : book.synonyms) {
    if (book.articles[s.article].word == word) words.push_back(s.word);
  }
  return words;
}

bool has(const std::vector<std::string>& words, const std::string& word) {
  for (const std::string& w : words) {
    if (w == word) return true;
  }
  return false;
}

TEST(StarDict, WordsInTheOrderClientsBisect) {
  // ASCII letters compare without case first, then as bytes; other UTF-8 bytes as they are.
  const std::vector<StarDictArticle> articles = {{"b", "4"}, {"पानी", "6"}, {"ab", "2"},
                                                 {"B", "3"}, {"a", "1"},    {"дом", "5"}};
  StarDictFiles files;
  std::string error;
  ASSERT_TRUE(buildStarDict(articles, {{"water", 1}}, {"book", "", "", ""}, files, error));
  EXPECT_EQ(files.dict, "123456");
  const std::string idx = files.idx;
  std::vector<std::string> words;
  for (std::size_t at = 0; at < idx.size(); at = idx.find('\0', at) + 9) {
    words.push_back(idx.substr(at, idx.find('\0', at) - at));
  }
  EXPECT_EQ(words, (std::vector<std::string>{"a", "ab", "B", "b", "дом", "पानी"}));
  // पानी is the sixth word (line 5); its offset 5 and size 1, big-endian.
  EXPECT_EQ(idx.substr(idx.size() - 8), std::string("\0\0\0\5\0\0\0\1", 8));
  EXPECT_EQ(files.syn, std::string("water\0\0\0\0\5", 10));
  EXPECT_NE(files.ifo.find(
                "wordcount=6\nsynwordcount=1\nidxfilesize=" + std::to_string(idx.size()) + "\n"),
            std::string::npos);

  for (const char* bad : {"", "two\nlines"}) {
    EXPECT_FALSE(buildStarDict({{bad, "x"}}, {}, {}, files, error)) << bad;
  }
  EXPECT_FALSE(buildStarDict({{"a", "x"}}, {{"b", 1}}, {}, files, error));
}

TEST(StarDict, BooksFromDictionaryLines) {
  const ParsedDictionary dictionary = parseDictionary(dictionaryBytes({
      "गृह (грих) м. дом, книжн.",
      "पानी (па:-ни:) м. 1) вода; 2) дождь; ~ पीना пить воду",
      "लड़की (лъР-ки:) ж. девочка, девушка; дочь",
      "घर (гхър) м. 1) дом, жилище; 2) семья, родной дом; ~ पर дома",
      "अच्छा (ъч-чха:) 1) прил. хороший; 2) межд. хорошо!",
      "भारत (бха:-рът) м. Индия",
      "पढ़ना (пъРх-на:) гл. читать; учиться",
      "मुझ (мудж) мест. косвенная форма от मैं: меня, мне",
      "गई (гъ-и:) см. जाना - прош. вр. ж. р.",
      "पानि (па:-ни) см. पानी - вариант написания",
      "और (аур) союз и",
      "सूखना (су:кх-на:) гл. сохнуть",
      "सूखा (су:-кха:) прил. сухой",
      "ससुराल (съ-су-ра:л) ж. дом родителей мужа",
      "बिलखना (би-лъкх-на:) гл. рыдать, горько плакать",
      "दमकल (дъм-къл) ж. пожарная машина",
      "no reading here",
  }));
  EXPECT_EQ(dictionary.malformedLines, std::vector<int>{17});

  const StarDictSource hindi = hindiRussianBook(dictionary);
  ASSERT_NE(article(hindi, "पानी"), nullptr);
  EXPECT_EQ(article(hindi, "पानी")->text, "(па:-ни:)\nм.\n1) вода;\n2) дождь; ~ पीना пить воду");
  EXPECT_EQ(article(hindi, "और")->text, "(аур)\nсоюз и");
  // A pointer to an entry is a further word; one to nothing here stays an article.
  EXPECT_TRUE(has(synonymsOf(hindi, "पानी"), "पानि"));
  EXPECT_NE(article(hindi, "गई"), nullptr);
  struct Forms {
    const char* headword;
    const char* form;
    bool expected;
  } forms[] = {
      {"लड़की", "लड़कियाँ", true}, {"पानी", "पानियों", true}, {"अच्छा", "अच्छी", true},
      {"पढ़ना", "पढ़िए", true},   {"भारत", "भारतों", false},  // a name takes no forms
      {"मुझ", "मुझों", false},     {"सूखना", "सूखा", false},  // a headword itself: its own article only
      {"सूखना", "सूखी", true},
  };
  for (const Forms& f : forms) {
    EXPECT_EQ(has(synonymsOf(hindi, f.headword), f.form), f.expected) << f.form;
  }

  const StarDictSource russian = russianHindiBook(dictionary, {"घर", "पानी"});
  struct Lookup {
    const char* word;
    const char* text;  // "" when the word is no headword
  } lookups[] = {
      {"дом",  // whole translations first; of those and of the rest, the starter vocabulary first
       "घर (гхър) м. дом, жилище\nगृह (грих) м. дом, книжн.\nघर (гхър) м. семья, родной дом\n"
       "ससुराल (съ-су-ра:л) ж. дом родителей мужа"},
      {"семья", "घर (гхър) м. семья, родной дом"},
      {"воду", ""},              // an example
      {"дома", ""},              // an example after "~"
      {"м", ""},                 // a mark
      {"союз", ""},              // a mark without a full stop
      {"и", "और (аур) союз и"},  // a one-word translation, function word or not
      {"родителей", ""},         // inflected, after the head noun
      {"машина", "दमकल (дъм-къл) ж. пожарная машина"},
      {"пожарная", ""},  // an adjective not in its dictionary form
      {"горько", ""},    // beside the infinitive of a verb phrase
      {"плакать", "बिलखना (би-лъкх-на:) гл. рыдать, горько плакать"},
      {"меня", "मुझ (мудж) мест. меня, мне"},
      {"Индия", "भारत (бха:-рът) м. Индия"},
      {"хорошо", "अच्छा (ъч-чха:) межд. хорошо!"},
  };
  for (const Lookup& l : lookups) {
    const StarDictArticle* a = article(russian, l.word);
    EXPECT_EQ(a ? a->text : "", l.text) << l.word;
  }
}

}  // namespace
