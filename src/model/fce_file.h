// The FCE reader and writer, the colour scale between file and model, and
// opening and saving a model file by path.
#pragma once

#include "model/fce_types.h"

#include <string>

// Reads a model from the current file handle, replacing the one in memory
// (its texture is kept when keepTexture is true). Closes the file. A file the
// data model cannot hold is refused with a message before anything is
// allocated for it; on failure no model (and no texture) stays loaded.
bool readFceFile(bool keepTexture);

// Writes the model to the current file handle and closes it. The model in
// memory is left as it was, except for the recomputed normals and the header
// fields the writer sets.
bool writeFceFile();

void convertColorsAfterRead();

// The colour scale, one colour at a time. Writing keeps the stored bytes of a
// colour that reads as they do; any other colour gets the smallest bytes that
// read back as it, so a read-write-read changes no value.
HsbColor colorFromFile(FileColor c);
FileColor colorToFile(HsbColor c, FileColor stored);

// Opens `path` and reads it (reporting the system error when it cannot be
// opened). Sets fcePath on success; the caller loads the texture and
// converts the colours.
bool loadFceFile(const std::string& path, bool keepTexture);

// Writes the model to `path` through a temporary file that replaces the old
// one only when everything was written. A file that cannot be created is
// reported with the system error. On failure the old file is untouched.
bool saveFceFile(const std::string& path);

// Size in bytes of the file writeFceFile produces for the model as it is.
int64_t fceFileSize();
