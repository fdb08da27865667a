// Dummy and part names: the code tables of light dummies, the special dummy
// names, and the part-name conventions that give a part its default flags.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct NameCode {
    char code;
    const char* text; // what the Dummies page shows
};

extern const NameCode lightKinds[6];
extern const NameCode lightColors[4];
extern const NameCode flashModes[3];
extern const char* const specialDummyNames[6]; // index 0: " no name"
constexpr int SPECIAL_DUMMY_COUNT = 6;

// The fields of a light dummy's name. A code missing from its table gives -1.
struct LightDummyCode {
    int kind;
    int color;
    int flash;
    int settings[3];
};

// True when the name's first character is neither ':' nor ' ' nor NUL.
bool isLightDummyName(const char* name);
LightDummyCode decodeLightDummyName(const char* name);
// 1..5 for the first special name that is a prefix of `name`, else 0.
int specialDummyIndex(const char* name);
// Index of `code` in a table of `count` entries, or -1.
int findNameCode(const NameCode* table, int count, char code);

// Flags a part of a file without the program's extra data starts with.
uint32_t defaultPartFlags(const char* name);

// Names are Windows-1252 bytes. Text that leaves the program (JSON, the
// editor's lists and fields) is UTF-8, every byte shown as its character;
// bytes the code page leaves undefined stand for the control characters of
// the same number. Text coming back is turned into bytes again, a character
// the code page lacks (or a byte that is no UTF-8) becoming '?'.
std::string windows1252ToUtf8(std::string_view bytes);
std::string utf8ToWindows1252(std::string_view text);
