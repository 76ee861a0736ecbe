#!/usr/bin/python3
"""Meshes a data file with every export and --stats, then reads each export
back with readers of its own (meshio for .msh and .vtu, plain parsing for the
Triangle-style files) and checks it against the result file: node and element
counts, coordinates, connectivity, orientation, outline edges, holes and the
quality summary.

Usage: check_exports.py TESU_BATCH DATA_FILE
"""
import math
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile

import meshio
import numpy as np

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def read_result_file(path):
    """Nodes, elements (1-based) and outline loops from a .TES file."""
    lines = path.read_bytes().decode("cp932").split("\r\n")
    node_count = int(next(l for l in lines if l.endswith("= ノード数")).split()[0])
    first = lines.index("番号 x y") + 1
    nodes = np.array([[float(v) for v in l.split()[1:]] for l in lines[first:first + node_count]])
    at = next(i for i, l in enumerate(lines) if l.endswith("= 要素数"))
    element_count = int(lines[at].split()[0])
    elements = np.array([[int(v) for v in l.split()] for l in lines[at + 1:at + 1 + element_count]])
    at = lines.index("輪郭線上のデータを出力")
    outline_count = int(lines[at + 1].split()[0])
    loops, loop, taken = [], [], 0
    for line in lines[at + 2:]:
        if taken == outline_count:
            break
        if line == "":
            loops.append(loop)
            loop = []
            continue
        loop.append(int(line.split()[0]))
        taken += 1
    loops.append(loop)
    return nodes, elements, loops


def read_figures(path):
    """Outline points of each figure of the data file, closing point dropped."""
    figures, current = [], []
    for line in path.read_text().splitlines():
        if line.startswith("b"):
            break
        if not line.strip() or line.startswith(";"):
            continue
        point = tuple(float(v) for v in line.split()[:2])
        if current and point == current[0]:
            figures.append(current)
            current = []
        else:
            current.append(point)
    return figures


def crossings(point, polygon):
    x, y = point
    count = 0
    for (ax, ay), (bx, by) in zip(polygon, polygon[1:] + polygon[:1]):
        if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
            count += 1
    return count


def inside_region(point, figures):
    return sum(crossings(point, f) for f in figures) % 2 == 1


def polygon_area(polygon):
    return abs(sum(ax * by - bx * ay for (ax, ay), (bx, by) in zip(polygon, polygon[1:] + polygon[:1]))) / 2


def signed_areas(points, triangles):
    p, q, r = (points[triangles[:, i]] for i in range(3))
    return ((q[:, 0] - p[:, 0]) * (r[:, 1] - p[:, 1]) - (r[:, 0] - p[:, 0]) * (q[:, 1] - p[:, 1])) / 2


def smallest_angles(points, triangles):
    corners = [points[triangles[:, i]] for i in range(3)]
    angles = []
    for i in range(3):
        a, b, c = corners[i], corners[(i + 1) % 3], corners[(i + 2) % 3]
        u, v = b - a, c - a
        cosine = (u * v).sum(axis=1) / np.hypot(u[:, 0], u[:, 1]) / np.hypot(v[:, 0], v[:, 1])
        angles.append(np.degrees(np.arccos(np.clip(cosine, -1, 1))))
    return np.min(angles, axis=0)


def loop_edges(loop):
    return {frozenset(e) for e in zip(loop, loop[1:] + loop[:1])}


def check_nodes(name, points, tes_nodes):
    check(points.shape[0] == tes_nodes.shape[0], f"{name}: {points.shape[0]} nodes, result file {tes_nodes.shape[0]}")
    if points.shape[0] == tes_nodes.shape[0]:
        # The result file rounds to six decimals.
        worst = np.max(np.abs(points[:, :2] - tes_nodes))
        check(worst <= 5.000001e-7 + 1e-12 * np.max(np.abs(tes_nodes)), f"{name}: coordinates off by {worst}")
        if points.shape[1] == 3:
            check(np.all(points[:, 2] == 0), f"{name}: z is not 0")


def check_triangles(name, triangles, tes_elements):
    check(np.array_equal(triangles + 1, tes_elements), f"{name}: connectivity differs from the result file")


def read_triangle_file(path):
    rows = [l.split() for l in path.read_text().splitlines() if l.strip() and not l.startswith("#")]
    return rows[0], rows[1:]


