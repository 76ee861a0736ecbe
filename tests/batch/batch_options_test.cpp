#include "apps/batch_options.h"

#include <gtest/gtest.h>

namespace tesu {
namespace {

bool parse(std::vector<const char*> args, BatchOptions& options, std::string& error) {
    args.insert(args.begin(), "tesu-batch");
    return parse_batch_options(static_cast<int>(args.size()), args.data(), options, error);
}

TEST(BatchOptions, ReadsEveryOption) {
    BatchOptions options;
    std::string error;
    ASSERT_TRUE(parse({"--histogram", "3", "-o", "r.TES", "--svg", "m.svg", "a.DAT"}, options, error))
        << error;
    EXPECT_EQ(options.histogram_step, 3);
    EXPECT_EQ(options.output_path, "r.TES");
    EXPECT_EQ(options.svg_path, "m.svg");
    ASSERT_EQ(options.data_files.size(), 1u);
    EXPECT_EQ(options.data_files[0], "a.DAT");
}

TEST(BatchOptions, RefusesWhatCannotBeMeant) {
    for (const auto& args : std::vector<std::vector<const char*>>{
             {},
             {"--histogram"},
             {"--histogram", "-1", "a.DAT"},
             {"--histogram", "12", "a.DAT"},
             {"-o"},
             {"-o", "r.TES", "a.DAT", "b.DAT"},
             {"--svg", "m.svg", "a.DAT", "b.DAT"},
             {"--bogus", "a.DAT"},
             {"--export"},
             {"--export", "mesh.stl", "a.DAT"},
             {"--export", "mesh", "a.DAT"},
             {"--export", "msh", "a.DAT"},
             {"--export", "folder.msh/mesh", "a.DAT"},
             {"--export", "m.vtu", "a.DAT", "b.DAT"},
         }) {
        BatchOptions options;
        std::string error;
        EXPECT_FALSE(parse(args, options, error));
        EXPECT_FALSE(error.empty());
    }
}

TEST(BatchOptions, ExportsAreKeptInOrderAndStatsWorkWithManyFiles) {
    BatchOptions options;
    std::string error;
    ASSERT_TRUE(parse({"--export", "m.msh", "--export", "dir.v1/M.VTU", "--export", "m.Ele", "a.DAT"},
                      options, error))
        << error;
    EXPECT_EQ(options.export_paths, (std::vector<std::string>{"m.msh", "dir.v1/M.VTU", "m.Ele"}));
    EXPECT_FALSE(options.stats);

    BatchOptions many;
    ASSERT_TRUE(parse({"--stats", "a.DAT", "b.DAT"}, many, error)) << error;
    EXPECT_TRUE(many.stats);
    EXPECT_EQ(many.data_files.size(), 2u);
}

TEST(BatchOptions, HelpNeedsNoFile) {
    BatchOptions options;
    std::string error;
    ASSERT_TRUE(parse({"--help"}, options, error));
    EXPECT_TRUE(options.help);
}

}  // namespace
}  // namespace tesu
