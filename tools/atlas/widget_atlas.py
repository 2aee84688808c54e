"""Paints a widget atlas: every widget of the parameter file whose "texture" is
the atlas goes into its "uv"/"size" rectangle, drawn by its painter. Shared by
the atlases beside game.png, so their checks (a rectangle off the atlas, a
widget without a painter, overlapping rectangles) report alike on stderr."""
import sys

from PIL import Image


def overlaps(a, b):
    return a[0] < b[0] + b[2] and b[0] < a[0] + a[2] and a[1] < b[1] + b[3] and b[1] < a[1] + a[3]


def paint_atlas(atlas, size, painter_for, params, ctx, find_widgets, placeholder):
    """painter_for(name, where) -> painter or None; returns the image."""
    image = Image.new("RGBA", size, (0, 0, 0, 0))
    widgets = []
    find_widgets(params, widgets)
    painted = {}  # rectangle -> painter
    for name, widget, where in widgets:
        if widget.get("texture") != atlas:
            continue
        try:
            box = tuple(int(round(float(v))) for v in (widget["uv"][0], widget["uv"][1],
                                                       widget["size"][0], widget["size"][1]))
        except (IndexError, TypeError, ValueError):
            print(f"atlas: widget {where}: unreadable \"uv\" or \"size\"", file=sys.stderr)
            continue
        if box[0] < 0 or box[1] < 0 or box[0] + box[2] > size[0] or box[1] + box[3] > size[1]:
            print(f"atlas: widget {where}: rectangle {box} leaves {atlas}", file=sys.stderr)
            continue
        painter = painter_for(name, where)
        if painter is None:
            print(f"atlas: no painter for widget {where}; painted a placeholder", file=sys.stderr)
            painter = placeholder
        if painted.get(box) is painter:
            continue  # one image shared by several widgets
        for other in painted:
            if overlaps(box, other):
                print(f"atlas: widget {where} {box} overlaps {other} in {atlas}", file=sys.stderr)
        painter(image, box, ctx)
        painted[box] = painter
    return image
