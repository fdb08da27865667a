// vornix-cli edit: part operations applied to a model in the order given,
// each the operation the editor's Parts page runs for its button or field.
#pragma once

#include <string>
#include <vector>

// Whether the words are known actions, each with its values; false after a
// message naming the first that is not.
bool editActionsUnderstood(const std::vector<std::string>& words);
// Applies the actions to the loaded model in order; false after a one-line
// message at the first that fails (the part does not exist, a value is no
// number, the only part cannot be deleted, ...).
bool applyEdits(const std::vector<std::string>& actions);
