// The body shell of the sample car.
//
// The body is a loop of cross-sections along the car's length. Each
// cross-section runs from the centre of the floor out to the sill (with a
// notch for the wheel well), up the bulging side, over the shoulder and
// across the bonnet, the cabin or the boot to the centre line; the left half
// is its mirror image. Every cross-section has the same points, so
// neighbouring ones are joined by quads, and the nose and tail are closed by
// fans. Which part of the car a quad belongs to (paint, glass, underbody)
// decides its smoothing group, flags and texture mapping.
#include "cli/sample_shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double PI = std::numbers::pi;

enum Stretch {
    STRETCH_FLOOR,
    STRETCH_WALL,
    STRETCH_CEILING,
    STRETCH_SIDE,
    STRETCH_BELT,
    STRETCH_SIDE_GLASS,
    STRETCH_RAIL,
    STRETCH_ROOF
};

enum Material {
    SURFACE_PAINT,
    SURFACE_UNDER,
    SURFACE_FRONT_GLASS,
    SURFACE_BACK_GLASS,
    SURFACE_SIDE_WINDOW,
    SURFACE_QUARTER_WINDOW
};

// The rounded outline of the car seen from above.
double planHalfWidth(double z) {
    const double s = std::min(1.0, std::fabs(z) / CAR_PLAN_LENGTH);
    return CAR_HALF_WIDTH * std::pow(1.0 - std::pow(s, 5.0), 0.2);
}

// The floor rises under the overhangs at both ends.
double floorY(double z) {
    return CAR_FLOOR_Y + 0.15 * smoothStep((-1.84 - z) / 0.32) +
           0.12 * smoothStep((z - 1.72) / 0.44);
}

// The sill: the lowest line of the side, a little above the floor.
double sillY(double z) {
    return floorY(z) + 0.04;
}

// Height of the centre line: bonnet, windscreen, roof, rear window, boot.
double topY(double z) {
    if (z <= CAR_WINDSCREEN_Z) {
        const double t = (CAR_WINDSCREEN_Z - z) / (CAR_WINDSCREEN_Z - CAR_FRONT_Z);
        return 0.30 - 0.17 * std::pow(t, 1.8);
    }
    if (z <= CAR_ROOF_FRONT_Z) {
        const double t = (z - CAR_WINDSCREEN_Z) / (CAR_ROOF_FRONT_Z - CAR_WINDSCREEN_Z);
        return 0.30 + 0.40 * t * (1.25 - 0.25 * t);
    }
    if (z <= CAR_ROOF_REAR_Z) {
        const double t = (z - CAR_ROOF_FRONT_Z) / (CAR_ROOF_REAR_Z - CAR_ROOF_FRONT_Z);
        return 0.70 - 0.02 * t * t;
    }
    if (z <= CAR_DECK_Z) {
        const double t = (z - CAR_ROOF_REAR_Z) / (CAR_DECK_Z - CAR_ROOF_REAR_Z);
        return 0.68 - 0.32 * std::pow(t, 1.15);
    }
    const double t = (z - CAR_DECK_Z) / (CAR_REAR_Z - CAR_DECK_Z);
    return 0.36 - 0.02 * t - 0.03 * std::pow(t, 4.0);
}

// Height of the shoulder line; along the cabin it is the foot of the windows.
double shoulderY(double z) {
    if (z <= CAR_WINDSCREEN_Z || z >= CAR_DECK_Z) return topY(z) - 0.07;
    return lerp(0.23, 0.29, (z - CAR_WINDSCREEN_Z) / (CAR_DECK_Z - CAR_WINDSCREEN_Z));
}

// How much of the cabin stands on this cross-section: 0 over bonnet and boot,
// 1 under the roof, rising along the windscreen and falling along the rear window.
double cabinShare(double z) {
    if (z <= CAR_WINDSCREEN_Z || z >= CAR_DECK_Z) return 0.0;
    if (z <= CAR_ROOF_FRONT_Z) return clamp01((topY(z) - 0.30) / 0.40);
    if (z <= CAR_ROOF_REAR_Z) return 1.0;
    return clamp01((topY(z) - 0.36) / 0.32);
}

