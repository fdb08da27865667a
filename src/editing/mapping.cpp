// Planar mapping and the mapping edit.
#include "editing/mapping.h"

#include "model/alloc.h"
#include "model/car_model.h"
#include "model/messages.h"
#include "render/angles.h"

#include <algorithm>
#include <cmath>

MappingState mapping;

namespace {

constexpr float UV_LIMIT = 0.9999f;

template <class Visit> void forEachSelected(Visit visit) {
    int first, end;
    if (currentPartTriangles(first, end))
        for (int t = first; t < end; ++t)
            if (model.triangles[t].flags & TRI_SELECTED) visit(model.triangles[t]);
}

bool anySelected() {
    bool any = false;
    forEachSelected([&](ModelTriangle&) { any = true; });
    return any;
}

bool saveUvs() {
    releaseSavedUvs();
    int first, end;
    if (!currentPartTriangles(first, end)) return false;
    mapping.saved = static_cast<float*>(allocBlock(24 * size_t(end - first)));
    if (!mapping.saved) return false;
    mapping.savedPart = int(model.selectedPart), mapping.savedFirst = first;
    mapping.savedCount = end - first;
    for (int t = first; t < end; ++t)
        for (int c = 0; c < 3; ++c) {
            mapping.saved[6 * (t - first) + c] = model.triangles[t].texU[c];
            mapping.saved[6 * (t - first) + 3 + c] = model.triangles[t].texV[c];
        }
    return true;
}

// The range of U and V over the selected corners.
struct Range {
    float umin = 100, umax = -100, vmin = 100, vmax = -100;
    float cu() const { return umin + 0.5f * (umax - umin); }
    float cv() const { return vmin + 0.5f * (vmax - vmin); }
};
Range selectedRange() {
    Range r;
    forEachSelected([&](const ModelTriangle& t) {
        for (int c = 0; c < 3; ++c) {
            r.umin = std::min(r.umin, t.texU[c]), r.umax = std::max(r.umax, t.texU[c]);
            r.vmin = std::min(r.vmin, t.texV[c]), r.vmax = std::max(r.vmax, t.texV[c]);
        }
    });
    return r;
}

// A factor that takes a range of width w to w + step; 1 for an empty range.
float scaleFactor(float step, float w) {
    return w != 0.0f ? (step + w) / w : 1.0f;
}

// Coordinates never become infinite or not a number: such a result keeps
// the coordinate it came from.
float finiteOr(float value, float previous) {
    return std::isfinite(value) ? value : previous;
}

} // namespace

bool mapPlanar(int projection) {
    if (projection < 1 || projection > 3) return false;
    float amin = 1000, amax = -1000, bmin = 1000, bmax = -1000;
    const int slot = partSlot(std::min<int>(int(model.selectedPart), MAX_PARTS - 1));
    auto coordinates = [projection](const Vec3& p, float& a, float& b) {
        a = projection == 2 ? p.z : p.x;
        b = projection == 3 ? p.z : p.y;
    };
    forEachSelected([&](const ModelTriangle& t) {
        for (uint32_t v : t.v) {
            float a, b;
            coordinates(model.vertices[slot + int(v)], a, b);
            amin = std::min(amin, a), amax = std::max(amax, a);
            bmin = std::min(bmin, b), bmax = std::max(bmax, b);
        }
    });
    if (!anySelected()) return showMessage("Please select triangles you want to map"), false;
    if (!saveUvs()) return false;
    const float ca = amin + (amax - amin) / 2, cb = bmin + (bmax - bmin) / 2;
    // One scale for both directions; a selection with no extent keeps scale 1.
    const float extent = std::max(amax, bmax) - std::min(amin, bmin);
    const float s = extent > 0.0f ? 1.0f / extent : 1.0f;
    forEachSelected([&](ModelTriangle& t) {
        for (int c = 0; c < 3; ++c) {
            const Vec3& p = model.vertices[slot + int(t.v[c])];
            float a, b;
            coordinates(p, a, b);
            if (projection == 1 && mapping.mirror && a < 0) a = -a;
            t.texU[c] = projection == 2 ? 0.5f - s * (a - ca) : 0.5f + s * (a - ca);
            t.texV[c] = 0.5f - s * (b - cb);
        }
    });
    return true;
}

bool beginUvEdit() {
    if (!anySelected()) return showMessage("Please select triangles you want to edit"), false;
    return saveUvs();
}

