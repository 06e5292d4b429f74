#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "datamatrix/placement.h"
#include "datamatrix/symbol_size.h"
#include "quorvantix/datamatrix.h"
#include "quorvantix/raster.h"
#include "quorvantix/recording.h"
#include "read_symbol.h"

namespace qv {
namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

std::vector<std::uint32_t> paintPixels(TDatamatrix& dm) {
    Bitmap b(200, 200);
    dm.paintBarcode(b.canvas());
    return {b.pixels().begin(), b.pixels().end()};
}

bool hasNote(const TDatamatrix& dm, Note::Severity severity, std::string_view part) {
    return std::any_of(dm.notes().begin(), dm.notes().end(), [&](const Note& n) {
        return n.severity == severity && n.text.find(part) != std::string::npos;
    });
}

TEST(DatamatrixControl, DefaultSymbol) {
    TDatamatrix dm;
    paintPixels(dm);
    EXPECT_EQ(dm.CalculatedFormat, TFormat::C26X26);
    EXPECT_EQ(dm.CurrentX, 134);
    EXPECT_EQ(dm.CurrentY, 134);
    EXPECT_FALSE(dm.rebuild);
    EXPECT_TRUE(dm.notes().empty());
}

// Frames of one data region each: dark left column and bottom row, alternating top row (dark
// first) and right column (light first).
void expectFrames(const TDatamatrix& dm, std::int32_t across, std::int32_t down) {
    const std::int32_t w = dm.symbolColumns() / across, h = dm.symbolRows() / down;
    for (std::int32_t fy = 0; fy < down; ++fy)
        for (std::int32_t fx = 0; fx < across; ++fx) {
            const std::int32_t x0 = fx * w, y0 = fy * h;
            for (std::int32_t i = 0; i < w; ++i) {
                EXPECT_TRUE(dm.module(x0 + i, y0 + h - 1)) << x0 + i;
                EXPECT_EQ(dm.module(x0 + i, y0), i % 2 == 0) << x0 + i;
            }
            for (std::int32_t i = 0; i < h; ++i) {
                EXPECT_TRUE(dm.module(x0, y0 + i)) << y0 + i;
                EXPECT_EQ(dm.module(x0 + w - 1, y0 + i), i % 2 == 1) << y0 + i;
            }
        }
}

TEST(DatamatrixControl, FinderPatterns) {
    struct Case {
        std::string code;
        TFormat preferred;
        std::int32_t rows, columns, across, down;
    };
    const Case cases[] = {
        {"123456", TFormat::AUTO, 10, 10, 1, 1},       {"123456", TFormat::C32X32, 32, 32, 2, 2},
        {"123456", TFormat::C8X32, 8, 32, 2, 1},       {"123456", TFormat::C64X64, 64, 64, 4, 4},
        {"123456", TFormat::C120X120, 120, 120, 6, 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.preferred));
        TDatamatrix dm;
        dm.Code = c.code;
        dm.PreferredFormat = c.preferred;
        dm.buildSymbol();
        ASSERT_EQ(dm.symbolRows(), c.rows);
        ASSERT_EQ(dm.symbolColumns(), c.columns);
        expectFrames(dm, c.across, c.down);
    }
    // 32 x 32: row 15 closes the upper frames, row 16 opens the lower ones.
    TDatamatrix dm;
    dm.Code = "123456";
    dm.PreferredFormat = TFormat::C32X32;
    dm.buildSymbol();
    for (std::int32_t x = 0; x < 32; ++x) {
        EXPECT_TRUE(dm.module(x, 15));
        EXPECT_EQ(dm.module(x, 16), x % 2 == 0);
    }
}

TEST(DatamatrixControl, FixedCorner) {
    struct Case {
        std::int32_t n;
        bool fixedCorner;
    };
    for (const auto& c : {Case{8, false}, Case{10, true}, Case{14, true}, Case{12, false}}) {
        SCOPED_TRACE(c.n);
        const auto m = datamatrix::placeCodewords(c.n, c.n);
        auto cell = [&](std::int32_t r, std::int32_t col) {
            return m[static_cast<std::size_t>(r * c.n + col)];
        };
        if (c.fixedCorner) {
            EXPECT_EQ(cell(c.n - 1, c.n - 1), 1);
            EXPECT_EQ(cell(c.n - 2, c.n - 2), 1);
            EXPECT_EQ(cell(c.n - 1, c.n - 2), 0);
            EXPECT_EQ(cell(c.n - 2, c.n - 1), 0);
        } else {
            EXPECT_TRUE(std::all_of(m.begin(), m.end(), [](std::int32_t v) { return v >= 10; }));
        }
        // Every codeword gets each of its eight bits exactly once.
        const std::int32_t codewords = c.n * c.n / 8;
        std::vector<std::int32_t> seen(static_cast<std::size_t>(codewords * 10 + 10), 0);
        for (const std::int32_t v : m)
            if (v >= 10) ++seen[static_cast<std::size_t>(v)];
        for (std::int32_t k = 1; k <= codewords; ++k)
            for (std::int32_t b = 1; b <= 8; ++b)
                EXPECT_EQ(seen[static_cast<std::size_t>(k * 10 + b)], 1);
    }
}

