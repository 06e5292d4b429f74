#include "render_pool.h"

#include <algorithm>
#include <exception>
#include <optional>

namespace qv::service {

struct RenderPool::Task {
    std::function<SymbolResult()> job;
    Clock::time_point deadline;
    std::condition_variable done;
    bool abandoned = false;
    std::optional<SymbolResult> result;
    std::exception_ptr failure;
};

RenderPool::RenderPool(std::size_t workers, std::size_t maxWaiting) : maxWaiting_(maxWaiting) {
    threads_.reserve(workers);
    for (std::size_t i = 0; i < workers; ++i) threads_.emplace_back([this] { work(); });
}

RenderPool::~RenderPool() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (auto& t : threads_) t.join();
}

std::variant<SymbolResult, RenderPool::Refusal> RenderPool::run(std::function<SymbolResult()> job,
                                                                Clock::time_point deadline) {
    auto task = std::make_shared<Task>();
    task->job = std::move(job);
    task->deadline = deadline;
    std::unique_lock lock(mutex_);
    if (waiting_.size() >= maxWaiting_) return Refusal::Busy;
    waiting_.push_back(task);
    wake_.notify_one();
    const bool finished = task->done.wait_until(
        lock, deadline, [&] { return task->result.has_value() || task->failure != nullptr; });
    if (!finished) {
        // Not started yet: its place goes to the next request.
        std::erase(waiting_, task);
        task->abandoned = true;
        return Refusal::TimedOut;
    }
    if (task->failure) std::rethrow_exception(task->failure);
    return std::move(*task->result);
}

std::size_t RenderPool::waiting() {
    std::lock_guard lock(mutex_);
    return waiting_.size();
}

void RenderPool::work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [&] { return stopping_ || !waiting_.empty(); });
        if (stopping_) return;
        std::shared_ptr<Task> task = std::move(waiting_.front());
        waiting_.pop_front();
        if (task->abandoned || Clock::now() >= task->deadline) continue;
        lock.unlock();
        std::optional<SymbolResult> result;
        std::exception_ptr failure;
        try {
            result = task->job();
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        task->result = std::move(result);
        task->failure = failure;
        task->done.notify_one();
    }
}

}  // namespace qv::service
