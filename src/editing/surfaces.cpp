// Smoothing groups, marks, surface flags and driver movement.
#include "editing/surfaces.h"

#include "editing/rebuild.h"
#include "editing/selection.h"
#include "model/car_model.h"
#include "model/messages.h"

#include <algorithm>

namespace {

int part() {
    return int(model.selectedPart);
}
uint16_t& groupCount() {
    return model.groupCount[part()];
}
uint16_t& currentGroup() {
    return model.currentGroup[part()];
}
SmoothingGroup* groups() {
    return model.groups[part()];
}

uint32_t groupWord(const ModelTriangle& t) {
    return t.groupAndBase >> 16;
}
void setGroupWord(ModelTriangle& t, uint32_t word) {
    t.groupAndBase = (t.groupAndBase & 0xFFFF) | word << 16;
}

// Calls visit(triangle) for each triangle of the current part.
template <class Visit> void forEachTriangle(Visit visit) {
    int first, end;
    if (currentPartTriangles(first, end))
        for (int t = first; t < end; ++t) visit(model.triangles[t]);
}

// Sets the group word of every selected triangle by `word(old word)`; false
// when none is selected.
template <class Word> bool regroupSelected(Word word) {
    bool any = false;
    forEachTriangle([&](ModelTriangle& t) {
        if (!(t.flags & TRI_SELECTED)) return;
        setGroupWord(t, word(groupWord(t)));
        any = true;
    });
    return any;
}

bool groupUsed(uint32_t id) {
    bool used = false;
    forEachTriangle([&](const ModelTriangle& t) { used |= (groupWord(t) & 0xFFF8) == id; });
    return used;
}

void removeEntry(int index) {
    std::copy(groups() + index + 1, groups() + MAX_GROUPS, groups() + index);
    groups()[MAX_GROUPS - 1] = {0, 60};
    --groupCount();
    // The current group stays the same group when an entry below it goes.
    if (index < currentGroup()) --currentGroup();
}

// Triangles in the base group need its entry, at index 0.
void keepBaseEntry() {
    for (int g = 0; g < groupCount(); ++g)
        if (groups()[g].groupId == 0) return;
    if (!groupUsed(0) || groupCount() >= MAX_GROUPS) return;
    std::copy_backward(groups(), groups() + groupCount(), groups() + groupCount() + 1);
    groups()[0] = {0, 60};
    ++groupCount();
    ++currentGroup();
}

int finishGroupEdit() {
    keepBaseEntry();
    rebuildPartVertices(part());
    return removeEmptyGroups() ? GROUP_DONE_REMOVED : GROUP_DONE;
}

} // namespace

SurfaceState surfaceState() {
    SurfaceState s{};
    int fixed = 0, moving = 0;
    const int base = model.header.partFirstVertex[std::min(part(), MAX_PARTS - 1)];
    const int vertices = model.header.partVertexCount[std::min(part(), MAX_PARTS - 1)];
    forEachTriangle([&](const ModelTriangle& t) {
        if (!(t.flags & TRI_SELECTED)) return;
        s.anySelected = true;
        for (int k = 0; k < SURFACE_FLAG_COUNT; ++k) s.flags[k] |= t.flags & (1u << k) ? 1 : 2;
        for (uint32_t v : t.v)
            if (v < uint32_t(std::max(vertices, 0)) && base + int(v) < 3 * model.storeTriangles)
                ++(model.vertexFlags[base + int(v)] & VERTEX_FIXED ? fixed : moving);
    });
    s.driverMovement = moving == 0 ? 0 : fixed == 0 ? 1 : 2;
    return s;
}

int findFreeGroupId(int p) {
    int id = 8;
    auto taken = [p](int candidate) {
        for (int g = 0; g < std::min<int>(model.groupCount[p], MAX_GROUPS); ++g)
            if (model.groups[p][g].groupId == candidate) return true;
        int first, end;
        if (partTriangles(p, first, end))
            for (int t = first; t < end; ++t)
                if (int(groupWord(model.triangles[t]) & 0xFFF8) == candidate) return true;
        return false;
    };
    while (id < 32768 && taken(id)) id += 8;
    return id;
}

