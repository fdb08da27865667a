// Golden pictures of the 3D view. The renderer is deterministic, so every
// picture of the sample car must match its PNG under tests/golden/ pixel for
// pixel. The third-party car never enters the repository, pictures included:
// for it the test compares hashes of the rendered views.
//
// After a deliberate change of the picture, regenerate with
//   VORNIX_UPDATE_GOLDEN=1 build/normal/tests/golden_tests
// and look at every changed file before committing it.
#include "cli/render_command.h"
#include "model/car_model.h"
#include "model/fce_file.h"
#include "render/frame_buffer.h"
#include "support/test_support.h"
#include "texture/texture.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>

namespace {

struct GoldenCase {
    const char* name;
    RenderOptions options;
    int selectEvery = 0; // on the Surfaces page: mark every n-th triangle of the part selected
    int currentGroup = 0;
};

RenderOptions options(std::initializer_list<std::pair<const char*, const char*>> settings) {
    RenderOptions o;
    o.width = 400;
    o.height = 300;
    for (const auto& [key, value] : settings) {
        const std::string k = key;
        if (k == "mode") o.mode = value;
        if (k == "wire") o.wire = true;
        if (k == "normals") o.normals = true;
        if (k == "windows") o.windows = value;
        if (k == "camera") o.camera = std::atoi(value);
        if (k == "page") o.page = value;
        if (k == "part") o.part = std::atoi(value);
        if (k == "preset") o.preset = std::atoi(value);
        if (k == "yaw") o.yaw = std::atoi(value);
        if (k == "pitch") o.pitch = std::atoi(value);
        if (k == "distance") o.distance = float(std::atof(value));
        if (k == "light-symbol") o.lightMode = true;
        if (k == "dummy") o.dummy = std::atoi(value);
        if (k == "light-yaw") o.lightYaw = std::atoi(value);
        if (k == "light-pitch") o.lightPitch = std::atoi(value);
        if (k == "light-follows-camera") o.lightFollowsCamera = true;
        if (k == "part-centred") o.partCentred = true;
    }
    return o;
}

bool loadModel(const std::string& path) {
    resetModel();
    if (!loadFceFile(path, false)) return false;
    findAndLoadTexture();
    convertColorsAfterRead();
    return true;
}

uint64_t viewHash() {
    uint64_t hash = 1469598103934665603ull;
    for (int y = 0; y < frame.viewHeight; ++y)
        for (int x = 0; x < frame.viewWidth; ++x) {
            const uint32_t p = *pixelAt(x, y) & 0xFFFFFF;
            for (int k = 0; k < 3; ++k) hash = (hash ^ ((p >> (8 * k)) & 0xFF)) * 1099511628211ull;
        }
    return hash;
}

// Compares the view with a golden PNG; returns a description of the first difference.
std::string compareWithGolden(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return "cannot read " + path;
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) return "bad PNG " + path;
    if (int(image.width) != frame.viewWidth || int(image.height) != frame.viewHeight)
        return "size differs";
    int differing = 0;
    std::string first;
    for (int y = 0; y < frame.viewHeight; ++y)
        for (int x = 0; x < frame.viewWidth; ++x) {
            const uint8_t* g = &rgb[(size_t(y) * image.width + x) * 3];
            const uint32_t golden = uint32_t(g[0]) << 16 | uint32_t(g[1]) << 8 | g[2];
            const uint32_t now = *pixelAt(x, y) & 0xFFFFFF;
            if (golden != now && differing++ == 0)
                first = "first at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
        }
    return differing ? std::to_string(differing) + " pixels differ, " + first : "";
}

class Golden : public ::testing::Test {
  protected:
    void TearDown() override { resetModel(); }
    RecordingMessages messages;
};

} // namespace

