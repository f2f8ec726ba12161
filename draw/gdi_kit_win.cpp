// The drawing kit: creation and release of every pen, brush and font, the font files that are
// registered for the program's life, and the 3-D primitives all screens are drawn with.
#include "draw/gdi_kit.h"

#include <cstring>

#include "base/session_state.h"

GdiKit kit;

namespace {

// Caption of the start-up failure boxes: "Error" in Russian, Windows-1251 bytes.
const char kErrorCaption[] = "\xCE\xF8\xE8\xE1\xEA\xE0";

struct FontFile {
  const char* name;
  const char* failureText;
};

// Registered in this order at start and removed in the same order at exit.
const FontFile kFontFiles[] = {
    {"Devass03.ttf",
     "Cant install font \"Devass03.ttf\" \ntry to install it manually\n starting with errors"},
    {"Devass02.ttf",
     "Cant install font \"Devass02.ttf\" \ntry to install it manually\n starting with errors"},
    {"Dvdivyan.ttf",
     "Cant install font \"Dvdivyan.ttf\" \ntry to install it manually\n starting with errors"},
    {"Dvnishan.ttf",
     "Cant install font \"Dvnishan.ttf\" \ntry to install it manually\n starting with errors"},
};

const char kFaceCyrillic[] = "Times New Roman Cyr";
const char kFaceDevanagari[] = "SS Devanagari Tolmi II";

const char kCyrillicFontFailure[] =
    "Program was unable to prepare Times New Roman Kyr font\nCheck your system and try to "
    "install it manually\n starting with error";
const char kDevanagariFontFailure[] =
    "Program was unable to prepare SS_DEVANAGARY TOLMI II font\nCheck your system and try to "
    "install it manually\n files \"devass02.ttf\" and \"devass03.ttf\"\n starting with error";

// One row of the font table: the CreateFontA arguments in the order of its parameters.
struct FontSpec {
  HFONT GdiKit::*slot;
  int height, width, escapement, orientation, weight;
  DWORD italic, underline, strikeOut, charSet, outPrecision, clipPrecision, quality, pitchFamily;
  const char* face;
};

const FontSpec kFonts[] = {
    {&GdiKit::fontHeader, 22, 14, 0, 0, 500, 0, 0, 0, 1, 3, 2, 0, 0, kFaceCyrillic},
    {&GdiKit::fontHeadword, 30, 5, 0, 0, 500, 0, 0, 0, 1, 3, 2, 0, 0, kFaceDevanagari},
    {&GdiKit::fontHindi, 20, 6, 0, 0, 100, 0, 0, 0, 1, 3, 2, 0, 0, kFaceDevanagari},
    {&GdiKit::fontUi, 20, 6, 0, 0, 500, 0, 0, 0, 1, 3, 2, 0, 0, kFaceCyrillic},
    // The note (a line's reading) is Cyrillic, so it takes the default character set like
    // the other Russian faces; the ANSI set would draw its letters as Western ones.
    {&GdiKit::fontNote, 20, 6, 0, 0, 500, 1, 0, 0, 1, 3, 2, 0, 0, kFaceCyrillic},
    {&GdiKit::fontTeacherRussian, 20, 8, 0, 100, 500, 0, 0, 0, 1, 3, 2, 0, 0, kFaceCyrillic},
    {&GdiKit::fontCanvasRussian, 60, 30, 0, 0, 500, 0, 0, 0, 1, 3, 2, 0, 0, kFaceCyrillic},
    {&GdiKit::fontCanvasHindi, 50, 15, 0, 0, 500, 0, 0, 0, 1, 3, 2, 0, 0, kFaceDevanagari},
    {&GdiKit::fontIntro, 15, 9, 0, 0, 500, 0, 0, 0, 1, 3, 2, 0, 0, kFaceCyrillic},
};

// Deletes a GDI object once and forgets it, so a second release finds nothing to delete.
template <typename Handle>
void deleteAndForget(Handle& handle) {
  if (handle) DeleteObject(handle);
  handle = nullptr;
}

// A path: MoveToEx to the first point and LineTo each following one.
void polyPath(HDC dc, const POINT* points, int count) {
  MoveToEx(dc, points[0].x, points[0].y, nullptr);
  for (int i = 1; i < count; ++i) LineTo(dc, points[i].x, points[i].y);
}

// The face-grey box shared by the three frames, outline included.
void faceBox(HDC dc, int left, int top, int right, int bottom) {
  SelectObject(dc, kit.penFace);
  SelectObject(dc, kit.brushFace);
  Rectangle(dc, left, top, right, bottom);
}

// The two-pixel bevel of RaisedFrame and SunkenFrame: the right-and-bottom path first, then
// the top-and-left one, which wins where the two meet.
void bevel(HDC dc, int left, int top, int right, int bottom, HPEN rightBottom, HPEN topLeft) {
  const POINT lower[] = {{right - 1, top + 1},   {right - 1, bottom - 1}, {left + 1, bottom - 1},
                         {left + 2, bottom - 2}, {right - 2, bottom - 2}, {right - 2, top + 2}};
  const POINT upper[] = {{right - 1, top + 1},   {left + 1, top + 1}, {left + 1, bottom - 1},
                         {left + 2, bottom - 2}, {left + 2, top + 2}, {right - 2, top + 2}};
  SelectObject(dc, rightBottom);
  polyPath(dc, lower, 6);
  SelectObject(dc, topLeft);
  polyPath(dc, upper, 6);
}

}  // namespace

