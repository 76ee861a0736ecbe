#include "output/export_text.h"

#include <charconv>

#include "output/atomic_file.h"

namespace tesu {

void write_round_trip(TextSink& out, double value) {
    char digits[32];
    // Adding +0 turns -0 into 0, which readers would otherwise keep as "-0".
    const auto end = std::to_chars(digits, digits + sizeof digits, value + 0.0).ptr;
    out.text(std::string_view(digits, static_cast<std::size_t>(end - digits)));
}

bool write_export_file(const std::string& path, const std::function<void(TextSink&)>& fill) {
    AtomicFile file(path);
    if (!file.is_open()) return false;
    TextSink out([&file](std::string_view block) { return file.write(block); });
    fill(out);
    return out.finish() && file.commit();
}

}  // namespace tesu
