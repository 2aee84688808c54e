"""The title atlas, devdata/title.png: the intro pictures, the two halves of
the logo with their subtitles, the studio's mark, the notice line, the mode
buttons, the credits button and the sound button with its volume bar.

Every widget in devdata/params.json whose "texture" is devdata/title.png is
painted into its "uv"/"size" rectangle by the painter registered under its
name in TITLE_PAINTERS (make_atlas.py calls make_title). The logo's halves
hold their letters against the seam where they meet (set_title_params.py
places that seam so the whole word is centred).

Style as the other atlases: white type with a dark outline, translucent dark
panels with a faint light edge, the warm gold accent for the one button that
starts a game. Shapes are drawn 4x supersampled, so the output is
deterministic.
"""
import math

from PIL import Image, ImageDraw, ImageFilter

from round_painters import DARK, GLOW_DARK, GOLD, GOLD_LIGHT, SS, WHITE_BOTTOM, WHITE_TOP
from widget_atlas import paint_atlas  # noqa: E402

ATLAS = "devdata/title.png"
ATLAS_SIZE = (1024, 512)

STUDIO = "Pebblecrest"
GOLD_DEEP = (226, 146, 22, 255)
PANEL = (8, 12, 20, 190)
EDGE = (255, 255, 255, 70)
WHITE = (255, 255, 255, 255)
SOFT = (255, 255, 255, 215)
LOGO_SIZE = 92   # as set_title_params.py
LOGO_STROKE = 4


def _layer(w, h):
    return Image.new("RGBA", (w * SS, h * SS), (0, 0, 0, 0))


def _down(image, layer, box):
    left, top, w, h = box
    image.alpha_composite(layer.resize((w, h), Image.LANCZOS), (left, top))


def _gradient(size, top_colour, bottom_colour, y0, y1):
    g = Image.new("RGBA", size)
    d = ImageDraw.Draw(g)
    for y in range(size[1]):
        t = min(1.0, max(0.0, (y - y0) / max(1.0, y1 - y0)))
        d.line([(0, y), (size[0], y)], fill=tuple(int(round(a + (b - a) * t))
                                                  for a, b in zip(top_colour, bottom_colour)))
    return g


def _text(image, box, text, font, fill, x, align="left", stroke=0, spacing=0, y_centre=None):
    """One line with its cap height centred vertically; x is the left end,
    the centre or the right end of the ink as align says."""
    left, top, w, h = box
    widths = [font.getbbox(ch, stroke_width=stroke)[2] - font.getbbox(ch, stroke_width=stroke)[0]
              for ch in text] if spacing else None
    if spacing:
        total = sum(widths) + spacing * (len(text) - 1)
    else:
        x0, _, x1, _ = font.getbbox(text, stroke_width=stroke)
        total = x1 - x0
    start = {"left": x, "center": x - total / 2, "right": x - total}[align]
    _, ry0, _, ry1 = font.getbbox("H")
    yc = h / 2 if y_centre is None else y_centre
    ty = yc - (ry0 + ry1) / 2
    layer = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    d = ImageDraw.Draw(layer)
    if spacing:
        cx = start
        for ch, cw in zip(text, widths):
            x0 = font.getbbox(ch, stroke_width=stroke)[0]
            d.text((cx - x0, ty), ch, font=font, fill=fill, stroke_width=stroke, stroke_fill=DARK)
            cx += cw + spacing
    else:
        x0 = font.getbbox(text, stroke_width=stroke)[0]
        d.text((start - x0, ty), text, font=font, fill=fill, stroke_width=stroke, stroke_fill=DARK)
    image.alpha_composite(layer, (left, top))


