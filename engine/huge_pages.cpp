#include "engine/huge_pages.h"

#include <sys/mman.h>

#include <cstdint>

namespace tesu {

void advise_huge_pages(void* data, std::size_t bytes) {
    // A table of a few MB gains little, and the huge page at its frontier
    // would commit up to 2 MB that no row uses.
    constexpr std::size_t smallest_table = std::size_t{64} << 20;
    if (bytes < smallest_table) return;
    constexpr std::uintptr_t huge_page = std::uintptr_t{2} << 20;
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (begin + huge_page - 1) & ~(huge_page - 1);
    const std::uintptr_t last = (begin + bytes) & ~(huge_page - 1);
    if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

}  // namespace tesu
