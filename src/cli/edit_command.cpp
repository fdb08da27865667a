// The actions of vornix-cli edit, each the operation the editor's Parts page
// runs for its button or field.
#include "cli/edit_command.h"

#include "editing/dummies.h"
#include "editing/mapping.h"
#include "editing/parts.h"
#include "editing/rebuild.h"
#include "model/car_model.h"
#include "model/fce_file.h"
#include "model/messages.h"
#include "model/names.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

struct Action {
    const char* name;
    int values;
};
const Action ACTIONS[] = {{"--copy-part", 1},   {"--delete-part", 1},  {"--mirror-part", 2},
                          {"--centre-part", 2}, {"--rename-part", 2},  {"--move-part", 4},
                          {"--move-origin", 4}, {"--rebuild", 1},      {"--weld-tolerance", 1},
                          {"--copy-dummy", 1},  {"--delete-dummy", 1}, {"--rename-dummy", 2},
                          {"--move-dummy", 4},  {"--copy-preset", 1},  {"--delete-preset", 1},
                          {"--set-color", 5},   {"--map-planar", 2}};

// The words an action takes: its values, and for --map-planar an optional
// --mirror after them.
size_t wordsOf(const std::vector<std::string>& words, size_t at, int values) {
    const size_t end = at + size_t(values) + 1;
    return end - at +
           (words[at] == "--map-planar" && end < words.size() && words[end] == "--mirror");
}

bool parseInt(const std::string& text, int& value) {
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || v < 0 || v > 1000000) return false;
    value = int(v);
    return true;
}

bool parseFloat(const std::string& text, float& value) {
    char* end = nullptr;
    value = std::strtof(text.c_str(), &end);
    return !text.empty() && *end == '\0' && std::isfinite(value);
}

} // namespace

bool editActionsUnderstood(const std::vector<std::string>& words) {
    for (size_t at = 0; at < words.size();) {
        const Action* action = nullptr;
        for (const Action& a : ACTIONS)
            if (words[at] == a.name) action = &a;
        if (!action) return showError("edit: unknown action '" + words[at] + "'"), false;
        if (at + size_t(action->values) >= words.size())
            return showError(format("edit: %s needs %d value%s", action->name, action->values,
                                    action->values == 1 ? "" : "s")),
                   false;
        at += wordsOf(words, at, action->values);
    }
    return true;
}

