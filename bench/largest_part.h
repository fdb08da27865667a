// The largest part a model can hold, for the benchmarks: 21845 triangles in
// a bumpy sheet of 2 triangles per cell whose corners all have slots of
// their own, as an imported mesh has before its first rebuild, with texture
// coordinates taken from the sheet's plan.
#pragma once

#include "model/car_model.h"

#include <cstdlib>

inline void buildSheet() {
    constexpr int W = 109;
    const int T = MAX_TRIANGLES;
    if (!allocateStore(T)) std::abort();
    FceHeader& h = model.header;
    h.numParts = 1, h.numTriangles = T, h.partTriangleCount[0] = T, h.partVertexCount[0] = 3 * T;
    model.groupCount[0] = 1, model.groups[0][0] = {0, 60};
    auto point = [](int i, int j) {
        return Vec3{0.05f * float(i), 0.01f * float((i * 7 + j * 3) % 5), 0.05f * float(j)};
    };
    for (int t = 0; t < T; ++t) {
        const int cell = t / 2, i = cell % W, j = cell / W;
        const Vec3 c[4] = {point(i, j), point(i + 1, j), point(i, j + 1), point(i + 1, j + 1)};
        const Vec3 corners[3] = {c[0], t % 2 ? c[3] : c[1], t % 2 ? c[2] : c[3]};
        for (int k = 0; k < 3; ++k) {
            model.vertices[3 * t + k] = model.damagedVertices[3 * t + k] = corners[k];
            model.triangles[t].v[k] = uint32_t(3 * t + k);
            model.triangles[t].texU[k] = corners[k].x / 6.0f;
            model.triangles[t].texV[k] = corners[k].z / 6.0f;
        }
    }
    computeFaceNormals(model.vertices, 3 * T, 0, T);
}
