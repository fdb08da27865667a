// One part as a Wavefront OBJ text file (CR LF lines, four decimals).
//
// Besides the usual "v", "vt", "f", "g" and "usemtl" lines, comment lines
// carry what OBJ cannot say: "# Partname = ", "# Position = ", "# Groups = ",
// "# Smoothing = id angle" per group, and before each face "# Group = " (its
// group word) and "# Flags = " (its flags as a signed number). Each face has
// its own three "vt" lines. Coordinates are the model's, part-relative.
#pragma once

#include <string>

// Writes part `part` to the current file handle and closes it; `textureTitle`
// goes to the "usemtl" line ("Texture" when empty).
bool writeObjPart(int part, const std::string& textureTitle);

// Reads the OBJ text of the current file (`size` bytes) and inserts it at
// `index` as the current part. Files from other programs read as far as
// they fit: one triangle per "f" line (a quad's first three corners), extra
// "v" lines and texture pairs beyond the part's room ignored, a corner that
// names no vertex read so far ending its face, texture numbers without a
// pair giving (0, 0).
bool readObjPart(int index, long long size);
