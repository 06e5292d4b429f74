// The ten encoders take any data and any property value a host can write: a defined symbol, no
// crash, no unbounded work.
#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>
#include <vector>

#include "barcode1d/more_encoders.h"
#include "recording_sink.h"

namespace qv::barcode1d {
namespace {

struct Named {
    const char* name;
    Encoder encoder;
};

const std::vector<Named>& encoders() {
    static const std::vector<Named> list = {{"Code128", encodeCode128},
                                            {"EAN128", encodeEAN128},
                                            {"Interleaved25", encodeInterleaved25},
                                            {"Industrial25", encodeIndustrial25},
                                            {"Matrix25", encodeMatrix25},
                                            {"Code11", encodeCode11},
                                            {"Codabar", encodeCodabar},
                                            {"MSI", encodeMSI},
                                            {"Postnet", encodePostnet}};
    return list;
}

std::string randomBytes(std::size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::string s(n, '\0');
    for (char& c : s) c = static_cast<char>(rng() & 0xff);
    return s;
}

// Linear in the data length, also where EAN-128 changes sets at every character.
TEST(MoreEncodersHostile, AnyDataGivesBoundedOutputAndShortNotes) {
    std::string mix;
    while (mix.size() < 100'000) mix += "a\0011234`\3125";  // a, code 1, 1234, `, FNC1, 5
    const std::vector<std::string> data = {"",
                                           std::string(1, '\0'),
                                           randomBytes(300, 1),
                                           randomBytes(100'000, 2),
                                           std::string(100'000, '7'),
                                           std::string(100'000, 'A'),
                                           mix};
    for (const Named& e : encoders()) {
        for (const std::string& d : data) {
            test::Harness h;
            h.props.Code = d;
            h.run(e.encoder);
            // At most a dozen elements per data character plus start, checks and stop.
            EXPECT_LE(h.sink.elements.size() + h.sink.rectangles.size(), 12 * d.size() + 64)
                << e.name;
            EXPECT_LE(h.notes.size(), 3u) << e.name;
            for (const Note& n : h.notes) EXPECT_LT(n.text.size(), 400u) << e.name;
        }
    }
}

TEST(MoreEncodersHostile, AnyPropertyValues) {
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    const std::vector<std::string> texts = {
        "", "A", "AB", "\xff", std::string("B\0", 2), std::string(10'000, 'C')};
    for (const Named& e : encoders()) {
        for (const std::string& t : texts) {
            for (const std::int32_t v : {kMin, -1, 0, kMax}) {
                test::Harness h;
                h.props.Code = "12ab{3";
                h.props.Code128Set = t;
                h.props.CODABARStartChar = t;
                h.props.CODABARStopChar = t;
                h.props.X = v;
                h.props.N = v;
                h.props.TopMargin = v;
                h.props.extraHeight = v;
                h.props.postnetHeightTallBar = v;
                h.props.postnetHeightShortBar = kMin;
                h.run(e.encoder);
                EXPECT_FALSE(h.sink.elements.empty() && h.sink.rectangles.empty() &&
                             h.notes.empty())
                    << e.name << " " << t.size() << " " << v;
            }
        }
    }
}

}  // namespace
}  // namespace qv::barcode1d
