// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TargetLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/Errors.h"
#include "platform/FileChecks.h"

namespace tessera {

namespace {

[[noreturn]] void failWith(int err) {
    throw TesseraError(Reason::OutputUnwritable, std::strerror(err));
}

void lockExclusive(int fd) {
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            const int err = errno;
            ::close(fd);
            failWith(err);
        }
    }
}

// Whether `path` still names the inode open as `fd`.
bool stillNamed(int fd, const std::string& path) {
    struct stat open {
    }, named{};
    return ::fstat(fd, &open) == 0 && ::stat(path.c_str(), &named) == 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

}  // namespace

TargetLock::TargetLock(const std::string& target) {
    for (;;) {
        const int fd = ::open(target.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd >= 0) {
            lockExclusive(fd);
            if (stillNamed(fd, target)) {
                fileFd_ = fd;
                return;
            }
            ::close(fd);  // replaced while we waited: lock the new file
            continue;
        }
        if (errno != ENOENT)
            failWith(errno);
        const int folder = ::open(directoryOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder < 0)
            failWith(errno);
        lockExclusive(folder);
        struct stat st {};
        if (::stat(target.c_str(), &st) != 0 && errno == ENOENT) {
            folderFd_ = folder;
            return;
        }
        ::close(folder);  // created while we waited: lock the file itself
    }
}

void TargetLock::release() noexcept {
    // Closing the last descriptor of the open file drops the lock.
    for (int* fd : {&fileFd_, &folderFd_}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}

}  // namespace tessera
