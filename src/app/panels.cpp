// Side panel pages. Each page sets the header title; the overlays a page
// shows in the view (axis cross, dummy symbols) are built when it is shown.
#include "app/panels.h"

#include "app/control_ids.h"
#include "app/main_window.h"
#include "platform/window_system.h"
#include "render/overlays.h"
#include "render/render_state.h"

namespace {
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
