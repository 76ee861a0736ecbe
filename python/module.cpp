// tesu._core: the domain, the call that meshes it and the finished mesh as
// NumPy arrays. The package around it (tesu/__init__.py) adds what needs
// only Python: the error class, meshio and matplotlib.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/error.h"
#include "mesh_call.h"
#include "output/export_format.h"
#include "output/mesh_export.h"
#include "output/result_file.h"
#include "output/svg_picture.h"
#include "run/mesh_api.h"
#include "run/mesh_run.h"
#include "tesu/version.h"

namespace py = pybind11;

namespace tesu::python {

namespace {

static_assert(sizeof(Point) == 2 * sizeof(double), "points are viewed as rows of two doubles");

using Points = py::array_t<double, py::array::c_style | py::array::forcecast>;

// An array-like of points: (n, 2), or empty.
std::vector<Point> to_points(const py::handle& value, const char* what) {
    const Points array = Points::ensure(value);
    if (!array) throw py::type_error(std::string(what) + " must be an array of (x, y) points");
    if (array.size() == 0) return {};
    if (array.ndim() != 2 || array.shape(1) != 2) {
        throw py::value_error(std::string(what) + " must have the shape (n, 2)");
    }
    std::vector<Point> points(static_cast<std::size_t>(array.shape(0)));
    const auto rows = array.unchecked<2>();
    for (py::ssize_t i = 0; i < array.shape(0); ++i)
        points[static_cast<std::size_t>(i)] = {rows(i, 0), rows(i, 1)};
    return points;
}

std::vector<Refinement> to_refinements(const py::handle& value) {
    const Points array = Points::ensure(value);
    if (!array) throw py::type_error("refinements must be an array of (x, y, radius, reach) rows");
    if (array.size() == 0) return {};
    if (array.ndim() != 2 || array.shape(1) != 4)
        throw py::value_error("refinements must have the shape (k, 4)");
    std::vector<Refinement> rows;
    const auto r = array.unchecked<2>();
    for (py::ssize_t i = 0; i < array.shape(0); ++i) rows.push_back({r(i, 0), r(i, 1), r(i, 2), r(i, 3)});
    return rows;
}

py::array_t<double> points_array(const std::vector<Point>& points) {
    py::array_t<double> array({static_cast<py::ssize_t>(points.size()), py::ssize_t{2}});
    auto rows = array.mutable_unchecked<2>();
    for (std::size_t i = 0; i < points.size(); ++i) {
        rows(static_cast<py::ssize_t>(i), 0) = points[i].x;
        rows(static_cast<py::ssize_t>(i), 1) = points[i].y;
    }
    return array;
}

// A view of memory the mesh owns: no copy, kept alive by `owner`, and
// read-only so that the mesh stays what was built.
template <typename T>
py::array_t<T> view(const T* data, std::vector<py::ssize_t> shape, const py::handle& owner) {
    py::array_t<T> array(std::move(shape), data, owner);
    array.attr("setflags")(py::arg("write") = false);
    return array;
}

// Node numbers from 1 as zero-based indices.
py::array_t<std::int32_t> zero_based(const std::vector<int>& numbers) {
    py::array_t<std::int32_t> array(static_cast<py::ssize_t>(numbers.size()));
    auto out = array.mutable_unchecked<1>();
    for (std::size_t i = 0; i < numbers.size(); ++i) out(static_cast<py::ssize_t>(i)) = numbers[i] - 1;
    return array;
}

const char* cause_name(ErrorCause cause) {
    switch (cause) {
        case ErrorCause::read:
            return "read";
        case ErrorCause::computation:
            return "computation";
        case ErrorCause::capacity:
            return "capacity";
        case ErrorCause::output:
            return "output";
    }
    return "read";
}

// tesu.Error from the core's error: a refusal of a data file names its line
// on the text's last line, which becomes .line.
void raise_error(const Error& error) {
    std::string text = error.text();
    py::object line = py::none();
    const std::size_t open = text.rfind("\n(");
    int number = 0;
    char rest[16] = {};
    if (open != std::string::npos && std::sscanf(text.c_str() + open, "\n(%d %15s", &number, rest) == 2 &&
        text.substr(text.size() - std::string(" 行目)").size()) == " 行目)") {
        line = py::int_(number);
        text.erase(open);
    }
    const py::object type = py::module_::import("tesu._error").attr("Error");
    const py::object raised = type(cause_name(error.cause()), error.caption(), text, line);
    PyErr_SetObject(type.ptr(), raised.ptr());
}

std::string lower_extension(const std::string& path) {
    std::string extension = file_extension(path);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}

void write_mesh(const FinishedMesh& mesh, const std::string& path, int histogram) {
    if (histogram < 0 || histogram > 3) throw py::value_error("histogram takes 0 (none), 1, 2 or 3 degrees");
    const std::string extension = lower_extension(path);
    std::vector<std::string> failed;
    std::string reason;
    if (extension == "tes") {
        if (!write_result_file(mesh, path, histogram, &reason)) failed.push_back(path);
    } else if (extension == "svg") {
        if (!write_svg_picture(path, mesh)) failed.push_back(path);
    } else if (export_format_of(path)) {
        failed = write_mesh_export(path, mesh);
    } else {
        throw py::value_error(path + ": use .TES, .msh, .vtu, .node, .ele, .poly or .svg");
    }
    if (!failed.empty())
        throw Error(ErrorCause::output, OUTPUT_ERROR_CAPTION, output_failure_text(failed[0], reason));
}

struct Mesh {
    FinishedMesh mesh;
};

}  // namespace

}  // namespace tesu::python

