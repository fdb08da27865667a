// Reading the program's pictures.
#include "app/pictures.h"

#include <png.h>

#include <algorithm>
#include <fstream>

AboutPicture aboutPicture;

bool loadPicture(const std::string& path, Picture& picture) {
    picture = Picture{};
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_BGRA; // little-endian words 0xAARRGGBB
    std::vector<uint32_t> pixels(size_t(image.width) * image.height);
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    picture.width = int(image.width);
    picture.height = int(image.height);
    picture.pixels = std::move(pixels);
    return true;
}

bool loadAboutPicture(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    aboutPicture.bytes.assign(std::istreambuf_iterator<char>(in), {});
    const bool ok = aboutPicture.usable() && aboutPicture.bytes[12] + 256 * aboutPicture.bytes[13] == 400 &&
                    aboutPicture.bytes[14] + 256 * aboutPicture.bytes[15] == 300;
    if (!ok) aboutPicture.bytes.clear();
    return ok;
}

void drawAboutPicture(uint32_t* view, int pitch, int viewWidth, int viewHeight) {
    for (int y = 0; y < viewHeight; ++y) std::fill(view + y * pitch, view + y * pitch + viewWidth, 0xC0C0C0u);
    if (!aboutPicture.usable()) return;
    uint8_t* bytes = aboutPicture.bytes.data();
    uint8_t* indices = bytes + 786;
    const int w = 400, h = 300;
    if (bytes[17] & 0x10) { // rows stored right to left
        for (int y = 0; y < h; ++y) std::reverse(indices + y * w, indices + (y + 1) * w);
        bytes[17] &= ~0x10;
    }
    if (!(bytes[17] & 0x20)) { // rows stored bottom to top
        for (int y = 0; y < h / 2; ++y)
            std::swap_ranges(indices + y * w, indices + (y + 1) * w, indices + (h - 1 - y) * w);
        bytes[17] |= 0x20;
    }
    const int left = std::max(0, (viewWidth - w) / 2), top = std::max(0, (viewHeight - h) / 2);
    const uint8_t* palette = bytes + 18;
    for (int y = 0; y < h && top + y < viewHeight; ++y)
        for (int x = 0; x < w && left + x < viewWidth; ++x) {
            const uint8_t* c = palette + 3 * indices[y * w + x];
            view[(top + y) * pitch + left + x] = uint32_t(c[2]) << 16 | uint32_t(c[1]) << 8 | c[0];
        }
}
