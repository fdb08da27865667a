// Start-up of the Qt editor: the one place the program's main() touches Qt.
#pragma once

#include "platform/window_system.h"

#include <functional>

// Creates the application, runs `body` with the Qt window system and returns
// its result.
int runQtApplication(int argc, char** argv, const std::function<int(WindowSystem&)>& body);

// The look of the whole application (its widget style). Needs the application.
void applyApplicationStyle();
