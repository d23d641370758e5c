#include "platform/OutputFile.h"

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <random>

#include "platform/Errors.h"
#include "platform/PlatformMessages.h"
#include "platform/Signals.h"

namespace tessera {

namespace {

std::string directoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A symbolic link is written through: its target is replaced and the link stays a link.
std::string resolveTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        std::array<char, PATH_MAX + 1> resolved{};
        if (::realpath(path.c_str(), resolved.data()) != nullptr)
            return resolved.data();
    }
    return path;
}

// A new file beside the target, named after it, created with the given permissions less the
// process's creation mask, as any new file of the user's would be.
int createTemporary(const std::string& target, mode_t perms, std::string& name, int& err) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device seed;
    std::minstd_rand next(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string suffix(6, 'x');
        for (char& c : suffix)
            c = kLetters[next() % (sizeof kLetters - 1)];
        name = directoryOf(target) + "/." + baseOf(target) + ".tessera-" + suffix;
        const int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, perms);
        if (fd >= 0 || errno != EEXIST) {
            err = errno;
            return fd;
        }
    }
    err = EEXIST;
    return -1;
}

bool sameContents(int fdA, const std::string& pathB) {
    struct stat a {
    }, b{};
    if (::fstat(fdA, &a) != 0 || ::stat(pathB.c_str(), &b) != 0)
        return false;
    if (!S_ISREG(b.st_mode) || a.st_size != b.st_size)
        return false;
    const int fdB = ::open(pathB.c_str(), O_RDONLY | O_CLOEXEC);
    if (fdB < 0)
        return false;
    std::array<char, 1 << 16> bufA{}, bufB{};
    bool same = true;
    for (off_t pos = 0; same && pos < a.st_size;) {
        const ssize_t gotA = ::pread(fdA, bufA.data(), bufA.size(), pos);
        const ssize_t gotB = ::pread(fdB, bufB.data(), bufB.size(), pos);
        same = gotA > 0 && gotA == gotB &&
               std::memcmp(bufA.data(), bufB.data(), static_cast<std::size_t>(gotA)) == 0;
        pos += gotA > 0 ? gotA : 0;
    }
    ::close(fdB);
    return same;
}

}  // namespace

OutputFile::OutputFile(const std::string& path, Mode mode)
    : path_(path), target_(resolveTarget(path)), mode_(mode) {
    struct stat st {};
    const bool exists = ::stat(target_.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode))
        fail(messages::kIsFolder);
    if (exists && !S_ISREG(st.st_mode))
        fail(messages::kNotRegular);
    // A replacement is renamed over the old file, which the folder's rights alone would allow:
    // a file the user may not write is refused here, as writing into it would be.
    if (exists && ::access(target_.c_str(), W_OK) != 0)
        fail(std::strerror(errno));

    if (mode == Mode::Append) {
        created_ = !exists;
        oldLength_ = exists ? st.st_size : 0;
        int err = 0;
        {
            const TerminationHeld held;
            fd_ = ::open(target_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
            err = errno;
            if (fd_ >= 0)
                pendingSlot_ =
                    registerPendingOutput(created_ ? target_.c_str() : "", fd_, oldLength_);
        }
        if (fd_ < 0)
            fail(std::strerror(err));
        return;
    }

    replacing_ = exists;
    int err = 0;
    {
        const TerminationHeld held;
        fd_ = createTemporary(target_, exists ? (st.st_mode & 07777) : 0666, temp_, err);
        if (fd_ >= 0)
            pendingSlot_ = registerPendingOutput(temp_.c_str(), -1, 0);
    }
    if (fd_ < 0) {
        temp_.clear();
        fail(std::strerror(err));
    }
    // The replacement keeps the old file's permissions, which the creation mask may have cut.
    if (exists && ::fchmod(fd_, st.st_mode & 07777) != 0)
        fail(std::strerror(errno));
}

OutputFile::~OutputFile() {
    if (!committed_)
        rollback();
}

void OutputFile::fail(const std::string& what) const {
    throw TesseraError(failureText(messages::kCantWrite, path_ + ": " + what));
}

void OutputFile::writeLe32(std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        writeByte(static_cast<std::uint8_t>(u >> shift));
}

void OutputFile::flush() {
    writeAll(buffer_);
    buffer_.clear();
}

void OutputFile::writeAll(std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            fail(std::strerror(errno));
        if (n == 0)
            fail(messages::kNothingWritten);
        done += static_cast<std::size_t>(n);
    }
}

void OutputFile::commit() {
    flush();
    if (mode_ == Mode::Replace) {
        if (sameContents(fd_, target_)) {
            ::close(fd_);
            fd_ = -1;
            ::unlink(temp_.c_str());
        } else {
            // The old file's contents are only given up once the new ones are on the disk. A
            // file that did not exist has nothing to protect, and waiting for the disk a dozen
            // milliseconds per file would dominate a build converting a thousand small tiles.
            if (replacing_ && ::fsync(fd_) != 0)
                fail(std::strerror(errno));
            if (::close(fd_) != 0) {
                fd_ = -1;
                fail(std::strerror(errno));
            }
            fd_ = -1;
            if (::rename(temp_.c_str(), target_.c_str()) != 0)
                fail(std::strerror(errno));
        }
        unregisterPendingOutput(pendingSlot_);
    } else {
        unregisterPendingOutput(pendingSlot_);  // the appended lines are kept from here on
        const int rc = ::close(fd_);
        fd_ = -1;
        if (rc != 0)
            fail(std::strerror(errno));
    }
    committed_ = true;
}

void OutputFile::rollback() noexcept {
    if (mode_ == Mode::Replace) {
        if (fd_ >= 0)
            ::close(fd_);
        if (!temp_.empty()) {
            ::unlink(temp_.c_str());
            unregisterPendingOutput(pendingSlot_);
        }
        fd_ = -1;
        return;
    }
    if (created_) {
        ::unlink(target_.c_str());
    } else if (fd_ >= 0) {
        [[maybe_unused]] const int rc = ::ftruncate(fd_, oldLength_);
    } else {
        // Closed already (a failed close): reopen to cut the append back.
        const int fd = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd >= 0) {
            [[maybe_unused]] const int rc = ::ftruncate(fd, oldLength_);
            ::close(fd);
        }
    }
    // Undone, and the descriptor still open: the handler can never cut a file reusing its number.
    unregisterPendingOutput(pendingSlot_);
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

}  // namespace tessera
