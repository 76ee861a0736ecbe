"""What the tests of the Python module share: the source folder, tesu-batch
and the plate of examples/plate.DAT built in code."""

import os
import pathlib

import pytest

SOURCE = pathlib.Path(os.environ.get("TESU_SOURCE_DIR", pathlib.Path(__file__).parents[2]))
EXAMPLES = SOURCE / "examples"


@pytest.fixture
def batch():
    return os.environ.get("TESU_BATCH", str(SOURCE / "build" / "tesu-batch"))


def plate_outlines():
    outer = [(0, 0), (100, 0), (100, 50), (0, 50), (0, 0)]
    hole = [(40, 20), (60, 20), (60, 30), (40, 30), (40, 20)]
    return [outer, hole]
