// FakeWindowSystem: records what the logic asks of the window system and
// plays user input back, with the same rules as the Qt backend.
#include "app/fake_window_system.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace {

constexpr uint32_t PANEL_GREY = 0xC0C0C0;
constexpr uint32_t LIST_GREY = 0xE0E0E0;
constexpr int LIST_FRAME = 2; // the lists' sunken frame, each side

} // namespace

FakeControl* FakeWindowSystem::find(int id) {
    auto found = controls.find(id);
    return found == controls.end() ? nullptr : &found->second;
}

FakeControl& FakeWindowSystem::control(int id) {
    return controls.at(id);
}

bool FakeWindowSystem::shown(int id) const {
    auto found = controls.find(id);
    return found != controls.end() && found->second.shown;
}

bool FakeWindowSystem::isList(const FakeControl* control) const {
    return control && (control->kind == CONTROL_LIST || control->kind == CONTROL_OWNER_LIST);
}

void FakeWindowSystem::screenSize(int& width, int& height) {
    width = screenWidth;
    height = screenHeight;
}

bool FakeWindowSystem::createMainWindow(WindowEvents* events, int width, int height,
                                        bool maximised) {
    if (this->events || width <= 0 || height <= 0) return false;
    this->events = events;
    this->width = width;
    this->height = height;
    this->maximised = maximised;
    return true;
}

void FakeWindowSystem::showMainWindow() {
    if (windowShown || !events) return;
    windowShown = true;
    events->resize(width, height); // showing a window sizes it
}

void FakeWindowSystem::setIcon(const uint32_t* pixels, int width, int height) {
    if (pixels && width > 0 && height > 0) icon.assign(pixels, pixels + width * height);
}

void FakeWindowSystem::createMenu(const std::vector<MenuEntry>& entries) {
    menuItems.clear();
    for (const MenuEntry& entry : entries) {
        FakeMenuItem item;
        item.popup = entry.popup ? entry.popup : "";
        item.id = entry.id;
        item.text = entry.text ? entry.text : "";
        item.grayed = entry.grayed;
        menuItems.push_back(item);
        if (item.id != 0 || !item.text.empty())
            menuStates[item.id] = entry.grayed ? MENU_GRAYED : MENU_ENABLED;
    }
}

void FakeWindowSystem::setAccelerators(const std::vector<Accelerator>& accelerators) {
    this->accelerators = accelerators;
}

void FakeWindowSystem::clientSize(int& width, int& height) {
    width = this->width;
    height = this->height;
}

void FakeWindowSystem::createControl(int id, ControlKind kind, ClientRect rect, uint32_t style,
                                     const std::string& text) {
    FakeControl control;
    control.kind = kind;
    control.rect = rect;
    control.style = style;
    control.text = text;
    controls[id] = control;
    creationOrder.push_back(id);
}

void FakeWindowSystem::showControl(int id, bool shown) {
    if (FakeControl* control = find(id)) control->shown = shown;
}

void FakeWindowSystem::moveControl(int id, ClientRect rect) {
    if (FakeControl* control = find(id)) control->rect = rect;
}

void FakeWindowSystem::setText(int id, const std::string& text) {
    if (FakeControl* control = find(id)) control->text = text;
}

void FakeWindowSystem::setTextLook(int id, TextLook look) {
    if (FakeControl* control = find(id)) control->look = look;
}

void FakeWindowSystem::repaintControl(int id) {
    if (FakeControl* control = find(id)) control->repaints++;
}

void FakeWindowSystem::setControlImage(int id, const uint32_t* pixels, int width, int height) {
    FakeControl* control = find(id);
    if (!control || control->kind != CONTROL_PICTURE) return;
    if (!pixels || width <= 0 || height <= 0) {
        control->image.clear();
        control->imageWidth = control->imageHeight = 0;
        return;
    }
    control->image.assign(pixels, pixels + width * height);
    control->imageWidth = width;
    control->imageHeight = height;
}

ClientRect FakeWindowSystem::controlRect(int id) {
    FakeControl* control = find(id);
    return control ? control->rect : ClientRect{0, 0, 0, 0};
}

bool FakeWindowSystem::lastClickPosition(int id, int& clientX, int& clientY) {
    FakeControl* control = find(id);
    if (!control || !control->clicked) return false;
    clientX = control->clickX;
    clientY = control->clickY;
    return true;
}

