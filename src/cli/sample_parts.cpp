// The wheels and the driver of the sample car, built from simple solids:
// rings of quads around an axis (tyre, rim, torso, limbs, steering wheel) and
// a sphere for the head. Each solid orients its faces by a direction that
// points outwards, so that none of them can end up inside out.
#include "cli/sample_shapes.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double TURN = 2 * std::numbers::pi;

// Wheel groups: tread, tyre wall, rim, the inner side.
constexpr uint16_t GROUP_TREAD = 0;
constexpr uint16_t GROUP_TYRE_WALL = 8;
constexpr uint16_t GROUP_RIM = 16;
constexpr uint16_t GROUP_HUB = 24;

// Driver groups: suit (body and limbs), head, steering wheel, and the ends
// of torso and limbs, which meet them at a crease.
constexpr uint16_t GROUP_SUIT = 0;
constexpr uint16_t GROUP_HEAD = 8;
constexpr uint16_t GROUP_STEERING = 16;
constexpr uint16_t GROUP_ENDS = 24;

void orientedFace(PartMesh& part, uint32_t a, uint32_t b, uint32_t c, TexCoord ta, TexCoord tb,
                  TexCoord tc, DVec3 outward, uint32_t flags, uint16_t group) {
    const DVec3 pa = part.vertices[a], pb = part.vertices[b], pc = part.vertices[c];
    if (dot(cross(pb - pa, pc - pa), outward) >= 0)
        part.face(a, b, c, ta, tb, tc, flags, group);
    else
        part.face(a, c, b, ta, tc, tb, flags, group);
}

// A closed loop of points around a centre.
struct Loop {
    std::vector<DVec3> points;
    DVec3 centre;
};

// A ring of quads between two loops of the same count; `repeat` times the
// texture rectangle around the ring.
void joinLoops(PartMesh& part, const Loop& l0, const Loop& l1, AtlasRect rect, double t0, double t1,
               uint16_t group, uint32_t flag0, uint32_t flag1, uint32_t flags, int repeat = 1) {
    const int n = int(l0.points.size());
    const int perRepeat = n / repeat;
    for (int k = 0; k < n; ++k) {
        const int next = (k + 1) % n;
        const double s0 = double(k % perRepeat) / perRepeat, s1 = s0 + 1.0 / perRepeat;
        const uint32_t a = part.vertex(l0.points[size_t(k)], group, flag0);
        const uint32_t b = part.vertex(l0.points[size_t(next)], group, flag0);
        const uint32_t c = part.vertex(l1.points[size_t(next)], group, flag1);
        const uint32_t d = part.vertex(l1.points[size_t(k)], group, flag1);
        const DVec3 middle =
            (l0.points[size_t(k)] + l1.points[size_t(next)]) * 0.5 - (l0.centre + l1.centre) * 0.5;
        const TexCoord ta = atlasPoint(rect, s0, t0), tb = atlasPoint(rect, s1, t0);
        const TexCoord tc = atlasPoint(rect, s1, t1), td = atlasPoint(rect, s0, t1);
        orientedFace(part, a, b, c, ta, tb, tc, middle, flags, group);
        orientedFace(part, a, c, d, ta, tc, td, middle, flags, group);
    }
}

// Closes a loop with a fan to `tip`; `coord` gives each point's texture coordinate.
template <class Coord>
void capLoop(PartMesh& part, const Loop& loop, DVec3 tip, DVec3 outward, uint16_t group,
             uint32_t flag, uint32_t flags, Coord coord) {
    const int n = int(loop.points.size());
    const uint32_t t = part.vertex(tip, group, flag);
    for (int k = 0; k < n; ++k) {
        const DVec3 p0 = loop.points[size_t(k)], p1 = loop.points[size_t((k + 1) % n)];
        orientedFace(part, t, part.vertex(p0, group, flag), part.vertex(p1, group, flag),
                     coord(tip), coord(p0), coord(p1), outward, flags, group);
    }
}

// A circle of `n` points of radius r around `centre`, in the plane spanned by u and v.
Loop circle(DVec3 centre, DVec3 u, DVec3 v, double ru, double rv, int n) {
    Loop l{{}, centre};
    for (int k = 0; k < n; ++k) {
        const double a = TURN * k / n;
        l.points.push_back(centre + u * (ru * std::cos(a)) + v * (rv * std::sin(a)));
    }
    return l;
}

// Two directions across `axis`, stable along a gently bending path.
void across(DVec3 axis, DVec3& u, DVec3& v) {
    const DVec3 up = std::fabs(axis.y) < 0.9 ? DVec3{0, 1, 0} : DVec3{1, 0, 0};
    u = normalized(cross(axis, up));
    v = cross(u, axis);
}