// The top of the wheel well: the sill, or the arch around a wheel.
double archY(double z) {
    double y = sillY(z);
    for (double axle : {CAR_FRONT_AXLE_Z, CAR_REAR_AXLE_Z}) {
        const double dz = std::fabs(z - axle);
        if (dz <= CAR_ARCH_RADIUS + 1e-9) {
            const double h = std::sqrt(std::max(0.0, CAR_ARCH_RADIUS * CAR_ARCH_RADIUS - dz * dz));
            y = std::max(y, CAR_WHEEL_Y + h);
        }
    }
    return y;
}

// The side bulges out at mid height and tucks in at sill and shoulder.
double sideBulge(double tau) {
    return 0.90 + 0.09 * std::sin(PI * tau) - 0.04 * tau * tau;
}

struct Layout {
    std::vector<Stretch> stretch; // per segment of the right half, bottom to top
    std::vector<double> upperV;   // where the points over the shoulder lie, 0..1
};

Layout layoutOf(const BodyDetail& d) {
    Layout l;
    l.stretch.insert(l.stretch.end(), size_t(d.floorSegments), STRETCH_FLOOR);
    if (d.arches) l.stretch.insert(l.stretch.end(), {STRETCH_WALL, STRETCH_CEILING});
    l.stretch.insert(l.stretch.end(), size_t(d.sideSegments), STRETCH_SIDE);
    const int n = d.upperSegments;
    l.upperV.push_back(0.0);
    if (!d.windows) {
        for (int k = 1; k <= n; ++k) {
            l.stretch.push_back(STRETCH_ROOF);
            l.upperV.push_back(double(k) / n);
        }
        return l;
    }
    // Window frame, glass, roof edge, roof: each stretch gets its share.
    const int rail = n >= 7 ? 2 : 1;
    const int glass = std::max(1, int(std::lround((n - 1 - rail) * 0.45)));
    const int roof = std::max(1, n - 1 - rail - glass);
    auto add = [&](Stretch s, int count, double from, double to) {
        for (int k = 1; k <= count; ++k) {
            l.stretch.push_back(s);
            l.upperV.push_back(lerp(from, to, double(k) / count));
        }
    };
    add(STRETCH_BELT, 1, 0.0, 0.06);
    add(STRETCH_SIDE_GLASS, glass, 0.06, 0.50);
    add(STRETCH_RAIL, rail, 0.50, 0.62);
    add(STRETCH_ROOF, roof, 0.62, 1.0);
    return l;
}

struct Section {
    double z;
    std::vector<double> x, y;   // right half, bottom centre to top centre
    std::vector<bool> archEdge; // a side point pulled up onto the wheel arch
};

