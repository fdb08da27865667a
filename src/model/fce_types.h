// Plain types of the car model: the FCE header record as it lies in a file,
// the triangle record, colours, smoothing groups, flag constants and limits.
// Everything here is laid out byte for byte as in an FCE file (little-endian).
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

static_assert(std::endian::native == std::endian::little,
              "FCE records are read into memory as they lie in the file");

struct Vec3 {
    float x, y, z;
    bool operator==(const Vec3&) const = default;
};
static_assert(sizeof(Vec3) == 12);

// Colour of a preset in the model's own scale (hue 0..179, the others 0..127).
struct HsbColor {
    uint8_t hue, saturation, brightness, extra;
};
static_assert(sizeof(HsbColor) == 4);

// The same colour as the file stores it, four bytes on a 0..255 scale.
struct FileColor {
    uint8_t b[4];
};
static_assert(sizeof(FileColor) == 4);

struct SmoothingGroup {
    uint16_t groupId;     // a multiple of 8; what the triangles carry in their group word
    uint16_t smoothAngle; // degrees
};
static_assert(sizeof(SmoothingGroup) == 4);

// Limits of the data model.
constexpr int MAX_PARTS = 64;
constexpr int MAX_DUMMIES = 16;
constexpr int MAX_COLORS = 16;
constexpr int MAX_GROUPS = 64;
constexpr int NAME_SIZE = 64; // 63 characters and a NUL
constexpr int MAX_TRIANGLES = 21845; // 3 slots per triangle, slot bases in 16 bits
constexpr int COLOR_LAYERS = 4;

constexpr uint32_t FCE_VERSION = 0x00101014;
constexpr uint32_t FCE_TAG_VRNX = 0x584E5256; // the bytes "VRNX"
constexpr int FCE_HEADER_SIZE = 8248;

// Indices into FceHeader::tableOffsets, in header order.
enum FceTable : int {
    TABLE_VERTICES,
    TABLE_NORMALS,
    TABLE_TRIANGLES,
    TABLE_RESERVED1,
    TABLE_RESERVED2,
    TABLE_RESERVED3,
    TABLE_VERTICES2,
    TABLE_NORMALS2,
    TABLE_DAMAGED_VERTICES,
    TABLE_DAMAGED_NORMALS,
    TABLE_RESERVED4,
    TABLE_MOVEMENT,
    TABLE_EXTRA_A,
    TABLE_EXTRA_B,
    TABLE_COUNT
};

struct FceHeader {
    uint32_t version;
    uint32_t extraDataTag;
    int32_t numTriangles;
    int32_t numVertices;
    int32_t numArts;
    uint32_t tableOffsets[TABLE_COUNT]; // counted from the end of the header
    Vec3 halfSize;
    int32_t numDummies;
    Vec3 dummyPos[MAX_DUMMIES];
    int32_t numParts;
    Vec3 partPos[MAX_PARTS];
    int32_t partFirstVertex[MAX_PARTS];
    int32_t partVertexCount[MAX_PARTS];
    int32_t partFirstTriangle[MAX_PARTS];
    int32_t partTriangleCount[MAX_PARTS];
    int32_t numColors;
    FileColor fileColors[COLOR_LAYERS][MAX_COLORS];
    uint8_t unknown1[260];
    char dummyNames[MAX_DUMMIES][NAME_SIZE];
    char partNames[MAX_PARTS][NAME_SIZE];
    uint8_t unknown2[528];
};
static_assert(sizeof(FceHeader) == FCE_HEADER_SIZE);
static_assert(offsetof(FceHeader, version) == 0x0000);
static_assert(offsetof(FceHeader, extraDataTag) == 0x0004);
static_assert(offsetof(FceHeader, numTriangles) == 0x0008);
static_assert(offsetof(FceHeader, numVertices) == 0x000C);
static_assert(offsetof(FceHeader, numArts) == 0x0010);
static_assert(offsetof(FceHeader, tableOffsets) == 0x0014);
static_assert(offsetof(FceHeader, halfSize) == 0x004C);
static_assert(offsetof(FceHeader, numDummies) == 0x0058);
static_assert(offsetof(FceHeader, dummyPos) == 0x005C);
static_assert(offsetof(FceHeader, numParts) == 0x011C);
static_assert(offsetof(FceHeader, partPos) == 0x0120);
static_assert(offsetof(FceHeader, partFirstVertex) == 0x0420);
static_assert(offsetof(FceHeader, partVertexCount) == 0x0520);
static_assert(offsetof(FceHeader, partFirstTriangle) == 0x0620);
static_assert(offsetof(FceHeader, partTriangleCount) == 0x0720);
static_assert(offsetof(FceHeader, numColors) == 0x0820);
static_assert(offsetof(FceHeader, fileColors) == 0x0824);
static_assert(offsetof(FceHeader, unknown1) == 0x0924);
static_assert(offsetof(FceHeader, dummyNames) == 0x0A28);
static_assert(offsetof(FceHeader, partNames) == 0x0E28);
static_assert(offsetof(FceHeader, unknown2) == 0x1E28);

// One triangle in memory. The file record differs only in its first word
// (the texture page there, the group word and slot base here).
struct ModelTriangle {
    uint32_t groupAndBase; // high 16 bits group word, low 16 bits the part's first vertex slot
    uint32_t v[3];         // corners, relative to the part
    Vec3 faceNormal;
    uint32_t flags;
    float texU[3];
    float texV[3];
};
static_assert(sizeof(ModelTriangle) == 56);

// Surface flags of a triangle.
constexpr uint32_t TRI_DONT_CHROME = 0x001;
constexpr uint32_t TRI_HIGH_CHROME = 0x002;
constexpr uint32_t TRI_NO_CULL = 0x004;
constexpr uint32_t TRI_SEMI_TRANSPARENT = 0x008;
constexpr uint32_t TRI_UNKNOWN = 0x010;
constexpr uint32_t TRI_ALL_WINDOWS = 0x020;
constexpr uint32_t TRI_FRONT_WINDOW = 0x040;
constexpr uint32_t TRI_LEFT_WINDOW = 0x080;
constexpr uint32_t TRI_BACK_WINDOW = 0x100;
constexpr uint32_t TRI_RIGHT_WINDOW = 0x200;
constexpr uint32_t TRI_BROKEN_WINDOW = 0x400;
constexpr uint32_t TRI_SEEN_FROM_BEHIND = 0x40000000;
constexpr uint32_t TRI_SELECTED = 0x80000000;
constexpr uint32_t TRI_WINDOW_MASK = TRI_SEMI_TRANSPARENT | TRI_ALL_WINDOWS;

// Per-part flags of the program's own.
constexpr uint32_t PART_VISIBLE = 0x01;
constexpr uint32_t PART_SELECTED = 0x04;
constexpr uint32_t PART_DRIVER = 0x08;
constexpr uint32_t PART_NORMALS_READY = 0x80;

// Values of the movement table (vertexFlags).
constexpr uint32_t VERTEX_MOVES = 0;
constexpr uint32_t VERTEX_FIXED = 4;
