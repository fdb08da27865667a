// Message boxes and the in-place input of numbers and names, over the
// window system: the editor's implementation of the message service.
#pragma once

#include "model/fce_types.h"
#include "model/messages.h"

class WindowSystem;

class WindowMessages : public MessageService {
  public:
    explicit WindowMessages(WindowSystem& windows) : windows_(windows) {}
    void showError(const std::string& text) override;
    void showMessage(const std::string& text) override;
    bool askOkCancel(const std::string& text) override;
    int askYesNoCancel(const std::string& text) override;
    std::string chooseFileToOpen(const std::string& title, const std::string& filterName,
                                 const std::string& pattern) override;

  private:
    WindowSystem& windows_;
};

// Reads a number as the value fields accept it: a comma counts as a decimal
// point, only the leading number counts, and text that is no finite number
// gives 0.
float parseNumber(const std::string& text);

// Edits the float shown in value field `field` in place. Returns 1 and marks
// a snapshot pending when the value changed, else 0.
int editNumber(int field, float& value);
// Edits a name field (at most 63 characters) shown in `field` in place.
// Returns 1 and marks a snapshot pending when the name changed, else 0.
int editText(int field, char (&name)[NAME_SIZE]);
