#include "support/batch_runner.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tesu::testing {

std::string read_bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tesu-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempFolder::write(const std::string& name, const std::string& bytes) const {
    const auto file = path_ / name;
    std::ofstream(file, std::ios::binary) << bytes;
    return file;
}

BatchRun run_batch(const std::vector<std::string>& args, const std::filesystem::path& in) {
    const TempFolder capture;
    const auto out_path = capture.path() / "out";
    const auto err_path = capture.path() / "err";

    const pid_t child = fork();
    if (child == 0) {
        std::vector<char*> argv;
        std::string program = TESU_BATCH_PATH;
        argv.push_back(program.data());
        std::vector<std::string> copies(args);
        for (auto& arg : copies) argv.push_back(arg.data());
        argv.push_back(nullptr);
        if (!std::freopen(out_path.c_str(), "w", stdout) || !std::freopen(err_path.c_str(), "w", stderr))
            _exit(127);
        if (!in.empty() && chdir(in.c_str()) != 0) _exit(127);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int wait_status = 0;
    waitpid(child, &wait_status, 0);
    const int status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : 128 + WTERMSIG(wait_status);
    return {status, read_bytes(out_path), read_bytes(err_path)};
}

}  // namespace tesu::testing
