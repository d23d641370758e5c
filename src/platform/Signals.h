// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <signal.h>
#include <sys/types.h>

namespace tessera {

// The temporary files of outputs still being written are noted in fixed slots, so that a
// terminating signal can remove them without allocating. Returns the slot, or -1 when none is
// free (the output then stays safe against failures, not signals).
int registerPendingOutput(const char* name);
void unregisterPendingOutput(int& slot);

// Undoes every output still noted. Only async-signal-safe calls.
void rollBackPendingOutputs() noexcept;

// Both programs call this first thing: every terminating signal that can be caught undoes the
// pending outputs, then ends the process as it would have ended without us (the handlers are
// put in place when the first output is noted). A file-size limit makes the write fail (EFBIG)
// instead of killing the process, so the usual rollback runs.
void installTerminationHandlers();

// A signal arriving between creating a file and noting it would leave the file behind: while
// one of these lives, the terminating signals wait.
class TerminationHeld {
  public:
    TerminationHeld();
    ~TerminationHeld();
    TerminationHeld(const TerminationHeld&) = delete;
    TerminationHeld& operator=(const TerminationHeld&) = delete;

  private:
    sigset_t previous_{};
};

}  // namespace tessera
