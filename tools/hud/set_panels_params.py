#!/usr/bin/env python3
"""Writes the keys of the title's side panels into devdata/params.json:
the unlock announcements ("achievement"), the staff roll ("staff"), and in
the shared "title" section only the correct-rate panel's "correct_*" keys and
the earth-image menu's "earth_*" keys. Every other key and section is left
as it is. The art of both panels is in devdata/title2.png.

Layout (960 x 640 overlay space, origin at the centre, y down):
- The correct-rate panel sits in the top-right corner, clear of the logo, and
  slides in from the right edge.
- The earth-image toggle sits at the left edge, a little above the middle.
  Opening the menu slides it right by "earth_menu_width"; the choices ride in
  with it from beyond the left edge: "by month" on top, the twelve months in
  a three-column grid, the night earth below them.
- Choice ids are indices into "earth_appearance" (-1: by month, 12: night).

Usage: python3 tools/hud/set_panels_params.py   (then python3 tools/atlas/make_atlas.py)
"""
import json
import os

ATLAS = "devdata/title2.png"
WHITE = [1.0, 1.0, 1.0, 1.0]
ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")

# Shared with the painters (tools/atlas/panels_painters.py).
CORRECT_SIZE = (176, 80)
TOGGLE_SIZE = (76, 76)
TILE = (60, 44)          # one month
WIDE = (192, 36)         # "by month" and the night earth
GAP = 6
MENU_LEFT = 16           # the grid's distance from the left edge when open
NIGHT_INDEX = 12         # "earth_appearance" element of the night earth
MONTHS = ["Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"]

# Atlas rectangles (title2.png is 512 x 512).
CORRECT_UV = (0, 0)
TOGGLE_UV = (180, 0)
AUTO_UV = (260, 0)
NIGHT_UV = (260, 40)
MONTH_UV0 = (0, 84)      # months in rows of six


def month_uv(i):
    return (MONTH_UV0[0] + (i % 6) * (TILE[0] + 4), MONTH_UV0[1] + (i // 6) * (TILE[1] + 4))


def widget(pos, size, uv, center=None, x_layout=None, y_layout=None, wid=None):
    w = {"pos": list(pos), "size": list(size), "uv": list(uv), "col": WHITE, "texture": ATLAS}
    if center is not None:
        w["center"] = list(center)
    if x_layout is not None:
        w["x_layout"] = x_layout
    if y_layout is not None:
        w["y_layout"] = y_layout
    if wid is not None:
        w["id"] = wid
    return w


def earth_widgets():
    grid_w = 3 * TILE[0] + 2 * GAP
    assert grid_w == WIDE[0]
    menu_width = MENU_LEFT + grid_w + 24 + TOGGLE_SIZE[0] // 2 - 52
    rows = WIDE[1] + 4 * (TILE[1] + GAP) + GAP + WIDE[1]
    top = -20 - rows // 2
    # Closed, the choices stand menu_width to the left of where they show.
    left = MENU_LEFT - menu_width
    out = {
        "earth": widget((52, -20), TOGGLE_SIZE, TOGGLE_UV, x_layout=-1),
        "e_auto": widget((left + WIDE[0] / 2, top + WIDE[1] / 2), WIDE, AUTO_UV, x_layout=-1,
                         wid=-1),
    }
    y = top + WIDE[1] + GAP
    for i in range(12):
        col, row = i % 3, i // 3
        cx = left + col * (TILE[0] + GAP) + TILE[0] / 2
        cy = y + row * (TILE[1] + GAP) + TILE[1] / 2
        out[f"e_{i + 1}"] = widget((cx, cy), TILE, month_uv(i), x_layout=-1, wid=i)
    y += 4 * (TILE[1] + GAP)
    out["e_n"] = widget((left + WIDE[0] / 2, y + WIDE[1] / 2), WIDE, NIGHT_UV, x_layout=-1,
                        wid=NIGHT_INDEX)
    return out, menu_width


def title_keys():
    widgets, menu_width = earth_widgets()
    return {
        "correct_delay": 1.4,
        "correct_ease": 0.8,
        "correct_time": 1.6,
        "correct_ofs_x": 240,
        "correct_ofs_y": 0,
        # The digits' top-left inside the panel (the number is 125 wide, 40 high).
        "correct_num_x": 26,
        "correct_num_y": 32,
        "correct_widgets": {
            "correct": widget((-CORRECT_SIZE[0] - 20, 20), CORRECT_SIZE, CORRECT_UV, center=(0, 0),
                              x_layout=1, y_layout=-1),
        },
        "earth_delay": 1.6,
        "earth_btneft_scale": 1.1,
        "earth_btneft_time": 0.15,
        "earth_menu_width": menu_width,
        "earth_widgets": widgets,
    }


ACHIEVEMENT = {
    "delay": 0.5,
    "title": "Unlocked!",
    "text": {
        "advanced": ["Advanced mode", "The globe turns freely; any place may be asked."],
        "survival": ["Survival mode", "No game clock: the first time-out ends the game."],
        "earth_texture": ["Earth images", "Pick the globe's season, or let the month decide."],
        "nightmode": ["The night earth", "Every place found: the globe by city lights."],
    },
}

# The studio's own roles, then every source of the data, as devdata/LICENSES.md lists them.
STAFF = {
    "y_ofs": -34,
    "text": [
        "GLOBARO \u00b7 Staff",
        "",
        "Direction and game design: Pebblecrest Studio",
        "Globe and rendering: Pebblecrest Studio",
        "Places, questions and answers: Pebblecrest Studio",
        "Sound: synthesised by the studio's own tools",
        "",
        "Places data: Natural Earth (public domain)",
        "U.S. states: U.S. Census Bureau (public domain)",
        "Provinces: DCW for GMT (LGPL-3+, \u00a9 The GMT Team)",
        "Earth imagery: NASA Blue Marble and city lights",
        "Fonts: Comfortaa by Johan Aakerlund (SIL OFL 1.1)",
        "and Inter by The Inter Project Authors (SIL OFL 1.1)",
        "",
        "Thank you for playing!",
    ],
}


def main():
    path = os.path.join(ROOT, "devdata", "params.json")
    with open(path, encoding="utf-8") as f:
        params = json.load(f)
    params.setdefault("title", {}).update(title_keys())
    params.setdefault("achievement", {}).update(ACHIEVEMENT)
    params["staff"] = STAFF
    with open(path, "w", encoding="utf-8") as f:
        json.dump(params, f, indent=1, sort_keys=True, ensure_ascii=False)
    print("wrote the achievement, staff and title panel keys of devdata/params.json")


if __name__ == "__main__":
    main()
