// Golden pictures of the 3D view, drawn by vornix-cli render. The renderer is
// deterministic, so every picture of the sample car must match its PNG under
// tests/golden/ pixel for pixel; reading the command's PNG back checks its
// colours and channel order and the options, some at the ends of their
// ranges. The third-party car never enters the repository, pictures
// included: for it the test compares hashes of the pictures.
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

const bool updating = std::getenv("VORNIX_UPDATE_GOLDEN") != nullptr;

// A PNG's pixels as 0x00RRGGBB, row by row; empty when it cannot be read.
std::vector<uint32_t> readPng(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) return {};
    std::vector<uint32_t> pixels(rgb.size() / 3);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = uint32_t(rgb[3 * i]) << 16 | uint32_t(rgb[3 * i + 1]) << 8 | rgb[3 * i + 2];
    return pixels;
}

std::string difference(const std::vector<uint32_t>& now, const std::string& golden) {
    const std::vector<uint32_t> expected = readPng(golden);
    if (expected.size() != now.size()) return "size differs from " + golden;
    int differing = 0;
    size_t first = 0;
    for (size_t i = 0; i < now.size(); ++i)
        if (now[i] != expected[i] && differing++ == 0) first = i;
    return differing ? std::to_string(differing) + " pixels differ, first " + std::to_string(first)
                     : "";
}

// Draws `car` with vornix-cli in a 400 x 300 view and reads the picture back.
std::vector<uint32_t> drawn(const std::string& car, const std::string& arguments,
                            const std::string& png) {
    const CliRun run = runCli("render " + car + " " + png + " --size 400x300 " + arguments);
    EXPECT_EQ(run.status, 0) << arguments << ": " << run.err;
    return readPng(png);
}

} // namespace

using Golden = ModelTest;

TEST_F(Golden, SampleCarPicturesMatchTheirGoldenImages) {
    std::vector<std::pair<std::string, std::string>> cases = {
        {"solid", ""},
        {"wireframe", "--mode wire"},
        {"textured", "--mode textures"},
        {"preset", "--mode textures --page colors --preset 2"},
        {"normals", "--normals --distance 4"},
        {"glass", "--mode textures --yaw 1260 --pitch 1380 --distance 6"},
        {"solid_windows_wire", "--windows solid --wire"},
        {"dummies", "--page dummies"},
        {"parts", "--page parts --part 5 --wire"},
        {"light_symbol", "--light-symbol"},
        {"ends_of_angles", "--mode textures --yaw 0 --pitch 1439 --light-yaw 0 --light-pitch 1439"},
        {"last_dummy", "--camera 6 --page dummies --dummy 11 --light-follows-camera"},
        {"last_preset", "--page colors --preset 5 --mode textures --wire --normals --light-symbol"},
        {"last_part", "--page surfaces --part 8 --part-centred --windows solid --wire"}};
    for (const std::string camera : {"1", "2", "3", "4", "5", "6"}) // the axis views
        cases.emplace_back("axis" + camera, "--camera " + camera);
    for (const auto& [name, arguments] : cases) {
        const std::string golden = sourcePath("tests/golden/") + name + ".png";
        const std::vector<uint32_t> pixels = drawn(sampleFce(), arguments, dir.file("out.png"));
        if (updating)
            std::filesystem::copy_file(dir.file("out.png"), golden,
                                       std::filesystem::copy_options::overwrite_existing);
        else
            EXPECT_EQ(difference(pixels, golden), "") << name;
    }
}

// The Surfaces page colours the selected triangles and the current group,
// which no option of the command sets.
TEST_F(Golden, SurfacesPageShowsTheSelectionAndTheCurrentGroup) {
    ASSERT_TRUE(loadFceFile(sampleFce(), false));
    ASSERT_TRUE(findAndLoadTexture());
    for (int t = 0; t < model.header.partTriangleCount[0]; t += 3)
        model.triangles[t].flags |= TRI_SELECTED;
    model.currentGroup[0] = 1;
    RenderOptions o;
    o.width = 400, o.height = 300, o.page = "surfaces", o.part = 0, o.wire = true;
    ASSERT_TRUE(renderLoadedModel(o));
    const std::string golden = sourcePath("tests/golden/surfaces.png");
    std::vector<uint32_t> pixels;
    for (int y = 0; y < frame.viewHeight; ++y)
        for (int x = 0; x < frame.viewWidth; ++x) pixels.push_back(*pixelAt(x, y) & 0xFFFFFF);
    if (updating)
        ASSERT_TRUE(writeViewPng(golden));
    else
        EXPECT_EQ(difference(pixels, golden), "");
}

