#!/usr/bin/python3
"""Generates the program's pictures into a folder given on the command line:

  mybp.bmp      115 x 115, 8 bits per pixel, 236 palette entries: the paper texture of the
                header strips and the status line
  about.bmp     399 x 119, 8 bits per pixel, 236 palette entries: the About box picture
  vartolik.ico  32 x 32 with 16 colours and 48 x 48 with 256 colours: the window icon

Everything is drawn from fixed seeds, so every run writes the same bytes. PIL is used for
drawing and colour reduction only; the BMP and ICO bytes are written here.
"""
import math
import struct
import sys
from pathlib import Path

from PIL import Image, ImageDraw, ImageFont

PALETTE_ENTRIES = 236


class Lcg:
    """A small fixed random generator, independent of Python's own."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF

    def next(self):
        self.state = (self.state * 1664525 + 1013904223) & 0xFFFFFFFF
        return self.state / 4294967296.0


def value_noise(width, height, cell, seed):
    """Smooth noise in 0..1 that tiles across the width and height."""
    rng = Lcg(seed)
    cols, rows = max(1, width // cell), max(1, height // cell)
    grid = [[rng.next() for _ in range(cols)] for _ in range(rows)]

    def smooth(t):
        return t * t * (3 - 2 * t)

    out = []
    for y in range(height):
        gy = y / cell
        y0 = int(gy) % rows
        y1 = (y0 + 1) % rows
        fy = smooth(gy - int(gy))
        row = []
        for x in range(width):
            gx = x / cell
            x0 = int(gx) % cols
            x1 = (x0 + 1) % cols
            fx = smooth(gx - int(gx))
            top = grid[y0][x0] * (1 - fx) + grid[y0][x1] * fx
            bottom = grid[y1][x0] * (1 - fx) + grid[y1][x1] * fx
            row.append(top * (1 - fy) + bottom * fy)
        out.append(row)
    return out


def paper_texture():
    """Warm, light paper with soft clouds and a few long fibres."""
    w = h = 115
    coarse = value_noise(w, h, 23, 7)
    fine = value_noise(w, h, 5, 11)
    img = Image.new("RGB", (w, h))
    px = img.load()
    for y in range(h):
        for x in range(w):
            v = 0.65 * coarse[y][x] + 0.35 * fine[y][x]
            px[x, y] = (int(214 + 30 * v), int(200 + 28 * v), int(160 + 26 * v))
    rng = Lcg(19)
    draw = ImageDraw.Draw(img)
    for _ in range(14):
        x, y = rng.next() * w, rng.next() * h
        angle = rng.next() * math.pi
        length = 6 + rng.next() * 18
        shade = int(rng.next() * 14)
        colour = (206 - shade, 190 - shade, 150 - shade)
        draw.line([(x, y), (x + length * math.cos(angle), y + length * math.sin(angle))],
                  fill=colour, width=1)
    return img


def draw_logo_arrow(draw, box, width, colours):
    """A curved arrow like the canvas logo: an arc from the lower right over the top."""
    left, top, right, bottom = box
    cx, cy = (left + right) / 2, (top + bottom) / 2
    rx, ry = (right - left) / 2, (bottom - top) / 2
    steps = 60
    points = []
    for i in range(steps + 1):
        a = math.radians(60 - 280 * i / steps)  # screen angles: from lower right, counter-clockwise
        points.append((cx + rx * math.cos(a), cy + ry * math.sin(a)))
    for i in range(steps):
        c = colours[i * len(colours) // steps]
        draw.line([points[i], points[i + 1]], fill=c, width=width)
    tip = points[-1]
    back = points[-4]
    dx, dy = tip[0] - back[0], tip[1] - back[1]
    norm = math.hypot(dx, dy) or 1
    dx, dy = dx / norm, dy / norm
    head = width * 2.2
    draw.polygon([(tip[0] + dx * head, tip[1] + dy * head),
                  (tip[0] - dy * head, tip[1] + dx * head),
                  (tip[0] + dy * head, tip[1] - dx * head)], fill=colours[-1])


def canvas_gradient(x, width):
    """The program's own canvas colours: red 240, green and blue rising to the middle."""
    t = 2 * x / width
    s = (2 - t) * t * 0.7 + 0.3
    return (240, int(s * 155), int(s * 240))


