// What the three part exchange formats share on the file side: refusing a
// file with its reason, ending a write, and taking a text file in whole.
#pragma once

#include <string>

// Closes the current handle and shows "Unreadable <kind>: <why>.\n<path>";
// always false.
bool refuseImport(const char* kind, const std::string& why);

// Closes the current handle after a writer's writes; a close that fails after
// good writes is reported with the system's reason. Returns whether the
// whole file was written.
bool finishExportFile(bool written);

// Reads the current file (`size` bytes, its whole length) into `text` and
// closes it. The text ends at the first '@': what follows is never read as
// part data. A read error has already been reported; a file that changed
// size or is too large to be a part is refused.
bool readExchangeText(const char* kind, long long size, std::string& text);
