// Undo folders: making this editor's, removing those of editors gone.
#include "undo/undo_folder.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr const char* PREFIX = "vornix-undo-";

// The editor process a folder name names, or 0 for a name of another form.
pid_t ownerOf(const std::string& name) {
    if (name.rfind(PREFIX, 0) != 0) return 0;
    const char* digits = name.c_str() + std::char_traits<char>::length(PREFIX);
    char* end = nullptr;
    errno = 0;
    const long pid = std::strtol(digits, &end, 10);
    if (end == digits || *end != '-' || errno != 0 || pid <= 0) return 0;
    return pid_t(pid);
}

// A process that exists but is not ours still counts as running.
bool running(pid_t pid) {
    return ::kill(pid, 0) == 0 || errno == EPERM;
}

} // namespace

std::string createUndoFolder(const std::string& tempFolder) {
    std::string pattern =
        (fs::path(tempFolder) / (PREFIX + std::to_string(::getpid()) + "-XXXXXX")).string();
    return ::mkdtemp(pattern.data()) ? pattern : std::string();
}

void removeUndoFolder(const std::string& folder) {
    std::error_code ignored;
    if (!folder.empty()) fs::remove_all(folder, ignored);
}

int removeOrphanedUndoFolders(const std::string& tempFolder) {
    int removed = 0;
    std::error_code error;
    for (fs::directory_iterator it(tempFolder, error), end; !error && it != end;
         it.increment(error)) {
        const pid_t owner = ownerOf(it->path().filename().string());
        struct stat info;
        // Only real folders of this user, never through a link.
        if (owner == 0 || running(owner) || ::lstat(it->path().c_str(), &info) != 0 ||
            !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid())
            continue;
        std::error_code ignored;
        if (fs::remove_all(it->path(), ignored) > 0) ++removed;
    }
    return removed;
}
