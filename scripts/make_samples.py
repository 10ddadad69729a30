#!/usr/bin/env python3
"""Turns GSHHG shorelines, borders and rivers (dumped by GMT) and GeoNames
cities into OKAP's text map files (.mpa) and a cities data file (.dat).

Run through scripts/make-samples.sh, which installs GMT and the city list
first. Standard library only.

    make_samples.py samples OUTDIR CITIES_TSV   the committed sample world
    make_samples.py large OUTDIR DETAIL         one large shoreline map

GMT dumps shorelines as pieces cut at the edges of its storage bins. The
pieces of a polygon meet end to start at identical points, so they are
chained back into closed rings here. Rings are unwrapped across the 180th
meridian, closed over the pole when they circle it (Antarctica), and cut
with a rectangle into the -180..180 window (or a regional box), so that
every area written is a closed ring that fills correctly on its own. Cut
edges are hidden by drawing areas without an outline and the shorelines
again as lines.
"""

import math
import os
import subprocess
import sys
import tempfile
from collections import defaultdict

# Map readers hold 10000 points a segment; the translator adds points along
# the edges it cuts, so segments are kept well below that.
MAX_POINTS = 8000

# Feature types of the sample maps; samples/*.okf give each a look.
LAND, LAKE, ISLAND, COAST, SHORE, RIVER, BORDER = range(1, 8)
# GSHHG levels: 1 land, 2 lake, 3 island in a lake, 4 pond on such an
# island (water again, so drawn as a lake, after the islands).
AREA_TYPE = {1: LAND, 2: LAKE, 3: ISLAND, 4: LAKE}
AREA_NAME = {LAND: "LAND", LAKE: "LAKE", ISLAND: "ISLAND"}
LINE_NAME = {COAST: "COAST", SHORE: "SHORE", RIVER: "RIVER", BORDER: "BORDER"}


# ---------------------------------------------------------------- GMT input

def gmt_dump(args):
    """Runs 'gmt coast -M' and returns its pieces as (level, [(lon, lat)]).
    GMT leaves a gmt.history file behind; it goes into a temporary folder."""
    with tempfile.TemporaryDirectory() as scratch:
        out = subprocess.run(["gmt", "coast", "-Rd", "-M"] + args, cwd=scratch, check=True, capture_output=True,
                             text=True).stdout
    pieces = []
    points = None
    for line in out.splitlines():
        if line.startswith(">"):
            level = int(line.rsplit("Level", 1)[1]) if "Level" in line else 0
            points = []
            pieces.append((level, points))
        elif line.strip():
            lon, lat = line.split()[:2]
            points.append((float(lon), float(lat)))
    return [(level, pts) for level, pts in pieces if len(pts) >= 2]


def point_key(p):
    """Longitude taken modulo 360, so that bin pieces meet across 180/-180."""
    lon = round(p[0] % 360.0, 6)
    if lon == 360.0:
        lon = 0.0
    return (lon, round(p[1], 6))


def chain_rings(pieces):
    """Joins open pieces end to start into closed rings; closed pieces stay."""
    rings = [pts for pts in pieces if point_key(pts[0]) == point_key(pts[-1]) and len(pts) > 2]
    open_pieces = [pts for pts in pieces if point_key(pts[0]) != point_key(pts[-1])]
    by_start = defaultdict(list)
    for i, pts in enumerate(open_pieces):
        by_start[point_key(pts[0])].append(i)
    used = [False] * len(open_pieces)
    broken = 0
    for i in range(len(open_pieces)):
        if used[i]:
            continue
        used[i] = True
        ring = list(open_pieces[i])
        first = point_key(ring[0])
        while point_key(ring[-1]) != first:
            candidates = [j for j in by_start[point_key(ring[-1])] if not used[j]]
            if not candidates:
                broken += 1
                break
            used[candidates[0]] = True
            ring.extend(open_pieces[candidates[0]][1:])
        else:
            rings.append(ring)
    if broken:
        print(f"make_samples: {broken} shoreline chains did not close and were left out", file=sys.stderr)
    return rings


