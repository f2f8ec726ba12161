// Creation and destruction of the main window: they bracket the life of the drawing kit, the
// result buffer and the background canvas.
#include "app/clipboard_win.h"
#include "app/window_win.h"
#include "base/session_state.h"
#include "draw/gdi_kit.h"
#include "draw/intro_screen.h"
#include "search/result_buffer.h"

namespace {
// WM_DESTROY can arrive more than once: the Exit button sends it without destroying the
// window, and the window's real destruction later sends it again. Resources go only once.
bool resourcesReleased = false;
}  // namespace

LRESULT onCreate(HWND window) {
  createGdiKit();
  resultBuffer = static_cast<char*>(GlobalAlloc(GMEM_FIXED, kResultBufferSize));
  if (!resultBuffer) MessageBoxA(nullptr, "GlobalAlloc failed!", nullptr, MB_OK);

  HDC dc = GetDC(window);
  kit.canvasDc = CreateCompatibleDC(dc);
  kit.canvasBitmap = CreateCompatibleBitmap(dc, 521, 350);
  SelectObject(kit.canvasDc, kit.canvasBitmap);  // kept for the program's life
  paintBackgroundCanvas();
  // Let every other program see the fonts just registered.
  SendMessageA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0);
  ReleaseDC(window, dc);
  return 0;
}

LRESULT onDestroy(HWND window) {
  stopClipboardTracking(window);
  if (!resourcesReleased) {
    resourcesReleased = true;
    releaseGdiKit();
    if (resultBuffer) GlobalFree(resultBuffer);
    resultBuffer = nullptr;
  }
  PostQuitMessage(0);
  return 0;
}