int createGdiKit() {
  registerFontFiles();
  return createKitObjects();
}

int registerFontFiles() {
  for (const FontFile& file : kFontFiles) {
    if (AddFontResourceA(file.name) == 0)
      MessageBoxA(nullptr, file.failureText, kErrorCaption, MB_OK);
  }
  return 1;
}

int createKitObjects() {
  kit.penFace = CreatePen(PS_SOLID, 1, colourFace);
  kit.penShadow = CreatePen(PS_SOLID, 1, colourShadow);
  kit.penHighlight = CreatePen(PS_SOLID, 1, colourHighlight);
  kit.penQueryBorder = CreatePen(PS_SOLID, 1, colourQueryBorder);
  kit.brushQueryField = CreateSolidBrush(colourQueryField);
  kit.brushFace = CreateSolidBrush(colourFace);

  for (const FontSpec& f : kFonts) {
    HFONT font = CreateFontA(f.height, f.width, f.escapement, f.orientation, f.weight, f.italic,
                             f.underline, f.strikeOut, f.charSet, f.outPrecision, f.clipPrecision,
                             f.quality, f.pitchFamily, f.face);
    kit.*f.slot = font;
    if (!font) {
      const bool cyrillic = std::strcmp(f.face, kFaceCyrillic) == 0;
      MessageBoxA(nullptr, cyrillic ? kCyrillicFontFailure : kDevanagariFontFailure, kErrorCaption,
                  MB_OK);
    }
  }
  return 1;
}

int releaseGdiKit() {
  // The canvas DC goes first: it still holds canvasBitmap, penCanvasLogo and fontCanvasHindi,
  // and an object selected into a DC cannot be deleted.
  if (kit.canvasDc) DeleteDC(kit.canvasDc);
  kit.canvasDc = nullptr;
  deleteAndForget(kit.penFace);
  deleteAndForget(kit.brushQueryField);
  deleteAndForget(kit.fontHeader);
  deleteAndForget(kit.fontNote);
  deleteAndForget(kit.fontCanvasRussian);
  deleteAndForget(kit.fontIntro);
  deleteAndForget(kit.fontHeadword);
  deleteAndForget(kit.fontUi);
  deleteAndForget(kit.fontHindi);
  deleteAndForget(kit.fontTeacherRussian);
  deleteAndForget(kit.brushFace);
  deleteAndForget(kit.penHighlight);
  deleteAndForget(kit.penCanvasLogo);
  deleteAndForget(kit.penShadow);
  deleteAndForget(kit.penQueryBorder);
  deleteAndForget(kit.canvasBitmap);
  deleteAndForget(kit.textureBitmap);
  deleteAndForget(kit.fontCanvasHindi);

  for (const FontFile& file : kFontFiles) RemoveFontResourceA(file.name);
  SendMessageA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0);
  return 1;
}

