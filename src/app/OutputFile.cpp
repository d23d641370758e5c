#include "app/OutputFile.h"

#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstring>

#include "app/Errors.h"

namespace tessera {

namespace {

constexpr const char* kCantWrite = "Can't write this file :(";

// What a signal handler must undo, in fixed slots (no allocation): a file to remove (a
// temporary file, or an appended file that did not exist before) or, with no name, an appended
// file to cut back to its old length.
struct Pending {
    std::array<char, PATH_MAX + 1> name;
    int fd;
    off_t length;
};
constexpr int kSlots = 8;
std::array<Pending, kSlots> pending{};
std::array<std::atomic<bool>, kSlots> pendingUsed{};

int registerPending(const std::string& name, int fd = -1, off_t length = 0) {
    if (name.size() > PATH_MAX)
        return -1;
    for (int i = 0; i < kSlots; ++i) {
        bool expected = false;
        if (pendingUsed[i].compare_exchange_strong(expected, true)) {
            std::memcpy(pending[i].name.data(), name.c_str(), name.size() + 1);
            pending[i].fd = fd;
            pending[i].length = length;
            return i;
        }
    }
    return -1;
}

void unregisterPending(int& slot) {
    if (slot >= 0)
        pendingUsed[slot] = false;
    slot = -1;
}

// Ctrl+C between creating a file and registering it would leave it behind: SIGINT and SIGTERM
// wait while one of these lives.
class SignalsHeld {
  public:
    SignalsHeld() {
        sigset_t stop{};
        sigemptyset(&stop);
        sigaddset(&stop, SIGINT);
        sigaddset(&stop, SIGTERM);
        ::pthread_sigmask(SIG_BLOCK, &stop, &previous_);
    }
    ~SignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

  private:
    sigset_t previous_{};
};

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
        fail("it is a folder");
    if (exists && !S_ISREG(st.st_mode))
        fail("not a regular file");
    // A replacement is renamed over the old file, which the folder's rights alone would allow:
    // a file the user may not write is refused here, as writing into it would be.
    if (exists && ::access(target_.c_str(), W_OK) != 0)
        fail(std::strerror(errno));

    if (mode == Mode::Append) {
        created_ = !exists;
        oldLength_ = exists ? st.st_size : 0;
        int err = 0;
        {
            const SignalsHeld held;
            fd_ = ::open(target_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
            err = errno;
            if (fd_ >= 0)
                pendingSlot_ = registerPending(created_ ? target_ : std::string(), fd_, oldLength_);
        }
        if (fd_ < 0)
            fail(std::strerror(err));
        return;
    }

    replacing_ = exists;
    temp_ = directoryOf(target_) + "/." + baseOf(target_) + ".tessera-XXXXXX";
    int err = 0;
    {
        const SignalsHeld held;
        fd_ = ::mkstemp(temp_.data());
        err = errno;
        if (fd_ >= 0)
            pendingSlot_ = registerPending(temp_);
    }
    if (fd_ < 0) {
        temp_.clear();
        fail(std::strerror(err));
    }
    // The replacement keeps the old file's permissions; a new file gets the usual ones.
    mode_t perms = 0666;
    if (exists) {
        perms = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        perms &= ~mask;
    }
    ::fchmod(fd_, perms);
}

OutputFile::~OutputFile() {
    if (!committed_)
        rollback();
}

void OutputFile::fail(const std::string& what) const {
    throw TesseraError(failureText(kCantWrite, path_ + ": " + what));
}

void OutputFile::writeLe32(std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        writeByte(static_cast<std::uint8_t>(u >> shift));
}

void OutputFile::flush() {
    std::size_t done = 0;
    while (done < buffer_.size()) {
        const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            fail(std::strerror(errno));
        if (n == 0)
            fail("nothing could be written");
        done += static_cast<std::size_t>(n);
    }
    buffer_.clear();
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
        unregisterPending(pendingSlot_);
    } else {
        unregisterPending(pendingSlot_);  // the appended lines are kept from here on
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
            unregisterPending(pendingSlot_);
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
    unregisterPending(pendingSlot_);
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

void rollBackPendingOutputs() noexcept {
    for (int i = 0; i < kSlots; ++i) {
        if (!pendingUsed[i])
            continue;
        if (pending[i].name[0] != '\0') {
            ::unlink(pending[i].name.data());
        } else {
            [[maybe_unused]] const int rc = ::ftruncate(pending[i].fd, pending[i].length);
        }
    }
}

}  // namespace tessera
