// The project's own sample car, assembled: the body with its lower-detail
// copies, four wheels, the driver, light and plate dummies and colour presets.
//
// One detail level scales every tessellation together; the largest level
// whose triangle count fits the request is taken, then the body gets extra
// cross-sections while they still fit. Everything is computed from fixed
// numbers, so the same request always gives the same files.
#include "cli/sample_car.h"

#include "cli/sample_shapes.h"
#include "cli/sample_texture.h"
#include "model/car_model.h"
#include "model/fce_file.h"
#include "model/messages.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

struct CarDetail {
    BodyDetail body;
    int wheelSegments;
    int driverSegments;
};

CarDetail detailAt(double level) {
    auto atLeast = [](int least, double value) { return std::max(least, int(std::lround(value))); };
    CarDetail d;
    d.body.floorSegments = atLeast(1, 1.0 * level);
    d.body.sideSegments = atLeast(2, 3.0 * level);
    d.body.upperSegments = atLeast(5, 6.0 * level);
    d.body.stations = atLeast(6, 16.0 * level);
    d.body.archStations = atLeast(2, 3.0 * level);
    // Wheels and driver stop at a sensible roundness; the body takes the rest.
    d.wheelSegments = 4 * std::min(12, atLeast(3, 4.0 * level));
    d.driverSegments = 2 * std::min(8, atLeast(3, 4.0 * level));
    return d;
}

// The hidden lower-detail bodies the game switches to at a distance.
BodyDetail mediumBody() {
    return {1, 2, 5, 6, 0, false, true, false};
}
BodyDetail lowBody() {
    return {1, 1, 4, 2, 0, false, true, false};
}
BodyDetail tinyBody() {
    return {1, 1, 1, 2, 0, false, false, false};
}

std::vector<PartMesh> partsAt(const CarDetail& d) {
    std::vector<PartMesh> parts;
    parts.push_back(buildBody(":HB", d.body));
    struct Wheel {
        const char* name;
        double x, z;
    } wheels[] = {{":HLFW", -CAR_WHEEL_X, CAR_FRONT_AXLE_Z},
                  {":HRFW", CAR_WHEEL_X, CAR_FRONT_AXLE_Z},
                  {":HLRW", -CAR_WHEEL_X, CAR_REAR_AXLE_Z},
                  {":HRRW", CAR_WHEEL_X, CAR_REAR_AXLE_Z}};
    for (const Wheel& w : wheels) {
        PartMesh wheel = buildWheel(w.name, d.wheelSegments);
        if (w.x < 0) wheel.mirrorX();
        wheel.position = {w.x, CAR_WHEEL_Y, w.z};
        parts.push_back(std::move(wheel));
    }
    PartMesh driver = buildDriver(":OD", d.driverSegments);
    driver.position = {-0.37, -0.21, 0.42};
    parts.push_back(std::move(driver));
    // Hidden by their names' convention: second character 'M', ":LB", ":TB".
    for (auto [name, detail] : {std::pair{":MB", mediumBody()}, std::pair{":LB", lowBody()},
                                std::pair{":TB", tinyBody()}}) {
        PartMesh body = buildBody(name, detail);
        body.partFlags = 0;
        parts.push_back(std::move(body));
    }
    return parts;
}

size_t triangleCount(const std::vector<PartMesh>& parts) {
    size_t total = 0;
    for (const PartMesh& p : parts) total += p.triangles.size();
    return total;
}

std::vector<PartMesh> fittingParts(int limit) {
    // The count grows with the level; find the largest level that fits.
    double low = 0.0, high = 6.0;
    for (int i = 0; i < 24; ++i) {
        const double middle = (low + high) / 2;
        if (triangleCount(partsAt(detailAt(middle))) <= size_t(limit))
            low = middle;
        else
            high = middle;
    }
    CarDetail detail = detailAt(low);
    std::vector<PartMesh> parts = partsAt(detail);
    // Fill what is left with more cross-sections of the body.
    for (int misses = 0; misses < 3;) {
        CarDetail finer = detail;
        finer.body.stations += 1;
        std::vector<PartMesh> more = partsAt(finer);
        detail = finer;
        if (triangleCount(more) <= size_t(limit)) {
            parts = std::move(more);
            misses = 0;
        } else {
            ++misses;
        }
    }
    return parts;
}

