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
    // Work handed over past this waits: memory stays bounded when the disk is the slower side.
    static constexpr std::size_t kMaxPending = 64;

    WriteQueue();
    // Runs what is still queued, then stops the thread.
    ~WriteQueue();
    WriteQueue(const WriteQueue&) = delete;
    WriteQueue& operator=(const WriteQueue&) = delete;

    // Queues `write` to run on the writer thread; blocks while kMaxPending are waiting. Without
    // a thread (none could be started) it runs at once, on the caller's.
    void push(std::function<void()> write);
    // Returns once everything pushed so far has run.
    void drain();

  private:
    void serve(std::stop_token stop);

    std::mutex mutex_;
    std::condition_variable_any changed_;
    std::deque<std::function<void()>> pending_;
    bool busy_ = false;
    std::jthread thread_;  // last: started once the rest is set up, joined first
};

}  // namespace qv::cli
