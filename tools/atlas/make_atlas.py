#!/usr/bin/env python3
"""Paints the HUD atlas devdata/game.png and the panel corner devdata/round.png,
and the second atlas devdata/game2.png (results and menus, records_painters.py),
and the title atlas devdata/title.png (title_painters.py), and the title's side
panels devdata/title2.png (panels_painters.py).

Usage: python3 tools/atlas/make_atlas.py [repo root [language code ...]]

Every atlas that holds words is painted once more for each language with a
caption table in tools/lang/captions/<code>.json, into devdata/lang/<code>/,
rectangle for rectangle as the English one (a longer caption is painted
smaller, never outside its rectangle).

Fixed regions that the game code addresses by constant (digit strips, pole
labels, tap ring, clock-face texels) are painted at exactly those pixels.
Widget regions come from devdata/params.json: every widget object whose
"texture" is "devdata/game.png" is painted into its "uv"/"size" rectangle by
the painter registered under its name in painters.py. The output depends only
on the parameter file, the fonts in devdata/fonts and this code.
"""
import json
import math
import os
import sys

from PIL import Image, ImageDraw, ImageFont

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import painters  # noqa: E402
import round_painters  # noqa: E402
import records_painters  # noqa: E402
import title_painters  # noqa: E402
import demo_painters  # noqa: E402
import panels_painters  # noqa: E402

ATLAS = "devdata/game.png"
ATLAS_SIZE = (1024, 512)
DISPLAY_FONT = "devdata/fonts/Comfortaa-Bold.ttf"
TEXT_FONT = "devdata/fonts/Inter-SemiBold.otf"

# Digit strips: glyph g in column g // 5, row g % 5 of cells from the origin.
LARGE = {"origin": (2, 2), "cell": (43, 69), "size": 52, "stroke": 3}
SMALL = {"origin": (132, 2), "cell": (25, 40), "size": 30, "stroke": 2}
DIGIT_GLYPHS = {**{g: str(g) for g in range(10)}, 10: ".", 11: "-", 13: "%"}

POLE_LABELS = {"N": (365, 68, 31, 40), "S": (396, 68, 26, 40)}
TAP_RING = (305, 75, 57, 57)
CLOCK_CENTRE = (468, 6)
CLOCK_RIM = (508, 8)
CLOCK_CENTRE_COLOUR = (255, 255, 255, 235)
CLOCK_RIM_COLOUR = (255, 196, 64, 255)  # the warm accent

ROUND = "devdata/round.png"
# A rounded box may be up to twice the image in each direction (the place-name
# box is at most as wide as the room between the HUD panels, under 600 units).
ROUND_SIZE = (512, 512)


class Context:
    white = (255, 255, 255, 255)
    outline = (16, 20, 28, 255)
    accent = CLOCK_RIM_COLOUR

    def __init__(self, root, captions=None, language="en"):
        self.root = root
        self._fonts = {}
        self.captions = captions  # key -> painted text; None paints the English
        self.language = language

    def text(self, caption):
        """The words to paint: a plain string is painted as it is (names such as
        "GLOB"); a (key, English) pair comes from the language's caption table,
        which must have it, so no English word slips into a translated atlas."""
        if isinstance(caption, str):
            return caption
        key, english = caption
        if self.captions is None:
            return english
        if key not in self.captions:
            sys.exit(f"atlas: caption \"{key}\" ({english}) has no {self.language} translation")
        return self.captions[key]

    def fitted(self, face, size, text, width, stroke=0, spacing=0):
        """The font at size, or smaller until text (letters spaced by spacing)
        is no wider than width: a longer translation shrinks, never overflows."""
        while True:
            font = self.font(face, size)
            if spacing:
                ink = sum(font.getbbox(ch, stroke_width=stroke)[2] -
                          font.getbbox(ch, stroke_width=stroke)[0] for ch in text)
                ink += spacing * (len(text) - 1)
            else:
                x0, _, x1, _ = font.getbbox(text, stroke_width=stroke)
                ink = x1 - x0
            if ink <= width or size <= 7:
                return font
            size -= 1

    def font(self, face, size):
        path = DISPLAY_FONT if face == "display" else TEXT_FONT
        key = (path, size)
        if key not in self._fonts:
            self._fonts[key] = ImageFont.truetype(os.path.join(self.root, path), size)
        return self._fonts[key]

    def fit_text(self, image, box, text, face="display", size=None, stroke=2):
        """White text with a dark outline, as large as fits, centred in box."""
        text = self.text(text)
        left, top, w, h = box
        size = size or h
        while size > 6:
            font = self.font(face, size)
            x0, y0, x1, y1 = font.getbbox(text, stroke_width=stroke)
            if x1 - x0 <= w - 2 and y1 - y0 <= h - 2:
                break
            size -= 1
        x0, y0, x1, y1 = font.getbbox(text, stroke_width=stroke)
        layer = Image.new("RGBA", image.size, (0, 0, 0, 0))
        ImageDraw.Draw(layer).text(
            (left + (w - (x1 - x0)) / 2 - x0, top + (h - (y1 - y0)) / 2 - y0), text, font=font,
            fill=self.white, stroke_width=stroke, stroke_fill=self.outline)
        image.alpha_composite(layer.crop((left, top, left + w, top + h)), (left, top))


