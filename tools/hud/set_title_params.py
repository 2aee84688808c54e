#!/usr/bin/env python3
"""Writes the title scene's own keys into the "title" section of
devdata/params.json: the attract-cycle timings of the Title and the layout,
timing and widgets of its panels (intro pictures, logo, notice line, mode
buttons, credits and sound buttons). Every other key of "title" (the
correct-rate and earth-image panels keep theirs there) and every other
section is left as it is. All the art is in devdata/title.png.

Layout (960 x 640 overlay space, origin at the centre, y down):
- The logo's two halves "GLOB" and "ARO" meet at a seam placed so that the
  whole word is centred; each half's image holds its letters against the
  seam, so the halves close up exactly when they have slid in. Their short
  subtitles hang under them, held against the same seam.
- The mode buttons stand in a column under the globe's centre; with all three
  modes offered the column moves up by 40 (the screen does that), so the
  lowest button stays clear of the notice line at the bottom.
- The studio's mark sits at the top-left corner, the credits button at the
  bottom-left, the sound button at the bottom-right; the sound button moves
  left by "sound_menu_ofs" to uncover the volume bar in its place.

Usage: python3 tools/hud/set_title_params.py   (then python3 tools/atlas/make_atlas.py)
"""
import json
import os

from PIL import ImageFont

ATLAS = "devdata/title.png"
WHITE = [1.0, 1.0, 1.0, 1.0]
ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")

# Shared with the painters (tools/atlas/title_painters.py): the logo's letters.
LOGO_FONT = "devdata/fonts/Comfortaa-Bold.ttf"
LOGO_SIZE = 92
LOGO_STROKE = 4
LOGO_H = 112
GLOB_W, ARO_W = 300, 240
KANA_H = 30


def widget(pos, size, uv, center=None, x_layout=None, y_layout=None, wid=None):
    w = {"pos": pos, "size": size, "uv": uv, "col": WHITE, "texture": ATLAS}
    if center is not None:
        w["center"] = center
    if x_layout is not None:
        w["x_layout"] = x_layout
    if y_layout is not None:
        w["y_layout"] = y_layout
    if wid is not None:
        w["id"] = wid
    return w


def logo_seam():
    """x of the seam between the halves that centres the whole word."""
    font = ImageFont.truetype(os.path.join(ROOT, LOGO_FONT), LOGO_SIZE)
    glob = font.getbbox("GLOB", stroke_width=LOGO_STROKE)
    aro = font.getbbox("ARO", stroke_width=LOGO_STROKE)
    return round(((glob[2] - glob[0]) - (aro[2] - aro[0])) / 2)


def title_keys():
    seam = logo_seam()
    logo_y = -196
    kana_y = logo_y + LOGO_H // 2 + KANA_H // 2 - 2
    return {
        "disp_time": 20.0,
        "delay_exec": 1.0,
        "game_start_delay": 1.5,

        "intro_delay": 0.6,
        # (a, b): a lights the studio card, b the three pictures of how to play.
        "intro_easing": [[0, 0, 1, 0, 0.8], [1, 0, 1, 0, 1.6], [1, 0, 0, 0, 0.6],
                         [0, 0, 0, 1, 0.8], [0, 1, 0, 1, 2.4], [0, 1, 0, 0, 0.6]],
        "intro_widgets": {
            "intro_1": widget([0, -10], [472, 110], [548, 0]),
            "intro_2": widget([-250, 0], [224, 180], [0, 114]),
            "intro_3": widget([0, 0], [224, 180], [228, 114]),
            "intro_4": widget([250, 0], [224, 180], [456, 114]),
        },

        "logo_delay": 0.2,
        # (slide, alpha): the halves rush in from the edges and settle.
        "logo_easing": [[1, 0, 1, 0, 0.1], [1, 0, 0, 1, 1.3]],
        # Subtitles and the studio mark follow once the word has closed.
        "logo2_easing": [[0, 0, 1.1], [0, 1, 0.8]],
        "logo_end_easing": [[0, 1, 1, 0, 0.6]],
        "logo2_end_easing": [[1, 0, 0.4]],
        "logo_start_easing": [[0, 1, 0, 0, 0.8]],
        "logo2_start_easing": [[1, 0, 0.5]],
        "logo_widgets": {
            "glob": widget([seam - GLOB_W // 2, logo_y], [GLOB_W, LOGO_H], [0, 0]),
            "aro": widget([seam + ARO_W // 2, logo_y], [ARO_W, LOGO_H], [304, 0]),
            "glob_kana": widget([seam - GLOB_W // 2 - 6, kana_y], [GLOB_W, KANA_H], [0, 298]),
            "aro_kana": widget([seam + ARO_W // 2 + 6, kana_y], [ARO_W, KANA_H], [304, 298]),
            "orb": widget([142, 38], [260, 52], [0, 366], x_layout=-1, y_layout=-1),
        },

        "copy_delay": 1.6,
        "copy_in_time": 1.0,
        "copy_out_time": 0.5,
        "copy_widgets": {"copyright": widget([0, -16], [520, 30], [0, 332], y_layout=1)},

        "start_delay": 1.2,
        "start_ease_time": 0.8,
        "start_btneft_scale": 1.1,
        "start_btneft_time": 0.2,
        "start_widgets": {
            "play": widget([0, 150], [240, 72], [684, 114], wid=0),
            "normal": widget([0, 150], [240, 64], [684, 190], wid=0),
            "advanced": widget([0, 220], [240, 64], [684, 258], wid=1),
            "survival": widget([0, 290], [240, 64], [684, 326], wid=2),
        },

        "credits_delay": 1.8,
        "credits_widgets": {"credits": widget([92, -44], [150, 52], [264, 366], x_layout=-1,
                                              y_layout=1)},

        "sound_delay": 2.0,
        "sound_menu_ofs": -262,
        "sound_widgets": {
            "sound": widget([-52, -52], [72, 72], [928, 114], x_layout=1, y_layout=1),
            # Pivot at the left end, so the filled bar grows from where the empty one starts.
            "sound_off": widget([-254, -52], [208, 28], [212, 422], center=[0, 14], x_layout=1,
                                y_layout=1),
            "sound_on": widget([-254, -52], [208, 28], [0, 422], center=[0, 14], x_layout=1,
                               y_layout=1),
            # Above the bar, shown with it: the player's choices of distance unit and of
            # colours for right and wrong; each shows the choice in force.
            "unit_km": widget([-150, -98], [208, 34], [0, 454], x_layout=1, y_layout=1),
            "unit_mi": widget([-150, -98], [208, 34], [212, 454], x_layout=1, y_layout=1),
            "palette_std": widget([-150, -138], [208, 34], [424, 454], x_layout=1, y_layout=1),
            "palette_cvd": widget([-150, -138], [208, 34], [636, 454], x_layout=1, y_layout=1),
        },
    }


def main():
    path = os.path.join(ROOT, "devdata", "params.json")
    with open(path, encoding="utf-8") as f:
        params = json.load(f)
    params.setdefault("title", {}).update(title_keys())
    with open(path, "w", encoding="utf-8") as f:
        json.dump(params, f, indent=1, sort_keys=True, ensure_ascii=False)
    print("wrote the title scene's keys of devdata/params.json")


if __name__ == "__main__":
    main()
