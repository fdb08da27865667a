// The shared part of the OBJ and DXF readers.
#include "exchange/text_part.h"

#include "editing/parts.h"
#include "editing/rebuild.h"
#include "exchange/exchange_file.h"
#include "model/car_model.h"

#include <algorithm>
#include <charconv>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isNumberStart(char c) {
    return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

bool finite(const Vec3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

} // namespace

TextPart::TextPart(int triangleCount)
    : vertices(size_t(3) * size_t(triangleCount)), triangles(size_t(triangleCount)) {}

bool TextPart::readHeadLine(std::string_view text) {
    std::string_view rest;
    if (startsWith(text, "Partname = ", rest))
        readName(rest);
    else if (startsWith(text, "Position = ", rest))
        readPosition(rest);
    else if (startsWith(text, "Groups = ", rest))
        readGroupCount(rest);
    else if (startsWith(text, "Smoothing = ", rest))
        readSmoothing(rest);
    else
        return false;
    return true;
}

void TextPart::readName(std::string_view rest) {
    named = true;
    std::memset(name, 0, NAME_SIZE);
    std::memcpy(name, rest.data(), std::min(rest.size(), size_t(NAME_SIZE - 1)));
}

void TextPart::readPosition(std::string_view rest) {
    float p[3];
    readNumbers(rest, p, 3);
    position = {p[0], p[1], p[2]};
}

void TextPart::readGroupCount(std::string_view rest) {
    declaredGroups = int(std::clamp(readInteger(rest), 1L, long(MAX_GROUPS)));
    groupsRead = 0;
}

// "id angle", or "id" alone for the usual angle 60.
void TextPart::readSmoothing(std::string_view rest) {
    if (groupsRead >= MAX_GROUPS) return;
    size_t i = 0;
    while (i < rest.size() && isBlank(rest[i])) ++i;
    if (i < rest.size() && (rest[i] == '-' || rest[i] == '+')) ++i;
    while (i < rest.size() && rest[i] >= '0' && rest[i] <= '9') ++i;
    const bool angleGiven = i < rest.size() && rest[i] == ' ';
    groups[groupsRead++] = {uint16_t(readInteger(rest)),
                            uint16_t(angleGiven ? readInteger(rest.substr(i)) : 60)};
}

bool startsWith(std::string_view line, std::string_view label, std::string_view& rest) {
    if (line.substr(0, label.size()) != label) return false;
    rest = line.substr(label.size());
    return true;
}

long readInteger(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min(value * 10 + (text[i] - '0'), 1LL << 32);
    return long(std::clamp(negative ? -value : value, (long long)INT_MIN, (long long)INT_MAX));
}

int readNumbers(std::string_view text, float* numbers, int count) {
    std::fill(numbers, numbers + count, 0.0f);
    size_t i = 0;
    while (i < text.size() && !isNumberStart(text[i])) ++i;
    int read = 0;
    while (i < text.size() && read < count) {
        if (text[i] == '+') ++i;
        double value = 0.0;
        const char* start = text.data() + i;
        auto [end, error] = std::from_chars(start, text.data() + text.size(), value);
        if (error == std::errc::invalid_argument) break;
        if (error == std::errc::result_out_of_range) {
            const std::string_view field(start, size_t(end - start));
            const bool tiny = field.find("e-") != field.npos || field.find("E-") != field.npos;
            value = tiny ? 0.0 : HUGE_VAL;
            if (*start == '-') value = -value;
        }
        // Beyond a float's range: infinite, which the part check refuses.
        numbers[read++] = std::fabs(value) > FLT_MAX ? float(std::copysign(HUGE_VAL, value))
                                                     : float(value);
        i = size_t(end - text.data());
        if (i >= text.size() || !isBlank(text[i])) break;
        while (i < text.size() && isBlank(text[i])) ++i;
    }
    return read;
}

