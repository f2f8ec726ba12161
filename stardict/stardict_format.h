// StarDict 3.0.0 dictionaries, made in memory: the layout other dictionary programs read
// (GoldenDict, sdcv, phone and browser dictionaries).
//
// A dictionary is four files. `.dict` holds the article texts one after another, nothing
// between them. `.idx` lists the headwords in StarDict's order (ASCII letters compared without
// case, then bytes), each as its UTF-8 bytes, a zero byte, and the article's offset and size in
// `.dict` as big-endian 32-bit numbers; a client finds a word by bisecting it, so the order is
// what makes it findable. `.syn` lists further words in the same order, each with the number
// of its article's line in `.idx`, so a form or a variant spelling opens its headword's
// article. `.ifo` is a text file that names the book and gives the counts a client checks the
// other files against (wordcount, synwordcount, idxfilesize). Every article here is plain
// text (sametypesequence=m): it is all line breaks and words, and plain text reads the same
// in every client, a console one included, with nothing to escape.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

struct StarDictArticle {
  std::string word;  // UTF-8, 1 to 255 bytes, no zero byte
  std::string text;  // UTF-8 plain text
};

// A further word for the article at `article` in the vector given to buildStarDict.
struct StarDictSynonym {
  std::string word;
  std::size_t article;
};

struct StarDictBook {
  std::string bookname;
  std::string author;
  std::string description;  // one line
  std::string date;
};

struct StarDictFiles {
  std::string ifo, idx, dict, syn;  // syn is empty when there are no synonyms
  std::size_t wordCount = 0, synWordCount = 0;
};

// StarDict's order of words: ASCII case folded first, then plain bytes; <0, 0 or >0.
int starDictCompare(const std::string& a, const std::string& b);

// Sorts the articles into StarDict's order (words that compare equal keep the order given)
// and writes the four files. False with the reason in error when a word is empty, too long or
// holds a line end or zero byte, a synonym names no article, or the text passes 4 GiB.
bool buildStarDict(const std::vector<StarDictArticle>& articles,
                   const std::vector<StarDictSynonym>& synonyms, const StarDictBook& book,
                   StarDictFiles& files, std::string& error);
