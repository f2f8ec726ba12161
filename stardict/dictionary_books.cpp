#include "stardict/dictionary_books.h"

#include <algorithm>
#include <initializer_list>
#include <cstdint>
#include <map>
#include <set>
#include <utility>

#include "hindi/cp1251.h"
#include "hindi/devanagari.h"
#include "hindi/inflection.h"

namespace {

// The marks a sense can open with; those without a full stop are words too, and are dropped
// only there.
const char* const kMarkWords[] = {"послелог", "союз", "частица"};

// Words that a translation of several words is not looked up by.
const char* const kFunctionWords[] = {
    "в",         "во",        "на",        "с",         "со",       "к",        "ко",
    "о",         "об",        "обо",       "от",        "до",       "по",       "за",
    "из",        "у",         "над",       "под",       "при",      "про",      "без",
    "для",       "через",     "между",     "перед",     "и",        "или",      "а",
    "но",        "да",        "не",        "ни",        "же",       "бы",       "ли",
    "то",        "что",       "как",       "чтобы",     "кто",      "его",      "ее",
    "их",        "им",        "ему",       "ей",        "себя",     "себе",     "собой",
    "свой",      "своя",      "свое",      "свои",      "этот",     "эта",      "это",
    "эти",       "тот",       "та",        "те",        "очень",    "более",    "менее",
    "так",       "также",     "тоже",      "уже",       "еще",      "кто-либо", "что-либо",
    "кого-либо", "кому-либо", "чего-либо", "чему-либо", "кем-либо", "чем-либо", "ком-либо",
    "где-либо",  "куда-либо", "кто-то",    "что-то",    "кого-то",  "кому-то",  "чем-то"};

std::string trimmed(const std::string& text) {
  const std::size_t begin = text.find_first_not_of(' ');
  if (begin == std::string::npos) return "";
  return text.substr(begin, text.find_last_not_of(' ') - begin + 1);
}

// The code points of UTF-8 text, with the byte offset of each (decodeDictionaryLine's output
// is valid UTF-8).
std::vector<std::pair<std::size_t, uint32_t>> codePoints(const std::string& text) {
  std::vector<std::pair<std::size_t, uint32_t>> out;
  for (std::size_t i = 0; i < text.size();) {
    uint32_t cp = 0;
    std::size_t n = utf8CharAt(text, i, cp);
    if (n == 0) n = 1, cp = 0xFFFD;
    out.emplace_back(i, cp);
    i += n;
  }
  return out;
}

bool isCyrillic(uint32_t cp) { return (cp >= 0x410 && cp <= 0x44F) || cp == 0x401 || cp == 0x451; }
bool isCapitalCyrillic(uint32_t cp) { return (cp >= 0x410 && cp <= 0x42F) || cp == 0x401; }

bool holdsHindiOrTilde(const std::string& text) {
  for (const auto& c : codePoints(text)) {
    if ((c.second >= 0x900 && c.second <= 0x97F) || c.second == '~') return true;
  }
  return false;
}

std::vector<std::string> split(const std::string& text, const char* separators) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || std::string(separators).find(text[i]) != std::string::npos) {
      parts.push_back(trimmed(text.substr(start, i - start)));
      start = i + 1;
    }
  }
  return parts;
}

bool isNumberedSense(const std::string& text, std::size_t at, std::size_t& after) {
  if (at > 0 && text[at - 1] != ' ') return false;
  std::size_t i = at;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
  if (i == at || text.compare(i, 2, ") ") != 0) return false;
  after = i + 2;
  return true;
}

// A Russian part cut into its senses: the text before the first number (a mark common to
// all, or the whole part when it has no numbers) and each numbered sense without its number
// and its closing "; ".
struct Senses {
  std::string common;
  std::vector<std::string> numbered;
};

