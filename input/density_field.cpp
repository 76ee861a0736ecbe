#include "input/density_field.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "input/input_tables.h"

namespace tesu {

namespace {

// Cells across and down; bounds the index to about a million cells.
inline constexpr int MAX_CELLS_ACROSS = 1024;
// Wide reaches cover many cells: the cells across and down are halved until
// the cells' lists hold at most this many entries in all (or 32 per
// refinement, if more), which bounds the index whatever the reaches.
inline constexpr std::size_t MIN_ENTRY_BUDGET = std::size_t{1} << 20;

// The cells a refinement reaches: columns and rows, first to last.
struct CellBlock {
    std::pair<int, int> columns;
    std::pair<int, int> rows;
};

// The spacing a refinement gives at distance d, when d is within reach.
double refined_spacing(double radius, double slope, double d) { return radius + slope * d; }

// The cells of `axis` that hold points within reach of `centre`. The margin
// covers the rounding of the distance, which may find a point just beyond
// reach within it; NaN spreads the refinement over every cell.
std::pair<int, int> cells_within(const GridAxis& axis, double centre, double reach) {
    const double margin = 1e-6 * (1 + reach + std::fabs(centre));
    const double low = centre - reach - margin;
    const double high = centre + reach + margin;
    if (std::isnan(low) || std::isnan(high)) return {0, axis.count - 1};
    return {axis.cell_of(low), axis.cell_of(high)};
}

double scan_refinements(const InputTables& input, double x, double y) {
    double r = input.basic_density;
    for (int k = 0; k < input.density_spec_count; ++k) {
        const DensitySpec& row = input.density_spec[k];
        const double d = std::sqrt((x - row.x) * (x - row.x) + (y - row.y) * (y - row.y));
        if (d <= row.reach) {
            const double value =
                refined_spacing(row.radius, (input.basic_density - row.radius) / row.reach, d);
            if (value < r) r = value;
        }
    }
    return r;
}

}  // namespace

void DensityIndex::build(const InputTables& input) {
    basic_density_ = input.basic_density;
    refinements_.clear();
    for (int k = 0; k < input.density_spec_count; ++k) {
        const DensitySpec& row = input.density_spec[k];
        if (!(row.reach >= 0)) continue;  // no distance is within it
        // The value is monotone in the distance, so its ends bound it; with
        // an infinite slope (reach 0) nothing bounds it.
        const double slope = (basic_density_ - row.radius) / row.reach;
        const double at_point = refined_spacing(row.radius, slope, 0.0);
        const double at_reach = refined_spacing(row.radius, slope, row.reach);
        const bool bounded = std::isfinite(slope) && !std::isnan(at_point) && !std::isnan(at_reach);
        const double lowest =
            bounded ? std::min(at_point, at_reach) : -std::numeric_limits<double>::infinity();
        // The spacing never exceeds the basic density.
        if (!(lowest < basic_density_)) continue;
        refinements_.push_back({row.x, row.y, row.radius, row.reach, slope, lowest});
    }

    // The grid covers the figures, where the spacing is asked for; points
    // beyond it fall into its border cells.
    double left = std::numeric_limits<double>::infinity();
    double right = -left;
    double top = left;
    double bottom = -left;
    for (int i = 0; i < input.outline_point_count; ++i) {
        const Point& p = input.outline_xy[i];
        if (std::isfinite(p.x)) {
            left = std::min(left, p.x);
            right = std::max(right, p.x);
        }
        if (std::isfinite(p.y)) {
            top = std::min(top, p.y);
            bottom = std::max(bottom, p.y);
        }
    }
    std::vector<CellBlock> blocks(refinements_.size());
    const auto place_refinements = [&](int wanted) {
        across_ = GridAxis::over(left, right, wanted);
        down_ = GridAxis::over(top, bottom, wanted);
        std::size_t entries = 0;
        for (std::size_t s = 0; s < refinements_.size(); ++s) {
            const IndexedRefinement& refinement = refinements_[s];
            blocks[s] = {cells_within(across_, refinement.x, refinement.reach),
                         cells_within(down_, refinement.y, refinement.reach)};
            entries += static_cast<std::size_t>(blocks[s].columns.second - blocks[s].columns.first + 1) *
                       static_cast<std::size_t>(blocks[s].rows.second - blocks[s].rows.first + 1);
        }
        return entries;
    };
    const std::size_t budget = std::max(MIN_ENTRY_BUDGET, 32 * refinements_.size());
    const int wanted = 2 * static_cast<int>(std::ceil(std::sqrt(static_cast<double>(refinements_.size()))));
    int cells_per_side = std::clamp(wanted, 1, MAX_CELLS_ACROSS);
    while (place_refinements(cells_per_side) > budget && cells_per_side > 1) cells_per_side /= 2;

    const auto cell_count = static_cast<std::size_t>(across_.count) * static_cast<std::size_t>(down_.count);
    const auto for_each_cell = [this](const CellBlock& block, auto visit) {
        for (int row = block.rows.first; row <= block.rows.second; ++row) {
            for (int column = block.columns.first; column <= block.columns.second; ++column) {
                visit(static_cast<std::size_t>(row * across_.count + column));
            }
        }
    };

    cell_start_.assign(cell_count + 1, 0);
    for (const CellBlock& block : blocks)
        for_each_cell(block, [this](std::size_t cell) { ++cell_start_[cell + 1]; });
    for (std::size_t c = 1; c <= cell_count; ++c) cell_start_[c] += cell_start_[c - 1];
    cell_refinements_.resize(static_cast<std::size_t>(cell_start_.back()));
    std::vector<int> next_slot(cell_start_.begin(), cell_start_.end() - 1);
    for (std::size_t s = 0; s < blocks.size(); ++s) {
        for_each_cell(blocks[s], [&](std::size_t cell) {
            cell_refinements_[static_cast<std::size_t>(next_slot[cell]++)] = static_cast<int>(s);
        });
    }
    // Lowest first, so that a query stops at the first one that cannot help.
    for (std::size_t c = 0; c < cell_count; ++c) {
        const auto first = cell_refinements_.begin() + cell_start_[c];
        const auto last = cell_refinements_.begin() + cell_start_[c + 1];
        std::sort(first, last, [this](int a, int b) {
            const double lowest_a = refinements_[static_cast<std::size_t>(a)].lowest;
            const double lowest_b = refinements_[static_cast<std::size_t>(b)].lowest;
            return lowest_a < lowest_b || (lowest_a == lowest_b && a < b);
        });
    }
    ready_ = true;
}

// The smallest of the basic density and the values of the refinements
// within reach, as the full scan finds it: a refinement outside the cell's
// list is out of reach, and one whose lowest value is not below the current
// spacing cannot lower it.
double DensityIndex::spacing_at(double x, double y) const {
    const auto cell = static_cast<std::size_t>(down_.cell_of(y) * across_.count + across_.cell_of(x));
    double r = basic_density_;
    for (int i = cell_start_[cell]; i < cell_start_[cell + 1]; ++i) {
        const IndexedRefinement& refinement =
            refinements_[static_cast<std::size_t>(cell_refinements_[static_cast<std::size_t>(i)])];
        if (refinement.lowest >= r) break;
        const double d =
            std::sqrt((x - refinement.x) * (x - refinement.x) + (y - refinement.y) * (y - refinement.y));
        if (d <= refinement.reach) {
            const double value = refined_spacing(refinement.radius, refinement.slope, d);
            if (value < r) r = value;
        }
    }
    return r;
}

double local_density(const InputTables& input, double x, double y) {
    return input.density_index.ready() ? input.density_index.spacing_at(x, y) : scan_refinements(input, x, y);
}

}  // namespace tesu
