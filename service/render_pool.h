// A fixed number of render threads: at most that many symbols are drawn at once, and a request
// waits for its symbol only until its deadline.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <variant>
#include <vector>

#include "quorvantix/host.h"

namespace qv::service {

class RenderPool {
  public:
    using Clock = std::chrono::steady_clock;
    enum class Refusal {
        Busy,      // `maxWaiting` renders were already waiting
        TimedOut,  // the deadline passed before the symbol was done
    };

    RenderPool(std::size_t workers, std::size_t maxWaiting);
    // Waits for the renders in progress; those still waiting are dropped (nobody waits for them
    // once the server has stopped).
    ~RenderPool();
    RenderPool(const RenderPool&) = delete;
    RenderPool& operator=(const RenderPool&) = delete;

    // Runs `job` on a render thread. A job that times out is not interrupted (drawing cannot be),
    // but it keeps its thread, so the bound on concurrent renders holds; a job still waiting at
    // its deadline is never started. Rethrows what the job threw.
    std::variant<SymbolResult, Refusal> run(std::function<SymbolResult()> job,
                                            Clock::time_point deadline);

    // Renders accepted but not started.
    std::size_t waiting();

  private:
    struct Task;
    void work();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::shared_ptr<Task>> waiting_;
    std::size_t maxWaiting_;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace qv::service
