// Help: the HTML page of the panel page in use, opened with the desktop's
// default program, and the one-line context help of the bitmap buttons shown
// in the status line over the bottom of the 3D view.
#pragma once

#include <cstdint>
#include <string>

struct HelpState {
    std::string helpLines; // help.dat, one line per button in ID order, CR LF
    bool loaded = false;
};

extern HelpState help;

// The help page for the current state: index.html without a model, else the
// page of the panel page shown.
std::string helpPagePath();
void openHelpPage();

// Reads help.dat, a regular file of at most HELP_FILE_LIMIT bytes (76 short
// lines need far less); false when it is missing or is no such file.
constexpr int64_t HELP_FILE_LIMIT = 1 << 20;
bool loadContextHelp();
// Line k of help.dat (without its line end, at most 254 characters), or "".
std::string helpLine(int k);
void showButtonHelp(int index);
void hideButtonHelp();
// The pointer moved over control `id` (0: the main window, -1: elsewhere).
void trackHover(int id);
