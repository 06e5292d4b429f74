#include "render_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <stdexcept>

namespace qv::service {
namespace {

using namespace std::chrono_literals;
using Clock = RenderPool::Clock;

SymbolResult withMessage(std::string message) {
    SymbolResult r;
    r.message = std::move(message);
    return r;
}

TEST(RenderPool, RunsJobsAndRethrowsTheirFailures) {
    RenderPool pool(2, 8);
    auto r = pool.run([] { return withMessage("done"); }, Clock::now() + 60s);
    ASSERT_TRUE(std::holds_alternative<SymbolResult>(r));
    EXPECT_EQ(std::get<SymbolResult>(r).message, "done");
    EXPECT_THROW(
        pool.run([]() -> SymbolResult { throw std::runtime_error("x"); }, Clock::now() + 60s),
        std::runtime_error);
}

TEST(RenderPool, NeverDrawsMoreThanItsThreadsAtOnce) {
    RenderPool pool(2, 64);
    std::atomic<int> running = 0, most = 0;
    std::vector<std::future<void>> clients;
    for (int i = 0; i < 12; ++i)
        clients.push_back(std::async(std::launch::async, [&] {
            pool.run(
                [&] {
                    const int now = ++running;
                    for (int seen = most; now > seen && !most.compare_exchange_weak(seen, now);) {
                    }
                    std::this_thread::sleep_for(5ms);
                    --running;
                    return SymbolResult{};
                },
                Clock::now() + 60s);
        }));
    for (auto& c : clients) c.get();
    EXPECT_LE(most.load(), 2);
    EXPECT_GE(most.load(), 1);
}

TEST(RenderPool, GivesUpAtTheDeadlineAndNeverStartsAJobPastIt) {
    RenderPool pool(1, 8);
    std::promise<void> running, release;
    auto blocker = std::async(std::launch::async, [&] {
        return pool.run(
            [&, gate = release.get_future().share()] {
                running.set_value();
                gate.wait();
                return SymbolResult{};
            },
            Clock::now() + 60s);
    });
    running.get_future().wait();
    // The only thread is busy: this one waits in line and times out.
    std::atomic<bool> started = false;
    auto late = pool.run(
        [&] {
            started = true;
            return SymbolResult{};
        },
        Clock::now() + 50ms);
    ASSERT_TRUE(std::holds_alternative<RenderPool::Refusal>(late));
    EXPECT_EQ(std::get<RenderPool::Refusal>(late), RenderPool::Refusal::TimedOut);
    release.set_value();
    EXPECT_TRUE(std::holds_alternative<SymbolResult>(blocker.get()));
    // The pool serves again, and the abandoned job never ran.
    EXPECT_TRUE(std::holds_alternative<SymbolResult>(
        pool.run([] { return SymbolResult{}; }, Clock::now() + 60s)));
    EXPECT_FALSE(started);
}

TEST(RenderPool, RefusesPastItsWaitingLine) {
    RenderPool pool(1, 1);
    std::promise<void> started, release;
    auto gate = release.get_future().share();
    auto first = std::async(std::launch::async, [&] {
        return pool.run(
            [&, gate] {
                started.set_value();
                gate.wait();
                return SymbolResult{};
            },
            Clock::now() + 60s);
    });
    started.get_future().wait();
    auto second = std::async(std::launch::async, [&] {
        return pool.run([] { return SymbolResult{}; }, Clock::now() + 60s);
    });
    // Once the second waits in the only place in line, a third is refused at once.
    while (pool.waiting() == 0) std::this_thread::sleep_for(1ms);
    auto third = pool.run([] { return SymbolResult{}; }, Clock::now() + 60s);
    ASSERT_TRUE(std::holds_alternative<RenderPool::Refusal>(third));
    EXPECT_EQ(std::get<RenderPool::Refusal>(third), RenderPool::Refusal::Busy);
    release.set_value();
    EXPECT_TRUE(std::holds_alternative<SymbolResult>(first.get()));
    EXPECT_TRUE(std::holds_alternative<SymbolResult>(second.get()));
}

}  // namespace
}  // namespace qv::service
