// Loading the model's texture: decoding TGA files (orientation, enlargement,
// the header checks and their limits, skipped fields, files that cannot be
// loaded) and finding the file that belongs to the model.
#include "model/alloc.h"
#include "model/car_model.h"
#include "texture/tga_builder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

// Every texel of a 512 image distinct.
static Texel codeOf(int i, int j) {
    return {uint8_t(i), uint8_t(j), uint8_t((i >> 8) | ((j >> 8) << 1)), 255};
}

class TextureLoad : public ::testing::Test {
  protected:
    void TearDown() override { resetModel(); }
    // Loads the file; a refused one leaves no texture, and never an open file.
    bool load(const std::vector<uint8_t>& bytes) {
        messages.errors.clear();
        const bool loaded = loadTgaBytes(dir, bytes);
        EXPECT_TRUE(!fileIsOpen() && model.textureLoaded == loaded &&
                    (model.textureImage != nullptr) == loaded);
        return loaded;
    }
    // A texture of layer 3 whose texels carry `mark` in blue.
    static void put(const TempDir& folder, const std::string& name, int mark) {
        auto marked = [=](int, int) { return Texel{uint8_t(mark), 0, 0, 16}; };
        writeBytes(folder.file(name), makeTga(256, 256, 0x28, marked));
    }
    // The name and mark of the texture loaded for model `fce` in `folder`.
    static std::pair<std::string, int> find(const TempDir& folder, const std::string& fce) {
        model.fcePath = folder.file(fce);
        if (!findAndLoadTexture()) return {"", 0};
        return {std::filesystem::path(model.texturePath).filename(), workingTexture()[0]};
    }
    TempDir dir;
    RecordingMessages messages;
};

TEST_F(TextureLoad, OrientationFollowsTheDescriptorBits) {
    // Descriptor bits; stored bottom row first; stored right to left.
    for (auto [bits, flip, mirror] :
         {std::array{0x08, 1, 0}, {0x28, 0, 0}, {0x18, 1, 1}, {0x38, 0, 1}}) {
        ASSERT_TRUE(load(makeTga(512, 512, bits, codeOf))) << bits;
        for (int y : {0, 1, 510, 511})
            for (int x : {0, 1, 300, 511})
                ASSERT_EQ(texelAt(workingTexture(), x, y),
                          codeOf(mirror ? 511 - x : x, flip ? 511 - y : y))
                    << bits << " at " << x << "," << y;
    }
}

TEST_F(TextureLoad, A256TextureIsEnlargedWithPerByteAverages) {
    auto source = [](int x, int y) {
        return Texel{uint8_t(x), uint8_t(y), uint8_t(x + y), uint8_t(x * 3)};
    };
    ASSERT_TRUE(load(makeTga(256, 256, 0x28, source)));
    // Even texels of even rows are the source's, the others average their two
    // neighbours with the fraction dropped; the last column and row repeat.
    EXPECT_EQ(texelAt(workingTexture(), 4, 6), (Texel{2, 3, 5, 6}));
    EXPECT_EQ(texelAt(workingTexture(), 5, 6), (Texel{2, 3, 5, 7}));
    EXPECT_EQ(texelAt(workingTexture(), 5, 7), (Texel{2, 3, 5, 7}));
    EXPECT_EQ(texelAt(workingTexture(), 511, 6), (Texel{255, 3, 2, 253}));
    EXPECT_EQ(texelAt(workingTexture(), 6, 511), (Texel{3, 255, 2, 9}));
    EXPECT_EQ(texelAt(workingTexture(), 511, 511), (Texel{255, 255, 254, 253}));
}

TEST_F(TextureLoad, HeaderChecksAndTheirLimits) {
    // Width, height, image type, bits per texel, the error (0: loaded).
    const std::tuple<int, int, int, int, int> cases[] = {
        {256, 256, 2, 32, 0}, {512, 512, 2, 32, 0}, {255, 255, 2, 32, 3},  {257, 257, 2, 32, 3},
        {511, 511, 2, 32, 3}, {513, 513, 2, 32, 3}, {0, 0, 2, 32, 3},      {512, 256, 2, 32, 2},
        {256, 257, 2, 32, 2}, {256, 256, 2, 24, 1}, {256, 256, 2, 31, 1},  {256, 256, 2, 33, 1},
        {256, 256, 1, 32, 1}, {256, 256, 3, 32, 1}, {256, 256, 10, 32, 1}, // mapped, grey, packed
        {257, 256, 2, 16, 1}};                                             // the depth comes first
    for (auto [width, height, type, depth, error] : cases) {
        auto bytes = makeTga(width, height, 0x28, codeOf);
        bytes[2] = uint8_t(type), bytes[16] = uint8_t(depth);
        EXPECT_EQ(load(bytes), error == 0) << width << "x" << height << " " << type << " " << depth;
        const auto message =
            format("Texture format error (%d)!\n", error) + dir.file("texture.tga");
        EXPECT_EQ(messages.errors, error ? std::vector{message} : std::vector<std::string>{});
    }
}

