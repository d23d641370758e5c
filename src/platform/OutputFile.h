// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Errors.h"
#include "InputFile.h"
#include "TargetLock.h"

namespace tessera {

// An output written safely: the bytes go to a temporary file beside the target, renamed over it
// by commit(), so the file is always either the old one or the new one, whatever fails or kills
// the process, and a failure removes the temporary file. Writes are buffered and every system
// call is checked.
//
// - Replace: a new file, whatever the target held.
// - Update: the target changed in place. Other Tessera processes updating the same file wait
//   for the lock until this one commits or rolls back; the old bytes are readable through
//   original() and copied over with copyOriginal().
// - Append: an Update that starts with the whole old file, so parallel appends all survive.
// - StandardOutput: the bytes go straight to the standard output (the path is only a name for
//   messages); nothing can be taken back there.
class OutputFile {
  public:
    enum class Mode { Replace, Append, Update, StandardOutput };

    // `role` is what its failures say they are about.
    OutputFile(const std::string& path, Mode mode,
               FileRole role = FileRole::Output);  // throws TesseraError
    ~OutputFile();                                 // rolls back unless committed
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Small pieces are gathered; a large one goes to the file as it stands, without a copy.
    void write(std::string_view bytes) {
        if (bytes.size() >= kDirectSize) {
            writeAll(buffer_, bytes);  // in one call with what was gathered
            buffer_.clear();
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

    // Update and Append: the target as it was when the lock was taken; null when it did not exist.
    const InputFile* original() const { return original_.get(); }
    // Appends `length` bytes of the original from `from` (within the original).
    void copyOriginal(std::int64_t from, std::int64_t length);

    // Makes the output final. An output whose bytes equal the existing file leaves that file
    // untouched, time stamp included, so a build tool sees nothing new.
    void commit() {
        prepare();
        publish();
    }
    // commit() in two steps, for outputs that change together: prepare() each (every failure
    // that can be foreseen happens there), then publish() each (the renames).
    void prepare();
    void publish();
    const std::string& path() const { return path_; }

    // After prepare(), for publishing two outputs together: whether publish() will rename
    // anything, and the new file given a name beside its target (it may have none yet).
    bool changes() const { return !standard_ && !unchanged_; }
    void nameTemporary();
    const std::string& temporaryName() const { return temp_; }
    const std::string& target() const { return target_; }

  private:
    static constexpr std::size_t kBufferSize = 1 << 16;
    static constexpr std::size_t kDirectSize = 1 << 12;
    void flush();
    void copyByReading(std::int64_t from, std::int64_t length);
    void writeAll(std::string_view first, std::string_view second);
    void rollback() noexcept;
    [[noreturn]] void fail(Reason reason, const std::string& what) const;

    std::string path_;  // as the user named it
    FileRole role_;
    std::string target_;  // the file really written: a symbolic link's target
    std::string temp_;    // the file being written
    int fd_ = -1;
    bool standard_ = false;   // StandardOutput
    bool replacing_ = false;  // an existing file is being replaced
    bool unchanged_ = false;  // prepared: the new bytes equal the old ones
    bool committed_ = false;
    int pendingSlot_ = -1;  // where a signal handler finds the temporary file to remove it
    std::unique_ptr<TargetLock> lock_;     // Update and Append
    std::unique_ptr<InputFile> original_;  // Update and Append, when the target existed
    std::string buffer_;
};

}  // namespace tessera
