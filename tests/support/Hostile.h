#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/Form1.h"
#include "support/Files.h"
#include "support/ScriptedUi.h"

namespace tessera::test {

// What a person does in the window: load `input` (answering the RAW dialog with `raw`), set the
// controls with `setup`, convert to `output`, new or added. Returns the messages shown, the two
// questions (both answered Yes) left out.
std::vector<std::string> convertInWindow(const std::string& input, const std::string& output,
                                         bool add = false, const ScriptedUi::RawAnswer& raw = {},
                                         const std::function<void(Form1&)>& setup = {});

// A hostile input. It converts, or it is refused with the whole contract: one message, nothing
// created, an added-to file byte-identical, no temporary file, little CPU time and memory.
struct HostileCase {
    enum Expect { Refused, Converted, Either };
    std::string name;
    Bytes bytes;
    Expect expect = Refused;
    std::string output = "out.h";  // .gpg or .sef asks for the binary writer
    ScriptedUi::RawAnswer raw = {};
    std::function<void(const std::string&)> make = {};  // makes the input instead of `bytes`
};
// Runs each case in a child, as a new output and (text outputs) added to an old one.
void checkHostileCases(const std::vector<HostileCase>& cases, const std::string& extension);

}  // namespace tessera::test
