// The FCE reader and writer.
//
// A file is an 8248-byte header followed by tables at offsets the header
// gives. In memory each part owns three vertex slots per triangle, the z axis
// is mirrored and triangle corners run the other way round; the reader and
// writer convert. The program's own smoothing data travel in the last two
// tables (extra blocks A and B), marked by the tag "VRNX" at offset 4.
//
// Everything the reader allocates is sized from the header, so the header is
// checked against what the data model can hold, and against the size of the
// file, before any allocation: no file can make the program read or write
// outside its blocks.
#include "model/fce_file.h"

#include "model/car_model.h"
#include "model/file_io.h"
#include "model/messages.h"
#include "model/names.h"

#include <algorithm>
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstring>

namespace {

constexpr int SMALL_FILE_VERTICES = 260; // below this block A has no room for the part tables

// Scratch buffers for the streamed parts of the file; sized for the largest model.
uint16_t groupWords[MAX_TRIANGLES];
ModelTriangle triangleChunk[1024];
uint32_t fillerChunk[4096];

void refuse(const std::string& why) {
    showError("Unreadable FCE file: " + why + ".\n" + currentFilePath());
}

int64_t vertexTotal(const FceHeader& h) {
    int64_t total = 0;
    for (int p = 0; p < h.numParts; ++p) total += h.partVertexCount[p];
    return total;
}

// Everything the reader sizes or indexes from the header, checked before use.
bool checkHeader(const FceHeader& h, int64_t fileSize) {
    const int T = h.numTriangles;
    if (T < 0) return refuse(format("negative triangle count %d", T)), false;
    if (T > MAX_TRIANGLES)
        return refuse(format("%d triangles (at most %d)", T, MAX_TRIANGLES)), false;
    if (h.numParts < 0 || h.numParts > MAX_PARTS)
        return refuse(format("%d parts (at most %d)", h.numParts, MAX_PARTS)), false;
    if (h.numDummies < 0 || h.numDummies > MAX_DUMMIES)
        return refuse(format("%d dummies (at most %d)", h.numDummies, MAX_DUMMIES)), false;
    if (h.numColors < 0 || h.numColors > MAX_COLORS)
        return refuse(format("%d colour presets (at most %d)", h.numColors, MAX_COLORS)), false;
    int running = 0;
    for (int p = 0; p < h.numParts; ++p) {
        const int first = h.partFirstTriangle[p], count = h.partTriangleCount[p];
        const int vertices = h.partVertexCount[p];
        if (count < 0 || vertices < 0)
            return refuse(format("part %d has a negative count", p)), false;
        if (first != running || count > T - running)
            return refuse(format("the triangles of part %d are not in order after the "
                                 "parts before it",
                                 p)),
                   false;
        if (int64_t(vertices) > 3 * int64_t(count))
            return refuse(format("part %d has %d vertices for %d triangles", p, vertices, count)),
                   false;
        running += count;
    }
    if (running != T)
        return refuse(format("%d of its %d triangles belong to no part", T - running, T)), false;

    const int64_t V = vertexTotal(h);
    const struct {
        int table;
        int64_t bytes;
        const char* what;
    } tables[] = {{TABLE_VERTICES, 12 * V, "vertex table"},
                  {TABLE_NORMALS, 12 * V, "normal table"},
                  {TABLE_TRIANGLES, 56 * int64_t(T), "triangle table"},
                  {TABLE_DAMAGED_VERTICES, 12 * V, "damaged vertex table"},
                  {TABLE_DAMAGED_NORMALS, 12 * V, "damaged normal table"},
                  {TABLE_MOVEMENT, 4 * V, "movement table"}};
    for (const auto& t : tables) {
        if (FCE_HEADER_SIZE + int64_t(h.tableOffsets[t.table]) + t.bytes > fileSize)
            return refuse(format("its %s lies beyond the end of the file", t.what)), false;
    }
    auto finite = [](const Vec3& v) {
        return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
    };
    for (int p = 0; p < h.numParts; ++p)
        if (!finite(h.partPos[p])) return refuse(format("part %d has no valid position", p)), false;
    for (int d = 0; d < h.numDummies; ++d)
        if (!finite(h.dummyPos[d]))
            return refuse(format("dummy %d has no valid position", d)), false;
    return true;
}

// Checks what only the tables can tell: corners inside their part, finite positions.
bool checkTables() {
    const FceHeader& h = model.header;
    for (int p = 0; p < h.numParts; ++p) {
        const uint32_t vertices = static_cast<uint32_t>(h.partVertexCount[p]);
        const int first = h.partFirstTriangle[p];
        for (int t = first; t < first + h.partTriangleCount[p]; ++t) {
            const ModelTriangle& tri = model.triangles[t];
            for (uint32_t v : tri.v)
                if (v >= vertices)
                    return refuse(format("triangle %d of part %d names vertex %u of %u",
                                         t - first, p, v, vertices)),
                           false;
        }
        const int slot = 3 * first;
        for (uint32_t i = 0; i < vertices; ++i) {
            const Vec3& v = model.vertices[slot + i];
            if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.z))
                return refuse(format("vertex %u of part %d has no valid position", i, p)), false;
        }
    }
    return true;
}

