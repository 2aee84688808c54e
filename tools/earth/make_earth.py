#!/usr/bin/python3
"""Builds the globe's images under devdata/:

  earth_01.png ... earth_12.png  monthly surface images with coastlines and borders
  earth_night.png                city lights on the dark earth
  cloud.png                      cloud layer, white on black, seamless east-west
  glow.png, halo.png             the atmosphere's front glow and limb halo (and dimmer *_night.png)

Run from the repository root: tools/earth/make.sh (see tools/README.md).
"""
import argparse
import os
import sys

import numpy as np
from PIL import Image

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import noise  # noqa: E402
import raster  # noqa: E402
import season  # noqa: E402
import set_params  # noqa: E402
import topo  # noqa: E402

DAY_SOURCE = "/usr/share/xplanet/images/earth.jpg"
NIGHT_SOURCE = "/usr/share/xplanet/images/night.jpg"

SNOW = np.array([0.93, 0.95, 0.98])
ICE = np.array([0.80, 0.85, 0.90])
COAST = np.array([0.92, 0.95, 1.00])
BORDER = np.array([1.00, 0.93, 0.72])
DIVISION = np.array([1.00, 0.95, 0.80])


def load_rgb(path, width, height):
    img = Image.open(path).convert("RGB")
    if img.size != (width, height):
        img = img.resize((width, height), Image.LANCZOS)
    return np.asarray(img, dtype=np.float64) / 255.0


def luminance(rgb):
    return rgb @ np.array([0.299, 0.587, 0.114])


def mountain_map(width, height):
    """Height 0..1 of the hand-drawn mountain ranges, computed at half a degree and scaled up."""
    lat = 90.0 - (np.arange(360) + 0.5) / 2.0
    lon = (np.arange(720) + 0.5) / 2.0 - 180.0
    lon, lat = np.meshgrid(lon, lat)
    coarse = Image.fromarray(season.mountain_height(lat, lon).astype(np.float32), "F")
    return np.asarray(coarse.resize((width, height), Image.BILINEAR), dtype=np.float64)


def month_image(month, day, lat, lon, land, mountains, detail, veg, desert, snow_noise, ice_noise, floe_noise, ridge_noise):
    out = day.copy()
    lum = luminance(day)[..., None]

    # Temperate winter: green turns to olive and brown.
    brown = lum * np.array([1.45, 1.15, 0.72])
    t = (season.dormancy(lat, month) * veg * 0.8 * land)[..., None]
    out = out * (1.0 - t) + brown * t

    # Tropical wet and dry seasons across the savanna belts.
    wet = season.wet_season(lat, month)
    green = lum * np.array([0.78, 1.18, 0.62])
    dry = lum * np.array([1.40, 1.12, 0.70])
    tg = (np.maximum(wet, 0.0) * (1.0 - desert) * 0.45 * land)[..., None]
    td = (np.maximum(-wet, 0.0) * veg * 0.55 * land)[..., None]
    out = out * (1.0 - tg) + green * tg
    out = out * (1.0 - td) + dry * td

    # Snow keeps the relief shading; forest shows through it as in winter photographs.
    snow = season.snow_cover(lat, lon, month, mountains, snow_noise, ridge_noise, detail) * land
    snow *= 1.0 - 0.45 * veg * (lum[..., 0] < 0.25)
    s = snow[..., None]
    out = out * (1.0 - s) + (SNOW * (0.78 + 0.22 * detail[..., None])) * s

    ice = season.sea_ice(lat, lon, month, ice_noise) * (1.0 - land)
    i = (ice * (0.85 + 0.15 * floe_noise))[..., None]
    out = out * (1.0 - i) + (ICE * (0.82 + 0.18 * floe_noise[..., None])) * i
    return out


def draw_lines(rgb, lines, scale=1.0):
    """Outlines over the image: states and provinces faintest, then coasts, then country borders."""
    for key, colour, alpha in (("division", DIVISION, 0.24), ("coast", COAST, 0.30), ("border", BORDER, 0.42)):
        if key in lines:
            a = (lines[key] * alpha * scale)[..., None]
            rgb = rgb * (1.0 - a) + colour * a
    return rgb


# States and provinces drawn by default: those from public-domain outlines (US Census).
# The other subdivisions come from LGPL-3 data (DCW); drawing them would put the
# surface images under that licence too.
PUBLIC_DOMAIN_DIVISIONS = "us"


