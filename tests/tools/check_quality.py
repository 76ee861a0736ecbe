#!/usr/bin/python3
"""Meshes seeded random outlines (spiky stars, holes, several figures,
refinements) with tesu-batch in the quality mode and checks every mesh: each
segment of the exported .poly is an element edge, the elements cover the
region exactly, no node lies inside an element's circumcircle, and no
element's smallest angle is under the bound unless it lies at an outline
corner sharper than 60 degrees.

Usage: check_quality.py TESU_BATCH [--count N] [--seed S] [--min-angle DEG]
                        [--keep DIR]
"""
import argparse
import math
import pathlib
import random
import subprocess
import sys
import tempfile

import numpy as np
from scipy.spatial import cKDTree


def star(rng, cx, cy, radius, points, spiky):
    # Evenly spaced angles, each moved by less than half a step, keep the
    # outline simple.
    step = 2 * math.pi / points
    angles = [step * (i + rng.uniform(-0.45, 0.45)) for i in range(points)]
    outline = []
    for i, a in enumerate(angles):
        r = radius * (rng.uniform(0.35, 1.0) if spiky else rng.uniform(0.8, 1.0))
        if spiky and i % 2:
            r *= rng.uniform(0.3, 0.7)
        outline.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return outline


def random_domain(rng):
    """Figures (each a list of points, not closed), spacing, refinements."""
    figures = []
    count = rng.choice([1, 1, 1, 2, 3])
    for f in range(count):
        cx, cy, radius = 100.0 * f, rng.uniform(-5, 5), rng.uniform(20, 40)
        figures.append(star(rng, cx, cy, radius, rng.randint(6, 40), rng.random() < 0.8))
        if rng.random() < 0.4:
            figures.append(star(rng, cx, cy, radius * 0.08, rng.randint(3, 8), False))
    spacing = rng.uniform(1.5, 5.0)
    refinements = []
    for _ in range(rng.choice([0, 0, 1, 2])):
        fx, fy = rng.choice(figures[0])
        refinements.append((fx * 0.9, fy * 0.9, spacing * rng.uniform(0.2, 0.6), rng.uniform(5, 20)))
    return figures, spacing, refinements


def write_data_file(path, figures, spacing, refinements):
    lines = []
    for figure in figures:
        for x, y in figure + [figure[0]]:
            lines.append(f"{x:.6f} {y:.6f}")
    lines.append(f"b = {spacing:.6f}")
    for r in refinements:
        lines.append(" ".join(f"{v:.6f}" for v in r))
    lines.append("s = 2")
    path.write_text("\n".join(lines) + "\n")


def rounded_figures(path):
    """The figures as the data file states them, to its six decimals."""
    points, figures = [], []
    for line in path.read_text().splitlines():
        if line.startswith("b"):
            break
        x, y = map(float, line.split())
        if points and (x, y) == points[0]:
            figures.append(points)
            points = []
        else:
            points.append((x, y))
    return figures


def inside(point, polygon):
    x, y = point
    crossings = False
    for (x1, y1), (x2, y2) in zip(polygon, polygon[1:] + polygon[:1]):
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            crossings = not crossings
    return crossings


def signed_area(polygon):
    return sum(x1 * y2 - x2 * y1 for (x1, y1), (x2, y2) in zip(polygon, polygon[1:] + polygon[:1])) / 2


def read_table(path, columns):
    rows = [l.split() for l in path.read_text().splitlines() if l.strip() and not l.startswith("#")]
    count = int(rows[0][0])
    return rows[1:1 + count], rows[1 + count:]


