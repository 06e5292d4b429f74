#include <algorithm>

#include "page/page_canvas.h"

namespace qv {

std::vector<ColourRect> coveringRectangles(const Bitmap& bitmap, TColor skip) {
    const auto px = bitmap.pixels();
    const std::int32_t w = bitmap.width();
    const std::int32_t h = bitmap.height();
    std::vector<ColourRect> done;
    // Rectangles still growing downwards, left to right; their bottom is the current row.
    std::vector<ColourRect> open;
    std::vector<ColourRect> next;
    for (std::int32_t y = 0; y <= h; ++y) {
        next.clear();
        std::size_t k = 0;
        auto closeBefore = [&](std::int32_t x) {
            for (; k < open.size() && open[k].left < x; ++k) {
                open[k].bottom = y;
                done.push_back(open[k]);
            }
        };
        const std::uint32_t* row = y < h ? px.data() + static_cast<std::size_t>(y) * w : nullptr;
        for (std::int32_t x = 0; row && x < w;) {
            const TColor c = row[x];
            std::int32_t end = x + 1;
            while (end < w && row[end] == c) ++end;
            if (c != skip) {
                closeBefore(x);
                if (k < open.size() && open[k].left == x && open[k].right == end &&
                    open[k].colour == c) {
                    next.push_back(open[k++]);
                } else {
                    next.push_back({x, y, end, y + 1, c});
                }
            }
            x = end;
        }
        closeBefore(w + 1);
        open.swap(next);
    }
    std::stable_sort(done.begin(), done.end(),
                     [](const ColourRect& a, const ColourRect& b) { return a.colour < b.colour; });
    return done;
}

}  // namespace qv
