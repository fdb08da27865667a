// The renderer's page and option state.
#include "render/render_state.h"

RenderState render;

double shadeScale() {
    return render.page == PAGE_DUMMIES ? 160.0 : 255.0;
}

int texturePanelSize() {
    return render.textureViewSize == 512 ? 512 : 256;
}
