// vornix-cli export and import: the file written, the OBJ material name,
// and exits that leave no output behind.
#include "support/test_support.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::string fileText(const std::string& path) {
    std::stringstream s;
    s << std::ifstream(path, std::ios::binary).rdbuf();
    return s.str();
}

} // namespace

TEST(CliExchange, ExportAndImportMoveAPartBetweenCars) {
    TempDir dir;
    const std::string obj = dir.file("wheel.obj"), out = dir.file("out.fce");
    // usemtl names the texture beside the car unless told otherwise.
    ASSERT_EQ(runCli("export obj " + sampleFce() + " 1 " + obj).status, 0);
    EXPECT_NE(fileText(obj).find("\r\nusemtl car00.tga\r\n"), std::string::npos);
    ASSERT_EQ(runCli("export obj " + sampleFce() + " 1 " + obj + " --texture-title 'my skin'").status, 0);
    EXPECT_NE(fileText(obj).find("\r\nusemtl my skin\r\n"), std::string::npos);
    ASSERT_EQ(runCli("export dxf " + sampleFce() + " 8 " + dir.file("last.dxf")).status, 0);
    const CliRun beyond = runCli("export ffp " + sampleFce() + " 9 " + dir.file("none.ffp"));
    EXPECT_EQ(std::make_pair(beyond.status, beyond.err),
              std::make_pair(1, std::string("vornix-cli: part 9 does not exist (the model has 9)\n")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("none.ffp")));
    const CliRun nowhere = runCli("export dxf " + sampleFce() + " 0 " + dir.file("no/part.dxf"));
    EXPECT_EQ(std::make_pair(nowhere.status, nowhere.err.find("No such file or directory: " +
                                                              dir.file("no/part.dxf"))),
              std::make_pair(1, size_t(22)));

    // The format comes from the extension or --format; --at may append.
    std::filesystem::copy_file(obj, dir.file("wheel.txt"));
    ASSERT_EQ(runCli("import " + sampleFce() + " " + obj + " " + out + " --at 9").status, 0);
    ASSERT_EQ(runCli("import " + out + " " + dir.file("wheel.txt") + " " + out + " --format obj").status, 0);
    const auto parts = nlohmann::json::parse(runCli("info --json " + out).out)["parts"];
    ASSERT_EQ(parts.size(), 11u);
    EXPECT_EQ(std::make_tuple(parts[0]["name"], parts[10]["name"], parts[10]["triangles"]),
              std::make_tuple(":HLFW", ":HLFW", parts[2]["triangles"]));

    // Refusals write nothing.
    std::filesystem::remove(out);
    const std::string in = "import " + sampleFce() + " ";
    const std::pair<std::string, int> refused[] = {
        {in + dir.file("wheel.txt") + " " + out, 2},
        {in + obj + " " + out + " --at 10", 1},
        {in + dir.file("missing.dxf") + " " + out, 1},
        {in + dir.file("wheel.txt") + " " + out + " --format ffp", 1},
    };
    for (const auto& [arguments, status] : refused) {
        const CliRun failed = runCli(arguments);
        EXPECT_EQ(std::make_pair(failed.status, failed.err.empty()), std::make_pair(status, false))
            << arguments;
        EXPECT_FALSE(std::filesystem::exists(out)) << arguments;
    }
}
