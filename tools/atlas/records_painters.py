"""The second atlas, devdata/game2.png: the results screen (heading, row
labels, fame marks), the continue button and the in-game menu (pause button,
"Resume" and "Quit game", the "PAUSED" label).

Every widget in devdata/params.json whose "texture" is devdata/game2.png is
painted into its "uv"/"size" rectangle by the painter registered under its
name (or, for a lone widget object such as "agree"."widget", its path) in
RECORDS_PAINTERS (make_atlas.py calls make_game2). Widgets that share
one rectangle (the three fame marks) are painted once.

Style as the round HUD (round_painters.py): white type with a dark outline,
translucent dark panels with a faint light edge, the warm gold accent for
rewards and for the one button that moves the game on. Shapes are drawn 4x
supersampled, so the output is deterministic.
"""
import math

from PIL import Image, ImageDraw, ImageFilter

from round_painters import DARK, GLOW_DARK, GOLD, GOLD_LIGHT, SS, WHITE_BOTTOM, WHITE_TOP, banner
from widget_atlas import paint_atlas  # noqa: E402

ATLAS = "devdata/game2.png"
ATLAS_SIZE = (1024, 512)

GOLD_DEEP = (226, 146, 22, 255)
MENU_FILL = (8, 12, 20, 205)  # a little denser than the HUD panels: the buttons sit over the globe
WHITE = (255, 255, 255, 255)
LABEL = (255, 255, 255, 235)
LEADER = (255, 255, 255, 60)
SCORE_ROOM = 120  # width of the results' "Score" label, left of the score's digits


def _layer(w, h):
    return Image.new("RGBA", (w * SS, h * SS), (0, 0, 0, 0))


def _down(image, layer, box):
    left, top, w, h = box
    image.alpha_composite(layer.resize((w, h), Image.LANCZOS), (left, top))


def _text(image, box, text, font, fill, x, y_centre, stroke=0, ref="H", anchor_left=True):
    """Text with its cap height centred on y_centre (descenders hang below);
    x is its left edge, or its centre when anchor_left is False."""
    left, top, w, h = box
    _, ry0, _, ry1 = font.getbbox(ref)
    x0, _, x1, _ = font.getbbox(text, stroke_width=stroke)
    tx = x - x0 if anchor_left else x - (x1 - x0) / 2 - x0
    ty = y_centre - (ry0 + ry1) / 2
    layer = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    ImageDraw.Draw(layer).text((tx, ty), text, font=font, fill=fill, stroke_width=stroke,
                               stroke_fill=DARK)
    image.alpha_composite(layer, (left, top))
    return tx + x1  # right end of the ink


def _triangle(d, cx, cy, size, fill):
    """A play arrow (pointing right) centred on (cx, cy), in supersampled units."""
    r = size / 2
    d.polygon([(cx - r * 0.8, cy - r), (cx + r, cy), (cx - r * 0.8, cy + r)], fill=fill)


def continue_button(image, box, ctx):
    """A gold pill with dark type and a play arrow: the one way on from the
    results, the ranking and the credits."""
    left, top, w, h = box
    m = 4  # room for the soft shadow and the press scale's filtering
    layer = _layer(w, h)
    d = ImageDraw.Draw(layer)
    r = (h - 2 * m) * SS // 2
    shadow = _layer(w, h)
    ImageDraw.Draw(shadow).rounded_rectangle([m * SS, (m + 2) * SS, (w - m) * SS - 1, (h - m + 2) * SS - 1],
                                             radius=r, fill=(0, 0, 0, 150))
    layer.alpha_composite(shadow.filter(ImageFilter.GaussianBlur(2 * SS)))
    pill = [m * SS, m * SS, (w - m) * SS - 1, (h - m) * SS - 1]
    gradient = Image.new("RGBA", layer.size)
    gd = ImageDraw.Draw(gradient)
    for y in range(layer.size[1]):
        t = min(1.0, max(0.0, (y - pill[1]) / (pill[3] - pill[1])))
        c = tuple(int(round(a + (b - a) * t)) for a, b in zip(GOLD_LIGHT, GOLD_DEEP))
        gd.line([(0, y), (layer.size[0], y)], fill=c)
    mask = Image.new("L", layer.size, 0)
    ImageDraw.Draw(mask).rounded_rectangle(pill, radius=r, fill=255)
    layer.paste(gradient, (0, 0), mask)
    d.rounded_rectangle(pill, radius=r, outline=(120, 70, 0, 255), width=SS)
    # A thin highlight under the top edge.
    d.arc([pill[0] + 2 * SS, pill[1] + SS, pill[0] + 2 * r, pill[1] + 2 * r - SS], 180, 270,
          fill=(255, 255, 255, 150), width=SS)
    d.line([pill[0] + r, pill[1] + 2 * SS, pill[2] - r, pill[1] + 2 * SS], fill=(255, 255, 255, 150),
           width=SS)
    label = ctx.text(("button.continue", "Continue"))
    arrow = 16
    gap = 12
    font = ctx.fitted("display", 26, label, w - 2 * m - h * 0.6 - gap - arrow)
    x0, _, x1, _ = font.getbbox(label)
    total = (x1 - x0) + gap + arrow
    start = (w - total) / 2
    _triangle(d, (start + (x1 - x0) + gap + arrow / 2) * SS, (h / 2) * SS, arrow * SS, DARK)
    _down(image, layer, box)
    _text(image, box, label, font, DARK, start, h / 2)


