#!/usr/bin/env python3
"""Draws Velmor's binary resources: the application icon (and its PNG copy for the Linux
desktop), the eight class portraits, the About picture and the About chime.

    scripts/make-resources.py               writes the files under src/res/
    scripts/make-resources.py --png OUTDIR  also writes enlarged PNG previews to OUTDIR

Standard library only; the output is byte-for-byte the same on every run.
"""
import argparse
import math
import os
import struct
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RES = os.path.join(ROOT, "src", "res")

# ---------------------------------------------------------------------------
# Shapes are predicates over pixel-centre coordinates; colours are RGB tuples or
# functions of (x, y) returning one.


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def polygon(pts):
    def inside(x, y):
        hit, j = False, len(pts) - 1
        for i, (xi, yi) in enumerate(pts):
            xj, yj = pts[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                hit = not hit
            j = i
        return hit
    return inside


def segment(x0, y0, x1, y1, width):
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy or 1.0

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        ex, ey = x - x0 - t * dx, y - y0 - t * dy
        return ex * ex + ey * ey <= width * width / 4.0
    return inside


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def inter(*shapes):
    return lambda x, y: all(s(x, y) for s in shapes)


def minus(a, b):
    return lambda x, y: a(x, y) and not b(x, y)


def turn(shape, cx, cy, degrees):
    """The shape rotated clockwise (on screen) by `degrees` about (cx, cy)."""
    c, s = math.cos(math.radians(degrees)), math.sin(math.radians(degrees))
    return lambda x, y: shape(cx + (x - cx) * c + (y - cy) * s,
                              cy - (x - cx) * s + (y - cy) * c)


def arc_points(cx, cy, r, a0, a1, n):
    """n + 1 points on a circle from angle a0 to a1 (degrees, clockwise from +x)."""
    return [(cx + r * math.cos(math.radians(a0 + (a1 - a0) * i / n)),
             cy + r * math.sin(math.radians(a0 + (a1 - a0) * i / n))) for i in range(n + 1)]


def mix(c0, c1, t):
    t = max(0.0, min(1.0, t))
    return tuple(round(a + (b - a) * t) for a, b in zip(c0, c1))


def vgrad(c0, c1, y0, y1, steps=8):
    """Top-to-bottom banded gradient; the bands keep the palette small."""
    return lambda x, y: mix(c0, c1, math.floor((y - y0) / (y1 - y0) * steps) / (steps - 1))


def radial(cx, cy, r, c0, c1, steps=6):
    """Banded gradient from c0 at (cx, cy) to c1 at distance r."""
    return lambda x, y: mix(c0, c1, math.floor(math.hypot(x - cx, y - cy) / r * steps) / (steps - 1))


class Canvas:
    def __init__(self, w, h, fill=None):
        self.w, self.h = w, h
        self.px = [[fill] * w for _ in range(h)]

    def paint(self, shape, colour, outline=None):
        """Fills the pixels whose centres lie in `shape`; `outline` first rings them by one pixel."""
        hits = [(x, y) for y in range(self.h) for x in range(self.w) if shape(x + 0.5, y + 0.5)]
        if outline:
            inside = set(hits)
            for x, y in hits:
                for nx in (x - 1, x, x + 1):
                    for ny in (y - 1, y, y + 1):
                        if 0 <= nx < self.w and 0 <= ny < self.h and (nx, ny) not in inside:
                            self.px[ny][nx] = outline
        for x, y in hits:
            self.px[y][x] = colour(x + 0.5, y + 0.5) if callable(colour) else colour

    def frame(self, outer, inner):
        w, h = self.w, self.h
        self.paint(minus(rect(0, 0, w, h), rect(1, 1, w - 1, h - 1)), outer)
        self.paint(minus(rect(1, 1, w - 1, h - 1), rect(2, 2, w - 2, h - 2)), inner)

# ---------------------------------------------------------------------------
# File formats: 8-bit palettized DIBs inside .ico and .bmp, 16-bit PCM WAVE, PNG previews.


def palette_of(canvas):
    """Palette index 0 is black (transparent pixels); other colours follow in scan order."""
    colours = [(0, 0, 0)]
    for row in canvas.px:
        for c in row:
            if c is not None and c not in colours:
                colours.append(c)
    if len(colours) > 256:
        raise ValueError("%d colours do not fit a 256-colour palette" % len(colours))
    index = {c: i for i, c in enumerate(colours)}
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)
    return index, table + bytes(4 * (256 - len(colours)))


