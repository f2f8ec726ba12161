// The teaching program's window: asks the pairs of the teacher lists one by one, as cards to
// reveal and grade oneself or as a choice among four answers, in either direction. Everything
// in the window is drawn with GDI; buttons are rectangles with a hit test.
#pragma once
#include <windows.h>

#include <vector>

#include "companions/lemora/lemora_core.h"

enum LemoraMode : int { LemoraCards = 0, LemoraChoice = 1 };

enum LemoraButtonId : int {
  LemoraNoButton = 0,
  LemoraButtonCards,
  LemoraButtonChoice,
  LemoraButtonDirection,
  LemoraButtonReload,
  LemoraButtonReveal,
  LemoraButtonKnew,
  LemoraButtonMissed,
  LemoraButtonNext,
  LemoraButtonAgain,
  LemoraButtonOption0,  // options 0..3 follow
};

struct LemoraButton {
  int id = LemoraNoButton;
  RECT rect = {};
};

struct LemoraState {
  std::vector<LemoraCard> deck;
  DeckReport report;
  DrillSession drill;
  int mode = LemoraCards;
  int direction = HindiToRussian;
  int32_t today = 0;
  uint32_t seed = 1;
  bool revealed = false;          // cards: the answer is shown
  ChoiceSet choices;              // choice: the options of the current pair
  bool choiceImpossible = false;  // too few different answers: cards are shown instead
  int chosen = -1;                // choice: the option picked, -1 before the answer
  int shownCard = -1;             // the pair on screen; -1 when the run is over or the deck empty
  const char* note = nullptr;     // a word on the last answer, shown in the status line
  bool saveFailed = false;
  std::string progressPath = "lemora.dat";
  std::string folder;  // where hin.tea and rus.tea are read ("" = working folder)
  int width = 600, height = 480;
  HFONT fontHindiLarge = nullptr, fontHindiOption = nullptr;
  HFONT fontRussianLarge = nullptr, fontRussianOption = nullptr, fontUi = nullptr;
};
extern LemoraState lemora;

// Reads the lists and the progress and starts a drill of what is due.
void lemoraReload();
// Starts a new run in the current mode and direction; `everything` asks the whole deck.
void lemoraRestart(bool everything);
// Answers: cards graded as known or not; an option picked in the choice mode.
void lemoraGrade(bool knew);
void lemoraChoose(int option);
// Leaves the answered pair for the next one.
void lemoraNext();

// The buttons shown now, for the window's client size.
std::vector<LemoraButton> lemoraButtons();
int lemoraHitTest(int x, int y);
// Acts on a button as a click does.
void lemoraPress(int id);

void createLemoraFonts();
void deleteLemoraFonts();
// Draws the whole window content into dc (window or memory device context).
void paintLemora(HDC dc);

// Colours the answers are marked with.
const COLORREF kLemoraRight = RGB(170, 230, 170);
const COLORREF kLemoraWrong = RGB(245, 170, 170);
const COLORREF kLemoraBackground = RGB(246, 241, 228);
const COLORREF kLemoraCard = RGB(255, 255, 255);
const COLORREF kLemoraHindiInk = RGB(20, 100, 20);
const COLORREF kLemoraRussianInk = RGB(100, 20, 20);

LRESULT CALLBACK lemoraWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void onLemoraCreate(HWND window);
void onLemoraPaint(HWND window);
void onLemoraSize(HWND window, int width, int height);
void onLemoraLButtonDown(HWND window, int x, int y);
void onLemoraChar(HWND window, WPARAM character);
void onLemoraKeyDown(HWND window, WPARAM key);
void onLemoraDestroy(HWND window);
