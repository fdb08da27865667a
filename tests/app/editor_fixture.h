// Starts the editor's logic on the recording window system, with the
// repository's data folder and a private configuration file, and reads back
// what the window shows.
#pragma once

#include "app/app_state.h"
#include "app/buttons.h"
#include "app/config.h"
#include "app/control_ids.h"
#include "app/fake_window_system.h"
#include "app/main_window.h"
#include "app/menu.h"
#include "app/mouse.h"
#include "editing/rebuild.h"
#include "model/car_model.h"
#include "render/render.h"
#include "support/test_support.h"

#include <cstring>
#include <gtest/gtest.h>

class EditorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        options.appDir = sourcePath("data"), options.configPath = dir.file("config/Vornix.cfg");
    }
    void TearDown() override;
    // Starts the editor, opening `file` at start when it is not empty.
    void start(const std::string& file = "");
    // Shuts the editor down and starts it anew in a fresh window, on a
    // configuration file of the first `bytes` of r unless r is null.
    void restart(const ConfigRecord* r = nullptr, size_t bytes = sizeof(ConfigRecord));
    // A press at (x, y), a move by (dx, dy) and the release there.
    void drag(int keys, int x, int y, int dx, int dy);
    // A copy of the sample car (with its texture) in the test's folder.
    std::string sampleCopy();
    // Shows a page; the Surfaces page's question about a part not rebuilt
    // yet is answered OK.
    void page(int which);
    std::vector<int> selection(int id);
    std::string text(int id) { return ws.control(id).text; }
    // The states of `count` buttons from `first` on: U up, D down, - disabled.
    std::string states(int first, int count);

    FakeWindowSystem ws;
    TempDir dir;
    StartOptions options;
};

// The editor with a copy of the sample car open.
class CarTest : public EditorTest {
  protected:
    void SetUp() override { EditorTest::SetUp(), start(sampleCopy()); }
};
