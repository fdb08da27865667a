// The editor on the recording window system.
#include "editor_fixture.h"

#include "app/buttons.h"
#include "app/mouse.h"
#include "app/owner_draw.h"
#include "model/car_model.h"
#include "render/render.h"

#include <cstring>
#include <filesystem>

void EditorTest::SetUp() {
    options.appDir = sourcePath("data");
    options.configPath = dir.file("config/Vornix.cfg");
}

void EditorTest::TearDown() {
    shutDownEditor();
    model = CarModel{};
    app = AppState{};
    panel = PanelState{};
    render = RenderState{};
    camera = CameraState{};
    light = LightState{};
    motion = MotionState{};
    buttons = ButtonState{};
    mouse = MouseState{};
}

void EditorTest::start(const std::string& file) {
    options.openFile = file;
    ASSERT_TRUE(startEditor(ws, options));
}

std::string EditorTest::sampleCopy(const std::string& name) {
    namespace fs = std::filesystem;
    const std::string fce = dir.file(name);
    fs::copy_file(sampleFce(), fce, fs::copy_options::overwrite_existing);
    const std::string stem = name.substr(0, name.size() - 4);
    fs::copy_file(sourcePath("data/sample/car00.tga"), dir.file(stem + "00.tga"),
                  fs::copy_options::overwrite_existing);
    return fce;
}

std::vector<int> EditorTest::selection(int id) {
    std::vector<int> chosen;
    const FakeControl& c = ws.control(id);
    for (size_t i = 0; i < c.selected.size(); ++i)
        if (c.selected[i]) chosen.push_back(int(i));
    return chosen;
}

ConfigRecord EditorTest::storedConfig() {
    ConfigRecord record{};
    const std::vector<uint8_t> bytes = readBytes(options.configPath);
    EXPECT_EQ(bytes.size(), sizeof record);
    std::memcpy(&record, bytes.data(), std::min(bytes.size(), sizeof record));
    return record;
}