def info_header(w, h, image_size, ppm):
    return struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 0, image_size, ppm, ppm, 0, 0)


def pixel_rows(canvas, index):
    """The 8-bit rows bottom-up, each padded to a multiple of four bytes."""
    pad = bytes(-canvas.w % 4)
    return b"".join(bytes(index.get(c, 0) for c in row) + pad for row in reversed(canvas.px))


def mask_rows(canvas):
    """The 1-bit AND mask bottom-up: a set bit lets the screen show through."""
    stride = (canvas.w + 31) // 32 * 4
    out = bytearray()
    for row in reversed(canvas.px):
        bits = bytearray(stride)
        for x, c in enumerate(row):
            if c is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        out += bits
    return bytes(out)


def ico_bytes(canvas):
    index, table = palette_of(canvas)
    body = pixel_rows(canvas, index) + mask_rows(canvas)
    image = info_header(canvas.w, 2 * canvas.h, len(body), 0) + table + body
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", canvas.w, canvas.h, 0, 0, 1, 8, len(image), 6 + 16)
    return directory + entry + image


def bmp_bytes(canvas):
    index, table = palette_of(canvas)
    body = pixel_rows(canvas, index)
    offset = 14 + 40 + len(table)
    head = struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset)
    return head + info_header(canvas.w, canvas.h, len(body), 2835) + table + body


def wav_bytes(samples, rate):
    data = struct.pack("<%dh" % len(samples), *samples)
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate * 2, 2, 16)
    return (b"RIFF" + struct.pack("<I", 4 + 8 + len(fmt) + 8 + len(data)) + b"WAVE"
            + b"fmt " + struct.pack("<I", len(fmt)) + fmt
            + b"data" + struct.pack("<I", len(data)) + data)


def png_bytes(canvas, scale):
    """An enlarged RGB preview; transparent pixels show as a grey checkerboard."""
    raw = bytearray()
    for y in range(canvas.h * scale):
        raw.append(0)
        for x in range(canvas.w * scale):
            c = canvas.px[y // scale][x // scale]
            if c is None:
                c = (200, 200, 200) if (x // 4 + y // 4) % 2 else (150, 150, 150)
            raw += bytes(c)

    def chunk(kind, payload):
        return (struct.pack(">I", len(payload)) + kind + payload
                + struct.pack(">I", zlib.crc32(kind + payload) & 0xFFFFFFFF))
    ihdr = struct.pack(">IIBBBBB", canvas.w * scale, canvas.h * scale, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))

def png_icon(canvas):
    """The picture at its own size with transparency: the Linux desktop's copy of an icon."""
    raw = bytearray()
    for row in canvas.px:
        raw.append(0)
        for c in row:
            raw += bytes((0, 0, 0, 0)) if c is None else bytes(c) + b"\xff"

    def chunk(kind, payload):
        return (struct.pack(">I", len(payload)) + kind + payload
                + struct.pack(">I", zlib.crc32(kind + payload) & 0xFFFFFFFF))
    ihdr = struct.pack(">IIBBBBB", canvas.w, canvas.h, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))

# ---------------------------------------------------------------------------
# Drawings.

INK = (16, 12, 14)
BONE = (232, 224, 200)
STEEL, STEEL_LIGHT, STEEL_DARK = (170, 176, 186), (232, 236, 242), (96, 100, 112)
WOOD, WOOD_DARK = (132, 84, 40), (84, 50, 22)
BLOOD, BLOOD_DARK = (200, 28, 24), (120, 12, 12)
GOLD, GOLD_DARK = (236, 188, 56), (150, 104, 20)


def heater_shield(x0, y0, x1, y1):
    """A shield outline: flat top, straight sides to mid height, curving to a bottom point."""
    cx, mid = (x0 + x1) / 2, y0 + (y1 - y0) * 0.45
    ctrl_y = y1 - (y1 - mid) * 0.25
    right = [((1 - t) ** 2 * x1 + 2 * t * (1 - t) * x1 + t * t * cx,
              (1 - t) ** 2 * mid + 2 * t * (1 - t) * ctrl_y + t * t * y1)
             for t in (i / 12 for i in range(12))]
    left = [(2 * cx - x, y) for x, y in reversed(right)]
    return polygon([(x0, y0), (x1, y0)] + right + [(cx, y1)] + left)


