// A fresh folder for the files a test writes, removed with its contents.
#pragma once

#include <dirent.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tesu::testing {

class TempFolder {
public:
    TempFolder() {
        std::string pattern = "/tmp/tesu-output-test-XXXXXX";
        if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~TempFolder() {
        for (const std::string& name : entries()) {
            const std::string full = path_ + "/" + name;
            if (std::remove(full.c_str()) != 0) rmdir(full.c_str());
        }
        rmdir(path_.c_str());
    }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

    // Names in the folder, "." and ".." left out.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        if (DIR* dir = opendir(path_.c_str())) {
            while (const dirent* entry = readdir(dir)) {
                const std::string name = entry->d_name;
                if (name != "." && name != "..") names.push_back(name);
            }
            closedir(dir);
        }
        return names;
    }

private:
    std::string path_;
};

inline std::string read_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void write_bytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace tesu::testing
