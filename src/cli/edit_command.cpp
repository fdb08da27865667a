// The actions of vornix-cli edit, each the operation the editor's Parts page
// runs for its button or field.
#include "cli/edit_command.h"

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
const Action ACTIONS[] = {{"--copy-part", 1},   {"--delete-part", 1}, {"--mirror-part", 2},
                          {"--centre-part", 2}, {"--rename-part", 2}, {"--move-part", 4},
                          {"--move-origin", 4}, {"--rebuild", 1},     {"--weld-tolerance", 1}};

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
        at += size_t(action->values) + 1;
    }
    return true;
}

namespace {

// Runs one action on the loaded model; false after a message.
bool run(const std::string& action, const std::string* v) {
    if (action == "--weld-tolerance") {
        float tolerance = 0;
        if (!parseFloat(v[0], tolerance) || !usableWeldTolerance(tolerance))
            return showError("edit: --weld-tolerance: a tolerance lies in (0, 0.1]"), false;
        editSettings.weldTolerance = tolerance;
        return true;
    }
    if (action == "--rebuild" && v[0] == "all") {
        rebuildPartVertices(-1);
        return true;
    }
    int p = 0;
    if (!parseInt(v[0], p))
        return showError("edit: " + action + ": '" + v[0] + "' is no part"), false;
    if (p >= model.header.numParts)
        return showError(format("edit: %s: there is no part %d (the model has %d)", action.c_str(),
                                p, model.header.numParts)),
               false;
    if (action == "--copy-part") return copyPart(p);
    if (action == "--rebuild") {
        rebuildPartVertices(p);
        return true;
    }
    if (action == "--delete-part") {
        if (model.header.numParts == 1)
            return showError("edit: --delete-part: the only part cannot be deleted"), false;
        model.selectedPart = uint32_t(p);
        return deletePart(p);
    }
    if (action == "--mirror-part") {
        const size_t axis = std::string("xyz").find(v[1]);
        if (v[1].size() != 1 || axis == std::string::npos)
            return showError("edit: --mirror-part: the axis is x, y or z"), false;
        mirrorPart(p, int(axis));
        return true;
    }
    if (action == "--centre-part") {
        if (v[1] != "geometry" && v[1] != "origin")
            return showError("edit: --centre-part: the mode is geometry or origin"), false;
        centrePart(p, v[1] == "origin");
        return true;
    }
    if (action == "--rename-part") {
        const std::string name = utf8ToWindows1252(v[1]);
        if (name.size() > NAME_SIZE - 1)
            return showError(format("edit: --rename-part: a name has at most %d characters",
                                    NAME_SIZE - 1)),
                   false;
        std::memset(model.header.partNames[p], 0, NAME_SIZE);
        std::memcpy(model.header.partNames[p], name.data(), name.size());
        return true;
    }
    Vec3 position;
    if (!parseFloat(v[1], position.x) || !parseFloat(v[2], position.y) ||
        !parseFloat(v[3], position.z))
        return showError("edit: " + action + ": the position is three finite numbers"), false;
    setPartPosition(p, position, action == "--move-origin");
    return true;
}

} // namespace

bool applyEdits(const std::vector<std::string>& actions) {
    for (size_t at = 0; at < actions.size();) {
        int values = 0;
        for (const Action& a : ACTIONS)
            if (actions[at] == a.name) values = a.values;
        if (!run(actions[at], &actions[at + 1])) return false;
        at += size_t(values) + 1;
    }
    return true;
}
