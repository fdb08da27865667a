// File primitives over POSIX descriptors, and the crash-safe save.
#include "model/file_io.h"

#include "model/messages.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

struct FileState {
    int fd = -1;
    std::string path;        // the file behind the handle, for messages
    std::string saveTarget;  // the file a safe save replaces (links followed)
    std::string saveTemp;    // the temporary file being written
    bool closedCleanly = true;
    bool systemError = false;
    bool notRegular = false; // the last failed open met a FIFO, device or socket
    int64_t failReadsFrom = -1;
    int injectedError = 0;
};
FileState files;

// Opens `path` for reading without ever waiting: O_NONBLOCK keeps a FIFO
// without a writer from blocking the open, and anything that is not a
// regular file is refused before it is read.
int openRegular(const std::string& path) {
    files.notRegular = false;
    errno = 0;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return -1;
    struct stat info;
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        files.notRegular = !S_ISDIR(info.st_mode);
        errno = files.notRegular ? 0 : EISDIR;
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

void reportHandleError() {
    files.systemError = true;
    reportLastError(files.path);
}

// The file a path names once symbolic links are followed; a save replaces
// that file and leaves the links as they are.
std::string followLinks(const std::string& path) {
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info;
        char target[PATH_MAX];
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) break;
        const ssize_t length = ::readlink(current.c_str(), target, sizeof target - 1);
        if (length <= 0) break;
        target[length] = '\0';
        const size_t slash = current.rfind('/');
        if (target[0] == '/' || slash == std::string::npos)
            current = target;
        else
            current = current.substr(0, slash + 1) + target;
    }
    return current;
}

// Write permission as the mode bits grant it to this user. Root is judged
// like everyone else: a write-protected file stays protected.
bool writableByModeBits(const struct stat& info) {
    if (info.st_uid == ::geteuid()) return info.st_mode & S_IWUSR;
    bool member = info.st_gid == ::getegid();
    const int count = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(count > 0 ? size_t(count) : 0);
    if (count > 0 && ::getgroups(count, groups.data()) == count)
        for (gid_t g : groups) member |= g == info.st_gid;
    return info.st_mode & (member ? S_IWGRP : S_IWOTH);
}

} // namespace

bool openForReading(const std::string& path) {
    if (files.fd >= 0) closeFile();
    files.path = path;
    files.systemError = false;
    files.fd = openRegular(path);
    return files.fd >= 0;
}

bool openForWriting(const std::string& path) {
    if (files.fd >= 0) closeFile();
    files.path = path;
    files.systemError = files.notRegular = false;
    errno = 0;
    files.fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0600);
    if (files.fd < 0) return false;
    struct stat info;
    if (::fstat(files.fd, &info) == 0 && S_ISREG(info.st_mode) && ::ftruncate(files.fd, 0) == 0) {
        ::fcntl(files.fd, F_SETFL, ::fcntl(files.fd, F_GETFL) & ~O_NONBLOCK);
        return true;
    }
    const int error = errno;
    files.notRegular = error == 0;
    ::close(files.fd);
    files.fd = -1;
    errno = error;
    return false;
}

bool notARegularFile() {
    return files.notRegular;
}

void reportFileError(const std::string& path) {
    if (files.notRegular)
        showError("Not a regular file (a FIFO, device or socket):\n" + path);
    else
        reportLastError(path);
}

bool fileIsOpen() { return files.fd >= 0; }

bool readExact(size_t length, void* buffer) {
    if (files.failReadsFrom >= 0 &&
        ::lseek(files.fd, 0, SEEK_CUR) + int64_t(length) > files.failReadsFrom) {
        errno = files.injectedError;
        reportHandleError();
        return false;
    }
    auto* out = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < length) {
        errno = 0;
        ssize_t got = ::read(files.fd, out + done, length - done);
        if (got < 0) {
            if (errno == EINTR) continue;
            reportHandleError();
            return false;
        }
        if (got == 0) return false; // end of file
        done += static_cast<size_t>(got);
    }
    return true;
}

bool writeExact(size_t length, const void* buffer) {
    const auto* in = static_cast<const char*>(buffer);
    size_t done = 0;
    while (done < length) {
        errno = 0;
        ssize_t put = ::write(files.fd, in + done, length - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            reportHandleError();
            return false;
        }
        if (put == 0) {
            errno = ENOSPC;
            reportHandleError();
            return false;
        }
        done += static_cast<size_t>(put);
    }
    return true;
}

