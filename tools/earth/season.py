"""Seasonal look of the earth: snow, sea ice and vegetation by month.

The NASA mosaic is a northern-summer picture. Each month is derived from it by
four smooth fields of latitude, longitude and month:
  - land snow below a snow line that moves with the season and with how
    continental the longitude is; rough (mountainous) land counts as colder;
  - sea ice beyond an ice line, likewise by longitude;
  - temperate vegetation browning in the local winter;
  - tropical wet/dry seasons greening and browning the savanna belts.
Both hemispheres follow their own seasons.
"""
import numpy as np


def smoothstep(e0, e1, x):
    t = np.clip((x - e0) / (e1 - e0), 0.0, 1.0)
    return t * t * (3.0 - 2.0 * t)


def winter_north(month):
    """Winter strength 0..1 of the northern hemisphere at the middle of month 0..11 (peak: early February)."""
    return 0.5 + 0.5 * np.cos(2.0 * np.pi * (month + 0.5 - 1.0) / 12.0)


def _by_longitude(lon, table):
    xs = np.array([p[0] for p in table], dtype=np.float64)
    ys = np.array([p[1] for p in table], dtype=np.float64)
    return np.interp(lon, xs, ys)


# Winter snow line (degrees north) over land at low altitude, by longitude:
# low over the continental interiors, high on mild western coasts.
SNOW_WINTER_NORTH = [(-180, 58), (-165, 59), (-140, 56), (-125, 50), (-110, 43), (-95, 41), (-80, 42),
                     (-65, 45), (-55, 48), (-40, 60), (-20, 63), (-5, 57), (5, 53), (15, 49), (25, 47),
                     (40, 46), (60, 45), (75, 42), (90, 42), (105, 42), (120, 43), (135, 43), (145, 44),
                     (160, 52), (180, 58)]
SNOW_SUMMER_NORTH = 78.0
SNOW_WINTER_SOUTH = 50.0   # Patagonia and the southern Andes, the New Zealand Alps
SNOW_SUMMER_SOUTH = 72.0
# Degrees of latitude the highest mountains count as colder than the lowland.
ALTITUDE_BONUS = 30.0

# Mountain ranges, drawn by hand: a path of (lon, lat) points, a half width in
# degrees and a height 0..1. Only used to let snow come earlier and stay longer.
MOUNTAINS = [
    ([(73, 35), (80, 31), (85, 28.5), (92, 27.8), (96, 28.5)], 2.0, 1.0),    # Himalaya
    ([(80, 34), (90, 33), (98, 33)], 4.0, 0.75),                              # Tibet
    ([(67, 35), (71, 37), (75, 36.5)], 2.0, 1.0),                             # Hindu Kush, Pamir
    ([(68, 41), (78, 42), (88, 43)], 2.0, 0.8),                               # Tien Shan
    ([(86, 50), (90, 51), (98, 52)], 2.0, 0.6),                               # Altai, Sayan
    ([(97, 47.5), (102, 47)], 2.0, 0.4),                                      # Khangai
    ([(100, 30), (103, 33)], 2.0, 0.5),                                       # western Sichuan
    ([(6, 44.5), (7.5, 46), (10, 46.5), (13.5, 47.2)], 1.0, 0.9),             # Alps
    ([(-1.5, 43), (2.5, 42.6)], 0.6, 0.6),                                    # Pyrenees
    ([(40, 43.5), (44, 42.8), (48, 41.5)], 1.0, 0.9),                         # Caucasus
    ([(19, 49.3), (24, 48), (26, 45.6), (22.5, 45.3)], 1.0, 0.4),             # Carpathians
    ([(45, 36), (50, 32), (55, 29)], 1.5, 0.5),                               # Zagros
    ([(50, 36.3), (55, 36.5)], 0.6, 0.6),                                     # Elburz
    ([(38, 39.5), (43, 39.5)], 2.0, 0.5),                                     # Armenian highland
    ([(-8, 31), (-4, 32.5), (1, 34.5)], 1.0, 0.5),                            # Atlas
    ([(6, 59), (9, 62), (14, 65), (18, 68.5)], 1.5, 0.5),                     # Scandinavian range
    ([(59, 52), (60, 60), (60, 67)], 1.0, 0.3),                               # Urals
    ([(-150, 62), (-135, 60), (-125, 55), (-117, 50), (-113, 46), (-110, 43),
      (-107, 39), (-106, 35)], 3.0, 0.8),                                     # Rockies
    ([(-121.5, 48), (-121.7, 44), (-121, 40), (-118.5, 36.5)], 1.0, 0.7),     # Cascades, Sierra Nevada
    ([(-155, 62), (-148, 63), (-141, 61)], 1.5, 0.8),                         # Alaska Range
    ([(-106, 28), (-103, 22), (-99, 19)], 2.0, 0.35),                         # Sierra Madre
    ([(-78, 2), (-77, -5), (-75, -12), (-70, -16), (-68, -22), (-69.5, -30), (-70, -35),
      (-71.5, -42), (-73, -48), (-73, -52)], 2.0, 1.0),                       # Andes
    ([(136.5, 35), (138.5, 37), (140.5, 40), (143, 43.5)], 1.0, 0.5),         # Japan
    ([(167, -46), (170, -43.8), (172.5, -42)], 0.8, 0.8),                     # Southern Alps
    ([(28, -30.5), (29.5, -29)], 0.8, 0.5),                                   # Drakensberg
    ([(148, -36.5), (148.5, -35.5)], 0.5, 0.4),                               # Snowy Mountains
]


