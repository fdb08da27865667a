// The side panel's pages: showing and hiding a page's controls, and filling
// the panel lists after a model is loaded.
#pragma once

// Shows (after laying it out and refreshing it from the model) or hides page
// `page`.
void showPage(int page, bool show);

// Creates the panel's list boxes (hidden) on the first successful load.
void createPanelLists();
