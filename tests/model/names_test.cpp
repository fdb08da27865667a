// Dummy names, special names, part-name defaults and the code page of names.
#include "model/car_model.h"
#include "model/names.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(DummyNames, LightNamesDecodeEveryField) {
    const struct {
        const char* name;
        const char *kind, *color, *flash;
        int settings[3];
    } cases[] = {
        {"HWYN123", "Head", "White", "No", {1, 2, 3}},
        {"SBYE900", "Siren", "Blue", "Moment 2", {9, 0, 0}},
        {"POYO7", "Direction", "Orange", "Moment 1", {7, 0, 0}}, // the name ends early
        {"HWYNx9", "Head", "White", "No", {0, 9, 0}},            // a letter reads as 0
        {"XGYZ123", "-", "-", "-", {1, 2, 3}},                   // codes of no table
        {"Q", "-", "-", "-", {0, 0, 0}},
    };
    auto text = [](const NameCode* table, int i) { return i < 0 ? "-" : table[i].text; };
    for (const auto& c : cases) {
        const LightDummyCode code = decodeLightDummyName(c.name);
        EXPECT_STREQ(text(lightKinds, code.kind), c.kind) << c.name;
        EXPECT_STREQ(text(lightColors, code.color), c.color) << c.name;
        EXPECT_STREQ(text(flashModes, code.flash), c.flash) << c.name;
        for (int k = 0; k < 3; ++k) EXPECT_EQ(code.settings[k], c.settings[k]) << c.name << k;
    }
}

TEST(DummyNames, SpecialNamesMatchByPrefixLongestFirst) {
    const struct {
        const char* name;
        bool light;
        int special;
    } cases[] = {{"HWYN123", true, 0},   {":LICENSE_EURO", false, 1},
                 {":LICENSE", false, 2}, {":LICENSE2", false, 2},
                 {":LICMED", false, 3},  {":LICLOW_X", false, 4},
                 {":SMOKE", false, 5},   {":FOO", false, 0},
                 {":LIC", false, 0},     {" no name", false, 0},
                 {"", false, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(isLightDummyName(c.name), c.light) << c.name;
        EXPECT_EQ(specialDummyIndex(c.name), c.special) << c.name;
    }
}

TEST(PartNames, DefaultFlagsFollowTheNamingConventions) {
    const struct {
        const char* name;
        uint32_t flags;
    } cases[] = {{":OD", PART_VISIBLE | PART_DRIVER},
                 {":LB", 0},
                 {":TB", 0},
                 {":MB", 0}, // hidden by its second character
                 {"xMirror", 0},
                 {":HB", PART_VISIBLE},
                 {":ODX", PART_VISIBLE}, // the fixed names compare whole
                 {"", PART_VISIBLE},
                 {"M", PART_VISIBLE}};
    for (const auto& c : cases) EXPECT_EQ(defaultPartFlags(c.name), c.flags) << c.name;
}

TEST(NameText, EveryByteShowsAsItsCharacterAndComesBack) {
    // e-acute, euro, degree, and 0x81, which the code page leaves undefined.
    EXPECT_EQ(windows1252ToUtf8("A\xE9\x80\xB0\x81"), "A\xC3\xA9\xE2\x82\xAC\xC2\xB0\xC2\x81");
    for (int b = 1; b < 256; ++b) {
        const std::string byte(1, char(b));
        EXPECT_EQ(utf8ToWindows1252(windows1252ToUtf8(byte)), byte) << b;
    }
    EXPECT_EQ(utf8ToWindows1252("\xE2\x80\x93 \xC3\xA9"), "\x96 \xE9"); // en dash, e-acute
    EXPECT_EQ(utf8ToWindows1252("\xCE\xA9x\xC3"), "?x?"); // omega has no byte; a cut sequence
    EXPECT_EQ(utf8ToWindows1252("\xF0\x9F\x98\x80!"), "?!");

    // A full field keeps its 64 bytes, but its text ends at the 63rd.
    char field[NAME_SIZE];
    std::memset(field, '\xE9', sizeof field);
    EXPECT_EQ(nameString(field), std::string(63, '\xE9'));
    EXPECT_EQ(nameText(field).size(), 126u);
    field[3] = '\0';
    EXPECT_EQ(nameText(field), "\xC3\xA9\xC3\xA9\xC3\xA9");
}
