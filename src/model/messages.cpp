// The message service and its standard-error implementation.
#include "model/messages.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>

int lastErrorFlag = 0;

namespace {
StderrMessages defaultMessages;
MessageService* current = &defaultMessages;

// A message box may hold several lines; on a terminal each message is one.
std::string oneLine(std::string text) {
    for (size_t at; (at = text.find('\n')) != std::string::npos;) text.replace(at, 1, " - ");
    return text;
}
} // namespace

void StderrMessages::showError(const std::string& text) {
    std::fprintf(stderr, "%s%s\n", prefix_.c_str(), oneLine(text).c_str());
}
void StderrMessages::showMessage(const std::string& text) {
    std::fprintf(stderr, "%s%s\n", prefix_.c_str(), oneLine(text).c_str());
}
bool StderrMessages::askOkCancel(const std::string& text) {
    std::fprintf(stderr, "%s%s (cancelled)\n", prefix_.c_str(), text.c_str());
    return false;
}
int StderrMessages::askYesNoCancel(const std::string& text) {
    std::fprintf(stderr, "%s%s (cancelled)\n", prefix_.c_str(), text.c_str());
    return ANSWER_CANCEL;
}

void installMessageService(MessageService* service) {
    current = service ? service : &defaultMessages;
}

void showError(const std::string& text) { current->showError(text); }
void showMessage(const std::string& text) { current->showMessage(text); }
bool askOkCancel(const std::string& text) { return current->askOkCancel(text); }
int askYesNoCancel(const std::string& text) { return current->askYesNoCancel(text); }
std::string chooseFileToOpen(const std::string& title, const std::string& filterName,
                             const std::string& pattern) {
    return current->chooseFileToOpen(title, filterName, pattern);
}

void reportLastError() {
    int code = errno;
    if (code == 0) {
        lastErrorFlag = 0;
        return;
    }
    showError(format("Error:%d", code));
    lastErrorFlag = 1;
}

void reportLastError(const std::string& path) {
    int code = errno;
    lastErrorFlag = code != 0;
    if (code != 0) showError(format("Error:%d\n%s: %s", code, std::strerror(code), path.c_str()));
}

std::string format(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    int length = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    std::string text(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0) std::vsnprintf(text.data(), text.size() + 1, fmt, args);
    va_end(args);
    return text;
}
