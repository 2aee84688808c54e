#!/usr/bin/python3
"""Checks that every place name and answer line fits the question box: one
line, or two when wrapped, within the room the HUD panels leave beside the
box, in the game's own font at the game's size. build_places.py runs the check
first and stops the data build on a misfit.

Run from anywhere:  /usr/bin/python3 tools/places/text_fit.py [--update]
(needs python3-pil only). With --update it also rewrites the names, levels
and answer lines in devdata/places.json from the tables here (countries.tsv,
divisions.tsv, hand_drawn.py, lakes.py, seas.py), leaving the outlines alone,
so a change of wording needs none of the map tools.

The box geometry and the wrapping rule repeat game/PlaceBox.h and
game/PlaceBox.cpp; keep them in step (tests/game/PlaceBox_test.cpp checks the
shipped texts with the game's code).
"""
import json
import os
import sys

from PIL import ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))

from hand_drawn import HAND_DRAWN  # noqa: E402
from lakes import LAKES  # noqa: E402
from seas import SEAS  # noqa: E402

# The 2D layout the game draws in (app/Shell.cpp), letter-boxed into any window.
LAYOUT = (960, 640)
# game/PlaceBox.h
TOP = 25.0
PAD_X = 30.0
PAD_Y = 20.0
LINE_GAP = 10.0
PANEL_GAP = 10.0
MAX_LINES = 2
DOT = "\u00b7"


def read_tsv(name):
    rows = []
    with open(os.path.join(HERE, name), encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if line and not line.startswith("#"):
                rows.append(line.split("\t"))
    return rows


def place_rows():
    """(key, name, level, answer) of every place, as build_places.py reads them."""
    rows = [(key, name, int(level), answer)
            for table in ("countries.tsv", "divisions.tsv")
            for _src, key, name, level, answer in read_tsv(table)]
    rows += [(key, name, int(level), answer) for key, name, level, answer, _ in HAND_DRAWN]
    rows += [(key, name, int(level), answer) for key, name, level, answer, _ in LAKES]
    rows += [(key, name, int(level), answer) for key, name, level, answer, *_ in SEAS]
    return rows


class Measure:
    """Widths in the game's place font. PIL's hinted glyph advances make a
    line up to ~9 units wider than the game's FTGL measure, never narrower
    (compared over every shipped text), so what fits here fits in the game."""

    def __init__(self, root, params):
        font = params["fonts"]["place"]
        self.font = ImageFont.truetype(os.path.join(root, font["file"]), int(font["height"]),
                                       layout_engine=ImageFont.Layout.BASIC)
        ascent, descent = self.font.getmetrics()
        self.line_height = ascent + descent

    def __call__(self, text):
        if not text:
            return 0
        x0, _, x1, _ = self.font.getbbox(text)
        return x1 - x0


def hud_panels(params, screen):
    """Rectangles of the game screen's edge-anchored widgets, as gfx/Widget.cpp places them."""
    w, h = screen
    out = []
    for widget in params["game"]["widgets"].values():
        xl, yl = widget.get("x_layout"), widget.get("y_layout")
        if not isinstance(xl, (int, float)) and not isinstance(yl, (int, float)):
            continue
        (x, y), (sw, sh) = widget["pos"], widget["size"]
        centre = widget.get("center")
        left, top = (x - centre[0], y - centre[1]) if isinstance(centre, list) else \
            (x - sw * 0.5, y - sh * 0.5)
        if isinstance(xl, (int, float)):
            left += -(w // 2) if xl <= 0 else w // 2
        if isinstance(yl, (int, float)):
            top += -(h // 2) if yl <= 0 else h // 2
        out.append((left, top, left + sw, top + sh))
    return out


def text_room(panels, screen, line_height):
    rows_top = -(screen[1] // 2) + TOP
    rows_bottom = rows_top + PAD_Y + 2 * MAX_LINES * line_height + LINE_GAP
    half = screen[0] / 2 - PANEL_GAP
    for left, top, right, bottom in panels:
        if bottom <= rows_top or top >= rows_bottom:
            continue
        if right <= 0:
            half = min(half, -right - PANEL_GAP)
        elif left >= 0:
            half = min(half, left - PANEL_GAP)
    return max(0.0, 2 * half - PAD_X)


def wrap(text, room, measure):
    if not text or measure(text) <= room:
        return [text]
    w = [x for x in text.split(" ") if x]
    for at_separator in (True, False):
        best, best_at = room + 1, 0
        for i in range(1, len(w)):
            separator = w[i] == DOT
            if at_separator != separator or (not at_separator and w[i - 1] == DOT):
                continue
            second = i + 1 if at_separator else i
            if second >= len(w):
                continue
            longer = max(measure(" ".join(w[:i])), measure(" ".join(w[second:])))
            if longer <= room and longer < best:
                best, best_at = longer, i
        if best_at:
            return [" ".join(w[:best_at]), " ".join(w[best_at + 1 if at_separator else best_at:])]
    lines, start = [], 0
    for i in range(1, len(w) + 1):
        if i == len(w) or measure(" ".join(w[start:i + 1])) > room:
            lines.append(" ".join(w[start:i]))
            start = i
    return lines


def misfits(root=ROOT, rows=None):
    """One message per name or answer line that needs more than two lines."""
    with open(os.path.join(root, "devdata", "params.json"), encoding="utf-8") as f:
        params = json.load(f)
    measure = Measure(root, params)
    room = text_room(hud_panels(params, LAYOUT), LAYOUT, measure.line_height)
    out = []
    for key, name, _level, answer in (rows if rows is not None else place_rows()):
        for kind, text in (("name", name), ("answer line", answer)):
            lines = wrap(text, room, measure)
            if len(lines) > MAX_LINES:
                out.append("%s: %s %r needs %d lines of %.0f units (widest %s)" % (
                    key, kind, text, len(lines), room, max(measure(x) for x in lines)))
    return out


def write_places_doc(path, doc):
    with open(path, "w", encoding="utf-8") as f:
        json.dump(doc, f, ensure_ascii=False, indent=1, sort_keys=True)
        f.write("\n")


def update_texts(root=ROOT):
    path = os.path.join(root, "devdata", "places.json")
    with open(path, encoding="utf-8") as f:
        doc = json.load(f)
    for key, name, level, answer in place_rows():
        entry = doc.get(key)
        if entry is None:
            continue
        entry.update({"name": name, "level": level})
        if answer:
            entry["answer"] = answer
        else:
            entry.pop("answer", None)
    write_places_doc(path, doc)


def main():
    problems = misfits()
    for p in problems:
        print(p, file=sys.stderr)
    if problems:
        sys.exit(1)
    if "--update" in sys.argv[1:]:
        update_texts()
        print("rewrote the texts of devdata/places.json")


if __name__ == "__main__":
    main()
