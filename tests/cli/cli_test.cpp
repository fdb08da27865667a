// vornix-cli as a user runs it: exit codes, messages and the JSON it prints.
#include "model/car_model.h"
#include "model/fce_file.h"
#include "support/test_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun runCli(const std::string& arguments) {
    TempDir dir;
    const std::string errFile = dir.file("stderr");
    const std::string command =
        std::string(VORNIX_CLI_PATH) + " " + arguments + " 2>" + errFile;
    CliRun run;
    FILE* pipe = popen(command.c_str(), "r");
    std::array<char, 4096> buffer;
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) run.out.append(buffer.data(), n);
    int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(errFile);
    std::stringstream text;
    text << err.rdbuf();
    run.err = text.str();
    return run;
}

int lineCount(const std::string& text) { return int(std::count(text.begin(), text.end(), '\n')); }

} // namespace

TEST(Cli, InfoJsonReportsTheSnowmanCar) {
    SKIP_WITHOUT_SNOWMAN();
    CliRun run = runCli("info " + snowmanFce() + " --json");
    ASSERT_EQ(run.status, 0) << run.err;
    auto info = nlohmann::json::parse(run.out);
    EXPECT_EQ(info["version"], 0x00101014);
    EXPECT_EQ(info["tag"], "none");
    EXPECT_EQ(info["triangles"], 236);
    EXPECT_EQ(info["vertices"], 159);
    ASSERT_EQ(info["parts"].size(), 5u);
    EXPECT_EQ(info["dummies"].size(), 0u);
    ASSERT_EQ(info["colors"].size(), 8u);
    EXPECT_EQ(info["colors"][0].size(), 4u);
    EXPECT_EQ(info["colors"][0][0].size(), 3u);
    int triangles = 0;
    for (auto& part : info["parts"]) {
        EXPECT_TRUE(part.contains("name"));
        EXPECT_EQ(part["position"].size(), 3u);
        EXPECT_EQ(part["groups"], 1);
        triangles += int(part["triangles"]);
    }
    EXPECT_EQ(triangles, 236);
    EXPECT_EQ(info["parts"][3]["name"], ":HB");
    EXPECT_EQ(info["parts"][0]["flags"], 5); // visible and the current part
}

TEST(Cli, InfoTextNamesPartsAndDummies) {
    CliRun run = runCli("info " + sampleFce());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("tag:       VRNX"), std::string::npos);
    EXPECT_NE(run.out.find(":OD"), std::string::npos);
    EXPECT_NE(run.out.find("light Head"), std::string::npos);
    EXPECT_NE(run.out.find("special"), std::string::npos);
}

TEST(Cli, ResaveKeepsTheCarAndCheckAcceptsIt) {
    SKIP_WITHOUT_SNOWMAN();
    TempDir dir;
    const std::string out = dir.file("snow.fce");
    CliRun resave = runCli("resave " + snowmanFce() + " " + out);
    ASSERT_EQ(resave.status, 0) << resave.err;
    EXPECT_EQ(runCli("check " + out).status, 0);
    auto before = nlohmann::json::parse(runCli("info " + snowmanFce() + " --json").out);
    auto after = nlohmann::json::parse(runCli("info " + out + " --json").out);
    EXPECT_EQ(before["parts"], after["parts"]);
    EXPECT_EQ(before["triangles"], after["triangles"]);
    EXPECT_EQ(before["vertices"], after["vertices"]);
}

TEST(Cli, ResaveCentresOnlyWhenAsked) {
    TempDir dir;
    {
        RecordingMessages quiet;
        buildTestModel(1, 1);
        model.vertices[0] = {1, 1, 1};
        model.vertices[1] = {3, 2, 1};
        model.vertices[2] = {2, 4, 2};
        model.header.partPos[0] = {5, 5, 5};
        ASSERT_TRUE(saveFceFile(dir.file("in.fce")));
        resetModel();
    }
    ASSERT_EQ(runCli("resave " + dir.file("in.fce") + " " + dir.file("same.fce")).status, 0);
    ASSERT_EQ(runCli("resave --center " + dir.file("in.fce") + " " + dir.file("c.fce")).status, 0);
    auto same = nlohmann::json::parse(runCli("info " + dir.file("same.fce") + " --json").out);
    auto centred = nlohmann::json::parse(runCli("info " + dir.file("c.fce") + " --json").out);
    EXPECT_EQ(same["parts"][0]["position"], nlohmann::json({5.0, 5.0, 5.0}));
    EXPECT_EQ(centred["parts"][0]["position"], nlohmann::json({3.5, 3.0, 4.0}));
}