Section sectionAt(double z, const BodyDetail& d, const Layout& layout) {
    Section s{z, {}, {}, {}};
    auto add = [&](double x, double y, bool edge = false) {
        s.x.push_back(x);
        s.y.push_back(y);
        s.archEdge.push_back(edge);
    };
    const double w = planHalfWidth(z) / CAR_HALF_WIDTH;
    const double floor = floorY(z), sill = sillY(z), shoulder = shoulderY(z), top = topY(z);
    const double sideStart = CAR_HALF_WIDTH * w * sideBulge(0);
    add(0, floor);
    const double floorEnd = d.arches ? 0.58 * w : sideStart;
    for (int k = 1; k <= d.floorSegments; ++k) add(floorEnd * k / d.floorSegments, floor);
    const double well = d.arches ? archY(z) : floor;
    const double sideFoot = d.arches ? sill : floor;
    if (d.arches) {
        add(floorEnd, well);
        add(sideStart, well);
    }
    for (int k = 1; k <= d.sideSegments; ++k) {
        const double tau = double(k) / d.sideSegments;
        const double y = lerp(sideFoot, shoulder, tau);
        add(CAR_HALF_WIDTH * w * sideBulge(tau), std::max(y, well), well > y);
    }
    // Over the shoulder: the bonnet's gentle crown blended with the cabin's
    // glass flank and rounded roof, by how much cabin stands here.
    const double xs = CAR_HALF_WIDTH * w * sideBulge(1), xr = 0.70 * CAR_HALF_WIDTH * w;
    const double share = cabinShare(z);
    for (size_t k = 1; k < layout.upperV.size(); ++k) {
        const double v = layout.upperV[k];
        const double bx = xs * (1 - v), by = shoulder + (top - shoulder) * (1 - (1 - v) * (1 - v));
        double cx, cy;
        if (v <= 0.5) {
            cx = lerp(xs, xr, v / 0.5);
            cy = lerp(shoulder, top - 0.07, v / 0.5);
        } else {
            const double tau = (v - 0.5) / 0.5;
            cx = xr * (1 - tau);
            cy = top - 0.07 * std::pow(1 - tau, 4.0);
        }
        add(lerp(bx, cx, share), lerp(by, cy, share));
    }
    s.x.back() = 0; // the centre line, exactly
    return s;
}

std::vector<double> stationsOf(const BodyDetail& d) {
    std::vector<double> fixed = {CAR_FRONT_Z,      CAR_REAR_Z,      CAR_WINDSCREEN_Z,
                                 CAR_ROOF_FRONT_Z, CAR_ROOF_REAR_Z, CAR_DECK_Z};
    if (d.windows && d.pillars)
        fixed.insert(fixed.end(), {CAR_PILLAR_FRONT_Z, CAR_PILLAR_REAR_Z, CAR_SIDE_WINDOW_FRONT_Z,
                                   CAR_SIDE_WINDOW_REAR_Z});
    if (d.arches)
        for (double axle : {CAR_FRONT_AXLE_Z, CAR_REAR_AXLE_Z}) {
            // The arch ends, and just outside them the sill again: the arch's legs.
            for (double side : {-1.0, 1.0}) {
                fixed.push_back(axle + side * CAR_ARCH_RADIUS);
                fixed.push_back(axle + side * (CAR_ARCH_RADIUS + 0.015));
            }
            // Evenly spread along the arch's curve.
            for (int k = 1; k <= d.archStations; ++k)
                fixed.push_back(axle - CAR_ARCH_RADIUS * std::cos(PI * k / (d.archStations + 1)));
        }
    std::vector<double> all = fixed;
    for (int i = 1; i + 1 < d.stations; ++i) {
        const double z = lerp(CAR_FRONT_Z, CAR_REAR_Z, double(i) / (d.stations - 1));
        bool clear = true;
        for (double f : fixed) clear = clear && std::fabs(z - f) >= 0.04;
        if (clear) all.push_back(z);
    }
    std::sort(all.begin(), all.end());
    return all;
}

bool within(double z, double from, double to) {
    return z > from && z < to;
}

Material materialOf(Stretch s, double z, bool archEdge, const BodyDetail& d) {
    switch (s) {
    case STRETCH_FLOOR:
    case STRETCH_WALL:
    case STRETCH_CEILING:
        return SURFACE_UNDER;
    case STRETCH_SIDE:
        return archEdge ? SURFACE_UNDER : SURFACE_PAINT;
    case STRETCH_SIDE_GLASS:
        if (!d.windows || !within(z, CAR_SIDE_WINDOW_FRONT_Z, CAR_SIDE_WINDOW_REAR_Z))
            return SURFACE_PAINT;
        if (within(z, CAR_PILLAR_FRONT_Z, CAR_PILLAR_REAR_Z)) return SURFACE_PAINT;
        return z < CAR_PILLAR_FRONT_Z ? SURFACE_SIDE_WINDOW : SURFACE_QUARTER_WINDOW;
    case STRETCH_ROOF:
        if (!d.windows) return SURFACE_PAINT;
        if (within(z, CAR_WINDSCREEN_Z, CAR_ROOF_FRONT_Z)) return SURFACE_FRONT_GLASS;
        if (within(z, CAR_ROOF_REAR_Z, CAR_DECK_Z)) return SURFACE_BACK_GLASS;
        return SURFACE_PAINT;
    default:
        return SURFACE_PAINT;
    }
}

