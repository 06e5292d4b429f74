#include "write_queue.h"

#include <system_error>

namespace qv::cli {

WriteQueue::WriteQueue() {
    try {
        thread_ = std::jthread([this](std::stop_token stop) { serve(stop); });
    } catch (const std::system_error&) {
        // No thread: push() writes on the caller's.
    }
}

WriteQueue::~WriteQueue() {
    drain();
    if (thread_.joinable()) {
        thread_.request_stop();
        changed_.notify_all();
        thread_.join();
    }
}

void WriteQueue::push(std::function<void()> write) {
    if (!thread_.joinable()) {
        write();
        return;
    }
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return pending_.size() < kMaxPending; });
    pending_.push_back(std::move(write));
    changed_.notify_all();
}

void WriteQueue::drain() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return pending_.empty() && !busy_; });
}

void WriteQueue::serve(std::stop_token stop) {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, stop, [&] { return !pending_.empty(); });
        if (pending_.empty()) return;  // asked to stop with nothing left
        std::function<void()> write = std::move(pending_.front());
        pending_.pop_front();
        busy_ = true;
        changed_.notify_all();
        lock.unlock();
        write();
        lock.lock();
        busy_ = false;
        changed_.notify_all();
    }
}

}  // namespace qv::cli