TEST_F(Golden, SnowmanPicturesKeepTheirHashes) {
    SKIP_WITHOUT_SNOWMAN();
    const std::tuple<const char*, const char*, uint64_t> cases[] = {
        {"solid", "--mode solid", 0xd08066b51b8bbff7ull},
        {"textured", "--mode textures", 0xdce42eec8759cd68ull},
        {"wireframe", "--mode wire", 0x4ca14102e61044d7ull},
        {"preset", "--mode textures --page colors --preset 3", 0xeff0f8f69462c797ull},
        {"axis", "--camera 2 --mode textures", 0x5a60245ca02e19b7ull}};
    for (const auto& [name, arguments, expected] : cases) {
        uint64_t hash = 1469598103934665603ull; // FNV-1a over blue, green, red of each pixel
        for (uint32_t p : drawn(snowmanFce(), arguments, dir.file("out.png")))
            for (int k = 0; k < 3; ++k) hash = (hash ^ ((p >> (8 * k)) & 0xFF)) * 1099511628211ull;
        if (updating)
            std::printf("snowman %s: 0x%016llxull\n", name, (unsigned long long)hash);
        else
            EXPECT_EQ(hash, expected) << name;
    }
}

// Thumbnails are squares of 16 to 1024 pixels with the car filling the room
// inside a margin of a sixteenth, textured when its texture lies beside it.
// A file that is no car, or a picture that cannot be written, leaves no file.
TEST_F(Golden, ThumbnailsAreSquaresOfTheCarOrNothing) {
    const std::string bare = dir.file("bare.fce"), broken = dir.file("broken.fce");
    writeBytes(bare, readBytes(sampleFce())), writeBytes(broken, std::vector<uint8_t>(100, 0));
    std::vector<uint32_t> picture, untextured;
    using Run = std::tuple<int, long, size_t>; // status, lines on standard error, pixels
    auto thumbnail = [&](const std::string& car, int size, const std::string& png = "t.png") {
        const CliRun run =
            runCli("thumbnail " + car + " " + dir.file(png) + " --size " + std::to_string(size));
        picture = readPng(dir.file(png));
        return Run{run.status, std::count(run.err.begin(), run.err.end(), '\n'), picture.size()};
    };
    for (const auto& [car, size, expected] : {std::tuple(sampleFce(), 15, Run{2, 2, 0}),
                                              {sampleFce(), 1025, Run{2, 2, 0}},
                                              {broken, 256, Run{1, 1, 0}},
                                              {sampleFce(), 16, Run{0, 0, 16 * 16}},
                                              {sampleFce(), 1024, Run{0, 0, 1024 * 1024}},
                                              {bare, 256, Run{0, 1, 256 * 256}}})
        EXPECT_EQ(thumbnail(car, size), expected) << car << " " << size;
    untextured = picture;
    EXPECT_EQ(thumbnail(sampleFce(), 256, "missing/t.png"), (Run{1, 1, 0}));
    EXPECT_EQ(dir.entries(), 3); // the cars and the last picture, no temporary file
    thumbnail(sampleFce(), 256);
    int lit = 0, changed = 0, left = 256, right = 0;
    for (int i = 0; i < 256 * 256; ++i) {
        lit += picture[i] != 0, changed += picture[i] != untextured[i];
        if (picture[i] != 0) left = std::min(left, i % 256), right = std::max(right, i % 256);
    }
    EXPECT_EQ(std::make_tuple(left, right, lit > 256 * 256 / 4, changed > lit / 2),
              std::make_tuple(16, 239, true, true));
}
