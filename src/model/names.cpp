// Dummy and part name tables and their decoding, and the code page of names.
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

namespace {
// Unicode of the bytes 0x80..0x9F; the rest of the code page is Latin-1.
const char16_t highCodes[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t unicodeOf(uint8_t byte) {
    return byte >= 0x80 && byte < 0xA0 ? highCodes[byte - 0x80] : byte;
}
} // namespace

std::string windows1252ToUtf8(std::string_view bytes) {
    std::string text;
    for (char c : bytes) {
        const char32_t u = unicodeOf(uint8_t(c));
        if (u < 0x80) {
            text.push_back(char(u));
        } else if (u < 0x800) {
            text.push_back(char(0xC0 | (u >> 6)));
            text.push_back(char(0x80 | (u & 0x3F)));
        } else {
            text.push_back(char(0xE0 | (u >> 12)));
            text.push_back(char(0x80 | ((u >> 6) & 0x3F)));
            text.push_back(char(0x80 | (u & 0x3F)));
        }
    }
    return text;
}

// One UTF-8 character at text[at]: its length, or 0 when the bytes are no UTF-8.
static size_t decodeUtf8(std::string_view text, size_t at, char32_t& u) {
    const auto lead = uint8_t(text[at]);
    size_t length = 1;
    if (lead < 0x80) {
        u = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, u = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, u = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, u = lead & 0x07;
    } else {
        return 0;
    }
    if (at + length > text.size()) return 0;
    for (size_t k = 1; k < length; ++k) {
        const auto next = uint8_t(text[at + k]);
        if ((next & 0xC0) != 0x80) return 0;
        u = (u << 6) | (next & 0x3F);
    }
    return length;
}

std::string utf8ToWindows1252(std::string_view text) {
    std::string bytes;
    for (size_t at = 0; at < text.size();) {
        char32_t u = 0;
        const size_t length = decodeUtf8(text, at, u);
        char byte = '?';
        for (int b = 0; length > 0 && b < 256; ++b)
            if (unicodeOf(uint8_t(b)) == u) byte = char(b);
        bytes.push_back(byte);
        at += length > 0 ? length : 1;
    }
    return bytes;
}