// Reads a per-vertex table: each part's vertices into the first slots of its range.
bool readVertexTable(int table, void* array, size_t itemSize) {
    const FceHeader& h = model.header;
    if (!seekFile(SEEK_FROM_START, FCE_HEADER_SIZE + int64_t(h.tableOffsets[table]))) return false;
    auto* base = static_cast<char*>(array);
    for (int p = 0; p < h.numParts; ++p) {
        const size_t slot = 3 * size_t(h.partFirstTriangle[p]);
        if (!readExact(itemSize * size_t(h.partVertexCount[p]), base + slot * itemSize))
            return false;
    }
    return true;
}

// Extra blocks A and B. Any failure means the data are ignored.
bool readExtraData() {
    FceHeader& h = model.header;
    const int T = h.numTriangles;
    if (!seekFile(SEEK_FROM_START, FCE_HEADER_SIZE + int64_t(h.tableOffsets[TABLE_EXTRA_A])))
        return false;
    uint32_t head[4];
    if (!readExact(sizeof head, head)) return false;
    if (head[0] != FCE_TAG_VRNX || int32_t(head[1]) != h.numVertices ||
        int32_t(head[2]) != T || int32_t(head[3]) != h.numParts)
        return false;
    if (h.numVertices < SMALL_FILE_VERTICES) return false;
    int32_t tables[4][MAX_PARTS];
    if (!readExact(sizeof tables, tables)) return false;
    const int32_t* expected[4] = {h.partFirstVertex, h.partVertexCount, h.partFirstTriangle,
                                  h.partTriangleCount};
    for (int k = 0; k < 4; ++k)
        if (std::memcmp(tables[k], expected[k], sizeof(int32_t) * size_t(h.numParts)) != 0)
            return false;
    if (!seekFile(SEEK_FROM_CURRENT, 4 * (int64_t(h.numVertices) - SMALL_FILE_VERTICES)))
        return false;

    if (!readExact(sizeof(uint16_t) * size_t(T), groupWords)) return false;
    for (int t = 0; t < T; ++t) model.triangles[t].groupAndBase = uint32_t(groupWords[t]) << 16;
    for (int p = 0; p < h.numParts; ++p) {
        uint16_t record[2];
        if (!readExact(sizeof record, record)) return false;
        if (record[1] == 0 || record[1] > MAX_GROUPS) return false;
        model.partFlags[p] = record[0];
        model.groupCount[p] = record[1];
        if (!readExact(sizeof(SmoothingGroup) * record[1], model.groups[p])) return false;
    }
    return true;
}

