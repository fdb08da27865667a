// The program's own part file (".ffp"): one part with everything the model
// knows about it, so that it can move between cars unchanged.
//
//   0 "VRNX", 4 "PART", 8 vertex count V, 12 triangle count T (u32 each),
//   16 name (64 bytes), 80 position (3 floats), 92 part flags without the
//   selection mark, 96 half width (float), 100 group count (u32, low 16
//   bits), 104 the 64 smoothing-group entries (u16 id, u16 angle each);
//   360 V positions, V damaged positions (3 floats each), V vertex flags
//   (u32), then T triangle records as in memory.
//
// Coordinates are the model's (z mirrored against FCE files) and relative
// to the part's position. Normals are not stored; they are worked out again
// on import.
#pragma once

constexpr int PART_FILE_HEAD = 360;

// Writes part `part` to the current file handle and closes it.
bool writePartFile(int part);
// Reads a part file from the current file handle (and closes it), then
// inserts the part at `index` as the current part and rebuilds its vertex
// sharing. A file the model cannot hold is refused, with the reason, before
// anything changes.
bool readPartFile(int index);