def about_picture():
    w, h = 399, 119
    img = Image.new("RGB", (w, h))
    draw = ImageDraw.Draw(img)
    for x in range(w):
        draw.line([(x, 0), (x, h)], fill=canvas_gradient(x, w))
    # An open book on the left.
    book = [(28, 88), (70, 78), (112, 88), (112, 34), (70, 24), (28, 34)]
    draw.polygon(book, fill=(250, 246, 232), outline=(90, 40, 40))
    draw.line([(70, 24), (70, 78)], fill=(90, 40, 40), width=2)
    for i in range(5):
        y = 38 + i * 8
        draw.line([(36, y), (64, y - 6)], fill=(160, 120, 120))
        draw.line([(76, y - 6), (104, y)], fill=(160, 120, 120))
    ramp = [(40 + 3 * i, 170 - i, 60 + 4 * i) for i in range(40)]
    draw_logo_arrow(draw, (334, 14, 390, 74), 5, ramp)
    serif = "/usr/share/fonts/truetype/liberation/LiberationSerif-Bold.ttf"
    try:
        title = ImageFont.truetype(serif, 40)
        small = ImageFont.truetype(serif, 16)
    except OSError:
        title = small = ImageFont.load_default()
    draw.text((132, 26), "Vartolik 1.0", font=title, fill=(120, 20, 20))
    draw.text((134, 74), "Hindi \u2194 Russian dictionary", font=small, fill=(40, 20, 90))
    return img


def icon_picture(size):
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    draw = ImageDraw.Draw(img)
    k = size / 48
    draw.rounded_rectangle([1 * k, 1 * k, 46 * k, 46 * k], radius=8 * k,
                           fill=(232, 120, 190, 255), outline=(110, 20, 70, 255))
    draw.polygon([(8 * k, 34 * k), (24 * k, 30 * k), (40 * k, 34 * k), (40 * k, 14 * k),
                  (24 * k, 10 * k), (8 * k, 14 * k)], fill=(252, 250, 240, 255),
                 outline=(80, 30, 30, 255))
    draw.line([(24 * k, 10 * k), (24 * k, 30 * k)], fill=(80, 30, 30, 255), width=max(1, int(k)))
    ramp = [(30, 160, 60, 255), (40, 140, 170, 255), (170, 60, 170, 255)]
    draw_logo_arrow(draw, (10 * k, 8 * k, 40 * k, 44 * k), max(2, int(3 * k)), ramp)
    return img


def reduce(img, colours):
    """Indexed pixels and an RGB palette of at most `colours` entries (no dithering)."""
    rgb = img.convert("RGB")
    q = rgb.quantize(colors=colours, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    flat = q.getpalette()[: 3 * colours]
    palette = [tuple(flat[i:i + 3]) for i in range(0, len(flat), 3)]
    palette += [(0, 0, 0)] * (colours - len(palette))
    return list(q.getdata()), palette


def dib_bytes(width, height, bits, indices, palette, entries, mask=None):
    """A bottom-up DIB: BITMAPINFOHEADER, palette, pixel rows (and an AND mask for icons)."""
    row_bytes = ((width * bits + 31) // 32) * 4
    pixels = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray(row_bytes)
        for x in range(width):
            v = indices[y * width + x]
            if bits == 8:
                row[x] = v
            else:  # 4 bits: high nibble first
                row[x // 2] |= v << 4 if x % 2 == 0 else v
        pixels += row
    header_height = height * 2 if mask is not None else height
    header = struct.pack("<IiiHHIIiiII", 40, width, header_height, 1, bits, 0,
                         len(pixels), 2835, 2835, entries if mask is None else 0, 0)
    pal = bytearray()
    for r, g, b in palette[:entries]:
        pal += bytes((b, g, r, 0))
    body = header + bytes(pal) + bytes(pixels)
    if mask is not None:
        mask_row = ((width + 31) // 32) * 4
        m = bytearray()
        for y in range(height - 1, -1, -1):
            row = bytearray(mask_row)
            for x in range(width):
                if mask[y * width + x]:
                    row[x // 8] |= 0x80 >> (x % 8)
            m += row
        body += bytes(m)
    return body


def write_bmp(path, img):
    indices, palette = reduce(img, PALETTE_ENTRIES)
    dib = dib_bytes(img.width, img.height, 8, indices, palette, PALETTE_ENTRIES)
    offset = 14 + 40 + 4 * PALETTE_ENTRIES
    path.write_bytes(struct.pack("<2sIHHI", b"BM", 14 + len(dib), 0, 0, offset) + dib)


def write_ico(path, images):
    """images: list of (RGBA picture, bits per pixel); 4 bits gives 16 colours, 8 gives 256."""
    entries, blobs = [], []
    for img, bits in images:
        colours = 1 << bits
        indices, palette = reduce(img, colours)
        transparent = [a < 128 for a in img.getchannel("A").getdata()]
        indices = [0 if t else i for i, t in zip(indices, transparent)]
        blobs.append(dib_bytes(img.width, img.height, bits, indices, palette, colours,
                               mask=transparent))
        entries.append((img.width, img.height, colours if colours < 256 else 0, bits))
    offset = 6 + 16 * len(images)
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    for (w, h, count, bits), blob in zip(entries, blobs):
        out += struct.pack("<BBBBHHII", w, h, count, 0, 1, bits, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    path.write_bytes(bytes(out))


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_images.py OUTPUT_FOLDER")
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    write_bmp(out / "mybp.bmp", paper_texture())
    write_bmp(out / "about.bmp", about_picture())
    write_ico(out / "vartolik.ico", [(icon_picture(32), 4), (icon_picture(48), 8)])


if __name__ == "__main__":
    main()
