// The editor on the recording window system.
#include "editor_fixture.h"

#include <filesystem>

void EditorTest::TearDown() {
    shutDownEditor(), model = {}, app = {}, panel = {}, render = {}, camera = {}, light = {};
    motion = {}, buttons = {}, mouse = {}, editSettings = {};
}

void EditorTest::start(const std::string& file) {
    options.openFile = file;
    ASSERT_TRUE(startEditor(ws, options));
}

void EditorTest::restart(const ConfigRecord* r, size_t bytes) {
    std::filesystem::create_directories(dir.file("config"));
    const auto* data = reinterpret_cast<const uint8_t*>(r);
    if (r) writeBytes(options.configPath, {data, data + bytes});
    TearDown(), ws = FakeWindowSystem{}, start();
}

void EditorTest::page(int which) {
    const uint32_t p = model.selectedPart;
    if (which == PAGE_SURFACES && p < MAX_PARTS && !(model.partFlags[p] & PART_NORMALS_READY))
        ws.messageBoxAnswers.push_back(1);
    ASSERT_TRUE(ws.menu(CMD_PAGE_FIRST + which));
}

void EditorTest::drag(int keys, int x, int y, int dx, int dy) {
    ws.mouseDown(keys, x, y), ws.mouseMove(keys, x + dx, y + dy), ws.mouseUp(keys, x + dx, y + dy);
}

std::string EditorTest::sampleCopy() {
    std::filesystem::copy_file(sourcePath("data/sample/car00.tga"), dir.file("car00.tga"));
    std::filesystem::copy_file(sampleFce(), dir.file("car.fce"));
    return dir.file("car.fce");
}

std::vector<int> EditorTest::selection(int id) {
    std::vector<int> chosen;
    const FakeControl& c = ws.control(id);
    for (size_t i = 0; i < c.selected.size(); ++i)
        if (c.selected[i]) chosen.push_back(int(i));
    return chosen;
}

std::string EditorTest::states(int first, int count) {
    std::string letters;
    for (int id = first; id < first + count; ++id)
        letters += "UD-"[std::min<int>(buttonStateOf(id), 2)];
    return letters;
}
