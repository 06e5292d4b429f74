// Separate control instances painted on separate threads at once give the pixels of sequential
// paints. Run under ThreadSanitizer by scripts/fuzz.sh; fonts are part of the check (the linear
// control draws text through the shared glyph cache).
#include <gtest/gtest.h>

#include <thread>

#include "controls.h"
#include "quorvantix/raster.h"

namespace qv::test {
namespace {

struct Job {
    std::size_t control;
    std::string data;
    std::int32_t fontHeight;  // linear control only; varied so threads size fonts concurrently
};

std::vector<std::uint32_t> paintJob(const Job& job) {
    const auto kinds = allControls();
    auto control = kinds[job.control].create();
    setProperty(*control, kinds[job.control].dataProperty, job.data);
    if (kinds[job.control].name == "Barcode1D")
        setProperty(*control, "Font", std::optional<Font>{Font{"DejaVu Sans", job.fontHeight}});
    control->Width = 240;
    control->Height = 160;
    Bitmap window(240, 160);
    control->paint(window.canvas());
    return {window.pixels().begin(), window.pixels().end()};
}

TEST(Threads, ConcurrentPaintsMatchSequentialPaints) {
    std::vector<Job> jobs;
    for (int i = 0; i < 16; ++i)
        jobs.push_back(
            {static_cast<std::size_t>(i % 4), "THREAD " + std::to_string(i * 7919), 8 + i % 5});
    std::vector<std::vector<std::uint32_t>> sequential;
    for (const auto& job : jobs) sequential.push_back(paintJob(job));

    constexpr int kThreads = 4;
    std::vector<std::vector<std::uint32_t>> concurrent(jobs.size());
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            // Each thread starts at a different job, so different controls overlap in time.
            for (std::size_t k = 0; k < jobs.size(); ++k) {
                const std::size_t j = (k + static_cast<std::size_t>(t) * 5) % jobs.size();
                auto pixels = paintJob(jobs[j]);
                if (j % kThreads == static_cast<std::size_t>(t)) concurrent[j] = std::move(pixels);
            }
        });
    }
    for (auto& thread : threads) thread.join();
    for (std::size_t j = 0; j < jobs.size(); ++j) {
        SCOPED_TRACE("job " + std::to_string(j));
        ASSERT_EQ(concurrent[j].size(), sequential[j].size());
        EXPECT_TRUE(concurrent[j] == sequential[j]);
    }
}

}  // namespace
}  // namespace qv::test
