// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tessera {

class OutputFile;

// Two outputs that only make sense together (a data file and the header declaring its arrays)
// take their new contents together: after a failure or any signal both files are the old ones
// or both the new ones.
//
// Both new files are complete and named beside their targets first; then a note listing them is
// written beside each target; then the two renames; then the notes go. A signal that can be
// caught waits until the end. SIGKILL or a power cut between the two renames leaves the notes:
// the next run writing either file finds its note and makes the renames the dead run did not.

// Makes two prepared outputs final together.
void publishTogether(OutputFile& first, OutputFile& second);

// Finishes the pair of a run that died between its renames, when `target` belongs to one.
// Outputs call it before they read or replace their target.
void completeInterruptedPair(const std::string& target);

// Called between the two renames when set: where tests stop the process, the way a kill that
// lands between them would.
extern void (*pairFaultPoint)();

}  // namespace tessera
