// Runs arbitrary small data files through the whole pipeline: the reader,
// the node stages, the construction, the result file and every export. A
// run may be refused or stopped with an error, but must never crash, trip a
// sanitizer, or run on: each gets a budget of time, after which it is asked
// to stop, and must then end at once (libFuzzer's -timeout catches one that
// does not).
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <new>
#include <sstream>
#include <stop_token>
#include <string>
#include <thread>

#include "engine/error.h"
#include "output/mesh_export.h"
#include "output/result_file.h"
#include "output/svg_picture.h"
#include "run/mesh_run.h"

namespace {

namespace fs = std::filesystem;

constexpr auto BUDGET = std::chrono::seconds(2);

void require(bool condition) {
    if (!condition) std::abort();
}

// Asks the run to stop once its budget is spent; gone with the run.
class Watchdog {
public:
    explicit Watchdog(std::stop_source& stop)
        : thread_([this, &stop] {
              std::unique_lock lock(mutex_);
              if (!ended_.wait_for(lock, BUDGET, [this] { return done_; })) stop.request_stop();
          }) {}
    ~Watchdog() {
        {
            const std::lock_guard lock(mutex_);
            done_ = true;
        }
        ended_.notify_one();
    }

private:
    std::mutex mutex_;
    std::condition_variable ended_;
    bool done_ = false;
    std::jthread thread_;
};

// The exports go to memory, in a folder of the process's own that goes
// with it.
struct ExportFolder {
    fs::path path = fs::path("/dev/shm") / ("tesu-fuzz-" + std::to_string(getpid()));
    ExportFolder() { fs::create_directories(path); }
    ~ExportFolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
};

const fs::path& export_folder() {
    static const ExportFolder folder;
    return folder.path;
}

void check_finished(const tesu::FinishedMesh& mesh) {
    const int nodes = static_cast<int>(mesh.nodes.size());
    require(mesh.outline_node_count >= 0 && mesh.outline_node_count <= nodes);
    require(mesh.smallest_angles.size() == mesh.elements.size());
    for (const auto& element : mesh.elements) {
        for (const int n : element) require(n >= 1 && n <= nodes);
    }
    std::string text;
    tesu::TextSink out([&text](std::string_view block) {
        text.append(block);
        return true;
    });
    tesu::write_result_text(out, mesh, 2);
    require(out.finish());
    require(text.find("nan") == std::string::npos);
    for (const char* name : {"m.msh", "m.vtu", "m.node", "m.poly"}) {
        require(tesu::write_mesh_export((export_folder() / name).string(), mesh).empty());
    }
    require(tesu::write_svg_picture((export_folder() / "m.svg").string(), mesh));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static tesu::MeshRun run;
    std::istringstream bytes(std::string(reinterpret_cast<const char*>(data), size));
    std::stop_source stop;
    try {
        run.read(bytes, "fuzz.DAT");
        run.prepare((export_folder() / "m.TES").string());
        tesu::RunObserver silent;
        {
            const Watchdog watchdog(stop);
            if (const auto mesh = run.build(silent, stop.get_token())) check_finished(*mesh);
        }
        // The same file in the quality mode, at a bound the input picks: it
        // must end, within the watchdog's time, with a sound mesh.
        std::stop_source quality_stop;
        const Watchdog watchdog(quality_stop);
        const tesu::QualityOptions quality{size % 2 == 0, static_cast<double>(size % 35)};
        if (const auto mesh = run.build(silent, quality_stop.get_token(), quality)) check_finished(*mesh);
    } catch (const tesu::Error& error) {
        require(!error.caption().empty() && !error.text().empty());
    } catch (const std::bad_alloc&) {
        // The kernel refused to widen the tables' reservation: the window
        // reports that as a lack of memory, and it says nothing of the input.
    }
    return 0;
}
