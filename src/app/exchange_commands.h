// The Parts page's export and import buttons: the exchange dialog, the file
// type the user picked, the remembered exchange path, and after an import
// the refreshed page and an undo step.
#pragma once

// Writes the current part to a file the user chooses.
bool exportPartCommand();
// Reads a file the user chooses as a new part at the current part's index.
bool importPartCommand();
