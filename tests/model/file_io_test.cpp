// File primitives on the current handle and the crash-safe save.
#include "model/file_io.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

TEST(FileIo, ReadsExactlyAndStopsSilentlyAtTheEnd) {
    RecordingMessages messages;
    TempDir dir;
    writeBytes(dir.file("f"), {1, 2, 3, 4, 5});
    ASSERT_TRUE(openForReading(dir.file("f")));
    EXPECT_EQ(currentFileSize(), 5);
    uint8_t buffer[8] = {};
    EXPECT_TRUE(readExact(2, buffer));
    EXPECT_EQ(buffer[1], 2);
    EXPECT_TRUE(seekFile(SEEK_FROM_END, -1));
    EXPECT_TRUE(readExact(1, buffer));
    EXPECT_EQ(buffer[0], 5);
    EXPECT_TRUE(seekFile(SEEK_FROM_START, 1));
    EXPECT_TRUE(seekFile(SEEK_FROM_CURRENT, 1));
    EXPECT_FALSE(readExact(4, buffer)); // only 2 bytes left
    EXPECT_TRUE(messages.errors.empty());
    EXPECT_TRUE(closeFile());
    EXPECT_FALSE(fileIsOpen());
}

TEST(FileIo, OpeningAFolderOrMissingFileFailsWithErrno) {
    TempDir dir;
    EXPECT_FALSE(openForReading(dir.file("missing")));
    EXPECT_EQ(errno, ENOENT);
    EXPECT_FALSE(openForReading(dir.path().string()));
    EXPECT_EQ(errno, EISDIR);
}

TEST(FileIo, SafeSaveReplacesOnlyAfterSuccessAndKeepsPermissions) {
    RecordingMessages messages;
    TempDir dir;
    const std::string path = dir.file("car.fce");
    writeBytes(path, {9, 9});
    chmod(path.c_str(), 0640);

    ASSERT_TRUE(beginSafeSave(path));
    EXPECT_TRUE(writeExact(3, "abc"));
    EXPECT_EQ(readBytes(path), (std::vector<uint8_t>{9, 9})); // untouched while writing
    EXPECT_TRUE(closeFile());
    EXPECT_FALSE(finishSafeSave(false));
    EXPECT_EQ(readBytes(path), (std::vector<uint8_t>{9, 9}));

    ASSERT_TRUE(beginSafeSave(path));
    EXPECT_TRUE(writeExact(3, "abc"));
    EXPECT_TRUE(closeFile());
    EXPECT_TRUE(finishSafeSave(true));
    EXPECT_EQ(readBytes(path), (std::vector<uint8_t>{'a', 'b', 'c'}));
    struct stat info;
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    int files = 0;
    for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(dir.path())) ++files;
    EXPECT_EQ(files, 1);
}
