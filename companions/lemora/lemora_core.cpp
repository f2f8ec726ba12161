#include "companions/lemora/lemora_core.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "base/text_stream.h"

namespace {

std::string trimmed(const std::string& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t' || s[b] == '\r')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r')) --e;
  return s.substr(b, e - b);
}

const char kHex[] = "0123456789abcdef";

std::string toHex(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char c : bytes) {
    out.push_back(kHex[c >> 4]);
    out.push_back(kHex[c & 15]);
  }
  return out;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool fromHex(const std::string& hex, std::string& out) {
  if (hex.size() % 2) return false;
  out.clear();
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    int hi = hexDigit(hex[i]), lo = hexDigit(hex[i + 1]);
    if (hi < 0 || lo < 0) return false;
    out.push_back(static_cast<char>(hi * 16 + lo));
  }
  return true;
}

bool parseInt(const std::string& s, long lo, long hi, long& out) {
  if (s.empty() || s.size() > 10) return false;
  char* end = nullptr;
  long v = std::strtol(s.c_str(), &end, 10);
  if (*end != '\0' || v < lo || v > hi) return false;
  out = v;
  return true;
}

std::vector<std::string> splitSpaces(const std::string& line) {
  std::vector<std::string> parts;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && line[i] == ' ') ++i;
    std::size_t start = i;
    while (i < line.size() && line[i] != ' ') ++i;
    if (i > start) parts.push_back(line.substr(start, i - start));
  }
  return parts;
}

bool readAll(const char* path, std::string& out) {
  TextReader in(path);
  if (!in.isOpen()) return false;
  out.clear();
  char buf[4096];
  for (std::size_t n; (n = in.read(buf, sizeof buf)) > 0;) out.append(buf, n);
  return true;
}

const char kProgressHeader[] = "lemora progress 1";

}  // namespace

bool readListLines(const char* path, std::vector<std::string>& lines) {
  lines.clear();
  std::string text;
  if (!readAll(path, text)) return false;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(trimmed(text.substr(start, end - start)));
    start = end + 1;
  }
  return true;
}

std::vector<LemoraCard> buildDeck(const std::vector<std::string>& hin,
                                  const std::vector<std::string>& rus, DeckReport& report) {
  report.hindiLines = static_cast<int>(hin.size());
  report.russianLines = static_cast<int>(rus.size());
  report.blankPairs = report.duplicates = 0;
  std::vector<LemoraCard> deck;
  std::size_t n = std::min(hin.size(), rus.size());
  for (std::size_t i = 0; i < n; ++i) {
    if (hin[i].empty() || rus[i].empty()) {
      ++report.blankPairs;
      continue;
    }
    bool seen = false;
    for (const LemoraCard& c : deck) seen = seen || (c.hindi == hin[i] && c.russian == rus[i]);
    if (seen) {
      ++report.duplicates;
      continue;
    }
    LemoraCard card;
    card.hindi = hin[i];
    card.russian = rus[i];
    deck.push_back(card);
  }
  return deck;
}

std::vector<LemoraCard> loadDeck(const std::string& folder, DeckReport& report) {
  std::vector<std::string> hin, rus;
  report.hindiOpened = readListLines((folder + "hin.tea").c_str(), hin);
  report.russianOpened = readListLines((folder + "rus.tea").c_str(), rus);
  return buildDeck(hin, rus, report);
}

std::string formatProgress(const std::vector<LemoraCard>& deck) {
  std::string out = kProgressHeader;
  out += '\n';
  char numbers[64];
  for (const LemoraCard& c : deck) {
    std::snprintf(numbers, sizeof numbers, "%d %ld %d %ld ", c.box[0], static_cast<long>(c.due[0]),
                  c.box[1], static_cast<long>(c.due[1]));
    out += numbers;
    out += toHex(c.hindi);
    out += ' ';
    out += toHex(c.russian);
    out += '\n';
  }
  return out;
}

int applyProgress(const std::string& text, std::vector<LemoraCard>& deck) {
  int found = 0;
  std::size_t start = 0;
  bool first = true;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = trimmed(text.substr(start, end - start));
    start = end + 1;
    if (first) {
      first = false;
      if (line != kProgressHeader) return 0;  // not our file, or another version: start afresh
      continue;
    }
    std::vector<std::string> f = splitSpaces(line);
    if (f.size() != 6) continue;
    long b0, d0, b1, d1;
    std::string hindi, russian;
    if (!parseInt(f[0], 0, kLemoraTopBox, b0) || !parseInt(f[1], 0, 10000000, d0) ||
        !parseInt(f[2], 0, kLemoraTopBox, b1) || !parseInt(f[3], 0, 10000000, d1) ||
        !fromHex(f[4], hindi) || !fromHex(f[5], russian))
      continue;
    for (LemoraCard& c : deck) {
      if (c.hindi == hindi && c.russian == russian) {
        c.box[0] = static_cast<int>(b0);
        c.due[0] = static_cast<int32_t>(d0);
        c.box[1] = static_cast<int>(b1);
        c.due[1] = static_cast<int32_t>(d1);
        ++found;
        break;
      }
    }
  }
  return found;
}