TEST_F(TextureLoad, ImageIdAndColourMapAreSkippedButMustBeThere) {
    const auto plain = makeTga(256, 256, 0x28, codeOf);
    ASSERT_TRUE(load(plain));
    const std::vector<uint8_t> expected(workingTexture(), workingTexture() + TEXTURE_COPY_BYTES);
    // ID length, map entries, bits per entry, map bytes (15 bits take two).
    for (auto [id, entries, bits, mapBytes] :
         {std::array{7, 0, 0, 0}, {0, 3, 24, 9}, {255, 256, 32, 1024}, {2, 5, 15, 10}}) {
        auto bytes = plain;
        bytes[0] = uint8_t(id), bytes[1] = entries > 0, bytes[7] = uint8_t(bits);
        bytes[5] = uint8_t(entries), bytes[6] = uint8_t(entries >> 8);
        bytes.insert(bytes.begin() + 18, size_t(id + mapBytes), 0xEE);
        ASSERT_TRUE(load(bytes)) << id << " " << entries;
        EXPECT_EQ(std::memcmp(workingTexture(), expected.data(), TEXTURE_COPY_BYTES), 0) << id;
    }
    auto bytes = plain; // a colour map of 65535 4-byte entries reaches past the end
    bytes[1] = 1, bytes[5] = bytes[6] = 0xFF, bytes[7] = 32;
    EXPECT_FALSE(load(bytes));
}

TEST_F(TextureLoad, ShortFilesAndFailedAllocationsLoadNothing) {
    const auto whole = makeTga(256, 256, 0x28, codeOf);
    // Short pixel data is silent; a file without a whole header is no TGA.
    for (size_t length : {whole.size() - 1, size_t(18 + 1024), size_t(18), size_t(17), size_t(0)}) {
        EXPECT_FALSE(load(std::vector(whole.begin(), whole.begin() + long(length)))) << length;
        EXPECT_EQ(messages.errors.size(), length < 18 ? 1u : 0u) << length;
    }
    for (int successes : {0, 1}) { // the pixel buffer, then the texture block
        failAllocationsAfter(successes);
        EXPECT_FALSE(load(whole));
        failAllocationsAfter(-1);
        EXPECT_EQ(messages.errors, std::vector<std::string>{"Out of memory!"});
    }
}

TEST_F(TextureLoad, TheDerivedNameWinsThenTheClosestSpellingIgnoringCase) {
    EXPECT_EQ(texturePathFor("/cars/CAR.FCE"), "/cars/CAR00.tga"); // the last four characters
    EXPECT_EQ(texturePathFor("abc"), "00.tga");
    // The model, the files beside it, which of them is taken (0: none).
    const std::tuple<const char*, std::vector<std::string>, int> cases[] = {
        {"car.fce", {"CAR00.TGA", "car00.tga"}, 2},
        {"CAR.FCE", {"car00.tga"}, 1},
        {"car.fce", {"CAR00.TGA"}, 1},
        {"CAR.FCE", {"car00.tga", "CAR00.TGA", "Car00.Tga"}, 2},
        {"car.fce", {"CAR00.TGA", "Car00.Tga"}, 2},
        {"Car.Fce", {"car00.tga", "CAR00.TGA"}, 1},
        {"car.fce", {"caR00.tga", "cAr00.tga"}, 2}, // a tie: the smaller name
        {"car.fce", {"car01.tga", "car00.tga.bak", "car0.tga"}, 0}};
    for (const auto& [fce, files, taken] : cases) {
        TempDir folder;
        std::filesystem::create_directory(folder.file("CaR00.tGa")); // a folder is no file
        for (size_t i = 0; i < files.size(); ++i) put(folder, files[i], int(i + 1));
        EXPECT_EQ(find(folder, fce), std::pair(taken ? files[size_t(taken - 1)] : "", taken))
            << fce;
    }
}

TEST_F(TextureLoad, WhenNothingFitsTheUserIsAsked) {
    put(dir, "paint.tga", 33);
    messages.chosenFiles = {dir.file("paint.tga"), dir.file("gone.tga"), ""};
    EXPECT_EQ(find(dir, "car.fce"), std::pair(std::string("paint.tga"), 33));
    EXPECT_EQ(find(dir, "car.fce").second, 0); // the earlier texture goes too
    EXPECT_EQ(model.textureImage, nullptr);
    EXPECT_EQ(find(dir, "car.fce").second, 0); // cancelled
    const std::string notFound = "Texture file 'car00.tga' not found!";
    EXPECT_EQ(messages.errors,
              (std::vector<std::string>{
                  notFound, notFound, "Error:2\nNo such file or directory: " + dir.file("gone.tga"),
                  notFound}));
    writeBytes(dir.file("car00.tga"), makeTga(128, 128, 0x28, [](int, int) { return Texel{}; }));
    EXPECT_EQ(find(dir, "car.fce").second, 0); // found but broken: no dialog
    EXPECT_EQ(messages.fileDialogs, std::vector<std::string>(3, "Open TGA texture file:"));
}
