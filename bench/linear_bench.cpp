// EAN-13 with its digits, Code 128 and Code 39 without text, two pixels per module. The images
// are as large as zint's: no quiet zones, bars 100 pixels high, room for the leading EAN digit.
#include <benchmark/benchmark.h>
#include <zint.h>

#include <array>
#include <memory>

#include "barcode1d/encoder_table.h"
#include "bench_common.h"
#include "quorvantix/barcode1d.h"
#include "quorvantix/raster.h"

namespace qvbench {
namespace {

// Encoding without a canvas: the elements' widths, as the drawing would lay them out.
class RunSink final : public qv::barcode1d::PatternSink {
  public:
    explicit RunSink(const qv::Barcode1DProperties& props) {
        // Width of each width letter; the other letters skip their element.
        set('n', props.X);
        set('w', std::int64_t{props.X} * props.N);
        for (char c = '1'; c <= '4'; ++c) set(c, std::int64_t{props.X} * (c - '0'));
        runs_.reserve(1024);
    }
    void drawPatternAt(std::string_view colours, std::string_view widths, std::int32_t) override {
        if (colours.size() != widths.size()) return;
        for (const char w : widths) {
            const auto letter = static_cast<unsigned char>(w);
            if (!known_[letter]) continue;
            const std::int64_t width = widthOf_[letter];
            runs_.push_back(width);
            x_ += width;
        }
    }
    void drawGuardPattern(std::string_view colours, std::string_view widths,
                          std::int32_t topOffset) override {
        drawPatternAt(colours, widths, topOffset);
    }
    std::int64_t x() const override { return x_; }
    void setX(std::int64_t x) override { x_ = x; }
    void fillRectangle(std::int64_t, std::int64_t, std::int64_t w, std::int64_t) override {
        runs_.push_back(w);
    }
    std::size_t size() const { return runs_.size(); }
    void reset() {
        runs_.clear();
        x_ = 0;
    }

  private:
    void set(char letter, std::int64_t width) {
        known_[static_cast<unsigned char>(letter)] = true;
        widthOf_[static_cast<unsigned char>(letter)] = width;
    }

    std::array<bool, 256> known_{};
    std::array<std::int64_t, 256> widthOf_{};
    std::vector<std::int64_t> runs_;
    std::int64_t x_ = 0;
};

struct Linear {
    std::string name;
    qv::TSymbology type;
    std::string data;
    bool text;
    std::int32_t narrowToWide;
    std::int32_t margin;  // left and right; zint draws no quiet zones by default
    int zintSymbology;
    ZXing::BarcodeFormat zxingFormat;
};

constexpr std::int32_t kModule = 2;
constexpr std::int32_t kBarHeight = 99;  // rows 0 to 99: zint's default 50 modules at scale 1

void registerSymbol(const Linear& l) {
    auto control = std::make_shared<qv::TBarcode1D>();
    control->barType = l.type;
    control->Code = l.data;
    control->X = kModule;
    control->N = l.narrowToWide;
    control->checkCharacter = l.type != qv::TSymbology::CODE39;  // EAN-13 needs its check digit
    control->BarHeightPixels = kBarHeight;
    control->LeftMargin = l.margin;
    control->TopMargin = 0;
    if (!l.text) control->Font.reset();

    // The image holds the symbol and its margins: measured by one paint on a wide bitmap.
    qv::Bitmap probe(4000, 400);
    control->paintBarcode(probe.canvas());
    const qv::barcode1d::LayoutMarks marks = control->layoutMarks();
    const std::int32_t textHeight = l.text ? control->Font->height : 0;
    const Image image{static_cast<std::int32_t>(marks.symbolEnd) + l.margin,
                      kBarHeight + 1 + textHeight};

    // As a paint encodes: on the control's properties, with the data restored afterwards.
    struct Encoding {
        qv::Barcode1DProperties props;
        std::string data;
        RunSink sink{props};
        qv::barcode1d::LayoutMarks marks;
        std::vector<qv::Note> notes;
        qv::barcode1d::Encoder encoder = nullptr;
    };
    auto state = std::make_shared<Encoding>();
    state->props = *control;
    state->data = l.data;
    state->encoder = qv::barcode1d::encoderFor(l.type);
    auto encodeOnly = [state] {
        Encoding& e = *state;
        e.sink.reset();
        e.notes.clear();
        qv::barcode1d::EncoderContext ctx{e.props, e.sink, e.marks, e.notes};
        e.encoder(ctx);
        e.props.Code = e.data;
        benchmark::DoNotOptimize(e.sink.size());
    };
    registerOurs({l.name, control, encodeOnly, {}, image});

    registerZint({.name = l.name,
                  .symbology = l.zintSymbology,
                  .data = l.data,
                  .scale = kModule / 2.0F,
                  .text = l.text});
    registerZxing({.name = l.name,
                   .format = l.zxingFormat,
                   .data = std::wstring(l.data.begin(), l.data.end()),
                   .draw = !l.text,  // its writers draw no text
                   .image = image});
}

}  // namespace

void registerLinear() {
    registerSymbol({"ean13_text", qv::TSymbology::EAN13, "590123412345", true, 2, 14, BARCODE_EANX,
                    ZXing::BarcodeFormat::EAN13});
    registerSymbol({"code128_20", qv::TSymbology::CODE128, "Quorvantix-128 abc/9", false, 2, 0,
                    BARCODE_CODE128, ZXing::BarcodeFormat::Code128});
    registerSymbol({"code39", qv::TSymbology::CODE39, "CODE39 BENCH-2026", false, 2, 0,
                    BARCODE_CODE39, ZXing::BarcodeFormat::Code39});
}

}  // namespace qvbench
