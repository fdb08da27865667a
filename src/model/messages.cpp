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
} // namespace

void StderrMessages::showError(const std::string& text) {
    // On a terminal a bare system error number says little; add its meaning.
    int code = 0;
    char rest = 0;
    if (std::sscanf(text.c_str(), "Error:%d%c", &code, &rest) == 1)
        std::fprintf(stderr, "%s%s (%s)\n", prefix_.c_str(), text.c_str(), std::strerror(code));
    else
        std::fprintf(stderr, "%s%s\n", prefix_.c_str(), text.c_str());
}
void StderrMessages::showMessage(const std::string& text) {
    std::fprintf(stderr, "%s%s\n", prefix_.c_str(), text.c_str());
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
