"""Reading Natural Earth TopoJSON (world-atlas) into lon/lat rings and arcs.

Arcs are shared between neighbouring countries, so drawing each arc once gives
every coastline and border exactly once (no doubled, darker shared borders).
"""
import json

import numpy as np


def load(path):
    with open(path, encoding="utf-8") as f:
        topo = json.load(f)
    sx, sy = topo["transform"]["scale"]
    tx, ty = topo["transform"]["translate"]
    arcs = []
    for arc in topo["arcs"]:
        q = np.cumsum(np.asarray(arc, dtype=np.int64), axis=0)
        lon = q[:, 0] * sx + tx
        lat = q[:, 1] * sy + ty
        arcs.append(np.stack([lon, lat], axis=1))
    return topo, arcs


def _arc_points(arcs, index):
    # A negative index ~i walks arc i backwards.
    if index >= 0:
        return arcs[index]
    return arcs[~index][::-1]


def ring_points(arcs, ring):
    parts = []
    for k, index in enumerate(ring):
        pts = _arc_points(arcs, index)
        parts.append(pts if k == 0 else pts[1:])
    return np.concatenate(parts, axis=0)


def polygons(geometry):
    """Polygons (lists of rings of arc indices) of a Polygon or MultiPolygon."""
    if geometry["type"] == "Polygon":
        return [geometry["arcs"]]
    if geometry["type"] == "MultiPolygon":
        return geometry["arcs"]
    return []


def arc_use_counts(topo, object_name):
    """How many rings of the object's geometries use each arc."""
    counts = {}
    for geometry in topo["objects"][object_name]["geometries"]:
        for polygon in polygons(geometry):
            for ring in polygon:
                for index in ring:
                    i = index if index >= 0 else ~index
                    counts[i] = counts.get(i, 0) + 1
    return counts


def unwrap(lon):
    """Longitudes made continuous: a step of more than 180 degrees is a wrap."""
    steps = np.diff(lon)
    fix = np.where(steps > 180, -360.0, np.where(steps < -180, 360.0, 0.0))
    return lon + np.concatenate([[0.0], np.cumsum(fix)])