bool loadProgress(const char* path, std::vector<LemoraCard>& deck) {
  std::string text;
  if (!readAll(path, text) && !readAll((std::string(path) + ".new").c_str(), text)) return false;
  applyProgress(text, deck);
  return true;
}

bool saveProgress(const char* path, const std::vector<LemoraCard>& deck) {
  std::string fresh = std::string(path) + ".new";
  std::string text = formatProgress(deck);
  {
    TextWriter out(fresh.c_str(), "w");
    if (!out.isOpen()) return false;
    out.write(text.data(), text.size());
    if (!out.close()) {
      std::remove(fresh.c_str());
      return false;  // the old progress file stays as it was
    }
  }
  // rename() does not replace an existing file everywhere, so the old one goes first; a
  // stop between the two leaves "<path>.new", which loadProgress reads.
  std::remove(path);
  return std::rename(fresh.c_str(), path) == 0;
}

int32_t daysFromCivil(int year, int month, int day) {
  // Howard Hinnant's days_from_civil.
  year -= month <= 2;
  const int era = (year >= 0 ? year : year - 399) / 400;
  const int yoe = year - era * 400;
  const int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

int32_t boxInterval(int box) {
  static const int32_t days[kLemoraTopBox + 1] = {0, 1, 3, 7, 16, 35};
  if (box < 0) box = 0;
  if (box > kLemoraTopBox) box = kLemoraTopBox;
  return days[box];
}

uint32_t nextRandom(uint32_t& state) {
  if (state == 0) state = 1;
  state ^= state << 13;
  state ^= state >> 17;
  state ^= state << 5;
  return state;
}

void startDrill(DrillSession& drill, const std::vector<LemoraCard>& deck, int direction,
                int32_t today, uint32_t seed, bool everything) {
  drill.direction = direction;
  drill.today = today;
  drill.queue.clear();
  drill.asked = drill.correct = 0;
  drill.rng = seed ? seed : 1;
  if (!everything)
    for (std::size_t i = 0; i < deck.size(); ++i)
      if (deck[i].due[direction] <= today) drill.queue.push_back(static_cast<int>(i));
  drill.reviewAhead = drill.queue.empty();
  if (drill.reviewAhead)
    for (std::size_t i = 0; i < deck.size(); ++i) drill.queue.push_back(static_cast<int>(i));
  // Shuffle, then order by box (stable), so each box comes in a fresh order.
  for (std::size_t i = drill.queue.size(); i > 1; --i)
    std::swap(drill.queue[i - 1], drill.queue[nextRandom(drill.rng) % i]);
  std::stable_sort(drill.queue.begin(), drill.queue.end(),
                   [&](int a, int b) { return deck[a].box[direction] < deck[b].box[direction]; });
}

int currentCard(const DrillSession& drill) {
  return drill.queue.empty() ? -1 : drill.queue.front();
}

void gradeCurrent(DrillSession& drill, std::vector<LemoraCard>& deck, bool knew) {
  if (drill.queue.empty()) return;
  int index = drill.queue.front();
  drill.queue.erase(drill.queue.begin());
  ++drill.asked;
  LemoraCard& card = deck[index];
  int d = drill.direction;
  if (knew) {
    ++drill.correct;
    if (card.box[d] < kLemoraTopBox) ++card.box[d];
    card.due[d] = drill.today + boxInterval(card.box[d]);
  } else {
    card.box[d] = 0;
    card.due[d] = drill.today;
    // Ask again after a few other pairs (at once when it is the only one left).
    std::size_t at = std::min<std::size_t>(3, drill.queue.size());
    drill.queue.insert(drill.queue.begin() + static_cast<std::ptrdiff_t>(at), index);
  }
}

const std::string& questionText(const LemoraCard& card, int direction) {
  return direction == HindiToRussian ? card.hindi : card.russian;
}

const std::string& answerText(const LemoraCard& card, int direction) {
  return direction == HindiToRussian ? card.russian : card.hindi;
}

bool makeChoices(const std::vector<LemoraCard>& deck, int card, int direction, int wanted,
                 uint32_t& rng, ChoiceSet& out) {
  out.options.clear();
  out.correctOption = -1;
  if (card < 0 || card >= static_cast<int>(deck.size()) || wanted < 2) return false;
  const std::string& question = questionText(deck[card], direction);
  std::vector<int> candidates;
  for (int i = 0; i < static_cast<int>(deck.size()); ++i) {
    if (questionText(deck[i], direction) == question) continue;  // another meaning of it
    const std::string& answer = answerText(deck[i], direction);
    bool taken = answer == answerText(deck[card], direction);
    for (int c : candidates) taken = taken || answerText(deck[c], direction) == answer;
    if (!taken) candidates.push_back(i);
  }
  if (candidates.empty()) return false;
  for (std::size_t i = candidates.size(); i > 1; --i)
    std::swap(candidates[i - 1], candidates[nextRandom(rng) % i]);
  if (static_cast<int>(candidates.size()) > wanted - 1) candidates.resize(wanted - 1);
  out.options = candidates;
  std::size_t at = nextRandom(rng) % (out.options.size() + 1);
  out.options.insert(out.options.begin() + static_cast<std::ptrdiff_t>(at), card);
  out.correctOption = static_cast<int>(at);
  return true;
}
