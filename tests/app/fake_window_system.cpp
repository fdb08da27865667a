// FakeWindowSystem: records what the logic asks of the window system and
// plays user input back, with the same rules as the Qt backend.
#include "app/fake_window_system.h"

#include <algorithm>
#include <cctype>

namespace {
constexpr uint32_t PANEL_GREY = 0xC0C0C0;
constexpr uint32_t LIST_GREY = 0xE0E0E0;
constexpr int LIST_FRAME = 2; // the lists' sunken frame, each side
// The next scripted answer, or `otherwise` when none is left.
template <class T> T next(std::deque<T>& answers, T otherwise) {
    if (answers.empty()) return otherwise;
    T answer = answers.front();
    answers.pop_front();
    return answer;
}
} // namespace

FakeControl& FakeWindowSystem::list(int id) {
    FakeControl& c = any(id);
    return c.kind == CONTROL_LIST || c.kind == CONTROL_OWNER_LIST ? c : (scratch = FakeControl{});
}

bool FakeWindowSystem::createMainWindow(WindowEvents* windowEvents, int w, int h, bool max) {
    if (events || w <= 0 || h <= 0) return false;
    events = windowEvents, width = w, height = h, maximised = max;
    return true;
}

void FakeWindowSystem::showMainWindow() {
    if (!windowShown && events)
        windowShown = true, events->resize(width, height); // showing a window sizes it
}

void FakeWindowSystem::createMenu(const std::vector<MenuEntry>& entries) {
    menuStates.clear();
    for (const MenuEntry& entry : entries)
        if (entry.id != 0 || entry.text) menuStates[entry.id] = entry.grayed ? MENU_GRAYED : 0;
}

void FakeWindowSystem::createControl(int id, ControlKind kind, ClientRect rect, uint32_t style,
                                     const std::string& text) {
    FakeControl& c = controls[id] = FakeControl{};
    c.kind = kind, c.rect = rect, c.style = style, c.text = text;
}

bool FakeWindowSystem::lastClickPosition(int id, int& clientX, int& clientY) {
    const FakeControl& c = any(id);
    if (c.clicked) clientX = c.clickX, clientY = c.clickY;
    return c.clicked;
}

void FakeWindowSystem::listClear(int id) {
    FakeControl& c = list(id);
    c.items.clear(), c.selected.clear(), c.current = -1;
}

void FakeWindowSystem::listAdd(int id, const std::string& text) {
    FakeControl& c = list(id);
    c.items.push_back(text), c.selected.push_back(false);
}

// Index -1 selects every item of a multi-selection list (none of another)
// or clears the selection; a single-selection list keeps one item at most.
void FakeWindowSystem::listSelect(int id, int index, bool select) {
    FakeControl& c = list(id);
    const bool multi = c.style & STYLE_MULTI_SELECT;
    if (index < 0 && (multi || !select)) std::fill(c.selected.begin(), c.selected.end(), select);
    if (index < 0 || index >= int(c.items.size())) return;
    if (select && !multi) std::fill(c.selected.begin(), c.selected.end(), false);
    c.selected[index] = select;
    if (select) c.current = index;
}

bool FakeWindowSystem::listIsSelected(int id, int index) {
    const FakeControl& c = list(id);
    return index >= 0 && index < int(c.items.size()) && c.selected[index];
}

void FakeWindowSystem::setCheck(int id, int state) {
    FakeControl& c = any(id);
    if (c.kind == CONTROL_CHECK_BOX) c.check = state == 1 || state == 2 ? state : 0;
}

void FakeWindowSystem::setSlider(int id, int minimum, int maximum, int position) {
    FakeControl& c = any(id);
    if (c.kind == CONTROL_SLIDER)
        c.sliderPosition = std::clamp(position, minimum, std::max(minimum, maximum));
}

void FakeWindowSystem::present(const uint32_t* pixels, int pitch, int x, int y, int w, int h) {
    presented.clear(), presentedRect = ClientRect{0, 0, 0, 0};
    if (!pixels || w <= 0 || h <= 0 || pitch < w) return;
    for (int row = 0; row < h; row++)
        presented.insert(presented.end(), pixels + row * pitch, pixels + row * pitch + w);
    presentedRect = ClientRect{x, y, w, h};
}

int FakeWindowSystem::messageBox(const std::string& boxTitle, const std::string& text,
                                 MessageButtons buttons, MessageIcon) {
    messageBoxes.push_back(FakeMessageBox{boxTitle, text, buttons});
    return next(messageBoxAnswers, buttons == BUTTONS_OK ? 1 : 2);
}

std::string FakeWindowSystem::fileDialog(FakeFileDialog dialog) {
    fileDialogs.push_back(dialog);
    return next(fileAnswers, std::string());
}

