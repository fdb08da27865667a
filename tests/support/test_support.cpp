// Shared helpers of the test suites.
#include "support/test_support.h"

#include "model/car_model.h"

#include <bit>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <stdexcept>
#include <sys/wait.h>

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vornix-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}
TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::string sourcePath(const std::string& relative) {
    return std::string(VORNIX_SOURCE_DIR) + "/" + relative;
}
std::string fixturePath(const std::string& relative) {
    const char* env = std::getenv("VORNIX_FIXTURES");
    for (const std::string& folder :
         {std::string(env ? env : ""), std::string(VORNIX_SHARED_DIR) + "/fixtures"}) {
        std::error_code error;
        if (!folder.empty() && std::filesystem::is_regular_file(folder + "/" + relative, error))
            return folder + "/" + relative;
    }
    return {};
}

std::vector<uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

uint32_t wordAt(const std::vector<uint8_t>& bytes, size_t offset) {
    uint32_t value;
    return std::memcpy(&value, bytes.data() + offset, 4), value;
}
float floatAt(const std::vector<uint8_t>& bytes, size_t offset) {
    return std::bit_cast<float>(wordAt(bytes, offset));
}
void setWordAt(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
    std::memcpy(bytes.data() + offset, &value, 4);
}

CliRun runCli(const std::string& arguments) {
    TempDir dir;
    const std::string command =
        std::string(VORNIX_CLI_PATH) + " " + arguments + " 2>" + dir.file("stderr");
    CliRun run;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    for (uint8_t c : readBytes(dir.file("stderr"))) run.err += char(c);
    return run;
}

std::vector<uint8_t> partBytes(int p) {
    std::vector<uint8_t> s;
    auto add = [&s](const void* a, size_t n) {
        s.insert(s.end(), static_cast<const uint8_t*>(a), static_cast<const uint8_t*>(a) + n);
    };
    const FceHeader& h = model.header;
    const size_t slot = size_t(partSlot(p)), count = size_t(h.partVertexCount[p]);
    add(model.vertices + slot, 12 * count), add(model.damagedVertices + slot, 12 * count);
    add(model.vertexFlags + slot, 4 * count);
    for (int t = h.partFirstTriangle[p]; t < h.partFirstTriangle[p] + h.partTriangleCount[p]; ++t) {
        ModelTriangle tri = model.triangles[t];
        tri.groupAndBase >>= 16, add(&tri, sizeof tri);
    }
    add(&h.partPos[p], 12), add(&model.partHalfWidth[p], 4), add(&model.groupCount[p], 2);
    add(model.groups[p], sizeof model.groups[p]), add(h.partNames[p], NAME_SIZE);
    return s;
}

void buildTestModel(int parts, int n) { // n triangles and n + 2 vertices a part
    resetModel();
    const int T = parts * n;
    if (!allocateStore(T)) throw std::runtime_error("allocateStore failed");
    FceHeader& h = model.header;
    h.version = FCE_VERSION, h.numTriangles = T, h.numParts = parts, h.numArts = 1;
    std::mt19937 random(1234);
    std::uniform_real_distribution<float> coordinate(-2.0f, 2.0f);
    for (int p = 0; p < parts; ++p) {
        const int first = p * n, slot = 3 * first;
        h.partFirstTriangle[p] = first, h.partTriangleCount[p] = n;
        h.partFirstVertex[p] = slot, h.partVertexCount[p] = n + 2;
        h.partPos[p] = {float(p), 0.5f * float(p), -0.25f * float(p)};
        std::snprintf(h.partNames[p], NAME_SIZE, "part%d", p);
        model.partFlags[p] = PART_VISIBLE, model.groupCount[p] = 1;
        for (SmoothingGroup& g : model.groups[p]) g = {0, 60};
        for (int i = 0; i < n + 2; ++i) {
            model.vertices[slot + i] = {coordinate(random), coordinate(random), coordinate(random)};
            model.damagedVertices[slot + i] = model.vertices[slot + i];
            model.vertexFlags[slot + i] = (i % 3 == 0) ? VERTEX_FIXED : VERTEX_MOVES;
        }
        for (int k = 0; k < n; ++k) {
            ModelTriangle& tri = model.triangles[first + k];
            tri.groupAndBase = uint32_t(slot), tri.flags = k % 5 == 0 ? TRI_ALL_WINDOWS : 0;
            for (int c = 0; c < 3; ++c)
                tri.v[c] = uint32_t(k + c), tri.texU[c] = float(k + c) / float(n + 2),
                tri.texV[c] = float(c) * 0.5f;
        }
        computeFaceNormals(model.vertices + slot, n + 2, first, n);
        computeVertexNormals(first, model.normals + slot, n, n + 2);
        copyVec3Array(model.normals + slot, model.damagedNormals + slot, n + 2);
    }
    h.numDummies = 2, h.numColors = 3;
    h.dummyPos[0] = {0.5f, 0.25f, 2.0f}, h.dummyPos[1] = {-0.5f, 0.25f, -2.0f};
    std::strcpy(h.dummyNames[0], "HWYN123"), std::strcpy(h.dummyNames[1], ":LICENSE");
    for (int i = 0; i < 3; ++i)
        for (int layer = 0; layer < COLOR_LAYERS; ++layer)
            model.colorLayers[layer][i] = {uint8_t(30 * i + layer), uint8_t(100 - i),
                                           uint8_t(60 + layer), uint8_t(i)};
    model.modelLoaded = true;
}
