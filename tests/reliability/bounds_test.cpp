// Drawing work is bounded by the data, never by property values: sizes, margins and offsets of
// any magnitude paint a small surface with a bounded number of drawing calls.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "controls.h"
#include "quorvantix/raster.h"

namespace qv::test {
namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Far above what the default data draws (hundreds of calls), far below any per-pixel loop.
constexpr std::int64_t kMaxCalls = 20000;

std::vector<PropertyValue> hostileValues(PropType type) {
    switch (type) {
        case PropType::Integer:
        case PropType::Enum:
            return {std::int32_t{1 << 30}, std::int32_t{-(1 << 30)}, kMax, kMin, kMax - 1};
        case PropType::Short:
            return {std::int32_t{32767}, std::int32_t{-32768}};
        case PropType::Double:
            return {std::numeric_limits<double>::quiet_NaN(), kInf, -kInf, 1e308, -1e308, 4e-324};
        case PropType::Font:
            return {std::optional<Font>{Font{"DejaVu Sans", kMax}},
                    std::optional<Font>{Font{"DejaVu Sans", kMin}},
                    std::optional<Font>{Font{"", 1 << 30}}};
        default:
            return {};
    }
}

// Every numeric and font property of every control, one hostile value at a time.
TEST(HostileValues, DrawingCallsStayBounded) {
    for (const auto& kind : allControls()) {
        const auto probe = kind.create();
        for (const PropertyInfo& info : probe->properties()) {
            if (info.access != PropertyAccess::ReadWrite || info.set == nullptr) continue;
            for (const PropertyValue& value : hostileValues(info.type)) {
                SCOPED_TRACE(std::string(kind.name) + "." + std::string(info.name) + " = " +
                             formatProperty(info, value));
                auto control = kind.create();
                info.set(*control, value);
                CountingCanvas counting({0, 0, 64, 64});
                control->paintBarcode(counting);
                EXPECT_LE(counting.calls, kMaxCalls);
                // The raster path too, fonts included: it must finish and stay in its surface.
                Bitmap bitmap(64, 64);
                control->paintBarcode(bitmap.canvas());
                EXPECT_EQ(bitmap.pixels().size(), 64u * 64u);
            }
        }
    }
}

// A symbol pushed wholly off the surface leaves only the background.
TEST(HostileValues, SymbolOffTheSurfaceLeavesTheBackground) {
    struct Case {
        std::string_view control;
        std::string_view property;
        std::int32_t value;
    };
    const Case cases[] = {
        {"Barcode1D", "LeftMargin", kMax}, {"Barcode1D", "TopMargin", kMax},
        {"Barcode1D", "LeftMargin", kMin}, {"Datamatrix", "Margin", kMax},
        {"PDF417", "LeftMargin", kMax},    {"PDF417", "TopMargin", kMax},
        {"PDF417", "LeftMargin", kMin},    {"Maxicode", "LeftMargin", kMax},
        {"Maxicode", "offsetY", kMax},     {"Maxicode", "LeftMargin", kMin},
        {"Datamatrix", "Margin", 1 << 30}, {"Barcode1D", "TopMargin", kMin},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.control) + "." + std::string(c.property) + " = " +
                     std::to_string(c.value));
        auto control = controlNamed(c.control).create();
        setProperty(*control, c.property, c.value);
        setProperty(*control, "BackColor", std::int32_t{0x123456});
        Bitmap bitmap(48, 48);
        bitmap.canvas().pen.color = 0x123456;  // no outline around the background fill
        control->paintBarcode(bitmap.canvas());
        for (const std::uint32_t p : bitmap.pixels()) ASSERT_EQ(p, 0x123456u);
    }
}

