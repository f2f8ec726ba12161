#include "hindi/inflection.h"

#include <cstdint>

#include "hindi/cp1251.h"

namespace {

using Text = std::u32string;

constexpr char32_t kAa = U'\u093E';           // ा
constexpr char32_t kShortI = U'\u093F';       // ि
constexpr char32_t kLongI = U'\u0940';        // ी
constexpr char32_t kShortU = U'\u0941';       // ु
constexpr char32_t kLongU = U'\u0942';        // ू
constexpr char32_t kCandrabindu = U'\u0901';  // ँ
constexpr char32_t kAnusvara = U'\u0902';     // ं
constexpr char32_t kNukta = U'\u093C';
constexpr char32_t kLetterAa = U'\u0906';  // आ
constexpr char32_t kLetterI = U'\u0907';   // इ
constexpr char32_t kLetterIi = U'\u0908';  // ई
constexpr char32_t kLetterU = U'\u0909';   // उ
constexpr char32_t kLetterUu = U'\u090A';  // ऊ
constexpr char32_t kLetterE = U'\u090F';   // ए
constexpr char32_t kYa = U'\u092F';        // य

// Masculine nouns in -aa that keep it before every ending (राजा, राजाओं): kinship words,
// Sanskrit agent nouns and compounds ending in one of them, a few loans and names of illnesses.
const char* const kUnmarkedMasculine[] = {
    "कर्ता",   "दाता",   "नेता",    "वक्ता",     "क्रेता", "विजेता",  "निर्माता", "श्रोता",
    "भोक्ता",  "योक्ता",  "अभियंता", "व्याख्याता", "पिता", "देवता",   "आत्मा",    "राजा",
    "दादा",   "ब्रह्मा",  "चंद्रमा",  "योद्धा",    "चाचा", "नाना",   "मामा",    "पापा",
    "फूफा",    "मौसा",   "जीजा",   "बाबा",     "काका", "भैया",    "युवा",     "ख़ुदा",
    "मलेरिया", "पीलिया", "सिनेमा",  "डिप्लोमा",  "डेटा",  "मीडिया", "दरिया",   "मौलाना"};

// Adjectives in -aa that do not agree: Persian and Sanskrit words, mostly (ज़िंदा लोग).
const char* const kInvariableAdjectives[] = {
    "अदा",      "आमादा", "आला",    "आवारा",   "उम्दा",    "एकतरफ़ा",  "ख़फ़ा",      "ख़स्ता",
    "ख़ुशनुमा",    "खुदरा",  "खटारा",  "चुनिंदा",   "ज़नाना",   "जमा",     "जानलेवा",   "ज़िंदा",
    "जुदा",      "ज़्यादा", "तन्हा",   "तरोताज़ा", "दोस्ताना", "धर्मात्मा", "नौकरीपेशा", "पसंदीदा",
    "पुख़्ता",     "पेचीदा", "पैदा",    "फ़िदा",    "बेवफ़ा",    "बेसहारा",  "मना",      "मर्दाना",
    "मुर्दा",     "मौजूदा", "युवा",    "रवाना",   "रिहा",    "रोज़मर्रा", "लापता",    "शर्मिंदा",
    "सज़ायाफ़्ता", "साझा",  "सालाना", "जुड़वाँ",    "ढलवाँ",    "सवा",     "उलटा"};

// Verbs whose forms of some tags are not the regular ones; those tags take these words.
struct IrregularForms {
  const char* infinitive;
  const char* forms[20][2];  // tag, word; ends at a null tag
};

const IrregularForms kIrregularVerbs[] = {
    {"जाना", {{"perf.m.sg", "गया"}, {"perf.m.pl", "गए"}, {"perf.f.sg", "गई"}, {"perf.f.pl", "गईं"}}},
    {"करना",
     {{"perf.m.sg", "किया"},
      {"perf.m.pl", "किए"},
      {"perf.f.sg", "की"},
      {"perf.f.pl", "कीं"},
      {"imp.frm", "कीजिए"},
      {"imp.frm.fut", "कीजिएगा"}}},
    {"देना",
     {{"perf.m.sg", "दिया"},
      {"perf.m.pl", "दिए"},
      {"perf.f.sg", "दी"},
      {"perf.f.pl", "दीं"},
      {"imp.frm", "दीजिए"},
      {"imp.frm.fut", "दीजिएगा"},
      {"imp.2.pl", "दो"},
      {"fut.1.m.sg", "दूँगा"},
      {"fut.1.f.sg", "दूँगी"},
      {"fut.3.m.sg", "देगा"},
      {"fut.3.f.sg", "देगी"},
      {"fut.3.m.pl", "देंगे"},
      {"fut.3.f.pl", "देंगी"},
      {"fut.2.m.pl", "दोगे"},
      {"fut.2.f.pl", "दोगी"},
      {"subj.1.sg", "दूँ"},
      {"subj.3.sg", "दे"},
      {"subj.3.pl", "दें"},
      {"subj.2.pl", "दो"}}},
    {"लेना",
     {{"perf.m.sg", "लिया"},
      {"perf.m.pl", "लिए"},
      {"perf.f.sg", "ली"},
      {"perf.f.pl", "लीं"},
      {"imp.frm", "लीजिए"},
      {"imp.frm.fut", "लीजिएगा"},
      {"imp.2.pl", "लो"},
      {"fut.1.m.sg", "लूँगा"},
      {"fut.1.f.sg", "लूँगी"},
      {"fut.3.m.sg", "लेगा"},
      {"fut.3.f.sg", "लेगी"},
      {"fut.3.m.pl", "लेंगे"},
      {"fut.3.f.pl", "लेंगी"},
      {"fut.2.m.pl", "लोगे"},
      {"fut.2.f.pl", "लोगी"},
      {"subj.1.sg", "लूँ"},
      {"subj.3.sg", "ले"},
      {"subj.3.pl", "लें"},
      {"subj.2.pl", "लो"}}},
    {"होना",
     {{"perf.m.sg", "हुआ"},
      {"perf.m.pl", "हुए"},
      {"perf.f.sg", "हुई"},
      {"perf.f.pl", "हुईं"},
      {"fut.1.m.sg", "होऊँगा"},
      {"fut.1.f.sg", "होऊँगी"},
      {"fut.3.m.sg", "होगा"},
      {"fut.3.f.sg", "होगी"},
      {"fut.3.m.pl", "होंगे"},
      {"fut.3.f.pl", "होंगी"},
      {"fut.2.m.pl", "होगे"},
      {"fut.2.f.pl", "होगी"},
      {"subj.3.sg", "हो"},
      {"subj.3.pl", "हों"},
      {"subj.2.pl", "हो"},
      {"imp.2.pl", "हो"}}},
};

bool toText(const std::string& utf8, Text& text) {
  text.clear();
  for (std::size_t i = 0; i < utf8.size();) {
    uint32_t cp = 0;
    const std::size_t n = utf8CharAt(utf8, i, cp);
    if (n == 0) return false;
    text.push_back(static_cast<char32_t>(cp));
    i += n;
  }
  return true;
}

std::string toUtf8(const Text& text) {
  std::string out;
  for (char32_t c : text) appendUtf8(out, static_cast<uint32_t>(c));
  return out;
}

Text textOf(const char* utf8) {
  Text text;
  toText(utf8, text);
  return text;
}

bool isConsonant(char32_t c) {
  return (c >= U'\u0915' && c <= U'\u0939') || (c >= U'\u0958' && c <= U'\u095F') || c == kNukta;
}

bool isVowelSign(char32_t c) { return c >= kAa && c <= U'\u094C'; }

bool isDevanagariWord(const Text& word) {
  if (word.empty()) return false;
  for (char32_t c : word) {
    if (c < U'\u0900' || c > U'\u097F') return false;
  }
  return true;
}

bool endsWith(const Text& word, const Text& end) {
  return word.size() >= end.size() && word.compare(word.size() - end.size(), end.size(), end) == 0;
}

bool listed(const Text& word, const char* const* list, std::size_t n, bool asSuffix) {
  for (std::size_t i = 0; i < n; ++i) {
    const Text entry = textOf(list[i]);
    if (word == entry || (asSuffix && endsWith(word, entry))) return true;
  }
  return false;
}

// The vowel letter written for a vowel sign where nothing precedes it to sit on.
char32_t letterOfSign(char32_t sign) {
  static const char32_t kLetters[] = {U'\u0906', U'\u0907', U'\u0908', U'\u0909', U'\u090A',
                                      U'\u090B', U'\u090C', U'\u090D', U'\u090E', U'\u090F',
                                      U'\u0910', U'\u0911', U'\u0912', U'\u0913', U'\u0914'};
  return kLetters[sign - kAa];
}

// An ending written as after a consonant (vowel signs) joined to a stem: after a vowel its
// first sign becomes the vowel letter (पढ़ + ेगा, खा + एगा); the letter e carries chandrabindu
// where the sign carried anusvara, the dot having nothing above the top line to avoid
// (पढ़ेंगे, खाएँगे).
Text joined(const Text& stem, const Text& ending) {
  if (ending.empty() || !isVowelSign(ending[0]) || (!stem.empty() && isConsonant(stem.back())))
    return stem + ending;
  Text out = stem;
  out.push_back(letterOfSign(ending[0]));
  Text rest = ending.substr(1);
  if (out.back() == kLetterE && !rest.empty() && rest[0] == kAnusvara) rest[0] = kCandrabindu;
  return out + rest;
}

// A long ii or uu at the end of a stem shortened before an ending (पी -> पि, बहू -> बहु).
Text shortened(const Text& stem) {
  Text out = stem;
  if (out.empty()) return out;
  if (out.back() == kLongI) out.back() = kShortI;
  if (out.back() == kLongU) out.back() = kShortU;
  if (out.back() == kLetterIi) out.back() = kLetterI;
  if (out.back() == kLetterUu) out.back() = kLetterU;
  return out;
}

void add(std::vector<HindiForm>& forms, const Text& word, const char* grammar) {
  forms.push_back({toUtf8(word), grammar});
}

void nounForms(const Text& word, bool masculine, std::vector<HindiForm>& forms) {
  const char32_t last = word.back();
  const Text nasalAa = {kAa, kCandrabindu}, nasalLetterAa = {kLetterAa, kCandrabindu};
  if (masculine) {
    const bool unmarked = listed(word, kUnmarkedMasculine, std::size(kUnmarkedMasculine), true);
    if ((last == kAa || last == kLetterAa) && !unmarked) {  // लड़का: लड़के, लड़कों
      const Text stem = word.substr(0, word.size() - 1);
      add(forms, joined(stem, U"\u0947"), "obl.sg");
      add(forms, joined(stem, U"\u0947"), "pl");
      add(forms, joined(stem, U"\u094B\u0902"), "obl.pl");
      if (endsWith(word, Text{kYa, kAa})) {  // रुपया: रुपए beside रुपये
        const Text e = word.substr(0, word.size() - 2) + kLetterE;
        add(forms, e, "obl.sg");
        add(forms, e, "pl");
      }
    } else if (endsWith(word, nasalAa) || endsWith(word, nasalLetterAa)) {  // कुआँ: कुएँ, कुओं
      const Text stem = word.substr(0, word.size() - 2);
      add(forms, joined(stem, U"\u0947\u0902"), "obl.sg");
      add(forms, joined(stem, U"\u0947\u0902"), "pl");
      add(forms, joined(stem, U"\u094B\u0902"), "obl.pl");
    } else if (last == kLongI || last == kLetterIi || last == kShortI || last == kLetterI) {
      add(forms, shortened(word) + U"\u092F\u094B\u0902", "obl.pl");  // आदमियों
    } else {
      add(forms, joined(shortened(word), U"\u094B\u0902"), "obl.pl");  // घरों, राजाओं, डाकुओं
    }
    return;
  }
  if (last == kLongI || last == kLetterIi || last == kShortI || last == kLetterI) {
    add(forms, shortened(word) + U"\u092F\u093E\u0901", "pl");  // लड़कियाँ
    add(forms, shortened(word) + U"\u092F\u094B\u0902", "obl.pl");
  } else if (endsWith(word, Text{kShortI, kYa, kAa})) {  // चिड़िया: चिड़ियाँ, चिड़ियों
    add(forms, word + kCandrabindu, "pl");
    add(forms, word.substr(0, word.size() - 1) + U"\u094B\u0902", "obl.pl");
  } else {
    add(forms, joined(shortened(word), U"\u0947\u0902"), "pl");  // किताबें, माताएँ, बहुएँ
    add(forms, joined(shortened(word), U"\u094B\u0902"), "obl.pl");
  }
}

void adjectiveForms(const Text& word, std::vector<HindiForm>& forms) {
  if (listed(word, kInvariableAdjectives, std::size(kInvariableAdjectives), false) ||
      endsWith(word, Text{kShortI, kYa, kAa}))  // बढ़िया, घटिया
    return;
  const Text nasalAa = {kAa, kCandrabindu};
  Text stem, nasal;
  if (word.back() == kAa) {
    stem = word.substr(0, word.size() - 1);
  } else if (endsWith(word, nasalAa)) {  // बायाँ: बायें, बायीं; पाँचवाँ: पाँचवें
    stem = word.substr(0, word.size() - 2);
    nasal = U"\u0902";
  } else {
    return;
  }
  add(forms, joined(stem, U"\u0947" + nasal), "m.obl");
  add(forms, joined(stem, U"\u0940" + nasal), "f");
  if (stem.size() >= 2 && stem.back() == kYa) {
    // नया: नए, नई beside नये, नयी; बायाँ: बाएँ, बाईं
    const Text before = stem.substr(0, stem.size() - 1);
    add(forms, before + kLetterE + (nasal.empty() ? Text() : Text{kCandrabindu}), "m.obl");
    add(forms, before + kLetterIi + nasal, "f");
  }
}

void verbForms(const Text& word, std::vector<HindiForm>& forms) {
  const Text infinitiveEnding = U"\u0928\u093E";  // ना
  if (!endsWith(word, infinitiveEnding) || word.size() <= 2) return;
  const Text stem = word.substr(0, word.size() - 2);
  const char32_t last = stem.back();
  const bool consonant = isConsonant(last);
  const bool longI = last == kLongI || last == kLetterIi;
  const bool longU = last == kLongU || last == kLetterUu;
  const Text shortStem = shortened(stem);  // पि, छु: before a vowel ending

  add(forms, stem + U"\u0928\u0947", "inf.obl");
  static const char* const kImperfective[][2] = {{"\u0924\u093E", "impf.m.sg"},
                                                 {"\u0924\u0947", "impf.m.pl"},
                                                 {"\u0924\u0940", "impf.f.sg"},
                                                 {"\u0924\u0940\u0902", "impf.f.pl"}};
  for (const auto& e : kImperfective) add(forms, stem + textOf(e[0]), e[1]);

  // Perfective: पढ़ा, खाया, पिया, छुआ.
  if (consonant || longU) {
    add(forms, joined(shortStem, U"\u093E"), "perf.m.sg");
  } else {
    add(forms, shortStem + U"\u092F\u093E", "perf.m.sg");
  }
  add(forms, joined(shortStem, U"\u0947"), "perf.m.pl");
  if (longI) {  // पी, पीं: the feminine is the stem itself
    add(forms, stem, "perf.f.sg");
    add(forms, stem + kAnusvara, "perf.f.pl");
  } else {
    add(forms, joined(shortStem, U"\u0940"), "perf.f.sg");
    add(forms, joined(shortStem, U"\u0940\u0902"), "perf.f.pl");
  }
  if (!consonant && !longI && !longU) {  // खाये, खायी beside खाए, खाई
    add(forms, stem + U"\u092F\u0947", "perf.m.pl");
    add(forms, stem + U"\u092F\u0940", "perf.f.sg");
    add(forms, stem + U"\u092F\u0940\u0902", "perf.f.pl");
  }

  static const char* const kFuture[][2] = {{"\u0942\u0901\u0917\u093E", "fut.1.m.sg"},
                                           {"\u0942\u0901\u0917\u0940", "fut.1.f.sg"},
                                           {"\u0947\u0917\u093E", "fut.3.m.sg"},
                                           {"\u0947\u0917\u0940", "fut.3.f.sg"},
                                           {"\u0947\u0902\u0917\u0947", "fut.3.m.pl"},
                                           {"\u0947\u0902\u0917\u0940", "fut.3.f.pl"},
                                           {"\u094B\u0917\u0947", "fut.2.m.pl"},
                                           {"\u094B\u0917\u0940", "fut.2.f.pl"},
                                           {"\u0942\u0901", "subj.1.sg"},
                                           {"\u0947", "subj.3.sg"},
                                           {"\u0947\u0902", "subj.3.pl"},
                                           {"\u094B", "subj.2.pl"}};
  for (const auto& e : kFuture) add(forms, joined(shortStem, textOf(e[0])), e[1]);
  if (!consonant && !longU) {  // खायेगा, पियेगा beside खाएगा, पिएगा
    static const char* const kFutureWithYa[][2] = {
        {"\u092F\u0947\u0917\u093E", "fut.3.m.sg"},
        {"\u092F\u0947\u0917\u0940", "fut.3.f.sg"},
        {"\u092F\u0947\u0902\u0917\u0947", "fut.3.m.pl"},
        {"\u092F\u0947\u0902\u0917\u0940", "fut.3.f.pl"}};
    for (const auto& e : kFutureWithYa) add(forms, shortStem + textOf(e[0]), e[1]);
  }

  add(forms, stem, "imp.2.sg");
  if (longI) {  // पियो, पीजिए
    add(forms, shortStem + U"\u092F\u094B", "imp.2.pl");
    add(forms, stem + U"\u091C\u093F\u090F", "imp.frm");
    add(forms, stem + U"\u091C\u093F\u090F\u0917\u093E", "imp.frm.fut");
  } else {
    add(forms, joined(shortStem, U"\u094B"), "imp.2.pl");
    add(forms, joined(shortStem, U"\u093F\u090F"), "imp.frm");
    add(forms, joined(shortStem, U"\u093F\u090F\u0917\u093E"), "imp.frm.fut");
  }
  add(forms, stem + U"\u0915\u0930", "conj");

  for (const IrregularForms& verb : kIrregularVerbs) {
    if (textOf(verb.infinitive) != word) continue;
    std::vector<HindiForm> regular;
    regular.swap(forms);
    for (const HindiForm& f : regular) {
      bool replaced = false;
      for (const auto& irregular : verb.forms) {
        if (irregular[0] && f.grammar == irregular[0]) replaced = true;
      }
      if (!replaced) forms.push_back(f);
    }
    for (const auto& irregular : verb.forms) {
      if (irregular[0]) forms.push_back({irregular[1], irregular[0]});
    }
  }
}

}  // namespace

std::vector<HindiForm> hindiInflectedForms(const std::string& word, HindiWordClass wordClass) {
  Text text;
  std::vector<HindiForm> forms;
  if (!toText(word, text) || !isDevanagariWord(text)) return forms;
  switch (wordClass) {
    case HindiWordClass::MasculineNoun: nounForms(text, true, forms); break;
    case HindiWordClass::FeminineNoun: nounForms(text, false, forms); break;
    case HindiWordClass::Adjective: adjectiveForms(text, forms); break;
    case HindiWordClass::Verb: verbForms(text, forms); break;
  }
  std::vector<HindiForm> distinct;
  for (const HindiForm& f : forms) {
    bool seen = f.word == word;
    for (const HindiForm& d : distinct) seen = seen || (d.word == f.word && d.grammar == f.grammar);
    if (!seen) distinct.push_back(f);
  }
  return distinct;
}
