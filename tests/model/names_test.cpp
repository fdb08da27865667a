// Dummy names, special names and part-name defaults.
#include "model/fce_types.h"
#include "model/names.h"

#include <gtest/gtest.h>

TEST(DummyNames, LightNameDecodesEveryField) {
    LightDummyCode code = decodeLightDummyName("HWYN123");
    EXPECT_STREQ(lightKinds[code.kind].text, "Head");
    EXPECT_STREQ(lightColors[code.color].text, "White");
    EXPECT_STREQ(flashModes[code.flash].text, "No");
    EXPECT_EQ(code.settings[0], 1);
    EXPECT_EQ(code.settings[1], 2);
    EXPECT_EQ(code.settings[2], 3);

    code = decodeLightDummyName("SBYE900");
    EXPECT_STREQ(lightKinds[code.kind].text, "Siren");
    EXPECT_STREQ(lightColors[code.color].text, "Blue");
    EXPECT_STREQ(flashModes[code.flash].text, "Moment 2");
}

TEST(DummyNames, NonDigitsAndShortNamesReadAsZero) {
    LightDummyCode code = decodeLightDummyName("HWYNx9");
    EXPECT_EQ(code.settings[0], 0);
    EXPECT_EQ(code.settings[1], 9);
    EXPECT_EQ(code.settings[2], 0); // the name ends before the third setting

    code = decodeLightDummyName("Q");
    EXPECT_EQ(code.kind, -1);
    EXPECT_EQ(code.color, -1);
    EXPECT_EQ(code.flash, -1);
    EXPECT_EQ(code.settings[0], 0);
}

TEST(DummyNames, CodesMissingFromTheirTableSelectNothing) {
    LightDummyCode code = decodeLightDummyName("XGYZ123");
    EXPECT_EQ(code.kind, -1);
    EXPECT_EQ(code.color, -1);
    EXPECT_EQ(code.flash, -1);
}

TEST(DummyNames, LightOrSpecial) {
    EXPECT_TRUE(isLightDummyName("HWYN123"));
    EXPECT_FALSE(isLightDummyName(":LICENSE"));
    EXPECT_FALSE(isLightDummyName(" no name"));
    EXPECT_FALSE(isLightDummyName(""));
}

TEST(DummyNames, SpecialNamesMatchByPrefixLongestFirst) {
    EXPECT_EQ(specialDummyIndex(":LICENSE_EURO"), 1);
    EXPECT_EQ(specialDummyIndex(":LICENSE"), 2);
    EXPECT_EQ(specialDummyIndex(":LICENSE2"), 2);
    EXPECT_EQ(specialDummyIndex(":LICMED"), 3);
    EXPECT_EQ(specialDummyIndex(":LICLOW_X"), 4);
    EXPECT_EQ(specialDummyIndex(":SMOKE"), 5);
    EXPECT_EQ(specialDummyIndex(":FOO"), 0);
    EXPECT_EQ(specialDummyIndex(":LIC"), 0);
    EXPECT_EQ(specialDummyIndex(""), 0);
}

TEST(PartNames, DefaultFlagsFollowTheNamingConventions) {
    EXPECT_EQ(defaultPartFlags(":OD"), PART_VISIBLE | PART_DRIVER);
    EXPECT_EQ(defaultPartFlags(":LB"), 0u);
    EXPECT_EQ(defaultPartFlags(":TB"), 0u);
    EXPECT_EQ(defaultPartFlags(":MB"), 0u); // hidden by its second character
    EXPECT_EQ(defaultPartFlags("xMirror"), 0u);
    EXPECT_EQ(defaultPartFlags(":HB"), PART_VISIBLE);
    EXPECT_EQ(defaultPartFlags(":ODX"), PART_VISIBLE); // the fixed names compare whole
    EXPECT_EQ(defaultPartFlags(""), PART_VISIBLE);
    EXPECT_EQ(defaultPartFlags("M"), PART_VISIBLE);
}