TEST(DatamatrixControl, ModulesFollowTheMappingMatrixInEverySize) {
    // The modules take their bits where the mapping matrix says, past the region frames. One
    // vector serves every size, largest first, so a stale module of a bigger symbol would show;
    // then every size again, smallest first and each twice, as the placement of the last size
    // is kept for the next symbol.
    std::vector<std::size_t> order;
    for (std::size_t f = datamatrix::kSizes.size() - 1; f >= 1; --f) order.push_back(f);
    for (std::size_t f = 1; f < datamatrix::kSizes.size(); ++f) order.insert(order.end(), {f, f});
    std::mt19937 rng(7);
    std::vector<std::uint8_t> modules;
    for (const std::size_t f : order) {
        const auto& s = datamatrix::kSizes[f];
        SCOPED_TRACE(std::to_string(s.rows) + " x " + std::to_string(s.columns));
        std::vector<std::int32_t> stream(
            static_cast<std::size_t>(s.capacity + s.checkPerBlock * s.blocks));
        for (auto& v : stream) v = static_cast<std::int32_t>(rng() % 256);
        datamatrix::buildModules(s, stream, modules);
        ASSERT_EQ(modules.size(), static_cast<std::size_t>(s.rows * s.columns));

        const auto mapping = datamatrix::placeCodewords(s.mappingRows, s.mappingColumns);
        for (std::int32_t i = 0; i < s.mappingRows; ++i) {
            for (std::int32_t j = 0; j < s.mappingColumns; ++j) {
                const std::int32_t v = mapping[static_cast<std::size_t>(i * s.mappingColumns + j)];
                const bool dark =
                    v >= 10
                        ? ((stream[static_cast<std::size_t>(v / 10 - 1)] >> (8 - v % 10)) & 1) != 0
                        : v == 1;
                const std::int32_t row = i + 1 + 2 * (i / s.regionRows);
                const std::int32_t col = j + 1 + 2 * (j / s.regionColumns);
                ASSERT_EQ(modules[static_cast<std::size_t>(row * s.columns + col)], dark ? 1 : 0)
                    << i << ", " << j;
            }
        }
        // The bottom row is all finder, the top row alternates.
        for (std::int32_t x = 0; x < s.columns; ++x) {
            ASSERT_EQ(modules[static_cast<std::size_t>((s.rows - 1) * s.columns + x)], 1);
            ASSERT_EQ(modules[static_cast<std::size_t>(x)], x % (s.regionColumns + 2) % 2 == 0);
        }
    }
}

TEST(DatamatrixControl, DrawsSquaresOverlappingByOnePixel) {
    TDatamatrix dm;
    dm.Code = "123456";
    dm.PixelsDot = 1;
    dm.Margin = 5;
    Bitmap b(40, 40);
    dm.paintBarcode(b.canvas());
    for (std::int32_t row = 0; row < 10; ++row)
        for (std::int32_t col = 0; col < 10; ++col)
            EXPECT_EQ(b.pixel(5 + col, 5 + row), dm.module(col, row) ? 0u : 0xFFFFFFu);
    EXPECT_EQ(dm.CurrentX, 15);

    RecordingCanvas rec(Rect{0, 0, 200, 200});
    dm.PixelsDot = 4;
    dm.Margin = 30;
    dm.paintBarcode(rec);
    ASSERT_EQ(rec.calls.size(), 1u + 100u);
    EXPECT_EQ(rec.calls[0].points, (std::vector<Point>{{0, 0}, {200, 0}, {200, 200}, {0, 200}}));
    EXPECT_EQ(rec.calls[0].brush.color, 0xFFFFFFu);
    const DrawCall& last = rec.calls.back();
    EXPECT_EQ(last.points, (std::vector<Point>{{66, 66}, {70, 66}, {70, 70}, {66, 70}}));
    EXPECT_EQ(last.pen.color, 0u);  // the bottom-right module is dark
    EXPECT_EQ(last.brush.color, 0u);
}

