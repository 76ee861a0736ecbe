#include "output/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "file_size_limit.h"
#include "temp_folder.h"

namespace tesu {
namespace {

using testing::read_bytes;
using testing::TempFolder;
using testing::write_bytes;

mode_t mode_of(const std::string& path) {
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

TEST(AtomicFile, NewFileGetsTheUsualModeAndAReplacedOneKeepsItsMode) {
    TempFolder folder;
    const mode_t previous_mask = umask(022);
    {
        AtomicFile file(folder.file("new.TES"));
        ASSERT_TRUE(file.is_open());
        EXPECT_TRUE(file.write("text"));
        EXPECT_TRUE(file.commit());
    }
    umask(previous_mask);
    EXPECT_EQ(mode_of(folder.file("new.TES")), 0644u);
    EXPECT_EQ(read_bytes(folder.file("new.TES")), "text");

    const std::string kept = folder.file("kept.TES");
    write_bytes(kept, "old");
    chmod(kept.c_str(), 0600);
    AtomicFile file(kept);
    ASSERT_TRUE(file.write("new"));
    ASSERT_TRUE(file.commit());
    EXPECT_EQ(mode_of(kept), 0600u);
    EXPECT_EQ(read_bytes(kept), "new");
}

TEST(AtomicFile, UncommittedOrFailedWriteLeavesTheEarlierFile) {
    TempFolder folder;
    const std::string path = folder.file("result.TES");
    write_bytes(path, "earlier");
    {
        AtomicFile abandoned(path);
        ASSERT_TRUE(abandoned.write("half of a new res"));
    }
    EXPECT_EQ(read_bytes(path), "earlier");
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"result.TES"});

    AtomicFile too_big(path);
    {
        testing::FileSizeLimit limit(10);
        EXPECT_FALSE(too_big.write(std::string(100, 'x')));
    }
    // The next write would fit again; the file is still incomplete.
    EXPECT_FALSE(too_big.write("y"));
    EXPECT_FALSE(too_big.commit());
    EXPECT_EQ(read_bytes(path), "earlier");
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"result.TES"});
}

TEST(AtomicFile, UnusablePathsFail) {
    TempFolder folder;
    AtomicFile no_folder(folder.file("missing/result.TES"));
    EXPECT_FALSE(no_folder.is_open());
    EXPECT_FALSE(no_folder.write("x"));
    EXPECT_FALSE(no_folder.commit());

    ASSERT_EQ(mkdir(folder.file("dir.TES").c_str(), 0755), 0);
    AtomicFile onto_directory(folder.file("dir.TES"));
    ASSERT_TRUE(onto_directory.is_open());
    EXPECT_TRUE(onto_directory.write("x"));
    EXPECT_FALSE(onto_directory.commit());
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"dir.TES"});
}

}  // namespace
}  // namespace tesu