void centreModel() {
    FceHeader& h = model.header;
    float lo[3] = {0, 0, 0}, hi[3] = {0, 0, 0};
    for (int p = 0; p < h.numParts; ++p) {
        const int slot = partSlot(p);
        for (int i = slot; i < slot + h.partVertexCount[p]; ++i) {
            const float c[3] = {model.vertices[i].x, model.vertices[i].y, model.vertices[i].z};
            for (int a = 0; a < 3; ++a) {
                lo[a] = std::min(lo[a], c[a]);
                hi[a] = std::max(hi[a], c[a]);
            }
        }
    }
    float half[3], shift[3];
    for (int a = 0; a < 3; ++a) {
        half[a] = float((double(hi[a]) - lo[a]) / 2);
        shift[a] = lo[a] + half[a]; // single precision, as the positions are
    }
    h.halfSize = {half[0], half[1], half[2]};
    auto move = [&](Vec3& v) {
        v.x = v.x - shift[0];
        v.y = v.y - shift[1];
        v.z = v.z - shift[2];
    };
    for (int p = 0; p < h.numParts; ++p) move(h.partPos[p]);
    for (int d = 0; d < h.numDummies; ++d) move(h.dummyPos[d]);
}

void fixUpAfterReading() {
    FceHeader& h = model.header;
    const bool tagged = h.extraDataTag == FCE_TAG_VRNX;
    for (int p = 0; p < h.numParts; ++p) h.partFirstVertex[p] = 3 * h.partFirstTriangle[p];
    mirrorModelAxis();
    if (model.centerOnLoad) centreModel();
    for (int p = 0; p < h.numParts; ++p) {
        const int slot = partSlot(p);
        float halfWidth = 0;
        for (int i = slot; i < slot + h.partVertexCount[p]; ++i)
            halfWidth = std::max(halfWidth, std::fabs(model.vertices[i].x));
        model.partHalfWidth[p] = halfWidth;
        const int first = h.partFirstTriangle[p];
        for (int t = first; t < first + h.partTriangleCount[p]; ++t) {
            uint32_t& word = model.triangles[t].groupAndBase;
            word = (tagged ? word & 0xFFFF0000u : 0) | uint32_t(slot);
        }
        computeFaceNormals(model.vertices + slot, h.partVertexCount[p], first,
                           h.partTriangleCount[p]);
        if (!tagged) model.partFlags[p] = defaultPartFlags(h.partNames[p]);
        model.partFlags[p] &= ~PART_SELECTED;
    }
    if (model.selectedPart >= uint32_t(h.numParts)) model.selectedPart = 0;
    if (h.numParts > 0) model.partFlags[model.selectedPart] |= PART_VISIBLE | PART_SELECTED;
    model.selectedDummy = model.selectedColor = model.colorLayer = 0;
    for (int p = 0; p < MAX_PARTS; ++p) {
        model.currentGroup[p] = 0;
        if (!tagged) {
            model.groupCount[p] = 1;
            for (SmoothingGroup& g : model.groups[p]) g = {0, 60};
        }
    }
    model.renderCacheValid = false;
}

bool failRead() {
    closeFile();
    freeModel(false);
    model.modelLoaded = false;
    return false;
}

} // namespace

bool readFceFile(bool keepTexture) {
    freeModel(keepTexture);
    model.modelLoaded = false;
    FceHeader& h = model.header;
    if (!readExact(sizeof h, &h)) {
        if (!systemErrorSeen()) refuse("the file is shorter than an FCE header");
        return failRead();
    }
    if (!checkHeader(h, currentFileSize())) return failRead();
    if (!allocateStore(h.numTriangles)) return failRead();

    const int T = h.numTriangles;
    if (!readVertexTable(TABLE_VERTICES, model.vertices, sizeof(Vec3)) ||
        !readVertexTable(TABLE_NORMALS, model.normals, sizeof(Vec3)) ||
        !seekFile(SEEK_FROM_START, FCE_HEADER_SIZE + int64_t(h.tableOffsets[TABLE_TRIANGLES])) ||
        !readExact(sizeof(ModelTriangle) * size_t(T), model.triangles) ||
        !readVertexTable(TABLE_DAMAGED_VERTICES, model.damagedVertices, sizeof(Vec3)) ||
        !readVertexTable(TABLE_DAMAGED_NORMALS, model.damagedNormals, sizeof(Vec3)) ||
        !readVertexTable(TABLE_MOVEMENT, model.vertexFlags, sizeof(uint32_t)))
        return failRead();
    if (!checkTables()) return failRead();

    // Damaged or cut smoothing data cost only themselves; a system error
    // while reading them is no damage in the file and fails the whole read.
    model.smoothingDataDamaged = h.extraDataTag == FCE_TAG_VRNX && !readExtraData();
    if (systemErrorSeen()) return failRead();
    if (model.smoothingDataDamaged) h.extraDataTag = 0;
    closeFile();
    fixUpAfterReading();
    model.modelLoaded = true;
    return true;
}

