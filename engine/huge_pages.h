// Backing large tables with huge pages.
#pragma once

#include <cstddef>

namespace tesu {

// Asks the kernel to back the whole 2 MB pages inside [data, data + bytes)
// with huge pages. A large mesh writes hundreds of MB of rows and its walks
// jump about them: far fewer page faults and TLB misses. Memory is still
// committed only where rows are written. Tables under 64 MB are left as they
// are. Failure is harmless and ignored.
void advise_huge_pages(void* data, std::size_t bytes);

}  // namespace tesu
