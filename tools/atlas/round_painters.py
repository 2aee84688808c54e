"""Painters for the game screen's HUD widgets ("game"."widgets"): the panels of
the clock, level, found count and distance, the answer-time clock face, the
distance arrows and the round's banners.

Style: crisp white type on translucent dark panels; the warm accent (gold) only
for rewards (level up, first-tap bonus, streak, "closer"); red only for danger
(hurry up, last seconds). Banners are bold, outlined and glowing so they read
over both ocean and land. Everything is drawn 4x supersampled or with PIL's
antialiased text, so the output is deterministic.
"""
from PIL import Image, ImageDraw, ImageFilter

SS = 4  # supersampling factor for shapes

PANEL_FILL = (8, 12, 20, 150)
PANEL_EDGE = (255, 255, 255, 44)
PANEL_RADIUS = 12
LABEL = (255, 255, 255, 225)
GOLD = (255, 196, 64, 255)
GOLD_LIGHT = (255, 236, 170, 255)
RED = (255, 72, 56, 255)
RED_LIGHT = (255, 170, 150, 255)
COOL = (130, 200, 255, 255)
DARK = (10, 14, 22, 255)


def _shape_layer(size):
    return Image.new("RGBA", (size[0] * SS, size[1] * SS), (0, 0, 0, 0))


def _paste_down(image, layer, box):
    left, top, w, h = box
    small = layer.resize((w, h), Image.LANCZOS)
    image.alpha_composite(small, (left, top))


def _panel(size):
    """A translucent dark rounded panel with a faint light edge, supersampled."""
    w, h = size
    layer = _shape_layer(size)
    d = ImageDraw.Draw(layer)
    d.rounded_rectangle([0, 0, w * SS - 1, h * SS - 1], radius=PANEL_RADIUS * SS, fill=PANEL_FILL,
                        outline=PANEL_EDGE, width=SS)
    return layer


def panel_quarter(size):
    """The top-left quarter of a panel as large as size: the rounded corner at
    (0, 0), the light edge along the top row and the left column, and the fill
    everywhere else. A rounded box mirrors it into its four corners, so the
    place-name box wears the same frame as the panels painted into the atlas."""
    q = PANEL_RADIUS + 8  # far enough in that the fill is flat
    small = Image.new("RGBA", (2 * q, 2 * q), (0, 0, 0, 0))
    _paste_down(small, _panel((2 * q, 2 * q)), (0, 0, 2 * q, 2 * q))
    w, h = size
    image = Image.new("RGBA", size, small.getpixel((q - 1, q - 1)))
    image.paste(small.crop((q - 1, 0, q, q)).resize((w - q, q), Image.NEAREST), (q, 0))
    image.paste(small.crop((0, q - 1, q, q)).resize((q, h - q), Image.NEAREST), (0, q))
    image.paste(small.crop((0, 0, q, q)), (0, 0))
    return image


def _label(image, box, text, ctx, size=13, spacing=2, align="left", pad=(12, 7), fill=LABEL,
           room=None):
    """Small letter-spaced caps in the text face, no wider than room (by
    default the box less its side pads); a smaller size keeps the caps' middle."""
    left, top, w, h = box
    text = ctx.text(text)
    room = w - 2 * max(pad[0], 6) if room is None else room
    full = ctx.font("text", size)
    font = ctx.fitted("text", size, text, room, spacing=spacing)
    _, fy0, _, fy1 = full.getbbox("H")
    _, sy0, _, sy1 = font.getbbox("H")
    pad = (pad[0], pad[1] + ((fy0 + fy1) - (sy0 + sy1)) / 2)
    widths = [font.getbbox(ch)[2] - font.getbbox(ch)[0] for ch in text]
    total = sum(widths) + spacing * (len(text) - 1)
    x = left + pad[0] if align == "left" else left + (w - total) / 2
    layer = Image.new("RGBA", image.size, (0, 0, 0, 0))
    d = ImageDraw.Draw(layer)
    for ch, cw in zip(text, widths):
        x0 = font.getbbox(ch)[0]
        d.text((x - x0, top + pad[1]), ch, font=font, fill=fill)
        x += cw + spacing
    image.alpha_composite(layer.crop((left, top, left + w, top + h)), (left, top))


def hud_panel(label, align="left"):
    def paint(image, box, ctx):
        left, top, w, h = box
        _paste_down(image, _panel((w, h)), box)
        _label(image, box, label, ctx, align=align)
    return paint


