// The dictionary as two StarDict books, made from the lines of dictiona.dat.
//
// Each line reads `<headword> (<reading>) <Russian part>` in the program's bytes; read as the
// result list reads it, it becomes Unicode: the headword and Hindi tokens Devanagari, the rest
// Russian. A Russian part that opens with "см. WORD" is a pointer line: its headword is a
// variant spelling or an irregular form of WORD's entry.
//
// Hindi -> Russian: one article per full entry under its Devanagari headword, the reading on
// the first line and the Russian part below, each numbered sense on a line of its own. Every
// pointer line's headword and every regular inflected form of the headword (by the grammatical
// mark of its senses, hindi/inflection.h) is a synonym of the article, so a client opens
// लड़की's article for लड़कियाँ. Proper names (a noun translated by a capitalised word) take no
// forms, and a form that is a headword itself (सूखा, dry, and the perfective of सूखना) leads
// only to its own article: sdcv shows a synonym's article instead of the headword's.
//
// Russian -> Hindi: the Russian words of each translation, as written, become headwords; a
// translation is what a sense says between commas, with its marks and style labels (words
// ending in a full stop), usage notes (after " - ") and examples (a part that holds Hindi or
// "~") left out. A translation of several words is indexed by the words that stand in their
// dictionary form: the infinitives of a verb phrase ("горько плакать"), else the adjectives
// before the head noun and the head ("детский дом"), not the inflected words that depend on it
// ("дом престарелых", "жаровня с углями"); a one-word translation is indexed whatever the word
// (और "и").
// An article lists the Hindi headwords with their readings and the sense the word comes from:
// the entries where it is a whole translation first, then the starter vocabulary before other
// words (the words common.dat lists: дом leads with घर, not with the bookish गृह), then
// dictionary order.
#pragma once
#include <string>
#include <vector>

#include "stardict/stardict_format.h"

struct DictionaryEntry {
  std::string headword;  // Devanagari
  std::string reading;   // the Cyrillic reading, without its parentheses
  std::string russian;   // the rest of the line
  int line = 0;          // from 1
};

struct ParsedDictionary {
  std::vector<DictionaryEntry> entries;
  std::vector<int> malformedLines;  // lines with no "(reading)" after the headword, from 1
};

// Reads dictionary bytes as the program reads them (CR LF as LF, 0x1A ends the text). Empty
// lines are skipped.
ParsedDictionary parseDictionary(const std::string& bytes);

struct StarDictSource {
  std::vector<StarDictArticle> articles;
  std::vector<StarDictSynonym> synonyms;
};

StarDictSource hindiRussianBook(const ParsedDictionary& dictionary);
// `starter`: the headwords of the starter vocabulary, Devanagari, sorted (may be empty).
StarDictSource russianHindiBook(const ParsedDictionary& dictionary,
                                const std::vector<std::string>& starter = {});