def portrait(dark, light, accent):
    """A 48 x 48 portrait background: banded glow in the class colour and a 2-pixel frame."""
    c = Canvas(48, 48)
    c.paint(rect(0, 0, 48, 48), radial(24, 20, 34, light, dark, 7))
    c.frame(INK, accent)
    return c


def draw_app():
    c = Canvas(32, 32)
    shield = heater_shield(3, 2, 29, 31)
    c.paint(shield, vgrad((150, 150, 158), (74, 74, 84), 2, 31, 6))
    c.paint(minus(shield, heater_shield(5, 4, 27, 28.5)), (46, 44, 52))
    v = polygon([(7, 7), (12.5, 7), (16, 19), (19.5, 7), (25, 7), (17.5, 26), (14.5, 26)])
    c.paint(v, vgrad(BLOOD, BLOOD_DARK, 7, 26, 4), outline=INK)
    c.paint(polygon([(8.5, 8), (11.5, 8), (15.5, 21), (15, 22.5)]), (246, 92, 72))
    return c


def draw_amazon():
    c = portrait((16, 70, 24), (70, 170, 70), (150, 220, 120))
    bow = inter(minus(circle(33, 24, 20), circle(33, 24, 17.5)), rect(0, 6, 26, 42))
    string = union(segment(24.5, 6.5, 35, 24, 1), segment(35, 24, 24.5, 41.5, 1))
    arrow = union(segment(10, 24, 37, 24, 1.6),
                  polygon([(5, 24), (12, 19.5), (10.5, 24), (12, 28.5)]))
    fletch = union(polygon([(29, 23.2), (32, 20), (39, 20), (37, 23.2)]),
                   polygon([(29, 24.8), (32, 28), (39, 28), (37, 24.8)]))
    c.paint(turn(string, 24, 24, 35), (236, 232, 210))
    c.paint(turn(bow, 24, 24, 35), WOOD, outline=WOOD_DARK)
    c.paint(turn(fletch, 24, 24, 35), BLOOD, outline=BLOOD_DARK)
    c.paint(turn(arrow, 24, 24, 35), STEEL_LIGHT, outline=INK)
    return c


def draw_sorceress():
    c = portrait((8, 18, 80), (40, 90, 200), (120, 170, 255))
    c.paint(circle(24, 25, 16), (70, 130, 230))
    c.paint(circle(24, 25, 12), radial(20, 21, 16, (250, 252, 255), (30, 70, 190), 6),
            outline=(10, 20, 90))
    bolt = polygon([(31, 4), (18, 22), (25, 23), (14, 44), (33, 19), (26, 18), (36, 4)])
    c.paint(bolt, (255, 240, 120), outline=(40, 30, 10))
    return c


def draw_necromancer():
    c = portrait((22, 6, 34), (88, 40, 120), (170, 120, 210))
    for a in (45, -45):
        bone = union(segment(9, 24, 39, 24, 4), circle(8, 22, 2.6), circle(8, 26, 2.6),
                     circle(40, 22, 2.6), circle(40, 26, 2.6))
        c.paint(turn(bone, 24, 28, a), (206, 198, 172), outline=INK)
    skull = union(circle(24, 20, 12), rect(17, 24, 31, 35))
    c.paint(skull, BONE, outline=INK)
    for ex in (19, 29):
        c.paint(ellipse(ex, 22, 3.6, 4.2), INK)
    c.paint(polygon([(24, 26), (22, 30.5), (26, 30.5)]), INK)
    c.paint(rect(18, 31, 30, 32), INK)
    for tx in (20, 23, 26, 29):
        c.paint(rect(tx, 32, tx + 1, 35), INK)
    return c


def draw_paladin():
    c = portrait((110, 70, 8), (250, 210, 90), (255, 240, 170))
    shield = heater_shield(10, 6, 38, 43)
    c.paint(shield, vgrad(GOLD, GOLD_DARK, 6, 43, 5), outline=INK)
    c.paint(minus(shield, heater_shield(12.5, 8.5, 35.5, 39.5)), (255, 226, 120))
    cross = union(rect(21.5, 11, 26.5, 37), rect(14, 18, 34, 23))
    c.paint(cross, (250, 250, 244), outline=(90, 60, 10))
    return c