def clock_face(image, box, ctx):
    """The answer gauge's face: a dark disc, a white bezel with twelve ticks and
    a darker well where the pie (radius 30, centre (46.5, 47)) is drawn."""
    left, top, w, h = box
    cx, cy = 46.5 * SS, 47.0 * SS
    layer = _shape_layer((w, h))
    d = ImageDraw.Draw(layer)

    def disc(r, fill):
        d.ellipse([cx - r * SS, cy - r * SS, cx + r * SS, cy + r * SS], fill=fill)

    disc(45.5, (8, 12, 20, 160))
    disc(42.5, (255, 255, 255, 245))
    disc(40.0, (12, 16, 26, 210))
    disc(31.5, (0, 0, 0, 200))
    import math
    for i in range(12):
        a = i * math.pi / 6
        r0, r1 = (33.5, 38.5) if i % 3 == 0 else (35.5, 38.0)
        width = 3 if i % 3 == 0 else 2
        d.line([cx + math.sin(a) * r0 * SS, cy - math.cos(a) * r0 * SS,
                cx + math.sin(a) * r1 * SS, cy - math.cos(a) * r1 * SS],
               fill=(255, 255, 255, 235), width=width * SS)
    _paste_down(image, layer, box)


def unit_mark(text):
    """White unit text, outlined, sitting on the distance panel."""
    def paint(image, box, ctx):
        left, top, w, h = box
        words = ctx.text(text)
        font = ctx.fitted("text", 20, words, w - 1, stroke=2)
        x0, y0, x1, y1 = font.getbbox(words, stroke_width=2)
        layer = Image.new("RGBA", image.size, (0, 0, 0, 0))
        ImageDraw.Draw(layer).text((left + 2 - x0, top + h - 3 - y1), words, font=font,
                                   fill=ctx.white, stroke_width=2, stroke_fill=DARK)
        image.alpha_composite(layer.crop((left, top, left + w, top + h)), (left, top))
    return paint


def arrow(direction, colour):
    """A bold arrow with a dark outline; direction -1 points up, +1 down."""
    def paint(image, box, ctx):
        left, top, w, h = box
        layer = _shape_layer((w, h))
        d = ImageDraw.Draw(layer)
        W, H = w * SS, h * SS
        m = 3 * SS
        head = H * 0.5
        shaft = W * 0.2
        if direction < 0:
            pts = [(W / 2, m), (W - m, head), (W / 2 + shaft, head), (W / 2 + shaft, H - m),
                   (W / 2 - shaft, H - m), (W / 2 - shaft, head), (m, head)]
        else:
            pts = [(W / 2, H - m), (W - m, H - head), (W / 2 + shaft, H - head), (W / 2 + shaft, m),
                   (W / 2 - shaft, m), (W / 2 - shaft, H - head), (m, H - head)]
        d.polygon(pts, fill=colour, outline=DARK, width=2 * SS)
        _paste_down(image, layer, box)
    return paint


def _fit_font(ctx, face, text, w, h, stroke):
    size = h
    while size > 8:
        font = ctx.font(face, size)
        x0, y0, x1, y1 = font.getbbox(text, stroke_width=stroke)
        if x1 - x0 <= w and y1 - y0 <= h:
            return font
        size -= 1
    return ctx.font(face, 8)


