#include "output/export_text.h"

#include <charconv>
#include <memory>

#include "output/atomic_file.h"

namespace tesu {

void write_round_trip(TextSink& out, double value) {
    char digits[32];
    // Adding +0 turns -0 into 0, which readers would otherwise keep as "-0".
    const auto end = std::to_chars(digits, digits + sizeof digits, value + 0.0).ptr;
    out.text(std::string_view(digits, static_cast<std::size_t>(end - digits)));
}

bool write_export_file(const std::string& path, const FileText& fill) {
    return write_export_files({{path, fill}}).empty();
}

std::vector<std::string> write_export_files(const std::vector<std::pair<std::string, FileText>>& files) {
    std::vector<std::unique_ptr<AtomicFile>> written;
    std::vector<std::string> failed;
    for (const auto& [path, fill] : files) {
        auto file = std::make_unique<AtomicFile>(path);
        TextSink out([&file](std::string_view block) { return file->write(block); });
        if (file->is_open()) fill(out);
        if (!file->is_open() || !out.finish() || !file->finish()) failed.push_back(path);
        written.push_back(std::move(file));
    }
    if (!failed.empty()) return failed;  // the temporaries go with `written`
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!written[i]->install()) failed.push_back(files[i].first);
    }
    return failed;
}

}  // namespace tesu