def draw_barbarian():
    c = portrait((70, 6, 4), (200, 50, 30), (250, 130, 90))
    rim = arc_points(23, 20, 15, -40, 40, 8)
    blade_r = polygon([(25, 17), (34, 10)] + rim + [(34, 30), (25, 23)])
    blade_l = polygon([(48 - x, y) for x, y in [(25, 17), (34, 10)] + rim + [(34, 30), (25, 23)]])
    blades = union(blade_r, blade_l)
    axe = lambda shape: turn(shape, 24, 26, 35)
    c.paint(axe(segment(24, 12, 24, 46, 3.5)), WOOD, outline=INK)
    c.paint(axe(blades), STEEL, outline=INK)
    c.paint(axe(minus(blades, circle(24, 20, 12.5))), STEEL_LIGHT)
    c.paint(axe(rect(21, 16, 27, 24)), STEEL_DARK, outline=INK)
    c.paint(axe(union(*[rect(22, y, 26, y + 1) for y in (36, 39, 42)])), WOOD_DARK)
    return c


def draw_druid():
    c = portrait((44, 26, 10), (140, 96, 50), (196, 160, 100))
    leaf = inter(circle(10.5, 23, 22.5), circle(37.5, 23, 22.5))
    veins = [segment(24, 7, 24, 39, 1.3)]
    for vy in (13, 19, 25, 31):
        veins += [segment(24, vy + 4, 17, vy, 1), segment(24, vy + 4, 31, vy, 1)]
    twig = lambda shape: turn(shape, 24, 24, 40)
    c.paint(twig(segment(24, 38, 24, 45, 2.4)), (90, 130, 40), outline=INK)
    c.paint(twig(leaf), vgrad((120, 200, 64), (30, 100, 30), 5, 41, 5), outline=INK)
    c.paint(twig(inter(union(*veins), leaf)), (196, 236, 128))
    return c


def draw_assassin():
    c = portrait((4, 2, 8), (70, 30, 100), (150, 80, 200))
    blades = [polygon([(x - 2.5, 29), (x - 2, 14), (x + 1, 4), (x + 2.5, 29)]) for x in (17, 24, 31)]
    edges = [polygon([(x - 2.5, 29), (x - 2, 14), (x + 1, 4), (x, 29)]) for x in (17, 24, 31)]
    katar = lambda shape: turn(shape, 24, 26, 30)
    c.paint(katar(union(*blades)), STEEL, outline=INK)
    c.paint(katar(union(*edges)), STEEL_LIGHT)
    c.paint(katar(union(rect(14, 33, 17, 45), rect(31, 33, 34, 45))), (60, 40, 72), outline=INK)
    c.paint(katar(rect(17, 37, 31, 41)), (44, 28, 36), outline=INK)
    c.paint(katar(rect(11, 29, 37, 33)), (140, 70, 200), outline=INK)
    return c


def draw_warlock():
    c = portrait((6, 30, 24), (40, 150, 112), (150, 236, 196))
    c.paint(circle(24, 18, 13), (30, 104, 80))
    c.paint(minus(circle(24, 18, 12), circle(24, 18, 10.5)), (120, 230, 170))
    flame = union(circle(24, 22, 5.5), polygon([(18.7, 21), (24, 5), (29.3, 21)]),
                  polygon([(19, 20), (15.5, 12), (22, 18)]), polygon([(29, 20), (32.5, 12), (26, 18)]))
    c.paint(flame, radial(24, 21, 10, (250, 255, 220), (60, 200, 110), 5), outline=(10, 50, 30))
    pages = [polygon([(24, 32), (8, 28), (8, 40), (24, 44)]),
             polygon([(24, 32), (40, 28), (40, 40), (24, 44)])]
    c.paint(polygon([(24, 34), (6, 30), (6, 42), (24, 46), (42, 42), (42, 30)]), (90, 30, 40),
            outline=INK)
    c.paint(union(*pages), vgrad(BONE, (190, 176, 140), 28, 44, 4), outline=INK)
    c.paint(segment(24, 32, 24, 44, 1), (120, 100, 70))
    for y in (32.5, 35.5, 38.5):
        c.paint(union(segment(11, y, 21, y + 2.2, 0.8), segment(27, y + 2.2, 37, y, 0.8)),
                (150, 136, 110))
    return c


