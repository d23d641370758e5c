// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

#include "platform/Errors.h"
#include "platform/PlatformMessages.h"

namespace tessera {

InputFile::InputFile(const std::string& path)
    // O_NONBLOCK keeps a FIFO from blocking the open; it is refused just below anyway.
    : InputFile(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK), path) {}

InputFile::InputFile(int fd, const std::string& path) : fd_(fd), path_(path) {
    if (fd_ < 0)
        throw TesseraError(Reason::InputUnreadable,
                           failureText(messages::kCantRead, path + ": " + std::strerror(errno)),
                           FileRole::Input);
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd_);
        fd_ = -1;
        throw TesseraError(Reason::InputNotRegular,
                           failureText(messages::kCantRead, path + ": " + messages::kNotRegular),
                           FileRole::Input);
    }
    stamp_.size = st.st_size;
    stamp_.modifiedNs = std::int64_t{st.st_mtim.tv_sec} * 1000000000 + st.st_mtim.tv_nsec;
    readHead();
}

void InputFile::readHead() {
    head_.resize(static_cast<std::size_t>(std::min(stamp_.size, kHeadSize)));
    std::size_t got = 0;
    while (got < head_.size()) {
        const ssize_t n =
            ::pread(fd_, head_.data() + got, head_.size() - got, static_cast<off_t>(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;  // a read error shows, and a shrunk file reads as zero, where read() goes on
        got += static_cast<std::size_t>(n);
    }
    head_.resize(got);
}

InputFile::~InputFile() {
    if (fd_ >= 0)
        ::close(fd_);
}

void InputFile::read(std::int64_t pos, std::span<std::uint8_t> out) const {
    const std::int64_t want = static_cast<std::int64_t>(out.size());
    // Only the bytes outside the file are zeroed: the others are read over.
    const auto zeroUpTo = [&](std::int64_t from, std::int64_t to) {
        std::fill(out.begin() + std::clamp<std::int64_t>(from - pos, 0, want),
                  out.begin() + std::clamp<std::int64_t>(to - pos, 0, want), std::uint8_t{0});
    };
    std::int64_t start = std::max<std::int64_t>(pos, 0);
    const std::int64_t end = std::min<std::int64_t>(pos + want, stamp_.size);
    zeroUpTo(pos, start);
    const std::int64_t inHead = std::min(end, static_cast<std::int64_t>(head_.size()));
    if (start < inHead) {
        std::copy(head_.begin() + start, head_.begin() + inHead, out.begin() + (start - pos));
        start = inHead;
    }
    while (start < end) {
        const ssize_t got =
            ::pread(fd_, out.data() + (start - pos), static_cast<std::size_t>(end - start), start);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw TesseraError(
                Reason::InputUnreadable,
                failureText(messages::kCantRead, path_ + ": " + std::strerror(errno)),
                FileRole::Input);
        if (got == 0)
            break;  // the file shrank under us: the rest reads as zero
        start += got;
    }
    zeroUpTo(std::max(start, pos), pos + want);
}

void InputFile::readRuns(std::int64_t pos, std::int64_t count, std::int64_t fileStride,
                         std::int64_t bytes, std::uint8_t* out, std::int64_t outStride) const {
    // The bytes between runs are read into one small sink, over and over.
    std::array<std::uint8_t, 64> sink{};
    constexpr std::int64_t kMaxRuns = 256;  // two pieces a run stay within IOV_MAX
    const std::int64_t gap = fileStride - bytes;
    const std::int64_t span = fileStride * (count - 1) + bytes;
    const bool together = count > 1 && count <= kMaxRuns && gap >= 0 &&
                          gap <= static_cast<std::int64_t>(sink.size()) &&
                          pos >= static_cast<std::int64_t>(head_.size()) &&
                          pos + span <= stamp_.size;
    if (together) {
        std::vector<iovec> parts;
        parts.reserve(static_cast<std::size_t>(2 * count));
        for (std::int64_t k = 0; k < count; ++k) {
            parts.push_back({out + k * outStride, static_cast<std::size_t>(bytes)});
            if (k + 1 < count && gap > 0)
                parts.push_back({sink.data(), static_cast<std::size_t>(gap)});
        }
        // Anything short of all of it (a signal, a file shrinking) is read again run by run.
        if (::preadv(fd_, parts.data(), static_cast<int>(parts.size()), pos) == span)
            return;
    }
    for (std::int64_t k = 0; k < count; ++k)
        read(pos + k * fileStride, std::span(out + k * outStride, static_cast<std::size_t>(bytes)));
}

std::uint8_t InputFile::readByte(std::int64_t pos) const {
    std::array<std::uint8_t, 1> b{};
    read(pos, b);
    return b[0];
}

std::uint16_t InputFile::readU16(std::int64_t pos) const {
    std::array<std::uint8_t, 2> b{};
    read(pos, b);
    return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

std::int16_t InputFile::readLe16(std::int64_t pos) const {
    return static_cast<std::int16_t>(readU16(pos));
}

std::uint32_t InputFile::readU32(std::int64_t pos) const {
    std::array<std::uint8_t, 4> b{};
    read(pos, b);
    return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
           (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

std::int32_t InputFile::readLe32(std::int64_t pos) const {
    return static_cast<std::int32_t>(readU32(pos));
}

}  // namespace tessera
