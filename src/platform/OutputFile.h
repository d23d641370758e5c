#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessera {

// An output written safely. A new or replaced file is written to a temporary file beside its
// target and renamed over it by commit(), so the old file survives any failure; an append is cut
// back to the file's old length (or the file removed, when the append created it) unless
// commit() is reached. Writes are buffered and every system call is checked.
class OutputFile {
  public:
    enum class Mode { Replace, Append };

    OutputFile(const std::string& path, Mode mode);  // throws TesseraError
    ~OutputFile();                                   // rolls back unless committed
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Small pieces are gathered; a large one goes to the file as it stands, without a copy.
    void write(std::string_view bytes) {
        if (bytes.size() >= kDirectSize) {
            flush();
            writeAll(bytes);
            return;
        }
        if (buffer_.size() + bytes.size() > kBufferSize)
            flush();
        buffer_.append(bytes);
    }
    void writeByte(std::uint8_t b) {
        if (buffer_.size() + 1 > kBufferSize)
            flush();
        buffer_.push_back(static_cast<char>(b));
    }
    void writeLe32(std::int32_t value);

    // Makes the output final. A replacement whose bytes equal the existing file leaves that file
    // untouched, time stamp included, so a build tool sees nothing new.
    void commit();
    const std::string& path() const { return path_; }

  private:
    static constexpr std::size_t kBufferSize = 1 << 16;
    static constexpr std::size_t kDirectSize = 1 << 12;
    void flush();
    void writeAll(std::string_view bytes);
    void rollback() noexcept;
    [[noreturn]] void fail(const std::string& what) const;

    std::string path_;    // as the user named it
    std::string target_;  // the file really written: a symbolic link's target
    std::string temp_;    // Replace mode: the file being written
    Mode mode_;
    int fd_ = -1;
    bool created_ = false;        // Append mode: the file did not exist before
    bool replacing_ = false;      // Replace mode: an existing file is being replaced
    std::int64_t oldLength_ = 0;  // Append mode: where a failed append is cut back to
    bool committed_ = false;
    int pendingSlot_ = -1;  // where a signal handler finds this output to undo it
    std::string buffer_;
};

}  // namespace tessera
