#!/usr/bin/env python3
"""Paints devdata/game3.png, the ring laid on the globe where a correct tap landed.

The ring mesh maps the image's x axis round the ring (twice per turn, wrapping)
and its rows outward: row 0 is the inner edge, the last used row the outer edge.
The picture is a warm gold band with a white-hot core and soft edges, broken
into bright arcs so the ring's spin can be seen.

Pure standard library (zlib + struct), so the same script gives the same bytes.
Usage: python3 tools/ring/make_ring.py [output]
"""
import math
import struct
import sys
import zlib

WIDTH = 128   # half a turn of the ring; GL repeats it round the other half
HEIGHT = 32   # rows from the inner edge (0) to the outer edge
ARCS = 6      # bright arcs per half turn

GOLD = (1.0, 0.78, 0.25)
CORE = (1.0, 0.97, 0.85)


def smoothstep(e0, e1, x):
    t = min(1.0, max(0.0, (x - e0) / (e1 - e0)))
    return t * t * (3.0 - 2.0 * t)


def pixel(x, y):
    # Radial profile: r runs 0 (inner edge) .. 1 (outer edge).
    r = (y + 0.5) / HEIGHT
    glow = math.exp(-((r - 0.5) / 0.22) ** 2)          # wide soft band
    core = math.exp(-((r - 0.5) / 0.07) ** 2)          # thin bright line
    edge = smoothstep(0.0, 0.12, r) * smoothstep(1.0, 0.88, r)
    # Around the ring: arcs with soft ends, a faint band between them.
    phase = (x + 0.5) / WIDTH * ARCS
    f = phase - math.floor(phase)
    arc = smoothstep(0.0, 0.18, f) * smoothstep(0.78, 0.6, f)
    along = 0.35 + 0.65 * arc
    a = min(1.0, (0.75 * glow + 0.9 * core) * along) * edge
    mix = min(1.0, core * along * 1.2)
    rgb = [GOLD[i] * (1.0 - mix) + CORE[i] * mix for i in range(3)]
    return tuple(int(round(255 * c)) for c in rgb) + (int(round(255 * a)),)


def png(width, height, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + bytes(v for p in row for v in p) for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "devdata/game3.png"
    rows = [[pixel(x, y) for x in range(WIDTH)] for y in range(HEIGHT)]
    with open(out, "wb") as f:
        f.write(png(WIDTH, HEIGHT, rows))


if __name__ == "__main__":
    main()
