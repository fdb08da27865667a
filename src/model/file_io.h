// File primitives on the one current file handle, shared by the FCE reader and
// writer, the texture loader and the exchange files, and the crash-safe save.
//
// A failed read, write or seek shows the system error ("Error:" and errno,
// with the reason and the file on the next line) and returns false; a read
// that meets the end of the file early returns false without a message.
//
// Only regular files are read: a FIFO, a device or a socket could block a
// reader for ever or never end, so they are refused without waiting.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

constexpr int SEEK_FROM_START = 1;
constexpr int SEEK_FROM_END = 2;
constexpr int SEEK_FROM_CURRENT = 3;

// Opens an existing regular file for reading as the current handle. On
// failure nothing is shown: errno tells why (EISDIR for a folder), or
// notARegularFile() for a FIFO, device or socket; reportFileError says so.
bool openForReading(const std::string& path);
bool notARegularFile();
// Creates or empties the regular file `path` for writing as the current
// handle (never waiting on a FIFO or device, which are refused as above).
// Files written this way are not synced: they are the program's scratch files.
bool openForWriting(const std::string& path);
// The message for a file that could not be opened, created or replaced.
void reportFileError(const std::string& path);

bool readExact(size_t length, void* buffer);
bool writeExact(size_t length, const void* buffer);
bool seekFile(int mode, int64_t offset);
// Closes the current handle; false when data may not have reached the disk.
bool closeFile();
bool fileIsOpen();
// Size of the current file in bytes, or -1.
int64_t currentFileSize();
// The file the current (or last) handle belongs to, as messages name it.
const std::string& currentFilePath();
// Whether a read, write or seek on the current handle met a system error
// (not just the end of the file) since it was opened.
bool systemErrorSeen();

// Reads up to `limit` bytes from the start of the regular file `path` into
// `bytes`, silently and without touching the current handle; `size` is the
// file's whole size. False as openForReading, or when a read fails.
bool readFileStart(const std::string& path, size_t limit, std::string& bytes, int64_t& size);

// Writes `size` bytes as the whole content of the regular file `path`,
// creating it, silently and without waiting on a FIFO or device (which are
// left alone). False when that did not happen.
bool writeWholeFile(const std::string& path, const void* data, size_t size);

// Crash-safe saving. beginSafeSave creates a temporary file in the folder of
// the file `path` names (through symbolic links, which stay) and makes it the
// current handle. It refuses a target that is no regular file or whose mode
// bits give no write permission (EACCES, for root too): errno or
// notARegularFile() tells why. The writer writes and closes the handle;
// finishSafeSave(true) then moves the temporary file over the target in one
// step, keeping the old file's permissions, while finishSafeSave(false)
// removes it and leaves the old file as it was. finishSafeSave returns
// whether the target now holds the new data.
bool beginSafeSave(const std::string& path);
bool finishSafeSave(bool written);

// For tests: reads of the current file that reach `offset` or beyond fail
// with the system error `error` (offset -1: no more failures).
void failReadsFrom(int64_t offset, int error);