void restoreUvs() {
    int first, end;
    if (mapping.saved && int(model.selectedPart) == mapping.savedPart &&
        currentPartTriangles(first, end) && first == mapping.savedFirst &&
        end - first == mapping.savedCount)
        for (int t = first; t < end; ++t)
            for (int c = 0; c < 3; ++c) {
                model.triangles[t].texU[c] = mapping.saved[6 * (t - first) + c];
                model.triangles[t].texV[c] = mapping.saved[6 * (t - first) + 3 + c];
            }
    releaseSavedUvs();
}

void releaseSavedUvs() {
    releaseBlock(mapping.saved);
    mapping.savedPart = -1, mapping.savedCount = 0;
}

void flipUvs(int axis) {
    // The range comes from the coordinates themselves, so that coordinates
    // outside 0..1 flip about their own middle.
    const Range r = selectedRange();
    const float c = axis == 0 ? r.cu() : r.cv();
    forEachSelected([&](ModelTriangle& t) {
        for (float& x : axis == 0 ? t.texU : t.texV) x = c - (x - c);
    });
}

int countUvsOutOfRange() {
    int n = 0, first, end;
    if (currentPartTriangles(first, end))
        for (int t = first; t < end; ++t)
            for (int c = 0; c < 3; ++c) {
                const float u = model.triangles[t].texU[c], v = model.triangles[t].texV[c];
                n += !(u >= 0.0f && u <= UV_LIMIT && v >= 0.0f && v <= UV_LIMIT);
            }
    return n;
}

void clampUvs() {
    int first, end;
    if (currentPartTriangles(first, end))
        for (int t = first; t < end; ++t)
            for (int c = 0; c < 3; ++c)
                for (float* x : {&model.triangles[t].texU[c], &model.triangles[t].texV[c]})
                    *x = std::isnan(*x) ? 0.0f : std::clamp(*x, 0.0f, UV_LIMIT);
}

void dragUvs(float dx, float dy, uint32_t modifiers, int size) {
    const float S = float(size);
    const bool constrained = modifiers & DRAG_CONSTRAINED;
    int tool = mapping.tool;
    bool uniform = constrained;
    if (tool == 0 && constrained) tool = 2, uniform = false;
    if (tool == 0) {
        forEachSelected([&](ModelTriangle& t) {
            for (int c = 0; c < 3; ++c)
                t.texU[c] = finiteOr(t.texU[c] + dx / S, t.texU[c]),
                t.texV[c] = finiteOr(t.texV[c] + dy / S, t.texV[c]);
        });
        return;
    }
    const Range r = selectedRange();
    const float cu = r.cu(), cv = r.cv();
    if (tool == 1) {
        const bool key = modifiers & DRAG_KEY;
        const float pu = key ? 0.9f : float(mapping.pivotX) / S,
                    pv = key ? 0.9f : float(mapping.pivotY) / S;
        if (pu < cu) dy = -dy;
        if (cv < pv) dx = -dx;
        double turn = constrained ? (dx + dy >= 0 ? 90 : -90) : double(dx) + double(dy);
        // Any length of drag turns by its angle modulo a full turn.
        turn = std::fmod(std::trunc(turn), double(ANGLE_FULL_TURN));
        const SinCos sc = sinCos(int(turn < 0 ? turn + ANGLE_FULL_TURN : turn));
        forEachSelected([&](ModelTriangle& t) {
            for (int c = 0; c < 3; ++c) {
                const double u = t.texU[c] - cu, v = t.texV[c] - cv;
                t.texU[c] = finiteOr(float(cu + u * sc.cosine - v * sc.sine), t.texU[c]);
                t.texV[c] = finiteOr(float(cv + u * sc.sine + v * sc.cosine), t.texV[c]);
            }
        });
        return;
    }
    // A range of no width or height is not scaled in that direction.
    float fu = scaleFactor(dx / S, r.umax - r.umin), fv = scaleFactor(dy / S, r.vmax - r.vmin);
    if (uniform) fu = fv = std::fabs(fu) >= std::fabs(fv) ? fu : fv;
    forEachSelected([&](ModelTriangle& t) {
        for (int c = 0; c < 3; ++c)
            t.texU[c] = finiteOr(cu + (t.texU[c] - cu) * fu, t.texU[c]),
            t.texV[c] = finiteOr(cv + (t.texV[c] - cv) * fv, t.texV[c]);
    });
}
