#include "stardict/stardict_format.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

namespace {

unsigned char asciiLower(unsigned char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

void appendBigEndian32(std::string& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>(value >> shift));
}

bool validWord(const std::string& word, std::string& error) {
  // StarDict keeps a word in 256 bytes with its zero byte; a line end would break the .ifo's
  // neighbours' tools and a client's list.
  if (word.empty() || word.size() > 255 ||
      word.find_first_of(std::string("\0\r\n", 3)) != std::string::npos) {
    error = "the word \"" + word + "\" cannot be a StarDict headword";
    return false;
  }
  return true;
}

// The positions of `words` in StarDict's order, equal words in the order given.
template <typename Item>
std::vector<std::size_t> starDictOrder(const std::vector<Item>& items) {
  std::vector<std::size_t> order(items.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&items](std::size_t a, std::size_t b) {
    return starDictCompare(items[a].word, items[b].word) < 0;
  });
  return order;
}

}  // namespace

int starDictCompare(const std::string& a, const std::string& b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char x = asciiLower(static_cast<unsigned char>(a[i]));
    const unsigned char y = asciiLower(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

bool buildStarDict(const std::vector<StarDictArticle>& articles,
                   const std::vector<StarDictSynonym>& synonyms, const StarDictBook& book,
                   StarDictFiles& files, std::string& error) {
  StarDictFiles out;
  const std::vector<std::size_t> order = starDictOrder(articles);
  std::vector<uint32_t> line(articles.size());  // an article's line in .idx
  for (std::size_t i = 0; i < order.size(); ++i) {
    const StarDictArticle& a = articles[order[i]];
    if (!validWord(a.word, error)) return false;
    if (out.dict.size() + a.text.size() > UINT32_MAX) {
      error = "the articles pass the 4 GiB that 32-bit offsets reach";
      return false;
    }
    line[order[i]] = static_cast<uint32_t>(i);
    out.idx += a.word;
    out.idx.push_back('\0');
    appendBigEndian32(out.idx, static_cast<uint32_t>(out.dict.size()));
    appendBigEndian32(out.idx, static_cast<uint32_t>(a.text.size()));
    out.dict += a.text;
  }
  for (std::size_t i : starDictOrder(synonyms)) {
    const StarDictSynonym& s = synonyms[i];
    if (!validWord(s.word, error)) return false;
    if (s.article >= articles.size()) {
      error = "the synonym \"" + s.word + "\" names no article";
      return false;
    }
    out.syn += s.word;
    out.syn.push_back('\0');
    appendBigEndian32(out.syn, line[s.article]);
  }
  out.wordCount = articles.size();
  out.synWordCount = synonyms.size();

  auto field = [&out](const char* key, const std::string& value) {
    if (value.empty()) return;
    std::string clean = value;  // a field is one line
    std::replace(clean.begin(), clean.end(), '\n', ' ');
    std::replace(clean.begin(), clean.end(), '\r', ' ');
    out.ifo += std::string(key) + "=" + clean + "\n";
  };
  out.ifo = "StarDict's dict ifo file\nversion=3.0.0\n";
  field("bookname", book.bookname);
  field("wordcount", std::to_string(out.wordCount));
  if (!synonyms.empty()) field("synwordcount", std::to_string(out.synWordCount));
  field("idxfilesize", std::to_string(out.idx.size()));
  field("author", book.author);
  field("description", book.description);
  field("date", book.date);
  field("sametypesequence", "m");
  files = std::move(out);
  return true;
}
