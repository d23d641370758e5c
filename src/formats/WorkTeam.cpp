// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/WorkTeam.h"

#include <algorithm>
#include <system_error>

#include "platform/Signals.h"

namespace tessera {

int WorkTeam::coreCount() {
    // Asked once: the answer is read from a file of the system's each time.
    static const int cores =
        std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 8);
    return cores;
}

WorkTeam::WorkTeam(int members) : members_(std::max(members, 1)) {
    if (members_ == 1)
        return;
    // Members are born with the terminating signals blocked, so a signal always finds the
    // calling thread, the one writing: it cannot write on while the handler undoes the output
    // on another thread.
    const TerminationHeld held;
    try {
        for (int part = 1; part < members_; ++part)
            threads_.emplace_back([this, part] { member(part); });
    } catch (const std::system_error&) {
        // No thread to be had (a process limit): the job is shared by the members there are,
        // the calling thread alone at worst. No job has started, so no member has read the size.
        members_ = static_cast<int>(threads_.size()) + 1;
    }
}

WorkTeam::~WorkTeam() {
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    for (auto& t : threads_)
        t.join();
}

void WorkTeam::run(const Job& job) {
    const int parts = size();
    if (parts == 1) {
        job(0, 1);
        return;
    }
    {
        const std::lock_guard lock(mutex_);
        job_ = &job;
        pending_ = parts - 1;
        ++round_;
    }
    changed_.notify_all();
    job(0, parts);
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return pending_ == 0; });
    job_ = nullptr;
}

void WorkTeam::member(int part) {
    std::int64_t seen = 0;
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [&] { return stop_ || round_ != seen; });
        if (stop_)
            return;
        seen = round_;
        const Job& job = *job_;
        lock.unlock();
        job(part, size());
        lock.lock();
        if (--pending_ == 0)
            changed_.notify_all();
    }
}

}  // namespace tessera
