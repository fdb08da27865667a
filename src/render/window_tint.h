// The blue tint of window glass: entry k is the colour that a channel of
// (lit) brightness k behind the glass turns into, 0x00RRGGBB.
#pragma once

#include <cstdint>

extern const uint32_t windowTint[256];