// A limb: a tube along a path of points, closed at both ends.
void addTube(PartMesh& part, const std::vector<DVec3>& path, double radius, int segments,
             uint32_t flag, AtlasRect capRect) {
    std::vector<Loop> loops;
    for (size_t i = 0; i < path.size(); ++i) {
        const DVec3 before = path[i == 0 ? 0 : i - 1],
                    after = path[i + 1 < path.size() ? i + 1 : i];
        DVec3 u, v;
        across(normalized(after - before), u, v);
        loops.push_back(circle(path[i], u, v, radius, radius, segments));
    }
    for (size_t i = 0; i + 1 < loops.size(); ++i)
        joinLoops(part, loops[i], loops[i + 1], ATLAS_SUIT, double(i) / (loops.size() - 1),
                  double(i + 1) / (loops.size() - 1), GROUP_SUIT, flag, flag, 0);
    // Both ends closed: the start hides inside the torso, but a closed solid
    // keeps the part's inside and outside well defined.
    const DVec3 start = path.front(), back = normalized(path[0] - path[1]);
    capLoop(
        part, loops.front(), start + back * (radius * 0.3), back, GROUP_ENDS, flag, 0,
        [&](DVec3 p) { return atlasPoint(ATLAS_SUIT, 0.5 + (p - start).x, 0.5 + (p - start).z); });
    const DVec3 end = path.back(), direction = normalized(path.back() - path[path.size() - 2]);
    capLoop(part, loops.back(), end + direction * (radius * 0.6), direction, GROUP_ENDS, flag, 0,
            [&](DVec3 p) {
                const DVec3 d = p - end;
                return atlasPoint(capRect, 0.5 + d.x / (4 * radius), 0.5 + d.z / (4 * radius));
            });
}

} // namespace

PartMesh buildWheel(const std::string& name, int segments) {
    PartMesh part;
    part.name = name;
    const double half = CAR_WHEEL_WIDTH / 2, R = CAR_WHEEL_RADIUS, rim = CAR_RIM_RADIUS;
    const DVec3 y{0, 1, 0}, z{0, 0, 1};
    auto ring = [&](double x, double r) { return circle({x, 0, 0}, y, z, r, r, segments); };
    // The wheel's face as seen from outside: the car's front (-z) to the right.
    auto faceCoord = [&](DVec3 p) {
        return atlasPoint(ATLAS_WHEEL, 0.5 - 0.5 * p.z / R, 0.5 - 0.5 * p.y / R);
    };
    auto annulus = [&](const Loop& outer, const Loop& inner, DVec3 outward, uint16_t group,
                       uint32_t flags) {
        const int n = int(outer.points.size());
        for (int k = 0; k < n; ++k) {
            const int next = (k + 1) % n;
            const DVec3 p[4] = {outer.points[size_t(k)], outer.points[size_t(next)],
                                inner.points[size_t(next)], inner.points[size_t(k)]};
            uint32_t v[4];
            for (int i = 0; i < 4; ++i) v[i] = part.vertex(p[i], group);
            orientedFace(part, v[0], v[1], v[2], faceCoord(p[0]), faceCoord(p[1]), faceCoord(p[2]),
                         outward, flags, group);
            orientedFace(part, v[0], v[2], v[3], faceCoord(p[0]), faceCoord(p[2]), faceCoord(p[3]),
                         outward, flags, group);
        }
    };

    // Tread: a quarter turn of tread pattern repeats four times around.
    joinLoops(part, ring(-half, R), ring(half, R), ATLAS_TREAD, 0.0, 1.0, GROUP_TREAD, VERTEX_MOVES,
              VERTEX_MOVES, TRI_DONT_CHROME, 4);
    // The tyre wall; the rim sits in it, dished in towards the hub.
    annulus(ring(half, R), ring(half, rim), {1, 0, 0}, GROUP_TYRE_WALL, TRI_DONT_CHROME);
    const Loop dish = ring(half - 0.025, 0.45 * rim);
    annulus(ring(half, rim), dish, {1, 0, 0}, GROUP_RIM, TRI_HIGH_CHROME);
    capLoop(part, dish, {half - 0.008, 0, 0}, {1, 0, 0}, GROUP_RIM, VERTEX_MOVES, TRI_HIGH_CHROME,
            faceCoord);
    // The inner side faces the car and is hardly ever seen: one dark disc.
    capLoop(
        part, ring(-half, R), {-half, 0, 0}, {-1, 0, 0}, GROUP_HUB, VERTEX_MOVES, TRI_DONT_CHROME,
        [&](DVec3 p) { return atlasPoint(ATLAS_TRIM, 0.5 + 0.5 * p.z / R, 0.5 - 0.5 * p.y / R); });
    return part;
}

