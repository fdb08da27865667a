// View transform and projection.
#include "render/transform.h"

#include "model/car_model.h"
#include "render/camera.h"
#include "render/frame_buffer.h"

#include <cfloat>
#include <cmath>

void transformPoints(const Vec3* src, Vec3* dst, int count, Vec3 offset) {
    const ViewCamera& v = camera.live;
    const Matrix3& m = camera.viewMatrix;
    Vec3 c{0.0f, 0.0f, 0.0f};
    if (camera.partCentred && selectedPartValid()) c = model.header.partPos[model.selectedPart];
    for (int i = 0; i < count; ++i) {
        const double dx = (double(src[i].x) + offset.x) - c.x;
        const double dy = (double(src[i].y) + offset.y) - c.y;
        const double dz = (double(src[i].z) + offset.z) - c.z;
        dst[i] = {float(dx * m.m[0][0] + dy * m.m[1][0] + dz * m.m[2][0] - v.panX),
                  float(dx * m.m[0][1] + dy * m.m[1][1] + dz * m.m[2][1] - v.panY),
                  float(dx * m.m[0][2] + dy * m.m[1][2] + dz * m.m[2][2] - v.distance)};
    }
}

namespace {
// A point a hair in front of the camera projects beyond any float; it
// saturates instead, and clipping removes it like any far point.
inline float screenCoordinate(double c) {
    return c > FLT_MAX ? FLT_MAX : c < -FLT_MAX ? -FLT_MAX : float(c);
}
} // namespace

void projectPoints(const Vec3* src, float* dst, int count, int skip) {
    const double cx = frame.viewCentreXf, cy = frame.viewCentreYf;
    const int stride = 2 + skip;
    if (camera.currentCamera == 0) {
        const double focal = camera.live.focalLength;
        for (int i = 0; i < count; ++i, dst += stride) {
            const double x = src[i].x, y = src[i].y, z = src[i].z;
            if (z < 0) {
                const double f = (focal - z) / -z;
                dst[0] = screenCoordinate(std::floor(cx + (x - x * f)));
                dst[1] = screenCoordinate(std::floor(cy + (-y + y * f)));
            } else {
                dst[0] = x < 0 ? -SCREEN_FAR : SCREEN_FAR;
                dst[1] = y < 0 ? SCREEN_FAR : -SCREEN_FAR;
            }
        }
    } else {
        const double s = camera.live.orthoScale;
        for (int i = 0; i < count; ++i, dst += stride) {
            dst[0] = screenCoordinate(std::floor(cx + src[i].x * s));
            dst[1] = screenCoordinate(std::floor(cy - src[i].y * s));
        }
    }
}