// Paint is mapped by the way the quad faces: the side view for the flanks,
// the view from above for bonnet, roof and boot, nose and tail for the ends.
TexCoord paintCoord(DVec3 normal, DVec3 p) {
    if (normal.y > 0.6) return atlasPoint(ATLAS_TOP, alongCar(p.z), acrossCar(p.x));
    if (normal.z < -0.55) return atlasPoint(ATLAS_FRONT, frontAcross(p.x), fasciaDown(p.y));
    if (normal.z > 0.55) return atlasPoint(ATLAS_REAR, acrossCar(p.x), fasciaDown(p.y));
    return atlasPoint(ATLAS_SIDE, alongCar(p.z), sideDown(p.y));
}

TexCoord coordOf(Material m, DVec3 normal, DVec3 p) {
    switch (m) {
    case SURFACE_PAINT:
        return paintCoord(normal, p);
    case SURFACE_UNDER:
        return atlasPoint(ATLAS_TRIM, alongCar(p.z), acrossCar(p.x));
    case SURFACE_FRONT_GLASS:
        return atlasPoint(ATLAS_GLASS, acrossCar(p.x),
                          (p.z - CAR_WINDSCREEN_Z) / (CAR_ROOF_FRONT_Z - CAR_WINDSCREEN_Z));
    case SURFACE_BACK_GLASS:
        return atlasPoint(ATLAS_GLASS, acrossCar(p.x),
                          (CAR_DECK_Z - p.z) / (CAR_DECK_Z - CAR_ROOF_REAR_Z));
    default:
        return atlasPoint(ATLAS_GLASS,
                          (p.z - CAR_SIDE_WINDOW_FRONT_Z) /
                              (CAR_SIDE_WINDOW_REAR_Z - CAR_SIDE_WINDOW_FRONT_Z),
                          (0.70 - p.y) / 0.45);
    }
}

uint16_t groupOf(Material m) {
    switch (m) {
    case SURFACE_PAINT:
        return GROUP_PAINT;
    case SURFACE_UNDER:
        return GROUP_UNDER;
    default:
        return GROUP_GLASS;
    }
}

uint32_t flagsOf(Material m, bool left) {
    const uint32_t side = left ? TRI_LEFT_WINDOW : TRI_RIGHT_WINDOW;
    switch (m) {
    case SURFACE_UNDER:
        return TRI_DONT_CHROME;
    case SURFACE_FRONT_GLASS:
        return TRI_ALL_WINDOWS | TRI_FRONT_WINDOW;
    case SURFACE_BACK_GLASS:
        return TRI_ALL_WINDOWS | TRI_BACK_WINDOW;
    case SURFACE_SIDE_WINDOW:
        return TRI_ALL_WINDOWS | side;
    case SURFACE_QUARTER_WINDOW:
        return TRI_ALL_WINDOWS | TRI_SEMI_TRANSPARENT | side;
    default:
        return 0;
    }
}

// Corners a, b, c, d counter-clockwise from outside.
void addQuad(PartMesh& part, const DVec3 (&p)[4], Material m, bool left) {
    const DVec3 normal = normalized(cross(p[2] - p[0], p[3] - p[1]));
    const uint16_t group = groupOf(m);
    uint32_t v[4];
    TexCoord t[4];
    for (int k = 0; k < 4; ++k) {
        v[k] = part.vertex(p[k], group);
        t[k] = coordOf(m, normal, p[k]);
    }
    part.quad(v[0], v[1], v[2], v[3], t[0], t[1], t[2], t[3], flagsOf(m, left), group);
}

