#!/usr/bin/python3
"""Draws the shipped outlines on an equirectangular map, to look for broken
shapes:  python3 tools/places/render_places.py OUT.png [PREFIX] [WIDTH] [BOX]

PREFIX picks places by key ("c_" countries, "s_" seas, "" all). Each place
is filled by the game's even-odd rule in its own colour, so a hole that was
not bridged, or a ring that runs wild, shows at once. BOX (west,south,east,
north in degrees) zooms in on a region.
"""
import hashlib
import json
import os
import sys

import numpy as np
from PIL import Image, ImageDraw

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))


def colour(key):
    h = hashlib.md5(key.encode()).digest()
    return (80 + h[0] % 160, 80 + h[1] % 160, 80 + h[2] % 160)


def main():
    out = sys.argv[1]
    prefix = sys.argv[2] if len(sys.argv) > 2 else ""
    width = int(sys.argv[3]) if len(sys.argv) > 3 else 2000
    west, south, east, north = (map(float, sys.argv[4].split(",")) if len(sys.argv) > 4
                                else (-180.0, -90.0, 180.0, 90.0))
    height = int(width * (north - south) / (east - west))
    with open(os.path.join(ROOT, "devdata", "places.json"), encoding="utf-8") as f:
        places = json.load(f)
    img = Image.new("RGB", (width, height), (10, 20, 40))

    def px(x, y):
        lon, lat = x * 1.8 - 180.0, y * 1.8 - 90.0
        return ((lon - west) / (east - west) * width, (north - lat) / (north - south) * height)

    for key in sorted(places):
        if not any(key.startswith(p) for p in prefix.split(",")):
            continue
        with open(os.path.join(ROOT, "devdata", "place", places[key]["file"]), encoding="utf-8") as f:
            rings = json.load(f)
        # Even-odd fill: draw each ring into a mask with XOR.
        mask = Image.new("1", (width, height), 0)
        for ring in rings:
            layer = Image.new("1", (width, height), 0)
            ImageDraw.Draw(layer).polygon([px(x, y) for x, y in ring], fill=1)
            mask = Image.fromarray(np.logical_xor(np.array(mask), np.array(layer)))
        img.paste(colour(key), (0, 0), mask)
        d = ImageDraw.Draw(img)
        for ring in rings:
            pts = [px(x, y) for x, y in ring]
            d.line(pts + pts[:1], fill=(255, 255, 255), width=1)
    img.save(out)


if __name__ == "__main__":
    main()
