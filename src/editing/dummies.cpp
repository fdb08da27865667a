// Dummy and colour-preset tables.
#include "editing/dummies.h"

#include "model/car_model.h"
#include "model/messages.h"
#include "model/names.h"

#include <algorithm>
#include <cstring>

namespace {

// One entry of either table, moved as a whole.
struct DummyEntry {
    Vec3 position;
    char name[NAME_SIZE];
};
DummyEntry dummyAt(int k) {
    DummyEntry e{model.header.dummyPos[k], {}};
    std::memcpy(e.name, model.header.dummyNames[k], NAME_SIZE);
    return e;
}
void setDummy(int k, const DummyEntry& e) {
    model.header.dummyPos[k] = e.position;
    std::memcpy(model.header.dummyNames[k], e.name, NAME_SIZE);
}

struct PresetEntry {
    HsbColor layers[COLOR_LAYERS];
    FileColor stored[COLOR_LAYERS];
};
PresetEntry presetAt(int k) {
    PresetEntry e;
    for (int l = 0; l < COLOR_LAYERS; ++l)
        e.layers[l] = model.colorLayers[l][k], e.stored[l] = model.header.fileColors[l][k];
    return e;
}
void setPreset(int k, const PresetEntry& e) {
    for (int l = 0; l < COLOR_LAYERS; ++l)
        model.colorLayers[l][k] = e.layers[l], model.header.fileColors[l][k] = e.stored[l];
}

// Inserts a copy of entry `index` (a fresh one into an empty table).
template <class Entry, class Get, class Set>
bool insertEntry(int32_t& count, int index, Get get, Set set, const char* message) {
    if (count >= 16) return showMessage(message), false;
    if (index < 0 || index > count) return false;
    const Entry copy = count > 0 ? get(std::min(index, count - 1)) : Entry{};
    for (int k = count; k > index; --k) set(k, get(k - 1));
    set(index, copy);
    ++count;
    return true;
}

template <class Get, class Set>
bool deleteEntry(int32_t& count, uint32_t& selected, int index, Get get, Set set) {
    if (index < 0 || index >= count) return false;
    for (int k = index + 1; k < count; ++k) set(k - 1, get(k));
    --count;
    if (selected >= uint32_t(std::max(count, 1))) selected = uint32_t(std::max(count - 1, 0));
    return true;
}

// The selected dummy's name, or null when there is none.
char* selectedName() {
    const FceHeader& h = model.header;
    return model.selectedDummy < uint32_t(std::clamp(h.numDummies, 0, MAX_DUMMIES))
               ? model.header.dummyNames[model.selectedDummy]
               : nullptr;
}

// The selected preset's colour on the current layer, or null.
HsbColor* currentColour() {
    if (model.selectedColor >= uint32_t(std::clamp(model.header.numColors, 0, MAX_COLORS)) ||
        model.colorLayer >= uint32_t(COLOR_LAYERS))
        return nullptr;
    return &model.colorLayers[model.colorLayer][model.selectedColor];
}

} // namespace

bool insertDummy(int index) {
    return insertEntry<DummyEntry>(model.header.numDummies, index, dummyAt, setDummy,
                                   "Maximal number of dummies is 16!");
}

bool insertColorPreset(int index) {
    return insertEntry<PresetEntry>(model.header.numColors, index, presetAt, setPreset,
                                    "Maximal number of color presets is 16!");
}

bool deleteDummy(int index) {
    return deleteEntry(model.header.numDummies, model.selectedDummy, index, dummyAt, setDummy);
}

bool deleteColorPreset(int index) {
    return deleteEntry(model.header.numColors, model.selectedColor, index, presetAt, setPreset);
}

bool setLightNameChar(int position, char code) {
    char* name = selectedName();
    if (!name || position < 1 || position > 7) return false;
    // A shorter name grows to the position with blanks rather than ending early.
    for (int k = int(strnlen(name, NAME_SIZE - 1)); k < position - 1; ++k) name[k] = ' ';
    name[position - 1] = code;
    return true;
}

bool setSpecialName(int entry) {
    char* name = selectedName();
    if (!name || entry < 0 || entry >= SPECIAL_DUMMY_COUNT) return false;
    std::memset(name, 0, NAME_SIZE);
    std::strncpy(name, specialDummyNames[entry], NAME_SIZE - 1);
    return true;
}

bool composeLightName(int kind, int colour, int flash, int d1, int d2, int d3) {
    char* name = selectedName();
    if (!name) return false;
    auto code = [](const NameCode* table, int count, int i) {
        return table[std::clamp(i, 0, count - 1)].code;
    };
    auto digit = [](int d) { return char('0' + std::clamp(d, 0, 9)); };
    const char composed[8] = {code(lightKinds, 6, kind),
                              code(lightColors, 4, colour),
                              'Y',
                              code(flashModes, 3, flash),
                              digit(d1),
                              digit(d2),
                              digit(d3),
                              '\0'};
    std::memset(name, 0, NAME_SIZE);
    std::memcpy(name, composed, sizeof composed);
    return true;
}

bool pickHue(int y) {
    HsbColor* c = currentColour();
    if (!c) return false;
    c->hue = uint8_t(std::clamp(y - 1, 0, 179));
    return true;
}

bool pickSaturationBrightness(int x, int y) {
    HsbColor* c = currentColour();
    if (!c) return false;
    c->saturation = uint8_t(std::clamp(x - 1, 0, 127));
    c->brightness = uint8_t(127 - std::clamp(y - 1, 0, 127));
    return true;
}
