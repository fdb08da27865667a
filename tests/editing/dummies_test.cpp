// Dummy and preset tables: copies, deletes, limits, names from the code
// lists, and colour picks at the ends of their controls.
#include "editing/dummies.h"
#include "model/car_model.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

using Dummies = ModelTest;

TEST_F(Dummies, TablesKeepTheirLimitsAndAValidSelection) {
    buildTestModel(1, 1); // dummies HWYN123, :LICENSE; three presets
    model.selectedDummy = 1;
    ASSERT_TRUE(insertDummy(1)); // the copy comes first, and is the selected one
    EXPECT_EQ(std::make_tuple(model.header.numDummies, nameString(model.header.dummyNames[1]),
                              nameString(model.header.dummyNames[2])),
              std::make_tuple(3, std::string(":LICENSE"), std::string(":LICENSE")));
    while (model.header.numDummies < 16) insertDummy(0);
    EXPECT_FALSE(insertDummy(0));
    EXPECT_EQ(messages.messages.back(), "Maximal number of dummies is 16!");
    model.selectedDummy = 15;
    ASSERT_TRUE(deleteDummy(15)); // the last: the new last is selected
    EXPECT_EQ(model.selectedDummy, 14u);
    while (model.header.numDummies > 0) deleteDummy(0);
    EXPECT_FALSE(deleteDummy(0) || setLightNameChar(1, 'H'));
    EXPECT_EQ(std::make_pair(model.header.numDummies, model.selectedDummy), std::make_pair(0, 0u));
    ASSERT_TRUE(insertDummy(0)); // into an empty table: a fresh entry
    EXPECT_EQ(std::make_pair(model.header.dummyNames[0][0], model.header.dummyPos[0].x),
              std::make_pair('\0', 0.0f));

    model.selectedColor = 2;
    ASSERT_TRUE(insertColorPreset(2) && deleteColorPreset(0));
    EXPECT_EQ(std::make_pair(model.header.numColors, model.colorLayers[1][1].hue),
              std::make_pair(3, uint8_t(61))); // preset 2 (hue 61 on layer 1), copied, moved down
    while (model.header.numColors < 16) insertColorPreset(0);
    EXPECT_FALSE(insertColorPreset(0));
    EXPECT_EQ(messages.messages.back(), "Maximal number of color presets is 16!");
}

TEST_F(Dummies, NamesFromTheCodeListsAndColoursFromTheirControls) {
    buildTestModel(1, 1);
    model.selectedDummy = 1; // ":LICENSE": a code list writes one character, a mixture
    ASSERT_TRUE(setLightNameChar(2, 'R') && setLightNameChar(7, '4'));
    EXPECT_EQ(nameString(model.header.dummyNames[1]), ":RICEN4E");
    ASSERT_TRUE(composeLightName(1, 1, 2, 9, 0, 5) && setSpecialName(5));
    EXPECT_EQ(nameString(model.header.dummyNames[1]), ":SMOKE");
    ASSERT_TRUE(composeLightName(1, 1, 2, 9, 0, 5));
    EXPECT_EQ(nameString(model.header.dummyNames[1]), "TRYE905");
    model.selectedColor = 1, model.colorLayer = 3;
    const HsbColor before = model.colorLayers[3][1];
    // {x, y on the square, y on the bar, saturation, brightness, hue}
    const int picks[][6] = {{-5, -5, -5, 0, 127, 0},      {1, 1, 1, 0, 127, 0},
                            {2, 2, 2, 1, 126, 1},         {128, 128, 180, 127, 0, 179},
                            {129, 129, 181, 127, 0, 179}, {300, 300, 900, 127, 0, 179}};
    for (const auto& p : picks) {
        ASSERT_TRUE(pickSaturationBrightness(p[0], p[1]) && pickHue(p[2]));
        const HsbColor& c = model.colorLayers[3][1];
        EXPECT_EQ(std::make_tuple(int(c.saturation), int(c.brightness), int(c.hue), c.extra),
                  std::make_tuple(p[3], p[4], p[5], before.extra))
            << p[0];
    }
    model.header.numColors = 0;
    EXPECT_FALSE(pickHue(5) || pickSaturationBrightness(5, 5));
}
