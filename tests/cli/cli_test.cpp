// vornix-cli as a user runs it: exit codes, one-line messages naming the
// file, warnings, the JSON it prints, and the option limits of render.
#include "model/car_model.h"
#include "model/fce_file.h"
#include "support/test_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/stat.h>

using Cli = ModelTest; // for its temporary folder

const auto lineCount = [](const std::string& t) { return std::count(t.begin(), t.end(), '\n'); };

TEST_F(Cli, InfoReportsTheCarWithItsNamesAsText) {
    std::vector<uint8_t> file = readBytes(sampleFce());
    const uint8_t smoke[] = {0xFF, 0}, body[] = {':', 'H', 0xE9, 0};
    std::memcpy(file.data() + 0xA28 + 64 * 11, smoke, 2); // dummy 11, a Windows-1252 name
    std::memcpy(file.data() + 0xE28, body, 4);            // part 0
    writeBytes(dir.file("car.fce"), file);
    const CliRun run = runCli("info " + dir.file("car.fce") + " --json");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto info = nlohmann::json::parse(run.out);
    ASSERT_EQ(std::make_tuple(info["parts"].size(), info["dummies"].size(), info["colors"].size()),
              std::make_tuple(9u, 12u, 6u));
    EXPECT_EQ(std::make_tuple(info["version"], info["tag"], info["triangles"], info["vertices"],
                              info["parts"][0]["name"], info["dummies"][11]["name"],
                              info["colors"][1][0]),
              std::make_tuple(0x00101014, "VRNX", 2904, 2166, ":H\xC3\xA9", "\xC3\xBF",
                              nlohmann::json({118, 112, 92})));
    const auto& driver = info["parts"][5]; // flags 9: visible, driver movement
    EXPECT_EQ(std::make_tuple(driver["name"], driver["flags"], driver["vertices"],
                              driver["triangles"], driver["groups"]),
              std::make_tuple(":OD", 9, 260, 368, 4));
    EXPECT_NEAR(double(driver["position"][0]), -0.37, 1e-6); // not centred by info
    EXPECT_NEAR(double(driver["position"][2]), 0.42, 1e-6);

    const CliRun text = runCli("info " + sampleFce());
    EXPECT_NE(text.out.find("part  5  :OD "), std::string::npos);
    EXPECT_NE(text.out.find(":LICENSE         at (0.000, -0.095, 2.170)  special 2 (:LICENSE)"),
              std::string::npos);
    EXPECT_NE(text.out.find("light Head, White, flash No, settings 9 0 0"), std::string::npos);
}

TEST_F(Cli, DamagedSmoothingDataGiveAWarningAndStillSucceed) {
    std::vector<uint8_t> file = readBytes(sampleFce());
    setWordAt(file, 8248 + wordAt(file, 0x44) + 4, 1); // block A's vertex count
    const std::string car = dir.file("car.fce");
    writeBytes(car, file);
    const std::string warning =
        "vornix-cli: warning: " + car +
        ": the surface smoothing data are damaged; default smoothing is used\n";
    for (const std::string& args : {"check " + car, "info " + car, "resave " + car + " " + car}) {
        const CliRun run = runCli(args);
        EXPECT_EQ(std::make_pair(run.status, run.err), std::make_pair(0, warning)) << args;
    }
    EXPECT_EQ(runCli("check " + car).err, ""); // the resave wrote them anew
    EXPECT_EQ(runCli("check " + sampleFce()).out, sampleFce() + ": ok\n");
}

TEST_F(Cli, ResaveCentresOnlyWhenAsked) {
    const std::string in = sampleFce(), same = dir.file("same.fce"), centred = dir.file("c.fce");
    ASSERT_EQ(runCli("resave " + in + " " + same).status, 0);
    ASSERT_EQ(runCli("resave --center " + in + " " + centred).status, 0);
    const auto a = nlohmann::json::parse(runCli("info " + same + " --json").out);
    const auto b = nlohmann::json::parse(runCli("info " + centred + " --json").out);
    EXPECT_EQ(a["parts"][5]["position"],
              nlohmann::json::parse(runCli("info " + in + " --json").out)["parts"][5]["position"]);
    EXPECT_NE(a["parts"][5]["position"][1], b["parts"][5]["position"][1]);
}

