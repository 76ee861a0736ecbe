// The result path is formed from the data file's own name, never from a dot
// in a folder name.
#include <gtest/gtest.h>

#include "run/mesh_run.h"

namespace tesu {
namespace {

std::string output_name_for(const std::string& input_path) {
    std::string name;
    EXPECT_TRUE(form_output_name(input_path, name));
    return name;
}

TEST(OutputName, CutsAtTheFirstDotOfTheFileName) {
    EXPECT_EQ(output_name_for("data/plate.dat"), "data/plate.TES");
    EXPECT_EQ(output_name_for("x.y.z.dat"), "x.TES");
    EXPECT_EQ(output_name_for("/home/u/PLATE.DAT"), "/home/u/PLATE.TES");
}

TEST(OutputName, AppendsWhenTheFileNameHasNoDot) {
    EXPECT_EQ(output_name_for("plate"), "plate.TES");
    EXPECT_EQ(output_name_for("dir.d/plate"), "dir.d/plate.TES");
}

TEST(OutputName, DotsInFolderNamesStay) {
    EXPECT_EQ(output_name_for("work.old/plate.dat"), "work.old/plate.TES");
    EXPECT_EQ(output_name_for("/home/u/.local/share/x.dat"), "/home/u/.local/share/x.TES");
}

TEST(OutputName, RefusesANameLongerThanAPath) {
    std::string name = "earlier.TES";
    EXPECT_FALSE(form_output_name(std::string(4092, 'a'), name));
    EXPECT_EQ(name, "earlier.TES");
    EXPECT_TRUE(form_output_name(std::string(4091, 'a'), name));
    EXPECT_EQ(name.size(), 4095u);
}

}  // namespace
}  // namespace tesu
