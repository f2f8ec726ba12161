// The four controls of the intro screen in fixed client coordinates, and the hit test that
// finds the one under a press. Portable: no drawing here.
#pragma once

enum IntroCode { IntroNone = 0, IntroInformation = 1, IntroGo = 2, IntroHelp = 3, IntroLearn = 4 };

struct IntroElement {
  int code;
  int left, top, right, bottom;  // frame
  const char* caption;
  int captionX, captionY;                    // resting caption; pressed is one right, one down
  int hitLeft, hitTop, hitRight, hitBottom;  // hit when strictly inside
};

// In drawing order: the information bar, GO, HELP, LEARN.
extern const IntroElement kIntroElements[4];

// The code of the control strictly containing (x, y); IntroNone when none does.
int introHitCode(int x, int y);

// The element with the given code, or nullptr for IntroNone and unknown codes.
const IntroElement* introElement(int code);
