// Rows are assembled from run widths worked out at compile time; they must be the runs of the
// codeword patterns themselves, for every codeword of every cluster.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pdf417/codeword_patterns.h"
#include "pdf417/patterns.h"

namespace qv::pdf417 {
namespace {

TEST(RowRuns, EveryCodewordOfEveryClusterAsItsPattern) {
    // 90 rows of 30 columns: two symbols put every codeword in every cluster.
    constexpr std::int32_t kRows = 90, kColumns = 30;
    for (const std::int32_t first : {0, 900}) {
        std::vector<std::int32_t> codewords(kRows * kColumns);
        for (std::int32_t r = 0; r < kRows; ++r)
            for (std::int32_t c = 0; c < kColumns; ++c)
                codewords[static_cast<std::size_t>(r * kColumns + c)] =
                    (first + r / 3 * kColumns + c) % 929;
        for (const bool truncated : {false, true}) {
            const auto rows = symbolRows(codewords, kRows, kColumns, 2, truncated);
            ASSERT_EQ(rows.size(), static_cast<std::size_t>(kRows));
            for (std::int32_t r = 0; r < kRows; ++r) {
                const auto& cluster = kCodewordPatterns[static_cast<std::size_t>(r % 3)];
                const auto runs = [&](std::int32_t cw) {
                    return patternToRuns(cluster[static_cast<std::size_t>(cw)]);
                };
                const RowIndicators ind = rowIndicators(r, kRows, kColumns, 2);
                std::string expected = patternToRuns(kStartPattern) + runs(ind.left);
                for (std::int32_t c = 0; c < kColumns; ++c)
                    expected += runs(codewords[static_cast<std::size_t>(r * kColumns + c)]);
                expected +=
                    truncated ? std::string("1") : runs(ind.right) + std::string(kStopWidths);
                ASSERT_EQ(rows[static_cast<std::size_t>(r)], expected) << "row " << r;
            }
        }
    }
}

}  // namespace
}  // namespace qv::pdf417
