"""to_meshio: the mesh, its outlines and smallest angles, as meshio holds
them and as they come back from a file it wrote."""

import numpy as np

import meshio
import tesu
from conftest import EXAMPLES


def test_written_and_read_back_through_meshio(tmp_path):
    mesh = tesu.mesh(tesu.read_data_file(EXAMPLES / "two_parts.DAT"))
    converted = mesh.to_meshio()
    figures = len(mesh.outlines)
    assert [block.type for block in converted.cells] == ["triangle"] + ["line"] * figures
    for f, (outline, block) in enumerate(zip(mesh.outlines, converted.cells[1:])):
        # Each outline's segments run along its loop and close it.
        assert np.array_equal(block.data[:, 0], outline.nodes)
        assert np.array_equal(block.data[:, 1], np.roll(outline.nodes, -1))
        assert (converted.cell_data["tag"][f + 1] == f + 1).all()

    path = tmp_path / "two_parts.vtu"
    converted.write(path)
    back = meshio.read(path)
    assert np.array_equal(back.points[:, :2], mesh.points) and not back.points[:, 2].any()
    # The reader joins the line blocks into one.
    assert [block.type for block in back.cells] == ["triangle", "line"]
    assert np.array_equal(back.cells[0].data, mesh.triangles)
    assert np.array_equal(back.cells[1].data, np.concatenate([b.data for b in converted.cells[1:]]))
    assert np.array_equal(back.cell_data["tag"][0], np.full(len(mesh.triangles), figures + 1))
    assert np.array_equal(back.cell_data["tag"][1], np.concatenate(converted.cell_data["tag"][1:]))
    assert np.array_equal(back.cell_data["smallest_angle"][0], mesh.smallest_angles)
    assert np.isnan(back.cell_data["smallest_angle"][1]).all()