def read_poly(path):
    rows = [l.split() for l in path.read_text().splitlines() if l.strip() and not l.startswith("#")]
    vertex_count = int(rows[0][0])
    vertices = rows[1:1 + vertex_count]
    at = 1 + vertex_count
    segment_count = int(rows[at][0])
    segments = rows[at + 1:at + 1 + segment_count]
    at += 1 + segment_count
    hole_count = int(rows[at][0])
    holes = [(float(r[1]), float(r[2])) for r in rows[at + 1:at + 1 + hole_count]]
    return rows[0], vertices, segments, holes, rows[at + 1 + hole_count:]


def parse_stats(stdout, data_file):
    lines = stdout.splitlines()
    at = lines.index(f"mesh quality: {data_file}")
    stats = {}
    for line in lines[at + 1:]:
        if not line:
            break
        name, value = line.split(": ", 1)
        stats[name] = value
    return stats


def main(batch, data):
    with tempfile.TemporaryDirectory() as folder:
        folder = pathlib.Path(folder)
        dat = folder / data.name
        shutil.copy(data, dat)
        run = subprocess.run([batch, "--stats", "--export", str(folder / "m.msh"), "--export",
                              str(folder / "m.vtu"), "--export", str(folder / "m.NODE"), "--export",
                              str(folder / "m.poly"), str(dat)], capture_output=True, text=True)
        if run.returncode != 0:
            print(run.stdout, run.stderr)
            sys.exit(f"tesu-batch ended with status {run.returncode}")
        tes_nodes, tes_elements, loops = read_result_file(dat.with_suffix(".TES"))
        figures = read_figures(dat)
        outline_count = sum(len(l) for l in loops)
        check(len(loops) == len(figures), f"{len(loops)} outline loops for {len(figures)} figures")

        # Gmsh
        msh = meshio.read(folder / "m.msh")
        check_nodes("msh", msh.points, tes_nodes)
        blocks = {c.type: i for i, c in enumerate(msh.cells)}
        check(set(blocks) == {"line", "triangle"}, f"msh: cell blocks {list(blocks)}")
        triangles = msh.cells[blocks["triangle"]].data
        check_triangles("msh", triangles, tes_elements)
        physical = msh.cell_data["gmsh:physical"]
        names = {name: tuple(v) for name, v in msh.field_data.items()}
        domain = names.get("domain", (None, None))
        check(domain[1] == 2, f"msh: domain group {domain}")
        check(np.all(physical[blocks["triangle"]] == domain[0]), "msh: triangles outside the domain group")
        lines = msh.cells[blocks["line"]].data + 1
        line_tags = physical[blocks["line"]]
        for f, loop in enumerate(loops):
            tag, dim = names.get(f"outline {f + 1}", (None, None))
            check(dim == 1, f"msh: outline {f + 1} group {tag, dim}")
            edges = [frozenset(e) for e, t in zip(lines.tolist(), line_tags) if t == tag]
            check(len(edges) == len(loop) and set(edges) == loop_edges(loop),
                  f"msh: outline {f + 1} edges differ from the result file's outline nodes")

        # Geometry from the exported coordinates, which carry every digit;
        # connectivity is the same in every format.
        tes_points = msh.points[:, :2]
        areas = signed_areas(tes_points, tes_elements - 1)
        check(np.all(areas > 0), f"{np.sum(areas <= 0)} elements not counter-clockwise")

        # VTK
        vtu = meshio.read(folder / "m.vtu")
        check_nodes("vtu", vtu.points, tes_nodes)
        check(len(vtu.cells) == 1 and vtu.cells[0].type == "triangle", "vtu: not one block of triangles")
        check_triangles("vtu", vtu.cells[0].data, tes_elements)
        check(np.array_equal(vtu.points, msh.points), "vtu and msh coordinates differ")
        angles = vtu.cell_data["smallest_angle"][0]
        expected_angles = smallest_angles(tes_points, tes_elements - 1)
        worst_angle = np.max(np.abs(angles - expected_angles))
        check(worst_angle < 1e-3, f"vtu: smallest_angle off by {worst_angle} degrees")

        # Triangle-style files, parsed here.
        header, rows = read_triangle_file(folder / "m.NODE")
        check(header == [str(len(tes_nodes)), "2", "0", "1"], f"node: header {header}")
        node_points = np.array([[float(r[1]), float(r[2])] for r in rows])
        check([int(r[0]) for r in rows] == list(range(1, len(rows) + 1)), "node: numbers not 1, 2, ...")
        check_nodes("node", node_points, tes_nodes)
        check(np.array_equal(node_points, msh.points[:, :2]), "node and msh coordinates differ")
        markers = [int(r[3]) for r in rows]
        check(markers == [1] * outline_count + [0] * (len(rows) - outline_count), "node: boundary markers")
        six_decimals = sum(round(v, 6) != v for v in node_points.flat)
        check(six_decimals > 0, "node: no coordinate carries more than six decimals")
        header, rows = read_triangle_file(folder / "m.ELE")
        check(header == [str(len(tes_elements)), "3", "0"], f"ele: header {header}")
        check([int(r[0]) for r in rows] == list(range(1, len(rows) + 1)), "ele: numbers not 1, 2, ...")
        check(np.array_equal(np.array([[int(v) for v in r[1:]] for r in rows]), tes_elements),
              "ele: connectivity differs from the result file")

        header, vertices, segments, holes, rest = read_poly(folder / "m.poly")
        check(header == [str(outline_count), "2", "0", "1"], f"poly: header {header}")
        check(np.array_equal(np.array([[float(r[1]), float(r[2])] for r in vertices]), node_points[:outline_count]),
              "poly: vertices differ from the outline nodes")
        for f, loop in enumerate(loops):
            edges = [frozenset((int(s[1]), int(s[2]))) for s in segments if int(s[3]) == f + 1]
            check(len(edges) == len(loop) and set(edges) == loop_edges(loop), f"poly: segments of figure {f + 1}")
            check(all(int(v[3]) == f + 1 for v in vertices if int(v[0]) in loop), f"poly: vertex markers {f + 1}")
        hole_figures = [f for f in figures if not inside_region(nudged_inside(f), figures)]
        check(len(holes) == len(hole_figures), f"poly: {len(holes)} holes, the data file has {len(hole_figures)}")
        for hole in holes:
            check(not inside_region(hole, figures), f"poly: hole point {hole} lies inside the figures")
            check(sum(crossings(hole, f) % 2 for f in hole_figures) == 1, f"poly: hole point {hole} in no hole")
        check(rest == [], f"poly: left over {rest}")

        # The quality summary.
        stats = parse_stats(run.stdout, str(dat))
        check(stats.get("nodes") == str(len(tes_nodes)), f"stats: nodes {stats.get('nodes')}")
        check(stats.get("elements") == str(len(tes_elements)), f"stats: elements {stats.get('elements')}")
        check(abs(float(stats["smallest angle"]) - expected_angles.min()) < 1e-3, "stats: smallest angle")
        worst = int(np.argmin(angles))
        worst_line = f"{worst + 1} (nodes {' '.join(str(n) for n in tes_elements[worst])})"
        check(stats.get("worst element") == worst_line, f"stats: worst element {stats.get('worst element')}")
        bins = np.bincount(np.minimum(angles.astype(int), 59) // 10, minlength=6)
        for b in range(6):
            key = f"elements with smallest angle {10 * b}-{10 * b + 10}"
            check(stats.get(key) == str(bins[b]), f"stats: {key} {stats.get(key)}, expected {bins[b]}")
        edge_lengths = np.concatenate([np.hypot(*(tes_points[tes_elements[:, (i + 1) % 3] - 1] -
                                                 tes_points[tes_elements[:, i] - 1]).T) for i in range(3)])
        check(abs(float(stats["shortest edge"]) - edge_lengths.min()) < 1e-5, "stats: shortest edge")
        check(abs(float(stats["longest edge"]) - edge_lengths.max()) < 1e-5, "stats: longest edge")
        region = sum(polygon_area(f) * (-1 if f in hole_figures else 1) for f in figures)
        ratio = areas.sum() / region
        check(abs(float(stats["area ratio"]) - ratio) < 1e-5, f"stats: area ratio {stats['area ratio']}, {ratio}")
        check(0.95 < ratio <= 1.000001, f"the elements cover {ratio} of the figures")

    for message in failures:
        print("FAILED:", message)
    print(f"{len(tes_nodes)} nodes, {len(tes_elements)} elements, {len(figures)} figures, {len(holes)} holes;",
          f"{len(failures)} failures")
    return 1 if failures else 0


def nudged_inside(polygon):
    """A point just inside the polygon, beside the middle of its first edge
    that leaves room for one."""
    for (ax, ay), (bx, by) in zip(polygon, polygon[1:] + polygon[:1]):
        length = math.hypot(bx - ax, by - ay)
        mx, my = (ax + bx) / 2, (ay + by) / 2
        nx, ny = -(by - ay) / length * 1e-3, (bx - ax) / length * 1e-3
        for point in ((mx + nx, my + ny), (mx - nx, my - ny)):
            if crossings(point, polygon) % 2 == 1:
                return point
    raise ValueError("a figure without inside")


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], pathlib.Path(sys.argv[2])))
