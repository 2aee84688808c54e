"""Painters of devdata/title2.png, the title's side panels: the correct-rate
panel ("title"."correct_widgets") and the earth-image menu ("title".
"earth_widgets": the toggle, "by month", the twelve months and the night
earth). Month and night tiles are small crops of the very globe images they
choose, so the menu shows the season it picks. Style as the HUD: translucent
dark rounded panels with a faint light edge, white type with a dark outline,
the warm accent for the one thing to notice.
"""
import math
import os

import numpy as np
from PIL import Image, ImageDraw, ImageEnhance

from round_painters import DARK, GOLD, LABEL, PANEL_EDGE, PANEL_FILL, SS, _label, _panel, _paste_down
from widget_atlas import paint_atlas  # noqa: E402

ATLAS = "devdata/title2.png"
ATLAS_SIZE = (512, 512)
MONTHS = [(f"month.{i + 1}", name) for i, name in
          enumerate(["Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov",
                     "Dec"])]
# The crop the tiles show (degrees): Europe and Africa, where snow and green
# change most visibly with the month.
CROP_LON = (-20.0, 60.0)
CROP_LAT = (72.0, 10.0)
TILE_RADIUS = 8


def _root(ctx):
    return ctx.root


def _earth(ctx, name):
    return Image.open(os.path.join(_root(ctx), "devdata", name)).convert("RGB")


def _crop(ctx, name, size, lon=CROP_LON, lat=CROP_LAT):
    """A crop of an equirectangular globe image, resized to size: the region
    lon x lat narrowed about its centre to the tile's aspect."""
    im = _earth(ctx, name)
    w, h = im.size
    box = ((lon[0] + 180) / 360 * w, (90 - lat[0]) / 180 * h,
           (lon[1] + 180) / 360 * w, (90 - lat[1]) / 180 * h)
    cw, ch = box[2] - box[0], box[3] - box[1]
    want = size[0] / size[1]
    if cw / ch > want:
        cut = (cw - ch * want) / 2
        box = (box[0] + cut, box[1], box[2] - cut, box[3])
    else:
        cut = (ch - cw / want) / 2
        box = (box[0], box[1] + cut, box[2], box[3] - cut)
    return im.resize(size, Image.LANCZOS, box=box).convert("RGBA")


def _rounded_mask(size, radius):
    layer = Image.new("L", (size[0] * SS, size[1] * SS), 0)
    ImageDraw.Draw(layer).rounded_rectangle([0, 0, size[0] * SS - 1, size[1] * SS - 1],
                                            radius=radius * SS, fill=255)
    return layer.resize(size, Image.LANCZOS)


def _edge(size, radius, colour=PANEL_EDGE, width=1):
    layer = Image.new("RGBA", (size[0] * SS, size[1] * SS), (0, 0, 0, 0))
    ImageDraw.Draw(layer).rounded_rectangle([0, 0, size[0] * SS - 1, size[1] * SS - 1],
                                            radius=radius * SS, outline=colour, width=width * SS)
    return layer.resize(size, Image.LANCZOS)


def _outlined(image, box, text, font, x, y_centre, fill=(255, 255, 255, 255), anchor="left"):
    """Text with a dark outline; cap height centred on y_centre."""
    left, top, w, h = box
    _, ry0, _, ry1 = font.getbbox("H")
    x0, _, x1, _ = font.getbbox(text, stroke_width=2)
    tx = x - x0 if anchor == "left" else x - (x1 - x0) / 2 - x0
    layer = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    ImageDraw.Draw(layer).text((tx, y_centre - (ry0 + ry1) / 2), text, font=font, fill=fill,
                               stroke_width=2, stroke_fill=DARK)
    image.alpha_composite(layer, (left, top))


def _picture_tile(image, box, picture, label, ctx, label_x=None):
    """A photo tile with rounded corners, a faint edge and an outlined label."""
    left, top, w, h = box
    tile = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    tile.paste(picture, (0, 0), _rounded_mask((w, h), TILE_RADIUS))
    # A soft dark foot so the label reads over snow and desert alike.
    foot = np.zeros((h, w, 4), np.uint8)
    ramp = np.clip((np.arange(h) - h * 0.35) / (h * 0.65), 0, 1) * 150
    foot[:, :, 3] = ramp[:, None].astype(np.uint8)
    foot_img = Image.fromarray(foot, "RGBA")
    foot_img.putalpha(Image.fromarray(np.minimum(np.array(foot_img.getchannel("A")),
                                                 np.array(_rounded_mask((w, h), TILE_RADIUS)))))
    tile.alpha_composite(foot_img)
    tile.alpha_composite(_edge((w, h), TILE_RADIUS, (255, 255, 255, 90)))
    image.alpha_composite(tile, (left, top))
    label = ctx.text(label)
    font = ctx.fitted("text", 14, label, w - 6 if label_x is None else w - label_x - 6, stroke=2)
    if label_x is None:
        _outlined(image, box, label, font, w / 2, h - 11, anchor="centre")
    else:
        _outlined(image, box, label, font, label_x, h / 2)


def month_tile(i):
    def paint(image, box, ctx):
        _picture_tile(image, box, _crop(ctx, f"earth_{i + 1:02d}.png", box[2:]), MONTHS[i], ctx)
    return paint


def night_tile(image, box, ctx):
    # The lights are sparse at this size: brightened so the tile reads as the night earth.
    crop = _crop(ctx, "earth_night.png", box[2:], lon=(-15.0, 105.0), lat=(60.0, 24.0))
    _picture_tile(image, box, ImageEnhance.Brightness(crop).enhance(2.2), ("earth.night", "Night"), ctx, label_x=12)