int newGroup() {
    if (groupCount() >= MAX_GROUPS) {
        showMessage("Maximal number of groups is 64!");
        return GROUP_NOTHING;
    }
    const int id = findFreeGroupId(part());
    uint32_t oldWord = 0;
    if (!regroupSelected([&](uint32_t old) { return oldWord = old, uint32_t(id); }))
        return GROUP_NOTHING;
    groups()[groupCount()] = {uint16_t(id), uint16_t(groupAngle(oldWord))};
    currentGroup() = groupCount()++;
    return finishGroupEdit();
}

int addToGroup(int group) {
    const uint32_t id = groups()[group].groupId;
    uint32_t bits = 0;
    forEachTriangle([&](const ModelTriangle& t) {
        if ((groupWord(t) & 0xFFF8) == id) bits |= groupWord(t);
    });
    if (!regroupSelected([&](uint32_t) { return id | (bits & 7); })) return GROUP_NOTHING;
    return finishGroupEdit();
}

int moveToBase() {
    if (!regroupSelected([](uint32_t) { return 0u; })) return GROUP_NOTHING;
    return finishGroupEdit();
}

void deleteGroup(int group) {
    const uint32_t id = groups()[group].groupId;
    forEachTriangle([&](ModelTriangle& t) {
        if ((groupWord(t) & 0xFFF8) == id) setGroupWord(t, 0);
    });
    removeEntry(group);
    if (currentGroup() >= groupCount()) currentGroup() = uint16_t(groupCount() - 1);
    keepBaseEntry();
    rebuildPartVertices(part());
}

bool removeEmptyGroups() {
    bool removed = false;
    // The table never goes empty: the last entry stays.
    for (int g = 0; g < groupCount() && groupCount() > 1;) {
        if (groupUsed(groups()[g].groupId)) {
            ++g;
        } else {
            removeEntry(g);
            removed = true;
        }
    }
    if (currentGroup() >= groupCount()) currentGroup() = uint16_t(groupCount() - 1);
    return removed;
}

void setGroupAngle(int angle) {
    groups()[currentGroup()].smoothAngle = uint16_t(angle);
}

void markGroup(bool set) {
    const uint32_t id = groups()[currentGroup()].groupId;
    forEachTriangle([&](ModelTriangle& t) {
        if ((groupWord(t) & 0xFFF8) == id)
            setGroupWord(t, set ? groupWord(t) | 4 : groupWord(t) & ~4u);
    });
    rebuildPartVertices(part());
}

bool clickMark(int x, int y, bool set) {
    ModelTriangle* t = pickTriangle(float(x), float(y));
    if (!t || groupWord(*t) < 8) return false;
    setGroupWord(*t, set ? groupWord(*t) | 4 : groupWord(*t) & ~4u);
    rebuildPartVertices(part());
    return true;
}

bool applySurfaceFlags(uint32_t chosen) {
    const SurfaceState s = surfaceState();
    if (!s.anySelected) return false;
    uint32_t set = 0, keep = 0;
    for (int k = 0; k < SURFACE_FLAG_COUNT; ++k) {
        const bool on = chosen & (1u << k);
        if (on) set |= 1u << k;
        if (on || s.flags[k] == 3) keep |= 1u << k;
    }
    // Only the list's bits change; the bits beyond it stay as they are.
    const uint32_t stays = keep | ~0x7FFu;
    forEachTriangle([&](ModelTriangle& t) {
        if (t.flags & TRI_SELECTED) t.flags = (t.flags & stays) | set | TRI_SELECTED;
    });
    model.renderCacheValid = false;
    return true;
}

bool setDriverMovement(bool moving) {
    const int base = partSlot(part()), vertices = model.header.partVertexCount[part()];
    bool any = false;
    forEachTriangle([&](const ModelTriangle& t) {
        if (!(t.flags & TRI_SELECTED)) return;
        any = true;
        for (uint32_t v : t.v)
            if (v < uint32_t(std::max(vertices, 0)))
                model.vertexFlags[base + int(v)] = moving ? VERTEX_MOVES : VERTEX_FIXED;
    });
    return any;
}
