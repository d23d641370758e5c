// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace tessera {

// What tells one state of a file from another: a file whose size or modification time changed
// since it was described is no longer the file described.
struct FileStamp {
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    bool operator==(const FileStamp&) const = default;
};

// A file opened for reading at explicit 0-based positions. Integers are little-endian; bytes past
// the end of the file read as zero, so a short file never fails a read, it just yields zeros.
// Only regular files are opened: a directory, a FIFO or a device would never end or never start.
class InputFile {
  public:
    explicit InputFile(const std::string& path);  // throws TesseraError
    // Takes over `fd`, a regular file already open for reading (closed here on failure too).
    InputFile(int fd, const std::string& path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    InputFile(InputFile&& other) noexcept
        : fd_(std::exchange(other.fd_, -1)),
          stamp_(other.stamp_),
          path_(std::move(other.path_)),
          head_(std::move(other.head_)) {}
    InputFile& operator=(InputFile&&) = delete;

    std::int64_t length() const { return stamp_.size; }
    const FileStamp& stamp() const { return stamp_; }
    const std::string& path() const { return path_; }

    std::uint8_t readByte(std::int64_t pos) const;
    std::int16_t readLe16(std::int64_t pos) const;
    std::uint16_t readU16(std::int64_t pos) const;
    std::int32_t readLe32(std::int64_t pos) const;
    std::uint32_t readU32(std::int64_t pos) const;

    // Fills `out` from `pos`: what lies past the end (or before 0) is zero.
    void read(std::int64_t pos, std::span<std::uint8_t> out) const;

    // Reads `count` runs of `bytes` bytes lying `fileStride` apart from `pos` into `out`,
    // `outStride` apart, as read() would one by one, in one call to the system when the runs lie
    // inside the file a few bytes apart (the rows of a picture and their padding).
    void readRuns(std::int64_t pos, std::int64_t count, std::int64_t fileStride, std::int64_t bytes,
                  std::uint8_t* out, std::int64_t outStride) const;

  private:
    // The file's first bytes are read once, at opening: the headers, the palette and every row
    // of a small picture then cost one system call instead of one each.
    static constexpr std::int64_t kHeadSize = 1 << 14;
    void readHead();

    int fd_ = -1;
    FileStamp stamp_;
    std::string path_;
    std::vector<std::uint8_t> head_;  // what was read of the first kHeadSize bytes
};

}  // namespace tessera
