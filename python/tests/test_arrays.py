"""The arrays and files of tesu.mesh against what tesu-batch writes for the
same data file: the same nodes and elements, the same bytes."""

import subprocess

import numpy as np
import pytest

import tesu
from conftest import EXAMPLES, plate_outlines

FORMATS = ["mesh.msh", "mesh.vtu", "mesh.node", "mesh.ele", "mesh.poly"]


def batch_files(batch, data_file, folder):
    """tesu-batch's result (histogram 2), picture and exports of data_file."""
    folder.mkdir()
    command = [batch, "--histogram", "2", "-o", str(folder / "result.TES"), "--svg", str(folder / "picture.svg")]
    for name in FORMATS:
        if name != "mesh.ele":
            command += ["--export", str(folder / name)]
    subprocess.run(command + [str(data_file)], check=True, capture_output=True)
    return folder


def read_triangle_file(path, columns):
    """The rows after the header of a Triangle .node or .ele file, without
    their numbers."""
    rows = [line.split() for line in path.read_text().splitlines()[1:] if line and not line.startswith("#")]
    return np.array([row[1 : 1 + columns] for row in rows], dtype=float)


@pytest.mark.parametrize("example", ["plate", "two_parts", "bracket"])
def test_arrays_and_files_match_tesu_batch(example, batch, tmp_path):
    expected = batch_files(batch, EXAMPLES / f"{example}.DAT", tmp_path / "batch")
    mesh = tesu.mesh(tesu.read_data_file(EXAMPLES / f"{example}.DAT"))

    # The .node file keeps every digit: the coordinates must be the very doubles.
    assert mesh.points.dtype == np.float64 and mesh.points.shape[1] == 2
    assert np.array_equal(mesh.points, read_triangle_file(expected / "mesh.node", 2))
    assert mesh.triangles.dtype == np.int32
    assert np.array_equal(mesh.triangles + 1, read_triangle_file(expected / "mesh.ele", 3).astype(np.int32))
    corners = mesh.points[mesh.triangles]
    turn = np.cross(corners[:, 1] - corners[:, 0], corners[:, 2] - corners[:, 0])
    assert (turn > 0).all(), "every element counter-clockwise"
    assert mesh.smallest_angles.shape == (len(mesh.triangles),)

    ours = tmp_path / "ours"
    ours.mkdir()
    mesh.write(ours / "result.TES", histogram=2)
    mesh.write(ours / "picture.svg")
    for name in FORMATS:
        if name != "mesh.ele":
            mesh.write(ours / name)
    for name in ["result.TES", "picture.svg"] + FORMATS:
        assert (ours / name).read_bytes() == (expected / name).read_bytes(), name


def test_domain_built_in_code_gives_the_data_files_mesh():
    built = tesu.Domain(outlines=plate_outlines(), spacing=5.0, span=2.0,
                        refinements=[(20, 25, 1.5, 20)], division_points=[(80, 25)])
    read = tesu.mesh(tesu.read_data_file(EXAMPLES / "plate.DAT"))
    mesh = tesu.mesh(built)
    assert np.array_equal(mesh.points, read.points)
    assert np.array_equal(mesh.triangles, read.triangles)
    outer, hole = mesh.outlines
    assert not outer.is_hole and hole.is_hole
    # Outline nodes come first, figure by figure.
    assert np.array_equal(np.concatenate([outer.nodes, hole.nodes]), np.arange(len(outer.nodes) + len(hole.nodes)))


def test_arrays_are_made_once_and_read_only():
    mesh = tesu.mesh(tesu.read_data_file(EXAMPLES / "plate.DAT"))
    assert mesh.points is mesh.points and mesh.triangles is mesh.triangles
    with pytest.raises(ValueError):
        mesh.points[0, 0] = 1.0