void appendFixed4(std::string& text, float value) {
    // A float times 10000 is exact in a double (24 + 14 bits), so rounding
    // that to an integer (ties to even) rounds as printf does.
    const double scaled = double(value) * 10000.0;
    if (!(std::fabs(scaled) < 1e18)) {
        char buffer[64];
        text.append(buffer, size_t(std::snprintf(buffer, sizeof buffer, "%.4f", double(value))));
        return;
    }
    const auto n = static_cast<unsigned long long>(std::fabs(std::nearbyint(scaled)));
    if (std::signbit(value)) text += '-';
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, n / 10000).ptr;
    text.append(digits, end);
    const unsigned fraction = unsigned(n % 10000);
    const char decimals[6] = {'.', char('0' + fraction / 1000), char('0' + fraction / 100 % 10),
                              char('0' + fraction / 10 % 10), char('0' + fraction % 10), 0};
    text.append(decimals, 5);
}

void appendInteger(std::string& text, long value) {
    char digits[24];
    text.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

void appendHead(std::string& text, const char* lineStart, int part) {
    const Vec3& p = model.header.partPos[part];
    text += lineStart, text += "Position = ", appendFixed4(text, p.x), text += ' ';
    appendFixed4(text, p.y), text += ' ', appendFixed4(text, p.z);
    text += lineStart, text += "Groups = ", appendInteger(text, model.groupCount[part]);
    for (int g = 0; g < model.groupCount[part] && g < MAX_GROUPS; ++g) {
        text += lineStart, text += "Smoothing = ", appendInteger(text, model.groups[part][g].groupId);
        text += ' ', appendInteger(text, model.groups[part][g].smoothAngle);
    }
}

bool insertTextPart(TextPart& part, int index, const char* kind) {
    const int T = int(part.triangles.size());
    if (T == 0) return refuseImport(kind, "it has no faces");
    const auto V = uint32_t(part.vertexCount);
    if (!finite(part.position)) return refuseImport(kind, "its position is not a finite number");
    for (int v = 0; v < part.vertexCount; ++v)
        if (!finite(part.vertices[size_t(v)]))
            return refuseImport(kind, "a vertex is not a finite number");
    for (const ModelTriangle& t : part.triangles) {
        if (t.v[0] >= V || t.v[1] >= V || t.v[2] >= V)
            return refuseImport(kind, "a face names a vertex the part does not have");
        for (int k = 0; k < 3; ++k)
            if (!std::isfinite(t.texU[k]) || !std::isfinite(t.texV[k]))
                return refuseImport(kind, "a texture coordinate is not a finite number");
    }
    // A file without its own name keeps the name of the part that was current.
    FceHeader& h = model.header;
    if (!part.named && index < h.numParts) std::memcpy(part.name, h.partNames[index], NAME_SIZE);
    if (!insertPart(index, T, part.vertexCount)) return false;
    const int slot = partSlot(index), first = h.partFirstTriangle[index];
    std::memcpy(h.partNames[index], part.name, NAME_SIZE);
    h.partPos[index] = part.position;
    model.groupCount[index] = uint16_t(std::clamp(std::min(part.declaredGroups, part.groupsRead), 1,
                                                  int(MAX_GROUPS)));
    model.currentGroup[index] = 0;
    std::memcpy(model.groups[index], part.groups, sizeof part.groups);
    std::copy_n(part.vertices.begin(), part.vertexCount, model.vertices + slot);
    for (int t = 0; t < T; ++t) {
        ModelTriangle& tri = model.triangles[first + t];
        tri = part.triangles[size_t(t)];
        tri.groupAndBase = (tri.groupAndBase << 16) | uint32_t(slot);
    }
    computeFaceNormals(model.vertices + slot, part.vertexCount, first, T);
    rebuildPartVertices(index);
    copyVec3Array(model.vertices + slot, model.damagedVertices + slot, h.partVertexCount[index]);
    return true;
}