TEST(DatamatrixControl, RebuildsOnlyWhenAsked) {
    TDatamatrix dm;
    const auto first = paintPixels(dm);
    dm.Code = "something else";
    EXPECT_EQ(paintPixels(dm), first);
    EXPECT_EQ(dm.CalculatedFormat, TFormat::C26X26);
    dm.rebuild = true;
    EXPECT_NE(paintPixels(dm), first);
    EXPECT_EQ(dm.CalculatedFormat, TFormat::C18X18);
}

TEST(DatamatrixControl, FailedBuildKeepsPreviousSymbol) {
    struct Case {
        std::string code;
        bool tilde;
        std::string note;
    };
    const Case cases[] = {
        {std::string(1600, 'A'), false, "needs 1600 codewords; 1558 is the most"},
        {std::string(4000, '7'), false, "needs 2000 codewords"},
        {std::string(5001, 'A'), false, "more than 5000"},
        {std::string(20000, 'A'), true, "more than 5000"},
        {"", false, "no data"},
        {"~", true, "no data"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.note);
        TDatamatrix dm;
        const auto first = paintPixels(dm);
        dm.Code = c.code;
        dm.ProcessTilde = c.tilde;
        dm.rebuild = true;
        EXPECT_EQ(paintPixels(dm), first);
        EXPECT_EQ(dm.CalculatedFormat, TFormat::C26X26);
        EXPECT_TRUE(hasNote(dm, Note::Severity::Error, c.note));
        EXPECT_TRUE(hasNote(dm, Note::Severity::Error, "previous symbol stays"));

        // Before any symbol, only the background is drawn.
        TDatamatrix fresh;
        fresh.Code = c.code;
        fresh.ProcessTilde = c.tilde;
        RecordingCanvas rec;
        fresh.paintBarcode(rec);
        EXPECT_EQ(rec.calls.size(), 1u);
        EXPECT_EQ(fresh.CurrentX, 30);
        EXPECT_EQ(fresh.CalculatedFormat, TFormat::AUTO);
    }
}

TEST(DatamatrixControl, NotesForWhatIsAdjusted) {
    struct Case {
        std::string code;
        bool tilde;
        std::int32_t preferred, encoding;
        std::string note;
    };
    const Case cases[] = {
        {"abc~", true, 0, 0, "\"~\""},
        {"ABCDEFGHIJ", false, 1, 0, "10 x 10 does not hold the data; 16 x 16 is used"},
        {"ABCDEFGHIJ", false, 99, 0, "PreferredFormat 99 is no size; 16 x 16 is used"},
        {"ABCDEFGHIJ", false, 0, -3, "Encoding -3"},
        {"ABCDEFGHIJ", false, 0, 6, "E_ASCII is used"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.note);
        TDatamatrix dm;
        dm.Code = c.code;
        dm.ProcessTilde = c.tilde;
        dm.PreferredFormat = static_cast<TFormat>(c.preferred);
        dm.Encoding = static_cast<TEncoding>(c.encoding);
        auto b = test::renderSymbol(dm);
        EXPECT_TRUE(hasNote(dm, Note::Severity::Warning, c.note));
        // Notes describe the symbol, so a later paint repeats them.
        dm.paintBarcode(b->canvas());
        EXPECT_TRUE(hasNote(dm, Note::Severity::Warning, c.note));
        const auto r = test::readSymbol(*b);
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(r.bytes, c.tilde ? "abc" : c.code);
    }
}

TEST(DatamatrixControl, HostileGeometryStaysBounded) {
    const std::int32_t values[] = {kMin, kMin / 2, -100000, -4,       -1,  0,
                                   1,    3,        100000,  kMax / 2, kMax};
    for (const std::int32_t dot : values) {
        for (const std::int32_t margin : values) {
            SCOPED_TRACE(std::to_string(dot) + " / " + std::to_string(margin));
            TDatamatrix dm;
            dm.PixelsDot = dot;
            dm.Margin = margin;
            RecordingCanvas rec(Rect{0, 0, 120, 90});
            dm.paintBarcode(rec);
            ASSERT_LE(rec.calls.size(), 1u + 26u * 26u);
            for (std::size_t i = 1; i < rec.calls.size(); ++i)
                for (const Point& p : rec.calls[i].points) {
                    ASSERT_GE(p.x, -1);
                    ASSERT_LE(p.x, 120);
                    ASSERT_GE(p.y, -1);
                    ASSERT_LE(p.y, 90);
                }
            const std::int64_t edge = std::int64_t{margin} + 26 * std::int64_t{dot};
            EXPECT_EQ(dm.CurrentX, std::clamp<std::int64_t>(edge, kMin, kMax));
            Bitmap b(50, 50);
            dm.paintBarcode(b.canvas());
        }
    }
}

