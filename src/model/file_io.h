// File primitives on the one current file handle, shared by the FCE reader and
// writer, the texture loader and the exchange files, and the crash-safe save.
//
// A failed read, write or seek shows the system error ("Error:" and errno)
// and returns false; a read that meets the end of the file early returns
// false without a message.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

constexpr int SEEK_FROM_START = 1;
constexpr int SEEK_FROM_END = 2;
constexpr int SEEK_FROM_CURRENT = 3;

// Opens an existing file for reading as the current handle. On failure errno
// tells why and nothing is shown: the caller decides (reportLastError).
bool openForReading(const std::string& path);

bool readExact(size_t length, void* buffer);
bool writeExact(size_t length, const void* buffer);
bool seekFile(int mode, int64_t offset);
// Closes the current handle; false when data may not have reached the disk.
bool closeFile();
bool fileIsOpen();
// Size of the current file in bytes, or -1.
int64_t currentFileSize();

// Crash-safe saving. beginSafeSave creates a temporary file in the folder of
// `path` and makes it the current handle (errno tells why when it cannot).
// The writer writes and closes it; finishSafeSave(true) then moves it over
// `path` in one step, keeping the old file's permissions, while
// finishSafeSave(false) removes it and leaves the old file as it was.
// finishSafeSave returns whether `path` now holds the new data.
bool beginSafeSave(const std::string& path);
bool finishSafeSave(bool written);
