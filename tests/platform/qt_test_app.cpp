// The application of the window-system tests: offscreen unless the
// environment names another platform.
#include "platform/qt_test_app.h"

#include "platform/qt/qt_application.h"

namespace {

class QtApplicationEnvironment : public ::testing::Environment {
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "platform_tests", *argv[] = {name, nullptr};
        application = std::make_unique<QApplication>(argc, argv);
        applyApplicationStyle();
    }
    void TearDown() override { application.reset(); }
    std::unique_ptr<QApplication> application;
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

} // namespace
