// The crash-safe save, and the small whole-file reads and writes that must
// never wait on a FIFO.
#include "model/file_io.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using FileIo = ModelTest;

TEST_F(FileIo, SafeSaveReplacesOnlyAfterSuccessAndKeepsPermissions) {
    const std::string path = dir.file("car.fce");
    writeBytes(path, {9, 9}), chmod(path.c_str(), 0640);
    for (bool written : {false, true}) {
        ASSERT_TRUE(beginSafeSave(path));
        EXPECT_TRUE(writeExact(3, "abc"));
        EXPECT_EQ(readBytes(path), (std::vector<uint8_t>{9, 9})); // untouched while writing
        EXPECT_TRUE(closeFile());
        EXPECT_EQ(finishSafeSave(written), written);
    }
    EXPECT_EQ(
        std::make_tuple(readBytes(path), std::filesystem::status(path).permissions(),
                        dir.entries()),
        std::make_tuple(std::vector<uint8_t>{'a', 'b', 'c'}, std::filesystem::perms(0640), 1));
}

TEST_F(FileIo, WholeFileReadsAndWritesTakeOnlyRegularFilesAndNeverWait) {
    const std::string fifo = dir.file("fifo"), file = dir.file("file");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::string bytes;
    int64_t size = 0;
    EXPECT_TRUE(!readFileStart(fifo, 10, bytes, size) && notARegularFile());
    EXPECT_FALSE(writeWholeFile(fifo, "x", 1)); // no reader: refused at once
    ASSERT_TRUE(writeWholeFile(file, "0123456789", 10));
    ASSERT_TRUE(writeWholeFile(file, "abcdef", 6)); // replaces, not overlays
    ASSERT_TRUE(readFileStart(file, 4, bytes, size));
    EXPECT_EQ(std::make_pair(bytes, size), std::make_pair(std::string("abcd"), int64_t(6)));
}
