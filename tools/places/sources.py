"""Readers for the vector sources: TopoJSON from the npm atlases, the GMT
Digital Chart of the World, and the Natural Earth lakes kept by R's maps
package. Each returns shapely geometry in continuous longitudes (a ring that
crosses the antimeridian is not yet cut; see geometry.clip_to_world)."""
import json
import os
import subprocess

from shapely.geometry import MultiPolygon, Polygon
from shapely.ops import unary_union

from geometry import polygon_from_rings, unwrap_ring, valid

HERE = os.path.dirname(os.path.abspath(__file__))
NODE = os.path.join(HERE, "node_modules")


class Topology:
    """A decoded TopoJSON file (quantised, delta-encoded arcs)."""

    def __init__(self, path):
        with open(path, encoding="utf-8") as f:
            self.topo = json.load(f)
        sx, sy = self.topo["transform"]["scale"]
        tx, ty = self.topo["transform"]["translate"]
        self.arcs = []
        for arc in self.topo["arcs"]:
            x = y = 0
            pts = []
            for dx, dy in arc:
                x += dx
                y += dy
                pts.append((x * sx + tx, y * sy + ty))
            self.arcs.append(pts)

    def ring(self, indices):
        out = []
        for i in indices:
            pts = self.arcs[i] if i >= 0 else self.arcs[~i][::-1]
            out.extend(pts if not out else pts[1:])
        return out

    def geometries(self, obj):
        return self.topo["objects"][obj]["geometries"]

    def shape(self, geometry):
        """A geometry's polygons, each built from its shell and holes."""
        if geometry["type"] == "Polygon":
            polys = [geometry["arcs"]]
        elif geometry["type"] == "MultiPolygon":
            polys = geometry["arcs"]
        else:
            return MultiPolygon()
        parts = []
        for rings in polys:
            shell = self.ring(rings[0])
            holes = [self.ring(r) for r in rings[1:]]
            parts.append(polygon_from_rings(shell, holes))
        return valid(unary_union(parts))


def world_atlas():
    return Topology(os.path.join(NODE, "world-atlas", "countries-50m.json"))


def land_atlas():
    return Topology(os.path.join(NODE, "world-atlas", "land-50m.json"))


def us_atlas():
    return Topology(os.path.join(NODE, "us-atlas", "states-10m.json"))


# The DCW is far more detailed than a finger can tell apart; thinning it to a
# fifth of the final tolerance first keeps the unions fast without moving any
# coast the final simplification keeps.
PRE_SIMPLIFY_DEG = 0.007


def coarse(ring):
    """A DCW ring thinned before it is made valid (repairing the full-detail
    ring is what costs the time)."""
    poly = Polygon(unwrap_ring(ring)).simplify(PRE_SIMPLIFY_DEG, preserve_topology=False)
    return valid(poly) if not poly.is_empty else MultiPolygon()


def dcw_region(code):
    """A DCW state as one geometry. GMT writes each ring as a segment; rings
    marked -Ph are holes of the ring that encloses them."""
    cache = os.path.join(HERE, ".cache", "dcw-" + code + ".txt")
    if os.path.exists(cache):
        with open(cache, encoding="utf-8") as f:
            out = f.read()
    else:
        out = subprocess.run(["gmt", "coast", "-E" + code, "-M"], check=True,
                             capture_output=True, text=True).stdout
        os.makedirs(os.path.dirname(cache), exist_ok=True)
        with open(cache, "w", encoding="utf-8") as f:
            f.write(out)
    rings = []
    cur = None
    for line in out.splitlines():
        if line.startswith(">"):
            cur = {"hole": "-Ph" in line, "pts": []}
            rings.append(cur)
            continue
        parts = line.split()
        if len(parts) >= 2 and cur is not None:
            cur["pts"].append((float(parts[0]), float(parts[1])))
    shells = [r["pts"] for r in rings if not r["hole"] and len(r["pts"]) >= 3]
    holes = [r["pts"] for r in rings if r["hole"] and len(r["pts"]) >= 3]
    geom = valid(unary_union([coarse(s) for s in shells]))
    if holes:
        cut = valid(unary_union([coarse(h) for h in holes]))
        geom = valid(geom.difference(cut))
    return geom


LAKES_R = r'''
library(maps)
m <- map("lakes", plot=FALSE, fill=TRUE)
cat(m$names, sep="\n"); cat("@@\n")
for (i in seq_along(m$x)) { if (is.na(m$x[i])) cat("\n") else cat(sprintf("%.5f,%.5f ", m$x[i], m$y[i])) }
cat("\n")
'''


def lakes():
    """Natural Earth lakes from R's maps package: name -> list of polygons
    (each a list of lon/lat points), in the package's order."""
    out = subprocess.run(["Rscript", "-e", LAKES_R], check=True,
                         capture_output=True, text=True).stdout
    names, coords = out.split("@@\n", 1)
    names = names.splitlines()
    rows = [r for r in coords.split("\n")]
    polys = []
    for r in rows[:len(names)]:
        pts = [tuple(map(float, p.split(","))) for p in r.split()]
        polys.append(pts)
    result = {}
    for name, pts in zip(names, polys):
        base = name.split(":")[0] if not name.startswith("Great Lakes") else ":".join(name.split(":")[:2])
        result.setdefault(base, []).append((name, pts))
    return result


def lake_shape(pieces):
    """The main ring of a lake with its islands cut out; pieces outside the
    main ring are further parts of the lake."""
    polys = [Polygon(p) for _, p in pieces if len(p) >= 3]
    polys = [valid(p) for p in polys]
    polys.sort(key=lambda p: -p.area)
    main = polys[0]
    for p in polys[1:]:
        if main.contains(p.representative_point()):
            main = valid(main.difference(p))
        else:
            main = valid(main.union(p))
    return main
