"""The demonstration atlas, devdata/demo.png: the blinking "DEMONSTRATION"
label and the six pieces of the operation guide's mouse (shell, left and right
button, cable, and the two motion arrows).

The mouse is painted once, whole, in its own 100 x 150 frame (origin top
left), and each piece is cut from that frame, so the pieces fit together when
the guide draws them at the offsets tools/hud/set_demo_params.py gives them.
The buttons are painted near white: the guide tints them red when the replayed
player presses, so they must carry no colour of their own. The arrows use the
warm gold accent. Shapes are drawn 4x supersampled, so the output is
deterministic.
"""

from PIL import Image, ImageDraw, ImageFilter

from round_painters import GOLD, GOLD_LIGHT, SS
from widget_atlas import paint_atlas  # noqa: E402

ATLAS = "devdata/demo.png"
ATLAS_SIZE = (512, 256)

SHELL_FILL = (10, 14, 24, 215)
SHELL_EDGE = (255, 255, 255, 150)
BUTTON_TOP = (250, 251, 255, 255)
BUTTON_BOTTOM = (206, 214, 228, 255)
LABEL_FILL = (8, 12, 20, 170)
LABEL_EDGE = (255, 255, 255, 60)

MOUSE_W, MOUSE_H = 100, 150
# Piece rectangles in the mouse frame: left, top, width, height.
PIECES = {
    "body": (0, 18, 100, 132),
    "btn_l": (4, 24, 46, 54),
    "btn_r": (50, 24, 46, 54),
    "cable": (38, 0, 24, 26),
}
SHELL = (3, 22, 97, 147)
SHELL_RADIUS = 44
SPLIT_Y = 76  # the buttons end here


def _s(v):
    return int(round(v * SS))


def _rounded_mask(box, radius, inset=0):
    mask = Image.new("L", (MOUSE_W * SS, MOUSE_H * SS), 0)
    left, top, right, bottom = box
    ImageDraw.Draw(mask).rounded_rectangle(
        (_s(left + inset), _s(top + inset), _s(right - inset), _s(bottom - inset)),
        radius=_s(radius - inset), fill=255)
    return mask


def _gradient(top_colour, bottom_colour, y0, y1):
    img = Image.new("RGBA", (MOUSE_W * SS, MOUSE_H * SS))
    d = ImageDraw.Draw(img)
    for y in range(MOUSE_H * SS):
        t = min(1.0, max(0.0, (y / SS - y0) / max(1.0, y1 - y0)))
        d.line([(0, y), (MOUSE_W * SS, y)],
               fill=tuple(int(round(a + (b - a) * t)) for a, b in zip(top_colour, bottom_colour)))
    return img


def _mouse_layers():
    """Full-frame supersampled layers: shell, left button, right button, cable."""
    shell = Image.new("RGBA", (MOUSE_W * SS, MOUSE_H * SS), (0, 0, 0, 0))
    outer = _rounded_mask(SHELL, SHELL_RADIUS)
    inner = _rounded_mask(SHELL, SHELL_RADIUS, inset=2)
    shell.paste(Image.new("RGBA", shell.size, SHELL_EDGE), (0, 0), outer)
    shell.paste(Image.new("RGBA", shell.size, SHELL_FILL), (0, 0), inner)
    # The wheel shows in the gap between the buttons.
    ImageDraw.Draw(shell).rounded_rectangle((_s(46), _s(36), _s(54), _s(58)), radius=_s(4),
                                            fill=(190, 200, 215, 255))

    buttons = []
    face = _rounded_mask(SHELL, SHELL_RADIUS, inset=6)
    for left, right in ((9, 47.5), (52.5, 91)):
        clip = Image.new("L", face.size, 0)
        ImageDraw.Draw(clip).rectangle((_s(left), 0, _s(right), _s(SPLIT_Y - 3)), fill=255)
        combined = Image.new("L", face.size, 0)
        combined.paste(face, (0, 0), clip)
        layer = Image.new("RGBA", face.size, (0, 0, 0, 0))
        layer.paste(_gradient(BUTTON_TOP, BUTTON_BOTTOM, 26, SPLIT_Y), (0, 0), combined)
        buttons.append(layer)

    cable = Image.new("RGBA", (MOUSE_W * SS, MOUSE_H * SS), (0, 0, 0, 0))
    d = ImageDraw.Draw(cable)
    points = [(50, 25), (50, 19), (45, 13), (50, 7), (55, 2), (55, 0)]
    pts = [(_s(x), _s(y)) for x, y in points]
    d.line(pts, fill=(10, 14, 24, 230), width=_s(6), joint="curve")
    d.line(pts, fill=(210, 218, 232, 255), width=_s(3), joint="curve")
    return shell, buttons[0], buttons[1], cable