def draw_about():
    rnd = 12345
    c = Canvas(96, 64)
    c.paint(rect(0, 0, 96, 64), vgrad((6, 6, 22), (40, 34, 70), 0, 48, 8))
    for _ in range(40):
        rnd = (rnd * 1103515245 + 12345) & 0x7FFFFFFF
        x, y = rnd % 96, (rnd >> 8) % 40
        c.paint(rect(x, y, x + 1, y + 1), (200, 200, 230) if rnd & 0x10000 else (130, 130, 170))
    c.paint(circle(72, 15, 11), (120, 110, 90))
    c.paint(circle(72, 15, 9), radial(69, 12, 10, (255, 250, 220), (210, 200, 160), 4))
    for cx, cy, r in ((68, 17, 2), (75, 11, 1.5), (76, 19, 1.2)):
        c.paint(circle(cx, cy, r), (196, 186, 150))
    c.paint(ellipse(70, 62, 40, 14), (34, 30, 48))
    c.paint(ellipse(48, 70, 70, 16), (22, 24, 30))
    tower = union(rect(18, 16, 40, 58), *[rect(x, 12, x + 4, 16) for x in (18, 24.5, 31, 36)])
    c.paint(tower, vgrad((96, 94, 104), (44, 42, 52), 12, 58, 6), outline=(10, 10, 16))
    for y in range(20, 58, 5):
        c.paint(rect(18, y, 40, y + 1), (36, 34, 44))
        for x in range(20 + (y // 5 % 2) * 4, 40, 8):
            c.paint(rect(x, y + 1, x + 1, y + 5), (36, 34, 44))
    c.paint(union(rect(26, 46, 32, 58), circle(29, 46, 3)), (18, 12, 10))
    c.paint(union(rect(27, 24, 31, 31), circle(29, 24, 2)), (250, 170, 40), outline=(18, 12, 10))
    c.paint(segment(29, 2, 29, 13, 1), (60, 50, 40))
    c.paint(polygon([(29.5, 3), (41, 5), (29.5, 8.5)]), BLOOD, outline=BLOOD_DARK)
    v = polygon([(62, 39), (67, 39), (71, 50), (75, 39), (80, 39), (72.5, 59), (69.5, 59)])
    c.paint(v, vgrad((240, 60, 40), BLOOD_DARK, 39, 59, 4), outline=INK)
    return c


def chime(rate=22050, count=17640):
    """A soft bell: a fundamental and two inharmonic upper partials, each decaying on its
    own, with a 6 ms attack and a 100 ms fade-out, scaled to a peak of half full scale."""
    partials = ((880.0, 1.0, 0.30), (880.0 * 2.76, 0.45, 0.10), (880.0 * 5.40, 0.12, 0.05))
    wave = []
    for n in range(count):
        t = n / rate
        v = sum(a * math.exp(-t / tau) * math.sin(2 * math.pi * f * t) for f, a, tau in partials)
        v *= min(1.0, t / 0.006) * min(1.0, (count - 1 - n) / (0.1 * rate))
        wave.append(v)
    peak = max(abs(v) for v in wave)
    return [round(v / peak * 16384) for v in wave]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--png", metavar="OUTDIR", help="also write enlarged PNG previews")
    args = parser.parse_args()

    images = [("icons/app.ico", draw_app), ("icons/amazon.ico", draw_amazon),
              ("icons/sorceress.ico", draw_sorceress), ("icons/necromancer.ico", draw_necromancer),
              ("icons/paladin.ico", draw_paladin), ("icons/barbarian.ico", draw_barbarian),
              ("icons/druid.ico", draw_druid), ("icons/assassin.ico", draw_assassin),
              ("icons/warlock.ico", draw_warlock),
              ("about.bmp", draw_about)]
    outputs = {}
    for name, draw in images:
        canvas = draw()
        outputs[name] = ico_bytes(canvas) if name.endswith(".ico") else bmp_bytes(canvas)
        if name == "icons/app.ico":
            outputs["icons/app.png"] = png_icon(canvas)
        if args.png:
            os.makedirs(args.png, exist_ok=True)
            stem = os.path.splitext(os.path.basename(name))[0]
            with open(os.path.join(args.png, stem + ".png"), "wb") as f:
                f.write(png_bytes(canvas, 8 if canvas.w <= 48 else 6))
    outputs["about.wav"] = wav_bytes(chime(), 22050)

    for name, data in outputs.items():
        path = os.path.join(RES, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
        print("wrote %s (%d bytes)" % (os.path.relpath(path, ROOT), len(data)))


if __name__ == "__main__":
    main()
