// Side panel pages. Each page sets the header title; the overlays a page
// shows in the view (axis cross, dummy symbols) are built when it is shown.
#include "app/panels.h"

#include "app/app_state.h"
#include "app/control_ids.h"
#include "app/main_window.h"
#include "platform/window_system.h"
#include "render/overlays.h"
#include "render/render_state.h"

namespace {

struct ListSpec {
    int id;
    ControlKind kind;
    uint32_t style;
    ClientRect rect;
};
const ListSpec panelLists[] = {
    {2001, CONTROL_OWNER_LIST, STYLE_MULTI_SELECT | STYLE_VSCROLL | STYLE_NOTIFY, {8, 72, 140, 224}},
    {2008, CONTROL_LIST, STYLE_VSCROLL | STYLE_NOTIFY, {16, 96, 72, 68}},
    {2009, CONTROL_OWNER_LIST, STYLE_MULTI_SELECT | STYLE_VSCROLL | STYLE_NOTIFY, {16, 96, 160, 96}},
    {2010, CONTROL_LIST, STYLE_VSCROLL | STYLE_NOTIFY, {8, 72, 140, 144}},
    {2011, CONTROL_LIST, STYLE_NOTIFY, {16, 232, 64, 100}},
    {2012, CONTROL_LIST, STYLE_NOTIFY, {88, 232, 48, 100}},
    {2013, CONTROL_LIST, STYLE_VSCROLL | STYLE_NOTIFY, {144, 232, 32, 100}},
    {2014, CONTROL_LIST, STYLE_NOTIFY, {16, 348, 80, 52}},
    {2015, CONTROL_LIST, STYLE_VSCROLL | STYLE_NOTIFY, {104, 348, 32, 52}},
    {2016, CONTROL_LIST, STYLE_VSCROLL | STYLE_NOTIFY, {144, 348, 32, 52}},
    {2017, CONTROL_LIST, STYLE_VSCROLL | STYLE_NOTIFY, {16, 224, 160, 100}},
    {2018, CONTROL_LIST, STYLE_VSCROLL | STYLE_NOTIFY, {8, 72, 140, 132}},
};

const char* const pageTitles[6] = {" Camera", " Parts", " Surfaces", " Dummies", " Colors",
                                   " Textures"};
}

void showPage(int page, bool show) {
    if (page < 0 || page > 5) return;
    WindowSystem& ws = windows();
    if (show) {
        ws.moveControl(ID_HEADER_LABEL_1, {8, 48, 176, 16});
        ws.setText(ID_HEADER_LABEL_1, pageTitles[page]);
        if (page == PAGE_PARTS || page == PAGE_DUMMIES) buildAxisCross();
        if (page == PAGE_DUMMIES) buildDummySymbols(-1);
    }
    ws.showControl(ID_HEADER_LABEL_1, show);
}

void createPanelLists() {
    if (app.panelListsCreated) return;
    for (const ListSpec& list : panelLists)
        windows().createControl(list.id, list.kind, list.rect, list.style | STYLE_SUNKEN, "");
    app.panelListsCreated = true;
}