def _cut(image, layer, piece, box):
    left, top, w, h = PIECES[piece]
    part = layer.crop((_s(left), _s(top), _s(left + w), _s(top + h))).resize((w, h), Image.LANCZOS)
    image.alpha_composite(part, (box[0], box[1]))


def _piece(index, name):
    def paint(image, box, ctx):
        _cut(image, _mouse_layers()[index], name, box)
    return paint


def motion_arrow(direction):
    """A gold chevron arrow pointing left (-1) or right (1), dark outlined."""
    def paint(image, box, ctx):
        left, top, w, h = box
        layer = Image.new("RGBA", (w * SS, h * SS), (0, 0, 0, 0))
        d = ImageDraw.Draw(layer)
        cy = h * SS / 2
        tip = (w * SS * (0.12 if direction < 0 else 0.88), cy)
        back = w * SS * (0.62 if direction < 0 else 0.38)
        tail = w * SS * (0.92 if direction < 0 else 0.08)
        head = [tip, (back, cy - h * SS * 0.34), (back, cy + h * SS * 0.34)]
        shaft = [(back, cy - h * SS * 0.12), (tail, cy - h * SS * 0.12), (tail, cy + h * SS * 0.12),
                 (back, cy + h * SS * 0.12)]
        outline = Image.new("RGBA", layer.size, (0, 0, 0, 0))
        od = ImageDraw.Draw(outline)
        od.polygon(head, fill=(10, 14, 24, 255))
        od.polygon(shaft, fill=(10, 14, 24, 255))
        outline = outline.filter(ImageFilter.MaxFilter(2 * SS + 1))
        layer.alpha_composite(outline)
        d = ImageDraw.Draw(layer)
        d.polygon(head, fill=GOLD)
        d.polygon(shaft, fill=GOLD_LIGHT)
        image.alpha_composite(layer.resize((w, h), Image.LANCZOS), (left, top))
    return paint


def demo_label(image, box, ctx):
    left, top, w, h = box
    layer = Image.new("RGBA", (w * SS, h * SS), (0, 0, 0, 0))
    d = ImageDraw.Draw(layer)
    r = h * SS // 2 - SS
    d.rounded_rectangle((SS, SS, w * SS - SS, h * SS - SS), radius=r, fill=LABEL_EDGE)
    d.rounded_rectangle((3 * SS, 3 * SS, w * SS - 3 * SS, h * SS - 3 * SS), radius=r - 2 * SS,
                        fill=LABEL_FILL)
    image.alpha_composite(layer.resize((w, h), Image.LANCZOS), (left, top))
    ctx.fit_text(image, (left + 24, top + 10, w - 48, h - 20), ("demo.label", "DEMONSTRATION"))


DEMO_PAINTERS = {
    "demoplay": demo_label,
    "body": _piece(0, "body"),
    "btn_l": _piece(1, "btn_l"),
    "btn_r": _piece(2, "btn_r"),
    "cable": _piece(3, "cable"),
    "move_l": motion_arrow(-1),
    "move_r": motion_arrow(1),
}


def make_demo(params, ctx, find_widgets, placeholder):
    """The atlas image: every demo.png widget found in params painted into its
    rectangle; problems are reported on stderr as for the other atlases."""
    return paint_atlas(ATLAS, ATLAS_SIZE, lambda name, where: DEMO_PAINTERS.get(name), params, ctx,
                       find_widgets, placeholder)
