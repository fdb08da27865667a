// Help pages and context help.
#include "app/help.h"

#include "app/app_state.h"
#include "app/control_ids.h"
#include "app/main_window.h"
#include "model/car_model.h"
#include "model/file_io.h"
#include "model/messages.h"
#include "platform/window_system.h"
#include "render/frame_buffer.h"
#include "render/render_state.h"

#include <filesystem>

HelpState help;

namespace {
const char* const helpPages[7] = {"index.html",   "camera.html", "parts.html",   "surfaces.html",
                                  "dummies.html", "colors.html", "textures.html"};
}

std::string helpPagePath() {
    const int entry = model.modelLoaded ? render.page + 1 : 0;
    return app.appDir + "/help/" + helpPages[entry];
}

void openHelpPage() {
    // The desktop's opener starting says nothing about the page being there.
    const std::string page = helpPagePath();
    std::error_code error;
    if (!std::filesystem::is_regular_file(page, error) || !windows().openUrl(page))
        showMessage("Help file not found.\nPlease run the 'Vornix Help' from the start menu.");
}

bool loadContextHelp() {
    help = HelpState{};
    int64_t size = 0;
    std::string text;
    if (!readFileStart(app.appDir + "/help.dat", HELP_FILE_LIMIT + 1, text, size) ||
        size > HELP_FILE_LIMIT)
        return false;
    help.helpLines = std::move(text);
    help.loaded = true;
    return true;
}

// The lookup stops at the end of the text, so a short or damaged help.dat
// gives an empty line instead of reading past it.
std::string helpLine(int k) {
    const std::string& text = help.helpLines;
    size_t at = 0;
    for (int skipped = 0; skipped < k; ++skipped) {
        at = text.find('\n', at);
        if (at == std::string::npos) return {};
        ++at;
    }
    size_t end = text.find_first_of("\r\n", at);
    if (end == std::string::npos) end = text.size();
    return text.substr(at, std::min<size_t>(end - at, 254));
}

void showButtonHelp(int index) {
    if (app.tooltipButton == index + 1) return;
    if (app.tooltipButton != 0) hideButtonHelp();
    WindowSystem& ws = windows();
    ws.moveControl(ID_STATUS_LINE, {PANEL_WIDTH, frame.viewHeight + 32, frame.viewWidth, 16});
    ws.setText(ID_STATUS_LINE, " " + helpLine(index));
    ws.showControl(ID_STATUS_LINE, true);
    app.tooltipButton = index + 1;
}

void hideButtonHelp() {
    if (hasWindows()) windows().showControl(ID_STATUS_LINE, false);
    app.tooltipButton = 0;
}

void trackHover(int id) {
    if (!app.contextHelpOn) return;
    if (id >= BUTTON_FIRST && id < BUTTON_FIRST + BUTTON_COUNT)
        showButtonHelp(id - BUTTON_FIRST);
    else if (id == 0 && app.tooltipButton != 0)
        hideButtonHelp();
}
