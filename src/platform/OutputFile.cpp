// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/OutputFile.h"

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <span>

#include "platform/Errors.h"
#include "platform/FileChecks.h"
#include "platform/OutputPair.h"
#include "platform/OutputPaths.h"
#include "platform/PlatformMessages.h"
#include "platform/Signals.h"

namespace tessera {

namespace {

bool sameContents(int fdA, int fdB) {
    struct stat a {
    }, b{};
    if (::fstat(fdA, &a) != 0 || ::fstat(fdB, &b) != 0)
        return false;
    if (!S_ISREG(b.st_mode) || a.st_size != b.st_size)
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
    return same;
}

bool sameContents(int fdA, const std::string& pathB) {
    const int fdB = ::open(pathB.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fdB < 0)
        return false;
    const bool same = sameContents(fdA, fdB);
    ::close(fdB);
    return same;
}

}  // namespace

OutputFile::OutputFile(const std::string& path, Mode mode, FileRole role)
    : path_(path), role_(role) {
    if (mode == Mode::StandardOutput) {
        standard_ = true;
        fd_ = STDOUT_FILENO;
        return;
    }
    // A symbolic link is written through, dangling or not: its target is replaced and the link
    // stays a link.
    std::string refusal;
    target_ = resolveTarget(path, refusal);
    if (!refusal.empty())
        fail(Reason::OutputRefused, refusal);
    // A pair that a killed run left half renamed is finished before this file is looked at.
    completeInterruptedPair(target_);
    struct stat st {};
    bool exists = ::stat(target_.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode))
        fail(Reason::OutputIsFolder, messages::kIsFolder);
    if (exists && !S_ISREG(st.st_mode))
        fail(Reason::OutputNotRegular, messages::kNotRegular);
    if (exists && !(refusal = standardStreamRefusal(st)).empty())
        fail(Reason::OutputIsStandardStream, refusal);
    if (exists && !(refusal = replacementRefusal(target_, st)).empty())
        fail(Reason::OutputRefused, refusal);

    // A replacement is renamed over the old file, which the folder's rights alone would allow:
    // a file the user may not write is refused here, as writing into it would be.
    if (exists && ::access(target_.c_str(), W_OK) != 0)
        fail(Reason::OutputUnwritable, std::strerror(errno));

    if (mode != Mode::Replace) {
        try {
            lock_ = std::make_unique<TargetLock>(target_);
        } catch (const TesseraError& e) {
            fail(Reason::OutputUnwritable, e.what());
        }
        // What the file is now that it is ours: another process may have changed it.
        exists = lock_->fileFd() >= 0;
        if (exists && ::fstat(lock_->fileFd(), &st) != 0)
            fail(Reason::OutputUnwritable, std::strerror(errno));
        if (exists)
            original_ = std::make_unique<InputFile>(::dup(lock_->fileFd()), target_);
    }

    replacing_ = exists;
    int err = 0;
    {
        const TerminationHeld held;
        fd_ = createTemporary(target_, exists ? (st.st_mode & 07777) : 0666, temp_, err);
        if (fd_ >= 0 && !temp_.empty())
            pendingSlot_ = registerPendingOutput(temp_.c_str());
    }
    if (fd_ < 0) {
        temp_.clear();
        fail(Reason::OutputUnwritable, creationFailure(target_, err));
    }
    // What killed runs left (our own temporary file is locked, so it stays). A temporary file has
    // a name for the whole write where the file system has no unnamed ones, and elsewhere only
    // for the instant of replacing a file: a new file is named at once. Reading the folder for
    // every new file would have a thousand tiles converted into one folder read half a million
    // names.
    if (exists || !temp_.empty())
        removeStaleTemporaries(target_);
    try {
        // The replacement keeps the old file's owner and group where we may give them (root
        // may give both, the owner a group of theirs), and its permissions, which the creation
        // mask may have cut (after chown, which clears the set-id bits).
        if (exists && ::fchown(fd_, st.st_uid, st.st_gid) != 0) {
            [[maybe_unused]] const int groupOnly = ::fchown(fd_, static_cast<uid_t>(-1), st.st_gid);
        }
        if (exists && ::fchmod(fd_, st.st_mode & 07777) != 0)
            fail(Reason::OutputUnwritable, std::strerror(errno));
        if (mode == Mode::Append && original_)
            copyOriginal(0, original_->length());
    } catch (...) {
        rollback();
        throw;
    }
}

OutputFile::~OutputFile() {
    if (!committed_)
        rollback();
}

void OutputFile::fail(Reason reason, const std::string& what) const {
    throw TesseraError(reason, failureText(messages::kCantWrite, path_ + ": " + what), role_);
}

void OutputFile::writeLe32(std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        writeByte(static_cast<std::uint8_t>(u >> shift));
}

void OutputFile::flush() {
    writeAll(buffer_, {});
    buffer_.clear();
}

