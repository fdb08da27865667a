// Finding the texture that belongs to a model: the derived name, names that
// differ only in case, the dialog when nothing is found, and restoring.
#include "model/car_model.h"
#include "model/fce_file.h"
#include "texture/texture.h"
#include "texture/tga_builder.h"
#include "texture/tint.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace {

// A texture whose every texel carries `mark` in blue, to tell files apart.
std::vector<uint8_t> markedTga(uint8_t mark) {
    return makeTga(TgaLayout{}, [mark](int, int) { return Texel{mark, 0, 0, 255}; });
}

class TextureFind : public ::testing::Test {
  protected:
    void SetUp() override { resetModel(); }
    void TearDown() override { resetModel(); }
    void put(const std::string& name, uint8_t mark) { writeBytes(dir.file(name), markedTga(mark)); }
    uint8_t loadedMark() const { return workingTexel(0, 0).b; }

    TempDir dir;
    RecordingMessages messages;
};

TEST(TexturePath, ReplacesTheExtensionWithTheTextureSuffix) {
    EXPECT_EQ(texturePathFor("/cars/red/car.fce"), "/cars/red/car00.tga");
    EXPECT_EQ(texturePathFor("/cars/red/CAR.FCE"), "/cars/red/CAR00.tga");
    EXPECT_EQ(texturePathFor("truck.fce"), "truck00.tga");
    // Always the last four characters, whatever they are.
    EXPECT_EQ(texturePathFor("/cars/model"), "/cars/m00.tga");
    EXPECT_EQ(texturePathFor("abc"), "00.tga");
    EXPECT_EQ(texturePathFor(""), "00.tga");
}

TEST_F(TextureFind, LoadsTheTextureBesideTheModel) {
    put("car00.tga", 11);
    put("CAR00.TGA", 22); // an exact match wins over a case-insensitive one
    model.fcePath = dir.file("car.fce");
    EXPECT_TRUE(findAndLoadTexture());
    EXPECT_EQ(model.texturePath, dir.file("car00.tga"));
    EXPECT_EQ(loadedMark(), 11);
    EXPECT_TRUE(messages.errors.empty());
    EXPECT_TRUE(messages.fileDialogs.empty());
}

TEST_F(TextureFind, NamesDifferingOnlyInCaseAreFound) {
    struct Case {
        const char* model;
        std::vector<std::pair<const char*, uint8_t>> files;
        const char* expected;
    } cases[] = {
        {"CAR.FCE", {{"car00.tga", 1}}, "car00.tga"},
        {"CAR.FCE", {{"CAR00.TGA", 2}}, "CAR00.TGA"},
        {"car.fce", {{"CAR00.TGA", 3}}, "CAR00.TGA"},
        // Several: the spelling closest to the model's own wins.
        {"CAR.FCE", {{"car00.tga", 4}, {"CAR00.TGA", 5}, {"Car00.Tga", 6}}, "CAR00.TGA"},
        {"car.fce", {{"CAR00.TGA", 7}, {"Car00.Tga", 8}}, "Car00.Tga"},
        {"Car.Fce", {{"car00.tga", 9}, {"CAR00.TGA", 10}}, "car00.tga"},
        // Equally close: the smallest name byte by byte, never directory order.
        {"car.fce", {{"cAr00.tga", 11}, {"caR00.tga", 12}}, "cAr00.tga"},
    };
    for (const Case& c : cases) {
        TempDir folder;
        for (const auto& [name, mark] : c.files) writeBytes(folder.file(name), markedTga(mark));
        model.fcePath = folder.file(c.model);
        EXPECT_TRUE(findAndLoadTexture()) << c.model;
        EXPECT_EQ(model.texturePath, folder.file(c.expected)) << c.model;
        uint8_t expectedMark = 0;
        for (const auto& [name, mark] : c.files)
            if (std::strcmp(name, c.expected) == 0) expectedMark = mark;
        EXPECT_EQ(loadedMark(), expectedMark) << c.model;
    }
    EXPECT_TRUE(messages.errors.empty());
}

