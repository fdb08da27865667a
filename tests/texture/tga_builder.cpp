// TGA files for the texture tests.
#include "texture/tga_builder.h"

#include "model/file_io.h"
#include "texture/texture.h"

#include <cstring>
#include <stdexcept>

std::vector<uint8_t> makeTga(const TgaLayout& layout, const std::function<Texel(int, int)>& texel) {
    std::vector<uint8_t> bytes(18, 0);
    bytes[0] = uint8_t(layout.imageId.size());
    bytes[1] = uint8_t(layout.colorMapType);
    bytes[2] = uint8_t(layout.imageType);
    bytes[5] = uint8_t(layout.colorMapLength);
    bytes[6] = uint8_t(layout.colorMapLength >> 8);
    bytes[7] = uint8_t(layout.colorMapEntryBits);
    bytes[12] = uint8_t(layout.width);
    bytes[13] = uint8_t(layout.width >> 8);
    bytes[14] = uint8_t(layout.height);
    bytes[15] = uint8_t(layout.height >> 8);
    bytes[16] = uint8_t(layout.depth);
    bytes[17] = uint8_t(layout.descriptor);
    const size_t mapBytes = size_t(layout.colorMapLength) * size_t((layout.colorMapEntryBits + 7) / 8);
    const int perTexel = layout.depth / 8;
    bytes.reserve(18 + layout.imageId.size() + mapBytes +
                  size_t(layout.width) * size_t(layout.height) * size_t(perTexel));
    for (uint8_t b : layout.imageId) bytes.push_back(b);
    for (size_t i = 0; i < mapBytes; ++i) bytes.push_back(uint8_t(0xC0 + i));
    for (int j = 0; j < layout.height; ++j)
        for (int i = 0; i < layout.width; ++i) {
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
