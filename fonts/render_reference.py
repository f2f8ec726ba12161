#!/usr/bin/python3
"""Draws single codes of a face with FreeType (PIL) the way GDI lays them out for a
CreateFontA height and average width, for the pixel tests under Wine to compare against.

Usage: render_reference.py FONT HEIGHT WIDTH OUT_DIR CODE... (codes in hex, one or more
bytes each, e.g. 6B or 6B6D6C). Writes OUT_DIR/<CODE>.pgm, 96 x 40 pixels, the text's
top-left corner at (4, 4), black on white.
"""
import os
import sys

from fontTools.ttLib import TTFont
from PIL import Image, ImageDraw, ImageFont

W, H, X, Y, OVER = 96, 40, 4, 4, 8


def main():
    path, height, width, out = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
    os.makedirs(out, exist_ok=True)
    f = TTFont(path)
    upm, os2 = f["head"].unitsPerEm, f["OS/2"]
    ppem = height * upm / (os2.usWinAscent + os2.usWinDescent)   # GDI: height is the cell
    ascent = round(os2.usWinAscent * ppem / upm)
    sx = width / (os2.xAvgCharWidth * ppem / upm)                # GDI: width is the average
    font = ImageFont.truetype(path, round(ppem * OVER), encoding="symb",
                              layout_engine=ImageFont.Layout.BASIC)
    for code in sys.argv[5:]:
        text = "".join(chr(0xF000 + b) for b in bytes.fromhex(code))
        big = Image.new("L", (round(W * OVER / sx), H * OVER), 255)
        ImageDraw.Draw(big).text((round(X * OVER / sx), (Y + ascent) * OVER), text, font=font,
                                 fill=0, anchor="ls")
        img = big.resize((W, H), Image.LANCZOS)
        with open(os.path.join(out, code + ".pgm"), "wb") as g:
            g.write(b"P5\n%d %d\n255\n" % (W, H) + img.tobytes())


if __name__ == "__main__":
    main()
