#include "write_queue.h"

#include <system_error>

namespace qv::cli {

WriteQueue::WriteQueue() {
    try {
        thread_ = std::thread([this] { serve(); });
    } catch (const std::system_error&) {
        // No thread: push() writes on the caller's.
    }
}

WriteQueue::~WriteQueue() {
    if (!thread_.joinable()) return;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    work_.notify_one();
    thread_.join();  // the writer runs what is left before it stops
}

void WriteQueue::push(std::function<void()> write) {
    if (!thread_.joinable()) {
        write();
        return;
    }
    std::unique_lock lock(mutex_);
    if (pending_.size() >= kMaxPending) {
        ++waiters_;
        room_.wait(lock, [&] { return pending_.size() < kMaxPending; });
        --waiters_;
    }
    pending_.push_back(std::move(write));
    if (pending_.size() >= kWakeAt) wake(lock);
}

void WriteQueue::nudge() {
    if (!thread_.joinable()) return;
    std::unique_lock lock(mutex_);
    wake(lock);
}

void WriteQueue::wake(std::unique_lock<std::mutex>& lock) {
    if (!writerAsleep_ || pending_.empty()) return;
    writerAsleep_ = false;
    lock.unlock();
    work_.notify_one();
}

void WriteQueue::drain() {
    if (!thread_.joinable()) return;
    std::unique_lock lock(mutex_);
    wake(lock);
    if (!lock.owns_lock()) lock.lock();
    ++waiters_;
    room_.wait(lock, [&] { return pending_.empty() && inFlight_ == 0; });
    --waiters_;
}

void WriteQueue::serve() {
    std::deque<std::function<void()>> taken;
    std::unique_lock lock(mutex_);
    for (;;) {
        while (pending_.empty() && !stopping_) {
            writerAsleep_ = true;
            work_.wait(lock);
            writerAsleep_ = false;
        }
        if (pending_.empty()) return;  // stopping, with nothing left
        // Everything waiting at once: one lock and at most one wake-up per round, not per file.
        taken.swap(pending_);
        inFlight_ = taken.size();
        if (waiters_ > 0) room_.notify_all();
        lock.unlock();
        for (auto& write : taken) write();
        taken.clear();
        lock.lock();
        inFlight_ = 0;
        if (waiters_ > 0) room_.notify_all();
    }
}

}  // namespace qv::cli
