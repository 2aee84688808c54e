#!/usr/bin/env python3
"""Writes the layout and timing of the results screen, the continue button and
the in-game menu into devdata/params.json: the sections "results", "agree"
and "gamemenu", and the results widgets ("result_*") of "game"."widgets".
Every other key is left as it is. All their art is in devdata/game2.png.

Layout (960 x 640 overlay space, origin at the centre, y down):
- The results panel is a rounded box 370 x 510 centred at (0, -40), so its
  edges are x -185..185 and y -295..215. From the top: the heading, the three
  fame marks, six rows of small digits (row pitch "next_y"), a separator and
  the score in large digits. Labels start 20 units inside the left edge; the
  numbers form a column from x = 30 (the widest, "nn.nn", ends at 133); the
  score's four large digits (placed by the screen at x = ofs_x + 20) end 12
  units inside the right edge. A label's "pos" y is a ROW NUMBER: the screen
  multiplies it by "next_y" and adds "ofs_y"; with "center" [0, 0] and the
  labels as tall as the small digits (40), label and number share a top.
- The continue button sits centred under the panel, clear of its edge.
- The in-game menu's round pause button hangs under the answer-time dial at
  the top-right (same centre x); "Resume" and "Quit game" wait just off the
  right edge and slide in beside it when the menu moves by "ofs" while
  paused; "PAUSED" blinks at the centre.

Atlas rectangles ("uv") are packed by hand into the 1024 x 512 atlas, 4
pixels apart so linear filtering never reaches a neighbour.

Usage: python3 tools/hud/set_records_params.py   (then python3 tools/atlas/make_atlas.py)
"""
import json
import os

ATLAS = "devdata/game2.png"
WHITE = [1.0, 1.0, 1.0, 1.0]


def widget(pos, size, uv, center=None, x_layout=None, y_layout=None):
    w = {"pos": pos, "size": size, "uv": uv, "col": WHITE, "texture": ATLAS}
    if center is not None:
        w["center"] = center
    if x_layout is not None:
        w["x_layout"] = x_layout
    if y_layout is not None:
        w["y_layout"] = y_layout
    return w


# The block of labels and numbers ("ofs_x", "ofs_y"), and where labels start in it.
OFS_X, OFS_Y = -16, -150
NEXT_Y = 44
LABEL_X = -149          # -165 on screen: 20 inside the panel
LABEL_SIZE = [186, 40]  # ends at x = 21, before the numbers at 30
NUM_POS = [46, 0]       # numbers at x = 30 on screen, level with their labels
SCORE_ROW = 6.25        # five row steps, then 1.25 more: where the screen puts the score
SCORE_LINE = 8          # the separator sits this far above the score's digits

ROW_LABELS = ["result_konahen", "result_level", "result_just", "result_just_max", "result_tap",
              "result_tap_avg"]
ROW_UV = [[0, 188], [190, 188], [380, 188], [570, 188], [760, 188], [0, 232]]
FAME_UV = [272, 0]

RESULT_WIDGETS = {
    "result_title": widget([0, -258], [300, 52], [332, 0]),
    "result_score": widget([LABEL_X, SCORE_ROW], [340, 77], [408, 104], center=[0, SCORE_LINE]),
}
for row, (name, uv) in enumerate(zip(ROW_LABELS, ROW_UV)):
    RESULT_WIDGETS[name] = widget([LABEL_X, row], LABEL_SIZE, uv, center=[0, 0])
for i, x in enumerate((-64, 0, 64)):
    # The three marks share one image; the screen greys those not earned.
    RESULT_WIDGETS[f"result_fame{i + 1}"] = widget([x, -197], [56, 56], FAME_UV)

SECTIONS = {
    "results": {
        "ctup_delay": 0.25,
        "countup": 0.9,
        # Longer than the opening, so a tap just after it waits rather than skips at once.
        "input_delay": 0.9,
        "ofs_x": OFS_X,
        "ofs_y": OFS_Y,
        "next_y": NEXT_Y,
        "num_pos": NUM_POS,
        "fame_time": 0.7,
        "fame_time_ofs": 0.35,
        "fame_scale": 2.4,
        # (scale, alpha): the panel settles from a little small; it leaves a little smaller.
        "easing_in": [[0.7, 0, 1, 1, 0.45]],
        "easing_out": [[1, 1, 0.85, 0, 0.35]],
    },
    "agree": {
        "widget": widget([0, 265], [200, 64], [0, 0]),
        "btneft_scale": 0.92,
        "btneft_time": 0.15,
    },
    "gamemenu": {
        "ofs": -240,
        "btneft_scale": 0.9,
        "btneft_time": 0.12,
        "widgets": {
            "abort": widget([-56.5, 150], [64, 64], [204, 0], x_layout=1, y_layout=-1),
            "abort_ng": widget([120, 150], [200, 56], [0, 104], x_layout=1, y_layout=-1),
            "abort_ok": widget([120, 216], [200, 56], [204, 104], x_layout=1, y_layout=-1),
            "pause": widget([0, 0], [380, 100], [636, 0]),
        },
    },
}


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
    path = os.path.join(root, "devdata", "params.json")
    with open(path, encoding="utf-8") as f:
        params = json.load(f)
    params.setdefault("game", {}).setdefault("widgets", {}).update(RESULT_WIDGETS)
    for key, value in SECTIONS.items():
        params[key] = value
    with open(path, "w", encoding="utf-8") as f:
        json.dump(params, f, indent=1, sort_keys=True, ensure_ascii=False)
    print("wrote the results, continue-button and in-game menu sections of devdata/params.json")


if __name__ == "__main__":
    main()