def pause_button(image, box, ctx):
    """A round dark button with a white bezel and the two bars of a pause
    sign, a smaller sibling of the answer-time dial above it."""
    left, top, w, h = box
    layer = _layer(w, h)
    d = ImageDraw.Draw(layer)
    cx, cy = w * SS / 2, h * SS / 2

    def disc(r, **kw):
        d.ellipse([cx - r * SS, cy - r * SS, cx + r * SS, cy + r * SS], **kw)

    disc(w / 2 - 1.5, fill=(8, 12, 20, 170))
    disc(w / 2 - 4.0, outline=(255, 255, 255, 245), width=int(2.5 * SS))
    bar_w, bar_h, gap = 6.5, 22, 6
    for sx in (-1, 1):
        x = cx + sx * (gap / 2 + bar_w / 2) * SS
        d.rounded_rectangle([x - bar_w / 2 * SS, cy - bar_h / 2 * SS, x + bar_w / 2 * SS,
                             cy + bar_h / 2 * SS], radius=2 * SS, fill=WHITE)
    _down(image, layer, box)


def menu_button(text, edge, icon):
    """A dark pill with a coloured edge, an icon and white type."""
    def paint(image, box, ctx):
        left, top, w, h = box
        m = 3
        layer = _layer(w, h)
        d = ImageDraw.Draw(layer)
        pill = [m * SS, m * SS, (w - m) * SS - 1, (h - m) * SS - 1]
        r = (h - 2 * m) * SS // 2
        d.rounded_rectangle(pill, radius=r, fill=MENU_FILL, outline=edge, width=2 * SS)
        words = ctx.text(text)
        icon_w, gap = 14, 10
        font = ctx.fitted("display", 22, words, w - 2 * m - h * 0.6 - gap - icon_w, stroke=1)
        x0, _, x1, _ = font.getbbox(words)
        start = (w - ((x1 - x0) + gap + icon_w)) / 2
        ix, iy = (start + icon_w / 2) * SS, (h / 2) * SS
        if icon == "play":
            _triangle(d, ix, iy, icon_w * SS, edge)
        else:  # a cross
            s = icon_w / 2 * 0.8 * SS
            for a, b in (((-s, -s), (s, s)), ((-s, s), (s, -s))):
                d.line([ix + a[0], iy + a[1], ix + b[0], iy + b[1]], fill=edge, width=3 * SS)
        _down(image, layer, box)
        _text(image, box, words, font, WHITE, start + icon_w + gap, h / 2, stroke=1)
    return paint


def results_heading(image, box, ctx):
    """"RESULTS" spaced out in the display face over a short gold rule."""
    left, top, w, h = box
    text = ctx.text(("results.title", "RESULTS"))
    spacing = 5
    font = ctx.fitted("display", 34, text, w - 8, stroke=3, spacing=spacing)
    widths = [font.getbbox(ch, stroke_width=3)[2] - font.getbbox(ch, stroke_width=3)[0] for ch in text]
    total = sum(widths) + spacing * (len(text) - 1)
    x = (w - total) / 2
    cy = h / 2 - 4
    for ch, cw in zip(text, widths):
        _text(image, box, ch, font, WHITE, x, cy, stroke=3)
        x += cw + spacing
    layer = _layer(w, h)
    rule_w, rule_y = 56, h - 5
    ImageDraw.Draw(layer).rounded_rectangle([(w - rule_w) / 2 * SS, (rule_y - 1.5) * SS,
                                             (w + rule_w) / 2 * SS, (rule_y + 1.5) * SS],
                                            radius=1.5 * SS, fill=GOLD)
    _down(image, layer, box)


