#!/usr/bin/python3
"""Builds the quiz places: devdata/places.json and one outline file per place
under devdata/place/.

Run from the repository root:  python3 tools/places/build_places.py
(needs `npm ci` in tools/places and the Debian packages python3-shapely,
gmt, gmt-dcw, r-cran-maps and python3-pil). The output is the same bytes for
the same inputs. It stops at once if a name or answer line is too long for
the game's question box (text_fit.py).
"""
import json
import warnings
import os
import sys

from shapely.affinity import translate
from shapely.geometry import MultiPolygon, Polygon, Point, box
from shapely.ops import unary_union
from shapely.strtree import STRtree

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import geometry as G  # noqa: E402
import sources  # noqa: E402
import text_fit  # noqa: E402
from lakes import LAKES, GREAT_LAKES_SPLIT  # noqa: E402
from hand_drawn import HAND_DRAWN  # noqa: E402
from seas import SEAS  # noqa: E402

# shapely 1.8 warns about the STRtree interface of 2.0; the 1.8 one is used.
warnings.filterwarnings("ignore", message="STRtree will be changed")

ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
OUT_DOC = os.path.join(ROOT, "devdata", "places.json")
OUT_DIR = os.path.join(ROOT, "devdata", "place")

# Grid units (1 unit = 1.8 degrees). A finger at the closest zoom tells apart
# about 0.02 units (4 km); coarser loses coastal towns.
# Land pieces and holes smaller than MIN_AREA are slivers, unless they are a
# sizeable share of their place or hold another place. Divisions come from
# the far more detailed DCW: their islets go sooner, so that an archipelago
# such as Nunavut stays within a few thousand vertices. Seas keep islands
# smaller than SEA_MIN_HOLE as water, and are judged more coarsely still.
TOLERANCE = {"land": 0.02, "division": 0.025, "water": 0.035}
MIN_AREA = {"land": 0.0004, "division": 0.002}  # 0.0004 is about 16 km^2
MIN_SHARE = 0.05
SEA_MIN_HOLE = 0.05
SEA_MIN_PIECE = 0.01
MAX_POLYGONS = 200


