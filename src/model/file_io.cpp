// File primitives over POSIX descriptors, and the crash-safe save.
#include "model/file_io.h"

#include "model/messages.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct FileState {
    int fd = -1;
    std::string saveTarget;  // the file a safe save replaces
    std::string saveTemp;    // the temporary file being written
    bool closedCleanly = true;
};
FileState files;

} // namespace

bool openForReading(const std::string& path) {
    if (files.fd >= 0) closeFile();
    errno = 0;
    files.fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (files.fd < 0) return false;
    struct stat info;
    if (::fstat(files.fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(files.fd);
        files.fd = -1;
        errno = EISDIR;
        return false;
    }
    return true;
}

bool fileIsOpen() { return files.fd >= 0; }

bool readExact(size_t length, void* buffer) {
    auto* out = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < length) {
        errno = 0;
        ssize_t got = ::read(files.fd, out + done, length - done);
        if (got < 0) {
            if (errno == EINTR) continue;
            reportLastError();
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
            reportLastError();
            return false;
        }
        if (put == 0) {
            errno = ENOSPC;
            reportLastError();
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
        reportLastError();
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

bool beginSafeSave(const std::string& path) {
    if (files.fd >= 0) closeFile();
    files.saveTarget = path;
    files.saveTemp = path + ".XXXXXX";
    errno = 0;
    int fd = ::mkstemp(files.saveTemp.data());
    if (fd < 0) {
        files.saveTemp.clear();
        return false;
    }
    // The new file gets the old one's permissions, or the usual ones for a new file.
    struct stat info;
    mode_t mode;
    if (::stat(path.c_str(), &info) == 0) {
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
        if (!ok) reportLastError();
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