void OutputFile::writeAll(std::string_view first, std::string_view second) {
    while (!first.empty() || !second.empty()) {
        std::array<iovec, 2> parts{iovec{const_cast<char*>(first.data()), first.size()},
                                   iovec{const_cast<char*>(second.data()), second.size()}};
        const ssize_t n = ::writev(fd_, parts.data(), static_cast<int>(parts.size()));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EPIPE && standard_)
            fail(Reason::ReaderGone, messages::kReaderGone);
        if (n < 0)
            fail(Reason::OutputUnwritable, std::strerror(errno));
        if (n == 0)
            fail(Reason::NothingWritten, messages::kNothingWritten);
        const auto done = static_cast<std::size_t>(n);
        const std::size_t fromFirst = std::min(done, first.size());
        first.remove_prefix(fromFirst);
        second.remove_prefix(done - fromFirst);
    }
}

void OutputFile::copyOriginal(std::int64_t from, std::int64_t length) {
    flush();
    // The kernel copies (or shares the blocks) without the bytes passing through us.
    auto in = static_cast<off_t>(from);
    while (length > 0) {
        const ssize_t n = ::copy_file_range(lock_->fileFd(), &in, fd_, nullptr,
                                            static_cast<std::size_t>(length), 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP ||
                      errno == EPERM)) {
            copyByReading(in, length);
            return;
        }
        if (n < 0)
            fail(Reason::OutputUnwritable, std::strerror(errno));
        if (n == 0)
            fail(Reason::ChangedWhileRead, messages::kChangedWhileRead);
        length -= n;
    }
}

void OutputFile::copyByReading(std::int64_t from, std::int64_t length) {
    std::vector<std::uint8_t> chunk(kBufferSize);
    while (length > 0) {
        const auto n = std::min<std::int64_t>(length, static_cast<std::int64_t>(chunk.size()));
        const std::span<std::uint8_t> part(chunk.data(), static_cast<std::size_t>(n));
        original_->read(from, part);
        write(std::string_view(reinterpret_cast<const char*>(part.data()), part.size()));
        from += n;
        length -= n;
    }
    flush();
}

void OutputFile::prepare() {
    flush();
    if (standard_) {  // written as it went
        fd_ = -1;
        return;
    }
    unchanged_ =
        replacing_ && (lock_ ? sameContents(fd_, lock_->fileFd()) : sameContents(fd_, target_));
    // The old file's contents are only given up once the new ones are on the disk. A file that
    // did not exist has nothing to protect, and waiting for the disk a dozen milliseconds per
    // file would dominate a build converting a thousand small tiles.
    if (!unchanged_ && replacing_ && ::fsync(fd_) != 0)
        fail(Reason::OutputUnwritable, std::strerror(errno));
    if (temp_.empty())
        return;  // an unnamed file needs its descriptor to be given a name
    const int rc = ::close(fd_);
    fd_ = -1;
    if (rc != 0)
        fail(Reason::OutputUnwritable, std::strerror(errno));
}

void OutputFile::nameTemporary() {
    if (!changes() || !temp_.empty())
        return;
    const TerminationHeld held;
    if (!linkTemporary(fd_, target_, temp_)) {
        temp_.clear();
        fail(Reason::OutputUnwritable, creationFailure(target_, errno));
    }
    pendingSlot_ = registerPendingOutput(temp_.c_str());
}

void OutputFile::publish() {
    if (standard_) {
        committed_ = true;
        return;
    }
    if (temp_.empty() && !unchanged_) {
        // Named and renamed at once: no signal handler can run between the two, and a kill
        // there leaves a locked-by-nobody file that the next run removes. A new file takes its
        // own name directly, whole from its first instant; one that appeared since is replaced.
        const TerminationHeld held;
        const bool named = !replacing_ && linkUnnamed(fd_, target_);
        if (!named && !replacing_ && errno != EEXIST)
            fail(Reason::OutputUnwritable, creationFailure(target_, errno));
        std::string name;
        if (!named && !linkTemporary(fd_, target_, name))
            fail(Reason::OutputUnwritable, creationFailure(target_, errno));
        if (!named && ::rename(name.c_str(), target_.c_str()) != 0) {
            const int err = errno;
            ::unlink(name.c_str());
            fail(Reason::OutputUnwritable, std::strerror(err));
        }
    } else if (unchanged_) {
        if (!temp_.empty())
            ::unlink(temp_.c_str());
    } else if (::rename(temp_.c_str(), target_.c_str()) != 0) {
        fail(Reason::OutputUnwritable, std::strerror(errno));
    }
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    unregisterPendingOutput(pendingSlot_);
    temp_.clear();
    original_.reset();
    if (lock_)
        lock_->release();
    committed_ = true;
}

void OutputFile::rollback() noexcept {
    if (fd_ >= 0 && !standard_)
        ::close(fd_);
    fd_ = -1;
    if (!temp_.empty())
        ::unlink(temp_.c_str());
    unregisterPendingOutput(pendingSlot_);
    original_.reset();
    if (lock_)
        lock_->release();
}

}  // namespace tessera