def check_mesh(stem, figures, bound):
    problems = []
    node_rows, _ = read_table(stem.with_suffix(".node"), 3)
    nodes = np.array([[float(r[1]), float(r[2])] for r in node_rows])
    element_rows, _ = read_table(stem.with_suffix(".ele"), 4)
    elements = np.array([[int(v) - 1 for v in r[1:4]] for r in element_rows])
    poly_rows = [l.split() for l in stem.with_suffix(".poly").read_text().splitlines() if l.strip()]
    poly_nodes = int(poly_rows[0][0])
    segment_count = int(poly_rows[1 + poly_nodes][0])
    segments = [(int(r[1]) - 1, int(r[2]) - 1) for r in poly_rows[2 + poly_nodes:2 + poly_nodes + segment_count]]

    edges = set()
    for a, b, c in elements:
        for u, v in ((a, b), (b, c), (c, a)):
            edges.add((min(u, v), max(u, v)))
    missing = sum((min(a, b), max(a, b)) not in edges for a, b in segments)
    if missing:
        problems.append(f"{missing} of {len(segments)} segments are no element edge")

    p, q, r = nodes[elements[:, 0]], nodes[elements[:, 1]], nodes[elements[:, 2]]
    twice = (q[:, 0] - p[:, 0]) * (r[:, 1] - p[:, 1]) - (r[:, 0] - p[:, 0]) * (q[:, 1] - p[:, 1])
    if (twice <= 0).any():
        problems.append(f"{int((twice <= 0).sum())} elements not counter-clockwise")
    depth = [sum(inside(f[0], g) for g in figures if g is not f) for f in figures]
    region = sum(abs(signed_area(f)) * (1 if d % 2 == 0 else -1) for f, d in zip(figures, depth))
    area = twice.sum() / 2
    if abs(area - region) > 1e-6 * region:
        problems.append(f"element area {area:.9f} against region {region:.9f}")

    # No node strictly inside a circumcircle, to a relative tolerance; the
    # circles are found relative to their first corner, where small elements
    # far from the origin keep their digits.
    qx, qy, rx, ry = q[:, 0] - p[:, 0], q[:, 1] - p[:, 1], r[:, 0] - p[:, 0], r[:, 1] - p[:, 1]
    d = 2 * twice
    cx = (ry * (qx ** 2 + qy ** 2) - qy * (rx ** 2 + ry ** 2)) / d
    cy = (qx * (rx ** 2 + ry ** 2) - rx * (qx ** 2 + qy ** 2)) / d
    radius2 = cx ** 2 + cy ** 2
    cx, cy = cx + p[:, 0], cy + p[:, 1]
    tree = cKDTree(nodes)
    violations = 0
    for e, near in enumerate(tree.query_ball_point(np.stack([cx, cy], axis=1), np.sqrt(radius2) * (1 - 1e-9))):
        violations += sum(1 for n in near if n not in elements[e])
    if violations:
        problems.append(f"{violations} nodes inside circumcircles")

    # Smallest angles, and which lie at a sharp input corner.
    sharp = {}
    for f, dp in zip(figures, depth):
        ccw = (signed_area(f) > 0) == (dp % 2 == 0)
        n = len(f)
        for i, (x, y) in enumerate(f):
            (px, py), (nx, ny) = f[i - 1], f[(i + 1) % n]
            turn = math.atan2((px - x) * (ny - y) - (py - y) * (nx - x), (px - x) * (nx - x) + (py - y) * (ny - y))
            interior = math.degrees(-turn if ccw else turn) % 360
            if interior < 60:
                sharp[(x, y)] = interior
    corners = np.stack([p, q, r], axis=1)
    worst = 180.0
    exempt = 0
    for e in range(len(elements)):
        angles = []
        for i in range(3):
            a, b, c = corners[e, i], corners[e, (i + 1) % 3], corners[e, (i + 2) % 3]
            u, v = b - a, c - a
            angles.append(math.degrees(math.acos(max(-1, min(1, u.dot(v) / math.hypot(*u) / math.hypot(*v))))))
        i = int(np.argmin(angles))
        at = tuple(np.round(corners[e, i], 6))
        if angles[i] < bound - 1e-9 and any(abs(at[0] - x) < 1e-5 and abs(at[1] - y) < 1e-5 for x, y in sharp):
            exempt += 1
            continue
        worst = min(worst, angles[i])
    if bound and worst < bound - 1e-9:
        problems.append(f"smallest angle {worst:.6f} under {bound}")
    return problems, len(nodes), worst, exempt


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("batch")
    parser.add_argument("--count", type=int, default=30)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--min-angle", type=float, default=30)
    parser.add_argument("--keep")
    args = parser.parse_args()
    rng = random.Random(args.seed)
    failed = 0
    with tempfile.TemporaryDirectory() as scratch:
        folder = pathlib.Path(args.keep or scratch)
        folder.mkdir(exist_ok=True)
        for case in range(args.count):
            stem = folder / f"case{case}"
            figures, spacing, refinements = random_domain(rng)
            write_data_file(stem.with_suffix(".DAT"), figures, spacing, refinements)
            option = ["--min-angle", str(args.min_angle)] if args.min_angle else ["--conform"]
            run = subprocess.run([args.batch, *option, "--export", str(stem.with_suffix(".node")),
                                  "--export", str(stem.with_suffix(".poly")), str(stem.with_suffix(".DAT"))],
                                 capture_output=True, timeout=60)
            if run.returncode != 0:
                print(f"{stem.name}: status {run.returncode}: {run.stderr.decode(errors='replace').strip()}")
                failed += 1
                continue
            problems, nodes, worst, exempt = check_mesh(stem, rounded_figures(stem.with_suffix(".DAT")),
                                                       args.min_angle)
            if problems:
                failed += 1
                print(f"{stem.name}: " + "; ".join(problems))
    print(f"{args.count - failed} of {args.count} meshes pass")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
