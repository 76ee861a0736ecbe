#include "input/domain.h"

#include <algorithm>
#include <string>

#include "engine/error.h"
#include "input/data_file.h"
#include "input/input_checks.h"
#include "input/input_tables.h"

namespace tesu {

namespace {

[[noreturn]] void refuse(std::string_view text) {
    throw Error(ErrorCause::read, READ_ERROR_CAPTION, std::string(text));
}

bool is_closed(const std::vector<Point>& outline) {
    return outline.size() >= 2 && outline.front().x == outline.back().x &&
           outline.front().y == outline.back().y;
}

// The outline section of the data file: the figures one after the other,
// then the loose points.
void load_outline(const Domain& domain, InputTables& input) {
    int points = 0;
    const auto append = [&](const Point& p) {
        if (points == OUTLINE_CAPACITY || !is_finite_point(p)) refuse(OUTLINE_FAILURE);
        input.outline_xy[points++] = p;
    };
    for (const std::vector<Point>& outline : domain.outlines) {
        // Anything else would close its figure elsewhere, or not at all.
        if (!is_closed(outline)) refuse(OUTLINE_FAILURE);
        std::ranges::for_each(outline, append);
    }
    std::ranges::for_each(domain.loose_points, append);
    input.outline_point_count = points;
    if (!outline_is_usable(input)) refuse(OUTLINE_FAILURE);
}

}  // namespace

void load_domain(const Domain& domain, InputTables& input) {
    load_outline(domain, input);

    if (!is_positive_value(domain.spacing)) refuse(BASIC_DENSITY_FAILURE);
    input.basic_density = domain.spacing;

    if (domain.refinements.size() > static_cast<std::size_t>(DENSITY_SPEC_CAPACITY))
        refuse(DENSITY_SPEC_FAILURE);
    int rows = 0;
    for (const Refinement& r : domain.refinements) {
        const DensitySpec row{r.x, r.y, r.radius, r.reach};
        if (!is_usable_refinement(row)) refuse(DENSITY_SPEC_FAILURE);
        input.density_spec[rows++] = row;
    }
    input.density_spec_count = rows;

    if (!is_positive_value(domain.span)) refuse(SPAN_FAILURE);
    input.span = domain.span;

    if (domain.division_points.size() > static_cast<std::size_t>(DIVISION_CAPACITY)) refuse(DIVISION_FAILURE);
    int divisions = 0;
    for (const Point& p : domain.division_points) {
        if (!is_finite_point(p)) refuse(DIVISION_FAILURE);
        input.division_xy[divisions++] = p;
    }
    input.division_node_count = divisions;
}

Domain domain_of(const InputTables& input) {
    Domain domain;
    int start = 0;
    for_each_figure_end(input, [&](int end) {
        domain.outlines.emplace_back(&input.outline_xy[start], &input.outline_xy[start] + (end - start + 1));
        start = end + 1;
    });
    for (int i = start; i < input.outline_point_count; ++i)
        domain.loose_points.push_back(input.outline_xy[i]);
    domain.spacing = input.basic_density;
    for (int k = 0; k < input.density_spec_count; ++k) {
        const DensitySpec& row = input.density_spec[k];
        domain.refinements.push_back({row.x, row.y, row.radius, row.reach});
    }
    domain.span = input.span;
    for (int i = 0; i < input.division_node_count; ++i)
        domain.division_points.push_back(input.division_xy[i]);
    return domain;
}

}  // namespace tesu