HsbColor colorFromFile(FileColor c) {
    return {uint8_t((c.b[0] * 180) >> 8), uint8_t(c.b[1] >> 1), uint8_t(c.b[2] >> 1), c.b[3]};
}

FileColor colorToFile(HsbColor c, FileColor stored) {
    const HsbColor read = colorFromFile(stored);
    if (read.hue == c.hue && read.saturation == c.saturation && read.brightness == c.brightness &&
        read.extra == c.extra)
        return stored;
    // The smallest bytes that read back as the colour, so that saving again
    // changes nothing.
    return {{uint8_t(std::min((c.hue * 256 + 179) / 180, 255)), uint8_t(2 * c.saturation),
             uint8_t(2 * c.brightness), c.extra}};
}

void convertColorsAfterRead() {
    for (int layer = 0; layer < COLOR_LAYERS; ++layer)
        for (int i = 0; i < model.header.numColors; ++i)
            model.colorLayers[layer][i] = colorFromFile(model.header.fileColors[layer][i]);
}

namespace {

bool writeZeros(int64_t bytes) {
    std::memset(fillerChunk, 0, sizeof fillerChunk);
    while (bytes > 0) {
        const size_t n = size_t(std::min<int64_t>(bytes, sizeof fillerChunk));
        if (!writeExact(n, fillerChunk)) return false;
        bytes -= int64_t(n);
    }
    return true;
}

bool writeVertexTable(const void* array, size_t itemSize) {
    const FceHeader& h = model.header;
    const auto* base = static_cast<const char*>(array);
    for (int p = 0; p < h.numParts; ++p) {
        const size_t slot = 3 * size_t(h.partFirstTriangle[p]);
        if (!writeExact(itemSize * size_t(h.partVertexCount[p]), base + slot * itemSize))
            return false;
    }
    return true;
}

bool writeTriangles() {
    const int T = model.header.numTriangles;
    for (int start = 0; start < T; start += 1024) {
        const int n = std::min(1024, T - start);
        std::memcpy(triangleChunk, model.triangles + start, sizeof(ModelTriangle) * size_t(n));
        for (int i = 0; i < n; ++i) triangleChunk[i].groupAndBase = 0; // the texture page
        if (!writeExact(sizeof(ModelTriangle) * size_t(n), triangleChunk)) return false;
    }
    return true;
}

bool writeExtraBlockA(int V) {
    const FceHeader& h = model.header;
    const uint32_t head[4] = {FCE_TAG_VRNX, uint32_t(V), uint32_t(h.numTriangles),
                              uint32_t(h.numParts)};
    if (!writeExact(sizeof head, head)) return false;
    int fillerWords = V - 4;
    if (V >= SMALL_FILE_VERTICES) {
        if (!writeExact(sizeof h.partFirstVertex, h.partFirstVertex) ||
            !writeExact(sizeof h.partVertexCount, h.partVertexCount) ||
            !writeExact(sizeof h.partFirstTriangle, h.partFirstTriangle) ||
            !writeExact(sizeof h.partTriangleCount, h.partTriangleCount))
            return false;
        fillerWords = V - SMALL_FILE_VERTICES;
    }
    std::fill(std::begin(fillerChunk), std::end(fillerChunk), FCE_TAG_VRNX);
    while (fillerWords > 0) {
        const int n = std::min<int>(fillerWords, std::size(fillerChunk));
        if (!writeExact(sizeof(uint32_t) * size_t(n), fillerChunk)) return false;
        fillerWords -= n;
    }
    return true;
}

bool writeExtraBlockB() {
    const FceHeader& h = model.header;
    const int T = h.numTriangles;
    for (int t = 0; t < T; ++t) groupWords[t] = uint16_t(model.triangles[t].groupAndBase >> 16);
    if (!writeExact(sizeof(uint16_t) * size_t(T), groupWords)) return false;
    int64_t remainder = 10 * int64_t(T);
    for (int p = 0; p < h.numParts; ++p) {
        const uint16_t record[2] = {uint16_t(model.partFlags[p]), model.groupCount[p]};
        if (!writeExact(sizeof record, record) ||
            !writeExact(sizeof(SmoothingGroup) * model.groupCount[p], model.groups[p]))
            return false;
        remainder -= 4 + 4 * int64_t(model.groupCount[p]);
    }
    return remainder > 0 ? writeZeros((remainder + 3) / 4 * 4) : true;
}

void setTableOffsets(int V) {
    const uint32_t v = uint32_t(V), t = uint32_t(model.header.numTriangles);
    const uint32_t offsets[TABLE_COUNT] = {
        0,           12 * v,           24 * v,           24 * v + 56 * t,  56 * v + 56 * t,
        68 * v + 56 * t,  80 * v + 56 * t,  92 * v + 56 * t,  104 * v + 56 * t, 116 * v + 56 * t,
        128 * v + 56 * t, 132 * v + 56 * t, 136 * v + 56 * t, 140 * v + 56 * t};
    std::memcpy(model.header.tableOffsets, offsets, sizeof offsets);
}

} // namespace

