// The teaching program's portable logic: reading the teacher lists, building the deck of word
// pairs, remembering progress between runs and choosing what to ask next.
//
// The lists hin.tea and rus.tea are paired by line number. They are only read here, never
// written: the dictionary may be appending to them while the drill runs. Progress lives in a
// file of its own, lemora.dat, keyed by the pair's text, so deleting a pair from the lists in
// the dictionary does not shift anyone else's progress.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Which side of a pair is asked and which is answered.
enum LemoraDirection : int { HindiToRussian = 0, RussianToHindi = 1 };

constexpr int kLemoraTopBox = 5;

struct LemoraCard {
  std::string hindi;    // bytes of the Devanagari display face
  std::string russian;  // the query as typed, normally Windows-1251
  // Per direction: the Leitner box (0 new or forgotten, 1..kLemoraTopBox learnt) and the day
  // on which the pair is due again (days since 1970-01-01).
  int box[2] = {0, 0};
  int32_t due[2] = {0, 0};
};

// What reading the lists found, for the message the window shows.
struct DeckReport {
  bool hindiOpened = false;
  bool russianOpened = false;
  int hindiLines = 0;
  int russianLines = 0;
  int blankPairs = 0;  // pairs with an empty side, left out
  int duplicates = 0;  // pairs saved more than once, kept once
};

// Reads a text file as lines: CR LF and LF both end a line, a last line without an end is
// kept, a trailing CR and the spaces around a line are dropped. False when the file cannot
// be opened (lines is then empty).
bool readListLines(const char* path, std::vector<std::string>& lines);

// Pairs line k of hin with line k of rus. Lines past the shorter list have no partner and are
// left out; so are pairs with an empty side. A pair that occurs again is kept once.
std::vector<LemoraCard> buildDeck(const std::vector<std::string>& hin,
                                  const std::vector<std::string>& rus, DeckReport& report);

// Reads both lists from the folder prefix (empty for the working folder) and builds the deck.
std::vector<LemoraCard> loadDeck(const std::string& folder, DeckReport& report);

// Progress file: a first line "lemora progress 1", then one line per pair:
// "boxHR dueHR boxRH dueRH hex(hindi) hex(russian)". Lines that do not parse are ignored, so a
// damaged file costs only the damaged lines.
std::string formatProgress(const std::vector<LemoraCard>& deck);
// Copies box and due of every stored pair onto the deck's equal pairs; returns how many
// pairs of the deck were found in the text.
int applyProgress(const std::string& text, std::vector<LemoraCard>& deck);
// Loading tolerates a missing file (all pairs new). Saving writes "<path>.new" and then puts
// it in place of path; if the program stops in between, loading finds "<path>.new".
bool loadProgress(const char* path, std::vector<LemoraCard>& deck);
bool saveProgress(const char* path, const std::vector<LemoraCard>& deck);

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
int32_t daysFromCivil(int year, int month, int day);

// Days until a pair in box b (after a right answer) is asked again.
int32_t boxInterval(int box);

// One run of the drill over the deck in one direction.
struct DrillSession {
  int direction = HindiToRussian;
  int32_t today = 0;
  std::vector<int> queue;    // deck indices still to ask, the next first
  int asked = 0;             // answers given
  int correct = 0;           // right answers among them
  bool reviewAhead = false;  // nothing was due: every pair is offered anyway
  uint32_t rng = 1;
};

// Deterministic pseudo-random numbers (xorshift32); a zero state is replaced by 1.
uint32_t nextRandom(uint32_t& state);

// Queues the pairs due on `today` (every pair when none is due, or when `everything` asks for
// a review of the whole deck), least learnt first and shuffled within a box.
void startDrill(DrillSession& drill, const std::vector<LemoraCard>& deck, int direction,
                int32_t today, uint32_t seed, bool everything = false);
// The deck index asked now, or -1 when the queue is empty.
int currentCard(const DrillSession& drill);
// Records the answer to the current pair: a right one moves it up a box and away for the
// box's interval; a wrong one sends it back to box 0, due today, and asks it again a little
// later in this run.
void gradeCurrent(DrillSession& drill, std::vector<LemoraCard>& deck, bool knew);

// The text asked and the text expected for a pair in a direction.
const std::string& questionText(const LemoraCard& card, int direction);
const std::string& answerText(const LemoraCard& card, int direction);

// Options of a multiple-choice question: deck indices whose answers are all different, one of
// them the asked pair. Pairs with the same question (another meaning of the same word) are
// never offered as wrong answers. False when no wrong answer can be found.
struct ChoiceSet {
  std::vector<int> options;
  int correctOption = -1;
};
bool makeChoices(const std::vector<LemoraCard>& deck, int card, int direction, int wanted,
                 uint32_t& rng, ChoiceSet& out);