TEST(DatamatrixControl, AnyDataAndEnumerationIsDefined) {
    std::uint32_t seed = 99;
    auto next = [&] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    const std::string tildeHeavy = "~~1~2~3~5~6~7~d~A~@~Z~0";
    const std::int32_t enums[] = {kMin, -1, 0, 1, 2, 3, 4, 5, 6, 24, 25, 30, 31, kMax};
    for (int i = 0; i < 400; ++i) {
        std::string data;
        const std::size_t length = next() % 90;
        for (std::size_t k = 0; k < length; ++k)
            data += (next() % 3 == 0) ? tildeHeavy[next() % tildeHeavy.size()]
                                      : static_cast<char>(next() & 0xFF);
        TDatamatrix dm;
        dm.Code = data;
        dm.ProcessTilde = next() % 2 == 0;
        dm.Encoding = static_cast<TEncoding>(enums[next() % std::size(enums)]);
        dm.PreferredFormat = static_cast<TFormat>(enums[next() % std::size(enums)]);
        Bitmap b(64, 64);
        dm.paintBarcode(b.canvas());
        EXPECT_EQ(dm.symbolRows() > 0, dm.CalculatedFormat != TFormat::AUTO);
    }
}

TEST(DatamatrixControl, PropertyTable) {
    const char* expected[] = {
        "Code",   "ProcessTilde", "Encoding",  "PreferredFormat", "CalculatedFormat", "PixelsDot",
        "Margin", "BarColor",     "BackColor", "rebuild",         "CurrentX",         "CurrentY"};
    TDatamatrix dm;
    const auto table = dm.properties();
    ASSERT_EQ(table.size(), std::size(expected));
    for (std::size_t i = 0; i < table.size(); ++i) {
        const auto& p = table[i];
        SCOPED_TRACE(std::string(p.name));
        EXPECT_EQ(p.name, expected[i]);
        EXPECT_EQ(formatProperty(p, p.get(dm)), p.defaultText);
        const bool readOnly = p.access == PropertyAccess::ReadOnly;
        EXPECT_EQ(readOnly, p.set == nullptr);
        EXPECT_EQ(readOnly, p.name == "CalculatedFormat" || p.name.starts_with("Current"));
        EXPECT_EQ(!p.storedDefault, readOnly || p.name == "Code" || p.name == "rebuild");
    }
    // The declared stored default of PixelsDot differs from its value at creation.
    EXPECT_EQ(findProperty(table, "PixelsDot")->storedDefault, "2");
    EXPECT_EQ(findProperty(table, "Margin")->storedDefault, "30");
    EXPECT_EQ(findProperty(table, "PreferredFormat")->storedDefault, "AUTO");

    struct Write {
        const char* name;
        const char* text;
    };
    for (const auto& w :
         {Write{"Code", "~1x"}, Write{"ProcessTilde", "true"}, Write{"Encoding", "E_BASE256"},
          Write{"PreferredFormat", "C16X48"}, Write{"PixelsDot", "-7"}, Write{"Margin", "0"},
          Write{"BarColor", "#123456"}, Write{"BackColor", "#FEDCBA"}, Write{"rebuild", "false"},
          Write{"Encoding", "77"}}) {
        const PropertyInfo* p = findProperty(table, w.name);
        ASSERT_NE(p, nullptr);
        const auto value = parseProperty(*p, w.text);
        ASSERT_TRUE(value);
        p->set(dm, *value);
        EXPECT_EQ(formatProperty(*p, p->get(dm)), w.text);
    }
    EXPECT_EQ(dm.PreferredFormat, TFormat::C16X48);
    EXPECT_EQ(static_cast<std::int32_t>(dm.Encoding), 77);
    EXPECT_EQ(dm.BarColor, 0x563412u);
}

}  // namespace
}  // namespace qv
