// The sine table, angle arithmetic and elementary rotations.
#include "render/angles.h"

#include <cmath>

const std::array<double, SINE_TABLE_SIZE>& sineTable() {
    static const std::array<double, SINE_TABLE_SIZE> table = [] {
        std::array<double, SINE_TABLE_SIZE> t{};
        // The constant is used as written, not a full-precision pi.
        for (int i = 0; i < SINE_TABLE_SIZE; ++i) t[i] = std::sin(i * 3.141592654 / 720.0);
        return t;
    }();
    return table;
}

void buildSineTable() {
    (void)sineTable();
}

SinCos sinCos(int a) {
    const auto& t = sineTable();
    if (a < 0 || a >= 1440) return {0.0, 1.0};
    if (a < 360) return {t[a], t[360 - a]};
    if (a < 720) return {t[720 - a], -t[a - 360]};
    if (a < 1080) return {-t[a - 720], -t[1080 - a]};
    return {-t[1440 - a], t[a - 1080]};
}

Direction direction(int a, int b, float r) {
    const SinCos sa = sinCos(a), sb = sinCos(b);
    return {sa.cosine * sb.sine * r, -sa.sine * r, sa.cosine * sb.cosine * r};
}

int wrapAngle(int angle) {
    if (angle >= ANGLE_FULL_TURN) return angle - ANGLE_FULL_TURN;
    if (angle < 0) return angle + ANGLE_FULL_TURN;
    return angle;
}

Matrix3 identityMatrix() {
    return {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
}

Matrix3 rotationX(int angle) {
    const SinCos r = sinCos(angle);
    return {{{1, 0, 0}, {0, r.cosine, r.sine}, {0, -r.sine, r.cosine}}};
}

Matrix3 rotationY(int angle) {
    const SinCos r = sinCos(angle);
    return {{{r.cosine, 0, -r.sine}, {0, 1, 0}, {r.sine, 0, r.cosine}}};
}

Matrix3 rotationZ(int angle) {
    const SinCos r = sinCos(angle);
    return {{{r.cosine, r.sine, 0}, {-r.sine, r.cosine, 0}, {0, 0, 1}}};
}

Matrix3 multiply(const Matrix3& a, const Matrix3& b) {
    Matrix3 out{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            out.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j];
    return out;
}