def chain_lines(pieces):
    """Joins line pieces (rivers, borders) wherever exactly two ends meet."""
    ends = defaultdict(list)
    for i, pts in enumerate(pieces):
        ends[point_key(pts[0])].append(i)
        ends[point_key(pts[-1])].append(i)
    used = [False] * len(pieces)

    def extend(line):
        while True:
            k = point_key(line[-1])
            if len(ends[k]) != 2:
                return
            nxt = [j for j in ends[k] if not used[j]]
            if not nxt:
                return
            j = nxt[0]
            used[j] = True
            pts = pieces[j]
            line.extend(pts[1:] if point_key(pts[0]) == k else list(reversed(pts))[1:])

    lines = []
    for i in range(len(pieces)):
        if used[i]:
            continue
        used[i] = True
        line = list(pieces[i])
        extend(line)
        line.reverse()
        extend(line)
        lines.append(line)
    return lines


# ---------------------------------------------------------------- geometry

def unwrap(points):
    """Removes jumps of more than 180 degrees of longitude between neighbours."""
    out = [points[0]]
    for lon, lat in points[1:]:
        prev = out[-1][0]
        while lon - prev > 180.0:
            lon -= 360.0
        while lon - prev < -180.0:
            lon += 360.0
        out.append((lon, lat))
    return out


def close_ring(ring):
    """An unwrapped ring that circles a pole ends 360 degrees from its start;
    close it along the pole's parallel so that it encloses the polar land."""
    ring = unwrap(ring)
    shift = ring[-1][0] - ring[0][0]
    if abs(shift) < 180.0:
        ring[-1] = ring[0]
        return ring
    pole = -90.0 if sum(p[1] for p in ring) < 0 else 90.0
    end, start = ring[-1][0], ring[0][0]
    steps = int(abs(end - start) / 10.0) + 1
    ring.extend((end + (start - end) * i / steps, pole) for i in range(steps + 1))
    ring.append(ring[0])
    return ring


def clip_ring_edge(ring, inside, cross):
    """One Sutherland-Hodgman step: keeps the part of a closed ring on the
    inner side of one box edge. The result may run along the edge to join
    separate pieces; such doubled edges enclose nothing."""
    out = []
    for a, b in zip(ring, ring[1:]):
        ina, inb = inside(a), inside(b)
        if ina:
            out.append(a)
        if ina != inb:
            out.append(cross(a, b))
    if out:
        out.append(out[0])
    return out


def edge_functions(w, e, s, n):
    def at_lon(x):
        return lambda a, b: (x, a[1] + (b[1] - a[1]) * (x - a[0]) / (b[0] - a[0]))

    def at_lat(y):
        return lambda a, b: (a[0] + (b[0] - a[0]) * (y - a[1]) / (b[1] - a[1]), y)

    return [
        (lambda p: p[0] >= w, at_lon(w)),
        (lambda p: p[0] <= e, at_lon(e)),
        (lambda p: p[1] >= s, at_lat(s)),
        (lambda p: p[1] <= n, at_lat(n)),
    ]


def dedupe(points):
    out = [points[0]]
    for p in points[1:]:
        if p != out[-1]:
            out.append(p)
    return out


def ring_area(ring):
    return 0.5 * sum(a[0] * b[1] - b[0] * a[1] for a, b in zip(ring, ring[1:]))


def bounds(points):
    lons = [p[0] for p in points]
    lats = [p[1] for p in points]
    return min(lons), max(lons), min(lats), max(lats)


def clip_ring(ring, w, e, s, n):
    rw, re, rs, rn = bounds(ring)
    if rw >= w and re <= e and rs >= s and rn <= n:
        return ring
    if re <= w or rw >= e or rn <= s or rs >= n:
        return []
    for inside, cross in edge_functions(w, e, s, n):
        ring = clip_ring_edge(ring, inside, cross)
        if len(ring) < 4:
            return []
    ring = dedupe(ring)
    return ring if len(ring) >= 4 and abs(ring_area(ring)) > 1e-12 else []


def clip_line(line, w, e, s, n):
    """Cuts a polyline to a box; returns the pieces inside."""
    pieces = []
    current = []
    for a, b in zip(line, line[1:]):
        seg = clip_segment(a, b, w, e, s, n)
        if seg is None:
            if len(current) >= 2:
                pieces.append(current)
            current = []
            continue
        p, q = seg
        if current and current[-1] == p:
            current.append(q)
        else:
            if len(current) >= 2:
                pieces.append(current)
            current = [p, q]
    if len(current) >= 2:
        pieces.append(current)
    return [dedupe(p) for p in pieces if len(dedupe(p)) >= 2]