def logo_half(text, top_colour, bottom_colour, glow, align):
    """Big letters with a gradient fill, a dark outline and a soft glow, held
    against the seam (right end for "GLOB", left end for "ARO")."""
    def paint(image, box, ctx):
        left, top, w, h = box
        font = ctx.font("display", LOGO_SIZE)
        x0, y0, x1, y1 = font.getbbox(text, stroke_width=LOGO_STROKE)
        ox = (w - (x1 - x0) - x0) if align == "right" else -x0
        oy = (h - (y1 - y0)) / 2 - y0
        mask = Image.new("L", (w, h), 0)
        ImageDraw.Draw(mask).text((ox, oy), text, font=font, fill=255, stroke_width=LOGO_STROKE + 3,
                                  stroke_fill=255)
        halo = mask.filter(ImageFilter.GaussianBlur(6))
        glow_layer = Image.new("RGBA", (w, h), glow[:3] + (0,))
        glow_layer.putalpha(halo.point(lambda v: int(v * glow[3] / 255)))
        outline = Image.new("RGBA", (w, h), (0, 0, 0, 0))
        ImageDraw.Draw(outline).text((ox, oy), text, font=font, fill=DARK, stroke_width=LOGO_STROKE,
                                     stroke_fill=DARK)
        fill_mask = Image.new("L", (w, h), 0)
        ImageDraw.Draw(fill_mask).text((ox, oy), text, font=font, fill=255)
        body = _gradient((w, h), top_colour, bottom_colour, oy + y0, oy + y1)
        body.putalpha(fill_mask)
        cell = Image.new("RGBA", (w, h), (0, 0, 0, 0))
        for part in (glow_layer, outline, body):
            cell.alpha_composite(part)
        image.alpha_composite(cell, (left, top))
    return paint


def subtitle(text, align):
    def paint(image, box, ctx):
        w = box[2]
        words = ctx.text(text)
        _text(image, box, words, ctx.fitted("text", 16, words, w - 4, stroke=2, spacing=2), SOFT,
              w - 2 if align == "right" else 2,
              align=align, stroke=2, spacing=2)
    return paint


