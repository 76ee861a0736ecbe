"""TESU: triangular meshes of 2-D figures for finite elements.

    import tesu
    domain = tesu.read_data_file("plate.DAT")            # or:
    domain = tesu.Domain(outlines=[outer, hole], spacing=5.0, span=2.0,
                         refinements=[(20, 25, 1.5, 20)], division_points=[(80, 25)])
    mesh = tesu.mesh(domain)
    mesh.points, mesh.triangles       # (N, 2) float64, (E, 3) int32 from 0
    mesh.write("plate.TES", histogram=2)

Nodes and elements come in the order of the result file that tesu-batch
writes: nodes on the outlines first, figure by figure, then the
division-specified nodes, then the interior nodes; index i here is node
number i + 1 there.
"""

import collections
import errno
import functools
import os

from . import _core
from ._core import Domain, __version__
from ._error import Error

__all__ = ["Domain", "Error", "Mesh", "Outline", "mesh", "read_data_file", "__version__"]

Outline = collections.namedtuple("Outline", ["nodes", "is_hole"])
Outline.__doc__ = """One figure of the mesh: the indices of its outline nodes in the order
they run along it (the loop closes from the last back to the first), and
whether it is a hole."""


def read_data_file(path):
    """The domain a coordinate data file (.DAT) describes.

    Raises tesu.Error when the reader refuses the file (with .line), and
    OSError when it cannot be opened.
    """
    path = os.fspath(path)
    domain = _core.read_data_file(path)
    if domain is None:
        # The system's own reason: missing, a folder, no permission.
        with open(path, "rb"):
            pass
        raise OSError(errno.EINVAL, "not a regular file", path)
    return domain


def mesh(domain, conform=False, min_angle=0.0):
    """Meshes a domain, as tesu-batch meshes a data file of the same contents.

    conform: add nodes on the outlines until every segment between
        consecutive outline nodes is an element edge.
    min_angle: degrees (0 < min_angle <= 34): as conform, and also refine
        every element whose smallest angle is under it; 0 for none.

    The build runs without the GIL; Ctrl+C stops it and raises
    KeyboardInterrupt. A refused domain or a computation that cannot go on
    raises tesu.Error.
    """
    return Mesh(_core.mesh(domain, conform, min_angle))


class Mesh:
    """A finished mesh. Its arrays are made once, on first use, and are
    read-only."""

    def __init__(self, core):
        self._core = core

    @functools.cached_property
    def points(self):
        """(N, 2) float64: the nodes, in the units of the domain."""
        return self._core.points

    @functools.cached_property
    def triangles(self):
        """(E, 3) int32: each element's node indices (from 0),
        counter-clockwise, in the order of the result file."""
        array = self._core.triangles
        array.setflags(write=False)
        return array

    @functools.cached_property
    def smallest_angles(self):
        """(E,) float64: each element's smallest angle in degrees, as the
        result file's histogram counts them."""
        return self._core.smallest_angles

    @functools.cached_property
    def outlines(self):
        """One Outline per figure of the domain, in its order."""
        return [Outline(nodes, is_hole) for nodes, is_hole in self._core.outlines]

    def write(self, path, histogram=0):
        """Writes the mesh in the format the extension names, with the very
        bytes tesu-batch writes: .TES (the result file, with the histogram of
        smallest angles in bins of `histogram` degrees, 0 for none), .msh,
        .vtu, .node or .ele (the pair), .poly, .svg. Raises tesu.Error when
        it cannot be written."""
        self._core.write(os.fspath(path), histogram)

    def to_meshio(self):
        """A meshio.Mesh: the points with z = 0 (as the .msh and .vtu
        exports write them, and as meshio's writers want them), the
        triangles, then one line cell block per outline. Cell data "tag":
        the figure's number (from 1) on its lines, the number of figures + 1
        on the triangles, as in the .msh export; "smallest_angle": degrees
        on the triangles, NaN on the lines."""
        import meshio
        import numpy

        segments = self._core.outline_segments
        cells = [("triangle", self.triangles)] + [("line", s) for s in segments]
        tags = [numpy.full(len(self.triangles), len(segments) + 1, dtype=numpy.int32)]
        tags += [numpy.full(len(s), f + 1, dtype=numpy.int32) for f, s in enumerate(segments)]
        angles = [numpy.asarray(self.smallest_angles)]
        angles += [numpy.full(len(s), numpy.nan) for s in segments]
        points = numpy.column_stack([self.points, numpy.zeros(len(self.points))])
        return meshio.Mesh(points, cells, cell_data={"tag": tags, "smallest_angle": angles})

    def plot(self, ax=None, **triplot_options):
        """Draws the elements and, thicker, the outlines with matplotlib;
        returns the axes. Options go to Axes.triplot."""
        import matplotlib.pyplot as plt

        if ax is None:
            ax = plt.figure().add_subplot()
        x, y = self.points[:, 0], self.points[:, 1]
        triplot_options.setdefault("linewidth", 0.4)
        triplot_options.setdefault("color", "tab:blue")
        ax.triplot(x, y, self.triangles, **triplot_options)
        for segments in self._core.outline_segments:
            for a, b in segments:
                ax.plot([x[a], x[b]], [y[a], y[b]], color="black", linewidth=1.2)
        ax.set_aspect("equal")
        return ax

    def __repr__(self):
        return f"<tesu.Mesh: {len(self.points)} nodes, {len(self.triangles)} elements>"