Senses sensesOf(const std::string& russian) {
  Senses senses;
  std::size_t start = std::string::npos, after = 0;
  for (std::size_t i = 0; i < russian.size(); ++i) {
    if (!isNumberedSense(russian, i, after)) continue;
    if (start == std::string::npos) {
      senses.common = trimmed(russian.substr(0, i));
    } else {
      senses.numbered.push_back(russian.substr(start, i - start));
    }
    start = after;
    i = after - 1;
  }
  if (start == std::string::npos) {
    senses.common = russian;
  } else {
    senses.numbered.push_back(russian.substr(start));
  }
  for (std::string& s : senses.numbered) {
    s = trimmed(s);
    if (!s.empty() && s.back() == ';') s.pop_back();
  }
  return senses;
}

// Each sense with the common mark before it: what a sense says as one text.
std::vector<std::string> senseTexts(const std::string& russian) {
  const Senses senses = sensesOf(russian);
  if (senses.numbered.empty()) return {senses.common};
  std::vector<std::string> texts;
  for (const std::string& s : senses.numbered) {
    texts.push_back(trimmed(senses.common + " " + s));
  }
  return texts;
}

// The Hindi article's text: the reading, then the Russian part with each numbered sense on a
// line of its own.
std::string hindiArticleText(const DictionaryEntry& e) {
  std::string text = "(" + e.reading + ")\n";
  const Senses senses = sensesOf(e.russian);
  if (senses.numbered.empty()) return text + e.russian;
  if (!senses.common.empty()) text += senses.common + "\n";
  for (std::size_t i = 0; i < senses.numbered.size(); ++i) {
    text += std::to_string(i + 1) + ") " + senses.numbered[i];
    if (i + 1 < senses.numbered.size()) text += ";\n";
  }
  return text;
}

bool startsWith(const std::string& text, const std::string& start) {
  return text.compare(0, start.size(), start) == 0;
}

bool endsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The word classes the sense marks give the headword; nouns translated by a capitalised word
// are names and take no forms.
std::vector<HindiWordClass> wordClasses(const DictionaryEntry& e) {
  std::vector<HindiWordClass> classes;
  for (const std::string& sense : senseTexts(e.russian)) {
    const std::size_t space = sense.find(' ');
    const std::string mark = sense.substr(0, space);
    const std::string rest = space == std::string::npos ? "" : sense.substr(space + 1);
    bool name = false;
    for (const auto& c : codePoints(rest)) {
      if (isCyrillic(c.second)) {
        name = isCapitalCyrillic(c.second);
        break;
      }
    }
    // The ordinals decline as adjectives do: पहला, तीसरा, पाँचवाँ.
    const bool ordinal =
        mark == "числ." &&
        (endsWith(e.headword, "ला") || endsWith(e.headword, "रा") || endsWith(e.headword, "था") ||
         endsWith(e.headword, "ठा") || endsWith(e.headword, "वाँ"));
    HindiWordClass wordClass;
    if (mark == "м." && !name) {
      wordClass = HindiWordClass::MasculineNoun;
    } else if (mark == "ж." && !name) {
      wordClass = HindiWordClass::FeminineNoun;
    } else if (mark == "прил." || ordinal) {
      wordClass = HindiWordClass::Adjective;
    } else if (mark == "гл.") {
      wordClass = HindiWordClass::Verb;
    } else {
      continue;
    }
    if (std::find(classes.begin(), classes.end(), wordClass) == classes.end()) {
      classes.push_back(wordClass);
    }
  }
  return classes;
}

// The target of a pointer line ("см. WORD ..."), or "" for a full entry.
std::string pointerTarget(const DictionaryEntry& e) {
  const std::string see = "см. ";
  if (!startsWith(e.russian, see)) return "";
  const std::size_t end = e.russian.find(' ', see.size());
  return e.russian.substr(see.size(), end == std::string::npos ? end : end - see.size());
}

