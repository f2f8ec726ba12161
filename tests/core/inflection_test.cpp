#include <gtest/gtest.h>

#include <string>

#include "hindi/inflection.h"

namespace {

using C = HindiWordClass;

// The words a form of one tag takes, "/" between spellings; "" when there is none.
std::string formsTagged(const char* word, C wordClass, const std::string& grammar) {
  std::string words;
  for (const HindiForm& f : hindiInflectedForms(word, wordClass)) {
    if (f.grammar != grammar) continue;
    words += (words.empty() ? "" : "/") + f.word;
  }
  return words;
}

// One row per rule: the last letter and the class choose the ending, the listed words keep
// theirs, the irregular verbs take their own forms.
TEST(Inflection, FormsByClassAndLastLetter) {
  struct Case {
    const char* word;
    C wordClass;
    const char* grammar;
    const char* forms;
  } cases[] = {
      {"लड़का", C::MasculineNoun, "pl", "लड़के"},
      {"लड़का", C::MasculineNoun, "obl.pl", "लड़कों"},
      {"रुपया", C::MasculineNoun, "pl", "रुपये/रुपए"},
      {"कुआँ", C::MasculineNoun, "pl", "कुएँ"},
      {"कुआँ", C::MasculineNoun, "obl.pl", "कुओं"},
      {"घर", C::MasculineNoun, "pl", ""},  // unmarked: the plural is the word itself
      {"घर", C::MasculineNoun, "obl.pl", "घरों"},
      {"राजा", C::MasculineNoun, "pl", ""},
      {"राजा", C::MasculineNoun, "obl.pl", "राजाओं"},
      {"उपयोगकर्ता", C::MasculineNoun, "obl.pl", "उपयोगकर्ताओं"},  // a listed word as suffix
      {"आदमी", C::MasculineNoun, "obl.pl", "आदमियों"},
      {"भाई", C::MasculineNoun, "obl.pl", "भाइयों"},
      {"डाकू", C::MasculineNoun, "obl.pl", "डाकुओं"},
      {"लड़की", C::FeminineNoun, "pl", "लड़कियाँ"},
      {"लड़की", C::FeminineNoun, "obl.pl", "लड़कियों"},
      {"मिठाई", C::FeminineNoun, "pl", "मिठाइयाँ"},
      {"रीति", C::FeminineNoun, "pl", "रीतियाँ"},
      {"चिड़िया", C::FeminineNoun, "pl", "चिड़ियाँ"},
      {"चिड़िया", C::FeminineNoun, "obl.pl", "चिड़ियों"},
      {"किताब", C::FeminineNoun, "pl", "किताबें"},
      {"माता", C::FeminineNoun, "pl", "माताएँ"},
      {"माता", C::FeminineNoun, "obl.pl", "माताओं"},
      {"बहू", C::FeminineNoun, "pl", "बहुएँ"},
      {"वस्तु", C::FeminineNoun, "obl.pl", "वस्तुओं"},
      {"बड़ा", C::Adjective, "m.obl", "बड़े"},
      {"बड़ा", C::Adjective, "f", "बड़ी"},
      {"नया", C::Adjective, "f", "नयी/नई"},
      {"बायाँ", C::Adjective, "m.obl", "बायें/बाएँ"},
      {"पाँचवाँ", C::Adjective, "f", "पाँचवीं"},
      {"ज़िंदा", C::Adjective, "f", ""},
      {"बढ़िया", C::Adjective, "f", ""},
      {"लाल", C::Adjective, "f", ""},
      {"पढ़ना", C::Verb, "impf.f.pl", "पढ़तीं"},
      {"पढ़ना", C::Verb, "perf.m.sg", "पढ़ा"},
      {"पढ़ना", C::Verb, "fut.1.m.sg", "पढ़ूँगा"},
      {"पढ़ना", C::Verb, "fut.3.m.pl", "पढ़ेंगे"},
      {"पढ़ना", C::Verb, "imp.frm", "पढ़िए"},
      {"पढ़ना", C::Verb, "inf.obl", "पढ़ने"},
      {"पढ़ना", C::Verb, "conj", "पढ़कर"},
      {"खाना", C::Verb, "perf.m.sg", "खाया"},
      {"खाना", C::Verb, "perf.m.pl", "खाए/खाये"},
      {"खाना", C::Verb, "fut.3.m.pl", "खाएँगे/खायेंगे"},
      {"खाना", C::Verb, "imp.frm", "खाइए"},
      {"खाना", C::Verb, "imp.2.pl", "खाओ"},
      {"पीना", C::Verb, "perf.m.sg", "पिया"},
      {"पीना", C::Verb, "perf.f.sg", "पी"},  // the stem itself
      {"पीना", C::Verb, "fut.3.m.sg", "पिएगा/पियेगा"},
      {"पीना", C::Verb, "imp.frm", "पीजिए"},
      {"छूना", C::Verb, "perf.m.sg", "छुआ"},
      {"जाना", C::Verb, "perf.f.pl", "गईं"},
      {"जाना", C::Verb, "fut.3.m.sg", "जाएगा/जायेगा"},
      {"करना", C::Verb, "imp.frm", "कीजिए"},
      {"देना", C::Verb, "fut.1.m.sg", "दूँगा"},
      {"होना", C::Verb, "fut.3.m.pl", "होंगे"},
      {"पढ़", C::Verb, "imp.2.pl", ""},  // not an infinitive
      {"dom", C::FeminineNoun, "pl", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(formsTagged(c.word, c.wordClass, c.grammar), c.forms) << c.word << " " << c.grammar;
  }
}

TEST(Inflection, AFormIsNeverTheWordItselfNorRepeated) {
  for (const char* verb : {"पीना", "होना", "देना", "सोना"}) {
    const auto forms = hindiInflectedForms(verb, C::Verb);
    EXPECT_GE(forms.size(), 25U) << verb;
    for (std::size_t i = 0; i < forms.size(); ++i) {
      EXPECT_NE(forms[i].word, verb);
      for (std::size_t j = 0; j < i; ++j) {
        EXPECT_FALSE(forms[i].word == forms[j].word && forms[i].grammar == forms[j].grammar)
            << forms[i].word;
      }
    }
  }
}

}  // namespace