def _segment_distance(lon, lat, a, b):
    """Distance in degrees (longitude scaled by cos(lat)) from points to segment a-b."""
    k = np.cos(np.radians(lat))
    px, py = lon * k, lat
    ax, ay, bx, by = a[0] * k, a[1], b[0] * k, b[1]
    dx, dy = bx - ax, by - ay
    t = np.clip(((px - ax) * dx + (py - ay) * dy) / np.maximum(dx * dx + dy * dy, 1e-9), 0.0, 1.0)
    return np.hypot(px - ax - t * dx, py - ay - t * dy)


def mountain_height(lat, lon):
    """0..1 height of the hand-drawn ranges at the given points (use a coarse grid: it is slow)."""
    h = np.zeros_like(lat)
    for path, half_width, height in MOUNTAINS:
        d = np.full(lat.shape, np.inf)
        for a, b in zip(path[:-1], path[1:]):
            d = np.minimum(d, _segment_distance(lon, lat, a, b))
        h = np.maximum(h, height * np.clip(1.0 - d / half_width, 0.0, 1.0) ** 2.0)
    return h

# Winter sea-ice edge (degrees north) by longitude: Bering, Okhotsk, Hudson and
# Labrador freeze far south; the North Atlantic drift keeps Norway open.
ICE_WINTER_NORTH = [(-180, 61), (-165, 58), (-150, 70), (-120, 70), (-100, 57), (-80, 52), (-62, 50),
                    (-50, 58), (-40, 62), (-25, 68), (-10, 74), (5, 78), (20, 76), (35, 70), (50, 70),
                    (70, 72), (100, 74), (125, 72), (140, 50), (150, 53), (165, 60), (180, 61)]
ICE_SUMMER_NORTH = 81.0
ICE_WINTER_SOUTH = 59.0
ICE_SUMMER_SOUTH = 68.0


def snow_cover(lat, lon, month, height, noise, ridges, relief):
    """Snow opacity 0..1 over land for a month; noise in [0, 1] frays the edge. In the mountains
    ridges (0..1, fine noise) and relief (the mosaic's own relief shading, about 0.6..1.4) break
    the snow into patches that follow the terrain."""
    wn = winter_north(month) ** 0.8
    ws = (1.0 - winter_north(month)) ** 0.8
    line_n = SNOW_SUMMER_NORTH - (SNOW_SUMMER_NORTH - _by_longitude(lon, SNOW_WINTER_NORTH)) * wn
    line_s = SNOW_SUMMER_SOUTH - (SNOW_SUMMER_SOUTH - SNOW_WINTER_SOUTH) * ws
    rough = np.clip(0.1 + 0.9 * ridges + 2.0 * (relief - 1.0), 0.0, 1.3)
    colder = height * rough * ALTITUDE_BONUS + (noise - 0.5) * 16.0 + (relief - 1.0) * 6.0
    north = smoothstep(line_n - 2.5, line_n + 2.5, lat + colder)
    south = smoothstep(line_s - 2.5, line_s + 2.5, -lat + colder)
    return np.where(lat >= 0, north, south)


def sea_ice(lat, lon, month, noise):
    """Sea-ice opacity 0..1 over the ocean for a month."""
    wn = winter_north(month)
    ws = 1.0 - wn
    line_n = ICE_SUMMER_NORTH - (ICE_SUMMER_NORTH - _by_longitude(lon, ICE_WINTER_NORTH)) * wn
    line_s = ICE_SUMMER_SOUTH - (ICE_SUMMER_SOUTH - ICE_WINTER_SOUTH) * ws
    jitter = (noise - 0.5) * 8.0
    north = smoothstep(line_n - 0.5, line_n + 0.5, lat + jitter)
    south = smoothstep(line_s - 0.5, line_s + 0.5, -lat + jitter)
    return np.where(lat >= 0, north, south)


def dormancy(lat, month):
    """0..1: how far temperate vegetation has turned brown in the local winter."""
    wn = winter_north(month) ** 1.2
    ws = (1.0 - winter_north(month)) ** 1.2
    band_n = smoothstep(26.0, 38.0, lat) * (1.0 - smoothstep(64.0, 72.0, lat))
    band_s = smoothstep(26.0, 36.0, -lat) * (1.0 - smoothstep(50.0, 56.0, -lat)) * 0.6
    return band_n * wn + band_s * ws


def wet_season(lat, month):
    """-1..1 across the tropical savanna belts: positive in the rains, negative in the dry season."""
    band = smoothstep(5.0, 10.0, np.abs(lat)) * (1.0 - smoothstep(20.0, 27.0, np.abs(lat)))
    north = np.cos(2.0 * np.pi * (month + 0.5 - 8.0) / 12.0)   # monsoon peak August
    south = np.cos(2.0 * np.pi * (month + 0.5 - 2.0) / 12.0)   # rains peak February
    return band * np.where(lat >= 0, north, south)
