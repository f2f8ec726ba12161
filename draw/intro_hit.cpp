#include "draw/intro_hit.h"

const IntroElement kIntroElements[4] = {
    {IntroInformation, 53, 425, 450, 450, "<< Click HERE for Information On Hindi >>", 63, 430, 53,
     425, 450, 450},
    // The buttons answer only on rows 477 to 495 of their frames' 474 to 498.
    {IntroGo, 196, 474, 296, 499, "GO", 230, 480, 196, 476, 296, 496},
    {IntroHelp, 296, 474, 396, 499, "HELP", 320, 480, 296, 476, 396, 496},
    {IntroLearn, 396, 474, 496, 499, "LEARN", 415, 480, 396, 476, 496, 496},
};

int introHitCode(int x, int y) {
  for (const IntroElement& e : kIntroElements) {
    if (e.hitLeft < x && x < e.hitRight && e.hitTop < y && y < e.hitBottom) return e.code;
  }
  return IntroNone;
}

const IntroElement* introElement(int code) {
  for (const IntroElement& e : kIntroElements)
    if (e.code == code) return &e;
  return nullptr;
}
