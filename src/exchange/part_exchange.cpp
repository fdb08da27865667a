// The model side of the part export and import commands.
#include "exchange/part_exchange.h"

#include "exchange/dxf_file.h"
#include "exchange/obj_file.h"
#include "exchange/part_file.h"
#include "model/file_io.h"
#include "model/messages.h"

#include <strings.h>

namespace {

const char* const extensions[] = {".ffp", ".obj", ".dxf"};

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace

const char* exchangeExtension(ExchangeFormat format) {
    return extensions[format - 1];
}

int exchangeFormatOf(const std::string& path) {
    if (path.size() < 4 || folderOf(path).size() > path.size() - 4) return 0;
    for (int f = 0; f < 3; ++f)
        if (strcasecmp(path.c_str() + path.size() - 4, extensions[f]) == 0) return f + 1;
    return 0;
}

std::string proposedExportName(const std::string& exchangePath, const std::string& fcePath,
                               const std::string& partName) {
    std::string name = folderOf(exchangePath.empty() ? fcePath : exchangePath);
    for (char c : partName) {
        const auto u = static_cast<unsigned char>(c);
        const bool kept = (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') ||
                          (u >= 'a' && u <= 'z') || u >= 128;
        name += kept ? c : '_';
    }
    return name;
}

std::string importStartName(const std::string& exchangePath, const std::string& fcePath) {
    const std::string& path = exchangePath.empty() ? fcePath : exchangePath;
    const size_t folder = folderOf(path).size(), dot = path.rfind('.');
    return dot != std::string::npos && dot > folder ? path.substr(0, dot) : path;
}

std::string exportFileName(const std::string& chosen, ExchangeFormat format) {
    const std::string base =
        exchangeFormatOf(chosen) ? chosen.substr(0, chosen.size() - 4) : chosen;
    return base + exchangeExtension(format);
}

std::string textureTitle(const std::string& texturePath) {
    return texturePath.substr(folderOf(texturePath).size());
}

bool exportPart(int part, ExchangeFormat format, const std::string& path,
                const std::string& objTextureTitle) {
    if (!beginSafeSave(path)) {
        reportFileError(path);
        return false;
    }
    const bool written = format == EXCHANGE_PART_FILE ? writePartFile(part)
                         : format == EXCHANGE_OBJ     ? writeObjPart(part, objTextureTitle)
                                                      : writeDxfPart(part);
    return finishSafeSave(written);
}

bool importPart(int index, ExchangeFormat format, const std::string& path) {
    if (!openForReading(path)) {
        reportFileError(path);
        return false;
    }
    const int64_t size = currentFileSize();
    if (size < 0) {
        reportLastError(path);
        closeFile();
        return false;
    }
    return format == EXCHANGE_PART_FILE ? readPartFile(index)
           : format == EXCHANGE_OBJ     ? readObjPart(index, size)
                                        : readDxfPart(index, size);
}