PartMesh buildDriver(const std::string& name, int segments) {
    PartMesh part;
    part.name = name;
    part.partFlags = PART_VISIBLE | PART_DRIVER;
    const int n = segments, limb = std::max(6, segments * 3 / 4);

    // Torso: rings from the hips up to the neck, leaning back. The hips stay
    // where they are when the driver moves; everything above them swings.
    struct Ring {
        double y, z, rx, rz;
    } torso[] = {{0.00, 0.02, 0.16, 0.12},
                 {0.20, 0.06, 0.18, 0.12},
                 {0.40, 0.11, 0.20, 0.11},
                 {0.50, 0.13, 0.13, 0.08},
                 {0.57, 0.14, 0.05, 0.05}};
    const int rings = int(std::size(torso));
    std::vector<Loop> loops;
    for (const Ring& r : torso)
        loops.push_back(circle({0, r.y, r.z}, {1, 0, 0}, {0, 0, 1}, r.rx, r.rz, n));
    for (int i = 0; i + 1 < rings; ++i)
        joinLoops(part, loops[size_t(i)], loops[size_t(i + 1)], ATLAS_SUIT, double(i) / (rings - 1),
                  double(i + 1) / (rings - 1), GROUP_SUIT, i == 0 ? VERTEX_FIXED : VERTEX_MOVES,
                  VERTEX_MOVES, 0);
    auto suit = [](DVec3 p) { return atlasPoint(ATLAS_SUIT, 0.5 + p.x, 0.5 + p.z); };
    capLoop(part, loops.front(), {0, -0.03, 0.02}, {0, -1, 0}, GROUP_ENDS, VERTEX_FIXED, 0, suit);
    capLoop(part, loops.back(), {0, 0.58, 0.14}, {0, 1, 0}, GROUP_ENDS, VERTEX_MOVES, 0, suit);

    // Head in a helmet, visor towards the front (-z).
    const DVec3 head{0, 0.69, 0.15};
    const double radius = 0.12;
    const int latitudes = std::max(3, n / 2);
    std::vector<DVec3> grid;
    for (int i = 0; i <= latitudes; ++i)
        for (int k = 0; k <= n; ++k) {
            const double polar = std::numbers::pi * i / latitudes, around = TURN * (k % n) / n;
            grid.push_back(head + DVec3{std::sin(polar) * std::cos(around), std::cos(polar),
                                        std::sin(polar) * std::sin(around)} *
                                      radius);
        }
    for (int i = 0; i < latitudes; ++i)
        for (int k = 0; k < n; ++k) {
            const DVec3 p[4] = {grid[size_t(i * (n + 1) + k)], grid[size_t(i * (n + 1) + k + 1)],
                                grid[size_t((i + 1) * (n + 1) + k + 1)],
                                grid[size_t((i + 1) * (n + 1) + k)]};
            const TexCoord t[4] = {
                atlasPoint(ATLAS_HELMET, double(k) / n, double(i) / latitudes),
                atlasPoint(ATLAS_HELMET, double(k + 1) / n, double(i) / latitudes),
                atlasPoint(ATLAS_HELMET, double(k + 1) / n, double(i + 1) / latitudes),
                atlasPoint(ATLAS_HELMET, double(k) / n, double(i + 1) / latitudes)};
            uint32_t v[4];
            for (int c = 0; c < 4; ++c) v[c] = part.vertex(p[c], GROUP_HEAD);
            const DVec3 out = (p[0] + p[2]) * 0.5 - head;
            orientedFace(part, v[0], v[1], v[2], t[0], t[1], t[2], out, 0, GROUP_HEAD);
            orientedFace(part, v[0], v[2], v[3], t[0], t[2], t[3], out, 0, GROUP_HEAD);
        }

    // Arms reach for the wheel; legs run forward to the pedals and stay put.
    for (double side : {-1.0, 1.0}) {
        addTube(part,
                {{side * 0.19, 0.45, 0.10}, {side * 0.25, 0.24, -0.15}, {side * 0.17, 0.33, -0.38}},
                0.045, limb, VERTEX_MOVES, ATLAS_SKIN);
        addTube(
            part,
            {{side * 0.09, 0.02, -0.02}, {side * 0.11, 0.15, -0.45}, {side * 0.11, -0.10, -0.84}},
            0.065, limb, VERTEX_FIXED, ATLAS_TRIM);
    }

    // The steering wheel: a ring leaning back towards the driver.
    const DVec3 hub{0, 0.33, -0.43}, axis = normalized({0, 0.45, 1});
    DVec3 u, v;
    across(axis, u, v);
    const double major = 0.17, minor = 0.02;
    const int around = std::max(10, 3 * n / 2), tube = n >= 12 ? 6 : 4;
    std::vector<Loop> sections;
    for (int k = 0; k < around; ++k) {
        const double a = TURN * k / around;
        const DVec3 radial = u * std::cos(a) + v * std::sin(a);
        sections.push_back(circle(hub + radial * major, radial, axis, minor, minor, tube));
    }
    for (int k = 0; k < around; ++k)
        joinLoops(part, sections[size_t(k)], sections[size_t((k + 1) % around)], ATLAS_TRIM,
                  double(k) / around, double(k + 1) / around, GROUP_STEERING, VERTEX_FIXED,
                  VERTEX_FIXED, 0);
    return part;
}
