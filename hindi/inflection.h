// The regular inflection of Hindi: from a dictionary form and its word class, the forms a
// reader meets in running text, each with its grammar.
//
// Hindi inflects by endings, and the ending a word takes follows from its class and its last
// letter: a masculine noun in -aa is "marked" (लड़का, लड़के, लड़कों) while other masculine
// nouns change only in the oblique plural (घर, घरों); a feminine noun in -ii takes -iyaan
// (लड़की, लड़कियाँ), other feminine nouns -en (किताब, किताबें); an adjective in -aa agrees
// (बड़ा, बड़े, बड़ी), others stay as they are; a verb adds its endings to the stem left when
// -naa is taken off (पढ़ना: पढ़ता, पढ़ा, पढ़ेगा, पढ़िए). Endings join a consonant as vowel
// signs and a vowel as vowel letters (पढ़ेगा, खाएगा); a long ii or uu before an ending is
// shortened (पीना: पिया, पिएगा; बहू: बहुएँ). The few words the rules get wrong are listed:
// masculine nouns in -aa that do not change (पिता, राजा, नेता and the Sanskrit agent nouns),
// adjectives in -aa that do not agree (ज़िंदा, ज़्यादा, बढ़िया), and the verbs with irregular
// forms (जाना, करना, देना, लेना, होना), whose irregular forms replace the regular ones.
//
// Words are Devanagari in UTF-8, NFC. Nothing here knows the dictionary: the caller says which
// class a word is.
#pragma once
#include <string>
#include <vector>

enum class HindiWordClass { MasculineNoun, FeminineNoun, Adjective, Verb };

// One form and what it is, in short tags joined by dots: "obl.sg", "pl", "obl.pl" (nouns),
// "m.obl" (the adjective's masculine oblique and plural), "f" (its feminine), and for verbs
// "inf.obl", "impf.m.sg", "perf.f.pl", "fut.1.m.sg" (person, gender, number), "subj.3.pl",
// "imp.2.sg" (the bare stem), "imp.2.pl" (-o), "imp.frm" (-iye), "imp.frm.fut" (-iyegaa),
// "conj" (-kar). A tag may come twice when a form has two spellings in use (नए and नये).
struct HindiForm {
  std::string word;
  std::string grammar;
};

// The inflected forms of a dictionary form, the form itself left out, in a fixed order. None
// when the word has no regular forms in its class (an invariable adjective, a verb that does
// not end in -naa, a word that is not Devanagari).
std::vector<HindiForm> hindiInflectedForms(const std::string& word, HindiWordClass wordClass);
