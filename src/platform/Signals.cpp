// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Signals.h"

#include <limits.h>
#include <pthread.h>
#include <string.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <mutex>

namespace tessera {

namespace {

struct Pending {
    std::array<char, PATH_MAX + 1> name;
};
constexpr int kSlots = 8;
std::array<Pending, kSlots> pending{};
std::array<std::atomic<bool>, kSlots> pendingUsed{};

// Every signal whose default action ends the process and that a handler may catch.
constexpr int kTerminating[] = {SIGINT,  SIGTERM, SIGHUP,  SIGQUIT,   SIGPIPE,
                                SIGALRM, SIGUSR1, SIGUSR2, SIGVTALRM, SIGPROF};

sigset_t terminatingSet() {
    sigset_t set{};
    sigemptyset(&set);
    for (const int signal : kTerminating)
        sigaddset(&set, signal);
    return set;
}

extern "C" void onTerminatingSignal(int signal) {
    rollBackPendingOutputs();
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
    raise(signal);
}

std::atomic<bool> handlersWanted{false};
std::once_flag handlersInstalled;

// Called with the terminating signals held: a signal that whoever started us ignores (nohup's
// SIGHUP) and that arrives while our handler is briefly in place waits, and is dropped when
// the handler is taken back, as it would have been.
void catchTerminatingSignals() {
    struct sigaction action {};
    action.sa_handler = onTerminatingSignal;
    action.sa_mask = terminatingSet();
    for (const int signal : kTerminating) {
        struct sigaction old {};
        if (sigaction(signal, &action, &old) == 0 && old.sa_handler == SIG_IGN)
            sigaction(signal, &old, nullptr);
    }
}

}  // namespace

int registerPendingOutput(const char* name) {
    // The terminating signals are held while an output is noted: the handlers go in before
    // they can find anything to undo.
    if (handlersWanted)
        std::call_once(handlersInstalled, catchTerminatingSignals);
    const std::size_t size = ::strlen(name);
    if (size > PATH_MAX)
        return -1;
    for (int i = 0; i < kSlots; ++i) {
        bool expected = false;
        if (pendingUsed[i].compare_exchange_strong(expected, true)) {
            ::memcpy(pending[i].name.data(), name, size + 1);
            return i;
        }
    }
    return -1;
}

void unregisterPendingOutput(int& slot) {
    if (slot >= 0)
        pendingUsed[slot] = false;
    slot = -1;
}

void rollBackPendingOutputs() noexcept {
    for (int i = 0; i < kSlots; ++i) {
        if (pendingUsed[i])
            ::unlink(pending[i].name.data());
    }
}

void installTerminationHandlers() {
    // Until an output has a name to remove, a signal's own way of ending the process leaves
    // nothing behind (an unnamed temporary file goes with its process): a run that never names
    // one makes no system call for the handlers.
    handlersWanted = true;
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGXFSZ, &ignore, nullptr);
}

TerminationHeld::TerminationHeld() {
    const sigset_t stop = terminatingSet();
    ::pthread_sigmask(SIG_BLOCK, &stop, &previous_);
}

TerminationHeld::~TerminationHeld() {
    ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

}  // namespace tessera