int RaisedFrame(HDC dc, int left, int top, int right, int bottom) {
  faceBox(dc, left, top, right, bottom);
  bevel(dc, left, top, right, bottom, kit.penShadow, kit.penHighlight);
  return 1;
}

int SunkenFrame(HDC dc, int left, int top, int right, int bottom) {
  faceBox(dc, left, top, right, bottom);
  bevel(dc, left, top, right, bottom, kit.penHighlight, kit.penShadow);
  return 1;
}

int FlatFrame(HDC dc, int left, int top, int right, int bottom) {
  faceBox(dc, left, top, right, bottom);
  const POINT lower[] = {{right - 1, top + 1}, {right - 1, bottom - 1}, {left + 1, bottom - 1}};
  const POINT upper[] = {{right - 1, top + 1}, {left + 1, top + 1}, {left + 1, bottom - 1}};
  SelectObject(dc, kit.penHighlight);
  polyPath(dc, lower, 3);
  SelectObject(dc, kit.penShadow);
  polyPath(dc, upper, 3);
  return 1;
}

int Groove(HDC dc, int xFrom, int xTo, int y) {
  SelectObject(dc, kit.penShadow);
  MoveToEx(dc, xFrom - 1, y - 1, nullptr);
  LineTo(dc, xTo + 1, y - 1);
  SelectObject(dc, kit.penFace);
  MoveToEx(dc, xFrom, y, nullptr);
  LineTo(dc, xTo, y);
  SelectObject(dc, kit.penHighlight);
  MoveToEx(dc, xFrom - 1, y + 1, nullptr);
  LineTo(dc, xTo + 1, y + 1);
  return 1;
}

int PixelColumn(HDC dc, int x, int yFrom, int yTo, COLORREF colour) {
  for (int y = yFrom; y <= yTo; ++y) SetPixel(dc, x, y, colour);
  return 1;
}

int DownArrowGlyph(HDC dc, int x, int y) {
  SelectObject(dc, kit.penShadow);
  for (int i = 0; i <= 5; ++i) {
    MoveToEx(dc, x + i, y + i, nullptr);
    LineTo(dc, x + 10 - i, y + i);
  }
  return 1;
}

int clearResultsPane(HDC dc) {
  return SunkenFrame(dc, 5, 129, session.clientWidth - 5, session.clientHeight - 58);
}

int StatusLine(HDC dc, const char* text) {
  HDC textureDc = CreateCompatibleDC(dc);
  HGDIOBJ previous = SelectObject(textureDc, kit.textureBitmap);
  StretchBlt(dc, 7, 100, session.clientWidth - 14, 19, textureDc, 0, 100, 115, 15, SRCCOPY);
  SelectObject(textureDc, previous);
  DeleteDC(textureDc);
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, kit.fontUi);
  SetTextColor(dc, colourAction);
  TextOutA(dc, 10, 99, text, static_cast<int>(std::strlen(text)));
  return 1;
}

ClipScope::ClipScope(HDC target, int left, int top, int right, int bottom)
    : dc(target), saved(CreateRectRgn(0, 0, 0, 0)), hadRegion(false) {
  hadRegion = saved && GetClipRgn(dc, saved) == 1;
  IntersectClipRect(dc, left, top, right, bottom);
}

ClipScope::~ClipScope() {
  SelectClipRgn(dc, hadRegion ? saved : nullptr);
  if (saved) DeleteObject(saved);
}
