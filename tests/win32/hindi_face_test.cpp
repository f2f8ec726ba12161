// The Hindi face drawn by GDI: codes written with TextOutA in "SS Devanagari Tolmi II",
// registered from a temporary folder, under the program's fontHindi request, compared pixel
// by pixel with FreeType's drawing of the same codes (made at build time) and with the same
// bytes in the Latin face. Run under both a Russian and an English ANSI code page.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const int W = 96, H = 40;

// Unix build paths are reachable under Wine through drive Z:.
std::string winPath(const char* unixPath) {
  std::string s = std::string("Z:") + unixPath;
  for (char& c : s)
    if (c == '/') c = '\\';
  return s;
}

struct Ink {
  std::vector<unsigned char> on;  // 1 where darker than half
  int count = 0;
};

Ink inkOf(const std::vector<unsigned char>& grey) {
  Ink ink;
  ink.on.resize(grey.size());
  for (std::size_t i = 0; i < grey.size(); ++i) {
    ink.on[i] = grey[i] < 128;
    ink.count += ink.on[i];
  }
  return ink;
}

// Share of the ink of each image lying within radius pixels of ink of the other.
double overlap(const Ink& a, const Ink& b, int radius) {
  auto closeBy = [&](const Ink& x, const Ink& y) {
    int n = 0;
    for (int r = 0; r < H; ++r)
      for (int c = 0; c < W; ++c) {
        if (!x.on[r * W + c]) continue;
        bool hit = false;
        for (int dr = -radius; dr <= radius && !hit; ++dr)
          for (int dc = -radius; dc <= radius && !hit; ++dc) {
            int rr = r + dr, cc = c + dc;
            hit = rr >= 0 && rr < H && cc >= 0 && cc < W && y.on[rr * W + cc];
          }
        n += hit;
      }
    return n;
  };
  if (a.count + b.count == 0) return 1.0;
  return double(closeBy(a, b) + closeBy(b, a)) / (a.count + b.count);
}

std::vector<unsigned char> readPgm(const std::string& path) {
  std::vector<unsigned char> px;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return px;
  int w = 0, h = 0, max = 0;
  if (std::fscanf(f, "P5 %d %d %d", &w, &h, &max) == 3 && w == W && h == H) {
    std::fgetc(f);
    px.resize(W * H);
    if (std::fread(px.data(), 1, px.size(), f) != px.size()) px.clear();
  }
  std::fclose(f);
  return px;
}

class HindiFace : public ::testing::Test {
 protected:
  std::string folder, fontFile;

  void SetUp() override {
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    folder = std::string(tmp) + "vartolik-face-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    fontFile = folder + "\\Devass03.ttf";
    ASSERT_TRUE(CopyFileA((winPath(VARTOLIK_FONT_DIR) + "\\Devass03.ttf").c_str(), fontFile.c_str(),
                          FALSE));
    ASSERT_GT(AddFontResourceA(fontFile.c_str()), 0);
  }
  void TearDown() override {
    RemoveFontResourceA(fontFile.c_str());
    DeleteFileA(fontFile.c_str());
    RemoveDirectoryA(folder.c_str());
  }

  // Draws the bytes at (4, 4) with the face and request of fontHindi; returns greys.
  static std::vector<unsigned char> draw(const std::string& bytes, const char* face,
                                         std::string* realised = nullptr) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = W;
    bi.bmiHeader.biHeight = -H;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ oldBitmap = SelectObject(dc, dib);
    PatBlt(dc, 0, 0, W, H, WHITENESS);
    HFONT font = CreateFontA(20, 6, 0, 0, 100, 0, 0, 0, 1, 3, 2, 0, 0, face);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutA(dc, 4, 4, bytes.data(), static_cast<int>(bytes.size()));
    GdiFlush();
    if (realised) {
      char name[LF_FACESIZE] = {};
      GetTextFaceA(dc, LF_FACESIZE, name);
      *realised = name;
    }
    std::vector<unsigned char> grey(W * H);
    const unsigned char* p = static_cast<const unsigned char*>(bits);
    for (int i = 0; i < W * H; ++i)
      grey[i] = static_cast<unsigned char>((p[4 * i] + p[4 * i + 1] + p[4 * i + 2]) / 3);
    SelectObject(dc, oldFont);
    DeleteObject(font);
    SelectObject(dc, oldBitmap);
    DeleteObject(dib);
    DeleteDC(dc);
    return grey;
  }
};

struct Sample {
  const char* bytes;
  const char* reference;  // file name of FreeType's drawing: the bytes in hex
};

// consonants on Latin letters, a conjunct and a half form above 0x80, the short-i sign
// written before its consonant, a word with a mark
const Sample samples[] = {
    {"k", "6B"},    {"m", "6D"},       {"\x80", "80"},       {"\x9A", "9A"},
    {"ik", "696B"}, {"kml", "6B6D6C"}, {"p{em", "707B656D"},
};

TEST_F(HindiFace, CodesDrawTheirDevanagariGlyphs) {
  for (const Sample& s : samples) {
    std::string face;
    Ink gdi = inkOf(draw(s.bytes, "SS Devanagari Tolmi II", &face));
    EXPECT_EQ(face, "SS Devanagari Tolmi II");
    EXPECT_GT(gdi.count, 20) << s.reference << ": nothing drawn";

    std::vector<unsigned char> ref =
        readPgm(std::string(VARTOLIK_REFERENCE_DIR) + "/" + s.reference + ".pgm");
    ASSERT_FALSE(ref.empty()) << s.reference;
    double same = overlap(gdi, inkOf(ref), 1);
    EXPECT_GE(same, 0.85) << s.reference << ": GDI and FreeType drawings differ";

    // the same bytes in the Latin face are other shapes
    Ink latin = inkOf(draw(s.bytes, "Times New Roman Cyr"));
    EXPECT_LT(overlap(gdi, latin, 0), 0.6) << s.reference << ": looks like the Latin letters";
  }
}

TEST_F(HindiFace, BytesBelowTheClassStayAscii) {
  // digits and punctuation draw as in any face: "1" is a narrow upright stroke, not Hindi
  Ink one = inkOf(draw("1", "SS Devanagari Tolmi II"));
  EXPECT_GT(one.count, 5);
  Ink ka = inkOf(draw("k", "SS Devanagari Tolmi II"));
  EXPECT_LT(overlap(one, ka, 0), 0.5);
}

TEST(HindiFaceCodePage, RunsUnderTheExpectedAnsiCodePage) {
  const char* expected = std::getenv("VARTOLIK_EXPECT_ACP");
  if (!expected) GTEST_SKIP() << "code page " << GetACP();
  EXPECT_EQ(GetACP(), static_cast<UINT>(std::atoi(expected)));
}

}  // namespace