// Module sizes of 2^30 pixels: the first module covers the rest of the surface, nothing more.
TEST(HostileValues, HugeModulesCoverTheSurfaceFromTheirCorner) {
    struct Case {
        std::string_view control;
        std::string_view property;
        std::int32_t x, y;  // where the first dark module starts
    };
    const Case cases[] = {
        {"Barcode1D", "X", 20, 20},
        {"Datamatrix", "PixelsDot", 30, 30},
        {"PDF417", "BarWidthPixels", 10, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.control) + "." + std::string(c.property));
        auto control = controlNamed(c.control).create();
        setProperty(*control, c.property, std::int32_t{1 << 30});
        Bitmap bitmap(64, 64);
        control->paintBarcode(bitmap.canvas());
        EXPECT_EQ(bitmap.pixel(c.x - 1, c.y + 1), 0xFFFFFFu);
        EXPECT_EQ(bitmap.pixel(c.x + 1, c.y - 1), 0xFFFFFFu);
        EXPECT_EQ(bitmap.pixel(c.x + 1, c.y + 1), 0u);
        EXPECT_EQ(bitmap.pixel(63, c.y + 1), 0u);
    }
}

// The window path refuses sizes it cannot allocate, with a note, and draws nothing.
TEST(ControlSize, PastTheLimitIsRefusedWithANote) {
    const std::pair<std::int32_t, std::int32_t> sizes[] = {
        {kMax, kMax}, {kMax, 1 << 16}, {1 << 16, 1 << 16}, {1 << 15, (1 << 13) + 1}};
    for (const auto& kind : allControls()) {
        for (const auto& [w, h] : sizes) {
            SCOPED_TRACE(std::string(kind.name) + " " + std::to_string(w) + " x " +
                         std::to_string(h));
            auto control = kind.create();
            control->Width = w;
            control->Height = h;
            CountingCanvas window({0, 0, 64, 64});
            control->paint(window);
            EXPECT_EQ(window.calls, 0);
            ASSERT_FALSE(control->notes().empty());
            EXPECT_EQ(control->notes().back().severity, Note::Severity::Error);
            EXPECT_NE(control->notes().back().text.find("too large"), std::string::npos);
        }
    }
}

// Megabytes of data paint in linear time (the linear control draws every character, so it gets
// a quarter of one, to stay quick under the sanitizers): what falls outside the surface is not
// drawn, so the drawing calls stay bounded by the surface; the two-dimensional symbols note what
// they left out.
TEST(HugeData, MegabytesPaintWithBoundedDrawing) {
    constexpr std::size_t kMiB = 1 << 20;
    struct Case {
        std::string_view control;
        std::string_view setting;  // an integer property chosen with the data
        std::int32_t value;
        char fill;
        std::size_t bytes;
        bool leftOut;  // whether the symbol cannot hold it all
    };
    const Case cases[] = {
        {"Barcode1D", "barType", 13, 'A', kMiB / 4, false},  // Code 128
        {"Barcode1D", "barType", 0, '7', kMiB / 4, false},   // Code 39
        {"Barcode1D", "barType", 2, '5', kMiB / 4, false},   // Interleaved 2 of 5
        {"Datamatrix", "Encoding", 5, 'a', 4 * kMiB, true},
        {"PDF417", "PDFMode", 2, '9', kMiB / 2, true},
        {"PDF417", "PDFMode", 0, 'x', 4 * kMiB, true},
        {"Maxicode", "mode", 4, 'Q', 4 * kMiB, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.control) + " " + std::string(c.setting) + "=" +
                     std::to_string(c.value));
        const ControlKind& kind = controlNamed(c.control);
        auto control = kind.create();
        setProperty(*control, c.setting, c.value);
        setProperty(*control, kind.dataProperty, std::string(c.bytes, c.fill));
        CountingCanvas counting({0, 0, 200, 200});
        control->paintBarcode(counting);
        EXPECT_LE(counting.calls, kMaxCalls);
        const bool noted = std::ranges::any_of(control->notes(), [](const Note& n) {
            return n.text.find("5000") != std::string::npos ||
                   n.text.find("not pos") != std::string::npos ||
                   n.text.find("cut") != std::string::npos;
        });
        EXPECT_EQ(noted, c.leftOut);
    }
}

}  // namespace
}  // namespace qv::test