def auto_tile(image, box, ctx):
    """"By month": a panel with a small calendar whose page turns to the month."""
    left, top, w, h = box
    _paste_down(image, _panel((w, h)), box)
    layer = Image.new("RGBA", (h * SS, h * SS), (0, 0, 0, 0))
    d = ImageDraw.Draw(layer)
    s = SS
    d.rounded_rectangle([8 * s, 9 * s, 28 * s, 28 * s], radius=3 * s, fill=(255, 255, 255, 235))
    d.rectangle([8 * s, 9 * s, 28 * s, 14 * s], fill=GOLD)
    for cx in (13, 23):
        d.rounded_rectangle([(cx - 1) * s, 6 * s, (cx + 1) * s, 11 * s], radius=s, fill=DARK)
    for r in range(2):
        for c in range(3):
            x, y = 11 + c * 5.5, 17 + r * 5
            d.rectangle([x * s, y * s, (x + 3) * s, (y + 3) * s], fill=DARK)
    image.alpha_composite(layer.resize((h, h), Image.LANCZOS), (left + 4, top))
    label = ctx.text(("earth.by_month", "By month"))
    _outlined(image, box, label, ctx.fitted("text", 15, label, w - 46 - 6, stroke=2), 46, h / 2)


def _globe_disc(ctx, diameter, name="earth_07.png", lon0=15.0, lat0=25.0):
    """The earth image seen from space: an orthographic view, lit from the upper left."""
    src = np.asarray(_earth(ctx, name), dtype=np.float32) / 255.0
    sh, sw, _ = src.shape
    n = diameter * SS
    ys, xs = np.mgrid[0:n, 0:n].astype(np.float32)
    x = (xs + 0.5) / n * 2 - 1
    y = 1 - (ys + 0.5) / n * 2
    r2 = x * x + y * y
    inside = r2 <= 1
    z = np.sqrt(np.clip(1 - r2, 0, 1))
    la0, lo0 = math.radians(lat0), math.radians(lon0)
    # Rotate the view vector back to the globe's frame.
    lat = np.arcsin(np.clip(y * math.cos(la0) + z * math.sin(la0), -1, 1))
    lon = lo0 + np.arctan2(x, z * math.cos(la0) - y * math.sin(la0))
    u = ((lon / (2 * math.pi) + 0.5) % 1.0) * (sw - 1)
    v = (0.5 - lat / math.pi) * (sh - 1)
    rgb = src[v.astype(int), u.astype(int)]
    light = np.clip(0.35 + 0.85 * (-0.45 * x + 0.55 * y + 0.7 * z), 0.25, 1.15)
    rgb = np.clip(rgb * light[..., None], 0, 1)
    alpha = inside.astype(np.float32)
    out = np.dstack([rgb, alpha]) * 255
    return Image.fromarray(out.astype(np.uint8), "RGBA").resize((diameter, diameter), Image.LANCZOS)


def earth_toggle(image, box, ctx):
    """The round button that opens the menu: a small earth in a dark ring with
    a gold arrow that says "more this way"."""
    left, top, w, h = box
    layer = Image.new("RGBA", (w * SS, h * SS), (0, 0, 0, 0))
    d = ImageDraw.Draw(layer)
    d.ellipse([SS, SS, (w - 1) * SS - 1, (h - 1) * SS - 1], fill=PANEL_FILL, outline=PANEL_EDGE,
              width=SS)
    _paste_down(image, layer, box)
    disc = _globe_disc(ctx, w - 20)
    image.alpha_composite(disc, (left + 10, top + 10))
    ring = Image.new("RGBA", (w * SS, h * SS), (0, 0, 0, 0))
    rd = ImageDraw.Draw(ring)
    rd.ellipse([10 * SS, 10 * SS, (w - 10) * SS - 1, (h - 10) * SS - 1],
               outline=(150, 200, 255, 150), width=SS)
    # A small gold chevron at the right rim: the menu opens to the side.
    cx, cy = (w - 8) * SS, h / 2 * SS
    rd.polygon([(cx - 5 * SS, cy - 7 * SS), (cx + 2 * SS, cy), (cx - 5 * SS, cy + 7 * SS)], fill=GOLD,
               outline=DARK)
    _paste_down(image, ring, box)


def correct_panel(image, box, ctx):
    """The correct-rate panel: a HUD panel with its caption; the digits are drawn
    by the game from the HUD digit strip."""
    left, top, w, h = box
    _paste_down(image, _panel((w, h)), box)
    _label(image, box, ("panel.found", "PLACES FOUND"), ctx, size=13, spacing=2, align="centre", pad=(0, 9),
           fill=LABEL)
    # A thin gold rule under the caption: the one accent of the panel.
    rule = Image.new("RGBA", (w * SS, h * SS), (0, 0, 0, 0))
    ImageDraw.Draw(rule).rounded_rectangle([(w / 2 - 22) * SS, 27 * SS, (w / 2 + 22) * SS, 29 * SS],
                                           radius=SS, fill=GOLD)
    _paste_down(image, rule, box)


PANELS_PAINTERS = {
    "correct": correct_panel,
    "earth": earth_toggle,
    "e_auto": auto_tile,
    "e_n": night_tile,
    **{f"e_{i + 1}": month_tile(i) for i in range(12)},
}



def make_title2(params, ctx, find_widgets, placeholder):
    """The atlas image: every title2.png widget found in params painted into its
    rectangle; problems (no painter, a rectangle off the atlas, overlaps) are
    reported on stderr."""
    return paint_atlas(ATLAS, ATLAS_SIZE, lambda name, where: PANELS_PAINTERS.get(name), params, ctx,
                       find_widgets, placeholder)
