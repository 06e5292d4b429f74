// Files of a batch put in place on a thread of their own, in the order they were handed over,
// so that the next line is drawn while the kernel creates and renames the last one's file.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace qv::cli {

class WriteQueue {
  public:
    // Pushes past this many waiting block, and the writer holds as many again: memory stays
    // bounded when the disk is the slower side.
    static constexpr std::size_t kMaxPending = 64;
    // A sleeping writer is woken once this many wait, or by nudge(): one wake-up per file would
    // cost more than a fast disk takes to write it.
    static constexpr std::size_t kWakeAt = 16;

    WriteQueue();
    // Runs what is still queued, then stops the thread.
    ~WriteQueue();
    WriteQueue(const WriteQueue&) = delete;
    WriteQueue& operator=(const WriteQueue&) = delete;

    // Queues `write` to run on the writer thread; blocks while kMaxPending are waiting. Without
    // a thread (none could be started) it runs at once, on the caller's.
    void push(std::function<void()> write);
    // Wakes the writer for what waits, however little: for a caller about to block elsewhere.
    void nudge();
    // Returns once everything pushed so far has run.
    void drain();

  private:
    void serve();
    // Signals a sleeping writer when work waits; unlocks `lock` if it does.
    void wake(std::unique_lock<std::mutex>& lock);

    std::mutex mutex_;
    // A wake-up costs a system call: each side is signalled only while the other sleeps.
    std::condition_variable work_;  // the writer waits for work
    std::condition_variable room_;  // pushers wait for room, drain() for the end
    std::deque<std::function<void()>> pending_;
    std::size_t inFlight_ = 0;  // taken by the writer, not finished
    bool writerAsleep_ = false;
    std::size_t waiters_ = 0;  // pushers and drainers asleep
    bool stopping_ = false;
    std::thread thread_;  // last: started once the rest is set up
};

}  // namespace qv::cli
