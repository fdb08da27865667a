// The main window's logic: start-up and window creation, the window events
// (resize, paint, close, mouse and wheel, dropped files, commands) and their
// routing, the redraw of the 3D view, and shut-down. Written against the
// window-system interface only, so that tests drive it with a fake.
#pragma once

#include <string>
#include <vector>

class WindowSystem;

// The window system in use (start-up installs it).
WindowSystem& windows();
bool hasWindows();

// The folder of the program's data files: the first of `folders` that holds
// help.dat, else the current folder. The editor asks its own folder (where
// the build puts the data), the data folder of the prefix it is installed in,
// and the configured data folder, in that order.
std::string locateAppDir(const std::vector<std::string>& folders, const std::string& currentFolder);

struct StartOptions {
    std::string appDir;     // folder of help.dat, help/ and pictures/
    std::string configPath; // the configuration file
    std::string openFile;   // a model to open at start, or ""
};

// Start-up and window creation. False when the window could not be made
// (the reason has been shown); the caller then ends with exit code -1.
bool startEditor(WindowSystem& ws, const StartOptions& options);
// Runs the event loop until Quit and returns the exit code.
int runEditor();
// Frees what start-up made.
void shutDownEditor();

// The redraw steps every handler uses.
void transformAndDraw(); // prepareFrame + drawFrame with a model, else the grey view
void drawOnly();         // drawFrame with a model
void presentView();      // copies the view to the window now
void invalidateView();   // asks the window system to repaint the view
void updateContinuousMode();

// Opens a model file as File > Open does after its dialog (also used for a
// file named on the command line). Returns success.
bool openModelFile(const std::string& path);
