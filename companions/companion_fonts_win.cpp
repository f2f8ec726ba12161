#include "companions/companion_fonts_win.h"

const char kHindiFace[] = "SS Devanagari Tolmi II";
const char kRussianFace[] = "Arial";

namespace {
const char* const kFontFiles[] = {"Devass03.ttf", "Devass02.ttf", "Dvdivyan.ttf", "Dvnishan.ttf"};
bool registered[4] = {};
}  // namespace

int registerCompanionFonts() {
  int added = 0;
  for (int i = 0; i < 4; ++i) {
    registered[i] = AddFontResourceA(kFontFiles[i]) > 0;
    added += registered[i];
  }
  return added;
}

void removeCompanionFonts() {
  for (int i = 0; i < 4; ++i) {
    if (registered[i]) RemoveFontResourceA(kFontFiles[i]);
    registered[i] = false;
  }
}

HFONT createCompanionFont(const char* face, int height, int weight) {
  bool hindi = lstrcmpA(face, kHindiFace) == 0;
  // The Devanagari face keeps its own (symbol-like) character set; Russian text needs 1251.
  return CreateFontA(-height, 0, 0, 0, weight, 0, 0, 0, hindi ? DEFAULT_CHARSET : RUSSIAN_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, face);
}
