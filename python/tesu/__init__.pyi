from os import PathLike
from typing import Any, NamedTuple, Optional, Sequence, Union

import numpy
import numpy.typing

__version__: str

_ArrayLike = numpy.typing.ArrayLike
_Path = Union[str, PathLike[str]]

class Error(Exception):
    cause: str
    caption: str
    text: str
    line: Optional[int]
    def __init__(self, cause: str, caption: str, text: str, line: Optional[int] = ...) -> None: ...

class Domain:
    def __init__(
        self,
        outlines: Sequence[_ArrayLike],
        spacing: float,
        span: float = ...,
        refinements: Optional[_ArrayLike] = ...,
        division_points: Optional[_ArrayLike] = ...,
    ) -> None: ...
    @property
    def outlines(self) -> list[numpy.ndarray]: ...
    @property
    def spacing(self) -> float: ...
    @property
    def span(self) -> float: ...
    @property
    def refinements(self) -> numpy.ndarray: ...
    @property
    def division_points(self) -> numpy.ndarray: ...

class Outline(NamedTuple):
    nodes: numpy.ndarray
    is_hole: bool

class Mesh:
    @property
    def points(self) -> numpy.ndarray: ...
    @property
    def triangles(self) -> numpy.ndarray: ...
    @property
    def smallest_angles(self) -> numpy.ndarray: ...
    @property
    def outlines(self) -> list[Outline]: ...
    def write(self, path: _Path, histogram: int = ...) -> None: ...
    def to_meshio(self) -> Any: ...
    def plot(self, ax: Any = ..., **triplot_options: Any) -> Any: ...

def read_data_file(path: _Path) -> Domain: ...
def mesh(domain: Domain, conform: bool = ..., min_angle: float = ...) -> Mesh: ...