def paint_digit_strip(image, ctx, strip):
    ox, oy = strip["origin"]
    cw, ch = strip["cell"]
    stroke = strip["stroke"]
    size = strip["size"]
    font = ctx.font("display", size)
    # One baseline for all glyphs of a strip so digits line up; "0" sets it.
    _, zy0, _, zy1 = font.getbbox("0", stroke_width=stroke)
    baseline_shift = (ch - (zy1 - zy0)) / 2 - zy0
    for glyph, text in DIGIT_GLYPHS.items():
        left = ox + (glyph // 5) * cw
        top = oy + (glyph % 5) * ch
        gsize = size
        while True:  # the percent sign is wider than a digit cell at full size
            f = ctx.font("display", gsize)
            x0, _, x1, _ = f.getbbox(text, stroke_width=stroke)
            if x1 - x0 <= cw - 1 or gsize <= 8:
                break
            gsize -= 1
        x0, y0, x1, y1 = f.getbbox(text, stroke_width=stroke)
        cell = Image.new("RGBA", (cw, ch), (0, 0, 0, 0))
        y = baseline_shift if gsize == size else (ch - (y1 - y0)) / 2 - y0
        ImageDraw.Draw(cell).text(((cw - (x1 - x0)) / 2 - x0, y), text, font=f, fill=ctx.white,
                                  stroke_width=stroke, stroke_fill=ctx.outline)
        image.alpha_composite(cell, (left, top))


def smoothstep(e0, e1, x):
    t = min(1.0, max(0.0, (x - e0) / (e1 - e0)))
    return t * t * (3 - 2 * t)


def paint_tap_ring(image, box):
    """A white ring with a soft glow; the game tints it red on a miss."""
    left, top, w, h = box
    cx, cy = (w - 1) / 2, (h - 1) / 2
    outer = w / 2 - 1.5
    for y in range(h):
        for x in range(w):
            d = math.hypot(x - cx, y - cy)
            ring = smoothstep(outer, outer - 1.5, d) * smoothstep(outer - 8.5, outer - 7.0, d)
            glow = 0.35 * smoothstep(outer + 1.5, outer - 14.0, d) * smoothstep(0.0, outer - 6.0, d)
            alpha = max(ring, glow)
            image.putpixel((left + x, top + y), (255, 255, 255, int(round(alpha * 255))))


def paint_clock_gradient(image):
    """The clock face is a fan whose centre samples CLOCK_CENTRE and whose rim
    samples CLOCK_RIM, so every texel on the way between them shows up across
    the face: paint a band that runs from one colour to the other, holding each
    end colour for a few texels so linear filtering at the ends stays exact."""
    (x0, y0), (x1, y1) = CLOCK_CENTRE, CLOCK_RIM
    top, bottom = min(y0, y1) - 4, max(y0, y1) + 4
    for x in range(x0 - 4, min(image.size[0], x1 + 5)):
        t = min(1.0, max(0.0, (x - x0) / (x1 - x0)))
        colour = tuple(int(round(a + (b - a) * t)) for a, b in zip(CLOCK_CENTRE_COLOUR,
                                                                   CLOCK_RIM_COLOUR))
        for y in range(max(0, top), bottom + 1):
            image.putpixel((x, y), colour)


def find_widgets(node, out, path=()):
    if isinstance(node, dict):
        if isinstance(node.get("uv"), list) and isinstance(node.get("size"), list):
            out.append((path[-1] if path else "", node, "/".join(path)))
            return
        for key in sorted(node):
            find_widgets(node[key], out, path + (key,))
    elif isinstance(node, list):
        for i, item in enumerate(node):
            find_widgets(item, out, path + (str(i),))


def overlaps(a, b):
    return a[0] < b[0] + b[2] and b[0] < a[0] + a[2] and a[1] < b[1] + b[3] and b[1] < a[1] + a[3]


def fixed_regions():
    regions = []
    for strip, name in ((LARGE, "large digits"), (SMALL, "small digits")):
        ox, oy = strip["origin"]
        cw, ch = strip["cell"]
        regions.append((name, (ox, oy, 3 * cw, 5 * ch)))
    regions += [("pole label " + k, v) for k, v in POLE_LABELS.items()]
    regions.append(("tap ring", TAP_RING))
    (cx, cy), (rx, ry) = CLOCK_CENTRE, CLOCK_RIM
    regions.append(("clock face gradient", (cx - 4, min(cy, ry) - 4, rx - cx + 9,
                                            abs(ry - cy) + 9)))
    return regions


def make_game_atlas(root, params, ctx):
    image = Image.new("RGBA", ATLAS_SIZE, (0, 0, 0, 0))
    paint_digit_strip(image, ctx, LARGE)
    paint_digit_strip(image, ctx, SMALL)
    for text, box in POLE_LABELS.items():
        ctx.fit_text(image, box, ("pole." + text.lower(), text), "display", stroke=3)
    paint_tap_ring(image, TAP_RING)
    paint_clock_gradient(image)

    regions = fixed_regions()
    widgets = []
    find_widgets(params, widgets)
    painted = {}
    for name, widget, where in widgets:
        if widget.get("texture") != ATLAS:
            continue
        try:
            box = tuple(int(round(float(v))) for v in (widget["uv"][0], widget["uv"][1],
                                                       widget["size"][0], widget["size"][1]))
        except (IndexError, TypeError, ValueError):
            print(f"atlas: widget {where}: unreadable \"uv\" or \"size\"", file=sys.stderr)
            continue
        if box[0] < 0 or box[1] < 0 or box[0] + box[2] > ATLAS_SIZE[0] or \
                box[1] + box[3] > ATLAS_SIZE[1]:
            print(f"atlas: widget {where}: rectangle {box} leaves the atlas", file=sys.stderr)
            continue
        if painted.get(box) == name:
            continue  # the same widget shared by two sets
        for other, obox in regions:
            if overlaps(box, obox) and obox != box:
                print(f"atlas: widget {where} {box} overlaps {other} {obox}", file=sys.stderr)
        painter = painters.PAINTERS.get(name)
        if painter is None:
            print(f"atlas: no painter for widget {where}; painted a placeholder", file=sys.stderr)
            painter = painters.placeholder
        painter(image, box, ctx)
        painted[box] = name
        regions.append((where, box))
    return image


def make_round():
    """The panel corner: one quarter of a HUD panel (fill, light edge, corner
    radius), so boxes built from it match the panels in the atlas."""
    return round_painters.panel_quarter(ROUND_SIZE)


def word_atlases(root, params, ctx):
    """(file, image) of every atlas that holds words, painted in ctx's language."""
    return [
        (ATLAS, make_game_atlas(root, params, ctx)),
        (records_painters.ATLAS, records_painters.make_game2(params, ctx, find_widgets,
                                                             painters.placeholder)),
        (title_painters.ATLAS, title_painters.make_title(params, ctx, find_widgets,
                                                         painters.placeholder)),
        (demo_painters.ATLAS, demo_painters.make_demo(params, ctx, find_widgets,
                                                      painters.placeholder)),
        (panels_painters.ATLAS, panels_painters.make_title2(params, ctx, find_widgets,
                                                            painters.placeholder)),
    ]


def save(image, path):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    image.save(path, optimize=False, compress_level=9)


def main():
    """With language codes after the root, only those languages' atlases are
    painted ("en" for the English ones in devdata/)."""
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else
                           os.path.join(os.path.dirname(__file__), "..", ".."))
    only = sys.argv[2:]
    with open(os.path.join(root, "devdata/params.json"), encoding="utf-8") as f:
        params = json.load(f)
    if not only or "en" in only:
        ctx = Context(root)
        for name, image in word_atlases(root, params, ctx):
            save(image, os.path.join(root, name))
        save(make_round(), os.path.join(root, ROUND))
        print(f"wrote {ATLAS}, {records_painters.ATLAS}, {title_painters.ATLAS}, "
              f"{demo_painters.ATLAS}, {panels_painters.ATLAS} and {ROUND}")
    # Each language's atlases keep the English layout, so the parameters hold
    # for all of them; the game loads devdata/lang/<code>/<file> in their place.
    for code, captions in captions_by_language(root).items():
        if only and code not in only:
            continue
        ctx = Context(root, captions, code)
        for name, image in word_atlases(root, params, ctx):
            save(image, os.path.join(root, "devdata", "lang", code, os.path.basename(name)))
        print(f"wrote devdata/lang/{code}/: the same atlases in {code}")


def captions_by_language(root):
    """code -> {caption key: text}, from tools/lang/captions/<code>.json beside
    this tool (the tables travel with the tool, not with the data root)."""
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "lang", "captions")
    tables = {}
    for file in sorted(os.listdir(folder)) if os.path.isdir(folder) else []:
        if file.endswith(".json"):
            with open(os.path.join(folder, file), encoding="utf-8") as f:
                tables[file[:-5]] = json.load(f)
    return tables


if __name__ == "__main__":
    main()