bool writeFceFile() {
    FceHeader& h = model.header;
    mirrorModelAxis();

    // The box is taken over vertex + position as the model-space value would
    // be stored, without writing it back, so saving moves no vertex.
    float lo[3] = {0, 0, 0}, hi[3] = {0, 0, 0};
    int running = 0;
    for (int p = 0; p < h.numParts; ++p) {
        const int slot = partSlot(p), count = h.partVertexCount[p];
        computeFaceNormals(model.damagedVertices + slot, count, h.partFirstTriangle[p],
                           h.partTriangleCount[p]);
        computeVertexNormals(h.partFirstTriangle[p], model.damagedNormals + slot,
                             h.partTriangleCount[p], count);
        const Vec3 pos = h.partPos[p];
        for (int i = slot; i < slot + count; ++i) {
            const Vec3& v = model.vertices[i];
            const float c[3] = {float(double(v.x) + pos.x), float(double(v.y) + pos.y),
                                float(double(v.z) + pos.z)};
            for (int a = 0; a < 3; ++a) {
                lo[a] = std::min(lo[a], c[a]);
                hi[a] = std::max(hi[a], c[a]);
            }
        }
        h.partFirstVertex[p] = running;
        running += count;
    }
    const int V = running;
    for (int layer = 0; layer < COLOR_LAYERS; ++layer)
        for (int i = 0; i < h.numColors; ++i)
            h.fileColors[layer][i] =
                colorToFile(model.colorLayers[layer][i], h.fileColors[layer][i]);
    h.numVertices = V;
    h.halfSize = {float((double(hi[0]) - lo[0]) / 2), float((double(hi[1]) - lo[1]) / 2),
                  float((double(hi[2]) - lo[2]) / 2)};
    h.version = FCE_VERSION;
    h.extraDataTag = FCE_TAG_VRNX;
    setTableOffsets(V);

    bool ok = writeExact(sizeof h, &h) && writeVertexTable(model.vertices, sizeof(Vec3)) &&
              writeVertexTable(model.normals, sizeof(Vec3)) && writeTriangles() &&
              writeZeros(56 * int64_t(V)) && writeVertexTable(model.vertices, sizeof(Vec3)) &&
              writeVertexTable(model.normals, sizeof(Vec3)) &&
              writeVertexTable(model.damagedVertices, sizeof(Vec3)) &&
              writeVertexTable(model.damagedNormals, sizeof(Vec3)) &&
              writeZeros(4 * int64_t(V)) && writeVertexTable(model.vertexFlags, sizeof(uint32_t)) &&
              writeExtraBlockA(V) && writeExtraBlockB();
    errno = 0;
    if (!closeFile() && ok) {
        reportLastError(currentFilePath());
        ok = false;
    }

    mirrorModelAxis();
    for (int p = 0; p < h.numParts; ++p) {
        h.partFirstVertex[p] = 3 * h.partFirstTriangle[p];
        const int slot = partSlot(p);
        computeFaceNormals(model.vertices + slot, h.partVertexCount[p], h.partFirstTriangle[p],
                           h.partTriangleCount[p]);
        computeVertexNormals(h.partFirstTriangle[p], model.normals + slot,
                             h.partTriangleCount[p], h.partVertexCount[p]);
    }
    model.renderCacheValid = false;
    return ok;
}

