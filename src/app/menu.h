// The main menu and its commands: the menu and accelerator tables, the view
// modes and their rules, page switching, Open/Save/Save as/Quit with the
// unsaved-changes question, and keeping the top-strip buttons in step with
// the menu.
#pragma once

#include "platform/window_system.h"

#include <string>
#include <vector>

const std::vector<MenuEntry>& menuEntries();
const std::vector<Accelerator>& accelerators();

void handleMenuCommand(int id);
// Opens a file dropped onto the window as File > Open opens the file chosen
// in its dialog: the mapping edit is cancelled and unsaved changes asked
// about first.
void openDroppedFile(const std::string& path);

void updateViewChecks();
void updatePageChecks();
void syncToolbarWithMenu();
void updateMappingModeControls();

void setMenuGrayed(int id, bool grayed);
void setMenuChecked(int id, bool checked);
bool menuGrayed(int id);
// Save, Save as, the pages and the view modes: usable only with a model.
void grayModelCommands(bool grayed);

// Asks to save unsaved changes. False when the command must be abandoned
// (Cancel, or Yes and the save failed).
bool unsavedChangesQuestion();
// Saves to the current file name; reports a file that cannot be created.
bool saveModel();
bool saveModelAs(const std::string& path);
// Stops animation, asks about unsaved changes, writes the settings and ends
// the event loop. Used by Quit and the window's close button.
void quitEditor();
