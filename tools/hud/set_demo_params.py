#!/usr/bin/env python3
"""Writes the demonstration's keys into the "title" section of
devdata/params.json: "demo_delay", "demo_time", "demo_widgets" (the blinking
"DEMONSTRATION" label) and "operate_widgets", "operate_x", "operate_y" (the
operation guide's mouse). Only these keys are merged; every other key, in
"title" and elsewhere, is left as it is. Their art is in devdata/demo.png.

Layout (960 x 640 overlay space, origin at the centre, y down):
- The label sits centred low on the screen, under the globe's middle and above
  the bottom edge, where the round HUD leaves room.
- The mouse pieces are placed relative to the mouse's own centre (the guide
  translates them all by "operate_x", "operate_y"): the pieces are cut from one
  100 x 150 drawing (tools/atlas/demo_painters.py), so each piece's "pos" is
  its centre in that drawing minus (50, 75). The arrows stand either side.
- The guide sits at the right edge, a little below the middle, clear of the
  answer-time dial above it.

Timing: the label shows 1 s into the demonstration, which then runs 40 s more;
the shipped replay (tools/replay) holds about 45 s of play.

Usage: python3 tools/hud/set_demo_params.py   (then python3 tools/atlas/make_atlas.py)
"""
import json
import os

ATLAS = "devdata/demo.png"
WHITE = [1.0, 1.0, 1.0, 1.0]


def widget(pos, size, uv):
    return {"pos": pos, "size": size, "uv": uv, "col": WHITE, "texture": ATLAS}


def piece(left, top, w, h, uv):
    """A mouse piece from its rectangle in the 100 x 150 mouse drawing."""
    return widget([left + w / 2 - 50, top + h / 2 - 75], [w, h], uv)


DEMO_WIDGETS = {
    "demoplay": widget([0, 284], [360, 56], [0, 0]),
}

OPERATE_WIDGETS = {
    "body": piece(0, 18, 100, 132, [0, 64]),
    "btn_l": piece(4, 24, 46, 54, [104, 64]),
    "btn_r": piece(50, 24, 46, 54, [154, 64]),
    "cable": piece(38, 0, 24, 26, [204, 64]),
    "move_l": widget([-76, 10], [36, 36], [232, 64]),
    "move_r": widget([76, 10], [36, 36], [272, 64]),
}

TITLE_KEYS = {
    "demo_delay": 1.0,
    "demo_time": 40.0,
    "demo_widgets": DEMO_WIDGETS,
    "operate_widgets": OPERATE_WIDGETS,
    "operate_x": 374,
    "operate_y": 96,
}


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
    path = os.path.join(root, "devdata", "params.json")
    with open(path, encoding="utf-8") as f:
        params = json.load(f)
    params.setdefault("title", {}).update(TITLE_KEYS)
    with open(path, "w", encoding="utf-8") as f:
        json.dump(params, f, indent=1, sort_keys=True, ensure_ascii=False)
    print(f"merged {len(TITLE_KEYS)} keys into \"title\" of {path}")


if __name__ == "__main__":
    main()
