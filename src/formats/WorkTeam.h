// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace tessera {

// Threads that share one job after another: run(job) has every member, the calling thread
// included, do its part of the job and returns once all parts are done. Parts must not throw.
// The members wait between jobs, so a job of a few hundred microseconds is still worth sharing.
class WorkTeam {
  public:
    using Job = std::function<void(int part, int parts)>;

    // 1: the calling thread alone, no thread started. Fewer when the system gives no more threads.
    explicit WorkTeam(int members);
    ~WorkTeam();
    WorkTeam(const WorkTeam&) = delete;
    WorkTeam& operator=(const WorkTeam&) = delete;

    int size() const { return members_; }
    void run(const Job& job);

    // The members a job that splits evenly should have: every core.
    static int coreCount();

  private:
    void member(int part);

    std::mutex mutex_;
    std::condition_variable changed_;
    int members_;
    const Job* job_ = nullptr;
    std::int64_t round_ = 0;  // how many jobs were handed out
    int pending_ = 0;         // parts of the current job not done yet
    bool stop_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace tessera
