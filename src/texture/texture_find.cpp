// Finding the texture of the open model, and restoring its untinted texels.
//
// The texture of car.fce is car00.tga beside it. Models often travel between
// file systems that ignore case and ones that do not, so a CAR.FCE may come
// with car00.tga or CAR00.TGA: when the derived name does not exist as
// spelled, a file in the same folder whose name differs only in case is
// taken instead. When nothing fits, the user is asked for a file.
#include "texture/texture.h"

#include "model/file_io.h"
#include "model/messages.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}
char upperAscii(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

bool equalIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    return true;
}

int caseDifferences(const std::string& a, const std::string& b) {
    int count = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) count += a[i] != b[i];
    return count;
}

// The spelling a texture of this model most likely has: the model's own stem,
// and "00.tga" in the case of the model's extension (CAR.FCE -> CAR00.TGA).
std::string preferredSpelling(const std::string& fcePath, const std::string& texturePath) {
    std::string name = fs::path(texturePath).filename().string();
    const std::string modelName = fs::path(fcePath).filename().string();
    if (modelName.size() < 4 || name.size() < 4) return name;
    const std::string extension = modelName.substr(modelName.size() - 3);
    for (int i = 0; i < 3; ++i) {
        char& c = name[name.size() - 3 + size_t(i)];
        const char model = extension[size_t(i)];
        c = (model >= 'A' && model <= 'Z') ? upperAscii(c) : lowerAscii(c);
    }
    return name;
}

bool isRegularFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error); // follows links
}

} // namespace

std::string texturePathFor(const std::string& fcePath) {
    const size_t keep = fcePath.size() >= 4 ? fcePath.size() - 4 : 0;
    return fcePath.substr(0, keep) + "00.tga";
}

std::string matchFileIgnoringCase(const std::string& path, const std::string& preferred) {
    if (isRegularFile(path)) return path;
    const fs::path wanted(path);
    const std::string name = wanted.filename().string();
    if (name.empty()) return path;
    const fs::path folder = wanted.has_parent_path() ? wanted.parent_path() : fs::path(".");

    std::vector<std::string> candidates;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string entry = it->path().filename().string();
        if (equalIgnoringCase(entry, name) && isRegularFile(it->path()))
            candidates.push_back(entry);
    }
    if (candidates.empty()) return path;
    // Directory order is arbitrary; the choice must not be.
    const std::string* best = &candidates[0];
    for (const std::string& c : candidates) {
        const int a = caseDifferences(c, preferred), b = caseDifferences(*best, preferred);
        if (a < b || (a == b && c < *best)) best = &c;
    }
    return wanted.has_parent_path() ? (folder / *best).string() : *best;
}

bool findAndLoadTexture() {
    model.texturePath = texturePathFor(model.fcePath);
    const std::string found = matchFileIgnoringCase(
        model.texturePath, preferredSpelling(model.fcePath, model.texturePath));
    if (openForReading(found)) {
        model.texturePath = found;
        return loadTexture();
    }
    // A file that is there but cannot be read is named with the reason.
    if (errno == ENOENT) {
        const std::string title = fs::path(model.texturePath).filename().string();
        showError(format("Texture file '%s' not found!", title.c_str()));
    } else {
        reportFileError(found);
    }
    const std::string chosen =
        chooseFileToOpen("Open TGA texture file:", "TGA Graphic File", "*.tga");
    if (chosen.empty()) {
        dropTexture();
        return false;
    }
    model.texturePath = chosen;
    if (!openForReading(chosen)) {
        reportFileError(chosen);
        dropTexture();
        return false;
    }
    return loadTexture();
}

void restoreTexture() {
    if (!model.textureLoaded || !model.textureImage) return;
    std::memcpy(workingTexture(), pristineTexture(), TEXTURE_COPY_BYTES);
}
