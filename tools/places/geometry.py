"""Geometry steps of the place converter: wrapping, clipping, cleaning,
simplifying and turning polygons with holes into single rings.

Everything is in degrees (lon, lat) until `to_grid`, which maps onto the
game's 200 x 100 outline grid: x = (lon + 180) / 1.8, y = (lat + 90) / 1.8.
"""
import math

from shapely.geometry import LineString, MultiPolygon, Polygon, box
from shapely.ops import unary_union
from shapely.prepared import prep
from shapely.validation import make_valid


def polygons_of(geom):
    """The polygons of any geometry (collections are searched, lines dropped)."""
    if geom is None or geom.is_empty:
        return []
    if geom.geom_type == "Polygon":
        return [geom]
    if geom.geom_type in ("MultiPolygon", "GeometryCollection"):
        out = []
        for g in geom.geoms:
            out.extend(polygons_of(g))
        return out
    return []


def as_multi(geom):
    return MultiPolygon(polygons_of(geom))


def valid(geom):
    if not geom.is_valid:
        geom = make_valid(geom)
    return as_multi(geom)


def unwrap_ring(ring, near=None):
    """Makes a ring's longitudes continuous (no jump above 180 degrees between
    neighbours). When `near` is given the ring is shifted by whole turns so its
    first point lies within 180 degrees of that longitude."""
    out = []
    offset = 0.0
    prev = None
    for lon, lat in ring:
        if prev is not None:
            d = lon + offset - prev
            if d > 180.0:
                offset -= 360.0
            elif d < -180.0:
                offset += 360.0
        x = lon + offset
        out.append((x, lat))
        prev = x
    if near is not None and out:
        shift = 360.0 * round((near - out[0][0]) / 360.0)
        out = [(x + shift, y) for x, y in out]
    return out


def close_polar(ring):
    """A ring that circles a pole ends a whole turn away from where it starts.
    Close it along the pole's latitude so it encloses the cap, and drop the
    degenerate cap ring the source keeps right at the pole."""
    if len(ring) < 3:
        return ring
    span = ring[-1][0] - ring[0][0]
    if abs(abs(span) - 360.0) > 1.0:
        return ring
    mean_lat = sum(p[1] for p in ring) / len(ring)
    pole = 90.0 if mean_lat > 0 else -90.0
    return ring + [(ring[-1][0], pole), (ring[0][0], pole)]


def is_pole_cap(ring):
    """The source draws a thin ring hugging latitude -89.999; it encloses
    nothing once the Antarctic ring is closed along the pole."""
    return all(abs(lat) > 89.9 for _, lat in ring)


def polygon_from_rings(shell, holes):
    """A valid geometry in continuous longitudes from lon/lat rings that may
    jump across the antimeridian."""
    if is_pole_cap(shell):
        # Antarctica comes as a ring hugging the pole whose "hole" is the
        # coast: on the sphere that is the land between them. In the plane the
        # land is the coast ring closed along the pole.
        parts = []
        for ring in holes:
            r = close_polar(unwrap_ring(ring))
            if len(r) > len(ring):
                parts.append(valid(Polygon(r)))
        return valid(unary_union(parts)) if parts else MultiPolygon()
    s = close_polar(unwrap_ring(shell))
    if len(s) < 3:
        return MultiPolygon()
    h = []
    for ring in holes:
        if is_pole_cap(ring):
            continue
        r = unwrap_ring(ring, near=s[0][0])
        if len(r) >= 3:
            h.append(r)
    return valid(Polygon(s, h))


def clip_to_world(geom):
    """Cuts a geometry in continuous longitudes at the antimeridian and moves
    every piece into [-180, 180]."""
    from shapely.affinity import translate
    pieces = []
    for turn in range(-2, 3):
        window = box(-180.0 + 360.0 * turn, -90.0, 180.0 + 360.0 * turn, 90.0)
        part = geom.intersection(window)
        if not part.is_empty:
            pieces.append(translate(part, xoff=-360.0 * turn))
    return valid(unary_union(pieces)) if pieces else MultiPolygon()


def to_grid(geom):
    from shapely.affinity import affine_transform
    return affine_transform(geom, [1 / 1.8, 0, 0, 1 / 1.8, 180 / 1.8, 90 / 1.8])


def simplify_polygon(poly, tolerance, ground=False):
    """Douglas-Peucker in grid units, with the tolerance shrunk for small
    shapes so that micro-states keep their form instead of collapsing."""
    from shapely.affinity import scale
    # On the globe a grid unit of longitude shrinks with the cosine of the
    # latitude. With `ground` the tolerance is applied in ground distance:
    # squeeze x by that cosine, simplify, and stretch back. Countries keep the
    # plain grid tolerance, which keeps Arctic coastal towns on land.
    lat = poly.representative_point().y * 1.8 - 90.0
    k = max(math.cos(math.radians(lat)), 0.2) if ground else 1.0
    squeezed = scale(poly, xfact=k, yfact=1.0, origin=(0, 0))
    size = math.sqrt(max(squeezed.area, 1e-12))
    tol = min(tolerance, 0.08 * size)
    out = squeezed.simplify(tol, preserve_topology=True)
    if out.is_empty:
        return []
    return polygons_of(valid(scale(out, xfact=1.0 / k, yfact=1.0, origin=(0, 0))))


def bridge_holes(poly):
    """One ring for a polygon with holes: each hole is joined to the ring by a
    zero-width cut (the cut is walked out and back), so an even-odd test over
    the single ring treats the hole as outside. Cuts run through the polygon's
    interior and never cross each other."""
    ring = list(poly.exterior.coords)[:-1]
    holes = sorted((list(h.coords)[:-1] for h in poly.interiors),
                   key=lambda h: -max(p[0] for p in h))
    cuts = []
    inside = prep(poly)
    for hole in holes:
        cand = []
        for hi, hp in enumerate(hole):
            for ri, rp in enumerate(ring):
                d = (hp[0] - rp[0]) ** 2 + (hp[1] - rp[1]) ** 2
                cand.append((d, hi, ri))
        cand.sort()
        best = None
        for d, hi, ri in cand[:5000]:
            if d == 0.0:
                continue
            seg = LineString([ring[ri], hole[hi]])
            # Trimmed ends: the cut may touch the ring and the hole only where
            # it starts and ends.
            core = LineString([seg.interpolate(1e-6, normalized=True),
                               seg.interpolate(1 - 1e-6, normalized=True)])
            if not inside.contains(core):
                continue
            if any(core.intersects(c) for c in cuts):
                continue
            best = (hi, ri)
            break
        if best is None:
            continue  # leave the hole filled rather than draw a crossing cut
        hi, ri = best
        cuts.append(LineString([ring[ri], hole[hi]]))
        loop = hole[hi:] + hole[:hi] + [hole[hi]]
        ring = ring[:ri + 1] + loop + ring[ri:]
    return ring


def contains_even_odd(rings, x, y):
    """The game's own inside rule (half-open crossing count), for checks."""
    for ring in rings:
        n = len(ring)
        inside = False
        for i in range(n):
            xa, ya = ring[i]
            xb, yb = ring[(i + 1) % n]
            if yb < ya:
                xa, ya, xb, yb = xb, yb, xa, ya
            if ya <= y < yb and x > xa + (y - ya) * (xb - xa) / (yb - ya):
                inside = not inside
        if inside:
            return True
    return False
