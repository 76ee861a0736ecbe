// Writes data files into a temporary folder of the test's own and reads them.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/error.h"
#include "input/data_file.h"

namespace tesu {

// A message up to its first line end.
inline std::string first_line(const std::string& text) { return text.substr(0, text.find('\n')); }

class DataFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        folder_ = std::filesystem::temp_directory_path() /
                  ("tesu_data_file_" + std::to_string(getpid()) + "_" + test);
        std::filesystem::create_directories(folder_);
        input->input_file_name = (folder_ / "test.DAT").string();
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    // Reads the bytes as a data file; false when refused, the refusal then
    // kept. Every refusal of the reader is one of the read, under its caption.
    bool read(std::string_view bytes) {
        std::ofstream(input->input_file_name, std::ios::binary) << bytes;
        refusal.reset();
        try {
            return read_data_file(*input);
        } catch (const Error& error) {
            EXPECT_EQ(error.cause(), ErrorCause::read);
            EXPECT_EQ(error.caption(), READ_ERROR_CAPTION);
            refusal = error;
            return false;
        }
    }
    // Which refusal it was: its text up to the line it names.
    std::string refused_as() const { return refusal ? first_line(refusal->text()) : std::string(); }

    std::unique_ptr<InputTables> input = std::make_unique<InputTables>();
    std::optional<Error> refusal;

private:
    std::filesystem::path folder_;
};

}  // namespace tesu
