// TGA files for the texture tests.
#include "texture/tga_builder.h"

#include "model/file_io.h"
#include "texture/texture.h"

#include <cstring>
#include <stdexcept>

std::vector<uint8_t> makeTga(const TgaSpec& spec, const std::function<Texel(int, int)>& texel) {
    std::vector<uint8_t> bytes(18, 0);
    bytes[0] = uint8_t(spec.imageId.size());
    bytes[1] = uint8_t(spec.colorMapType);
    bytes[2] = uint8_t(spec.imageType);
    bytes[5] = uint8_t(spec.colorMapLength);
    bytes[6] = uint8_t(spec.colorMapLength >> 8);
    bytes[7] = uint8_t(spec.colorMapEntryBits);
    bytes[12] = uint8_t(spec.width);
    bytes[13] = uint8_t(spec.width >> 8);
    bytes[14] = uint8_t(spec.height);
    bytes[15] = uint8_t(spec.height >> 8);
    bytes[16] = uint8_t(spec.depth);
    bytes[17] = uint8_t(spec.descriptor);
    const size_t mapBytes = size_t(spec.colorMapLength) * size_t((spec.colorMapEntryBits + 7) / 8);
    const int perTexel = spec.depth / 8;
    bytes.reserve(18 + spec.imageId.size() + mapBytes +
                  size_t(spec.width) * size_t(spec.height) * size_t(perTexel));
    for (uint8_t b : spec.imageId) bytes.push_back(b);
    for (size_t i = 0; i < mapBytes; ++i) bytes.push_back(uint8_t(0xC0 + i));
    for (int j = 0; j < spec.height; ++j)
        for (int i = 0; i < spec.width; ++i) {
            const Texel t = texel(i, j);
            const uint8_t all[4] = {t.b, t.g, t.r, t.a};
            for (int k = 0; k < perTexel && k < 4; ++k) bytes.push_back(all[k]);
        }
    return bytes;
}

bool loadTgaBytes(const TempDir& dir, const std::vector<uint8_t>& bytes) {
    const std::string path = dir.file("texture.tga");
    writeBytes(path, bytes);
    if (!openForReading(path)) throw std::runtime_error("cannot open " + path);
    return loadTexture();
}

namespace {
Texel texelAt(const uint8_t* image, int x, int y) {
    const uint8_t* p = image + (size_t(y) * TEXTURE_SIZE + size_t(x)) * 4;
    return {p[0], p[1], p[2], p[3]};
}
} // namespace

Texel workingTexel(int x, int y) {
    return texelAt(workingTexture(), x, y);
}
Texel pristineTexel(int x, int y) {
    return texelAt(pristineTexture(), x, y);
}
