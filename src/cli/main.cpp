// vornix-cli: the program's model code without a window, for batch work and tests.
//
// Exit status: 0 success, 1 invalid input or failed operation (a one-line
// reason on standard error), 2 usage error.
#include "cli/edit_command.h"
#include "cli/render_command.h"
#include "cli/sample_car.h"
#include "exchange/part_exchange.h"
#include "model/car_model.h"
#include "model/fce_file.h"
#include "model/messages.h"
#include "model/names.h"
#include "texture/texture.h"
#include "vornix_version.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <iostream>

namespace {

constexpr int EXIT_INVALID = 1;
constexpr int EXIT_USAGE = 2;

StderrMessages cliMessages("vornix-cli: ");

bool readModel(const std::string& path, bool centre) {
    model.centerOnLoad = centre;
    if (!loadFceFile(path, false)) return false;
    // The car is usable; its smoothing data are not. The editor says so in a
    // message box, the command line in a warning.
    if (model.smoothingDataDamaged)
        showMessage("warning: " + path +
                    ": the surface smoothing data are damaged; default smoothing is used");
    convertColorsAfterRead();
    return true;
}

nlohmann::json vec(const Vec3& v) {
    return {v.x, v.y, v.z};
}

std::string tagText() {
    return model.header.extraDataTag == FCE_TAG_VRNX ? "VRNX" : "none";
}

std::string dummyDescription(const char* name) {
    if (!isLightDummyName(name)) {
        int index = specialDummyIndex(name);
        return index ? format("special %d (%s)", index, specialDummyNames[index])
                     : std::string("special 0 (no name)");
    }
    LightDummyCode code = decodeLightDummyName(name);
    auto text = [](const NameCode* table, int index) {
        return index < 0 ? "?" : table[index].text;
    };
    return format("light %s, %s, flash %s, settings %d %d %d", text(lightKinds, code.kind),
                  text(lightColors, code.color), text(flashModes, code.flash), code.settings[0],
                  code.settings[1], code.settings[2]);
}

int commandInfo(const std::string& path, bool json) {
    if (!readModel(path, false)) return EXIT_INVALID;
    const FceHeader& h = model.header;
    int vertices = 0;
    for (int p = 0; p < h.numParts; ++p) vertices += h.partVertexCount[p];
    if (json) {
        nlohmann::json out;
        out["version"] = h.version;
        out["tag"] = tagText();
        out["triangles"] = h.numTriangles;
        out["vertices"] = vertices;
        out["parts"] = nlohmann::json::array();
        for (int p = 0; p < h.numParts; ++p)
            out["parts"].push_back({{"name", nameText(h.partNames[p])},
                                    {"position", vec(h.partPos[p])},
                                    {"vertices", h.partVertexCount[p]},
                                    {"triangles", h.partTriangleCount[p]},
                                    {"flags", model.partFlags[p]},
                                    {"groups", model.groupCount[p]}});
        out["dummies"] = nlohmann::json::array();
        for (int d = 0; d < h.numDummies; ++d)
            out["dummies"].push_back(
                {{"name", nameText(h.dummyNames[d])}, {"position", vec(h.dummyPos[d])}});
        out["colors"] = nlohmann::json::array();
        for (int i = 0; i < h.numColors; ++i) {
            nlohmann::json preset = nlohmann::json::array();
            for (int layer = 0; layer < COLOR_LAYERS; ++layer) {
                const HsbColor& c = model.colorLayers[layer][i];
                preset.push_back({c.hue, c.saturation, c.brightness});
            }
            out["colors"].push_back(preset);
        }
        std::cout << out.dump(2) << "\n";
        return 0;
    }
    std::printf("file:      %s\n", path.c_str());
    std::printf("version:   0x%08X\n", h.version);
    std::printf("tag:       %s\n", tagText().c_str());
    std::printf("triangles: %d\nvertices:  %d\nparts:     %d\ndummies:   %d\ncolors:    %d\n",
                h.numTriangles, vertices, h.numParts, h.numDummies, h.numColors);
    for (int p = 0; p < h.numParts; ++p) {
        const Vec3& pos = h.partPos[p];
        std::printf("part %2d  %-16s at (%.3f, %.3f, %.3f)  %d vertices, %d triangles, "
                    "flags 0x%02X, %d groups\n",
                    p, nameText(h.partNames[p]).c_str(), pos.x, pos.y, pos.z, h.partVertexCount[p],
                    h.partTriangleCount[p], model.partFlags[p], model.groupCount[p]);
    }
    for (int d = 0; d < h.numDummies; ++d) {
        const Vec3& pos = h.dummyPos[d];
        std::printf("dummy %2d %-16s at (%.3f, %.3f, %.3f)  %s\n", d,
                    nameText(h.dummyNames[d]).c_str(), pos.x, pos.y, pos.z,
                    dummyDescription(h.dummyNames[d]).c_str());
    }
    for (int i = 0; i < h.numColors; ++i) {
        std::printf("color %2d", i);
        for (int layer = 0; layer < COLOR_LAYERS; ++layer) {
            const HsbColor& c = model.colorLayers[layer][i];
            std::printf("  [%3d %3d %3d]", c.hue, c.saturation, c.brightness);
        }
        std::printf("\n");
    }
    return 0;
}

int commandCheck(const std::string& path) {
    if (!readModel(path, false)) return EXIT_INVALID;
    std::printf("%s: ok\n", path.c_str());
    return 0;
}

int commandResave(const std::string& in, const std::string& out, bool centre) {
    if (!readModel(in, centre)) return EXIT_INVALID;
    return saveFceFile(out) ? 0 : EXIT_INVALID;
}

int commandEdit(const std::string& in, const std::string& out,
                const std::vector<std::string>& actions) {
    if (!editActionsUnderstood(actions)) return EXIT_USAGE;
    if (!readModel(in, false)) return EXIT_INVALID;
    // Written only when every action succeeded.
    return applyEdits(actions) && saveFceFile(out) ? 0 : EXIT_INVALID;
}

ExchangeFormat formatNamed(const std::string& word) {
    return word == "obj" ? EXCHANGE_OBJ : word == "dxf" ? EXCHANGE_DXF : EXCHANGE_PART_FILE;
}

bool partExists(int part, int parts) {
    if (part >= 0 && part < parts) return true;
    showError(format("part %d does not exist (the model has %d)", part, parts));
    return false;
}

int commandExport(const std::string& type, const std::string& in, int part,
                  const std::string& out, const std::string* title) {
    if (!readModel(in, false) || !partExists(part, model.header.numParts)) return EXIT_INVALID;
    // By default "usemtl" names the texture file the editor would load.
    const std::string texture = matchFileIgnoringCase(texturePathFor(in), texturePathFor(in));
    const std::string fallback =
        std::filesystem::exists(texture) ? textureTitle(texture) : std::string();
    return exportPart(part, formatNamed(type), out, title ? *title : fallback) ? 0 : EXIT_INVALID;
}

int commandImport(const std::string& in, const std::string& partFile, const std::string& out,
                  int at, const std::string& type) {
    const int named = exchangeFormatOf(partFile);
    if (type.empty() && !named) {
        showError(partFile + ": the file type is not .ffp, .obj or .dxf; give --format");
        return EXIT_USAGE;
    }
    if (!readModel(in, false)) return EXIT_INVALID;
    if (at > model.header.numParts) {
        showError(format("--at %d is past the last part (the model has %d)", at,
                         model.header.numParts));
        return EXIT_INVALID;
    }
    const ExchangeFormat format = type.empty() ? ExchangeFormat(named) : formatNamed(type);
    // Written only when the part went in.
    return importPart(at, format, partFile) && saveFceFile(out) ? 0 : EXIT_INVALID;
}

int commandSample(const std::string& folder, int triangles) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        showError(format("cannot create folder '%s': %s", folder.c_str(), error.message().c_str()));
        return EXIT_INVALID;
    }
    return writeSampleCar(folder, triangles) ? 0 : EXIT_INVALID;
}

} // namespace