TEST_F(TextureFind, FoldersAndOtherNamesAreNotTaken) {
    std::filesystem::create_directory(dir.file("CAR00.TGA"));
    put("car01.tga", 1);
    put("car00.tga.bak", 2);
    model.fcePath = dir.file("car.fce");
    EXPECT_FALSE(findAndLoadTexture());
    EXPECT_EQ(messages.errors, std::vector<std::string>{"Texture file 'car00.tga' not found!"});
}

TEST_F(TextureFind, CancelledDialogLeavesTheModelWithoutTexture) {
    buildTestModel(2, 4);
    ASSERT_TRUE(saveFceFile(dir.file("car.fce")));
    ASSERT_TRUE(loadFceFile(dir.file("car.fce"), false));
    ASSERT_TRUE(model.modelLoaded);
    EXPECT_FALSE(findAndLoadTexture());
    EXPECT_EQ(messages.errors, std::vector<std::string>{"Texture file 'car00.tga' not found!"});
    EXPECT_EQ(messages.fileDialogs, std::vector<std::string>{"Open TGA texture file:"});
    EXPECT_TRUE(model.modelLoaded);
    EXPECT_FALSE(model.textureLoaded);
    EXPECT_EQ(model.textureImage, nullptr);
}

TEST_F(TextureFind, AFileChosenInTheDialogIsLoaded) {
    put("paint.tga", 33);
    messages.chosenFiles.push_back(dir.file("paint.tga"));
    model.fcePath = dir.file("car.fce");
    EXPECT_TRUE(findAndLoadTexture());
    EXPECT_EQ(model.texturePath, dir.file("paint.tga"));
    EXPECT_EQ(loadedMark(), 33);
    EXPECT_EQ(messages.fileDialogs.size(), 1u);
}

TEST_F(TextureFind, AChosenFileThatCannotBeOpenedGivesNoTexture) {
    // A texture from an earlier model must not survive either.
    put("old.tga", 44);
    messages.chosenFiles.push_back(dir.file("old.tga"));
    model.fcePath = dir.file("first.fce");
    ASSERT_TRUE(findAndLoadTexture());

    messages.chosenFiles.push_back(dir.file("gone.tga"));
    model.fcePath = dir.file("car.fce");
    EXPECT_FALSE(findAndLoadTexture());
    EXPECT_FALSE(model.textureLoaded);
    EXPECT_EQ(model.textureImage, nullptr);
    EXPECT_EQ(model.texturePath, dir.file("gone.tga"));
}

TEST_F(TextureFind, ABrokenTextureIsReportedAndNotKept) {
    TgaLayout wrong;
    wrong.width = 128;
    wrong.height = 128;
    writeBytes(dir.file("car00.tga"), makeTga(wrong, [](int, int) { return Texel{}; }));
    model.fcePath = dir.file("car.fce");
    EXPECT_FALSE(findAndLoadTexture());
    EXPECT_EQ(messages.errors, std::vector<std::string>{"Texture format error (3)!"});
    EXPECT_TRUE(messages.fileDialogs.empty());
}

TEST_F(TextureFind, RestoreBringsBackTheUntintedTexels) {
    restoreTexture(); // without a texture: nothing to do, nothing to touch
    EXPECT_EQ(model.textureImage, nullptr);

    writeBytes(dir.file("car00.tga"), makeTga(TgaLayout{}, [](int x, int y) {
                   return Texel{uint8_t(x), uint8_t(y), 200, uint8_t(x < 128 ? 220 : 255)};
               }));
    model.fcePath = dir.file("car.fce");
    ASSERT_TRUE(findAndLoadTexture());
    model.header.numColors = 1;
    model.colorLayers[0][0] = {60, 127, 127, 0};
    tintTexture(0);
    ASSERT_NE(std::memcmp(workingTexture(), pristineTexture(), TEXTURE_COPY_BYTES), 0);
    restoreTexture();
    EXPECT_EQ(std::memcmp(workingTexture(), pristineTexture(), TEXTURE_COPY_BYTES), 0);
    EXPECT_EQ(workingTexel(2, 4), (Texel{1, 253, 200, 220}));
}

} // namespace
