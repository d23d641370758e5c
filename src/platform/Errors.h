#pragma once

#include <stdexcept>
#include <string>

namespace tessera {

// A failure that ends the running command and is shown to the user in a message box. The text is
// already worded for the user (the tool's own style: short, with a smiley, the reason on a
// second line when there is one).
class TesseraError : public std::runtime_error {
  public:
    explicit TesseraError(const std::string& message) : std::runtime_error(message) {}
};

// The user's Cancel in a dialog or a "No" to a question: ends the command silently.
struct CommandCancelled {};

// "Can't read this file :(" with the reason on a second line, the way every failure is worded.
std::string failureText(const std::string& headline, const std::string& reason);

}  // namespace tessera