TEST_F(Cli, FailuresExitWithOneAndOneLineNamingTheFile) {
    const std::string folder = dir.path().string(), locked = dir.file("locked.fce"),
                      fifo = dir.file("fifo.fce"), sample = sampleFce() + " ";
    writeBytes(dir.file("junk.fce"), std::vector<uint8_t>(9000, 0xFF));
    writeBytes(dir.file("short.fce"), std::vector<uint8_t>(100, 1)), writeBytes(locked, {1});
    chmod(locked.c_str(), 0444); // refused for root too: the mode bits decide
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::pair<std::string, std::string> cases[] = {
        {"check " + dir.file("junk.fce"), "Unreadable FCE file: "},
        {"check " + dir.file("short.fce"),
         "Unreadable FCE file: the file is shorter than an FCE header. - " + dir.file("short.fce")},
        {"info " + dir.file("missing.fce") + " --json",
         "Error:2 - No such file or directory: " + dir.file("missing.fce")},
        {"check " + folder, "Error:21 - Is a directory: " + folder},
        {"check " + fifo, "Not a regular file (a FIFO, device or socket): - " + fifo},
        {"resave " + sample + dir.file("no/folder/out.fce"), "Error:2 - "},
        {"resave " + sample + locked, "Error:13 - Permission denied: " + locked},
        {"resave " + sample + folder, "Error:21 - Is a directory: " + folder},
        {"resave " + sample + fifo, "Not a regular file (a FIFO, device or socket): - " + fifo}};
    for (const auto& [args, message] : cases) {
        const CliRun run = runCli(args);
        EXPECT_EQ(std::make_tuple(run.status, run.err.rfind("vornix-cli: " + message, 0),
                                  lineCount(run.err), run.out),
                  std::make_tuple(1, 0u, 1, ""))
            << args << ": " << run.err;
    }
    EXPECT_EQ(readBytes(locked), std::vector<uint8_t>{1});
    EXPECT_EQ(dir.entries(), 4); // no temporary
    // Saving through a link replaces the file it names; the link stays.
    std::filesystem::create_directory(dir.file("real"));
    std::filesystem::create_symlink("real/car.fce", dir.file("link.fce"));
    ASSERT_EQ(runCli("resave " + sample + dir.file("link.fce")).status, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.fce")));
    EXPECT_EQ(runCli("check " + dir.file("real/car.fce")).status, 0);
}

TEST_F(Cli, UsageErrorsExitWithTwoAndHelpWithZero) {
    for (const char* args : {"", "frobnicate", "info", "info --bogus x.fce",
                             "sample /tmp --triangles 2399", "sample /tmp --triangles 21846"})
        EXPECT_EQ(runCli(args).status, 2) << args;
    for (const char* args : {"--help", "info --help", "resave --help", "render --help"}) {
        const CliRun run = runCli(args);
        EXPECT_TRUE(run.status == 0 && run.out.find("Usage") != std::string::npos) << args;
    }
}

TEST_F(Cli, RenderTakesEveryOptionUpToItsLimit) {
    const std::string bare = dir.file("bare.fce"), png = dir.file("out.png");
    writeBytes(bare, readBytes(sampleFce())); // without its texture
    const std::string car = sampleFce() + " " + png + " --size 64x48 ";
    // The arguments, the exit status and the lines of messages. Without its
    // texture the car is refused in textures mode (the texture missing, then
    // why it matters) but drawn solid, which needs no texture.
    const std::tuple<std::string, int, int> cases[] = {
        {car + "--part 8 --dummy 11 --preset 5 --camera 6", 0, 0},
        {car + "--yaw 0 --pitch 1439 --light-yaw 1439 --light-pitch 0 --distance 0", 0, 0},
        {car + "--part 9", 1, 1},
        {car + "--dummy 12", 1, 1},
        {car + "--preset 6", 1, 1},
        {bare + " " + png + " --mode textures", 1, 2},
        {bare + " " + png + " --size 64x48", 0, 1},
        {sampleFce() + " " + dir.file("no/dir/x.png"), 1, 1},
        {car + "--camera 7", 2, 2},
        {car + "--yaw 1440", 2, 2},
        {car + "--pitch -1", 2, 2},
        {car + "--mode shiny", 2, 2},
        {sampleFce() + " " + png + " --size 12", 2, 2}};
    for (const auto& [args, status, lines] : cases) {
        const CliRun run = runCli("render " + args);
        EXPECT_EQ(std::make_tuple(run.status, lineCount(run.err)), std::make_tuple(status, lines))
            << args << ": " << run.err;
    }
}

TEST_F(Cli, EditAppliesItsActionsInOrderAndWritesOnlyWhenAllSucceed) {
    const std::string out = dir.file("out.fce"), edit = "edit " + sampleFce() + " " + out;
    const CliRun run =
        runCli(edit + " --copy-part 0 --rename-part 0 'K\xC3\xB6pfchen'" +
               " --move-part 2 1 2 3 --move-origin 3 0 0 0 --mirror-part 1 x" +
               " --centre-part 4 origin --delete-part 8 --weld-tolerance 0.1 --rebuild all" +
               " --copy-dummy 11 --set-color 1 2 179 127 0 --delete-preset 0");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto info = nlohmann::json::parse(runCli("info " + out + " --json").out);
    const auto& parts = info["parts"];
    ASSERT_EQ(parts.size(), 9u);
    // Part 8 is rebuilt; :LB, part 8 after the copy, went.
    EXPECT_EQ(std::make_tuple(info["dummies"].size(), info["colors"].size(), info["colors"][0][2],
                              parts[0]["name"], int(parts[8]["flags"]) & 0x80, parts[1]["name"],
                              parts[2]["position"], parts[7]["name"]),
              std::make_tuple(13u, 5u, nlohmann::json({179, 127, 0}), "K\xC3\xB6pfchen", 0x80,
                              ":HB", nlohmann::json({1, 2, 3}), ":MB"));
    const std::string n64(64, 'n'); // one letter more than a name holds
    const std::pair<std::string, int> refused[] = {
        {" --copy-part 10", 1},        {" --copy-part -1", 1},          {" --mirror-part 0 w", 1},
        {" --move-part 0 1 2 nan", 1}, {" --rename-part 0 " + n64, 1},  {" --weld-tolerance 0", 1},
        {" --set-color 0 4 0 0 0", 1}, {" --set-color 0 0 180 0 0", 1}, {" --delete-dummy 12", 1},
        {" --copy-part", 2},           {" --shrink-part 0", 2}};
    for (const auto& [actions, status] : refused) {
        std::filesystem::remove(out);
        const CliRun failed = runCli(edit + " --copy-part 0" + actions);
        EXPECT_EQ(
            std::make_tuple(failed.status, lineCount(failed.err), std::filesystem::exists(out)),
            std::make_tuple(status, 1, false))
            << actions << ": " << failed.err;
    }
    EXPECT_EQ(runCli(edit + " --rename-part 0 " + n64.substr(1)).status, 0);
}