// Nose and tail panels: a fan from the middle of the cross-section.
void addEndPanel(PartMesh& part, const Section& s, bool nose) {
    const size_t n = s.x.size() - 1;
    std::vector<DVec3> loop;
    for (size_t k = 0; k <= n; ++k) loop.push_back({s.x[k], s.y[k], s.z});
    for (size_t k = n - 1; k >= 1; --k) loop.push_back({-s.x[k], s.y[k], s.z});
    const uint16_t group = nose ? GROUP_NOSE : GROUP_TAIL;
    const DVec3 centre{0, lerp(s.y[0], s.y[n], 0.45), s.z};
    auto coord = [&](DVec3 p) {
        return nose ? atlasPoint(ATLAS_FRONT, frontAcross(p.x), fasciaDown(p.y))
                    : atlasPoint(ATLAS_REAR, acrossCar(p.x), fasciaDown(p.y));
    };
    const uint32_t c = part.vertex(centre, group);
    for (size_t k = 0; k < loop.size(); ++k) {
        const DVec3 a = loop[k], b = loop[(k + 1) % loop.size()];
        const uint32_t va = part.vertex(a, group), vb = part.vertex(b, group);
        // The loop runs counter-clockwise seen from behind the car.
        if (nose)
            part.face(c, vb, va, coord(centre), coord(b), coord(a), 0, group);
        else
            part.face(c, va, vb, coord(centre), coord(a), coord(b), 0, group);
    }
}

} // namespace

PartMesh buildBody(const std::string& name, const BodyDetail& detail) {
    PartMesh part;
    part.name = name;
    part.dented = true;
    const Layout layout = layoutOf(detail);
    std::vector<Section> sections;
    for (double z : stationsOf(detail)) sections.push_back(sectionAt(z, detail, layout));

    for (size_t i = 0; i + 1 < sections.size(); ++i) {
        const Section &s0 = sections[i], &s1 = sections[i + 1];
        const double middle = (s0.z + s1.z) / 2;
        for (size_t j = 0; j < layout.stretch.size(); ++j) {
            // A quad with a whole edge on the arch is the arch's lip or lining.
            const bool edge =
                (s0.archEdge[j] && s0.archEdge[j + 1]) || (s1.archEdge[j] && s1.archEdge[j + 1]);
            const Material m = materialOf(layout.stretch[j], middle, edge, detail);
            const DVec3 a{s0.x[j], s0.y[j], s0.z}, b{s1.x[j], s1.y[j], s1.z};
            const DVec3 c{s1.x[j + 1], s1.y[j + 1], s1.z}, d{s0.x[j + 1], s0.y[j + 1], s0.z};
            // Right half: going up the section and back along the car is
            // counter-clockwise from outside; the mirrored left half the other way.
            addQuad(part, {a, d, c, b}, m, false);
            auto mirror = [](DVec3 p) { return DVec3{p.x == 0 ? 0.0 : -p.x, p.y, p.z}; };
            addQuad(part, {mirror(a), mirror(b), mirror(c), mirror(d)}, m, true);
        }
    }
    addEndPanel(part, sections.front(), true);
    addEndPanel(part, sections.back(), false);
    return part;
}

DVec3 dentedPoint(DVec3 p) {
    // A soft dent in the front left corner, as after a brush with a post.
    const DVec3 centre{-0.75, 0.05, -1.95};
    const DVec3 d = p - centre;
    const double reach = 0.55, falloff = 1.0 - std::sqrt(dot(d, d)) / reach;
    if (falloff <= 0) return p;
    const DVec3 push = normalized(DVec3{0.7, -0.1, 0.6});
    return p + push * (0.09 * falloff * falloff);
}