int main(int argc, char** argv) {
    installMessageService(&cliMessages);
    CLI::App app{"vornix-cli: inspect, check, convert and render NFS4 FCE car models"};
    app.set_version_flag("--version", "Vornix " VORNIX_VERSION,
                         "Show the program's version and exit");
    app.require_subcommand(1);

    std::string file, output;
    bool json = false, centre = false;
    int triangles = SAMPLE_DEFAULT_TRIANGLES;

    auto* info =
        app.add_subcommand("info", "Show the counts, parts, dummies and colours of a model");
    info->add_option("FILE", file, "FCE file")->required();
    info->add_flag("--json", json, "Print JSON instead of text");

    auto* check = app.add_subcommand("check", "Exit 0 when the file reads as an FCE model");
    check->add_option("FILE", file, "FCE file")->required();

    auto* resave = app.add_subcommand("resave", "Read a model and write it back");
    resave->add_option("IN", file, "FCE file to read")->required();
    resave->add_option("OUT", output, "FCE file to write")->required();
    resave->add_flag("--center", centre, "Centre the model while reading");

    std::vector<std::string> actions;
    auto* edit = app.add_subcommand("edit", "Apply part operations in order and write the model");
    edit->add_option("IN", file, "FCE file to read")->required();
    edit->add_option("OUT", output, "FCE file to write")->required();
    edit->allow_extras();
    edit->footer("Actions, applied in the order given:\n"
                 "  --copy-part P              copy part P (the copy comes first)\n"
                 "  --delete-part P            delete part P\n"
                 "  --mirror-part P x|y|z      mirror part P along an axis\n"
                 "  --centre-part P geometry|origin\n"
                 "                             centre the geometry on the origin, or the\n"
                 "                             origin on the geometry\n"
                 "  --rename-part P NAME       at most 63 characters\n"
                 "  --move-part P X Y Z        new position; the geometry goes along\n"
                 "  --move-origin P X Y Z      new position; the geometry stays in place\n"
                 "  --rebuild P|all            share vertices by the smoothing groups, as the\n"
                 "                             Surfaces page does on first use\n"
                 "  --weld-tolerance T         for the rebuilds after it (default 0.002)\n"
                 "  --copy-dummy D, --delete-dummy D, --rename-dummy D NAME,\n"
                 "  --move-dummy D X Y Z       the same for dummy D\n"
                 "  --copy-preset C, --delete-preset C\n"
                 "  --set-color C LAYER H S B  colour preset C, layer 0..3: hue 0..179,\n"
                 "                             saturation and brightness 0..127\n"
                 "  --map-planar P x|y|z [--mirror]\n"
                 "                             map all of part P's triangles along an axis\n"
                 "                             (--mirror: negative x as positive, along z)\n");

    std::string type, title, partFile;
    int part = 0;
    auto* exportCommand = app.add_subcommand("export", "Write one part as a part file, OBJ or DXF");
    exportCommand->add_option("TYPE", type, "ffp, obj or dxf")
        ->required()
        ->check(CLI::IsMember({"ffp", "obj", "dxf"}));
    exportCommand->add_option("IN", file, "FCE file to read")->required();
    exportCommand->add_option("PART", part, "Index of the part")->required();
    exportCommand->add_option("OUT", output, "File to write")->required();
    auto* titleOption = exportCommand->add_option(
        "--texture-title", title,
        "Texture name for OBJ's usemtl line (default: the texture file beside IN)");

    auto* importCommand =
        app.add_subcommand("import", "Insert a part file, OBJ or DXF as a new part, and save");
    importCommand->add_option("IN", file, "FCE file to read")->required();
    importCommand->add_option("PARTFILE", partFile, "Part file, OBJ or DXF")->required();
    importCommand->add_option("OUT", output, "FCE file to write")->required();
    importCommand->add_option("--at", part, "Index the new part gets (default 0)")
        ->check(CLI::NonNegativeNumber);
    importCommand->add_option("--format", type, "ffp, obj or dxf (default: from the extension)")
        ->check(CLI::IsMember({"ffp", "obj", "dxf"}));

    auto* sample =
        app.add_subcommand("sample", "Write the sample car as DIR/car.fce and DIR/car00.tga");
    sample->add_option("DIR", file, "Folder to write into")->required();
    sample->add_option("--triangles", triangles, "Approximate triangle count")
        ->check(CLI::Range(SAMPLE_MIN_TRIANGLES, MAX_TRIANGLES));

    RenderOptions render;
    std::string size = "608x552";
    auto* draw =
        app.add_subcommand("render", "Draw a model as the editor's 3D view shows it, into a PNG");
    draw->add_option("IN", file, "FCE file to draw")->required();
    draw->add_option("OUT", output, "PNG file to write")->required();
    draw->add_option("--size", size, "View size WxH (default 608x552)");
    draw->add_option("--mode", render.mode, "wire, solid or textures")
        ->check(CLI::IsMember({"wire", "solid", "textures"}));
    draw->add_flag("--wire", render.wire, "Wireframe on top of solid or textures");
    draw->add_flag("--normals", render.normals, "Show the vertex normals");
    draw->add_option("--windows", render.windows, "Window glass: transparent, solid or hidden")
        ->check(CLI::IsMember({"transparent", "solid", "hidden"}));
    draw->add_option("--camera", render.camera, "Camera slot: 0 perspective, 1..6 axis views")
        ->check(CLI::Range(0, 6));
    draw->add_option("--yaw", render.yaw, "Camera heading in quarter degrees")
        ->check(CLI::Range(0, 1439));
    draw->add_option("--pitch", render.pitch, "Camera elevation in quarter degrees")
        ->check(CLI::Range(0, 1439));
    draw->add_option("--distance", render.distance, "Camera distance from the orbit centre")
        ->check(CLI::Range(0.0f, 1.0e6f));
    draw->add_flag("--part-centred", render.partCentred, "Orbit around the selected part");
    draw->add_option("--page", render.page,
                     "Panel page: camera, parts, surfaces, dummies, colors, textures")
        ->check(CLI::IsMember({"camera", "parts", "surfaces", "dummies", "colors", "textures"}));
    draw->add_option("--part", render.part, "Selected part")->check(CLI::NonNegativeNumber);
    draw->add_option("--dummy", render.dummy, "Selected dummy")->check(CLI::NonNegativeNumber);
    draw->add_option("--preset", render.preset, "Tint the texture with a colour preset")
        ->check(CLI::NonNegativeNumber);
    draw->add_option("--light-yaw", render.lightYaw, "Light heading in quarter degrees")
        ->check(CLI::Range(0, 1439));
    draw->add_option("--light-pitch", render.lightPitch, "Light elevation in quarter degrees")
        ->check(CLI::Range(0, 1439));
    draw->add_flag("--light-follows-camera", render.lightFollowsCamera,
                   "Light from the viewer's side");
    draw->add_flag("--light-symbol", render.lightMode, "Show the light symbol (Camera page)");

    int thumbnailSize = 256;
    auto* thumbnail = app.add_subcommand(
        "thumbnail", "Draw a model as the editor shows it after opening, into a square PNG");
    thumbnail->add_option("IN", file, "FCE file to draw")->required();
    thumbnail->add_option("OUT", output, "PNG file to write")->required();
    thumbnail->add_option("--size", thumbnailSize, "Side in pixels (default 256)")
        ->check(CLI::Range(THUMBNAIL_MIN_SIZE, THUMBNAIL_MAX_SIZE));

    try {
        app.parse(argc, argv);
        if (*draw && std::sscanf(size.c_str(), "%dx%d", &render.width, &render.height) != 2)
            throw CLI::ValidationError("--size", "expected WxH, for example 608x552");
    } catch (const CLI::ParseError& e) {
        int code = app.exit(e);
        return code == 0 ? 0 : EXIT_USAGE;
    }
    if (*info) return commandInfo(file, json);
    if (*check) return commandCheck(file);
    if (*resave) return commandResave(file, output, centre);
    if (*sample) return commandSample(file, triangles);
    if (*edit) return commandEdit(file, output, edit->remaining());
    if (*exportCommand)
        return commandExport(type, file, part, output, *titleOption ? &title : nullptr);
    if (*importCommand) return commandImport(file, partFile, output, part, type);
    if (*draw) return renderModelToPng(file, output, render) ? 0 : EXIT_INVALID;
    if (*thumbnail) return thumbnailToPng(file, output, thumbnailSize) ? 0 : EXIT_INVALID;
    return EXIT_USAGE;
}