PYBIND11_MODULE(_core, m) {
    using namespace tesu;
    using namespace tesu::python;
    m.doc() = "The TESU core: domains, the mesh generation run and the finished mesh.";
    m.attr("__version__") = TESU_VERSION;

    py::register_exception_translator([](std::exception_ptr thrown) {
        try {
            if (thrown) std::rethrow_exception(thrown);
        } catch (const Error& error) {
            raise_error(error);
        }
    });

    py::class_<Domain>(m, "Domain", R"(What a coordinate data file describes, built in code.

outlines: each figure's (x, y) vertices in order, closed by its first vertex
    again; a figure inside another is a hole in it.
spacing: the basic node spacing.
span: how much finer than the spacing the interior search runs (2 is a good
    start).
refinements: (x, y, radius, reach) rows: the spacing radius at (x, y),
    growing back to the basic spacing at the distance reach.
division_points: (x, y) points that become nodes as they stand.

The values are checked when the domain is meshed, with the data file
reader's own refusals (tesu.Error).)")
        .def(py::init([](const py::sequence& outlines, double spacing, double span,
                         const py::object& refinements, const py::object& division_points) {
                 Domain domain;
                 for (const py::handle outline : outlines)
                     domain.outlines.push_back(to_points(outline, "an outline"));
                 domain.spacing = spacing;
                 domain.span = span;
                 if (!refinements.is_none()) domain.refinements = to_refinements(refinements);
                 if (!division_points.is_none())
                     domain.division_points = to_points(division_points, "division_points");
                 return domain;
             }),
             py::arg("outlines"), py::arg("spacing"), py::arg("span") = 2.0,
             py::arg("refinements") = py::none(), py::arg("division_points") = py::none())
        .def_property_readonly(
            "outlines",
            [](const Domain& d) {
                py::list outlines;
                for (const auto& outline : d.outlines) outlines.append(points_array(outline));
                return outlines;
            },
            "Each figure's vertices, closed by the first again, as (n, 2) float64 arrays.")
        .def_readonly("spacing", &Domain::spacing, "The basic node spacing.")
        .def_readonly("span", &Domain::span, "How much finer than the spacing the interior search runs.")
        .def_property_readonly(
            "refinements",
            [](const Domain& d) {
                py::array_t<double> rows({static_cast<py::ssize_t>(d.refinements.size()), py::ssize_t{4}});
                auto r = rows.mutable_unchecked<2>();
                for (std::size_t i = 0; i < d.refinements.size(); ++i) {
                    const auto k = static_cast<py::ssize_t>(i);
                    const Refinement& row = d.refinements[i];
                    r(k, 0) = row.x;
                    r(k, 1) = row.y;
                    r(k, 2) = row.radius;
                    r(k, 3) = row.reach;
                }
                return rows;
            },
            "(k, 4) float64: x, y, radius, reach.")
        .def_property_readonly(
            "division_points", [](const Domain& d) { return points_array(d.division_points); },
            "(m, 2) float64: the points that become nodes.")
        .def("__repr__", [](const Domain& d) {
            return "tesu.Domain(" + std::to_string(d.outlines.size()) +
                   " outlines, spacing=" + py::repr(py::float_(d.spacing)).cast<std::string>() +
                   ", span=" + py::repr(py::float_(d.span)).cast<std::string>() + ", " +
                   std::to_string(d.refinements.size()) + " refinements, " +
                   std::to_string(d.division_points.size()) + " division points)";
        });

    m.def(
        "read_data_file",
        [](const std::string& path) -> std::optional<Domain> {
            py::gil_scoped_release unlocked;
            return read_domain(path);
        },
        py::arg("path"), "The domain of a data file; None when it cannot be opened.");

    py::class_<python::Mesh>(m, "Mesh", "A finished mesh; see tesu.Mesh.")
        .def_property_readonly(
            "points",
            [](const py::object& self) {
                const FinishedMesh& mesh = self.cast<const python::Mesh&>().mesh;
                return view(&mesh.nodes.data()->x, {static_cast<py::ssize_t>(mesh.nodes.size()), 2}, self);
            })
        .def_property_readonly(
            "triangles",
            [](const python::Mesh& self) {
                const auto& elements = self.mesh.elements;
                py::array_t<std::int32_t> array({static_cast<py::ssize_t>(elements.size()), py::ssize_t{3}});
                auto out = array.mutable_unchecked<2>();
                for (std::size_t i = 0; i < elements.size(); ++i) {
                    for (int j = 0; j < 3; ++j)
                        out(static_cast<py::ssize_t>(i), j) = elements[i][static_cast<std::size_t>(j)] - 1;
                }
                return array;
            })
        .def_property_readonly("smallest_angles",
                               [](const py::object& self) {
                                   const FinishedMesh& mesh = self.cast<const python::Mesh&>().mesh;
                                   return view(mesh.smallest_angles.data(),
                                               {static_cast<py::ssize_t>(mesh.smallest_angles.size())}, self);
                               })
        .def_property_readonly(
            "outlines",
            [](const python::Mesh& self) {
                py::list outlines;
                for (const FinishedFigure& figure : self.mesh.figures) {
                    outlines.append(py::make_tuple(zero_based(figure.loop), figure.is_hole));
                }
                return outlines;
            })
        .def_property_readonly("outline_segments",
                               [](const python::Mesh& self) {
                                   std::vector<std::vector<int>> ends(self.mesh.figures.size());
                                   for (const OutlineSegment& s : outline_segments(self.mesh)) {
                                       auto& figure = ends[static_cast<std::size_t>(s.figure)];
                                       figure.push_back(s.from);
                                       figure.push_back(s.to);
                                   }
                                   py::list segments;
                                   for (const auto& figure : ends) {
                                       segments.append(zero_based(figure).reshape(
                                           {static_cast<py::ssize_t>(figure.size() / 2), py::ssize_t{2}}));
                                   }
                                   return segments;
                               })
        .def_property_readonly("outline_node_count",
                               [](const python::Mesh& self) { return self.mesh.outline_node_count; })
        .def(
            "write",
            [](const python::Mesh& self, const std::string& path, int histogram) {
                py::gil_scoped_release unlocked;
                write_mesh(self.mesh, path, histogram);
            },
            py::arg("path"), py::arg("histogram") = 0);

    m.def(
        "mesh",
        [](const Domain& domain, bool conform, double min_angle) {
            MeshOptions options;
            options.quality.conform = conform;
            options.quality.min_angle = min_angle;
            return python::Mesh{mesh_interruptibly(domain, options)};
        },
        py::arg("domain"), py::arg("conform") = false, py::arg("min_angle") = 0.0,
        "Meshes a domain; see tesu.mesh.");
}
