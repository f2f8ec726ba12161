// The teacher lists drawn into a DIB section from real list files and read back pixel by pixel.
#include <gtest/gtest.h>

#include <string>

#include "base/session_state.h"
#include "base/text_stream.h"
#include "draw/dictionary_layout.h"
#include "draw/gdi_kit.h"
#include "teacher/teacher_lists.h"
#include "teacher/teacher_lists_win.h"
#include "tests/win32/dib_surface.h"

namespace {

const COLORREF kPaper = RGB(250, 250, 240);

// drawTeacherLists works in the working directory: each test gets a scratch one.
class TeacherDraw : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = session;
    GetCurrentDirectoryA(MAX_PATH, previous_);
    CreateDirectoryA("teacher_draw_scratch", nullptr);
    ASSERT_TRUE(SetCurrentDirectoryA("teacher_draw_scratch"));
    for (const char* name : {"hin.tea", "rus.tea", "hintea.bak", "rustea.bak"}) DeleteFileA(name);
    session.clientWidth = kWidth;
    session.clientHeight = kHeight;
    session.headerStyle = 0;
    session.scrollLine = 0;
  }
  void TearDown() override {
    for (const char* name : {"hin.tea", "rus.tea", "hintea.bak", "rustea.bak"}) DeleteFileA(name);
    SetCurrentDirectoryA(previous_);
    RemoveDirectoryA("teacher_draw_scratch");
    session = saved_;
  }

  static constexpr int kWidth = 520, kHeight = 275;  // room for rows at y 130, 160 and 190

  // Pixels that differ from the paper inside [left, right) x [top, top + 20).
  static int inkIn(const DibSurface& s, int left, int right, int top) {
    int ink = 0;
    for (int y = top; y < top + 20 && y < s.height(); ++y)
      for (int x = left; x < right; ++x)
        if (s.at(x, y) != kPaper) ++ink;
    return ink;
  }
  static bool hasExact(const DibSurface& s, COLORREF colour) {
    for (int y = 0; y < s.height(); ++y)
      for (int x = 0; x < s.width(); ++x)
        if (s.at(x, y) == colour) return true;
    return false;
  }
  int draw(DibSurface& s) {
    SetBkMode(s.dc(), TRANSPARENT);
    return drawTeacherLists(s.dc());
  }

  SessionState saved_;
  char previous_[MAX_PATH] = {};
};

TEST_F(TeacherDraw, PairsStandSideBySideUpToThePaneBottom) {
  ASSERT_TRUE(writeRawFile("hin.tea", "kml\r\nGr\r\nvn\r\npiCe\r\n"));
  ASSERT_TRUE(writeRawFile("rus.tea", "\xEA\xEE\xF2\r\n\xE4\xEE\xEC\r\n\xEB\xE5\xF1\r\nxx\r\n"));
  DibSurface s(kWidth, kHeight, kPaper);
  HGDIOBJ fontBefore = GetCurrentObject(s.dc(), OBJ_FONT);
  ASSERT_EQ(draw(s), 1);
  saveForInspection(s, "teacher_lists");
  EXPECT_EQ(GetCurrentObject(s.dc(), OBJ_FONT), fontBefore) << "font selection undone";
  EXPECT_TRUE(hasExact(s, colourAction));
  for (int row : {130, 160, 190}) {
    EXPECT_GT(inkIn(s, 20, 200, row), 0) << "Hindi word at y " << row;
    EXPECT_GT(inkIn(s, 220, 300, row), 0) << "Russian word at y " << row;
  }
  EXPECT_EQ(inkIn(s, 0, kWidth, 0), 0);
  EXPECT_EQ(inkIn(s, 0, kWidth, 110), 0) << "nothing above the first row";
  EXPECT_EQ(inkIn(s, 0, kWidth, 222), 0) << "the fourth pair (y 220 > 275 - 85) is not drawn";
  EXPECT_EQ(inkIn(s, 0, 20, 130), 0);
  EXPECT_EQ(inkIn(s, 300, kWidth, 130), 0) << "three Russian cells end before x 250";
  // Drawing refreshed the backups from the lists.
  std::string hin, bak;
  ASSERT_TRUE(readRawFile("hin.tea", hin));
  ASSERT_TRUE(readRawFile("hintea.bak", bak));
  EXPECT_EQ(bak, hin);
}

