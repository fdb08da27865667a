// The pictures of the icon strip, one character per pixel; iconGrey turns a
// character into its grey level.
#pragma once

#include <cstdint>

constexpr int ICON_SIZE = 24;
constexpr int EYE_SIZE = 16;

extern const char* const fourWayArrows[ICON_SIZE];
extern const char* const circularArrows[ICON_SIZE];
extern const char* const doubleArrowLeft[ICON_SIZE]; // the right-pointing one is its mirror
extern const char* const openEye[EYE_SIZE];
extern const char* const closedEye[EYE_SIZE];

uint8_t iconGrey(char c);
