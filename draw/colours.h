// The named colours (COLORREF values, 0x00BBGGRR) and the palette lookup. Portable: no
// windows.h, so the layout walk and the tests can use them natively.
#pragma once
#include <cstdint>

using Colour = uint32_t;

constexpr Colour colourFace = 0x00C8C8C8;
constexpr Colour colourShadow = 0x00101010;
constexpr Colour colourHighlight = 0x00FAFAFA;
constexpr Colour colourQueryBorder = 0x0014C8C8;
constexpr Colour colourQueryField = 0x0064C8C8;
constexpr Colour colourHindi = 0x00146414;
constexpr Colour colourRussian = 0x00141464;
constexpr Colour colourLabel = 0x003C0A0A;
constexpr Colour colourTitle = 0x000A960A;
constexpr Colour colourAction = 0x00641414;
constexpr Colour colourToolbarRussian = 0x000A0A64;
constexpr Colour colourToolbarHindi = 0x000A640A;
constexpr Colour colourIntroText = 0x00781414;
constexpr Colour colourLogo = 0x006464C8;
constexpr Colour colourCanvasRussian = 0x00141478;
constexpr Colour colourCanvasHindi = 0x001DA65E;
// Result list colours.
constexpr Colour colourResultHeadword = 0x00C81414;
constexpr Colour colourResultHindi = 0x003C3C3C;
constexpr Colour colourResultMatch = 0x0014AA14;

// 2 gives colourHindi, 3 colourRussian, 33 colourLabel; any other value comes back unchanged.
constexpr Colour paletteColour(int32_t code) {
  return code == 2    ? colourHindi
         : code == 3  ? colourRussian
         : code == 33 ? colourLabel
                      : static_cast<Colour>(code);
}
