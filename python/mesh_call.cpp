#include "mesh_call.h"

#include <pybind11/pybind11.h>

#include <chrono>
#include <exception>
#include <future>
#include <thread>

namespace tesu::python {

namespace {

// How often the caller looks for a signal: a stop within 100 ms needs the
// look and the build's own stop checks well inside that.
constexpr std::chrono::milliseconds SIGNAL_POLL{20};

}  // namespace

FinishedMesh mesh_interruptibly(const Domain& domain, const MeshOptions& options) {
    std::promise<FinishedMesh> result;
    std::future<FinishedMesh> finished = result.get_future();
    std::stop_source stop;
    std::jthread build([&] {
        try {
            result.set_value(mesh(domain, options, quiet, stop.get_token()));
        } catch (...) {
            result.set_exception(std::current_exception());
        }
    });
    for (;;) {
        bool ready = false;
        {
            pybind11::gil_scoped_release unlocked;
            ready = finished.wait_for(SIGNAL_POLL) == std::future_status::ready;
        }
        if (ready) break;
        // Runs the Python signal handlers (on the main thread only).
        if (PyErr_CheckSignals() != 0) {
            stop.request_stop();
            {
                pybind11::gil_scoped_release unlocked;
                build.join();
            }
            throw pybind11::error_already_set();
        }
    }
    {
        pybind11::gil_scoped_release unlocked;
        build.join();
    }
    return finished.get();
}

}  // namespace tesu::python