def banner(text, top_colour, bottom_colour, glow, face="display", margin=8, stroke=3):
    """Bold text as large as fits, filled with a vertical gradient, a dark
    outline and a soft coloured glow around it."""
    def paint(image, box, ctx):
        left, top, w, h = box
        words = ctx.text(text)
        font = _fit_font(ctx, face, words, w - 2 * margin, h - 2 * margin, stroke)
        x0, y0, x1, y1 = font.getbbox(words, stroke_width=stroke)
        ox = (w - (x1 - x0)) / 2 - x0
        oy = (h - (y1 - y0)) / 2 - y0

        mask = Image.new("L", (w, h), 0)
        ImageDraw.Draw(mask).text((ox, oy), words, font=font, fill=255, stroke_width=stroke + 2,
                                  stroke_fill=255)
        halo = mask.filter(ImageFilter.GaussianBlur(margin / 2.2))
        glow_layer = Image.new("RGBA", (w, h), glow[:3] + (0,))
        glow_layer.putalpha(halo.point(lambda v: int(v * glow[3] / 255)))

        outline = Image.new("RGBA", (w, h), (0, 0, 0, 0))
        ImageDraw.Draw(outline).text((ox, oy), words, font=font, fill=DARK, stroke_width=stroke,
                                     stroke_fill=DARK)

        fill_mask = Image.new("L", (w, h), 0)
        ImageDraw.Draw(fill_mask).text((ox, oy), words, font=font, fill=255)
        gradient = Image.new("RGBA", (w, h))
        gy0, gy1 = oy + y0 + stroke, oy + y1 - stroke
        for y in range(h):
            t = min(1.0, max(0.0, (y - gy0) / max(1.0, gy1 - gy0)))
            c = tuple(int(round(a + (b - a) * t)) for a, b in zip(top_colour, bottom_colour))
            ImageDraw.Draw(gradient).line([(0, y), (w - 1, y)], fill=c)
        gradient.putalpha(fill_mask)

        cell = Image.new("RGBA", (w, h), (0, 0, 0, 0))
        cell.alpha_composite(glow_layer)
        cell.alpha_composite(outline)
        cell.alpha_composite(gradient)
        image.alpha_composite(cell, (left, top))
    return paint


def streak_pill(image, box, ctx):
    """A dark pill with "STREAK ×" in gold; the count is drawn after it in white digits."""
    left, top, w, h = box
    layer = _shape_layer((w, h))
    ImageDraw.Draw(layer).rounded_rectangle([0, 0, w * SS - 1, h * SS - 1], radius=h * SS // 2,
                                            fill=PANEL_FILL, outline=(255, 196, 64, 120), width=SS)
    _paste_down(image, layer, box)
    # The game draws the count after the "×" at x = 92.
    _label(image, box, ("hud.streak", "STREAK"), ctx, size=14, spacing=2, pad=(14, 11), fill=GOLD,
           room=92 - 14 - 6)
    font = ctx.font("display", 22)
    layer = Image.new("RGBA", image.size, (0, 0, 0, 0))
    x0, y0, x1, y1 = font.getbbox("×")
    ImageDraw.Draw(layer).text((left + 92 - x0, top + (h - (y1 - y0)) / 2 - y0), "×", font=font,
                               fill=GOLD)
    image.alpha_composite(layer.crop((left, top, left + w, top + h)), (left, top))


WHITE_TOP = (255, 255, 255, 255)
WHITE_BOTTOM = (214, 226, 240, 255)
GLOW_DARK = (0, 10, 30, 200)
GLOW_GOLD = (255, 170, 40, 170)
GLOW_RED = (255, 40, 20, 160)

ROUND_PAINTERS = {
    "timeremain": hud_panel(("hud.time", "TIME")),
    "level": hud_panel(("hud.level", "LEVEL"), align="centre"),
    "konahen": hud_panel(("hud.found", "FOUND"), align="centre"),
    "distance": hud_panel(("hud.distance", "DISTANCE")),
    "ans_time": clock_face,
    "km": unit_mark(("unit.km", "km")),
    "mi": unit_mark(("unit.mi", "mi")),
    "up": arrow(-1, GOLD),
    "down": arrow(+1, COOL),
    "levelup": banner(("banner.levelup", "LEVEL UP!"), GOLD_LIGHT, GOLD, GLOW_GOLD),
    "hurryup": banner(("banner.hurryup", "HURRY UP!"), RED_LIGHT, RED, GLOW_RED),
    "time_short": banner(("banner.time_short", "LAST 10 SECONDS!"), RED_LIGHT, RED, GLOW_RED),
    "dobest": banner(("banner.dobest", "DO YOUR BEST!"), WHITE_TOP, WHITE_BOTTOM, GLOW_DARK),
    "gameintro": banner(("banner.gameintro", "Find each place on the globe"), WHITE_TOP, WHITE_BOTTOM, GLOW_DARK,
                        margin=6, stroke=2),
    "gamestart": banner(("banner.gamestart", "START!"), WHITE_TOP, GOLD_LIGHT, GLOW_GOLD, margin=10),
    "gameover": banner(("banner.gameover", "GAME OVER"), WHITE_TOP, WHITE_BOTTOM, GLOW_DARK, margin=10),
    "just": banner(("banner.just", "JUST!"), GOLD_LIGHT, GOLD, GLOW_GOLD, margin=9),
    "just_x": streak_pill,
}