TEST_F(Golden, SampleCarPicturesMatchTheirGoldenImages) {
    const GoldenCase cases[] = {
        {"solid", options({}), 0, 0},
        {"wireframe", options({{"mode", "wire"}}), 0, 0},
        {"textured", options({{"mode", "textures"}}), 0, 0},
        {"preset", options({{"mode", "textures"}, {"page", "colors"}, {"preset", "2"}}), 0, 0},
        {"normals", options({{"normals", ""}, {"distance", "4"}}), 0, 0},
        {"glass", options({{"mode", "textures"}, {"yaw", "1260"}, {"pitch", "1380"}, {"distance", "6"}}), 0, 0},
        {"solid_windows_wire", options({{"windows", "solid"}, {"wire", ""}}), 0, 0},
        {"axis1", options({{"camera", "1"}}), 0, 0},
        {"axis2", options({{"camera", "2"}}), 0, 0},
        {"axis3", options({{"camera", "3"}}), 0, 0},
        {"axis4", options({{"camera", "4"}}), 0, 0},
        {"axis5", options({{"camera", "5"}}), 0, 0},
        {"axis6", options({{"camera", "6"}}), 0, 0},
        {"dummies", options({{"page", "dummies"}}), 0, 0},
        {"parts", options({{"page", "parts"}, {"part", "5"}, {"wire", ""}}), 0, 0},
        {"surfaces", options({{"page", "surfaces"}, {"part", "0"}, {"wire", ""}}), 3, 1},
        {"light_symbol", options({{"light-symbol", ""}}), 0, 0},
    };
    const bool update = std::getenv("VORNIX_UPDATE_GOLDEN") != nullptr;
    for (const GoldenCase& c : cases) {
        ASSERT_TRUE(loadModel(sampleFce()));
        ASSERT_TRUE(model.textureLoaded);
        if (c.selectEvery > 0) {
            const int p = c.options.part;
            const int first = model.header.partFirstTriangle[p];
            for (int t = 0; t < model.header.partTriangleCount[p]; t += c.selectEvery)
                model.triangles[first + t].flags |= TRI_SELECTED;
            model.currentGroup[p] = uint16_t(c.currentGroup);
        }
        ASSERT_TRUE(renderLoadedModel(c.options)) << c.name;
        const std::string path = sourcePath(std::string("tests/golden/") + c.name + ".png");
        if (update) {
            ASSERT_TRUE(writeViewPng(path)) << c.name;
            continue;
        }
        EXPECT_EQ(compareWithGolden(path), "") << c.name;
    }
    EXPECT_TRUE(messages.errors.empty());
}

TEST_F(Golden, SnowmanPicturesKeepTheirHashes) {
    SKIP_WITHOUT_SNOWMAN();
    const struct {
        const char* name;
        RenderOptions options;
        uint64_t hash;
    } cases[] = {
        {"solid", options({{"mode", "solid"}}), 0xd08066b51b8bbff7ull},
        {"textured", options({{"mode", "textures"}}), 0xdce42eec8759cd68ull},
        {"wireframe", options({{"mode", "wire"}}), 0x4ca14102e61044d7ull},
        {"preset", options({{"mode", "textures"}, {"page", "colors"}, {"preset", "3"}}), 0xeff0f8f69462c797ull},
        {"axis", options({{"camera", "2"}, {"mode", "textures"}}), 0x5a60245ca02e19b7ull},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(loadModel(snowmanFce()));
        ASSERT_TRUE(model.textureLoaded);
        ASSERT_TRUE(renderLoadedModel(c.options)) << c.name;
        const uint64_t hash = viewHash();
        if (std::getenv("VORNIX_UPDATE_GOLDEN")) {
            std::printf("snowman %s: 0x%016llxull\n", c.name, (unsigned long long)hash);
            continue;
        }
        EXPECT_EQ(hash, c.hash) << c.name;
    }
}

// What vornix-cli writes, read back: every pixel of the view, in its colours
// and channel order, with options at the ends of their ranges.
TEST_F(Golden, TheCommandLineWritesTheViewPixelForPixel) {
    TempDir dir;
    const std::string png = dir.file("out.png");
    const struct {
        const char* arguments;
        RenderOptions options;
    } cases[] = {
        {"", options({})},
        {"--mode textures --yaw 0 --pitch 1439 --light-yaw 0 --light-pitch 1439",
         options({{"mode", "textures"}, {"yaw", "0"}, {"pitch", "1439"}, {"light-yaw", "0"},
                  {"light-pitch", "1439"}})},
        {"--camera 6 --page dummies --dummy 11 --light-follows-camera",
         options({{"camera", "6"}, {"page", "dummies"}, {"dummy", "11"},
                  {"light-follows-camera", ""}})},
        {"--page colors --preset 5 --mode textures --wire --normals --light-symbol",
         options({{"page", "colors"}, {"preset", "5"}, {"mode", "textures"}, {"wire", ""},
                  {"normals", ""}, {"light-symbol", ""}})},
        {"--page surfaces --part 8 --part-centred --windows solid --distance 0",
         options({{"page", "surfaces"}, {"part", "8"}, {"part-centred", ""},
                  {"windows", "solid"}, {"distance", "0"}})},
    };
    for (const auto& c : cases) {
        const CliRun run = runCli("render " + sampleFce() + " " + png + " --size 400x300 " +
                                  c.arguments);
        ASSERT_EQ(run.status, 0) << c.arguments << ": " << run.err;
        ASSERT_TRUE(loadModel(sampleFce()));
        ASSERT_TRUE(renderLoadedModel(c.options)) << c.arguments;
        EXPECT_EQ(compareWithGolden(png), "") << c.arguments;
        if (&c == cases) { // the defaults draw the golden solid picture
            EXPECT_EQ(compareWithGolden(sourcePath("tests/golden/solid.png")), "");
        }
    }
}
