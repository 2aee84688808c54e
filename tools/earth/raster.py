"""Rasterising Natural Earth outlines onto an equirectangular map, and small image helpers."""
import numpy as np
from PIL import Image, ImageDraw

import topo


def to_pixels(lon, lat, width, height):
    return (lon + 180.0) / 360.0 * width, (90.0 - lat) / 180.0 * height


def land_mask(topology, arcs, width, height, supersample=2):
    """Land coverage 0..1 (antialiased) from the 'land' object; the Caspian stays water."""
    w, h = width * supersample, height * supersample
    img = Image.new("L", (w, h), 0)
    draw = ImageDraw.Draw(img)
    for geometry in topology["objects"]["land"]["geometries"]:
        for polygon in topo.polygons(geometry):
            for k, ring in enumerate(polygon):
                pts = topo.ring_points(arcs, ring)
                lon = topo.unwrap(pts[:, 0])
                lat = pts[:, 1]
                if abs(lon[-1] - lon[0]) > 180.0:
                    # A ring around a pole (Antarctica): close it along the pole.
                    pole = 90.0 if lat.mean() > 0 else -90.0
                    lon = np.concatenate([lon, [lon[-1], lon[0]]])
                    lat = np.concatenate([lat, [pole, pole]])
                for shift in (-360.0, 0.0, 360.0):
                    x, y = to_pixels(lon + shift, lat, w, h)
                    if x.max() < 0 or x.min() > w:
                        continue
                    draw.polygon(list(zip(x.tolist(), y.tolist())), fill=255 if k == 0 else 0)
    img = img.reduce(supersample)
    return np.asarray(img, dtype=np.float64) / 255.0


def line_masks(topology, arcs, width, height, line_width, supersample=4):
    """Antialiased coverage 0..1 of coastlines and of land borders, each drawn once.

    An arc used by one country is a coast; one shared by two is a border. The
    artificial cuts along the date line and the south pole are left out.
    """
    counts = topo.arc_use_counts(topology, "countries")
    w, h = width * supersample, height * supersample
    px = max(1, int(round(line_width * supersample)))
    coast = Image.new("L", (w, h), 0)
    border = Image.new("L", (w, h), 0)
    draws = {1: ImageDraw.Draw(coast), 2: ImageDraw.Draw(border)}
    for i, count in sorted(counts.items()):
        pts = arcs[i]
        draw = draws[2 if count >= 2 else 1]
        lon, lat = pts[:, 0], pts[:, 1]
        x, y = to_pixels(lon, lat, w, h)
        start = 0
        for j in range(1, len(pts) + 1):
            cut = j == len(pts)
            if not cut:
                jump = abs(lon[j] - lon[j - 1]) > 180.0
                seam = abs(lon[j]) > 179.99 and abs(lon[j - 1]) > 179.99
                pole = lat[j] < -89.9 and lat[j - 1] < -89.9
                cut = jump or seam or pole
            if cut:
                if j - start >= 2:
                    seg = list(zip(x[start:j].tolist(), y[start:j].tolist()))
                    draw.line(seg, fill=255, width=px, joint="curve")
                start = j
    reduce = lambda img: np.asarray(img.reduce(supersample), dtype=np.float64) / 255.0
    return reduce(coast), reduce(border)


def box_blur(a, radius):
    """Box blur of radius pixels, wrapping east-west and clamping at the poles."""
    if radius <= 0:
        return a
    n = 2 * radius + 1
    padded = np.concatenate([a[:, -radius:], a, a[:, :radius]], axis=1)
    c = np.cumsum(np.pad(padded, ((0, 0), (1, 0))), axis=1)
    a = (c[:, n:] - c[:, :-n]) / n
    padded = np.concatenate([np.repeat(a[:1], radius, 0), a, np.repeat(a[-1:], radius, 0)], axis=0)
    c = np.cumsum(np.pad(padded, ((1, 0), (0, 0))), axis=0)
    return (c[n:] - c[:-n]) / n


def soft_blur(a, radius):
    """Three box passes: close to a Gaussian."""
    for _ in range(3):
        a = box_blur(a, radius)
    return a


def save_rgb(path, rgb):
    """Saves a float RGB array (0..1) as an 8-bit RGB PNG, byte-for-byte reproducibly."""
    data = np.clip(np.rint(rgb * 255.0), 0, 255).astype(np.uint8)
    Image.fromarray(data, "RGB").save(path, optimize=False, compress_level=9)


def save_rgba(path, rgba):
    """Saves a float RGBA array (0..1, straight alpha) as an 8-bit RGBA PNG, reproducibly."""
    data = np.clip(np.rint(rgba * 255.0), 0, 255).astype(np.uint8)
    Image.fromarray(data, "RGBA").save(path, optimize=False, compress_level=9)


# Place outline files hold points on a 200 x 100 grid over the earth image:
# x from the left edge (180 W), y from the bottom edge (90 S).
GRID_DEGREES = 1.8


def _ring_runs(ring):
    """Pieces of a place ring (grid points) worth drawing, in (lon, lat): the zero-width cuts that
    bridge a hole into its outer ring (a segment walked both ways), the date-line seams and the
    pole edge are left out."""
    pts = [(p[0] * GRID_DEGREES - 180.0, p[1] * GRID_DEGREES - 90.0) for p in ring if len(p) >= 2]
    segments = set(zip(pts, pts[1:]))
    runs, run = [], [pts[0]] if pts else []
    for a, b in zip(pts, pts[1:]):
        cut = ((b, a) in segments or abs(a[0] - b[0]) > 180.0
               or (abs(a[0]) > 179.99 and abs(b[0]) > 179.99) or (a[1] < -89.9 and b[1] < -89.9))
        if cut:
            if len(run) >= 2:
                runs.append(run)
            run = [b]
        else:
            run.append(b)
    if len(run) >= 2:
        runs.append(run)
    return runs


def place_line_masks(place_dir, width, height, line_width, divisions, supersample=4):
    """Antialiased outline coverage of the game's places, by kind: 'country' (c_*), 'lake' (l_*)
    and 'division' (states and provinces whose file prefix is in divisions). Seas and oceans are
    not drawn: their outlines are the coasts, and their open-water edges are drawn by hand and
    mean nothing on the map."""
    import glob
    import json
    import os

    w, h = width * supersample, height * supersample
    px = max(1, int(round(line_width * supersample)))
    images = {kind: Image.new("L", (w, h), 0) for kind in ("country", "lake", "division")}
    draws = {kind: ImageDraw.Draw(img) for kind, img in images.items()}
    for path in sorted(glob.glob(os.path.join(place_dir, "*.json"))):
        prefix = os.path.basename(path).split("_", 1)[0]
        kind = {"c": "country", "l": "lake"}.get(prefix, "division" if prefix in divisions else None)
        if kind is None:
            continue
        with open(path, encoding="utf-8") as f:
            rings = json.load(f)
        for ring in rings:
            for run in _ring_runs(ring):
                lon = np.array([p[0] for p in run])
                lat = np.array([p[1] for p in run])
                x, y = to_pixels(lon, lat, w, h)
                draws[kind].line(list(zip(x.tolist(), y.tolist())), fill=255, width=px, joint="curve")
    return {kind: np.asarray(img.reduce(supersample), dtype=np.float64) / 255.0 for kind, img in images.items()}