TEST(Cli, BadInputExitsWithOneAndOneLine) {
    SKIP_WITHOUT_SNOWMAN();
    TempDir dir;
    writeBytes(dir.file("junk.fce"), std::vector<uint8_t>(9000, 0xFF));
    for (const std::string& args :
         {"check " + dir.file("junk.fce"), "check " + dir.file("missing.fce"),
          "info " + dir.file("junk.fce") + " --json",
          "resave " + dir.file("junk.fce") + " " + dir.file("out.fce"),
          "resave " + snowmanFce() + " " + dir.file("no/folder/out.fce")}) {
        CliRun run = runCli(args);
        EXPECT_EQ(run.status, 1) << args;
        EXPECT_EQ(lineCount(run.err), 1) << args << ": " << run.err;
        EXPECT_TRUE(run.out.empty()) << args;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.fce")));
}

TEST(Cli, UsageErrorsExitWithTwoAndHelpWithZero) {
    EXPECT_EQ(runCli("").status, 2);
    EXPECT_EQ(runCli("frobnicate").status, 2);
    EXPECT_EQ(runCli("info").status, 2);
    EXPECT_EQ(runCli("sample /tmp --triangles 99999").status, 2);
    EXPECT_EQ(runCli("info --bogus x.fce").status, 2);
    for (const char* args : {"--help", "info --help", "check --help", "resave --help",
                             "sample --help"}) {
        CliRun run = runCli(args);
        EXPECT_EQ(run.status, 0) << args;
        EXPECT_NE(run.out.find("Usage"), std::string::npos) << args;
    }
}

TEST(Cli, RenderWritesAPictureOfTheViewSize) {
    SKIP_WITHOUT_SNOWMAN();
    TempDir dir;
    const std::string png = dir.file("snow.png");
    CliRun run = runCli("render " + snowmanFce() + " " + png + " --mode textures --size 320x200");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<uint8_t> bytes = readBytes(png);
    ASSERT_GT(bytes.size(), 24u);
    EXPECT_EQ(std::string(bytes.begin() + 1, bytes.begin() + 4), "PNG");
    auto be32 = [&](size_t at) {
        return uint32_t(bytes[at]) << 24 | uint32_t(bytes[at + 1]) << 16 |
               uint32_t(bytes[at + 2]) << 8 | bytes[at + 3];
    };
    EXPECT_EQ(be32(16), 320u); // IHDR width and height
    EXPECT_EQ(be32(20), 200u);
    for (const char* options : {"--mode wire --normals", "--camera 3", "--page dummies",
                                "--page surfaces --part 3 --wire", "--preset 1 --page colors",
                                "--windows hidden --light-yaw 400 --light-pitch 100",
                                "--part-centred --part 3", "--light-follows-camera --yaw 10"})
        EXPECT_EQ(runCli("render " + snowmanFce() + " " + png + " " + options).status, 0)
            << options;
}

TEST(Cli, RenderRefusesWhatTheModelCannotShow) {
    SKIP_WITHOUT_SNOWMAN();
    TempDir dir;
    // A copy of the car without its texture beside it.
    const std::string bare = dir.file("bare.fce");
    writeBytes(bare, readBytes(snowmanFce()));
    const std::string png = dir.file("out.png");
    CliRun run = runCli("render " + bare + " " + png + " --mode textures");
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(run.err.empty());
    EXPECT_EQ(runCli("render " + bare + " " + png).status, 0); // solid needs no texture
    EXPECT_EQ(runCli("render " + snowmanFce() + " " + png + " --part 5").status, 1);
    EXPECT_EQ(runCli("render " + snowmanFce() + " " + png + " --preset 8").status, 1);
    EXPECT_EQ(runCli("render " + snowmanFce() + " " + png + " --size 12").status, 2);
    EXPECT_EQ(runCli("render " + snowmanFce() + " " + png + " --camera 7").status, 2);
    EXPECT_EQ(runCli("render " + snowmanFce() + " " + png + " --mode shiny").status, 2);
    EXPECT_EQ(runCli("render " + snowmanFce() + " " + dir.file("no/dir/x.png")).status, 1);
}
