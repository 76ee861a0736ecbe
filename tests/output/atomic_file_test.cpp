#include "output/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "test_support.h"

namespace tesu {
namespace {

using testing::read_bytes;

mode_t mode_of(const std::string& path) {
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

TEST(AtomicFile, ModeOfANewFileAndOfAReplacedOne) {
    testing::TempFolder folder;
    const mode_t previous_mask = umask(022);
    AtomicFile fresh(folder.file("new.TES"));
    EXPECT_TRUE(fresh.write("text") && fresh.commit());
    umask(previous_mask);
    EXPECT_EQ(mode_of(folder.file("new.TES")), 0644u);

    chmod(folder.file("new.TES").c_str(), 0600);
    AtomicFile replacing(folder.file("new.TES"));
    EXPECT_TRUE(replacing.write("new") && replacing.commit());
    EXPECT_EQ(mode_of(folder.file("new.TES")), 0600u);
    EXPECT_EQ(read_bytes(folder.file("new.TES")), "new");
}

TEST(AtomicFile, UncommittedOrFailedWriteLeavesTheEarlierFile) {
    testing::TempFolder folder;
    const std::string path = folder.file("result.TES");
    std::ofstream(path) << "earlier";
    AtomicFile(path).write("abandoned before commit");
    {
        AtomicFile too_big(path);
        {
            testing::FileSizeLimit limit(10);
            EXPECT_FALSE(too_big.write(std::string(100, 'x')));
        }
        EXPECT_FALSE(too_big.write("fits again, but the file has a gap"));
        EXPECT_FALSE(too_big.commit());
    }
    EXPECT_EQ(read_bytes(path), "earlier");
    EXPECT_EQ(folder.entries(), std::set<std::string>{"result.TES"});
}

// What a program ended by a signal leaves: the earlier file, no temporary.
TEST(AtomicFile, UnfinishedTemporariesCanBeRemovedAtOnce) {
    testing::TempFolder folder;
    std::ofstream(folder.file("kept.TES")) << "earlier";
    AtomicFile file(folder.file("kept.TES"));
    ASSERT_TRUE(file.write("half of it"));
    ASSERT_EQ(folder.entries().size(), 2u);
    remove_unfinished_temporaries();
    EXPECT_EQ(folder.entries(), std::set<std::string>{"kept.TES"});
    EXPECT_EQ(testing::read_bytes(folder.file("kept.TES")), "earlier");
}

}  // namespace
}  // namespace tesu
