// The sample car: that the generator reproduces the files in data/sample, and
// that the car in them has everything the editor shows, reads back whole,
// faces the right way, keeps its vertices consistent with its smoothing
// groups, and is mapped onto the right areas of its texture.
#include "cli/sample_car.h"
#include "model/car_model.h"
#include "model/fce_file.h"
#include "model/names.h"
#include "support/test_support.h"
#include "texture/texture.h"
#include "texture/tint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <map>
#include <set>

namespace {

constexpr float WELD_TOLERANCE = 0.002f; // the editor's default

std::string sampleTga() {
    return sourcePath("data/sample/car00.tga");
}

int partIndex(const std::string& name) {
    for (int p = 0; p < model.header.numParts; ++p)
        if (nameString(model.header.partNames[p]) == name) return p;
    return -1;
}

uint16_t groupOf(const ModelTriangle& t) {
    return uint16_t((t.groupAndBase >> 16) & 0xFFF8);
}

const SmoothingGroup* findGroup(int part, uint16_t id) {
    for (int g = 0; g < model.groupCount[part]; ++g)
        if (model.groups[part][g].groupId == id) return &model.groups[part][g];
    return nullptr;
}

// Runs f(part, triangle) over every triangle.
template <class F> void eachTriangle(F f) {
    for (int p = 0; p < model.header.numParts; ++p)
        for (int i = 0; i < model.header.partTriangleCount[p]; ++i)
            f(p, model.triangles[model.header.partFirstTriangle[p] + i]);
}

const Vec3& vertexOf(int part, const ModelTriangle& t, int corner) {
    return model.vertices[partSlot(part) + int(t.v[corner])];
}

// The colour layer of the texel under the middle of a triangle, in the
// 256 x 256 texture as painted (before the view enlarges it).
int layerUnder(const std::vector<uint8_t>& tga, const ModelTriangle& t) {
    const float u = (t.texU[0] + t.texU[1] + t.texU[2]) / 3;
    const float v = (t.texV[0] + t.texV[1] + t.texV[2]) / 3;
    const int x = int(u * 256.0f), row = 255 - int(v * 256.0f); // stored bottom row first
    return tintLayerOfAlpha(tga[18 + (size_t(row) * 256 + size_t(x)) * 4 + 3]);
}

TEST(SampleCarFiles, GeneratorReproducesTheBundledFiles) {
    RecordingMessages messages;
    TempDir dir;
    ASSERT_FALSE(readBytes(sampleFce()).empty()) << "data/sample/car.fce is missing";
    ASSERT_TRUE(writeSampleCar(dir.path().string(), SAMPLE_DEFAULT_TRIANGLES));
    EXPECT_TRUE(readBytes(dir.file("car.fce")) == readBytes(sampleFce()))
        << "regenerate with: vornix-cli sample data/sample";
    EXPECT_TRUE(readBytes(dir.file("car00.tga")) == readBytes(sampleTga()))
        << "regenerate with: vornix-cli sample data/sample";
    EXPECT_TRUE(messages.errors.empty());
    resetModel();
}

TEST(SampleCarFiles, TheSameRequestGivesTheSameFiles) {
    RecordingMessages messages;
    TempDir first, second;
    ASSERT_TRUE(writeSampleCar(first.path().string(), 7777));
    resetModel();
    ASSERT_TRUE(writeSampleCar(second.path().string(), 7777));
    EXPECT_TRUE(readBytes(first.file("car.fce")) == readBytes(second.file("car.fce")));
    EXPECT_TRUE(readBytes(first.file("car00.tga")) == readBytes(second.file("car00.tga")));
    resetModel();
}

TEST(SampleCarFiles, TextureIsABottomUp32BitTga) {
    const auto tga = readBytes(sampleTga());
    ASSERT_EQ(tga.size(), 18u + 256 * 256 * 4);
    EXPECT_EQ(tga[0], 0); // no image ID
    EXPECT_EQ(tga[1], 0); // no colour map
    EXPECT_EQ(tga[2], 2); // uncompressed true colour
    EXPECT_EQ(tga[12] | tga[13] << 8, 256);
    EXPECT_EQ(tga[14] | tga[15] << 8, 256);
    EXPECT_EQ(tga[16], 32);
    EXPECT_EQ(tga[17] & 0x30, 0); // stored bottom row first, left to right
}

// The bundled sample, read as the editor opens a model.
class BundledSample : public ::testing::Test {
  protected:
    void SetUp() override {
        resetModel();
        ASSERT_TRUE(loadFceFile(sampleFce(), false));
        convertColorsAfterRead();
        ASSERT_TRUE(findAndLoadTexture());
    }
    void TearDown() override { resetModel(); }
    RecordingMessages messages;
};

TEST_F(BundledSample, ReadsBackWithItsOwnSmoothingDataAndTexture) {
    EXPECT_EQ(model.header.extraDataTag, FCE_TAG_VRNX);
    EXPECT_TRUE(model.modelLoaded);
    EXPECT_TRUE(model.textureLoaded);
    EXPECT_TRUE(messages.errors.empty());
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_LE(model.header.numTriangles, SAMPLE_DEFAULT_TRIANGLES);
    EXPECT_GE(model.header.numTriangles, SAMPLE_DEFAULT_TRIANGLES * 9 / 10);
    int vertices = 0;
    for (int p = 0; p < model.header.numParts; ++p) vertices += model.header.partVertexCount[p];
    EXPECT_GE(vertices, 260); // the smallest model whose smoothing data are stored
}

TEST_F(BundledSample, PartsFollowTheNamingConventions) {
    const std::vector<std::string> names = {":HB", ":HLFW", ":HRFW", ":HLRW", ":HRRW",
                                            ":OD", ":MB",   ":LB",   ":TB"};
    ASSERT_EQ(model.header.numParts, int(names.size()));
    for (size_t p = 0; p < names.size(); ++p) {
        EXPECT_EQ(nameString(model.header.partNames[p]), names[p]);
        // The stored flags say what the names would say to a reader without them.
        const uint32_t byName = defaultPartFlags(names[p].c_str());
        EXPECT_EQ(model.partFlags[p] & (PART_VISIBLE | PART_DRIVER), byName) << names[p];
    }
    for (const char* hidden : {":MB", ":LB", ":TB"})
        EXPECT_FALSE(model.partFlags[partIndex(hidden)] & PART_VISIBLE) << hidden;
    EXPECT_TRUE(model.partFlags[partIndex(":OD")] & PART_DRIVER);
    // Left wheels on the car's left (-x), front wheels ahead (-z).
    const Vec3& leftFront = model.header.partPos[partIndex(":HLFW")];
    const Vec3& rightRear = model.header.partPos[partIndex(":HRRW")];
    EXPECT_LT(leftFront.x, 0);
    EXPECT_LT(leftFront.z, 0);
    EXPECT_GT(rightRear.x, 0);
    EXPECT_GT(rightRear.z, 0);
}

TEST_F(BundledSample, DriverSwingsAboveTheHipsOnly) {
    const int od = partIndex(":OD");
    std::map<uint32_t, int> seen;
    for (int i = 0; i < model.header.partVertexCount[od]; ++i)
        ++seen[model.vertexFlags[partSlot(od) + i]];
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_GT(seen[VERTEX_MOVES], 0);
    EXPECT_GT(seen[VERTEX_FIXED], 0);
    // Everything else holds still too: only the driver part moves.
    for (int p = 0; p < model.header.numParts; ++p) {
        if (p == od) continue;
        for (int i = 0; i < model.header.partVertexCount[p]; ++i)
            ASSERT_EQ(model.vertexFlags[partSlot(p) + i], VERTEX_MOVES);
    }
}

TEST_F(BundledSample, HasLightAndPlateDummies) {
    std::set<std::string> kinds;
    int plates = 0;
    ASSERT_GT(model.header.numDummies, 0);
    ASSERT_LE(model.header.numDummies, MAX_DUMMIES);
    for (int d = 0; d < model.header.numDummies; ++d) {
        const char* name = model.header.dummyNames[d];
        if (isLightDummyName(name)) {
            const LightDummyCode code = decodeLightDummyName(name);
            ASSERT_GE(code.kind, 0) << name;
            ASSERT_GE(code.color, 0) << name;
            ASSERT_GE(code.flash, 0) << name;
            EXPECT_EQ(std::strlen(name), 7u) << name;
            EXPECT_EQ(name[2], 'Y') << name;
            kinds.insert(lightKinds[code.kind].text);
        } else {
            const int special = specialDummyIndex(name);
            EXPECT_GT(special, 0) << name;
            plates += special == 1 || special == 2;
        }
    }
    for (const char* kind : {"Head", "Tail", "Brake"}) EXPECT_TRUE(kinds.count(kind)) << kind;
    EXPECT_EQ(plates, 1);
    // Head lights at the front, tail lights at the back.
    for (int d = 0; d < model.header.numDummies; ++d) {
        if (model.header.dummyNames[d][0] == 'H') {
            EXPECT_LT(model.header.dummyPos[d].z, -2.0f);
        }
        if (model.header.dummyNames[d][0] == 'T') {
            EXPECT_GT(model.header.dummyPos[d].z, 2.0f);
        }
    }
}

TEST_F(BundledSample, HasColourPresetsOfFourLayers) {
    ASSERT_GE(model.header.numColors, 4);
    std::set<int> bodyHues;
    for (int i = 0; i < model.header.numColors; ++i) {
        for (int layer = 0; layer < COLOR_LAYERS; ++layer) {
            const HsbColor& c = model.colorLayers[layer][i];
            EXPECT_LT(c.hue, 180);
            EXPECT_LE(c.saturation, 127);
            EXPECT_LE(c.brightness, 127);
            EXPECT_GT(c.brightness, 0) << "preset " << i << " layer " << layer;
        }
        const HsbColor& body = model.colorLayers[0][i];
        bodyHues.insert(body.hue * 1000 + body.saturation);
    }
    EXPECT_EQ(int(bodyHues.size()), model.header.numColors); // every preset its own paint
}

TEST_F(BundledSample, UsesSmoothingGroupsBesidesTheBase) {
    int partsWithGroups = 0;
    for (int p = 0; p < model.header.numParts; ++p) {
        ASSERT_GE(model.groupCount[p], 1);
        EXPECT_EQ(model.groups[p][0].groupId, 0) << "part " << p << " starts with the base group";
        std::set<uint16_t> used;
        for (int i = 0; i < model.header.partTriangleCount[p]; ++i) {
            const ModelTriangle& t = model.triangles[model.header.partFirstTriangle[p] + i];
            EXPECT_EQ((t.groupAndBase >> 16) & 7, 0u); // no marks, no option bits
            used.insert(groupOf(t));
        }
        std::set<uint16_t> listed;
        for (int g = 0; g < model.groupCount[p]; ++g) {
            EXPECT_EQ(model.groups[p][g].groupId % 8, 0);
            listed.insert(model.groups[p][g].groupId);
        }
        EXPECT_EQ(used, listed) << "part " << p;
        partsWithGroups += model.groupCount[p] > 1;
    }
    EXPECT_EQ(partsWithGroups, model.header.numParts);
}

TEST_F(BundledSample, WindowsCarryTheirFlags) {
    std::map<uint32_t, int> count;
    double frontZ = 0, backZ = 0;
    eachTriangle([&](int p, const ModelTriangle& t) {
        const uint32_t kinds =
            t.flags & (TRI_FRONT_WINDOW | TRI_LEFT_WINDOW | TRI_BACK_WINDOW | TRI_RIGHT_WINDOW);
        if (!kinds) return;
        EXPECT_TRUE(t.flags & TRI_ALL_WINDOWS);
        EXPECT_EQ(std::popcount(kinds), 1);
        ++count[kinds];
        count[TRI_SEMI_TRANSPARENT] += bool(t.flags & TRI_SEMI_TRANSPARENT);
        const Vec3& a = vertexOf(p, t, 0);
        if (kinds == TRI_LEFT_WINDOW) {
            EXPECT_LT(a.x, 0);
        }
        if (kinds == TRI_RIGHT_WINDOW) {
            EXPECT_GT(a.x, 0);
        }
        if (kinds == TRI_FRONT_WINDOW) frontZ = std::min(frontZ, double(a.z));
        if (kinds == TRI_BACK_WINDOW) backZ = std::max(backZ, double(a.z));
    });
    for (uint32_t flag : {TRI_FRONT_WINDOW, TRI_LEFT_WINDOW, TRI_BACK_WINDOW, TRI_RIGHT_WINDOW,
                          TRI_SEMI_TRANSPARENT})
        EXPECT_GT(count[flag], 0) << std::hex << flag;
    EXPECT_EQ(count[TRI_LEFT_WINDOW], count[TRI_RIGHT_WINDOW]);
    EXPECT_LT(frontZ, backZ);
}

TEST_F(BundledSample, TextureCoordinatesStayInsideTheTexture) {
    eachTriangle([](int, const ModelTriangle& t) {
        for (int k = 0; k < 3; ++k) {
            ASSERT_GE(t.texU[k], 0.0f);
            ASSERT_LT(t.texU[k], 1.0f);
            ASSERT_GE(t.texV[k], 0.0f);
            ASSERT_LT(t.texV[k], 1.0f);
        }
    });
}

TEST_F(BundledSample, TextureUsesEveryColourLayerAndUntintedAreas) {
    std::map<int, int> layers;
    bool lowUntinted = false, highUntinted = false;
    for (size_t i = 0; i < TEXTURE_COPY_BYTES; i += 4) {
        const uint8_t alpha = pristineTexture()[i + 3];
        ++layers[tintLayerOfAlpha(alpha)];
        lowUntinted |= alpha > 0 && alpha < 16;
        highUntinted |= alpha > 240;
        ASSERT_NE(alpha, 0) << "no texel of the sample is left undrawn";
    }
    for (int layer : {0, 1, 2, 3, TINT_NO_LAYER}) EXPECT_GT(layers[layer], 0) << layer;
    EXPECT_TRUE(lowUntinted);
    EXPECT_TRUE(highUntinted);
}

TEST_F(BundledSample, SurfacesAreMappedOntoTheirAreas) {
    const int body = partIndex(":HB"), driver = partIndex(":OD");
    const std::vector<uint8_t> tga = readBytes(sampleTga());
    ASSERT_EQ(tga.size(), 18u + 256 * 256 * 4);
    int paint = 0, paintOnLayers = 0, rims = 0, rimsOnLayer = 0;
    eachTriangle([&](int p, const ModelTriangle& t) {
        const int layer = layerUnder(tga, t);
        if (t.flags & TRI_ALL_WINDOWS) {
            EXPECT_EQ(layer, TINT_NO_LAYER) << "glass";
        }
        if (t.flags & TRI_DONT_CHROME) {
            EXPECT_EQ(layer, TINT_NO_LAYER) << "tyres, underbody";
        }
        if (t.flags & TRI_HIGH_CHROME) {
            // Spokes in the rims' layer, the brake disc between them untinted.
            EXPECT_TRUE(layer == 2 || layer == TINT_NO_LAYER) << "rims";
            ++rims;
            rimsOnLayer += layer == 2;
        }
        if (p == driver && groupOf(t) == 0) {
            EXPECT_EQ(layer, 3) << "the driver's suit";
        }
        if (p == body && groupOf(t) == 0) {
            ++paint;
            paintOnLayers += layer == 0 || layer == 1;
        }
    });
    // Body paint shows the paint and stripe layers, apart from lights and trim.
    EXPECT_GT(paintOnLayers, paint * 9 / 10);
    EXPECT_GT(rimsOnLayer, rims / 5);
}

TEST_F(BundledSample, FacesPointInwardAsTheViewExpects) {
    // The view draws a triangle when its stored normal points away from the
    // eye: for a closed part, the normals point into it, the enclosed volume
    // in stored corner order is negative, and the vertex normals (negated
    // sums) point out.
    for (int p = 0; p < model.header.numParts; ++p) {
        double volume = 0;
        for (int i = 0; i < model.header.partTriangleCount[p]; ++i) {
            const ModelTriangle& t = model.triangles[model.header.partFirstTriangle[p] + i];
            const Vec3 &a = vertexOf(p, t, 0), &b = vertexOf(p, t, 1), &c = vertexOf(p, t, 2);
            volume += (double(a.x) * (double(b.y) * c.z - double(b.z) * c.y) -
                       double(a.y) * (double(b.x) * c.z - double(b.z) * c.x) +
                       double(a.z) * (double(b.x) * c.y - double(b.y) * c.x)) /
                      6;
        }
        EXPECT_LT(volume, 0) << nameString(model.header.partNames[p]);
    }
    // Seen from ahead of the car, the nose panel is drawn and the tail panel is not.
    const int body = partIndex(":HB");
    const Vec3 eye{0.0f, 0.3f, -12.0f};
    int nose = 0, tail = 0;
    std::set<uint32_t> panel;
    eachTriangle([&](int p, const ModelTriangle& t) {
        if (p != body) return;
        if (groupOf(t) == 24) panel.insert(t.v, t.v + 3);
        const Vec3& p0 = vertexOf(p, t, 0);
        const double d = (double(eye.x) - p0.x) * t.faceNormal.x +
                         (double(eye.y) - p0.y) * t.faceNormal.y +
                         (double(eye.z) - p0.z) * t.faceNormal.z;
        if (groupOf(t) == 24) nose += d < 0 ? 1 : -1000;
        if (groupOf(t) == 32) tail += d > 0 ? 1 : -1000;
    });
    EXPECT_GT(nose, 0);
    EXPECT_GT(tail, 0);
    ASSERT_FALSE(panel.empty());
    for (uint32_t v : panel) EXPECT_LT(model.normals[partSlot(body) + int(v)].z, -0.99f);
}

// Rebuilding a part's vertices from its groups (the Surfaces page does it)
// must give back the same vertices: each vertex belongs to one group, the
// faces around it lie within the group's angle, and no two vertices of a
// group are close enough to be welded.
TEST_F(BundledSample, VerticesAgreeWithTheSmoothingGroups) {
    for (int p = 0; p < model.header.numParts; ++p) {
        const std::string name = nameString(model.header.partNames[p]);
        const int slot = partSlot(p), count = model.header.partVertexCount[p];
        std::vector<int> group(static_cast<size_t>(count), -1);
        std::vector<std::vector<const ModelTriangle*>> around(static_cast<size_t>(count));
        for (int i = 0; i < model.header.partTriangleCount[p]; ++i) {
            const ModelTriangle& t = model.triangles[model.header.partFirstTriangle[p] + i];
            for (uint32_t v : t.v) {
                ASSERT_TRUE(group[v] == -1 || group[v] == groupOf(t)) << name << " vertex " << v;
                group[v] = groupOf(t);
                around[v].push_back(&t);
            }
        }
        for (int v = 0; v < count; ++v) {
            ASSERT_NE(group[v], -1) << name << ": vertex " << v << " is used by no triangle";
            const SmoothingGroup* g = findGroup(p, uint16_t(group[v]));
            ASSERT_NE(g, nullptr);
            if (g->smoothAngle >= 91) continue;
            const double limit = std::cos(g->smoothAngle * 3.141592654 / 180.0);
            for (const ModelTriangle* a : around[size_t(v)])
                for (const ModelTriangle* b : around[size_t(v)]) {
                    const double d = double(a->faceNormal.x) * b->faceNormal.x +
                                     double(a->faceNormal.y) * b->faceNormal.y +
                                     double(a->faceNormal.z) * b->faceNormal.z;
                    ASSERT_GE(d, limit) << name << " vertex " << v;
                }
        }
        for (int a = 0; a < count; ++a)
            for (int b = a + 1; b < count; ++b) {
                if (group[a] != group[b]) continue;
                const Vec3 &va = model.vertices[slot + a], &vb = model.vertices[slot + b];
                const bool close = std::fabs(va.x - vb.x) <= WELD_TOLERANCE &&
                                   std::fabs(va.y - vb.y) <= WELD_TOLERANCE &&
                                   std::fabs(va.z - vb.z) <= WELD_TOLERANCE;
                ASSERT_FALSE(close) << name << " vertices " << a << " and " << b;
            }
    }
}

TEST_F(BundledSample, DamagedShapeIsADentedCopy) {
    for (int p = 0; p < model.header.numParts; ++p) {
        const std::string name = nameString(model.header.partNames[p]);
        int moved = 0;
        double furthest = 0;
        for (int i = 0; i < model.header.partVertexCount[p]; ++i) {
            const Vec3 &v = model.vertices[partSlot(p) + i],
                       &d = model.damagedVertices[partSlot(p) + i];
            const double distance = std::hypot(d.x - v.x, d.y - v.y, d.z - v.z);
            moved += distance > 0;
            furthest = std::max(furthest, distance);
            const Vec3& n = model.damagedNormals[partSlot(p) + i];
            EXPECT_NEAR(std::hypot(n.x, n.y, n.z), 1.0, 1e-5) << name;
        }
        const bool body = name == ":HB" || name == ":MB" || name == ":LB" || name == ":TB";
        if (body) {
            EXPECT_GT(moved, 0) << name;
            EXPECT_LT(moved, model.header.partVertexCount[p] / 4) << name;
            EXPECT_LT(furthest, 0.1) << name;
        } else {
            EXPECT_EQ(moved, 0) << name;
        }
    }
}

class SampleCarSize : public ::testing::Test {
  protected:
    void TearDown() override { resetModel(); }
    RecordingMessages messages;
};

TEST_F(SampleCarSize, ScalesToTheRequestWithoutExceedingIt) {
    int previous = 0;
    for (int request : {SAMPLE_MIN_TRIANGLES, 2600, SAMPLE_DEFAULT_TRIANGLES, 5000, 12000}) {
        ASSERT_TRUE(buildSampleCar(request)) << request;
        const int built = model.header.numTriangles;
        EXPECT_LE(built, request);
        EXPECT_GE(built, previous) << request;
        previous = built;
    }
    EXPECT_GE(previous, 12000 * 9 / 10);
    EXPECT_TRUE(messages.errors.empty());
}

TEST_F(SampleCarSize, LargestRequestFillsTheModelAndReadsBack) {
    TempDir dir;
    ASSERT_TRUE(writeSampleCar(dir.path().string(), MAX_TRIANGLES));
    resetModel();
    ASSERT_TRUE(loadFceFile(dir.file("car.fce"), false));
    EXPECT_EQ(model.header.extraDataTag, FCE_TAG_VRNX);
    EXPECT_GE(model.header.numTriangles, 20000);
    EXPECT_LE(model.header.numTriangles, MAX_TRIANGLES);
    for (int p = 0; p < model.header.numParts; ++p)
        EXPECT_LE(model.header.partVertexCount[p], 3 * model.header.partTriangleCount[p]);
    EXPECT_TRUE(messages.errors.empty());
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(SampleCarSize, RequestsOutsideTheRangeAreRefused) {
    for (int request : {0, SAMPLE_MIN_TRIANGLES - 1, MAX_TRIANGLES + 1}) {
        messages.errors.clear();
        EXPECT_FALSE(buildSampleCar(request)) << request;
        EXPECT_EQ(messages.errors.size(), 1u) << request;
    }
}

} // namespace
