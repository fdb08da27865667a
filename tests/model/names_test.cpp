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

TEST(DummyNames, SpecialNamesMatchByPrefixLongestFirstAndPartNamesGiveFlags) {
    // -1: a light's name; else the special name's index.
    const std::pair<const char*, int> dummies[] = {
        {"HWYN123", -1}, {":LICENSE_EURO", 1}, {":LICENSE", 2}, {":LICENSE2", 2}, {":LICMED", 3},
        {":LICLOW_X", 4}, {":SMOKE", 5},       {":FOO", 0},     {":LIC", 0},      {" no name", 0},
        {"", 0}};
    for (const auto& [name, special] : dummies) {
        EXPECT_EQ(isLightDummyName(name), special < 0) << name;
        EXPECT_EQ(specialDummyIndex(name), std::max(special, 0)) << name;
    }
    // ":MB" is hidden by its second character; the fixed names compare whole.
    const std::pair<const char*, uint32_t> parts[] = {
        {":OD", PART_VISIBLE | PART_DRIVER}, {":LB", 0}, {":TB", 0}, {":MB", 0}, {"xMirror", 0},
        {":HB", PART_VISIBLE}, {":ODX", PART_VISIBLE}, {"", PART_VISIBLE}, {"M", PART_VISIBLE}};
    for (const auto& [name, flags] : parts) EXPECT_EQ(defaultPartFlags(name), flags) << name;
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
