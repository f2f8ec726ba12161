// The six words on the background canvas: three Russian words in Windows-1251 bytes and their
// Hindi counterparts in the byte codes of the Devanagari display face. Each Hindi word sits
// 20 pixels left of and above the Russian word of the same rank.
#pragma once

struct CanvasWord {
  const char* bytes;
  int length;  // bytes drawn; the texts are counted, not terminated
  int x, y;
};

// "kniga" (book), "student" (student), "perevod" (translation).
constexpr CanvasWord kCanvasRussianWords[3] = {
    {"\xEA\xED\xE8\xE3\xE0", 5, 50, 70},
    {"\xF1\xF2\xF3\xE4\xE5\xED\xF2", 7, 100, 170},
    {"\xEF\xE5\xF0\xE5\xE2\xEE\xE4", 7, 50, 260},
};

// The same three words in Hindi in the display face's codes: kitaab, chhaatr, anuvaad.
constexpr CanvasWord kCanvasHindiWords[3] = {
    {"iktab", 5, 30, 50},
    {"Ca\x81", 3, 80, 150},
    {"Anuvad", 6, 30, 240},
};