def _emblem(d, cx, cy, r, line):
    """The studio's mark: a pebble-round disc crossed by a tilted orbit with a
    gold bead on it."""
    d.ellipse([cx - r, cy - r, cx + r, cy + r], fill=(28, 70, 128, 255), outline=WHITE, width=line)
    d.ellipse([cx - r * 0.62, cy - r * 0.7, cx + r * 0.1, cy - r * 0.12], fill=(90, 150, 205, 255))
    d.arc([cx - r * 0.62, cy - r * 0.62, cx + r * 0.62, cy + r * 0.62], 200, 320,
          fill=(255, 255, 255, 120), width=line)
    ow, oh = r * 1.4, r * 0.55
    orbit = [cx - ow, cy - oh, cx + ow, cy + oh]
    d.arc(orbit, 160, 380, fill=GOLD, width=line)
    a = math.radians(335)
    bx, by = cx + ow * math.cos(a), cy + oh * math.sin(a)
    br = r * 0.26
    d.ellipse([bx - br, by - br, bx + br, by + br], fill=GOLD_LIGHT, outline=DARK, width=line // 2)


def studio_mark(image, box, ctx):
    left, top, w, h = box
    layer = _layer(w, h)
    r = (h / 2 - 10) * SS
    _emblem(ImageDraw.Draw(layer), (h / 2 + 4) * SS, h / 2 * SS, r, 2 * SS)
    _down(image, layer, box)
    x = h + 14
    _text(image, box, STUDIO.upper(), ctx.font("display", 17), WHITE, x, stroke=2, spacing=0,
          y_centre=h / 2 - 7)
    _text(image, box, "STUDIO", ctx.font("text", 12), (255, 220, 150, 255), x + 1, stroke=2,
          spacing=5, y_centre=h / 2 + 13)


def studio_card(image, box, ctx):
    """The first intro picture: on a dark translucent card, the studio's mark
    large, its name, "presents"."""
    left, top, w, h = box
    layer = _layer(w, h)
    d = ImageDraw.Draw(layer)
    _panel(d, w, h)
    r = (h / 2 - 20) * SS
    _emblem(d, (h / 2 + 18) * SS, h / 2 * SS, r, 3 * SS)
    _down(image, layer, box)
    x = h + 44
    _text(image, box, STUDIO.upper(), ctx.font("display", 28), WHITE, x, stroke=3, spacing=1,
          y_centre=h / 2 - 12)
    presents = ctx.text(("studio.presents", "STUDIO  PRESENTS"))
    _text(image, box, presents, ctx.fitted("text", 16, presents, w - x - 14, stroke=2, spacing=4),
          (255, 220, 150, 255), x + 2,
          stroke=2, spacing=4, y_centre=h / 2 + 24)


def _panel(d, w, h, m=4):
    d.rounded_rectangle([m * SS, m * SS, (w - m) * SS - 1, (h - m) * SS - 1], radius=22 * SS,
                        fill=PANEL, outline=EDGE, width=SS)


def _icon_globe(d, cx, cy, r):
    d.ellipse([cx - r, cy - r, cx + r, cy + r], fill=(30, 70, 120, 255), outline=WHITE, width=3 * SS)
    for k in (0.35, 0.75):
        d.ellipse([cx - r * k, cy - r, cx + r * k, cy + r], outline=(255, 255, 255, 150), width=2 * SS)
    d.line([cx - r, cy, cx + r, cy], fill=(255, 255, 255, 150), width=2 * SS)
    for s in (-1, 1):  # curved arrows around it: turn
        d.arc([cx - r * 1.35, cy - r * 1.35, cx + r * 1.35, cy + r * 1.35],
              200 if s < 0 else 20, 250 if s < 0 else 70, fill=GOLD, width=4 * SS)


def _icon_tap(d, cx, cy, r):
    for k, a in ((1.0, 90), (0.68, 170)):
        d.ellipse([cx - r * k, cy - r * k, cx + r * k, cy + r * k], outline=(255, 196, 64, a),
                  width=3 * SS)
    d.ellipse([cx - r * 0.3, cy - r * 0.3, cx + r * 0.3, cy + r * 0.3], fill=GOLD)
    # A fingertip coming down on the mark from the lower right.
    fx, fy = cx + r * 0.35, cy + r * 0.35
    d.rounded_rectangle([fx, fy, fx + r * 0.55, fy + r * 1.25], radius=r * 0.27, fill=WHITE,
                        outline=DARK, width=2 * SS)


def _icon_clock(d, cx, cy, r):
    d.ellipse([cx - r, cy - r, cx + r, cy + r], fill=(20, 26, 38, 255), outline=WHITE, width=3 * SS)
    d.pieslice([cx - r * 0.82, cy - r * 0.82, cx + r * 0.82, cy + r * 0.82], -90, 120, fill=GOLD)
    d.line([cx, cy, cx, cy - r * 0.7], fill=WHITE, width=3 * SS)
    d.rounded_rectangle([cx - r * 0.18, cy - r * 1.3, cx + r * 0.18, cy - r * 1.08], radius=SS,
                        fill=WHITE)


def how_to(icon, caption):
    def paint(image, box, ctx):
        left, top, w, h = box
        layer = _layer(w, h)
        d = ImageDraw.Draw(layer)
        _panel(d, w, h)
        icon(d, w / 2 * SS, 74 * SS, 42 * SS)
        _down(image, layer, box)
        words = ctx.text(caption)
        _text(image, box, words, ctx.fitted("display", 21, words, w - 16, stroke=2), WHITE, w / 2,
              align="center", stroke=2,
              y_centre=h - 34)
    return paint


def notice(image, box, ctx):
    w = box[2]
    imagery = ctx.text(("notice.imagery", "Earth imagery"))
    line = f"\u00a9 2026 {STUDIO} Studio \u00b7 {imagery}: NASA Blue Marble"
    _text(image, box, line, ctx.fitted("text", 15, line, w - 8, stroke=2), (255, 255, 255, 200),
          w / 2, align="center", stroke=2)


def _pill(w, h, fill_top, fill_bottom, edge, m=4):
    layer = _layer(w, h)
    r = (h - 2 * m) * SS // 2
    shadow = _layer(w, h)
    ImageDraw.Draw(shadow).rounded_rectangle([m * SS, (m + 2) * SS, (w - m) * SS - 1,
                                              (h - m + 2) * SS - 1], radius=r, fill=(0, 0, 0, 140))
    layer.alpha_composite(shadow.filter(ImageFilter.GaussianBlur(2 * SS)))
    pill = [m * SS, m * SS, (w - m) * SS - 1, (h - m) * SS - 1]
    mask = Image.new("L", layer.size, 0)
    ImageDraw.Draw(mask).rounded_rectangle(pill, radius=r, fill=255)
    layer.paste(_gradient(layer.size, fill_top, fill_bottom, pill[1], pill[3]), (0, 0), mask)
    ImageDraw.Draw(layer).rounded_rectangle(pill, radius=r, outline=edge, width=2 * SS)
    return layer


def mode_button(label, sub, gold):
    """A pill: gold with dark type for the way into a game, dark with a gold
    edge for the harder modes; the mode's one-line rule under its name."""
    def paint(image, box, ctx):
        left, top, w, h = box
        if gold:
            layer = _pill(w, h, GOLD_LIGHT, GOLD_DEEP, (120, 70, 0, 255))
            ink, sub_ink, stroke = DARK, (60, 36, 0, 255), 0
        else:
            layer = _pill(w, h, (24, 30, 44, 225), (6, 9, 16, 225), GOLD)
            ink, sub_ink, stroke = WHITE, (255, 220, 150, 255), 2
        d = ImageDraw.Draw(layer)
        ax, ay, s = 30 * SS, h / 2 * SS, 9 * SS
        d.polygon([(ax - s * 0.8, ay - s), (ax + s, ay), (ax - s * 0.8, ay + s)],
                  fill=ink if gold else GOLD)
        _down(image, layer, box)
        name = ctx.text(label)
        room = w - 70  # centred at w / 2 + 10, clear of the arrow at the left
        if sub:
            rule = ctx.text(sub)
            _text(image, box, name, ctx.fitted("display", 24, name, room, stroke=stroke), ink,
                  w / 2 + 10, align="center", stroke=stroke, y_centre=h / 2 - 8)
            # The rule's line runs under the arrow: only the pill's ends bound it.
            _text(image, box, rule, ctx.fitted("text", 12, rule, w - 40, stroke=1 if stroke else 0,
                                               spacing=1), sub_ink, w / 2 + 10, align="center",
                  stroke=1 if stroke else 0, spacing=1, y_centre=h / 2 + 14)
        else:
            _text(image, box, name, ctx.fitted("display", 30, name, room, stroke=stroke), ink,
                  w / 2 + 10, align="center", stroke=stroke)
    return paint


def credits_button(image, box, ctx):
    left, top, w, h = box
    layer = _pill(w, h, (24, 30, 44, 215), (6, 9, 16, 215), (255, 255, 255, 170))
    d = ImageDraw.Draw(layer)
    cx, cy, r = 30 * SS, h / 2 * SS, 9 * SS  # a small star: the people behind the game
    pts = []
    for i in range(10):
        rr = r if i % 2 == 0 else r * 0.45
        a = -math.pi / 2 + i * math.pi / 5
        pts.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
    d.polygon(pts, fill=GOLD)
    _down(image, layer, box)
    words = ctx.text(("title.credits", "Credits"))
    _text(image, box, words, ctx.fitted("display", 21, words, 2 * (w / 2 + 12 - 44), stroke=2), WHITE,
          w / 2 + 12, align="center", stroke=2)


def sound_button(image, box, ctx):
    """A round dark button with a speaker and its sound waves."""
    left, top, w, h = box
    layer = _layer(w, h)
    d = ImageDraw.Draw(layer)
    cx, cy = w / 2 * SS, h / 2 * SS
    r = (w / 2 - 3) * SS
    d.ellipse([cx - r, cy - r, cx + r, cy + r], fill=(8, 12, 20, 185))
    r2 = (w / 2 - 6) * SS
    d.ellipse([cx - r2, cy - r2, cx + r2, cy + r2], outline=(255, 255, 255, 235), width=int(2.5 * SS))
    u = SS
    sx = cx - 12 * u
    d.polygon([(sx - 6 * u, cy - 6 * u), (sx, cy - 6 * u), (sx + 9 * u, cy - 14 * u),
               (sx + 9 * u, cy + 14 * u), (sx, cy + 6 * u), (sx - 6 * u, cy + 6 * u)], fill=WHITE)
    for k, col in ((8, GOLD), (15, GOLD)):
        d.arc([sx + 9 * u - k * u, cy - k * u, sx + 9 * u + k * u, cy + k * u], -50, 50, fill=col,
              width=3 * u)
    _down(image, layer, box)


def volume_bar(filled):
    def paint(image, box, ctx):
        left, top, w, h = box
        layer = _layer(w, h)
        d = ImageDraw.Draw(layer)
        m = 5
        rect = [0, m * SS, w * SS - 1, (h - m) * SS - 1]
        r = (h - 2 * m) * SS // 2
        if filled:
            mask = Image.new("L", layer.size, 0)
            ImageDraw.Draw(mask).rounded_rectangle(rect, radius=r, fill=255)
            layer.paste(_gradient(layer.size, GOLD_LIGHT, GOLD_DEEP, rect[1], rect[3]), (0, 0), mask)
        else:
            d.rounded_rectangle(rect, radius=r, fill=(8, 12, 20, 200), outline=(255, 255, 255, 150),
                                width=2 * SS)
        _down(image, layer, box)
    return paint


def option_button(label, swatches=()):
    """A small dark pill naming a choice in force, with colour dots where the
    choice is one of colours."""
    def paint(image, box, ctx):
        left, top, w, h = box
        layer = _pill(w, h, (24, 30, 44, 225), (6, 9, 16, 225), (255, 255, 255, 150), m=2)
        d = ImageDraw.Draw(layer)
        r = 6 * SS
        for i, colour in enumerate(swatches):
            cx, cy = (w - 22 - 16 * (len(swatches) - 1 - i)) * SS, h / 2 * SS
            d.ellipse([cx - r, cy - r, cx + r, cy + r], fill=colour, outline=WHITE, width=SS)
        _down(image, layer, box)
        x = (w - 16 * len(swatches)) / 2 if swatches else w / 2
        # Centred on x and clear of the leftmost colour dot.
        room = 2 * (w - 22 - 16 * len(swatches) - x) if swatches else w - 24
        words = ctx.text(label)
        _text(image, box, words, ctx.fitted("text", 15, words, room, stroke=2), WHITE, x,
              align="center", stroke=2)
    return paint


TITLE_PAINTERS = {
    "intro_1": studio_card,
    "intro_2": how_to(_icon_globe, ("intro.turn", "Turn the globe")),
    "intro_3": how_to(_icon_tap, ("intro.tap", "Tap the place")),
    "intro_4": how_to(_icon_clock, ("intro.clock", "Beat the clock")),
    "glob": logo_half("GLOB", WHITE_TOP, WHITE_BOTTOM, GLOW_DARK, "right"),
    "aro": logo_half("ARO", GOLD_LIGHT, GOLD_DEEP, GLOW_DARK, "left"),
    "glob_kana": subtitle(("logo.sub_left", "FIND THE PLACE"), "right"),
    "aro_kana": subtitle(("logo.sub_right", "ON THE EARTH"), "left"),
    "orb": studio_mark,
    "copyright": notice,
    "play": mode_button(("mode.play", "Play"), None, True),
    "normal": mode_button(("mode.normal", "Normal"), ("mode.normal_sub", "turn and tap"), True),
    "advanced": mode_button(("mode.advanced", "Advanced"),
                            ("mode.advanced_sub", "the globe turns freely"), False),
    "survival": mode_button(("mode.survival", "Survival"),
                            ("mode.survival_sub", "one time-out ends it"), False),
    "credits": credits_button,
    "sound": sound_button,
    "sound_off": volume_bar(False),
    "sound_on": volume_bar(True),
    "unit_km": option_button(("option.km", "Distances in km")),
    "unit_mi": option_button(("option.mi", "Distances in miles")),
    # The pairs that tell right from wrong: as drawn by default, and the
    # colour-blind-safe pair (the game's "palette" in params.json).
    "palette_std": option_button(("option.colours", "Colours"), ((230, 40, 40, 255), (40, 200, 70, 255))),
    "palette_cvd": option_button(("option.colours", "Colours"), ((40, 120, 255, 255), (255, 150, 20, 255))),
}



def make_title(params, ctx, find_widgets, placeholder):
    """The atlas image: every title.png widget found in params painted into its
    rectangle; problems are reported on stderr as for the other atlases."""
    return paint_atlas(ATLAS, ATLAS_SIZE, lambda name, where: TITLE_PAINTERS.get(name), params, ctx,
                       find_widgets, placeholder)