void FakeWindowSystem::listClear(int id) {
    FakeControl* control = find(id);
    if (!isList(control)) return;
    control->items.clear();
    control->selected.clear();
    control->current = -1;
    control->top = 0;
}

void FakeWindowSystem::listAdd(int id, const std::string& text) {
    FakeControl* control = find(id);
    if (!isList(control)) return;
    control->items.push_back(text);
    control->selected.push_back(false);
}

int FakeWindowSystem::listCount(int id) {
    FakeControl* control = find(id);
    return isList(control) ? static_cast<int>(control->items.size()) : 0;
}

void FakeWindowSystem::listSelect(int id, int index, bool selected) {
    FakeControl* control = find(id);
    if (!isList(control)) return;
    bool multi = control->style & STYLE_MULTI_SELECT;
    int count = static_cast<int>(control->items.size());
    if (index < 0) {
        if (multi)
            std::fill(control->selected.begin(), control->selected.end(), selected);
        else if (!selected)
            std::fill(control->selected.begin(), control->selected.end(), false);
        return;
    }
    if (index >= count) return;
    if (!selected) {
        control->selected[index] = false;
        return;
    }
    if (!multi) std::fill(control->selected.begin(), control->selected.end(), false);
    control->selected[index] = true;
    control->current = index;
}

bool FakeWindowSystem::listIsSelected(int id, int index) {
    FakeControl* control = find(id);
    return isList(control) && index >= 0 && index < static_cast<int>(control->items.size()) &&
           control->selected[index];
}

int FakeWindowSystem::listCurrent(int id) {
    FakeControl* control = find(id);
    return isList(control) ? control->current : -1;
}

void FakeWindowSystem::listSetTop(int id, int index) {
    FakeControl* control = find(id);
    if (isList(control) && index >= 0 && index < static_cast<int>(control->items.size()))
        control->top = index;
}

void FakeWindowSystem::setCheck(int id, int state) {
    FakeControl* control = find(id);
    if (control && control->kind == CONTROL_CHECK_BOX)
        control->check = state == 1 || state == 2 ? state : 0;
}

int FakeWindowSystem::check(int id) {
    FakeControl* control = find(id);
    return control && control->kind == CONTROL_CHECK_BOX ? control->check : 0;
}

void FakeWindowSystem::setSlider(int id, int minimum, int maximum, int position) {
    FakeControl* control = find(id);
    if (!control || control->kind != CONTROL_SLIDER) return;
    maximum = std::max(minimum, maximum);
    control->sliderMinimum = minimum;
    control->sliderMaximum = maximum;
    control->sliderPosition = std::clamp(position, minimum, maximum);
}

int FakeWindowSystem::menuState(int id) {
    auto found = menuStates.find(id);
    return found == menuStates.end() ? 0 : found->second;
}

void FakeWindowSystem::present(const uint32_t* pixels, int pitch, int x, int y, int width,
                               int height) {
    presentCount++;
    if (!pixels || width <= 0 || height <= 0 || pitch < width) {
        presented.clear();
        presentedRect = ClientRect{0, 0, 0, 0};
        return;
    }
    presented.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int row = 0; row < height; row++)
        std::copy(pixels + static_cast<size_t>(row) * static_cast<size_t>(pitch),
                  pixels + static_cast<size_t>(row) * static_cast<size_t>(pitch) + width,
                  presented.begin() + static_cast<ptrdiff_t>(row) * width);
    presentedRect = ClientRect{x, y, width, height};
}

uint32_t FakeWindowSystem::presentedPixel(int clientX, int clientY) const {
    int x = clientX - presentedRect.x, y = clientY - presentedRect.y;
    if (x < 0 || y < 0 || x >= presentedRect.width || y >= presentedRect.height) return 0;
    return presented[static_cast<size_t>(y) * static_cast<size_t>(presentedRect.width) +
                     static_cast<size_t>(x)];
}

void FakeWindowSystem::confinePointer(const ClientRect* rect) {
    confined = rect != nullptr;
    confinement = rect ? *rect : ClientRect{0, 0, 0, 0};
}

void FakeWindowSystem::warpPointer(int clientX, int clientY) {
    warps.emplace_back(clientX, clientY);
    pointerX = clientX;
    pointerY = clientY;
}

