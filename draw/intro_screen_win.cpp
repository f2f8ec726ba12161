// The intro screen: the canvas spread over the window, the information bar and the buttons
// GO, HELP and LEARN, their pressed look and the opening of the information document.
#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <string>

#include "base/document_message.h"
#include "base/session_state.h"
#include "draw/gdi_kit.h"
#include "draw/intro_hit.h"
#include "draw/intro_screen.h"

namespace {

void caption(HDC dc, const IntroElement& e, int shift) {
  TextOutA(dc, e.captionX + shift, e.captionY + shift, e.caption,
           static_cast<int>(std::strlen(e.caption)));
}

void frame(HDC dc, const IntroElement& e, bool pressed) {
  (pressed ? SunkenFrame : RaisedFrame)(dc, e.left, e.top, e.right, e.bottom);
}

}  // namespace

int paintIntroScreen(HDC dc) {
  // The top 40 canvas rows hold only the gradient: stretched, they spread it over the screen.
  StretchBlt(dc, 0, 0, 520, 550, kit.canvasDc, 0, 0, 520, 40, SRCCOPY);
  BitBlt(dc, 0, 0, 500, 350, kit.canvasDc, 0, 0, SRCCOPY);
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, kit.fontIntro);
  SetTextColor(dc, colourIntroText);

  const IntroElement& info = kIntroElements[0];
  const IntroElement& go = kIntroElements[1];
  const IntroElement& help = kIntroElements[2];
  const IntroElement& learn = kIntroElements[3];
  frame(dc, info, false);
  caption(dc, info, 0);
  frame(dc, go, false);
  frame(dc, help, false);
  frame(dc, learn, false);
  caption(dc, help, 0);
  caption(dc, learn, 0);
  caption(dc, go, 0);
  return 1;
}

int introHitTest(HDC dc, int x, int y) {
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, kit.fontIntro);
  SetTextColor(dc, colourAction);
  const int code = introHitCode(x, y);
  const IntroElement* e = introElement(code);
  if (!e) return IntroNone;
  frame(dc, *e, true);
  caption(dc, *e, 1);
  if (code == IntroInformation) {
    const HINSTANCE result = ShellExecuteA(static_cast<HWND>(session.mainWindow), nullptr,
                                           "intro.doc", nullptr, nullptr, SW_SHOW);
    const INT_PTR code = reinterpret_cast<INT_PTR>(result);
    if (code <= 32) {
      const std::string text = documentOpenFailureText(static_cast<long>(code), "intro.doc",
                                                       "File not found -\"intro.doc\"");
      MessageBoxA(nullptr, text.c_str(), "Error", MB_OK);
    }
  }
  return code;
}

int drawIntroControlsReleased(HDC dc) {
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, kit.fontIntro);
  SetTextColor(dc, colourAction);
  for (const IntroElement& e : kIntroElements) {
    frame(dc, e, false);
    caption(dc, e, 0);
  }
  return 1;
}