def read_tsv(name):
    rows = []
    with open(os.path.join(HERE, name), encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            rows.append(line.split("\t"))
    return rows


def log(msg):
    print(msg, file=sys.stderr)


class PlaceShape:
    def __init__(self, key, name, level, answer, geom, family):
        self.key, self.name, self.level, self.answer = key, name, int(level), answer
        self.geom = geom  # lon/lat, inside [-180, 180]
        self.family = family  # "land", "division" or "water"
        self.rings = []


def load_countries():
    topo = sources.world_atlas()
    by_name = {g["properties"]["name"]: g for g in topo.geometries("countries")}
    out = []
    for src, key, name, level, answer in read_tsv("countries.tsv"):
        g = by_name.pop(src, None)
        if g is None:
            log("countries.tsv: no shape named %r" % src)
            continue
        out.append(PlaceShape(key, name, level, answer, G.clip_to_world(topo.shape(g)), "land"))
    for left in sorted(by_name):
        log("world-atlas: %r has no row in countries.tsv" % left)
    for key, name, level, answer, boxes in HAND_DRAWN:
        geom = unary_union([box(x - r, y - r, x + r, y + r) for x, y, r in boxes])
        out.append(PlaceShape(key, name, level, answer, G.valid(geom), "land"))
    # Natural Earth gives Morocco the part of Western Sahara it administers;
    # the quiz asks for the whole territory, south of 27 deg 40' N.
    by_key = {p.key: p for p in out}
    south = box(-20.0, 20.0, -8.0, 27.6667)
    mar, esh = by_key["c_mar"], by_key["c_esh"]
    moved = mar.geom.intersection(south)
    mar.geom = G.valid(mar.geom.difference(south))
    esh.geom = G.valid(unary_union([esh.geom, moved]))
    return out


def load_divisions():
    us = sources.us_atlas()
    us_by_name = {g["properties"]["name"]: g for g in us.geometries("states")}
    out = []
    act = None
    for src, key, name, level, answer in read_tsv("divisions.tsv"):
        kind, ident = src.split(":", 1)
        if kind == "us":
            geom = G.clip_to_world(us.shape(us_by_name[ident]))
        else:
            geom = G.clip_to_world(sources.dcw_region(ident))
            if ident == "AU.ACT":
                act = geom
        if geom.is_empty:
            log("divisions.tsv: %s is empty" % src)
            continue
        out.append(PlaceShape(key, name, level, answer, geom, "division"))
    # The DCW leaves the Australian Capital Territory inside New South Wales.
    if act is not None:
        for p in out:
            if p.key == "au_nsw":
                p.geom = G.valid(p.geom.difference(act))
    return out


def load_land():
    topo = sources.land_atlas()
    parts = [topo.shape(g) for g in topo.geometries("land")]
    return G.clip_to_world(unary_union(parts))


def load_lakes():
    raw = sources.lakes()
    out = []
    combined = None
    for key, name, level, answer, src in LAKES:
        if src in GREAT_LAKES_SPLIT:
            if combined is None:
                pieces = []
                for base in ("Great Lakes:Superior, Huron, Michigan", "Great Lakes:Superior",
                             "Great Lakes:Michigan", "Great Lakes:Huron"):
                    pieces.extend(raw.get(base, []))
                combined = sources.lake_shape(pieces)
            geom = G.valid(combined.intersection(box(*GREAT_LAKES_SPLIT[src])))
        else:
            if src not in raw:
                log("lakes: no lake named %r" % src)
                continue
            geom = sources.lake_shape(raw[src])
        out.append(PlaceShape(key, name, level, answer, G.clip_to_world(geom), "water"))
    return out


def load_seas(land):
    # Land repeated one turn either side, so outlines drawn past the
    # antimeridian are cut by the right coasts.
    land_ext = unary_union([land, translate(land, xoff=360.0), translate(land, xoff=-360.0)])
    out = []
    for key, name, level, answer, seed, keep, outline in SEAS:
        shape = G.valid(Polygon(outline))
        water = G.valid(shape.difference(land_ext))
        pieces = G.polygons_of(water)
        if keep == "seed":
            chosen = []
            for turn in (0, 360.0, -360.0):
                pt = Point(seed[0] + turn, seed[1])
                chosen = [p for p in pieces if p.contains(pt)]
                if chosen:
                    break
            if not chosen:
                log("seas: seed of %s lies on no water piece" % key)
                continue
        else:
            chosen = [p for p in pieces if p.area / (1.8 * 1.8) >= SEA_MIN_PIECE]
        out.append(PlaceShape(key, name, level, answer, G.clip_to_world(MultiPolygon(chosen)), "water"))
    return out


def protected_areas(places):
    """Per family, an index of every place's pieces (and of the same pieces
    with their holes filled), so that a hole holding another place, or an
    islet lying in another place's hole, is never dropped."""
    index = {}
    for fam in ("land", "division", "water"):
        for filled in (False, True):
            geoms, owners = [], []
            for p in places:
                if p.family == fam:
                    for poly in G.polygons_of(G.to_grid(p.geom)):
                        geoms.append(Polygon(poly.exterior) if filled else poly)
                        owners.append(p.key)
            index[(fam, filled)] = (STRtree(geoms) if geoms else None, geoms,
                                    {id(g): o for g, o in zip(geoms, owners)})
    return index


def holds_other(index, family, key, geom, filled=False):
    tree, geoms, ids = index[(family, filled)]
    if tree is None:
        return False
    for g in tree.query(geom):
        if ids.get(id(g)) != key and g.intersects(geom) and g.intersection(geom).area > 1e-12:
            return True
    return False


def outline_rings(place, index):
    grid = G.to_grid(place.geom)
    polys = sorted(G.polygons_of(grid), key=lambda p: -p.area)
    if not polys:
        return []
    water = place.family == "water"
    largest = polys[0].area
    kept = []
    for i, poly in enumerate(polys):
        small = poly.area < (SEA_MIN_PIECE if water else MIN_AREA[place.family]) and poly.area < MIN_SHARE * largest
        if i > 0 and small and (water or not holds_other(index, place.family, place.key, poly, filled=True)):
            continue
        # Holes: keep enclaves and large lakes or islands, fill the rest.
        holes = []
        for h in poly.interiors:
            hp = Polygon(h)
            if water:
                if hp.area >= SEA_MIN_HOLE:
                    holes.append(h)
            elif hp.area >= MIN_AREA[place.family] or holds_other(index, place.family, place.key, hp):
                holes.append(h)
        kept.append(Polygon(poly.exterior, holes))
    kept = kept[:MAX_POLYGONS]
    rings = []
    for poly in kept:
        for s in G.simplify_polygon(poly, TOLERANCE[place.family], ground=place.family != "land"):
            holes_before = len(s.interiors)
            ring = G.bridge_holes(s)
            if holes_before and len(ring) == len(s.exterior.coords) - 1:
                log("%s: a hole could not be joined to its ring" % place.key)
            ring = [(round(x, 4), round(y, 4)) for x, y in ring]
            dedup = [ring[0]]
            for p in ring[1:]:
                if p != dedup[-1]:
                    dedup.append(p)
            if len(dedup) > 1 and dedup[-1] == dedup[0]:
                dedup.pop()
            if len(dedup) >= 3:
                rings.append(dedup)
    return rings


def write_outputs(places):
    os.makedirs(OUT_DIR, exist_ok=True)
    doc = {}
    wanted = set()
    for p in places:
        fname = p.key + ".json"
        wanted.add(fname)
        entry = {"level": p.level, "name": p.name, "file": fname}
        if p.answer:
            entry["answer"] = p.answer
        doc[p.key] = entry
        text = json.dumps([[[x, y] for x, y in r] for r in p.rings], separators=(",", ":"))
        with open(os.path.join(OUT_DIR, fname), "w", encoding="utf-8") as f:
            f.write(text + "\n")
    for old in sorted(os.listdir(OUT_DIR)):
        if old.endswith(".json") and old not in wanted:
            os.remove(os.path.join(OUT_DIR, old))
    text_fit.write_places_doc(OUT_DOC, doc)


# Points whose place is known, checked with the game's inside rule after every
# build: each must lie in its place and in no other country.
CHECKS = [
    ("Paris", 48.86, 2.35, "c_fra"), ("Maseru", -29.31, 27.48, "c_lso"),
    ("San Marino", 43.94, 12.45, "c_smr"), ("Chukotka at 172 E", 65.0, 172.0, "c_rus"),
    ("Chukotka at 176 W", 66.0, -176.0, "c_rus"), ("Utqiagvik", 71.29, -156.79, "c_usa"),
    ("inland Fiji", -17.80, 178.00, "c_fji"), ("near the south pole", -89.5, 45.0, "c_ata"),
    ("Likoma Island", -12.06, 34.73, "c_mwi"), ("Caspian Sea", 42.0, 51.0, None),
]


def check_points(places):
    for name, lat, lon, key in CHECKS:
        x, y = (lon + 180.0) / 1.8, (lat + 90.0) / 1.8
        found = [p.key for p in places if p.family == "land" and G.contains_even_odd(p.rings, x, y)]
        if found != ([key] if key else []):
            log("check point %s lies in %s, not %s" % (name, found, key))


def main():
    # The texts are checked first: a name or answer line too long for the
    # question box stops the build before the slow map work.
    misfits = text_fit.misfits(ROOT)
    for m in misfits:
        log(m)
    if misfits:
        sys.exit(1)
    log("reading countries")
    countries = load_countries()
    log("reading divisions")
    divisions = load_divisions()
    log("reading land, lakes and seas")
    land = load_land()
    lakes = load_lakes()
    seas = load_seas(land)
    places = countries + divisions + lakes + seas
    names = {}
    for p in places:
        if p.name in names:
            log("duplicate name %r: %s and %s" % (p.name, names[p.name], p.key))
        names[p.name] = p.key
    index = protected_areas(places)
    log("simplifying")
    for p in places:
        p.rings = outline_rings(p, index)
        if not p.rings:
            log("%s: no outline left" % p.key)
    places = [p for p in places if p.rings]
    places.sort(key=lambda p: p.key)
    write_outputs(places)
    check_points(places)
    levels = {}
    for p in places:
        levels[p.level] = levels.get(p.level, 0) + 1
    total = sum(len(r) for p in places for r in p.rings)
    big = max(places, key=lambda p: sum(len(r) for r in p.rings))
    log("%d places, %d vertices, largest %s with %d" % (
        len(places), total, big.key, sum(len(r) for r in big.rings)))
    log("places per level: " + ", ".join("%d: %d" % (k, levels[k]) for k in sorted(levels)))


if __name__ == "__main__":
    main()
