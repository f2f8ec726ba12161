// Drawing of the two companion programs, into DIB sections: the keyboard chart's keys, hot
// half and code panel, and the teaching program's question, marked answers and messages.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "companions/companion_fonts_win.h"
#include "companions/kirvu/hindi_code_names.h"
#include "companions/kirvu/kirvu_win.h"
#include "companions/lemora/lemora_win.h"
#include "tests/win32/dib_surface.h"

namespace {

std::string windowsPath(const char* unixPath) {
  std::string p = std::string("Z:") + unixPath;
  for (char& c : p)
    if (c == '/') c = '\\';
  return p;
}

// Runs in the folder that holds the font files, as the companions do in the dist folder.
class CompanionDrawing : public ::testing::Test {
 protected:
  char previous[MAX_PATH] = {};
  void SetUp() override {
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(windowsPath(VARTOLIK_FONT_DIR).c_str()));
    ASSERT_EQ(registerCompanionFonts(), 4);
  }
  void TearDown() override {
    removeCompanionFonts();
    SetCurrentDirectoryA(previous);
  }
};

bool isInk(COLORREF c, int channel) {
  int v[3] = {GetRValue(c), GetGValue(c), GetBValue(c)};
  for (int i = 0; i < 3; ++i)
    if (i != channel && v[channel] < v[i] + 40) return false;
  return true;
}

// Pixels of the given ink (0 red, 1 green) inside a rectangle.
int inkIn(const DibSurface& s, RECT r, int channel) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += isInk(s.at(x, y), channel);
  return n;
}

int darkIn(const DibSurface& s, RECT r) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      COLORREF c = s.at(x, y);
      n += GetRValue(c) + GetGValue(c) + GetBValue(c) < 200;
    }
  return n;
}

