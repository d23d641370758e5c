// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "OutputFile.h"

namespace tessera {

// A single-byte text output with CR LF line ends, the way the GP32 tool chains on the desktop
// expect their headers. Texts come in as UTF-8 (the window's text box); characters beyond
// Latin-1 have no single byte and become '?'. Nothing reaches the file's final name before
// Close(); a stream dropped unclosed leaves the file as it was (the standard output excepted).
class TextStream {
  public:
    TextStream(const std::string& path, OutputFile::Mode mode, FileRole role = FileRole::Output)
        : out_(std::make_unique<OutputFile>(path, mode, role)) {}

    void Write(std::string_view text);
    void WriteLine(std::string_view text) {
        Write(text);
        out_->write("\r\n");
    }
    void WriteBlankLines(int count) {
        for (int i = 0; i < count; ++i)
            out_->write("\r\n");
    }
    // Text known to be plain ASCII (literals, separators): no conversion on the hot path.
    void writeAscii(std::string_view text) { out_->write(text); }
    void Close() { out_->commit(); }
    OutputFile& file() { return *out_; }

  private:
    std::unique_ptr<OutputFile> out_;
};

// UTF-8 to single-byte text: Latin-1 where it fits, '?' elsewhere (also for broken UTF-8).
std::string toSingleByte(std::string_view utf8);

}  // namespace tessera
