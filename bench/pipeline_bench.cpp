// Whole runs on large generated data files: per case the node and element
// counts, the time of each stage and the peak memory. Each case runs in a
// child process of its own so that its peak memory is its own.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "engine/node_numbering.h"
#include "run/run_driver.h"
#include "ui/headless_platform.h"

namespace {

using namespace tesu;
namespace fs = std::filesystem;

struct BenchCase {
    std::string name;
    std::string data;  // contents of the data file
    QualityOptions quality = {};
};

std::string spacing_and_span(double spacing) {
    char text[64];
    std::snprintf(text, sizeof text, "b = %.6f\ns = 2\n", spacing);
    return text;
}

// A 100 x 50 plate with a 20 x 10 hole, uniform spacing, the outer outline
// listed first as people write it.
std::string plate_with_hole(double spacing) {
    return "0 0\n100 0\n100 50\n0 50\n0 0\n40 20\n60 20\n60 30\n40 30\n40 20\n" + spacing_and_span(spacing);
}

// The same plate with the hole first: its nodes keep the circles of the
// triangles along the plate's long edges small.
std::string plate_hole_first(double spacing) {
    return "40 20\n60 20\n60 30\n40 30\n40 20\n0 0\n100 0\n100 50\n0 50\n0 0\n" + spacing_and_span(spacing);
}

// A long strip: each long edge is a row of collinear nodes inserted in order.
std::string strip(int length) {
    return "0 0\n" + std::to_string(length) + " 0\n" + std::to_string(length) + " 10\n0 10\n0 0\n" +
           spacing_and_span(1.0);
}

// A circle of co-circular outline points: the first interior node's cavity
// is the whole disc.
std::string circle(int points, double spacing) {
    std::string data;
    char line[96];
    constexpr double pi = 3.141592653589793;
    for (int i = 0; i <= points; ++i) {
        const double angle = 2 * pi * (i % points) / points;
        std::snprintf(line, sizeof line, "%.9f %.9f\n", 20 * std::cos(angle), 20 * std::sin(angle));
        data += line;
    }
    return data + spacing_and_span(spacing);
}

// A 1,000-point outline around a circle with a slight ripple, and 200
// refinements spread inside it.
std::string refined_circle() {
    std::string data;
    char line[96];
    constexpr double pi = 3.141592653589793;
    for (int i = 0; i <= 1000; ++i) {
        const double angle = 2 * pi * (i % 1000) / 1000;
        const double radius = 50 + 3 * std::sin(12 * angle);
        std::snprintf(line, sizeof line, "%.9f %.9f\n", radius * std::cos(angle), radius * std::sin(angle));
        data += line;
    }
    data += "b = 0.25\n";
    std::mt19937 random(12345);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int i = 0; i < 200; ++i) {
        const double r = 45 * std::sqrt(unit(random));
        const double angle = 2 * pi * unit(random);
        std::snprintf(line, sizeof line, "%.6f %.6f %.4f %.4f\n", r * std::cos(angle), r * std::sin(angle),
                      0.25 * (0.3 + 0.4 * unit(random)), 2 + 6 * unit(random));
        data += line;
    }
    return data + "s = 2\n";
}

// 200 points around a circle of radius 40, every other one pulled in to a
// random 0.5 to 0.8 of it: a hundred sharp spikes, about 130,000 nodes.
std::string spiky_outline() {
    std::string data;
    char line[96];
    constexpr double pi = 3.141592653589793;
    std::mt19937 random(5);
    std::uniform_real_distribution<double> inward(0.5, 0.8);
    std::vector<std::pair<double, double>> points;
    for (int i = 0; i < 200; ++i) {
        const double angle = 2 * pi * i / 200;
        const double radius = 40 * (i % 2 == 0 ? 1.0 : inward(random));
        points.emplace_back(radius * std::cos(angle), radius * std::sin(angle));
    }
    points.push_back(points.front());
    for (const auto& [x, y] : points) {
        std::snprintf(line, sizeof line, "%.6f %.6f\n", x, y);
        data += line;
    }
    return data + spacing_and_span(0.16);
}

double peak_megabytes(const rusage& usage) { return static_cast<double>(usage.ru_maxrss) / 1024.0; }

// Runs in the child: meshes the file and prints one line of figures.
[[noreturn]] void run_case(const BenchCase& bench_case, const fs::path& data_path) {
    MeshRun run;
    RunRequest request;
    request.quality = bench_case.quality;
    RunResults results;
    HeadlessPlatform platform;
    RunObserver silent;

    const auto start = std::chrono::steady_clock::now();
    run_mesh_generation(run, data_path.string(), request, results, platform, silent);
    const double total = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const StageTimes& t = results.stage_times;
    std::printf("%-24s %8d %8d %8.3f %8.3f %8.3f %8.3f %8.3f %8.3f %8.3f %9.1f %s\n", bench_case.name.c_str(),
                node_number(run.tables().number), results.element_count, t.reading, t.outline_nodes,
                t.insertion, t.interior_search, t.refinement, t.writing, total, peak_megabytes(usage),
                results.outcome == RunOutcome::written ? "" : "(not written)");
    std::fflush(stdout);
    std::_Exit(results.outcome == RunOutcome::written ? 0 : 1);
}

}  // namespace

int main() {
    std::vector<BenchCase> cases = {
        {"plate, 50k nodes", plate_with_hole(0.3333)},
        {"plate, 200k nodes", plate_with_hole(0.1666)},
        {"plate, 450k nodes", plate_with_hole(0.111)},
        {"plate hole first, 450k", plate_hole_first(0.111)},
        {"plate, 5M nodes", plate_with_hole(0.0333)},
        {"strip 1000 x 10", strip(1000)},
        {"strip 10000 x 10", strip(10000)},
        {"circle of 512 points", circle(512, 0.5)},
        {"rippled circle, 200 ref.", refined_circle()},
    };
    // The quality mode against the default run of the same file, in
    // interleaved pairs: the time ratio is what counts on a noisy machine.
    constexpr QualityOptions QUALITY{false, 30.0};
    for (int round = 0; round < 3; ++round) {
        cases.push_back({"plate 450k", plate_with_hole(0.111)});
        cases.push_back({"plate 450k, 30 degrees", plate_with_hole(0.111), QUALITY});
        cases.push_back({"spiky 200 points", spiky_outline()});
        cases.push_back({"spiky, 30 degrees", spiky_outline(), QUALITY});
    }
    const fs::path folder = fs::temp_directory_path() / ("tesu-bench-" + std::to_string(getpid()));
    fs::create_directories(folder);

    std::printf("%-24s %8s %8s %8s %8s %8s %8s %8s %8s %8s %9s\n", "case", "nodes", "elements", "read s",
                "outline s", "insert s", "interior", "refine s", "write s", "total s", "peak MB");
    int failures = 0;
    std::fflush(stdout);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const fs::path data_path = folder / ("case" + std::to_string(i) + ".DAT");
        std::ofstream(data_path, std::ios::binary) << cases[i].data;
        const pid_t child = fork();
        if (child == 0) run_case(cases[i], data_path);
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) ++failures;
    }
    fs::remove_all(folder);
    return failures == 0 ? 0 : 1;
}
