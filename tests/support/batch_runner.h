// Runs build/tesu-batch as a script would and captures what it says.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tesu::testing {

struct BatchRun {
    int status;
    std::string out;
    std::string err;
};

// Runs tesu-batch with `args`, in folder `in` when one is given.
BatchRun run_batch(const std::vector<std::string>& args, const std::filesystem::path& in = {});

// A fresh folder under the system's temporary folder, removed on destruction.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Writes `bytes` to a file of this folder and returns its path.
    std::filesystem::path write(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path path_;
};

std::string read_bytes(const std::filesystem::path& path);

// A 10 x 10 square at spacing 2.5: a data file that meshes in no time.
inline const std::string SQUARE =
    "0 0\n10 0\n10 10\n0 10\n0 0\n"
    "b = 2.5\n"
    "s = 1\n";

}  // namespace tesu::testing
