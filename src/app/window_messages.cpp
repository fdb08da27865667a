// Message boxes and in-place input over the window system.
#include "app/window_messages.h"

#include "app/app_state.h"
#include "app/main_window.h"
#include "model/car_model.h"
#include "model/names.h"
#include "platform/window_system.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

void WindowMessages::showError(const std::string& text) {
    windows_.messageBox("Error", text, BUTTONS_OK, ICON_EXCLAMATION);
}
void WindowMessages::showMessage(const std::string& text) {
    windows_.messageBox("Message", text, BUTTONS_OK, ICON_INFORMATION);
}
bool WindowMessages::askOkCancel(const std::string& text) {
    return windows_.messageBox("Question", text, BUTTONS_OK_CANCEL, ICON_QUESTION) == 1;
}
int WindowMessages::askYesNoCancel(const std::string& text) {
    return windows_.messageBox("Question", text, BUTTONS_YES_NO_CANCEL, ICON_QUESTION);
}
std::string WindowMessages::chooseFileToOpen(const std::string& title,
                                             const std::string& filterName,
                                             const std::string& pattern) {
    return windows_.openFileDialog(title, {{filterName, pattern}}, "");
}

float parseNumber(const std::string& text) {
    std::string s = text;
    for (char& c : s)
        if (c == ',') c = '.';
    const double value = std::strtod(s.c_str(), nullptr);
    // "inf" and "nan" read as numbers to strtod; no position may become one.
    if (!std::isfinite(value) || std::fabs(value) > 3.4e38) return 0.0f;
    return float(value);
}

namespace {
std::string fieldText(float value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.3f", double(value));
    return buffer;
}
} // namespace

int editNumber(int field, float& value) {
    WindowSystem& ws = windows();
    const float entered = parseNumber(ws.editInPlace(field, fieldText(value), 63));
    if (entered == value) return 0;
    value = entered;
    ws.setText(field, fieldText(value));
    app.snapshotPending = true;
    return 1;
}

int editText(int field, char (&name)[NAME_SIZE]) {
    WindowSystem& ws = windows();
    // The field edits the name as text; what comes back becomes the name's
    // bytes again.
    std::string entered = utf8ToWindows1252(ws.editInPlace(field, nameText(name), 63));
    if (entered.size() > 63) entered.resize(63);
    if (entered == nameString(name)) return 0;
    std::memcpy(name, entered.c_str(), entered.size() + 1);
    ws.setText(field, nameText(name));
    app.snapshotPending = true;
    return 1;
}
