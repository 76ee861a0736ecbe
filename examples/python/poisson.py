#!/usr/bin/env python3
"""Solves -Δu = 2π² sin(πx) sin(πy) on the unit square, u = 0 on its
boundary, with linear (P1) elements on TESU meshes of four spacings, and
prints the L2 errors against u = sin(πx) sin(πy) and the convergence rates,
which should approach 2.

    python3 examples/python/poisson.py
"""

import numpy as np
import scipy.sparse
import scipy.sparse.linalg

import tesu

# Halved each time. Spacings that divide the side exactly (0.1, 0.05, ...)
# give noisier rates on the coarser meshes.
SPACINGS = [0.06, 0.03, 0.015, 0.0075]

# A rule exact for polynomials of degree 4 on a triangle: barycentric
# coordinates and weights (summing to 1).
_A, _B = 0.445948490915965, 0.091576213509771
QUADRATURE_POINTS = np.array([
    [_A, _A, 1 - 2 * _A], [_A, 1 - 2 * _A, _A], [1 - 2 * _A, _A, _A],
    [_B, _B, 1 - 2 * _B], [_B, 1 - 2 * _B, _B], [1 - 2 * _B, _B, _B],
])
QUADRATURE_WEIGHTS = np.array([0.223381589678011] * 3 + [0.109951743655322] * 3)


def exact(x, y):
    return np.sin(np.pi * x) * np.sin(np.pi * y)


def source(x, y):
    return 2 * np.pi**2 * exact(x, y)


def unit_square(spacing):
    square = [(0, 0), (1, 0), (1, 1), (0, 1), (0, 0)]
    return tesu.mesh(tesu.Domain(outlines=[square], spacing=spacing, span=2.0))


def solve(mesh):
    """The P1 solution at the nodes, and the element geometry."""
    points, triangles = mesh.points, mesh.triangles
    corners = points[triangles]  # (E, 3, 2)
    edges = corners[:, [1, 2, 0]] - corners[:, [2, 0, 1]]  # edge opposite each corner
    area = 0.5 * (edges[:, 0, 0] * edges[:, 1, 1] - edges[:, 0, 1] * edges[:, 1, 0])
    # Stiffness: (e_i . e_j) / (4 A) for the edges opposite corners i and j.
    local = np.einsum("eik,ejk->eij", edges, edges) / (4 * area[:, None, None])
    rows = np.repeat(triangles, 3, axis=1).ravel()
    cols = np.tile(triangles, (1, 3)).ravel()
    n = len(points)
    stiffness = scipy.sparse.csr_matrix((local.ravel(), (rows, cols)), shape=(n, n))

    # Load: f times each hat function, by the quadrature rule.
    at = np.einsum("qi,eik->eqk", QUADRATURE_POINTS, corners)
    f = source(at[..., 0], at[..., 1])  # (E, Q)
    local_load = np.einsum("eq,q,qi->ei", f, QUADRATURE_WEIGHTS, QUADRATURE_POINTS) * area[:, None]
    load = np.bincount(triangles.ravel(), local_load.ravel(), minlength=n)

    boundary = np.zeros(n, dtype=bool)
    for outline in mesh.outlines:
        boundary[outline.nodes] = True
    free = ~boundary
    u = np.zeros(n)
    u[free] = scipy.sparse.linalg.spsolve(stiffness[free][:, free].tocsc(), load[free])
    return u, corners, area


def l2_error(mesh, u, corners, area):
    at = np.einsum("qi,eik->eqk", QUADRATURE_POINTS, corners)
    u_h = np.einsum("qi,ei->eq", QUADRATURE_POINTS, u[mesh.triangles])
    squared = (u_h - exact(at[..., 0], at[..., 1])) ** 2
    return np.sqrt(np.sum(squared @ QUADRATURE_WEIGHTS * area))


def main():
    print(f"{'spacing':>8} {'nodes':>7} {'L2 error':>12} {'rate':>6}")
    previous = None
    for spacing in SPACINGS:
        mesh = unit_square(spacing)
        error = l2_error(mesh, *solve(mesh))
        rate = "" if previous is None else f"{np.log(previous[1] / error) / np.log(previous[0] / spacing):6.3f}"
        print(f"{spacing:8.4f} {len(mesh.points):7d} {error:12.4e} {rate:>6}")
        previous = (spacing, error)


if __name__ == "__main__":
    main()
