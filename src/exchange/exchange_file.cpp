// Shared file handling of the part exchange formats.
#include "exchange/exchange_file.h"

#include "model/file_io.h"
#include "model/messages.h"

#include <cerrno>
#include <new>

namespace {

// Far more than the text of the largest part the model can hold (a few MB).
constexpr long long MAX_TEXT_BYTES = 256LL << 20;

} // namespace

bool refuseImport(const char* kind, const std::string& why) {
    closeFile();
    showError(std::string("Unreadable ") + kind + ": " + why + ".\n" + currentFilePath());
    return false;
}

bool finishExportFile(bool written) {
    errno = 0;
    if (!closeFile() && written) {
        reportLastError(currentFilePath());
        return false;
    }
    return written;
}

bool readExchangeText(const char* kind, long long size, std::string& text) {
    if (size > MAX_TEXT_BYTES) return refuseImport(kind, "the file is too large for one part");
    try {
        text.assign(size_t(size), '\0');
    } catch (const std::bad_alloc&) {
        closeFile();
        showError("Out of memory!");
        return false;
    }
    if (!readExact(text.size(), text.data()))
        return systemErrorSeen() ? (closeFile(), false)
                                 : refuseImport(kind, "the file ended before its size");
    closeFile();
    const size_t end = text.find('@');
    if (end != std::string::npos) text.resize(end);
    return true;
}