def outlines(topology, arcs, width, height, place_dir, divisions):
    """Coverage masks of the lines drawn into the surface images.

    Coasts come from Natural Earth (an arc used by one country). Borders are the
    outlines of the game's own places when devdata/place exists, so the player
    sees exactly the shapes that are judged; otherwise Natural Earth's shared arcs.
    """
    line_width = 1.0 * width / 2048.0
    coast, border = raster.line_masks(topology, arcs, width, height, line_width)
    if not place_dir or not os.path.isdir(place_dir):
        return {"coast": coast, "border": border}
    places = raster.place_line_masks(place_dir, width, height, line_width, set(divisions.split(",")))
    coast = np.maximum(coast, places["lake"])
    # Where a place outline runs along a coast, the coast line is drawn instead.
    shore = raster.box_blur(coast, 1) > 0.02
    border = places["country"] * ~shore
    taken = raster.box_blur(np.maximum(coast, border), 1) > 0.02
    division = places["division"] * ~taken
    return {"coast": coast, "border": border, "division": division}


def night_image(night, day, lines):
    """City lights over a faint moonlit earth, with dim outlines so shapes stay readable."""
    lights = np.clip(night * 1.6, 0.0, 1.0)
    base = day * np.array([0.05, 0.06, 0.09])
    out = 1.0 - (1.0 - base) * (1.0 - lights)
    return draw_lines(out, lines, 0.45)


def cloud_image(width, height):
    """Cloud cover: storm belts at mid latitudes, the tropical convergence zone, clear subtropics."""
    p = noise.sphere_points(width, height)
    warp = np.stack([noise.fbm(p, 11 + k, 2.0, 4) for k in range(3)], axis=-1) - 0.5
    q = p + warp * 0.6
    n = noise.fbm(q * np.array([1.0, 1.6, 1.0]), 7, 3.0, 8, gain=0.55)
    lat = np.degrees(np.arcsin(np.clip(p[..., 1], -1.0, 1.0)))
    a = np.abs(lat)
    cover = (0.52 - 0.08 * np.exp(-((a - 3.0) / 8.0) ** 2)       # wet equator
             + 0.10 * np.exp(-((a - 22.0) / 9.0) ** 2)           # dry subtropics
             - 0.08 * np.exp(-((a - 55.0) / 14.0) ** 2))          # stormy mid latitudes
    c = np.clip((n - cover - 0.04) / 0.24, 0.0, 1.0) ** 1.5
    fine = noise.fbm(p, 23, 40.0, 3)
    c = np.clip(c * (0.8 + 0.4 * fine), 0.0, 1.0)
    return np.repeat(c[..., None], 3, axis=2)


def glow_image(size):
    """Front glow: clear in the middle, a blue haze rising towards the rim of the disc."""
    y, x = np.mgrid[0:size, 0:size]
    r = np.hypot((x + 0.5) / size - 0.5, (y + 0.5) / size - 0.5) * 2.0
    rim = np.clip(r, 0.0, 1.0)
    haze = rim ** 5 * 0.42 + np.exp(-((rim - 0.975) / 0.04) ** 2) * 0.10
    haze *= r <= 1.0
    return haze[..., None] * np.array([0.35, 0.62, 1.0])


# The halo ring reaches from HALO_INNER to the "air_scale" of the limb's radius
# (globe/EarthModel.cpp keeps the same inner edge): the part inside the limb lays
# a fading veil over the globe's edge, so the pixel steps of the sphere's
# silhouette disappear under a soft gradient.
HALO_INNER = 0.97
# The veil is whole down to here: the 64 x 32 sphere's silhouette lies between
# 0.9976 (a face's middle) and 1 of the radius, wherever it is seen from.
HALO_SOLID = 0.997


def halo_image(width, height, air_scale):
    """Halo ring profile, RGBA, top row at the outer edge (black space), bottom row inside the limb.

    Outside the limb the blue brightens towards it and the ring is opaque;
    inside, the limb's colour fades out through the alpha channel.
    """
    v = (np.arange(height) + 0.5) / height
    r = air_scale - v * (air_scale - HALO_INNER)
    out = np.clip((air_scale - r) / (air_scale - 1.0), 0.0, 1.0)
    colour = (out ** 2.2 * 0.81)[:, None] * np.array([0.30, 0.55, 1.0])
    t = np.clip((r - HALO_INNER) / (HALO_SOLID - HALO_INNER), 0.0, 1.0)
    alpha = t * t * (3.0 - 2.0 * t)
    rgba = np.concatenate([colour, alpha[:, None]], axis=1)
    return np.repeat(rgba[:, None, :], width, axis=1)


# Rows this close to a pole collapse into one point on the sphere: any change
# along such a row becomes a spoke. They are blended towards their row's mean
# over the last few degrees, which also covers the fan of triangles that the
# 32-row sphere puts around each pole (its last 5.6 degrees).
POLE_CALM_FROM = 84.0
POLE_CALM_TO = 89.0
# Latitude smoothing of the row means (degrees), so no ring appears and one odd
# edge row of the source does not tint the whole cap.
POLE_MEAN_SIGMA = 1.0