void setDummy(int index, const char* name, DVec3 p) {
    std::strncpy(model.header.dummyNames[index], name, NAME_SIZE - 1);
    model.header.dummyPos[index] = {float(p.x), float(p.y), float(p.z)};
}

void addDummies() {
    int n = 0;
    for (double side : {-1.0, 1.0}) {
        setDummy(n++, "HWYN900", {side * 0.50, 0.04, -2.16});
        setDummy(n++, "TRYN600", {side * 0.62, 0.09, 2.13});
        setDummy(n++, "BRYN900", {side * 0.47, 0.09, 2.16});
        setDummy(n++, "POYO700", {side * 0.65, -0.095, -2.11});
    }
    setDummy(n++, "BRYN500", {0.0, 0.64, 1.08}); // the high brake light
    setDummy(n++, "RWYN800", {-0.35, 0.09, 2.16});
    setDummy(n++, ":LICENSE", {0.0, -0.095, 2.17});
    setDummy(n++, ":SMOKE", {0.39, -0.32, 2.17});
    model.header.numDummies = n;
}

void addColours() {
    // Body, stripes and helmet, rims, suit.
    const HsbColor presets[][COLOR_LAYERS] = {
        {{0, 118, 100, 0}, {0, 0, 127, 0}, {0, 0, 98, 0}, {0, 0, 36, 0}},
        {{118, 112, 92, 0}, {0, 0, 127, 0}, {0, 0, 62, 0}, {112, 36, 64, 0}},
        {{26, 124, 127, 0}, {0, 0, 18, 0}, {0, 0, 24, 0}, {0, 0, 44, 0}},
        {{74, 96, 52, 0}, {24, 96, 112, 0}, {24, 84, 104, 0}, {14, 64, 92, 0}},
        {{0, 0, 104, 0}, {120, 116, 94, 0}, {0, 0, 112, 0}, {0, 104, 72, 0}},
        {{12, 124, 127, 0}, {0, 0, 14, 0}, {0, 0, 100, 0}, {12, 110, 90, 0}},
    };
    model.header.numColors = int(std::size(presets));
    for (int i = 0; i < model.header.numColors; ++i)
        for (int layer = 0; layer < COLOR_LAYERS; ++layer)
            model.colorLayers[layer][i] = presets[i][layer];
}

} // namespace

bool buildSampleCar(int triangles) {
    if (triangles < SAMPLE_MIN_TRIANGLES || triangles > MAX_TRIANGLES) {
        showError(format("The sample car takes %d to %d triangles, not %d.", SAMPLE_MIN_TRIANGLES,
                         MAX_TRIANGLES, triangles));
        return false;
    }
    const std::vector<PartMesh> parts = fittingParts(triangles);
    if (triangleCount(parts) > size_t(triangles)) {
        showError(format("The sample car needs more than %d triangles.", triangles));
        return false;
    }
    if (!installParts(parts, dentedPoint)) return false;
    addDummies();
    addColours();
    return true;
}

bool writeSampleCar(const std::string& folder, int triangles) {
    if (!buildSampleCar(triangles)) return false;
    const std::string fce = folder + "/car.fce", tga = folder + "/car00.tga";
    if (!saveFceFile(fce)) {
        showError(format("could not write '%s'", fce.c_str()));
        return false;
    }
    if (!writeSampleTexture(tga)) {
        showError(format("could not write '%s'", tga.c_str()));
        return false;
    }
    return true;
}