def clip_segment(a, b, w, e, s, n):
    """Liang-Barsky: the part of segment a-b inside the box, or None."""
    t0, t1 = 0.0, 1.0
    dx, dy = b[0] - a[0], b[1] - a[1]
    for p, q in ((-dx, a[0] - w), (dx, e - a[0]), (-dy, a[1] - s), (dy, n - a[1])):
        if p == 0:
            if q < 0:
                return None
        else:
            t = q / p
            if p < 0:
                t0 = max(t0, t)
            else:
                t1 = min(t1, t)
    if t0 > t1:
        return None
    pa = a if t0 == 0.0 else (a[0] + t0 * dx, a[1] + t0 * dy)
    pb = b if t1 == 1.0 else (a[0] + t1 * dx, a[1] + t1 * dy)
    return pa, pb


def shifted(points, dlon):
    return [(lon + dlon, lat) for lon, lat in points]


def windows(points, w, e):
    """Multiples of 360 degrees by which unwrapped points must be shifted to
    meet the longitudes w..e."""
    lo, hi = min(p[0] for p in points), max(p[0] for p in points)
    k_min = math.floor((w - hi) / 360.0)
    k_max = math.ceil((e - lo) / 360.0)
    return [360.0 * k for k in range(k_min, k_max + 1) if lo + 360.0 * k < e and hi + 360.0 * k > w]


def cut_ring(ring, box):
    w, e, s, n = box
    out = []
    for dlon in windows(ring, w, e):
        piece = clip_ring(shifted(ring, dlon), w, e, s, n)
        if piece:
            out.append(piece)
    return out


def cut_line(line, box):
    w, e, s, n = box
    line = unwrap(line)
    out = []
    for dlon in windows(line, w, e):
        out.extend(clip_line(shifted(line, dlon), w, e, s, n))
    return out


def split_ring(ring, limit=MAX_POINTS):
    """Cuts a ring into tiles of at most limit points by halving its box."""
    if len(ring) <= limit:
        return [ring]
    w, e, s, n = bounds(ring)
    if e - w >= n - s:
        m = 0.5 * (w + e)
        halves = [(w, m, s, n), (m, e, s, n)]
    else:
        m = 0.5 * (s + n)
        halves = [(w, e, s, m), (w, e, m, n)]
    out = []
    for box in halves:
        piece = clip_ring(ring, *box)
        if piece:
            out.extend(split_ring(piece, limit))
    return out


def split_line(line, limit=MAX_POINTS):
    return [line[i:i + limit] for i in range(0, len(line) - 1, limit - 1)]


# ---------------------------------------------------------------- output

def number(v):
    """General notation with six significant digits, as the map files use."""
    text = "%.6g" % v
    return "0" if text == "-0" else text


class MapWriter:
    def __init__(self, path):
        self.file = open(path, "w", encoding="ascii", newline="")
        self.segments = 0
        self.points = 0
        self.types = set()

    def segment(self, name, ftype, points, area):
        rounded = dedupe([(number(lon), number(lat)) for lon, lat in points])
        if area:
            if rounded[0] != rounded[-1]:
                rounded.append(rounded[0])
            if len(rounded) < 4:
                return
        elif len(rounded) < 2:
            return
        count = len(rounded) if area else -len(rounded)
        self.file.write('"%s",%d,%-10d\r\n' % (name[:8], ftype, count))
        for lon, lat in rounded:
            self.file.write("%s,%s\r\n" % (lon, lat))
        self.segments += 1
        self.points += len(rounded)
        self.types.add(ftype)

    def close(self):
        self.file.close()


def shoreline_rings(detail, min_area):
    """Closed shoreline rings by GSHHG level, unwrapped and closed over the
    poles; features under min_area square kilometres are left out."""
    by_level = defaultdict(list)
    for level, pts in gmt_dump(["-D" + detail, "-A%g" % min_area, "-W"]):
        by_level[level].append(pts)
    return {level: [close_ring(r) for r in chain_rings(pieces)] for level, pieces in sorted(by_level.items())}


