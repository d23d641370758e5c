// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/OutputPair.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/Errors.h"
#include "platform/OutputFile.h"
#include "platform/OutputPaths.h"
#include "platform/PlatformMessages.h"
#include "platform/Signals.h"

namespace tessera {

void (*pairFaultPoint)() = nullptr;

namespace {

// The note: this tag, then each new file's temporary name and its target, all absolute and
// ended by a NUL (a file name holds any other byte), then the tag again.
constexpr std::string_view kTag = "tessera pair 1";
constexpr std::size_t kFields = 6;
constexpr std::size_t kMaxNote = 4 * (PATH_MAX + 1) + 2 * kTag.size() + 2;

std::string absolute(const std::string& path) {
    if (path.starts_with('/'))
        return path;
    std::array<char, PATH_MAX> cwd{};
    if (::getcwd(cwd.data(), cwd.size()) == nullptr)
        return path;
    return std::string(cwd.data()) + "/" + path;
}

bool stillNamed(int fd, const std::string& path) {
    struct stat open {
    }, named{};
    return ::fstat(fd, &open) == 0 && ::lstat(path.c_str(), &named) == 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

bool writeWhole(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return ::fsync(fd) == 0;
}

// The notes of a pair being published: each name appears whole (written unnamed, or under a
// temporary name, then named), and stays locked by this process until removed, so that no other
// run takes a live pair for a dead one.
class Notes {
  public:
    Notes(const std::string& text, const std::string (&names)[2]) {
        for (const std::string& name : names) {
            // The first note's file again where the folders share a file system.
            if (!fds_.empty() && linkUnnamed(fds_.front(), name)) {
                names_.push_back(name);
                continue;
            }
            std::string temporary;
            int err = 0;
            const int fd = createTemporary(name, 0600, temporary, err);
            if (fd < 0)
                fail(name, err);
            fds_.push_back(fd);
            const bool named = writeWhole(fd, text) &&
                               (temporary.empty() ? linkUnnamed(fd, name)
                                                  : ::rename(temporary.c_str(), name.c_str()) == 0);
            if (!named) {
                err = errno;
                if (!temporary.empty())
                    ::unlink(temporary.c_str());
                fail(name, err);
            }
            names_.push_back(name);
        }
    }
    ~Notes() { remove(); }
    Notes(const Notes&) = delete;
    Notes& operator=(const Notes&) = delete;

  private:
    void remove() noexcept {
        for (const std::string& name : names_)
            ::unlink(name.c_str());
        for (const int fd : fds_)
            ::close(fd);
        names_.clear();
        fds_.clear();
    }
    [[noreturn]] void fail(const std::string& name, int err) {
        remove();
        throw TesseraError(Reason::OutputUnwritable,
                           failureText(messages::kCantWrite, name + ": " + std::strerror(err)),
                           FileRole::Output);
    }

    std::vector<std::string> names_;
    std::vector<int> fds_;
};

}  // namespace

void publishTogether(OutputFile& first, OutputFile& second) {
    // With one rename or none there is nothing to tear.
    if (!first.changes() || !second.changes()) {
        first.publish();
        second.publish();
        return;
    }
    const TerminationHeld held;
    first.nameTemporary();
    second.nameTemporary();
    const std::string targets[2] = {absolute(first.target()), absolute(second.target())};
    std::string text(kTag);
    text += '\0';
    for (const std::string& part : {absolute(first.temporaryName()), targets[0],
                                    absolute(second.temporaryName()), targets[1]}) {
        text += part;
        text += '\0';
    }
    text += kTag;
    text += '\0';
    const std::string names[2] = {pairNoteName(targets[0]), pairNoteName(targets[1])};
    const Notes notes(text, names);
    first.publish();
    if (pairFaultPoint != nullptr)
        pairFaultPoint();
    second.publish();
}

void completeInterruptedPair(const std::string& target) {
    const std::string name = pairNoteName(target);
    const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return;
    // Locked: its run is still publishing. Gone since it was opened: another run finished it.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || !stillNamed(fd, name)) {
        ::close(fd);
        return;
    }
    std::string text(kMaxNote, '\0');
    const ssize_t got = ::pread(fd, text.data(), text.size(), 0);
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    std::vector<std::string> fields;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\0', start);
        if (end == std::string::npos)
            break;
        fields.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    const bool whole = fields.size() == kFields && fields.front() == kTag && fields.back() == kTag;
    if (whole) {
        // The renames the dead run did not make; the one it made has no temporary file left.
        for (std::size_t i = 1; i + 1 < kFields; i += 2) {
            struct stat st {};
            if (::lstat(fields[i].c_str(), &st) == 0 && S_ISREG(st.st_mode))
                ::rename(fields[i].c_str(), fields[i + 1].c_str());
        }
        ::unlink(pairNoteName(fields[2]).c_str());
        ::unlink(pairNoteName(fields[4]).c_str());
    }
    ::unlink(name.c_str());
    ::close(fd);
}

}  // namespace tessera
