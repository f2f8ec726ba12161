#include "companions/lemora/lemora_win.h"

#include <cstdio>

#include "companions/companion_fonts_win.h"
#include "companions/companion_window_win.h"
#include "companions/lemora/lemora_texts.h"

LemoraState lemora;

namespace {

RECT rectOf(int left, int top, int right, int bottom) {
  RECT r = {left, top, right, bottom};
  return r;
}

void text(HDC dc, RECT r, const char* s, int length, HFONT font, COLORREF colour, UINT flags) {
  HGDIOBJ old = SelectObject(dc, font);
  SetTextColor(dc, colour);
  DrawTextA(dc, s, length, &r, flags | DT_NOPREFIX);
  SelectObject(dc, old);
}

void centred(HDC dc, RECT r, const std::string& s, HFONT font, COLORREF colour) {
  text(dc, r, s.data(), static_cast<int>(s.size()), font, colour,
       DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

bool isHindiSide(bool answerSide) {
  // The Hindi side is the question from Hindi to Russian and the answer the other way.
  return (lemora.direction == HindiToRussian) != answerSide;
}

HFONT largeFont(bool hindi) { return hindi ? lemora.fontHindiLarge : lemora.fontRussianLarge; }
HFONT optionFont(bool hindi) { return hindi ? lemora.fontHindiOption : lemora.fontRussianOption; }
COLORREF ink(bool hindi) { return hindi ? kLemoraHindiInk : kLemoraRussianInk; }

RECT questionRect() { return rectOf(20, 68, lemora.width - 20, 178); }
RECT answerRect() { return rectOf(20, 190, lemora.width - 20, 270); }

void prepareCurrent() {
  lemora.shownCard = currentCard(lemora.drill);
  lemora.revealed = false;
  lemora.chosen = -1;
  lemora.choiceImpossible = false;
  lemora.choices = ChoiceSet();
  if (lemora.mode == LemoraChoice && lemora.shownCard >= 0)
    lemora.choiceImpossible = !makeChoices(lemora.deck, lemora.shownCard, lemora.direction, 4,
                                           lemora.drill.rng, lemora.choices);
}

bool showingChoice() {
  return lemora.mode == LemoraChoice && lemora.shownCard >= 0 && !lemora.choiceImpossible;
}

void recordAnswer(bool knew) {
  gradeCurrent(lemora.drill, lemora.deck, knew);
  lemora.saveFailed = !saveProgress(lemora.progressPath.c_str(), lemora.deck);
}

int dueCount() {
  int due = 0;
  for (const LemoraCard& c : lemora.deck) due += c.due[lemora.direction] <= lemora.today;
  return due;
}

void drawButton(HDC dc, const LemoraButton& b, const char* label, bool down, COLORREF face,
                HFONT font, COLORREF colour) {
  RECT r = b.rect;
  fillSolid(dc, r, face);
  text(dc, r, label, -1, font, colour, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
  DrawEdge(dc, &r, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
}

const char* buttonLabel(int id) {
  switch (id) {
    case LemoraButtonCards: return kTextModeCards;
    case LemoraButtonChoice: return kTextModeChoice;
    case LemoraButtonDirection:
      return lemora.direction == HindiToRussian ? kTextHindiToRussian : kTextRussianToHindi;
    case LemoraButtonReload: return kTextReload;
    case LemoraButtonReveal: return kTextReveal;
    case LemoraButtonKnew: return kTextKnew;
    case LemoraButtonMissed: return kTextMissed;
    case LemoraButtonNext: return kTextNext;
    case LemoraButtonAgain: return kTextAgain;
    default: return "";
  }
}

void drawOption(HDC dc, const LemoraButton& b) {
  int option = b.id - LemoraButtonOption0;
  COLORREF face = RGB(250, 250, 246);
  if (lemora.chosen >= 0) {
    if (option == lemora.choices.correctOption)
      face = kLemoraRight;
    else if (option == lemora.chosen)
      face = kLemoraWrong;
  }
  RECT r = b.rect;
  fillSolid(dc, r, face);
  char number[4];
  std::snprintf(number, sizeof number, "%d", option + 1);
  RECT left = rectOf(r.left + 10, r.top, r.left + 30, r.bottom);
  text(dc, left, number, -1, lemora.fontUi, RGB(90, 90, 90), DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  bool hindi = isHindiSide(true);
  const LemoraCard& card = lemora.deck[lemora.choices.options[option]];
  centred(dc, r, answerText(card, lemora.direction), optionFont(hindi), ink(hindi));
  DrawEdge(dc, &r, lemora.chosen == option ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
}

void drawCardBox(HDC dc, RECT r) {
  fillSolid(dc, r, kLemoraCard);
  DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
}

}  // namespace

void lemoraReload() {
  lemora.deck = loadDeck(lemora.folder, lemora.report);
  loadProgress(lemora.progressPath.c_str(), lemora.deck);
  lemora.note = nullptr;
  lemoraRestart(false);
}

void lemoraRestart(bool everything) {
  startDrill(lemora.drill, lemora.deck, lemora.direction, lemora.today, lemora.seed++, everything);
  lemora.note =
      lemora.drill.reviewAhead && !everything && !lemora.deck.empty() ? kTextReviewAhead : nullptr;
  prepareCurrent();
}

void lemoraGrade(bool knew) {
  if (lemora.shownCard < 0 || showingChoice()) return;
  recordAnswer(knew);
  lemora.note = nullptr;
  prepareCurrent();
}

void lemoraChoose(int option) {
  if (!showingChoice() || lemora.chosen >= 0) return;
  if (option < 0 || option >= static_cast<int>(lemora.choices.options.size())) return;
  bool knew = option == lemora.choices.correctOption;
  recordAnswer(knew);
  lemora.chosen = option;
  lemora.note = knew ? kTextRight : kTextWrong;
}

void lemoraNext() {
  if (lemora.chosen < 0) return;
  lemora.note = nullptr;
  prepareCurrent();
}

std::vector<LemoraButton> lemoraButtons() {
  const int w = lemora.width;
  std::vector<LemoraButton> list;
  auto add = [&](int id, RECT r) {
    LemoraButton b;
    b.id = id;
    b.rect = r;
    list.push_back(b);
  };
  add(LemoraButtonCards, rectOf(10, 10, 130, 38));
  add(LemoraButtonChoice, rectOf(134, 10, 284, 38));
  add(LemoraButtonDirection, rectOf(300, 10, 460, 38));
  add(LemoraButtonReload, rectOf(w - 130, 10, w - 10, 38));
  if (lemora.deck.empty()) return list;
  if (lemora.shownCard < 0) {
    add(LemoraButtonAgain, rectOf(w / 2 - 130, 196, w / 2 + 130, 232));
  } else if (showingChoice()) {
    for (int i = 0; i < static_cast<int>(lemora.choices.options.size()); ++i)
      add(LemoraButtonOption0 + i, rectOf(60, 190 + i * 50, w - 60, 232 + i * 50));
    if (lemora.chosen >= 0) add(LemoraButtonNext, rectOf(w / 2 - 110, 392, w / 2 + 110, 424));
  } else if (!lemora.revealed) {
    add(LemoraButtonReveal, rectOf(w / 2 - 130, 196, w / 2 + 130, 232));
  } else {
    add(LemoraButtonKnew, rectOf(w / 2 - 170, 286, w / 2 - 10, 322));
    add(LemoraButtonMissed, rectOf(w / 2 + 10, 286, w / 2 + 170, 322));
  }
  return list;
}

int lemoraHitTest(int x, int y) {
  POINT p = {x, y};
  for (const LemoraButton& b : lemoraButtons())
    if (PtInRect(&b.rect, p)) return b.id;
  return LemoraNoButton;
}

void lemoraPress(int id) {
  switch (id) {
    case LemoraButtonCards:
    case LemoraButtonChoice: {
      int mode = id == LemoraButtonCards ? LemoraCards : LemoraChoice;
      if (mode == lemora.mode) return;
      lemora.mode = mode;
      // A pair answered in the choice mode is already graded; its successor is shown.
      lemora.note = nullptr;
      prepareCurrent();
      return;
    }
    case LemoraButtonDirection:
      lemora.direction = lemora.direction == HindiToRussian ? RussianToHindi : HindiToRussian;
      lemoraRestart(false);
      return;
    case LemoraButtonReload: lemoraReload(); return;
    case LemoraButtonReveal: lemora.revealed = lemora.shownCard >= 0; return;
    case LemoraButtonKnew: lemoraGrade(true); return;
    case LemoraButtonMissed: lemoraGrade(false); return;
    case LemoraButtonNext: lemoraNext(); return;
    case LemoraButtonAgain: lemoraRestart(true); return;
    default:
      if (id >= LemoraButtonOption0 && id < LemoraButtonOption0 + 4)
        lemoraChoose(id - LemoraButtonOption0);
      return;
  }
}

void createLemoraFonts() {
  lemora.fontHindiLarge = createCompanionFont(kHindiFace, 60, FW_NORMAL);
  lemora.fontHindiOption = createCompanionFont(kHindiFace, 36, FW_NORMAL);
  lemora.fontRussianLarge = createCompanionFont(kRussianFace, 34, FW_BOLD);
  lemora.fontRussianOption = createCompanionFont(kRussianFace, 22, FW_NORMAL);
  lemora.fontUi = createCompanionFont(kRussianFace, 15, FW_NORMAL);
}

void deleteLemoraFonts() {
  HFONT* fonts[] = {&lemora.fontHindiLarge, &lemora.fontHindiOption, &lemora.fontRussianLarge,
                    &lemora.fontRussianOption, &lemora.fontUi};
  for (HFONT* f : fonts) {
    if (*f) DeleteObject(*f);
    *f = nullptr;
  }
}

void paintLemora(HDC dc) {
  const int w = lemora.width, h = lemora.height;
  fillSolid(dc, rectOf(0, 0, w, h), kLemoraBackground);
  int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF uiInk = RGB(30, 30, 30);
  char line[256];

  for (const LemoraButton& b : lemoraButtons()) {
    if (b.id >= LemoraButtonOption0) {
      drawOption(dc, b);
      continue;
    }
    bool down = (b.id == LemoraButtonCards && lemora.mode == LemoraCards) ||
                (b.id == LemoraButtonChoice && lemora.mode == LemoraChoice);
    drawButton(dc, b, buttonLabel(b.id), down, down ? RGB(255, 244, 200) : RGB(236, 233, 224),
               lemora.fontUi, uiInk);
  }

  // The line under the buttons: the size of the deck, or what is wrong with the lists.
  RECT info = rectOf(12, 42, w - 12, 64);
  if (lemora.report.hindiLines != lemora.report.russianLines && lemora.report.hindiOpened &&
      lemora.report.russianOpened) {
    std::snprintf(line, sizeof line, kTextUneven, lemora.report.hindiLines,
                  lemora.report.russianLines);
  } else {
    std::snprintf(line, sizeof line, kTextCounts, static_cast<int>(lemora.deck.size()), dueCount());
  }
  text(dc, info, line, -1, lemora.fontUi, RGB(80, 80, 80), DT_LEFT | DT_VCENTER | DT_SINGLELINE);

  if (lemora.deck.empty()) {
    RECT box = rectOf(20, 68, w - 20, h - 40);
    drawCardBox(dc, box);
    const char* headline =
        lemora.report.hindiOpened || lemora.report.russianOpened ? kTextEmpty : kTextMissing;
    RECT head = rectOf(box.left + 20, box.top + 16, box.right - 20, box.top + 76);
    text(dc, head, headline, -1, lemora.fontRussianOption, kLemoraRussianInk,
         DT_LEFT | DT_WORDBREAK);
    RECT body = rectOf(box.left + 20, box.top + 84, box.right - 20, box.bottom - 10);
    text(dc, body, kTextHowToFill, -1, lemora.fontRussianOption, uiInk, DT_LEFT | DT_WORDBREAK);
  } else if (lemora.shownCard < 0) {
    RECT q = questionRect();
    drawCardBox(dc, q);
    std::snprintf(line, sizeof line, kTextScore, lemora.drill.correct, lemora.drill.asked);
    RECT top = rectOf(q.left, q.top + 10, q.right, q.top + 54);
    centred(dc, top, kTextDone, lemora.fontRussianLarge, kLemoraHindiInk);
    RECT bottom = rectOf(q.left, q.top + 56, q.right, q.bottom - 8);
    centred(dc, bottom, line, lemora.fontRussianOption, uiInk);
  } else {
    const LemoraCard& card = lemora.deck[lemora.shownCard];
    RECT q = questionRect();
    drawCardBox(dc, q);
    RECT ask = rectOf(q.left + 10, q.top + 4, q.right - 10, q.top + 24);
    text(dc, ask, lemora.direction == HindiToRussian ? kTextQuestionHindi : kTextQuestionRussian,
         -1, lemora.fontUi, RGB(120, 120, 120), DT_LEFT | DT_SINGLELINE);
    bool hindi = isHindiSide(false);
    RECT word = rectOf(q.left + 10, q.top + 20, q.right - 10, q.bottom - 4);
    centred(dc, word, questionText(card, lemora.direction), largeFont(hindi), ink(hindi));
    if (!showingChoice() && lemora.revealed) {
      RECT a = answerRect();
      drawCardBox(dc, a);
      bool answerHindi = isHindiSide(true);
      centred(dc, a, answerText(card, lemora.direction), largeFont(answerHindi), ink(answerHindi));
    }
  }

  // Status line: the score of this run, what is left, and a word on the last answer.
  RECT status = rectOf(0, h - 26, w, h);
  fillSolid(dc, status, RGB(236, 233, 224));
  DrawEdge(dc, &status, BDR_SUNKENOUTER, BF_TOP);
  int left = static_cast<int>(lemora.drill.queue.size());
  std::string s;
  if (!lemora.deck.empty()) {
    std::snprintf(line, sizeof line, kTextScore, lemora.drill.correct, lemora.drill.asked);
    s += line;
    s += ' ';
    std::snprintf(line, sizeof line, kTextLeft, left);
    s += line;
  }
  const char* note = lemora.saveFailed                                        ? kTextSaveFailed
                     : lemora.mode == LemoraChoice && lemora.choiceImpossible ? kTextNoChoice
                                                                              : lemora.note;
  if (note) {
    s += "  ";
    s += note;
  }
  RECT statusText = rectOf(10, status.top, w - 10, h);
  text(dc, statusText, s.c_str(), -1, lemora.fontUi, uiInk,
       DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
  SetBkMode(dc, oldMode);
}

void onLemoraCreate(HWND window) {
  registerCompanionFonts();
  createLemoraFonts();
  SYSTEMTIME now;
  GetLocalTime(&now);
  lemora.today = daysFromCivil(now.wYear, now.wMonth, now.wDay);
  lemora.seed = GetTickCount() | 1u;
  lemoraReload();
}

void onLemoraPaint(HWND window) {
  paintOffScreen(window, lemora.width, lemora.height, paintLemora);
}

void onLemoraSize(HWND window, int width, int height) {
  if (width <= 0 || height <= 0) return;  // minimised
  lemora.width = width;
  lemora.height = height;
  InvalidateRect(window, nullptr, FALSE);
}

void onLemoraLButtonDown(HWND window, int x, int y) {
  int id = lemoraHitTest(x, y);
  if (id == LemoraNoButton) return;
  lemoraPress(id);
  InvalidateRect(window, nullptr, FALSE);
}

void onLemoraChar(HWND window, WPARAM character) {
  if (character == ' ' || character == 13) {
    if (lemora.deck.empty()) return;
    if (lemora.shownCard < 0)
      lemoraPress(LemoraButtonAgain);
    else if (showingChoice())
      lemoraPress(LemoraButtonNext);
    else if (!lemora.revealed)
      lemoraPress(LemoraButtonReveal);
  } else if (character >= '1' && character <= '4') {
    int n = static_cast<int>(character - '1');
    if (showingChoice())
      lemoraChoose(n);
    else if (lemora.revealed && n < 2)
      lemoraGrade(n == 0);
  } else {
    return;
  }
  InvalidateRect(window, nullptr, FALSE);
}

void onLemoraKeyDown(HWND window, WPARAM key) {
  if (key != VK_F5) return;
  lemoraReload();
  InvalidateRect(window, nullptr, FALSE);
}

void onLemoraDestroy(HWND window) {
  deleteLemoraFonts();
  removeCompanionFonts();
  PostQuitMessage(0);
}

LRESULT CALLBACK lemoraWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: onLemoraCreate(window); return 0;
    case WM_PAINT: onLemoraPaint(window); return 0;
    case WM_SIZE: onLemoraSize(window, LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_LBUTTONDOWN:
      onLemoraLButtonDown(window, static_cast<short>(LOWORD(lParam)),
                          static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_CHAR: onLemoraChar(window, wParam); return 0;
    case WM_KEYDOWN: onLemoraKeyDown(window, wParam); return 0;
    case WM_GETMINMAXINFO: {
      MINMAXINFO* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMinTrackSize.x = 600;
      info->ptMinTrackSize.y = 500;
      return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_DESTROY: onLemoraDestroy(window); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}
