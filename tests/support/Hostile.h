#pragma once

#include <functional>
#include <string>
#include <vector>

#include "support/Child.h"
#include "support/Files.h"
#include "support/ScriptedUi.h"

namespace tessera::test {

// One hostile input and what it must come to. Either way nothing may crash, and the refusal
// contract holds: at most one message, no output created, an existing output byte-identical,
// no temporary file left, quick and small.
struct HostileCase {
    enum Expect { Refused, Converted, Either };
    std::string name;
    Bytes bytes;
    Expect expect = Refused;
    std::string output = "out.h";    // a name ending in .gpg or .sef asks for the binary writer
    ScriptedUi::RawAnswer raw = {};  // RAW inputs only
};

// What a load followed by one convert command did, run in a child process.
struct HostileRun {
    std::vector<std::string> messages;  // every message but the two questions
    ChildResult child;
    bool converted() const;
};

enum class Command { New, Add };

// Writes the case's input as `inputName` in `dir`, then in a child loads it with the picture or
// sound button and converts it to the case's output with `command`.
HostileRun runHostile(const TempDir& dir, const std::string& inputName, const HostileCase& c,
                      bool sound, Command command);

// Checks the refusal contract on every case, for a new output and for an add onto a text file
// that must then stay as it was; returns the worst run, for the record.
void checkHostileCases(const std::vector<HostileCase>& cases, const std::string& extension,
                       bool sound);

// Where the worst case of each table is written down for the record.
void recordWorst(const std::string& table, const HostileRun& run, const std::string& name);

}  // namespace tessera::test
