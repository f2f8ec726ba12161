// The six words on the background canvas: three Russian words in Windows-1251 bytes and their
// Hindi counterparts in the byte codes of the Devanagari display face. Each Hindi word sits
// 20 pixels left of and above the Russian word of the same rank.
#pragma once

struct CanvasWord {
  const char* bytes;
  int length;  // bytes drawn; the texts are counted, not terminated
  int x, y;
};

// "slovo" (word), "slovar'" (dictionary), "perevod" (translation).
constexpr CanvasWord kCanvasRussianWords[3] = {
    {"\xF1\xEB\xEE\xE2\xEE", 5, 50, 70},
    {"\xF1\xEB\xEE\xE2\xE0\xF0\xFC", 7, 100, 170},
    {"\xEF\xE5\xF0\xE5\xE2\xEE\xE4", 7, 50, 260},
};

// The same three words in Hindi (shabd, kosh, anuvad). The bytes are placeholders in Latin
// letters until the Devanagari face's code table is settled; swap them here.
constexpr CanvasWord kCanvasHindiWords[3] = {
    {"sabda", 5, 30, 50},
    {"kos", 3, 80, 150},
    {"anuvad", 6, 30, 240},
};
