"""Failures as tesu.Error with the texts the data file reader shows, and the
refusals of the arguments."""

import pytest

import tesu
from conftest import plate_outlines

OUTLINE = "座標データの読み込み失敗！"
CAPTION = "図形データ読み込みエラー"


def domain(**changes):
    values = dict(outlines=plate_outlines(), spacing=5.0, span=2.0, refinements=[(20, 25, 1.5, 20)],
                  division_points=[(80, 25)])
    values.update(changes)
    return tesu.Domain(**values)


@pytest.mark.parametrize("bad, text", [
    (dict(outlines=[[(0, 0), (10, 0), (10, 10)]]), OUTLINE),
    (dict(outlines=[[]]), OUTLINE),
    (dict(outlines=[[(0, 0), (float("nan"), 0), (10, 10), (0, 0)]]), OUTLINE),
    (dict(spacing=-5.0), "基本密度 Read Error!"),
    (dict(span=0.0), "スパン Read Error!"),
    (dict(refinements=[(20, 25, -1, 20)]), "密度指定データの読み込み失敗！"),
    (dict(division_points=[(float("inf"), 25)]), "分割指定データの読み込み失敗！"),
], ids=["unclosed", "empty", "nan", "negative_spacing", "zero_span", "negative_radius", "infinite_point"])
def test_bad_domains_raise_the_readers_refusal(bad, text):
    with pytest.raises(tesu.Error) as raised:
        tesu.mesh(domain(**bad))
    error = raised.value
    assert isinstance(error, Exception)
    assert (error.cause, error.caption, error.text, error.line) == ("read", CAPTION, text, None)


def test_a_refused_data_file_names_its_line(tmp_path):
    data = tmp_path / "bad.DAT"
    data.write_text("0 0\n10 0\n10 10\n0 0\nb = 1\n1 1 0 5\ns = 2\n")
    with pytest.raises(tesu.Error) as raised:
        tesu.read_data_file(data)
    assert (raised.value.text, raised.value.line) == ("密度指定データの読み込み失敗！", 6)


def test_duplicate_points_are_refused_as_the_run_refuses_them():
    with pytest.raises(tesu.Error) as raised:
        tesu.mesh(domain(outlines=[[(0, 0), (10, 0), (10, 0), (0, 10), (0, 0)]]))
    assert raised.value.caption == "元データに重複があります"


def test_files_that_cannot_be_read_raise_the_systems_reason(tmp_path):
    with pytest.raises(FileNotFoundError):
        tesu.read_data_file(tmp_path / "missing.DAT")
    with pytest.raises(IsADirectoryError):
        tesu.read_data_file(tmp_path)


def test_arguments_of_the_wrong_shape_or_range_are_refused():
    with pytest.raises(ValueError):
        tesu.Domain(outlines=[[(0, 0, 0)]], spacing=1.0)
    with pytest.raises(ValueError):
        tesu.mesh(domain(), min_angle=40)
    with pytest.raises(ValueError):
        tesu.mesh(domain()).write("mesh.unknown")