int64_t fceFileSize() {
    const int64_t V = vertexTotal(model.header), T = model.header.numTriangles;
    int64_t blockA = V >= 4 ? 4 * V : 16;
    int64_t records = 0;
    for (int p = 0; p < model.header.numParts; ++p) records += 4 + 4 * model.groupCount[p];
    int64_t rest = 10 * T - records;
    int64_t blockB = 2 * T + records + (rest > 0 ? (rest + 3) / 4 * 4 : 0);
    return FCE_HEADER_SIZE + 136 * V + 56 * T + blockA + blockB;
}

bool loadFceFile(const std::string& path, bool keepTexture) {
    if (!openForReading(path)) {
        reportFileError(path);
        return false;
    }
    if (!readFceFile(keepTexture)) return false;
    model.fcePath = path;
    return true;
}

namespace {

// What the file stores as a position (vertex plus part position), a damaged
// position and a texture coordinate must be a finite float: a file with
// anything else cannot be read again. "" when all are, else what is not.
std::string firstNonFiniteValue() {
    const FceHeader& h = model.header;
    auto storable = [](double value) { return std::isfinite(value) && std::fabs(value) <= FLT_MAX; };
    auto storableAt = [&storable](const Vec3& v, const Vec3& at) {
        return storable(double(v.x) + at.x) && storable(double(v.y) + at.y) &&
               storable(double(v.z) + at.z);
    };
    for (int p = 0; p < h.numParts; ++p) {
        const Vec3 pos = h.partPos[p];
        bool ok = storableAt(pos, {0, 0, 0});
        for (int i = partSlot(p); ok && i < partSlot(p) + h.partVertexCount[p]; ++i)
            ok = storableAt(model.vertices[i], pos) && storableAt(model.damagedVertices[i], pos);
        int first = 0, end = 0;
        if (!partTriangles(p, first, end)) end = first;
        for (int t = first; ok && t < end; ++t)
            for (int k = 0; k < 3; ++k)
                ok = ok && storable(model.triangles[t].texU[k]) && storable(model.triangles[t].texV[k]);
        if (!ok) return format("part %d holds a number that is not finite", p);
    }
    for (int d = 0; d < h.numDummies; ++d)
        if (!storableAt(h.dummyPos[d], {0, 0, 0}))
            return format("dummy %d has no finite position", d);
    return "";
}

} // namespace

bool saveFceFile(const std::string& path) {
    const std::string fault = firstNonFiniteValue();
    if (!fault.empty()) {
        showError("The car was not saved: " + fault + ".\n" + path);
        return false;
    }
    if (!beginSafeSave(path)) {
        reportFileError(path);
        return false;
    }
    return finishSafeSave(writeFceFile());
}
