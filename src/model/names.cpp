// Dummy and part name tables and their decoding.
#include "model/names.h"

#include "model/fce_types.h"

#include <cstring>

const NameCode lightKinds[6] = {{'H', "Head"},  {'T', "Tail"},      {'B', "Brake"},
                                {'R', "Reverse"}, {'P', "Direction"}, {'S', "Siren"}};
const NameCode lightColors[4] = {{'W', "White"}, {'R', "Red"}, {'B', "Blue"}, {'O', "Orange"}};
const NameCode flashModes[3] = {{'N', "No"}, {'O', "Moment 1"}, {'E', "Moment 2"}};
const char* const specialDummyNames[6] = {" no name", ":LICENSE_EURO", ":LICENSE",
                                          ":LICMED",  ":LICLOW",       ":SMOKE"};

bool isLightDummyName(const char* name) {
    return name[0] != ':' && name[0] != ' ' && name[0] != '\0';
}

int findNameCode(const NameCode* table, int count, char code) {
    for (int i = 0; i < count; ++i)
        if (table[i].code == code) return i;
    return -1;
}

namespace {
// Settings are single digits; anything else reads as 0. The name may be shorter
// than seven characters, so stop at its end.
int settingAt(const char* name, int position) {
    for (int i = 0; i < position; ++i)
        if (name[i] == '\0') return 0;
    char c = name[position];
    return c >= '0' && c <= '9' ? c - '0' : 0;
}

char charAt(const char* name, int position) {
    for (int i = 0; i < position; ++i)
        if (name[i] == '\0') return '\0';
    return name[position];
}
} // namespace

LightDummyCode decodeLightDummyName(const char* name) {
    LightDummyCode code;
    code.kind = findNameCode(lightKinds, 6, charAt(name, 0));
    code.color = findNameCode(lightColors, 4, charAt(name, 1));
    code.flash = findNameCode(flashModes, 3, charAt(name, 3));
    for (int i = 0; i < 3; ++i) code.settings[i] = settingAt(name, 4 + i);
    return code;
}

int specialDummyIndex(const char* name) {
    for (int i = 1; i < SPECIAL_DUMMY_COUNT; ++i) {
        const char* entry = specialDummyNames[i];
        if (std::strncmp(name, entry, std::strlen(entry)) == 0) return i;
    }
    return 0;
}

uint32_t defaultPartFlags(const char* name) {
    uint32_t flags = PART_VISIBLE;
    if (name[0] != '\0' && name[1] == 'M') flags = 0;
    if (std::strcmp(name, ":LB") == 0) flags = 0;
    if (std::strcmp(name, ":TB") == 0) flags = 0;
    if (std::strcmp(name, ":OD") == 0) flags |= PART_DRIVER;
    return flags;
}
