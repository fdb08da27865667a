// The one car model in memory: the FCE header kept whole, the geometry store,
// the renderer's work buffers, the program's own per-part data, colour presets,
// selection indices and model state. All of it lives in the global record
// `model`; assigning a fresh CarModel (after freeModel) returns it to start-up.
#pragma once

#include "model/fce_types.h"

#include <string>

// Screen position of a vertex slot, written by the projection.
struct ScreenPoint {
    float x, y;
};

// One entry of the draw list: a depth and the index of a triangle.
struct DrawEntry {
    float depth;
    uint32_t triangle;
};

constexpr int GEOMETRY_BYTES_PER_TRIANGLE = 212;
constexpr int RENDER_BYTES_PER_TRIANGLE = 80;

struct CarModel {
    FceHeader header{};

    // The geometry store, one block sized for storeTriangles triangles.
    void* geometryBlock = nullptr;
    int storeTriangles = 0;
    Vec3* vertices = nullptr;        // 3 slots per triangle
    Vec3* normals = nullptr;         // 3 slots per triangle
    Vec3* damagedVertices = nullptr; // 3 slots per triangle
    Vec3* damagedNormals = nullptr;  // 3 slots per triangle
    uint32_t* vertexFlags = nullptr; // 3 slots per triangle: VERTEX_MOVES or VERTEX_FIXED
    ModelTriangle* triangles = nullptr;

    // The renderer's work buffers, one block sized for the same count.
    void* renderBlock = nullptr;
    Vec3* viewVertices = nullptr;       // 3 slots per triangle
    ScreenPoint* screenPoints = nullptr; // 3 slots per triangle
    float* vertexShades = nullptr;      // 3 slots per triangle
    DrawEntry* triangleWork = nullptr;  // 1 per triangle

    // The program's own per-part data.
    uint32_t partFlags[MAX_PARTS] = {};
    float partHalfWidth[MAX_PARTS] = {};
    uint16_t groupCount[MAX_PARTS] = {};
    uint16_t currentGroup[MAX_PARTS] = {};
    SmoothingGroup groups[MAX_PARTS][MAX_GROUPS] = {};

    // Selection indices.
    uint32_t selectedPart = 0;
    uint32_t selectedDummy = 0;
    uint32_t selectedColor = 0;
    uint32_t colorLayer = 0;

    // Working copy of the colour presets: preset i is colorLayers[0..3][i].
    HsbColor colorLayers[COLOR_LAYERS][MAX_COLORS] = {};

    // Texture: 2 MB, working copy then pristine copy (see the texture loader).
    uint8_t* textureImage = nullptr;

    // Model state.
    bool modelLoaded = false;
    bool textureLoaded = false;
    bool modelModified = false;
    bool centerOnLoad = false;
    bool renderCacheValid = false;
    // The file carried the program's smoothing data, but they were damaged
    // or cut: the car was read with default smoothing instead.
    bool smoothingDataDamaged = false;
    std::string fcePath;
    std::string fileTitle;
    std::string texturePath;
};

extern CarModel model;

// Allocates the geometry store and the render work buffers for `triangles`
// triangles (both zeroed), replacing any previous ones. On failure nothing is
// allocated, the allocator has shown its message and false is returned.
bool allocateStore(int triangles);

void freeModel(bool keepTexture);
void mirrorModelAxis();
void computeFaceNormals(const Vec3* firstVertex, int vertexCount, int firstTriangle,
                        int triangleCount);
void computeVertexNormals(int firstTriangle, Vec3* firstNormal, int triangleCount,
                          int vertexCount);
void copyVec3Array(const Vec3* source, Vec3* destination, int count);
void copyWords(const uint32_t* source, uint32_t* destination, int count);
void toModelSpace(int part);
void toPartSpace(int part);

// The triangles of part p that lie inside the store, [first, end); false
// when there are none (a broken file may give ranges that do not).
bool partTriangles(int part, int& first, int& end);
// The current part's triangles the same way; false without a current part.
bool currentPartTriangles(int& first, int& end);

// First vertex slot of a part (3 slots per triangle before it).
inline int partSlot(int part) { return model.header.partFirstVertex[part]; }

// A name field as the program compares it: its bytes up to the first NUL, at
// most 63 (a full field keeps its 64th byte in the file but not in the text).
std::string nameString(const char (&field)[NAME_SIZE]);
// The same as UTF-8 text, for what is shown or written out: names are
// Windows-1252 bytes.
std::string nameText(const char (&field)[NAME_SIZE]);
