// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "../platform/Errors.h"

namespace tessera {

// How a command of the window ended: done, refused (the reason's code, and the text the window
// showed for it), or cancelled by the user's Cancel or "No". The command line turns it into its
// exit status, the tests compare it.
struct Outcome {
    enum class Kind { Done, Refused, Cancelled };
    Kind kind = Kind::Done;
    Reason reason = Reason::None;
    std::string text;
    FileRole about = FileRole::Unknown;

    bool done() const { return kind == Kind::Done; }
};

// A refusal the window words in a plain message box, as it does its own checks of what it is
// asked, rather than as a failure with its reason.
class PlainRefusal : public TesseraError {
  public:
    PlainRefusal(Reason reason, const std::string& message) : TesseraError(reason, message) {}
};

}  // namespace tessera
