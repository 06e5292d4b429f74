// Any value a host can write gives a defined paint: no crash, no overflow, no endless drawing.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "quorvantix/barcode1d.h"
#include "quorvantix/raster.h"

namespace qv {
namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::string allBytes() {
    std::string s;
    for (int c = 0; c < 256; ++c) s += static_cast<char>(c);
    return s;
}

struct Mutation {
    const char* name;
    std::function<void(TBarcode1D&)> apply;
};

std::vector<Mutation> mutations() {
    std::vector<Mutation> out;
    auto ints = [&](const char* name, std::int32_t Barcode1DProperties::*member) {
        for (const std::int32_t v : {kMin, -1000, -1, 0, 1 << 20, kMax})
            out.push_back({name, [=](TBarcode1D& c) { c.*member = v; }});
    };
    ints("X", &Barcode1DProperties::X);
    ints("N", &Barcode1DProperties::N);
    ints("I", &Barcode1DProperties::I);
    ints("TopMargin", &Barcode1DProperties::TopMargin);
    ints("LeftMargin", &Barcode1DProperties::LeftMargin);
    ints("BarHeightPixels", &Barcode1DProperties::BarHeightPixels);
    ints("extraHeight", &Barcode1DProperties::extraHeight);
    ints("supSeparation", &Barcode1DProperties::supSeparation);
    ints("postnetHeightTallBar", &Barcode1DProperties::postnetHeightTallBar);
    ints("postnetHeightShortBar", &Barcode1DProperties::postnetHeightShortBar);
    for (const double v : {kNaN, kInf, -kInf, 1e300, -1e300}) {
        out.push_back({"H", [=](TBarcode1D& c) { c.H = v; }});
        out.push_back({"supHeight", [=](TBarcode1D& c) {
                           c.supHeight = v;
                           c.BarHeightPixels = 40;
                       }});
    }
    out.push_back({"X and N huge", [](TBarcode1D& c) { c.X = c.N = c.I = kMax; }});
    out.push_back({"X and N lowest", [](TBarcode1D& c) { c.X = c.N = c.I = kMin; }});
    out.push_back({"Code all bytes", [](TBarcode1D& c) { c.Code = allBytes(); }});
    out.push_back({"Code all bytes, tildes", [](TBarcode1D& c) {
                       c.Code = allBytes();
                       c.Code.insert(0, 1, '~');
                       c.Code.append("~~~9999~");
                       c.ProcessTilde = true;
                   }});
    out.push_back({"Code empty", [](TBarcode1D& c) { c.Code.clear(); }});
    out.push_back({"Code long", [](TBarcode1D& c) { c.Code = std::string(5000, '7'); }});
    out.push_back({"supplement bytes", [](TBarcode1D& c) {
                       c.supplement = std::string("\xff\x80", 2);
                       c.UPCEANSupplement2 = true;
                   }});
    out.push_back({"supplement 5 bytes", [](TBarcode1D& c) {
                       c.supplement = std::string("-\0+~\xff", 5);
                       c.UPCEANSupplement5 = true;
                       c.supSeparation = kMin;
                   }});
    for (const std::int32_t h : {0, kMin, -1, kMax})
        out.push_back({"Font height", [=](TBarcode1D& c) { c.Font->height = h; }});
    out.push_back({"strings", [](TBarcode1D& c) {
                       c.UPCESytem = std::string(1, '\0');
                       c.Code128Set.assign(1, '\xff');
                       c.CODABARStartChar.clear();
                       c.CODABARStopChar = std::string(300, 'Z');
                   }});
    return out;
}

TEST(Barcode1DHostileInput, EveryPropertyAndSymbology) {
    const auto cases = mutations();
    for (int type = 0; type < 17; ++type) {
        for (const auto& m : cases) {
            SCOPED_TRACE(std::string(m.name) + " on barType " + std::to_string(type));
            TBarcode1D c;
            c.barType = static_cast<TSymbology>(type);
            c.UPCEANSupplement5 = true;
            m.apply(c);
            const std::string code = c.Code;
            Bitmap bmp(160, 90);
            c.paintBarcode(bmp.canvas());
            EXPECT_EQ(c.Code, code);
            // The same properties paint the same pixels again.
            Bitmap again(160, 90);
            c.paintBarcode(again.canvas());
            EXPECT_TRUE(
                std::equal(bmp.pixels().begin(), bmp.pixels().end(), again.pixels().begin()));
        }
    }
}

TEST(Barcode1DHostileInput, BarTypesOutsideTheEnumeration) {
    for (int type = 17; type < 256; ++type) {
        TBarcode1D c;
        c.barType = static_cast<TSymbology>(type);
        Bitmap bmp(100, 100);
        c.paintBarcode(bmp.canvas());
        EXPECT_EQ(c.codeText, c.Code);
        EXPECT_EQ(c.L, 0);
    }
}

}  // namespace
}  // namespace qv