int FakeWindowSystem::chosenFileFilter() {
    return next(filterAnswers, 1);
}

std::string FakeWindowSystem::editInPlace(int, const std::string& text, int maxLength) {
    edits.push_back(text);
    std::string answer = next(editAnswers, text);
    if (maxLength > 0 && int(answer.size()) > maxLength) answer.resize(size_t(maxLength));
    return answer;
}

// Buttons and check boxes report clicks; labels and fields only with
// STYLE_NOTIFY.
bool FakeWindowSystem::click(int id) {
    FakeControl& c = any(id);
    const bool button = c.kind == CONTROL_CHECK_BOX || c.kind == CONTROL_PUSH_BUTTON ||
                        c.kind == CONTROL_OWNER_BUTTON;
    const bool text =
        c.kind == CONTROL_LABEL || c.kind == CONTROL_FIELD || c.kind == CONTROL_OWNER_STATIC;
    if (!c.shown || !events || !(button || (text && (c.style & STYLE_NOTIFY)))) return false;
    c.clicked = true, c.clickX = c.rect.x + c.rect.width / 2,
    c.clickY = c.rect.y + c.rect.height / 2;
    return events->command(id, NOTIFY_CLICKED, true), true;
}

// A click toggles the item of a multi-selection list and selects the item
// alone in another.
bool FakeWindowSystem::selectListItem(int id, int index, int clientX) {
    FakeControl& c = list(id);
    if (!c.shown || !events || index < 0 || index >= int(c.items.size())) return false;
    const bool multi = c.style & STYLE_MULTI_SELECT, was = c.selected[index];
    if (!multi) std::fill(c.selected.begin(), c.selected.end(), false);
    c.selected[index] = !multi || !was, c.current = index, c.clicked = true;
    c.clickX = clientX >= 0 ? clientX : c.rect.x + c.rect.width / 2;
    c.clickY = c.rect.y + LIST_FRAME + index * OWNER_ITEM_HEIGHT + OWNER_ITEM_HEIGHT / 2;
    return events->command(id, NOTIFY_SELECTION, true), true;
}

bool FakeWindowSystem::doubleClick(int id, int index, int clientX) {
    // The first click of the two selects, as a single click does.
    return selectListItem(id, index, clientX) &&
           (events->command(id, NOTIFY_DOUBLE_CLICK, true), true);
}

bool FakeWindowSystem::menu(int id) {
    if (!events || !menuStates.count(id) || (menuState(id) & MENU_GRAYED)) return false;
    return events->command(id, 0, false), true;
}

// The keys stay the logic's to refuse: an accelerator reports its command
// whatever the state of its menu item.
bool FakeWindowSystem::pressAccelerator(AcceleratorKey key, char letter) {
    for (const Accelerator& a : accelerators)
        if (events && a.key == key &&
            (key != ACCEL_LETTER || std::toupper(a.letter) == std::toupper(letter)))
            return events->command(a.id, 0, false), true;
    return false;
}

bool FakeWindowSystem::scroll(int id, int code, int position) {
    const FakeControl& c = any(id);
    if (c.kind != CONTROL_SLIDER || !c.shown || !events) return false;
    return events->scroll(id, code, position), true;
}

// The pointer cannot leave a confinement: it stops at its edge.
void FakeWindowSystem::movePointer(int& x, int& y) {
    if (confined && confinement.width > 0 && confinement.height > 0)
        x = std::clamp(x, confinement.x, confinement.x + confinement.width - 1),
        y = std::clamp(y, confinement.y, confinement.y + confinement.height - 1);
    pointerX = x, pointerY = y;
}

// Owner-drawn controls are painted inside their sunken frame, list items as
// wide as the list inside its frame, each on the background Qt gives them.
FakePaint FakeWindowSystem::paint(int id, int index, bool selected, bool selectionOnly) {
    FakePaint paint;
    const FakeControl& c = any(id);
    const bool item = c.kind == CONTROL_OWNER_LIST && index >= 0 && index < int(c.items.size());
    const bool owner = c.kind == CONTROL_OWNER_BUTTON || c.kind == CONTROL_OWNER_STATIC;
    if (!events || (index < 0 ? !owner : !item)) return paint;
    const int frame = item ? LIST_FRAME : (c.style & STYLE_SUNKEN ? 1 : 0);
    paint.width = std::max(0, c.rect.width - 2 * frame);
    paint.height = item ? OWNER_ITEM_HEIGHT : std::max(0, c.rect.height - 2 * frame);
    paint.pixels.assign(size_t(paint.width * paint.height), item ? LIST_GREY : PANEL_GREY);
    const bool on = item ? bool(c.selected[index]) : selected;
    DrawItem draw{id, index, on, selectionOnly, paint.width, paint.height, paint.pixels.data()};
    events->drawItem(draw, paint.text);
    return paint;
}