def row_label(text):
    """A row's name at the left, in the text face, with a faint dotted leader
    running on towards the number column."""
    def paint(image, box, ctx):
        left, top, w, h = box
        words = ctx.text(text)
        font = ctx.fitted("text", 21, words, w - 3, stroke=2)
        end = _text(image, box, words, font, LABEL, 1, h / 2, stroke=2)
        layer = _layer(w, h)
        d = ImageDraw.Draw(layer)
        y = (h / 2 + 6) * SS
        x = math.ceil(end + 8)
        while x + 2 <= w - 4:
            d.ellipse([x * SS, y - SS, (x + 2) * SS, y + SS], fill=LEADER)
            x += 6
        _down(image, layer, box)
    return paint


def score_label(image, box, ctx):
    """A separator across the panel, then "Score" in gold beside the place
    where the large digits stand (they start 8 units below the rule)."""
    left, top, w, h = box
    layer = _layer(w, h)
    d = ImageDraw.Draw(layer)
    for x in range(w * SS):
        t = x / (w * SS - 1)
        fade = min(1.0, t / 0.15, (1 - t) / 0.15)
        d.line([x, 0, x, SS - 1], fill=(255, 255, 255, int(round(70 * fade))))
    _down(image, layer, box)
    digits_top, digits_h = 8, 69
    # The score's digits stand to the right of the label's room.
    score = ctx.text(("results.score", "Score"))
    _text(image, box, score, ctx.fitted("display", 30, score, SCORE_ROOM, stroke=2), GOLD, 1,
          digits_top + digits_h / 2, stroke=2)


def fame_star(image, box, ctx):
    """A five-pointed gold star with a light core, a dark outline and a warm
    glow. The screen draws unearned marks at a fifth of its brightness, which
    leaves a dark star-shaped slot."""
    left, top, w, h = box
    cx, cy = w / 2, h / 2 + 1.5
    outer, inner = w / 2 - 6, (w / 2 - 6) * 0.45

    def points(scale=1.0):
        pts = []
        for i in range(10):
            r = (outer if i % 2 == 0 else inner) * scale
            a = -math.pi / 2 + i * math.pi / 5
            pts.append(((cx + r * math.cos(a)) * SS, (cy + r * math.sin(a)) * SS))
        return pts

    glow = Image.new("L", (w * SS, h * SS), 0)
    ImageDraw.Draw(glow).polygon(points(1.08), fill=255)
    glow = glow.filter(ImageFilter.GaussianBlur(3 * SS))
    layer = Image.new("RGBA", glow.size, GOLD[:3] + (0,))
    layer.putalpha(glow.point(lambda v: int(v * 0.55)))
    d = ImageDraw.Draw(layer)
    d.polygon(points(), fill=DARK)
    body = Image.new("RGBA", glow.size)
    bd = ImageDraw.Draw(body)
    for y in range(glow.size[1]):
        t = min(1.0, max(0.0, (y / SS - (cy - outer)) / (2 * outer)))
        c = tuple(int(round(a + (b - a) * t)) for a, b in zip(GOLD_LIGHT, GOLD_DEEP))
        bd.line([(0, y), (glow.size[0], y)], fill=c)
    mask = Image.new("L", glow.size, 0)
    ImageDraw.Draw(mask).polygon(points(0.86), fill=255)
    layer.paste(body, (0, 0), mask)
    _down(image, layer, box)


RECORDS_PAINTERS = {
    "agree/widget": continue_button,  # a lone widget object is named by its path
    "abort": pause_button,
    "abort_ng": menu_button(("menu.resume", "Resume"), GOLD, "play"),
    "abort_ok": menu_button(("menu.quit", "Quit game"), (255, 255, 255, 200), "cross"),
    "pause": banner(("banner.pause", "PAUSED"), WHITE_TOP, WHITE_BOTTOM, GLOW_DARK, margin=14, stroke=3),
    "result_title": results_heading,
    "result_konahen": row_label(("results.found", "Places found")),
    "result_level": row_label(("results.level", "Level")),
    "result_just": row_label(("results.just", "First-tap answers")),
    "result_just_max": row_label(("results.best_streak", "Best streak")),
    "result_tap": row_label(("results.taps", "Taps")),
    "result_tap_avg": row_label(("results.taps_avg", "Taps per place")),
    "result_score": score_label,
    "result_fame1": fame_star,
    "result_fame2": fame_star,
    "result_fame3": fame_star,
}



def make_game2(params, ctx, find_widgets, placeholder):
    """The atlas image: every game2.png widget found in params painted into its
    rectangle; problems (no painter, a rectangle off the atlas, overlaps) are
    reported on stderr as for game.png."""
    def painter_for(name, where):  # a widget's own path first, then its name
        return RECORDS_PAINTERS.get(where, RECORDS_PAINTERS.get(name))
    return paint_atlas(ATLAS, ATLAS_SIZE, painter_for, params, ctx,
                       find_widgets, placeholder)
