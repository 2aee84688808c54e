#!/usr/bin/env python3
"""Writes the game screen's HUD layout and the round displays' parameters into
devdata/params.json: "game"."widgets" and the sections "placedisp",
"gameintro", "gameinfo", "playlevel", "playkonahen", "playtime", "distance",
"just", "gamestart", "gameover", "konahen", "equator", "nsdisp", and the
"place" text style under "fonts". Every other key is left as it is.

Layout (960 x 640 overlay space, origin at the centre, y down): the globe
fills a disc of radius ~272 at the centre, so the HUD panels sit in the four
corners, clear of it: game clock top-left, level and found count bottom-left,
answer gauge top-right, distance hint bottom-right. Panels are anchored to the
screen edges ("x_layout"/"y_layout") with their pivot at the top-left corner
("center" [0, 0]), so the digits' "num_ofs" are offsets inside the panel.
Banners fly through the upper third, the first-tap bonus rises in the lower
third; the globe's centre stays free while a question is open.

Atlas rectangles ("uv") are placed by hand around the fixed cells of
devdata/game.png (digit strips, pole labels, tap ring, clock texels).

Usage: python3 tools/hud/set_hud_params.py   (then python3 tools/atlas/make_atlas.py)
"""
import json
import os

ATLAS = "devdata/game.png"
WHITE = [1.0, 1.0, 1.0, 1.0]


def widget(pos, size, uv, x_layout=None, y_layout=None, top_left=True):
    w = {"pos": pos, "size": size, "uv": uv, "col": WHITE, "texture": ATLAS}
    if top_left:
        w["center"] = [0, 0]
    if x_layout is not None:
        w["x_layout"] = x_layout
    if y_layout is not None:
        w["y_layout"] = y_layout
    return w


# Distance panel: the "km" mark and the arrows are placed inside it.
DIST_POS = [-222, -88]
DIST = {"size": [212, 78], "km": [132, 38], "arrow": [176, 34]}

WIDGETS = {
    # Top-left: the game clock. Digits at "playtime"."num_ofs".
    "timeremain": widget([10, 10], [176, 100], [2, 350], -1, -1),
    # Bottom-left: level above found count.
    "level": widget([10, -218], [104, 100], [180, 350], -1, 1),
    "konahen": widget([10, -110], [140, 100], [286, 350], -1, 1),
    # Top-right: the answer-time clock face (pie centre at +(46.5, 47)).
    "ans_time": widget([-103, 10], [93, 94], [210, 4], 1, -1),
    # Bottom-right: distance hint.
    "distance": widget(DIST_POS, DIST["size"], [210, 266], 1, 1),
    "km": widget([DIST_POS[0] + DIST["km"][0], DIST_POS[1] + DIST["km"][1]], [34, 28], [936, 60],
                 1, 1),
    # The same place as "km", for players who read distances in miles.
    "mi": widget([DIST_POS[0] + DIST["km"][0], DIST_POS[1] + DIST["km"][1]], [34, 28], [936, 90],
                 1, 1),
    "up": widget([DIST_POS[0] + DIST["arrow"][0], DIST_POS[1] + DIST["arrow"][1]], [26, 36],
                 [974, 60], 1, 1),
    "down": widget([DIST_POS[0] + DIST["arrow"][0], DIST_POS[1] + DIST["arrow"][1]], [26, 36],
                   [974, 100], 1, 1),
    # Banners of the round, in the upper third (below the question box).
    "levelup": widget([0, -168], [300, 64], [210, 200], top_left=False),
    "hurryup": widget([0, -168], [300, 64], [210, 134], top_left=False),
    "time_short": widget([0, -168], [420, 64], [514, 256], top_left=False),
    "dobest": widget([0, -168], [380, 64], [514, 322], top_left=False),
    # Scene banners, shown while no question is open.
    "gameintro": widget([0, 180], [500, 56], [514, 2], top_left=False),
    "gamestart": widget([0, 0], [300, 96], [514, 158], top_left=False),
    "gameover": widget([0, 0], [420, 96], [514, 60], top_left=False),
    # First-tap bonus in the lower third; the streak pill below it.
    "just": widget([0, 140], [200, 72], [816, 158], top_left=False),
    "just_x": widget([-75, 182], [150, 40], [514, 388]),
}

SECTIONS = {
    "playtime": {"num_ofs": [10, 26]},
    "playlevel": {"num_ofs": [30, 26]},
    "playkonahen": {"num_ofs": [7, 26]},
    "distance": {"ofs_x": 240, "num_x": -118, "num_y": -11, "dist_time": 0.6},
    "placedisp": {"scale_st": 1.6, "time_ed": 0.35, "ans_scale_st": 1.25, "ans_time_ed": 0.3,
                  "correct_disp": 2.5, "miss_disp": 3.0},
    # Each banner: in from the right (x 1 -> 0, fading in), a hold, out to the left.
    "gameinfo": {"ease_in": [[1, 0, 0, 1, 0.45], [0, 1, 0, 1, 1.1]],
                 "ease_out": [[0, 1, -1, 0, 0.45]], "delay": 0.6},
    "gameintro": {"delay": 0.4, "frame": 2.6, "fade": 0.3},
    # (scale, alpha): the start banner lands from large, holds, then swells away.
    "gamestart": {"easing": [[2.4, 0, 1, 1, 0.45], [1, 1, 1, 1, 0.9], [1, 1, 1.5, 0, 0.35]]},
    # (scale, alpha): the game-over banner drops in and holds for a moment.
    "gameover": {"easing": [[0.4, 0, 1, 1, 0.6], [1, 1, 1, 1, 1.6], [1, 1, 1, 0, 0.4]]},
    # (x offset, alpha): the bonus slides in from the right, holds, slides on.
    "just": {"easing": [[120, 0, 0, 1, 0.25], [0, 1, 0, 1, 0.7], [0, 1, -80, 0, 0.35]],
             "num_ofs": [100, 0]},
    # The ring where a correct tap landed (globe radius 400): (scale, alpha).
    "konahen": {"div": 48, "rotate": 60, "size": 20, "v": 32, "height": 1.8,
                "easing": [[0.2, 1, 1, 1, 0.35], [1, 1, 1.8, 0, 0.9]]},
    "equator": {"scale": 1.004, "div": 96},
    # Pole labels sit 13 % beyond the surface and stay out of the top 225 units:
    # the place-name box at its tallest (two lines of name and two of answer
    # in the "place" font's 42-unit line box, the gap, padding and its 25-unit
    # drop from the top) ends above that.
    "nsdisp": {"scale": 1.13},
}

PLACE_FONT = {"file": "devdata/fonts/Inter-SemiBold.otf", "height": 34}


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
    path = os.path.join(root, "devdata", "params.json")
    with open(path, encoding="utf-8") as f:
        params = json.load(f)
    # Other screens keep their widgets in this set too (set_records_params.py).
    params.setdefault("game", {}).setdefault("widgets", {}).update(WIDGETS)
    for key, value in SECTIONS.items():
        params[key] = value
    params.setdefault("fonts", {})["place"] = PLACE_FONT
    with open(path, "w", encoding="utf-8") as f:
        json.dump(params, f, indent=1, sort_keys=True, ensure_ascii=False)
    print("wrote the HUD layout and round display sections of devdata/params.json")


if __name__ == "__main__":
    main()
