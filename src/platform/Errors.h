// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

namespace tessera {

// A failure that ends the running command and is shown to the user in a message box. The text is
// already worded for the user (the tool's own style: short, with a smiley, the reason on a
// second line when there is one).
// Which file a failure is about, so that a report can name it: the one being read, the one
// being written, or the header written beside it.
enum class FileRole { Unknown, Input, Output, Header };

class TesseraError : public std::runtime_error {
  public:
    explicit TesseraError(const std::string& message, FileRole role = FileRole::Unknown)
        : std::runtime_error(message), role_(role) {}
    FileRole role() const { return role_; }

  private:
    FileRole role_;
};

// The user's Cancel in a dialog or a "No" to a question: ends the command silently.
struct CommandCancelled {};

// "Can't read this file :(" with the reason on a second line, the way every failure is worded.
std::string failureText(const std::string& headline, const std::string& reason);

}  // namespace tessera
