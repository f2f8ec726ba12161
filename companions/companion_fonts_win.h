// The companions register the dictionary's font files from their working folder for as long as
// they run, so that they show Devanagari also when started without the dictionary.
#pragma once
#include <windows.h>

// Registers the four font files; returns how many were added.
int registerCompanionFonts();
// Removes what registerCompanionFonts added.
void removeCompanionFonts();

// The face that draws the Hindi byte codes, and the programs' face for Russian text.
extern const char kHindiFace[];
extern const char kRussianFace[];

// A font of the given pixel height; Russian text gets the Cyrillic character set.
HFONT createCompanionFont(const char* face, int height, int weight);