// The Russian words of one translation (a part between commas), as written.
std::vector<std::string> translationWords(const std::string& translation) {
  std::string text = translation.substr(0, translation.find(" - "));  // a usage note
  std::vector<std::string> words;
  const auto cps = codePoints(text);
  for (std::size_t i = 0; i < cps.size();) {
    if (!isCyrillic(cps[i].second)) {
      ++i;
      continue;
    }
    std::size_t j = i;
    while (j < cps.size() &&
           (isCyrillic(cps[j].second) || (cps[j].second == '-' && j + 1 < cps.size() &&
                                          isCyrillic(cps[j + 1].second) && j > i))) {
      ++j;
    }
    const std::size_t end = j < cps.size() ? cps[j].first : text.size();
    const bool abbreviation = j < cps.size() && cps[j].second == '.';  // marks, style labels
    if (!abbreviation) words.push_back(text.substr(cps[i].first, end - cps[i].first));
    i = j;
  }
  if (!words.empty() &&
      std::find(std::begin(kMarkWords), std::end(kMarkWords), words[0]) != std::end(kMarkWords)) {
    words.erase(words.begin());
  }
  return words;
}

// Where the marks that open a sense end: the words with a full stop ("м.", "мн. ч.") and the
// marks that are words ("союз"), each with its space.
std::size_t leadingMarkEnd(const std::string& sense) {
  std::size_t at = 0;
  for (;;) {
    const std::size_t space = sense.find(' ', at);
    if (space == std::string::npos) return at;
    const std::string word = sense.substr(at, space - at);
    const bool markWord =
        std::find(std::begin(kMarkWords), std::end(kMarkWords), word) != std::end(kMarkWords);
    if (word.empty() || (word.back() != '.' && !markWord)) return at;
    at = space + 1;
  }
}

bool isFunctionWord(const std::string& word) {
  return std::find(std::begin(kFunctionWords), std::end(kFunctionWords), word) !=
         std::end(kFunctionWords);
}

bool endsWithAny(const std::string& word, std::initializer_list<const char*> endings) {
  for (const char* e : endings) {
    if (endsWith(word, e) && word.size() > std::string(e).size()) return true;
  }
  return false;
}

// The words of a translation of several words that stand in their dictionary form: in a verb
// phrase its infinitives ("горько плакать"), else the masculine adjectives before the head noun
// and the head itself ("детский дом"); the words after it depend on it and are inflected ("дом
// престарелых", "жаровня с углями", "хоккей на траве").
std::vector<std::string> phraseHeadWords(const std::vector<std::string>& words) {
  std::vector<std::string> heads;
  for (const std::string& w : words) {
    if (endsWithAny(w, {"ть", "ться", "ти", "тись", "чь", "чься"}) && !isFunctionWord(w)) {
      heads.push_back(w);
    }
  }
  if (!heads.empty()) return heads;
  for (const std::string& w : words) {
    if (isFunctionWord(w)) break;
    const bool dictionaryAdjective = endsWithAny(w, {"ый", "ий", "ой"});
    // An adjective agreeing with a feminine, neuter or plural head is not in its dictionary
    // form ("пожарная машина"); "-ие" is left to the nouns (расширение).
    if (!dictionaryAdjective && endsWithAny(w, {"ая", "яя", "ое", "ее", "ые"})) continue;
    heads.push_back(w);
    if (!dictionaryAdjective) break;
  }
  return heads;
}

}  // namespace

ParsedDictionary parseDictionary(const std::string& bytes) {
  ParsedDictionary out;
  const std::size_t end = std::min(bytes.find('\x1A'), bytes.size());
  int number = 0;
  for (std::size_t start = 0; start < end;) {
    std::size_t lf = bytes.find('\n', start);
    if (lf == std::string::npos || lf > end) lf = end;
    std::string raw = bytes.substr(start, lf - start);
    start = lf + 1;
    ++number;
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    if (raw.empty()) continue;
    const std::string line = decodeDictionaryLine(raw);
    const std::size_t space = line.find(' ');
    const std::size_t close = space == std::string::npos ? space : line.find(')', space);
    DictionaryEntry e;
    if (space != std::string::npos && space > 0 && line.compare(space, 2, " (") == 0 &&
        close != std::string::npos) {
      e.headword = line.substr(0, space);
      e.reading = line.substr(space + 2, close - space - 2);
      e.russian = trimmed(line.substr(close + 1));
    }
    if (e.russian.empty()) {
      out.malformedLines.push_back(number);
      continue;
    }
    e.line = number;
    out.entries.push_back(e);
  }
  return out;
}

