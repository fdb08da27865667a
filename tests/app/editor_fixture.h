// Starts the editor's logic on the recording window system, with the
// repository's data folder and a private configuration file.
#pragma once

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/fake_window_system.h"
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

    FakeWindowSystem ws;
    TempDir dir;
    StartOptions options;
};
