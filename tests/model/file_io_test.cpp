// The crash-safe save, and the small whole-file reads and writes that must
// never wait on a FIFO.
#include "model/file_io.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>

TEST(FileIo, SafeSaveReplacesOnlyAfterSuccessAndKeepsPermissions) {
    RecordingMessages messages;
    TempDir dir;
    const std::string path = dir.file("car.fce");
    writeBytes(path, {9, 9});
    chmod(path.c_str(), 0640);
    for (bool written : {false, true}) {
        ASSERT_TRUE(beginSafeSave(path));
        EXPECT_TRUE(writeExact(3, "abc"));
        EXPECT_EQ(readBytes(path), (std::vector<uint8_t>{9, 9})); // untouched while writing
        EXPECT_TRUE(closeFile());
        EXPECT_EQ(finishSafeSave(written), written);
    }
    EXPECT_EQ(readBytes(path), (std::vector<uint8_t>{'a', 'b', 'c'}));
    struct stat info;
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(dir.entries(), 1);
}

TEST(FileIo, WholeFileReadsAndWritesTakeOnlyRegularFilesAndNeverWait) {
    TempDir dir;
    const std::string fifo = dir.file("fifo"), file = dir.file("file");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::string bytes;
    int64_t size = 0;
    EXPECT_FALSE(readFileStart(fifo, 10, bytes, size));
    EXPECT_TRUE(notARegularFile());
    EXPECT_FALSE(writeWholeFile(fifo, "x", 1)); // no reader: refused at once
    ASSERT_TRUE(writeWholeFile(file, "0123456789", 10));
    ASSERT_TRUE(writeWholeFile(file, "abcdef", 6)); // replaces, not overlays
    ASSERT_TRUE(readFileStart(file, 4, bytes, size));
    EXPECT_EQ(bytes, "abcd");
    EXPECT_EQ(size, 6);
}
