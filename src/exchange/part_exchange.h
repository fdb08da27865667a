// Exporting one part to a file and importing a file as a new part, in the
// three exchange formats, and the file names the editor proposes. The
// editor's commands and vornix-cli both come through here.
#pragma once

#include <string>

enum ExchangeFormat {
    EXCHANGE_PART_FILE = 1, // ".ffp", the program's own
    EXCHANGE_OBJ = 2,       // ".obj"
    EXCHANGE_DXF = 3,       // ".dxf"
};

// ".ffp", ".obj" or ".dxf".
const char* exchangeExtension(ExchangeFormat format);
// The format a file's extension names (any case), or 0.
int exchangeFormatOf(const std::string& path);

// The name the export dialog proposes: the folder of `exchangePath` (of
// `fcePath` while that is empty) with its final '/', then the part name with
// every character other than an ASCII letter, an ASCII digit or a byte from
// 128 on replaced by '_' (":HB" gives "_HB").
std::string proposedExportName(const std::string& exchangePath, const std::string& fcePath,
                               const std::string& partName);
// Where the import dialog starts: `exchangePath` (or `fcePath`) without its
// extension, when it has one.
std::string importStartName(const std::string& exchangePath, const std::string& fcePath);
// The file an export writes: `chosen` with the format's extension. One of
// the three exchange extensions is replaced; any other name gets it appended.
std::string exportFileName(const std::string& chosen, ExchangeFormat format);
// The name "usemtl" gives the texture: the texture file's name without its
// folder, "" without a texture file.
std::string textureTitle(const std::string& texturePath);

// Writes part `part` in `format` to `path` through a temporary file, so a
// failed export leaves an existing file as it was. Failures are reported
// with the file and the system's reason.
bool exportPart(int part, ExchangeFormat format, const std::string& path,
                const std::string& objTextureTitle);
// Reads `path` in `format` and inserts it at `index` as the current part.
// A file that cannot be read or that the model cannot hold is refused with
// a message, the model unchanged.
bool importPart(int index, ExchangeFormat format, const std::string& path);
