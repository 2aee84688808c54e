"""Painters for the widgets of devdata/game.png, keyed by widget name.

Each painter gets (image, box, ctx): image is the RGBA atlas (PIL Image), box
is the widget's atlas rectangle (left, top, width, height) taken from its "uv"
and "size" in devdata/params.json, and ctx carries the shared fonts and colours
(see make_atlas.Context). A painter draws only inside its box.

To add art for a new widget, write a function here and register it in PAINTERS
under the widget's member name. Widgets without a painter get a visible
placeholder and a note on stderr, so missing art is easy to spot.
"""
from PIL import ImageDraw


def placeholder(image, box, ctx):
    left, top, w, h = box
    d = ImageDraw.Draw(image)
    d.rounded_rectangle([left, top, left + w - 1, top + h - 1], radius=min(6, w // 4, h // 4),
                        fill=(255, 255, 255, 96), outline=ctx.white, width=1)


def text_label(text, face="display"):
    """A painter that centres a short white, outlined text in the box."""
    def paint(image, box, ctx):
        ctx.fit_text(image, box, text, face)
    return paint


PAINTERS = {
    # "widget_name": painter,  e.g. "menu_btn": text_label("MENU"),
}

# The game screen's HUD (clock, counters, gauge, distance, banners).
from round_painters import ROUND_PAINTERS  # noqa: E402

PAINTERS.update(ROUND_PAINTERS)