bool seekFile(int mode, int64_t offset) {
    int whence = mode == SEEK_FROM_START ? SEEK_SET : mode == SEEK_FROM_END ? SEEK_END : SEEK_CUR;
    errno = 0;
    if (::lseek(files.fd, static_cast<off_t>(offset), whence) < 0) {
        reportHandleError();
        return false;
    }
    return true;
}

bool closeFile() {
    if (files.fd < 0) return true;
    bool ok = true;
    if (!files.saveTemp.empty() && ::fsync(files.fd) != 0) ok = false;
    if (::close(files.fd) != 0) ok = false;
    files.fd = -1;
    files.closedCleanly = ok;
    return ok;
}

int64_t currentFileSize() {
    struct stat info;
    if (files.fd < 0 || ::fstat(files.fd, &info) != 0) return -1;
    return static_cast<int64_t>(info.st_size);
}

const std::string& currentFilePath() {
    return files.path;
}
bool systemErrorSeen() {
    return files.systemError;
}

bool readFileStart(const std::string& path, size_t limit, std::string& bytes, int64_t& size) {
    bytes.clear();
    const int fd = openRegular(path);
    if (fd < 0) return false;
    struct stat info;
    bool ok = ::fstat(fd, &info) == 0;
    size = ok ? int64_t(info.st_size) : -1;
    bytes.resize(ok ? std::min<size_t>(limit, size_t(info.st_size)) : 0);
    for (size_t done = 0; ok && done < bytes.size();) {
        const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) ok = false;
        done += got > 0 ? size_t(got) : 0;
    }
    const int error = errno;
    ::close(fd);
    errno = error;
    return ok;
}

bool writeWholeFile(const std::string& path, const void* data, size_t size) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0) return false;
    struct stat info;
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::ftruncate(fd, 0) == 0;
    const auto* in = static_cast<const char*>(data);
    for (size_t done = 0; ok && done < size;) {
        const ssize_t put = ::write(fd, in + done, size - done);
        if (put < 0 && errno == EINTR) continue;
        ok = put > 0;
        done += ok ? size_t(put) : 0;
    }
    return ::close(fd) == 0 && ok;
}

bool beginSafeSave(const std::string& path) {
    if (files.fd >= 0) closeFile();
    files.path = path;
    files.systemError = false;
    files.notRegular = false;
    files.saveTarget = followLinks(path);
    // What is there must be a regular file the user may write.
    struct stat info;
    const bool exists = ::lstat(files.saveTarget.c_str(), &info) == 0;
    int refusal = 0;
    if (exists && !S_ISREG(info.st_mode)) {
        files.notRegular = !S_ISDIR(info.st_mode);
        refusal = S_ISDIR(info.st_mode) ? EISDIR : 0;
    } else if (exists && !writableByModeBits(info)) {
        refusal = EACCES;
    }
    errno = refusal;
    if (refusal != 0 || files.notRegular) return false;

    files.saveTemp = files.saveTarget + ".XXXXXX";
    int fd = ::mkstemp(files.saveTemp.data());
    if (fd < 0) {
        files.saveTemp.clear();
        return false;
    }
    // The new file gets the old one's permissions, or the usual ones for a new file.
    mode_t mode;
    if (exists) {
        mode = info.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    files.fd = fd;
    files.closedCleanly = true;
    return true;
}

bool finishSafeSave(bool written) {
    if (files.saveTemp.empty()) return false;
    if (files.fd >= 0) closeFile();
    bool ok = written && files.closedCleanly;
    if (ok) {
        errno = 0;
        ok = std::rename(files.saveTemp.c_str(), files.saveTarget.c_str()) == 0;
        if (!ok) reportLastError(files.path);
    }
    if (!ok) {
        int saved = errno;
        ::unlink(files.saveTemp.c_str());
        errno = saved;
    }
    files.saveTemp.clear();
    files.saveTarget.clear();
    return ok;
}

void failReadsFrom(int64_t offset, int error) {
    files.failReadsFrom = offset;
    files.injectedError = error;
}