namespace {

// Runs one action on the loaded model; false after a message.
// The entry an action names: an index below `count`; -1 after a message.
int entryIndex(const std::string& action, const std::string& text, int count, const char* what) {
    int index = 0;
    if (!parseInt(text, index))
        return showError("edit: " + action + ": '" + text + "' is no " + what + " number"), -1;
    if (index >= count)
        return showError(format("edit: %s: there is no %s %d (the model has %d)", action.c_str(),
                                what, index, count)),
               -1;
    return index;
}

bool setName(const std::string& action, char (&field)[NAME_SIZE], const std::string& text) {
    const std::string name = utf8ToWindows1252(text);
    if (name.size() > NAME_SIZE - 1)
        return showError(format("edit: %s: a name has at most %d characters", action.c_str(),
                                NAME_SIZE - 1)),
               false;
    std::memset(field, 0, NAME_SIZE);
    std::memcpy(field, name.data(), name.size());
    return true;
}

bool parsePosition(const std::string& action, const std::string* v, Vec3& position) {
    if (parseFloat(v[0], position.x) && parseFloat(v[1], position.y) &&
        parseFloat(v[2], position.z))
        return true;
    return showError("edit: " + action + ": the position is three finite numbers"), false;
}

bool runPartAction(const std::string& action, int p, const std::string* v) {
    if (action == "--copy-part") return copyPart(p);
    if (action == "--rebuild") return rebuildPartVertices(p), true;
    if (action == "--delete-part") {
        if (model.header.numParts == 1)
            return showError("edit: --delete-part: the only part cannot be deleted"), false;
        model.selectedPart = uint32_t(p);
        return deletePart(p);
    }
    if (action == "--mirror-part") {
        const size_t axis = std::string("xyz").find(v[0]);
        if (v[0].size() != 1 || axis == std::string::npos)
            return showError("edit: --mirror-part: the axis is x, y or z"), false;
        return mirrorPart(p, int(axis)), true;
    }
    if (action == "--centre-part") {
        if (v[0] != "geometry" && v[0] != "origin")
            return showError("edit: --centre-part: the mode is geometry or origin"), false;
        return centrePart(p, v[0] == "origin"), true;
    }
    if (action == "--rename-part") return setName(action, model.header.partNames[p], v[0]);
    Vec3 position;
    if (!parsePosition(action, v, position)) return false;
    setPartPosition(p, position, action == "--move-origin");
    return true;
}

bool runDummyAction(const std::string& action, int d, const std::string* v) {
    model.selectedDummy = uint32_t(d);
    if (action == "--copy-dummy") return insertDummy(d);
    if (action == "--delete-dummy") return deleteDummy(d);
    if (action == "--rename-dummy") return setName(action, model.header.dummyNames[d], v[0]);
    return parsePosition(action, v, model.header.dummyPos[d]);
}

bool runPresetAction(const std::string& action, int c, const std::string* v) {
    if (action == "--copy-preset") return insertColorPreset(c);
    if (action == "--delete-preset") return deleteColorPreset(c);
    int values[4], limits[4] = {3, 179, 127, 127};
    for (int k = 0; k < 4; ++k)
        if (!parseInt(v[k], values[k]) || values[k] > limits[k])
            return showError("edit: --set-color: the layer is 0..3, the hue 0..179, saturation "
                             "and brightness 0..127"),
                   false;
    HsbColor& colour = model.colorLayers[values[0]][c];
    colour = {uint8_t(values[1]), uint8_t(values[2]), uint8_t(values[3]), colour.extra};
    return true;
}

// A planar mapping of every triangle of the part, as if all were selected.
bool mapWholePart(int p, const std::string& axis, bool mirror) {
    const size_t along = std::string("xyz").find(axis);
    if (axis.size() != 1 || along == std::string::npos)
        return showError("edit: --map-planar: the axis is x, y or z"), false;
    const int first = model.header.partFirstTriangle[p], count = model.header.partTriangleCount[p];
    std::vector<uint32_t> selection(static_cast<size_t>(count));
    for (int t = 0; t < count; ++t) {
        selection[size_t(t)] = model.triangles[first + t].flags & TRI_SELECTED;
        model.triangles[first + t].flags |= TRI_SELECTED;
    }
    const uint32_t current = model.selectedPart;
    model.selectedPart = uint32_t(p), mapping.mirror = mirror;
    const int projection[3] = {2, 3, 1}; // along X, Y, Z
    const bool mapped = count > 0 && mapPlanar(projection[along]);
    releaseSavedUvs();
    model.selectedPart = current;
    for (int t = 0; t < count; ++t)
        model.triangles[first + t].flags =
            (model.triangles[first + t].flags & ~TRI_SELECTED) | selection[size_t(t)];
    return mapped || (showError("edit: --map-planar: the part has no triangles"), false);
}

// Runs one action on the loaded model; false after a message.
bool run(const std::string& action, const std::string* v, bool mirror) {
    if (action == "--weld-tolerance") {
        float tolerance = 0;
        if (!parseFloat(v[0], tolerance) || !usableWeldTolerance(tolerance))
            return showError("edit: --weld-tolerance: a tolerance lies in (0, 0.1]"), false;
        editSettings.weldTolerance = tolerance;
        return true;
    }
    if (action == "--rebuild" && v[0] == "all") return rebuildPartVertices(-1), true;
    const FceHeader& h = model.header;
    if (action.find("dummy") != std::string::npos) {
        const int d = entryIndex(action, v[0], h.numDummies, "dummy");
        return d >= 0 && runDummyAction(action, d, v + 1);
    }
    if (action.find("preset") != std::string::npos || action == "--set-color") {
        const int c = entryIndex(action, v[0], h.numColors, "preset");
        return c >= 0 && runPresetAction(action, c, v + 1);
    }
    const int p = entryIndex(action, v[0], h.numParts, "part");
    if (p >= 0 && action == "--map-planar") return mapWholePart(p, v[1], mirror);
    return p >= 0 && runPartAction(action, p, v + 1);
}

} // namespace

bool applyEdits(const std::vector<std::string>& actions) {
    for (size_t at = 0; at < actions.size();) {
        int values = 0;
        for (const Action& a : ACTIONS)
            if (actions[at] == a.name) values = a.values;
        const size_t words = wordsOf(actions, at, values);
        if (!run(actions[at], &actions[at + 1], words > size_t(values) + 1)) return false;
        at += words;
    }
    return true;
}
