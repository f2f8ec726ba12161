#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "base/session_state.h"
#include "hindi/devanagari.h"
#include "search/common_words.h"
#include "search/phonetic.h"
#include "search/russian_forms.h"
#include "search_test_support.h"

namespace {

// A dictionary line in the program's bytes from its UTF-8 text.
std::string line(const std::string& utf8) {
  std::string bytes;
  DevanagariError error;
  EXPECT_EQ(encodeDictionaryLine(utf8, bytes, error), 1) << utf8;
  return bytes;
}

int rankOf(const PhoneticQuery& query, const std::string& utf8Line) {
  std::string bytes = line(utf8Line);
  return phoneticLineRank(query, bytes.data(), bytes.size());
}

// How close a match is, from its rank: 0 as typed, 1 a dictionary form of an inflected query
// (Russian: a listed form), 2 tolerant (Russian: a regular ending), 3 tolerant and inflected.
int closenessOf(const PhoneticQuery& query, const std::string& utf8Line) {
  const int rank = rankOf(query, utf8Line);
  return rank < 0 ? -1 : rank % 16 / 4;
}

// Queries as vartolik-cli takes them (UTF-8), against one entry each: how close the entry is
// found, or -1.
TEST(Phonetic, LearnerSpellingsFindTheirHeadword) {
  struct Case {
    const char* query;
    const char* entry;
    int closeness;
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
      // Devanagari spelled otherwise than the headword: found, but no nearer than a form
      {"पनी", "पानी (x) вода", 1},
      {"लडका", "लड़का (x) мальчик", 1},
      {"जरूर", "ज़रूर (x) конечно", 1},
      {"हिन्दी", "हिंदी (x) хинди", 1},
      {"पानी", "पानी (x) вода", 0},
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
      // spellings of Hinglish texts, forgiven by the tolerant comparison: e, o, u for a short a
      // beside h
      {"behen", "बहन (x) сестра", 2},
      {"sheher", "शहर (x) город", 2},
      {"pehle", "पहले (x) раньше", 2},
      {"kehna", "कहना (x) говорить", 2},
      {"rehte", "रहना (x) жить", 3},
      {"bohot", "बहुत (x) очень", 2},
      {"humesha", "हमेशा (x) всегда", 2},
      // s for sh
      {"sukriya", "शुक्रिया (x) спасибо", 2},
      {"muskil", "मुश्किल (x) трудность", 2},
      // aspiration dropped
      {"kushi", "ख़ुशी (x) радость", 2},
      {"jhoot", "झूठ (x) ложь", 2},
      {"dhundta", "ढूँढना (x) искать", 3},
      {"gar", "घर (x) дом", 2},
      {"pal", "फल (x) плод", 2},
      {"bai", "भाई (x) брат", 2},
      // a nasal left out: chandrabindu, anusvara, a half nasal
      {"kyu", "क्यों (x) почему", 2},
      {"आख", "आँख (x) глаз", 2},
      {"hasti", "हँसना (x) смеяться", 3},
      {"hasti", "हस्ती (x) личность", 0},
      {"hidi", "हिन्दी (x) хинди", 2},
      // -ai for -ay, a v between vowels or written as o
      {"samai", "समय (x) время", 2},
      {"chai", "चाय (x) чай", 2},
      {"gaon", "गाँव (x) деревня", 2},
      {"huwa", "हुआ (x) стал", 2},
      // sounds that stay apart
      {"sar", "सड़क (x) дорога", -1},
      {"kyu", "कुआँ (x) колодец", -1},
      {"behen", "बेहद (x) очень", -1},
      {"kal", "खाल (x) кожа", 2},
      {"kal", "कहल (x) ?", -1},
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
      {"дом", "घर (x) жилище; дома", 2},
      {"чёрный", "काला (x) черный", 0},
      {"черный", "काला (x) ЧЁРНЫЙ", 0},
      {"книги", "किताब (x) книга", 2},
      {"воды", "पानी (x) вода", 2},
      {"читаю", "पढ़ना (x) читать", 2},
      {"красивая", "सुंदर (x) красивый", 2},
      {"занимаюсь", "पढ़ना (x) заниматься", 2},
      {"железная дорога", "रेल (x) железная дорога", 0},
      {"железная дорога", "रेल (x) дорога", -1},
      {"дом", "घर (дом) жилище", -1},
      {"дом", "घर (x) домашний", -1},
      {"дом", "घर дом (примечание)", 0},
      {"ghar", "घर дом (примечание)", 0},
      {"книги", "घर (x) книжный", -1},
      // an infinitive's stem takes a verb's endings only
      {"видеть", "व्यू (x) вид", -1},
      {"видеть", "वीडियो (x) видео", -1},
      {"видеть", "देखना (x) видит", 2},
      {"видит", "देखना (x) видеть", 2},
      {"видеться", "व्यू (x) вид", -1},  // a reflexive infinitive's stem as well
      {"видеться", "मिलना (x) видимся", 2},
  };
  for (const Case& c : cases) {
    PhoneticQuery query = phoneticQueryFromUtf8(c.query);
    EXPECT_EQ(closenessOf(query, c.entry), c.closeness) << c.query << " against " << c.entry;
  }
}

// The rank of a line: 16 x where the match is (0 headword or the first word of the first sense,
// 1 a later word or sense, 2 an example) + 4 x how close + a detail (a headword's spelling
// against the query's; a Russian word with more words after it in its sense).
TEST(Phonetic, RankByPlaceAndCloseness) {
  struct Case {
    const char* query;
    const char* entry;
    int rank;
  } cases[] = {
      {"paani", "पानी (x) м. вода", 0},
      {"paani", "पन्नी (x) ж. фольга", 2},      // no long a, a doubled n the query does not have
      {"paani", "पाना (x) гл. находить", 15},  // पाना has no form paani: barely a match
      {"pani", "पन्नी (x) ж. фольга", 1},
      {"pani", "पानी (x) м. вода", 0},  // no aa written: length tells nothing
      {"panni", "पन्नी (x) ж. фольга", 0},
      {"पानी", "पानी (x) м. вода", 0},
      {"पनी", "पानी (x) м. вода", 5},  // spelled otherwise: as near as a form
      {"पनि", "पानी (x) м. вода", 6},  // two letters away
      // an inflected query: first the word it is a regular form of, by the line's mark
      {"कमरे", "कमरा (x) м. комната", 4},
      {"कमरे", "कमर (x) ж. талия", 15},
      {"aaya", "आना (а:-на:) гл. приходить", 6},
      {"aaya", "आयन (а:-йън) м. ион", 15},
      {"bachchon", "बच्चा (бъч-ча:) м. ребенок", 6},  // chch is a doubled consonant
      // a final vowel the headword does not say: likha is a form, not लीख
      {"likha", "लिखना (ликх-на:) гл. писать", 5},
      {"likha", "लीख (ли:кх) ж. гнида", 9},
      {"likh", "लीख (ли:кх) ж. гнида", 0},
      {"samai", "समय (съ-мъй) м. время", 10},  // -ai for -ay stays a tolerant match
      // a vowel the headword says and the query leaves out: achhi is a form, not अच्छाई
      {"achhi", "अच्छा (ъч-чха:) прил. хороший", 6},
      {"achhi", "अच्छाई (ъч-чха:-и:) ж. добро", 10},
      {"bhai", "भाई (бха:-и:) м. брат", 0},      // ai is two vowels
      {"khana", "खाना (кха:-на:) гл. есть", 0},  // one key, told apart by the reading
      {"khana", "कहना (кэх-на:) гл. говорить", 2},
      {"behen", "बहन (x) ж. сестра", 8},
      {"rehte", "रहना (x) гл. жить", 12},
      {"вода", "पानी (x) м. 1) вода; 2) дождь; ~ पीना пить воду", 0},
      {"воды", "पानी (x) м. 1) вода; 2) дождь; ~ पीना пить воду", 8},
      {"воду", "पानी (x) м. 1) вода; 2) дождь; ~ पीना пить воду", 8},
      {"воды", "गंगाजल (x) м. вода из Ганга", 10},         // inside a phrase
      {"вода", "जल (x) м. вода, книжн.", 3},              // a bookish sense after the everyday one
      {"вода", "जल (x) м. вода, пить", 1},                // one of the sense's items
      {"вода", "जल (x) м. 1) вода; 2) книжн. влага", 0},  // the label of another sense
      {"воды", "घड़ा (x) м. кувшин для воды", 16},
      {"дождь", "पानी (x) м. 1) вода; 2) дождь", 16},
      {"воды", "नदी (x) ж. река; ~ का पानी речные воды", 32},
      {"книги", "किताब (x) ж. книга", 8},
      {"книги", "अध्याय (x) м. глава книги", 16},
      {"железная дорога", "रेल (x) ж. железная дорога", 2},
      {"дорога железная", "रेल (x) ж. железная дорога", 2},  // words in any order
      {"дорога железная", "रेल (x) ж. поезд; железная дорога", 18},
      {"ghar", "घर (x) м. дом", 0},
  };
  for (const Case& c : cases) {
    PhoneticQuery query = phoneticQueryFromUtf8(c.query);
    EXPECT_EQ(rankOf(query, c.entry), c.rank) << c.query << " against " << c.entry;
  }
}

// The program's query bytes: the face's codes while Hindi is the search language, Latin
// letters read both ways when they could be either.
TEST(Phonetic, ProgramBytesByLanguage) {
  struct Case {
    const char* bytes;
    int hindi;
    const char* entry;
    int closeness;
  } cases[] = {
      {"panY", 1, "पानी (x) вода", 0},  // typed Hindi, with a capital
      {"Gr", 1, "घर (x) дом", 0},       // G is gh in the face
      {"Gr", 0, "घर (x) дом", 2},       // as Latin, gr is ghar without its aspiration
      {"ghar", 0, "घर (x) дом", 0},
      {"iktab", 1, "किताब (x) книга", 0},  // lower case codes of kitab: read as codes too
      {"iktab", 0, "किताब (x) книга", -1},
      {"kitab", 1, "किताब (x) книга", 0},    // and as Latin
      {"pain", 1, "पानी (x) вода", 1},       // पानि on the query line: spelled otherwise
      {"pain", 1, "पेन (x) ручка", 1},        // its Latin reading only second...
      {"pain", 0, "पेन (x) ручка", 0},        // ...but first while the language is Russian
      {"\xE4\xEE\xEC", 1, "घर (x) дом", 0},  // Cyrillic in either language
      {"\xC4\xCE\xCC", 0, "घर (x) дом", 0},
      {"", 0, "घर (x) дом", -1},
      {"123 ,.", 1, "घर (x) дом", -1},
  };
  for (const Case& c : cases) {
    PhoneticQuery query =
        phoneticQueryFromBytes(c.bytes, static_cast<int>(std::strlen(c.bytes)), c.hindi == 1);
    EXPECT_EQ(closenessOf(query, c.entry), c.closeness)
        << c.bytes << " (hindi " << c.hindi << ") against " << c.entry;
  }
}

TEST(Phonetic, KeysAsText) {
  struct Case {
    const char* text;
    char kind;  // l Latin, t tolerant Latin, d Devanagari
    const char* key;
  } cases[] = {
      {"laDkA", 'l', "l[Rd]k"},     {"अच्छा", 'd', "ac"},
      {"संबंध", 'd', "s[mn]?bn?dh?"},  // nasal signs and the aspiration may be left out
      {"ज्ञान", 'd', "gyn"},         {"x", 'l', "k[Sh]"},
      {"aap ka", 'l', "apk"},       {"अब", 'd', "ab"},
      {"मामा", 'd', "mm"},          {"पक्का", 'd', "pk"},
      {"हिन्दी", 'd', "hin?di"},  // a half nasal before a stop
      {"न्याय", 'd', "nyy"},      // not before y
      {"behen", 't', "be?he?n?"},   {"bohot", 't', "b[ou]?h[ou]?t"},
      {"khel", 't', "khel"},  // beside the h of an aspirate an e is an e
      {"samai", 't', "[Ss]m[eiy]"}, {"gaon", 't', "g[ouv]n?"},
      {"huwa", 't', "h[ou]?v?"},
  };
  for (const Case& c : cases) {
    PhoneticKey key = c.kind == 'l'   ? latinPhoneticKey(c.text)
                      : c.kind == 't' ? tolerantLatinPhoneticKey(c.text)
                                      : devanagariPhoneticKey(c.text, true);
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

// Whole searches: f2.tc holds the lines found, best first (equal ranks in dictionary order),
// with russform.dat beside the dictionary when a case gives one.
TEST(Phonetic, SearchFindsSpellingsAndForms) {
  const std::string boy = line("लड़का (ladkaa) мальчик"), boys = line("लड़के (ladke) см. लड़का");
  const std::string water = line("पानी (paanii) вода"), betel = line("पान (paan) бетель");
  const std::string foil = line("पन्नी (panni) фольга");
  const std::string house = line("घर (ghar) дом, жилище");
  const std::string jug = line("घड़ा (x) кувшин для воды"), river = line("नदी (x) река; ~ воды");
  const std::string write = line("लिखना (x) гл. писать"), letter = line("पत्र (x) м. письмо");
  const std::string live = line("जीना (x) гл. жить"), alive = line("ज़िंदा (x) прил. живой");
  const std::string neer = line("नीर (x) м. вода"), speak = line("बोलना (x) гл. говорить");
  const std::string call = line("बुलना (x) гл. звать"), treasure = line("ख़ज़ाना (x) м. клад");
  const std::string jal = line("जल (x) м. вода"), ab = line("आब (x) ж. вода");
  const std::string stream = line("धारा (x) ж. поток; вода");
  const std::string brook = line("नाला (x) м. ручей; ~ का पानी вода");
  std::string common, bytes;
  DevanagariError error;
  EXPECT_EQ(encodeDictionaryLine("पानी", bytes, error), 1);
  common = "vartolik common words 1\n" + bytes + "\n";
  const std::string forms =
      "vartolik russian forms 1\n\xE6\xE8\xE2\xE5\xEC \xE6\xE8\xF2\xFC\n"
      "\xEF\xE8\xF8\xF3 \xEF\xE8\xF1\xE0\xF2\xFC\n";  // живем жить, пишу писать
  struct Case {
    const char* name;
    std::string dictionary, query;
    int language;
    std::string resultFile;
    int foundCount;
    std::string russianForms;  // russform.dat; empty: none
    std::string commonWords;   // common.dat; empty: none
  } cases[] = {
      {"as typed before a form", betel + "\r\n" + water + "\r\n" + house + "\r\n", "pani", 0,
       water + "\r\n" + betel + "\r\n", 2, "", ""},
      {"the spelling decides among one sound", foil + "\r\n" + water + "\r\n", "paani", 0,
       water + "\r\n" + foil + "\r\n", 2, "", ""},
      {"a pointer line and the rule's dictionary form", boy + "\r\n" + boys + "\r\n", "ladke", 0,
       boys + "\r\n" + boy + "\r\n", 2, "", ""},
      {"the rule finds the dictionary form", water + "\r\n" + boy + "\r\n", "ladke", 0,
       boy + "\r\n", 1, "", ""},
      {"Russian: the first word before a later one before an example",
       river + "\r\n" + jug + "\r\n" + water + "\r\n", "\xE2\xEE\xE4\xFB", 0,
       water + "\r\n" + jug + "\r\n" + river + "\r\n", 3, "", ""},
      {"Russian in any case", house + "\n" + water + "\n", "\xC4\xCE\xCC\xC0", 0, house + "\r\n", 1,
       "", ""},
      {"a listed form before a regular one", alive + "\r\n" + live + "\r\n", "\xE6\xE8\xE2\xB8\xEC",
       0, live + "\r\n" + alive + "\r\n", 2, forms, ""},
      {"without the list only the rules", alive + "\r\n" + live + "\r\n", "\xE6\xE8\xE2\xB8\xEC", 0,
       alive + "\r\n", 1, "", ""},
      {"a stem change from the list", letter + "\r\n" + write + "\r\n", "\xEF\xE8\xF8\xF3", 0,
       write + "\r\n", 1, forms, ""},
      {"a damaged list is no list", letter + "\r\n" + write + "\r\n", "\xEF\xE8\xF8\xF3", 0, "", 0,
       "vartolik russian forms 1\n\xEF\xE8\xF8\xF3\n", ""},
      {"last line without LF", water + "\r\n" + house, "ghar", 0, house, 1, "", ""},
      {"0x1A ends the file", water + "\r\n\x1A" + house + "\r\n", "ghar", 0, "", 0, "", ""},
      {"nothing", water + "\r\n", "kuch", 1, "", 0, "", ""},
      {"the starter vocabulary first among equal ranks", neer + "\r\n" + water + "\r\n",
       "\xE2\xEE\xE4\xE0", 0, water + "\r\n" + neer + "\r\n", 2, "", common},
      {"without the list equal ranks in file order", neer + "\r\n" + water + "\r\n",
       "\xE2\xEE\xE4\xE0", 0, neer + "\r\n" + water + "\r\n", 2, "", ""},
      {"a damaged starter list is no list", neer + "\r\n" + water + "\r\n", "\xE2\xEE\xE4\xE0", 0,
       neer + "\r\n" + water + "\r\n", 2, "", "vartolik common words 1\n" + bytes + " x\n"},
      {"tolerant forms give way to a found form", call + "\r\n" + speak + "\r\n", "bolte", 0,
       speak + "\r\n", 1, "", ""},
      {"examples give way to five lines of senses",
       brook + "\r\n" + water + "\r\n" + neer + "\r\n" + jal + "\r\n" + ab + "\r\n" + stream +
           "\r\n",
       "\xE2\xEE\xE4\xE0", 0,
       water + "\r\n" + neer + "\r\n" + jal + "\r\n" + ab + "\r\n" + stream + "\r\n", 5, "", ""},
      {"two sounds are not read as a form", treasure + "\r\n", "qqqzzz", 0, "", 0, "", ""},
  };
  ScratchDir dir;
  GuardedResultBuffer buffer;
  for (const Case& c : cases) {
    std::remove(dir.file(kRussianFormsFile).c_str());
    if (!c.russianForms.empty()) writeRawFile(dir.file(kRussianFormsFile).c_str(), c.russianForms);
    std::remove(dir.file(kCommonWordsFile).c_str());
    if (!c.commonWords.empty()) writeRawFile(dir.file(kCommonWordsFile).c_str(), c.commonWords);
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

// russform.dat read as it is, or not at all: a missing or damaged file gives an empty table.
TEST(Phonetic, RussianFormsFileIsReadWholeOrNotAtAll) {
  const std::string header = "vartolik russian forms 1\n";
  const std::string pishu = "\xEF\xE8\xF8\xF3", pisat = "\xEF\xE8\xF1\xE0\xF2\xFC";
  struct Case {
    const char* name;
    const char* content;  // nullptr: no file
    std::string text;
    RussianFormsStatus status;
    std::size_t forms;
  } cases[] = {
      {"a good table", "", header + pishu + " " + pisat + "\r\n", RussianFormsStatus::Loaded, 1},
      {"two words for a form", "", header + pishu + " " + pisat + "," + pisat + "\n",
       RussianFormsStatus::Loaded, 1},
      {"the header alone", "", header, RussianFormsStatus::Loaded, 0},
      {"no file", nullptr, "", RussianFormsStatus::Missing, 0},
      {"an empty file", "", "", RussianFormsStatus::Damaged, 0},
      {"another header", "", "forms 2\n" + pishu + " " + pisat + "\n", RussianFormsStatus::Damaged,
       0},
      {"a line without its word", "", header + pishu + "\n", RussianFormsStatus::Damaged, 0},
      {"an empty word", "", header + pishu + " " + pisat + ",\n", RussianFormsStatus::Damaged, 0},
      {"Latin letters", "", header + "abc " + pisat + "\n", RussianFormsStatus::Damaged, 0},
      {"upper case", "", header + "\xCF " + pisat + "\n", RussianFormsStatus::Damaged, 0},
      {"out of order", "", header + pishu + " " + pisat + "\n" + pisat + " " + pisat + "\n",
       RussianFormsStatus::Damaged, 0},
      {"binary", "", header + std::string("\0\xFF\n\x1A", 4), RussianFormsStatus::Damaged, 0},
  };
  ScratchDir dir;
  for (const Case& c : cases) {
    const std::string path = dir.file(kRussianFormsFile);
    std::remove(path.c_str());
    if (c.content) writeRawFile(path.c_str(), c.text);
    RussianForms table;
    EXPECT_EQ(loadRussianForms(path.c_str(), table), c.status) << c.name;
    EXPECT_EQ(table.form.size(), c.forms) << c.name;
    const std::vector<std::string>* lemmas = russianLemmasOf(table, pishu);
    EXPECT_EQ(lemmas != nullptr, c.forms == 1) << c.name;
    if (lemmas) {
      EXPECT_EQ(lemmas->front(), pisat) << c.name;
    }
  }
}

// common.dat read as it is, or not at all.
TEST(Phonetic, CommonWordsFileIsReadWholeOrNotAtAll) {
  const std::string header = "vartolik common words 1\n";
  struct Case {
    const char* name;
    bool exists;
    std::string text;
    CommonWordsStatus status;
    bool knowsPani;  // "panY", the face's codes of पानी
  } cases[] = {
      {"a good list", true, header + "Gr\npanY\r\n", CommonWordsStatus::Loaded, true},
      {"no file", false, "", CommonWordsStatus::Missing, false},
      {"another header", true, "common words 2\npanY\n", CommonWordsStatus::Damaged, false},
      {"two words on a line", true, header + "panY Gr\n", CommonWordsStatus::Damaged, false},
      {"out of order", true, header + "panY\nGr\n", CommonWordsStatus::Damaged, false},
      {"an empty line", true, header + "Gr\n\npanY\n", CommonWordsStatus::Damaged, false},
  };
  ScratchDir dir;
  for (const Case& c : cases) {
    const std::string path = dir.file(kCommonWordsFile);
    std::remove(path.c_str());
    if (c.exists) writeRawFile(path.c_str(), c.text);
    CommonWords list;
    EXPECT_EQ(loadCommonWords(path.c_str(), list), c.status) << c.name;
    EXPECT_EQ(isCommonWord(list, "panY", 4), c.knowsPani) << c.name;
    EXPECT_FALSE(isCommonWord(list, "pan", 3)) << c.name;
  }
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
      // Every line ranked, then the best 100, equal ranks in dictionary order, then the lesser
      // lines left out.
      std::vector<std::pair<int, int32_t>> ranked;
      std::size_t start = 0;
      for (int32_t number = 0; start < readable.size(); ++number) {
        std::size_t end = std::min(readable.find('\n', start), readable.size());
        std::size_t n = end - start;
        if (end < readable.size() && n > 0 && readable[end - 1] == '\r') --n;
        const int rank = phoneticLineRank(query, readable.data() + start, n);
        if (rank >= 0) ranked.emplace_back(rank, number);
        start = end + 1;
      }
      std::stable_sort(ranked.begin(), ranked.end(),
                       [](const auto& a, const auto& b) { return a.first < b.first; });
      std::vector<PhoneticMatch> best;
      for (std::size_t i = 0; i < ranked.size() && i < 100; ++i)
        best.push_back({ranked[i].second, 0, ranked[i].first, 1});
      leaveOutLesserPhoneticMatches(query, best);
      std::vector<int32_t> expected;
      for (const PhoneticMatch& m : best) expected.push_back(m.line);
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