def shoreline_lines(ring):
    """The shoreline of a ring without the edge that closes it over a pole
    (shoreline points never lie on a pole's parallel)."""
    out, current = [], []
    for p in ring:
        if abs(p[1]) == 90.0:
            if len(current) >= 2:
                out.append(current)
            current = []
        else:
            current.append(p)
    if len(current) >= 2:
        out.append(current)
    return out


def write_map(path, box, detail, min_area, rivers, borders, with_lines=True):
    """Writes the areas first (land under lakes under islands), then lines."""
    rings = {level: r for level, r in shoreline_rings(detail, min_area).items() if level in AREA_TYPE}
    writer = MapWriter(path)
    for level in sorted(rings):
        ftype = AREA_TYPE[level]
        for ring in rings[level]:
            for piece in cut_ring(ring, box):
                for tile in split_ring(piece):
                    writer.segment(AREA_NAME[ftype], ftype, tile, area=True)
    if with_lines:
        for level in sorted(rings):
            ftype = COAST if level == 1 else SHORE
            for ring in rings[level]:
                for line in shoreline_lines(ring):
                    for piece in cut_line(line, box):
                        for part in split_line(piece):
                            writer.segment(LINE_NAME[ftype], ftype, part, area=False)
        for ftype, args in ((RIVER, rivers), (BORDER, borders)):
            if not args:
                continue
            pieces = [pts for _, pts in gmt_dump(["-D" + detail] + args)]
            for line in chain_lines(pieces):
                for piece in cut_line(line, box):
                    for part in split_line(piece):
                        writer.segment(LINE_NAME[ftype], ftype, part, area=False)
    writer.close()
    print(f"{path}: {writer.segments} segments, {writer.points} points, {os.path.getsize(path)} bytes, "
          f"feature types {sorted(writer.types)}")
    return writer.types


def write_format(source, path, types):
    """Copies the feature lines of the types present from another map format
    file, so that the new format fits its map exactly."""
    with open(source, encoding="ascii", newline="") as f:
        lines = f.read().split("\r\n")
    kept = [line for line in lines if not line.startswith("F") or int(line[1:line.index("=")]) in types]
    with open(path, "w", encoding="ascii", newline="") as f:
        f.write("\r\n".join(kept))


# ---------------------------------------------------------------- cities

def write_cities(tsv_path, out_path):
    """One line per city: longitude, latitude, population in thousands and
    the quoted name (names are UTF-8; a double quote cannot occur in them)."""
    rows = []
    with open(tsv_path, encoding="utf-8") as f:
        for line in f:
            lon, lat, pop, name = line.rstrip("\n").split("\t")
            rows.append((int(pop), float(lon), float(lat), name.replace('"', "'")))
    rows.sort(key=lambda r: -r[0])
    with open(out_path, "w", encoding="utf-8", newline="") as f:
        for pop, lon, lat, name in rows:
            f.write('%s %s %d "%s"\r\n' % (number(lon), number(lat), round(pop / 1000.0), name))
    print(f"{out_path}: {len(rows)} cities, {os.path.getsize(out_path)} bytes")


# ---------------------------------------------------------------- main

WORLD_BOX = (-180.0, 180.0, -90.0, 90.0)
EUROPE_BOX = (-30.0, 50.0, 30.0, 75.0)


def main(argv):
    if len(argv) == 4 and argv[1] == "samples":
        out, cities = argv[2], argv[3]
        write_map(os.path.join(out, "world.mpa"), WORLD_BOX, "c", 0, ["-I1"], ["-N1"])
        write_map(os.path.join(out, "europe.mpa"), EUROPE_BOX, "i", 50, ["-I1", "-I2"], ["-N1"])
        write_cities(cities, os.path.join(out, "cities.dat"))
        return 0
    if len(argv) == 4 and argv[1] == "large":
        out, detail = argv[2], argv[3]
        types = write_map(os.path.join(out, "large.mpa"), WORLD_BOX, detail, 0, None, None, with_lines=False)
        samples = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "samples")
        write_format(os.path.join(samples, "world.okf"), os.path.join(out, "large.okf"), types)
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
