// Building blocks of the sample car: a part under construction (vertices
// shared per smoothing group, triangles with texture coordinates and flags),
// the texture atlas the parts are mapped onto, and moving finished parts
// into the global model.
#pragma once

#include "model/fce_types.h"

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

// Geometry is computed in double precision and stored as floats.
struct DVec3 {
    double x = 0, y = 0, z = 0;
};
inline DVec3 operator+(DVec3 a, DVec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline DVec3 operator-(DVec3 a, DVec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline DVec3 operator*(DVec3 a, double s) {
    return {a.x * s, a.y * s, a.z * s};
}
inline double dot(DVec3 a, DVec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline DVec3 cross(DVec3 a, DVec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
DVec3 normalized(DVec3 a);
double lerp(double a, double b, double t);
double clamp01(double t);
double smoothStep(double t); // 0 below 0, 1 above 1, smooth between

struct TexCoord {
    float u, v;
};

// A rectangle of texels [x0, x1) x [y0, y1) of the 256 x 256 sample texture.
struct AtlasRect {
    int x0, y0, x1, y1;
};

// The texture atlas: where each kind of surface finds its texels.
constexpr AtlasRect ATLAS_SIDE{0, 0, 256, 64};      // body side, seen from the side
constexpr AtlasRect ATLAS_TOP{0, 64, 256, 128};     // bonnet, roof and boot from above
constexpr AtlasRect ATLAS_FRONT{0, 128, 128, 192};  // nose with headlights and grille
constexpr AtlasRect ATLAS_REAR{128, 128, 256, 192}; // tail with lights and plate
constexpr AtlasRect ATLAS_WHEEL{0, 192, 64, 256};   // tyre wall and rim, face on
constexpr AtlasRect ATLAS_TREAD{64, 192, 96, 256};  // tyre tread, a quarter turn
constexpr AtlasRect ATLAS_GLASS{96, 192, 128, 256};
constexpr AtlasRect ATLAS_SUIT{128, 192, 160, 224};
constexpr AtlasRect ATLAS_SKIN{128, 224, 160, 240};
constexpr AtlasRect ATLAS_HELMET{128, 240, 160, 256};
constexpr AtlasRect ATLAS_TRIM{160, 192, 192, 224}; // black plastic, underbody
constexpr AtlasRect ATLAS_CHROME{160, 224, 192, 256};
constexpr AtlasRect ATLAS_SPARE{192, 192, 256, 256};

// The point (s, t) of a rectangle, s across and t down, both 0..1 (clamped).
// A texel of margin is kept on every side: the view enlarges the texture
// with averages, which would blend in the neighbouring rectangle's texels.
TexCoord atlasPoint(AtlasRect rect, double s, double t);
// The inverse for the centre of texel column `px` or row `py` (0..1 inside
// the margin, a little beyond it at the rectangle's edges).
double atlasS(AtlasRect rect, int px);
double atlasT(AtlasRect rect, int py);

// A part under construction.
struct PartMesh {
    struct Triangle {
        uint32_t v[3];
        TexCoord uv[3];
        uint32_t flags;
        uint16_t group;
    };

    std::string name;
    DVec3 position; // partPos; vertices are relative to it
    uint32_t partFlags = PART_VISIBLE;
    bool dented = false; // whether the damaged shape differs
    std::vector<DVec3> vertices;
    std::vector<uint32_t> vertexFlags;
    std::vector<Triangle> triangles;

    // The vertex at `p` for triangles of smoothing group `group`: the same
    // index for the same stored point and group, a new vertex otherwise.
    // Vertices are never shared between groups, so that the normals show
    // the groups' edges; surfaces meeting at a crease belong to different
    // groups.
    uint32_t vertex(DVec3 p, uint16_t group, uint32_t flag = VERTEX_MOVES);

    // A triangle whose corners a, b, c run counter-clockwise seen from
    // outside. It is stored the other way round: the program's face normal,
    // (p1 - p0) x (p2 - p0), points into the body, which is what the view's
    // back-face test and the vertex normals (the negated sum) expect.
    // Triangles with a repeated corner are dropped.
    void face(uint32_t a, uint32_t b, uint32_t c, TexCoord ta, TexCoord tb, TexCoord tc,
              uint32_t flags, uint16_t group);
    // a, b, c, d counter-clockwise seen from outside.
    void quad(uint32_t a, uint32_t b, uint32_t c, uint32_t d, TexCoord ta, TexCoord tb, TexCoord tc,
              TexCoord td, uint32_t flags, uint16_t group);

    // Mirrors the part at the plane x = 0, keeping faces outward.
    void mirrorX();

  private:
    std::map<std::tuple<uint32_t, uint32_t, uint32_t, uint16_t>, uint32_t> shared_;
};

// The smoothing groups a part's triangles use, base group first, each with
// the smallest angle that keeps together every pair of its faces sharing a
// vertex (so that rebuilding the part's vertices from its groups shares them
// just as built), at least 30 degrees, and no limit (100) beyond 90.
std::vector<SmoothingGroup> smoothingGroupsOf(const PartMesh& part);

// Replaces the global model by these parts: geometry store, header tables,
// group tables, normals of the shape and of the damaged shape. `dent` moves a
// model-space point of a dented part to its damaged place.
bool installParts(const std::vector<PartMesh>& parts, DVec3 (*dent)(DVec3));
