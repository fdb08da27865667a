// Integer angles and rotations. Every camera and light angle is a whole
// number of quarter degrees (1440 make a turn) and goes through one table of
// sines, so the same angle always gives bit-identical trigonometry.
#pragma once

#include <array>

constexpr int ANGLE_FULL_TURN = 1440;
constexpr int SINE_TABLE_SIZE = 364;

struct SinCos {
    double sine, cosine;
};

// 3x3 matrix of doubles, row-major, used as a row-vector transform:
// out[j] = sum over i of v[i] * m[i][j].
struct Matrix3 {
    double m[3][3];
};

using Direction = std::array<double, 3>;

// The table, entry i = sin(i * 3.141592654 / 720). Built on first use, so it
// is ready before any record's start-up value needs it.
const std::array<double, SINE_TABLE_SIZE>& sineTable();
void buildSineTable();

// Sine and cosine of an angle in quarter degrees. 1440 and beyond give (0, 1),
// which expressions of the form 1440 - angle rely on; a negative angle, which
// no caller should pass, gives (0, 1) as well rather than reading outside the
// table.
SinCos sinCos(int angle);

// (cos a * sin b * r, -sin a * r, cos a * cos b * r).
Direction direction(int a, int b, float r);

// Adds or subtracts one full turn once, keeping a stored angle in 0..1439.
int wrapAngle(int angle);

Matrix3 identityMatrix();
Matrix3 rotationX(int angle);
Matrix3 rotationY(int angle);
Matrix3 rotationZ(int angle);
Matrix3 multiply(const Matrix3& a, const Matrix3& b);