def calm_poles(rgb):
    """Blends each row near a pole smoothly towards the latitude-smoothed row mean."""
    height = rgb.shape[0]
    lat = 90.0 - (np.arange(height) + 0.5) / height * 180.0
    t = np.clip((np.abs(lat) - POLE_CALM_FROM) / (POLE_CALM_TO - POLE_CALM_FROM), 0.0, 1.0)
    w = t * t * (3.0 - 2.0 * t)
    means = rgb.mean(axis=1)
    sigma = POLE_MEAN_SIGMA / 180.0 * height
    k = np.arange(-int(3 * sigma) - 1, int(3 * sigma) + 2)
    kernel = np.exp(-0.5 * (k / sigma) ** 2)
    kernel /= kernel.sum()
    pad = len(k) // 2
    padded = np.concatenate([means[pad - 1::-1], means, means[:-pad - 1:-1]], axis=0)
    smooth = np.stack([np.convolve(padded[:, c], kernel, mode="valid") for c in range(rgb.shape[2])], axis=1)
    w = w[:, None, None]
    return rgb * (1.0 - w) + smooth[:, None, :] * w


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--atlas", required=True, help="unpacked world-atlas 2.0.2 package folder")
    ap.add_argument("--out", default="devdata", help="output folder")
    ap.add_argument("--width", type=int, default=2048, help="surface image width (height is half)")
    ap.add_argument("--places", default="devdata/place", help="place outlines to draw ('' for Natural Earth only)")
    ap.add_argument("--divisions", default=PUBLIC_DOMAIN_DIVISIONS,
                    help="comma list of place-file prefixes whose state or province lines are drawn")
    ap.add_argument("--only", default="", help="comma list to build a subset: months,night,cloud,air")
    args = ap.parse_args()
    only = set(filter(None, args.only.split(",")))
    want = lambda part: not only or part in only

    width, height = args.width, args.width // 2
    topology, arcs = topo.load(os.path.join(args.atlas, "countries-50m.json"))
    land = raster.land_mask(topology, arcs, width, height)
    lines = outlines(topology, arcs, width, height, args.places, args.divisions)

    day = load_rgb(DAY_SOURCE, width, height)
    lat = 90.0 - (np.arange(height) + 0.5) / height * 180.0
    lon = (np.arange(width) + 0.5) / width * 360.0 - 180.0
    lon, lat = np.meshgrid(lon, lat)
    lum = luminance(day)
    mountains = mountain_map(width, height)
    detail = np.clip(lum / np.maximum(raster.soft_blur(lum, max(2, width // 512)), 1e-3), 0.6, 1.4)
    g, r, b = day[..., 1], day[..., 0], day[..., 2]
    veg = np.clip((g - np.maximum(r, b)) * 8.0 + 0.25 * (g > r), 0.0, 1.0)
    desert = np.clip((lum - 0.45) / 0.2, 0.0, 1.0)

    if want("months"):
        p = noise.sphere_points(width, height)
        snow_noise = noise.fbm(p, 3, 4.0, 7, gain=0.55)
        ice_noise = noise.fbm(p, 5, 14.0, 6, gain=0.6)
        floe_noise = noise.fbm(p, 9, 60.0, 3)
        ridge_noise = noise.fbm(p, 13, 50.0, 4, gain=0.6)
        for month in range(12):
            img = month_image(month, day, lat, lon, land, mountains, detail, veg, desert, snow_noise, ice_noise, floe_noise, ridge_noise)
            img = calm_poles(draw_lines(img, lines))
            raster.save_rgb(os.path.join(args.out, "earth_%02d.png" % (month + 1)), img)
            print("earth_%02d.png" % (month + 1))
    if want("night"):
        night = load_rgb(NIGHT_SOURCE, width, height)
        raster.save_rgb(os.path.join(args.out, "earth_night.png"), calm_poles(night_image(night, day, lines)))
        print("earth_night.png")
    if want("cloud"):
        raster.save_rgb(os.path.join(args.out, "cloud.png"), calm_poles(cloud_image(2048, 1024)))
        print("cloud.png")
    if want("air"):
        raster.save_rgb(os.path.join(args.out, "glow.png"), glow_image(512))
        halo = halo_image(4, 128, set_params.SECTIONS["earth"]["air_scale"])
        raster.save_rgba(os.path.join(args.out, "halo.png"), halo)
        # The night globe's air is lit only by the lights below it: dimmer, the same shape.
        raster.save_rgb(os.path.join(args.out, "glow_night.png"), glow_image(512) * 0.4)
        raster.save_rgba(os.path.join(args.out, "halo_night.png"), halo * np.array([0.45, 0.45, 0.45, 1.0]))
        print("glow.png halo.png glow_night.png halo_night.png")


if __name__ == "__main__":
    main()