void FakeWindowSystem::pointerPosition(int& clientX, int& clientY) {
    clientX = pointerX;
    clientY = pointerY;
}

int FakeWindowSystem::messageBox(const std::string& title, const std::string& text,
                                 MessageButtons buttons, MessageIcon icon) {
    messageBoxes.push_back(FakeMessageBox{title, text, buttons, icon});
    if (messageBoxAnswers.empty()) return buttons == BUTTONS_OK ? 1 : 2;
    int answer = messageBoxAnswers.front();
    messageBoxAnswers.pop_front();
    return answer;
}

std::string
FakeWindowSystem::openFileDialog(const std::string& title,
                                 const std::vector<std::pair<std::string, std::string>>& filters,
                                 const std::string& start) {
    fileDialogs.push_back(FakeFileDialog{false, title, filters, start, ""});
    if (fileAnswers.empty()) return "";
    std::string answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

std::string
FakeWindowSystem::saveFileDialog(const std::string& title,
                                 const std::vector<std::pair<std::string, std::string>>& filters,
                                 const std::string& start, const std::string& extension) {
    fileDialogs.push_back(FakeFileDialog{true, title, filters, start, extension});
    if (fileAnswers.empty()) return "";
    std::string answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

std::string FakeWindowSystem::editInPlace(int id, const std::string& text, int maxLength) {
    edits.push_back(FakeEdit{id, text, maxLength});
    std::string answer = text;
    if (!editAnswers.empty()) {
        answer = editAnswers.front();
        editAnswers.pop_front();
    }
    if (maxLength > 0 && static_cast<int>(answer.size()) > maxLength)
        answer.resize(static_cast<size_t>(maxLength));
    return answer;
}

bool FakeWindowSystem::openUrl(const std::string& url) {
    openedUrls.push_back(url);
    return openUrlResult;
}

void FakeWindowSystem::setCursorImage(CursorShape shape, const uint32_t* pixels, int, int) {
    if (pixels) cursorImages[shape].assign(pixels, pixels + 32 * 32);
}

int FakeWindowSystem::run() {
    showMainWindow();
    quitRequested = false;
    return exitCode;
}

void FakeWindowSystem::quit(int exitCode) {
    quitRequested = true;
    this->exitCode = exitCode;
}

void FakeWindowSystem::recordClick(FakeControl& control, int clientX, int clientY) {
    control.clicked = true;
    control.clickX = clientX;
    control.clickY = clientY;
}

bool FakeWindowSystem::click(int id) {
    FakeControl* control = find(id);
    if (!control || !control->shown || !events) return false;
    switch (control->kind) {
    case CONTROL_CHECK_BOX:
    case CONTROL_PUSH_BUTTON:
    case CONTROL_OWNER_BUTTON:
        break;
    case CONTROL_LABEL:
    case CONTROL_FIELD:
    case CONTROL_OWNER_STATIC:
        if (control->style & STYLE_NOTIFY) break;
        return false;
    default:
        return false;
    }
    recordClick(*control, control->rect.x + control->rect.width / 2,
                control->rect.y + control->rect.height / 2);
    events->command(id, NOTIFY_CLICKED, true);
    return true;
}

bool FakeWindowSystem::selectListItem(int id, int index, int clientX) {
    FakeControl* control = find(id);
    if (!isList(control) || !control->shown || !events) return false;
    if (index < 0 || index >= static_cast<int>(control->items.size())) return false;
    if (control->style & STYLE_MULTI_SELECT) {
        control->selected[index] = !control->selected[index];
    } else {
        std::fill(control->selected.begin(), control->selected.end(), false);
        control->selected[index] = true;
    }
    control->current = index;
    int x = clientX >= 0 ? clientX : control->rect.x + control->rect.width / 2;
    int y = control->rect.y + LIST_FRAME + (index - control->top) * OWNER_ITEM_HEIGHT +
            OWNER_ITEM_HEIGHT / 2;
    recordClick(*control, x, y);
    events->command(id, NOTIFY_SELECTION, true);
    return true;
}

bool FakeWindowSystem::doubleClick(int id, int index, int clientX) {
    // The first click of the two selects, as a single click does.
    if (!selectListItem(id, index, clientX)) return false;
    events->command(id, NOTIFY_DOUBLE_CLICK, true);
    return true;
}

bool FakeWindowSystem::menu(int id) {
    if (!events) return false;
    bool exists = std::any_of(menuItems.begin(), menuItems.end(), [id](const FakeMenuItem& item) {
        return item.id == id && !item.text.empty();
    });
    if (!exists || (menuState(id) & MENU_GRAYED)) return false;
    events->command(id, 0, false);
    return true;
}

bool FakeWindowSystem::pressAccelerator(AcceleratorKey key, char letter) {
    if (!events) return false;
    for (const Accelerator& accelerator : accelerators) {
        if (accelerator.key != key) continue;
        if (key == ACCEL_LETTER && std::toupper(static_cast<unsigned char>(accelerator.letter)) !=
                                       std::toupper(static_cast<unsigned char>(letter)))
            continue;
        events->command(accelerator.id, 0, false);
        return true;
    }
    return false;
}

bool FakeWindowSystem::scroll(int id, int code, int position) {
    FakeControl* control = find(id);
    if (!control || control->kind != CONTROL_SLIDER || !control->shown || !events) return false;
    events->scroll(id, code, position);
    return true;
}

void FakeWindowSystem::mouseDown(int keys, int x, int y) {
    pointerX = x;
    pointerY = y;
    if (events) events->mouseDown(keys, x, y);
}

// The pointer cannot leave a confinement: it stops at its edge.
void FakeWindowSystem::movePointer(int& x, int& y) {
    if (confined && confinement.width > 0 && confinement.height > 0) {
        x = std::clamp(x, confinement.x, confinement.x + confinement.width - 1);
        y = std::clamp(y, confinement.y, confinement.y + confinement.height - 1);
    }
    pointerX = x;
    pointerY = y;
}

void FakeWindowSystem::mouseMove(int keys, int x, int y) {
    movePointer(x, y);
    if (events) events->mouseMove(keys, x, y);
}

void FakeWindowSystem::mouseUp(int keys, int x, int y) {
    movePointer(x, y);
    if (events) events->mouseUp(keys, x, y);
}

void FakeWindowSystem::hover(int controlId) {
    if (events) events->hover(controlId);
}

void FakeWindowSystem::resize(int width, int height) {
    this->width = width;
    this->height = height;
    if (events) events->resize(width, height);
}

void FakeWindowSystem::close() {
    if (events) events->closeRequest();
}

void FakeWindowSystem::idle(int frames) {
    for (int i = 0; i < frames && continuous && events; i++) events->idleFrame();
}

FakePaint FakeWindowSystem::paintControl(int id, bool selected, bool selectionOnly) {
    FakePaint paint;
    FakeControl* control = find(id);
    if (!control || !events) return paint;
    if (control->kind != CONTROL_OWNER_BUTTON && control->kind != CONTROL_OWNER_STATIC)
        return paint;
    int frame = control->style & STYLE_SUNKEN ? 1 : 0; // the pixels are inside the frame
    paint.width = std::max(0, control->rect.width - 2 * frame);
    paint.height = std::max(0, control->rect.height - 2 * frame);
    paint.pixels.assign(static_cast<size_t>(paint.width) * static_cast<size_t>(paint.height),
                        PANEL_GREY);
    DrawItem item{id, -1, selected, selectionOnly, paint.width, paint.height, paint.pixels.data()};
    events->drawItem(item, paint.text);
    return paint;
}

FakePaint FakeWindowSystem::paintListItem(int id, int index) {
    FakePaint paint;
    FakeControl* control = find(id);
    if (!control || control->kind != CONTROL_OWNER_LIST || !events) return paint;
    if (index < 0 || index >= static_cast<int>(control->items.size())) return paint;
    paint.width = std::max(0, control->rect.width - 2 * LIST_FRAME);
    paint.height = OWNER_ITEM_HEIGHT;
    paint.pixels.assign(static_cast<size_t>(paint.width) * static_cast<size_t>(paint.height),
                        LIST_GREY);
    DrawItem item{id,          index,        control->selected[index], false,
                  paint.width, paint.height, paint.pixels.data()};
    events->drawItem(item, paint.text);
    return paint;
}

const FakeMenuItem* FakeWindowSystem::menuItem(int id) const {
    for (const FakeMenuItem& item : menuItems)
        if (item.id == id && !item.text.empty()) return &item;
    return nullptr;
}
