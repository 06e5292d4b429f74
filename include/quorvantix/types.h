// Plain values shared by the controls, their property tables and every canvas.
#pragma once

#include <cstdint>
#include <string>

namespace qv {

// 0x00BBGGRR, as the classic Windows colour value.
using TColor = std::uint32_t;

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Right and bottom are exclusive as edges.
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// A positive height is the cell height in pixels, a negative one the character height.
struct Font {
    std::string name = "MS Sans Serif";
    std::int32_t height = 10;
    TColor color = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    friend bool operator==(const Font&, const Font&) = default;
};

}  // namespace qv
