// The message service: every message the core gives the user goes through
// these functions. The editor installs Qt message boxes, vornix-cli standard
// error, the tests a recorder with scripted answers.
#pragma once

#include <string>

constexpr int ANSWER_YES = 6;
constexpr int ANSWER_NO = 7;
constexpr int ANSWER_CANCEL = 2;

class MessageService {
  public:
    virtual ~MessageService() = default;
    virtual void showError(const std::string& text) = 0;   // title "Error"
    virtual void showMessage(const std::string& text) = 0; // title "Message"
    virtual bool askOkCancel(const std::string& text) = 0; // title "Question"; true for OK
    virtual int askYesNoCancel(const std::string& text) = 0; // ANSWER_YES, _NO or _CANCEL
    // An open-file dialog: the chosen path, or "" when the user cancels.
    // `filterName` is shown for files matching `pattern` (for example "*.tga").
    virtual std::string chooseFileToOpen(const std::string& title, const std::string& filterName,
                                         const std::string& pattern) {
        (void)title, (void)filterName, (void)pattern;
        return {};
    }
};

// Prints to standard error and answers every question with Cancel.
class StderrMessages : public MessageService {
  public:
    explicit StderrMessages(std::string prefix = "vornix: ") : prefix_(std::move(prefix)) {}
    void showError(const std::string& text) override;
    void showMessage(const std::string& text) override;
    bool askOkCancel(const std::string& text) override;
    int askYesNoCancel(const std::string& text) override;

  private:
    std::string prefix_;
};

// Installs the service used from now on (nullptr puts back a standard-error one).
void installMessageService(MessageService* service);

void showError(const std::string& text);
void showMessage(const std::string& text);
bool askOkCancel(const std::string& text);
int askYesNoCancel(const std::string& text);
std::string chooseFileToOpen(const std::string& title, const std::string& filterName,
                             const std::string& pattern);

// Shows "Error:<errno>" when errno is not 0. lastErrorFlag tells whether it did.
void reportLastError();
// The same for a system error about the file `path`: "Error:<errno>" and, on
// the next line, the system's reason and the path.
void reportLastError(const std::string& path);
extern int lastErrorFlag;

// printf-style formatting into a std::string, for message texts.
std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