RECT rectOf(const ChartRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

TEST(CompanionFonts, NothingToRegisterInAnEmptyFolder) {
  char previous[MAX_PATH], temp[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  GetTempPathA(MAX_PATH, temp);
  std::string empty = std::string(temp) + "vartolik-nofonts";
  CreateDirectoryA(empty.c_str(), nullptr);
  ASSERT_TRUE(SetCurrentDirectoryA(empty.c_str()));
  EXPECT_EQ(registerCompanionFonts(), 0);
  removeCompanionFonts();  // nothing was added: nothing is removed
  SetCurrentDirectoryA(previous);
  RemoveDirectoryA(empty.c_str());
}

TEST_F(CompanionDrawing, KeyboardChartShowsHindiGlyphsAndTheHotHalf) {
  kirvu.fontGlyph = createCompanionFont(kHindiFace, 26, FW_NORMAL);
  kirvu.fontLabel = createCompanionFont(kRussianFace, 14, FW_NORMAL);
  kirvu.fontSmall = createCompanionFont(kRussianFace, 11, FW_NORMAL);
  kirvu.chart = layoutKeyboardChart();
  kirvu.hotAction = ChartTypeCode;
  kirvu.hotCode = 'k';
  DibSurface s(kirvu.chart.width, kirvu.chart.height, RGB(0, 0, 0));
  paintKirvuChart(s.dc());

  EXPECT_EQ(s.at(2, 2), kKirvuBackground);
  for (const ChartKey& key : kirvu.chart.keys) {
    const int mid = (key.rect.top + key.rect.bottom) / 2;
    RECT upper = {key.rect.left + 16, key.rect.top + 2, key.rect.right - 2, mid};
    RECT lower = {key.rect.left + 16, mid, key.rect.right - 2, key.rect.bottom - 2};
    int shifted = static_cast<unsigned char>(key.shifted),
        plain = static_cast<unsigned char>(key.plain);
    // A Hindi code shows its glyph in green; a key with no Hindi code shows none. (A tall
    // vowel sign may reach into the other half of its key, so mixed keys are not counted.)
    if (isHindiCode(shifted)) {
      EXPECT_GT(inkIn(s, upper, 1), 0) << key.shifted;
    }
    if (isHindiCode(plain)) {
      EXPECT_GT(inkIn(s, lower, 1), 0) << key.plain;
    }
    if (!isHindiCode(shifted) && !isHindiCode(plain)) {
      EXPECT_EQ(inkIn(s, rectOf(key.rect), 1), 0) << key.plain;
    }
    // Only the half under the mouse is lit.
    COLORREF upperCorner = s.at(key.rect.left + 3, key.rect.top + 3);
    COLORREF lowerCorner = s.at(key.rect.left + 3, mid + 1);
    EXPECT_EQ(upperCorner, kKirvuKeyFace) << key.shifted;
    EXPECT_EQ(lowerCorner, key.plain == 'k' ? kKirvuHot : kKirvuKeyFace) << key.plain;
  }
  for (const ChartCell& cell : kirvu.chart.panel) {
    RECT glyph = {cell.rect.left + 2, cell.rect.top + 2, cell.rect.right - 2,
                  cell.rect.bottom - 12};
    RECT number = {cell.rect.left + 2, cell.rect.bottom - 12, cell.rect.right - 2,
                   cell.rect.bottom - 2};
    EXPECT_GT(inkIn(s, glyph, 1), 0) << "no glyph for code " << cell.code;
    EXPECT_GT(darkIn(s, number) + inkIn(s, number, 2), 0) << "no number under code " << cell.code;
  }
  // The status line names the hot code's key.
  EXPECT_GT(darkIn(s, rectOf(kirvu.chart.statusLine)), 0);

  // No glyph reaches over the edge of its key or cell onto the chart's background, and every
  // sign that sits on a consonant stands on its dotted circle.
  auto insideSome = [&](int x, int y) {
    for (const ChartKey& k : kirvu.chart.keys)
      if (k.rect.contains(x, y)) return true;
    for (const ChartCell& c : kirvu.chart.panel)
      if (c.rect.contains(x, y)) return true;
    return kirvu.chart.statusLine.contains(x, y);
  };
  int spilt = 0;
  for (int y = 0; y < kirvu.chart.height; ++y)
    for (int x = 0; x < kirvu.chart.width; ++x) spilt += !insideSome(x, y) && isInk(s.at(x, y), 1);
  EXPECT_EQ(spilt, 0);
  auto dots = [&](RECT r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += s.at(x, y) == RGB(130, 130, 130);
    return n;
  };
  int carriers = 0;
  for (const ChartKey& key : kirvu.chart.keys) {
    const int mid = (key.rect.top + key.rect.bottom) / 2;
    const RECT halves[2] = {{key.rect.left + 14, key.rect.top, key.rect.right, mid},
                            {key.rect.left + 14, mid, key.rect.right, key.rect.bottom}};
    const int codes[2] = {static_cast<unsigned char>(key.shifted),
                          static_cast<unsigned char>(key.plain)};
    for (int i = 0; i < 2; ++i) {
      if (!isHindiCode(codes[i])) continue;
      EXPECT_EQ(dots(halves[i]) > 0, isCombiningCode(codes[i])) << static_cast<char>(codes[i]);
      carriers += isCombiningCode(codes[i]);
    }
  }
  EXPECT_GE(carriers, 12);  // the vowel signs, anusvara, chandrabindu, nukta, halant, reph...
  saveForInspection(s, "kirvu_chart");

  DeleteObject(kirvu.fontGlyph);
  DeleteObject(kirvu.fontLabel);
  DeleteObject(kirvu.fontSmall);
}

class LemoraDrawing : public CompanionDrawing {
 protected:
  void SetUp() override {
    CompanionDrawing::SetUp();
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    progress = std::string(temp) + "vartolik-lemora-test.dat";
    DeleteFileA(progress.c_str());
    lemora = LemoraState();
    lemora.progressPath = progress;
    lemora.today = 20000;
    lemora.seed = 5;
    createLemoraFonts();
  }
  void TearDown() override {
    deleteLemoraFonts();
    DeleteFileA(progress.c_str());
    CompanionDrawing::TearDown();
  }
  void useDeck() {
    DeckReport report;
    // kml = kamal, panY = pani, Gr = ghar, dae\xB2t = dost; Russian in Windows-1251.
    lemora.deck = buildDeck(
        {"kml", "panY", "Gr", "dae\xB2t"},
        {"\xEB\xEE\xF2\xEE\xF1", "\xE2\xEE\xE4\xE0", "\xE4\xEE\xEC", "\xE4\xF0\xF3\xE3"}, report);
    lemora.report = report;
    lemora.report.hindiOpened = lemora.report.russianOpened = true;
  }
  std::string progress;
};

TEST_F(LemoraDrawing, CardShowsTheHindiWordThenTheAnswer) {
  useDeck();
  lemora.mode = LemoraCards;
  lemoraRestart(false);
  ASSERT_GE(lemora.shownCard, 0);
  DibSurface s(lemora.width, lemora.height, RGB(0, 0, 0));
  paintLemora(s.dc());
  RECT question = {30, 90, lemora.width - 30, 174};
  RECT answer = {30, 194, lemora.width - 30, 266};
  EXPECT_GT(inkIn(s, question, 1), 50) << "the Hindi word is drawn in green";
  EXPECT_EQ(inkIn(s, answer, 0), 0) << "the answer is hidden";

  lemoraPress(lemoraHitTest(lemora.width / 2, 214));  // "Show the answer"
  ASSERT_TRUE(lemora.revealed);
  paintLemora(s.dc());
  EXPECT_GT(inkIn(s, answer, 0), 30) << "the Russian answer is drawn in red-brown";

  // "Knew it" moves to the next pair and writes the progress file.
  int first = lemora.shownCard;
  lemoraPress(LemoraButtonKnew);
  EXPECT_NE(lemora.shownCard, first);
  EXPECT_EQ(lemora.deck[first].box[HindiToRussian], 1);
  EXPECT_NE(GetFileAttributesA(progress.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(LemoraDrawing, ChoiceMarksTheRightAndTheWrongAnswer) {
  useDeck();
  lemora.mode = LemoraChoice;
  lemoraRestart(false);
  ASSERT_EQ(lemora.choices.options.size(), 4u);
  // Every button answers to a click in its middle.
  for (const LemoraButton& b : lemoraButtons())
    EXPECT_EQ(lemoraHitTest((b.rect.left + b.rect.right) / 2, (b.rect.top + b.rect.bottom) / 2),
              b.id);
  int wrong = lemora.choices.correctOption == 0 ? 1 : 0;
  lemoraPress(LemoraButtonOption0 + wrong);
  ASSERT_EQ(lemora.chosen, wrong);

  DibSurface s(lemora.width, lemora.height, RGB(0, 0, 0));
  paintLemora(s.dc());
  std::vector<LemoraButton> buttons = lemoraButtons();
  bool sawNext = false;
  for (const LemoraButton& b : buttons) {
    sawNext = sawNext || b.id == LemoraButtonNext;
    if (b.id < LemoraButtonOption0) continue;
    int option = b.id - LemoraButtonOption0;
    COLORREF inside = s.at(b.rect.left + 5, b.rect.top + 5);
    if (option == lemora.choices.correctOption)
      EXPECT_EQ(inside, kLemoraRight);
    else if (option == wrong)
      EXPECT_EQ(inside, kLemoraWrong);
    else
      EXPECT_EQ(inside, RGB(250, 250, 246));
    EXPECT_GT(inkIn(s, b.rect, 0), 10) << "option " << option << " has no Russian text";
  }
  EXPECT_TRUE(sawNext);
  EXPECT_EQ(lemora.drill.asked, 1);
  EXPECT_EQ(lemora.drill.correct, 0);
  // A second click does not answer again.
  lemoraPress(LemoraButtonOption0 + lemora.choices.correctOption);
  EXPECT_EQ(lemora.drill.asked, 1);
}

TEST_F(LemoraDrawing, EmptyListsExplainHowToFillThem) {
  lemora.folder = "no-such-folder\\";
  lemoraReload();
  EXPECT_TRUE(lemora.deck.empty());
  EXPECT_EQ(lemora.shownCard, -1);
  EXPECT_EQ(lemoraButtons().size(), 4u) << "only the mode, direction and reload buttons";
  DibSurface s(lemora.width, lemora.height, RGB(0, 0, 0));
  paintLemora(s.dc());
  RECT message = {30, 80, lemora.width - 30, lemora.height - 50};
  EXPECT_GT(darkIn(s, message) + inkIn(s, message, 0), 500);
  // Keys and grading do nothing without pairs.
  lemoraGrade(true);
  lemoraChoose(0);
  EXPECT_EQ(lemora.drill.asked, 0);
}

}  // namespace
