// Starts the editor's logic on the recording window system, with the
// repository's data folder and a private configuration file, and reads back
// what the window shows.
#pragma once

#include "app/app_state.h"
#include "app/config.h"
#include "app/control_ids.h"
#include "app/fake_window_system.h"
#include "app/main_window.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

class EditorTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Starts the editor, opening `file` at start when it is not empty.
    void start(const std::string& file = "");
    // A copy of the sample car (with its texture) in the test's folder.
    std::string sampleCopy(const std::string& name = "car.fce");
    void page(int which) { ASSERT_TRUE(ws.menu(CMD_PAGE_FIRST + which)); }
    std::vector<std::string> items(int id) { return ws.control(id).items; }
    std::vector<int> selection(int id);
    // The configuration file as the editor wrote it.
    ConfigRecord storedConfig();

    FakeWindowSystem ws;
    TempDir dir;
    StartOptions options;
};
