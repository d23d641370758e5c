#include "platform/Signals.h"

#include <limits.h>
#include <pthread.h>
#include <string.h>
#include <unistd.h>

#include <array>
#include <atomic>

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

}  // namespace

int registerPendingOutput(const char* name) {
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
    struct sigaction action {};
    action.sa_handler = onTerminatingSignal;
    action.sa_mask = terminatingSet();
    for (const int signal : kTerminating) {
        struct sigaction old {};
        // A signal ignored by whoever started us (nohup's SIGHUP) stays ignored.
        if (sigaction(signal, nullptr, &old) == 0 && old.sa_handler == SIG_IGN)
            continue;
        sigaction(signal, &action, nullptr);
    }
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
