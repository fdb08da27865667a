// One part as a DXF file of 3DFACE entities (CR LF lines, four decimals).
//
// DXF is z-up: the model's (x, y, z) is written as (x, -z, y). Each triangle
// is a 3DFACE whose fourth corner repeats the first. Comments (code 999)
// carry the part's name, position and smoothing groups, and for each face
// its group word, its flags (without the selection mark) and its six
// texture coordinates.
#pragma once

// Writes part `part` to the current file handle and closes it.
bool writeDxfPart(int part);

// Reads the DXF text of the current file (`size` bytes) and inserts it at
// `index` as the current part, three vertices per face until the vertex
// rebuild shares them. Entities other than 3DFACE and unknown codes are
// skipped; a quadrilateral gives the triangle of its first three corners.
bool readDxfPart(int index, long long size);
