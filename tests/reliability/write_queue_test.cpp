// The batch writer thread: every file handed over is written once, in order, with the queue
// full and draining; a batch over two render threads and the writer gives the files of single
// runs. Run under ThreadSanitizer by scripts/tsan.sh.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include <unistd.h>

#include "cli.h"
#include "write_queue.h"

namespace qv::cli {
namespace {

TEST(Threads, WriteQueueRunsEveryWriteOnceInOrder) {
    for (const std::size_t count : {std::size_t{0}, std::size_t{1}, WriteQueue::kMaxPending,
                                    3 * WriteQueue::kMaxPending + 5}) {
        SCOPED_TRACE(count);
        std::vector<std::size_t> order;  // written by the writer thread alone
        std::atomic<std::size_t> runs{0};
        {
            WriteQueue queue;
            for (std::size_t i = 0; i < count; ++i) {
                queue.push([&, i] {
                    if (i % 16 == 0) std::this_thread::sleep_for(std::chrono::microseconds(200));
                    order.push_back(i);
                    ++runs;
                });
                if (i == count / 2) {
                    queue.drain();
                    EXPECT_EQ(runs.load(), i + 1);
                }
            }
            queue.drain();
            EXPECT_EQ(runs.load(), count);
            queue.push([&] { ++runs; });  // left to the destructor
        }
        EXPECT_EQ(runs.load(), count + 1);
        ASSERT_EQ(order.size(), count);
        for (std::size_t i = 0; i < count; ++i) EXPECT_EQ(order[i], i);
    }
}

std::string bytesOf(const std::filesystem::path& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

TEST(Threads, BatchOverRenderThreadsAndTheWriterEqualsSingleRuns) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("qv-writer-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::string lines;
    for (int i = 1; i <= 150; ++i) lines += "ROW" + std::to_string(i * 37) + "\n";
    std::istringstream in(lines);
    std::ostringstream out, err;
    const int status = run({"barcode1d", "-t", "CODE128", "--batch", "-", "-j", "2", "-o",
                            (dir / "b-%d.png").string()},
                           in, out, err, false);
    ASSERT_EQ(status, 0) << err.str();
    for (const int i : {1, 64, 65, 150}) {
        const auto single = dir / ("s-" + std::to_string(i) + ".png");
        std::ostringstream o, e;
        ASSERT_EQ(run({"barcode1d", "-t", "CODE128", "-d", "ROW" + std::to_string(i * 37), "-o",
                       single.string()},
                      o, e),
                  0)
            << e.str();
        EXPECT_EQ(bytesOf(dir / ("b-" + std::to_string(i) + ".png")), bytesOf(single)) << i;
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace qv::cli