// Only the second pair has text, so no glyph of another row reaches into the compared area.
TEST_F(TeacherDraw, ScrollingMovesBothListsUpTogether) {
  ASSERT_TRUE(writeRawFile("hin.tea", "\r\nGr\r\n\r\n"));
  ASSERT_TRUE(writeRawFile("rus.tea", "\r\n\xE4\xEE\xEC\r\n\r\n"));
  DibSurface top(kWidth, kHeight, kPaper), scrolled(kWidth, kHeight, kPaper);
  ASSERT_EQ(draw(top), 1);
  session.scrollLine = 1;
  ASSERT_EQ(draw(scrolled), 1);
  EXPECT_GT(inkIn(scrolled, 20, 200, 130), 0);
  EXPECT_GT(inkIn(scrolled, 220, 300, 130), 0);
  int differing = 0;
  for (int y = 0; y + 30 < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      if (scrolled.at(x, y) != top.at(x, y + 30)) ++differing;
  EXPECT_EQ(differing, 0) << "scrolled view = the top view moved up by one 30-pixel row";
}

// Lines longer than the pane is wide stop at its right edge (x 512) and never reach the
// frame; the left frame and the rows above the pane stay clean too.
TEST_F(TeacherDraw, LongLinesStayInsideThePane) {
  ASSERT_TRUE(writeRawFile("hin.tea", std::string(60, 'W') + "\r\n"));
  ASSERT_TRUE(writeRawFile("rus.tea", std::string(5000, '\xC6') + "\r\n"));
  DibSurface s(kWidth, kHeight, kPaper);
  ASSERT_EQ(draw(s), 1);
  saveForInspection(s, "teacher_long_lines");
  EXPECT_GT(inkIn(s, kWidth - 60, kWidth - 8, 132), 0) << "the lines reach the pane's edge";
  EXPECT_EQ(inkIn(s, kWidth - 8, kWidth, 130), 0) << "nothing on the frame at the right";
  EXPECT_EQ(inkIn(s, 0, kWidth, 110), 0) << "nothing above the pane";
}

// Rows start at y 130, two pixels above the full header's pane, and the last one (at
// clientHeight - 85) ends below its bottom edge (clientHeight - 61): the tall signs of the
// Hindi faces (short i, reph) and Й, Ё at the top, u-signs and nuktas at the bottom. Every
// pixel the lists make between the pane's left and right edges is drawn; the reference is
// the same layout written line by line and cell by cell with no clip.
TEST_F(TeacherDraw, RowsAtThePaneEdgesKeepEveryGlyph) {
  const std::string hindi = "i^km\r\nlXka\r\ndUD\r\n",
                    russian = "\xC9\xA8\xC9\r\n\xA8\r\n\xC9\xC9\r\n";
  ASSERT_TRUE(writeRawFile("hin.tea", hindi));
  ASSERT_TRUE(writeRawFile("rus.tea", russian));
  for (int32_t style : {HeaderFull, HeaderCompact}) {
    SCOPED_TRACE(style == HeaderFull ? "full header" : "compact header");
    session.headerStyle = style;
    DibSurface drawn(kWidth, kHeight, kPaper), reference(kWidth, kHeight, kPaper);
    ASSERT_EQ(draw(drawn), 1);
    const PaneRect pane = resultsPane(style, kWidth, kHeight);
    const int right = pane.left + pane.width;
    auto lf = [](std::string text) {
      for (std::string::size_type at; (at = text.find('\r')) != std::string::npos;)
        text.erase(at, 1);
      return text;
    };
    const TeacherLayout layout = layoutTeacherLists(lf(hindi), lf(russian), 0, kHeight, right);
    HDC dc = reference.dc();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colourAction);
    HGDIOBJ old = SelectObject(dc, kit.fontHeadword);
    for (const TeacherHindiLine& line : layout.hindi)
      TextOutA(dc, line.x, line.y, line.bytes.data(), static_cast<int>(line.bytes.size()));
    SelectObject(dc, kit.fontTeacherRussian);
    for (const TeacherRussianCell& cell : layout.russian)
      TextOutA(dc, cell.x, cell.y, &cell.byte, 1);
    SelectObject(dc, old);
    if (style == HeaderFull) {
      EXPECT_GT(inkIn(reference, 20, 300, 112), 0) << "the first row reaches above the pane";
      EXPECT_GT(inkIn(reference, 20, 300, kHeight - 61), 0) << "the last row ends below it";
    }
    int lost = 0, ink = 0;
    for (int y = 0; y < kHeight; ++y)
      for (int x = pane.left; x < right; ++x) {
        if (reference.at(x, y) == kPaper) continue;
        ++ink;
        if (drawn.at(x, y) != reference.at(x, y)) ++lost;
      }
    EXPECT_GT(ink, 500);
    EXPECT_EQ(lost, 0) << "of " << ink << " pixels";
  }
}

TEST_F(TeacherDraw, MissingListDrawsNothing) {
  ASSERT_TRUE(writeRawFile("hin.tea", "kml\r\n"));
  DibSurface s(kWidth, kHeight, kPaper);
  EXPECT_EQ(draw(s), 0);
  for (int row = 0; row < kHeight; row += 20) EXPECT_EQ(inkIn(s, 0, kWidth, row), 0) << row;
  EXPECT_EQ(GetFileAttributesA("hintea.bak"), INVALID_FILE_ATTRIBUTES)
      << "no backup made from half of a pair";
}

}  // namespace
