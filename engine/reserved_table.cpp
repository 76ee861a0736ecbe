#include "engine/reserved_table.h"

#include <sys/mman.h>

#include <new>

#include "engine/huge_pages.h"

namespace tesu {

ReservedMapping::~ReservedMapping() {
    if (start_ != nullptr) munmap(start_, bytes_);
}

void ReservedMapping::widen(std::size_t bytes) {
    if (bytes <= bytes_) return;
    // An empty mapping cannot be remapped: the first one is a fresh map.
    void* moved = start_ == nullptr
                      ? mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0)
                      : mremap(start_, bytes_, bytes, MREMAP_MAYMOVE);
    if (moved == MAP_FAILED) throw std::bad_alloc();
    start_ = moved;
    bytes_ = bytes;
    advise_huge_pages(start_, bytes_);
}

}  // namespace tesu