StarDictSource hindiRussianBook(const ParsedDictionary& dictionary) {
  StarDictSource book;
  std::multimap<std::string, std::size_t> articleOf;  // headword -> article
  std::vector<const DictionaryEntry*> pointers;
  for (const DictionaryEntry& e : dictionary.entries) {
    if (!pointerTarget(e).empty()) {
      pointers.push_back(&e);
      continue;
    }
    articleOf.emplace(e.headword, book.articles.size());
    book.articles.push_back({e.headword, hindiArticleText(e)});
  }
  std::set<std::pair<std::string, std::size_t>> seen;
  auto addSynonym = [&book, &seen](const std::string& word, std::size_t article) {
    if (seen.insert({word, article}).second) book.synonyms.push_back({word, article});
  };
  for (const DictionaryEntry* p : pointers) {
    const auto targets = articleOf.equal_range(pointerTarget(*p));
    if (targets.first == targets.second) {  // leads nowhere: kept as an article of its own
      book.articles.push_back({p->headword, hindiArticleText(*p)});
      continue;
    }
    for (auto it = targets.first; it != targets.second; ++it) addSynonym(p->headword, it->second);
  }
  std::size_t article = 0;
  for (const DictionaryEntry& e : dictionary.entries) {
    if (!pointerTarget(e).empty()) continue;
    for (HindiWordClass wordClass : wordClasses(e)) {
      for (const HindiForm& form : hindiInflectedForms(e.headword, wordClass)) {
        if (articleOf.count(form.word) == 0) addSynonym(form.word, article);
      }
    }
    ++article;
  }
  return book;
}

StarDictSource russianHindiBook(const ParsedDictionary& dictionary,
                                const std::vector<std::string>& starter) {
  struct Use {
    bool whole;   // the word is a whole translation
    bool common;  // the headword is of the starter vocabulary
    std::size_t order;
    std::string line;
  };
  std::map<std::string, std::vector<Use>> uses;
  std::size_t order = 0;
  for (const DictionaryEntry& e : dictionary.entries) {
    if (!pointerTarget(e).empty()) continue;
    const bool common = std::binary_search(starter.begin(), starter.end(), e.headword);
    for (const std::string& text : senseTexts(e.russian)) {
      // The marks stay with the gloss even when the part they open is an example or a
      // description that holds Hindi ("мест. косвенная форма от मैं: меня, мне").
      const std::size_t markEnd = leadingMarkEnd(text);
      const std::string mark = text.substr(0, markEnd);
      const std::string sense = text.substr(markEnd);
      std::string gloss;
      std::vector<std::pair<std::string, bool>> words;
      for (const std::string& part : split(sense, ";:")) {
        if (part.empty() || holdsHindiOrTilde(part)) continue;  // an example
        gloss += (gloss.empty() ? mark : "; ") + part;
        for (const std::string& translation : split(part, ",")) {
          const std::vector<std::string> found = translationWords(translation);
          for (const std::string& w : found.size() == 1 ? found : phraseHeadWords(found)) {
            words.emplace_back(w, found.size() == 1);
          }
        }
      }
      const std::string line = e.headword + " (" + e.reading + ") " + gloss;
      ++order;
      for (const auto& w : words) {
        std::vector<Use>& list = uses[w.first];
        if (!list.empty() && list.back().order == order) {
          list.back().whole = list.back().whole || w.second;
          continue;
        }
        list.push_back({w.second, common, order, line});
      }
    }
  }
  StarDictSource book;
  for (auto& [word, list] : uses) {
    std::stable_sort(list.begin(), list.end(), [](const Use& a, const Use& b) {
      if (a.whole != b.whole) return a.whole;
      return a.common && !b.common;
    });
    std::string text;
    for (const Use& u : list) text += (text.empty() ? "" : "\n") + u.line;
    book.articles.push_back({word, text});
  }
  return book;
}
