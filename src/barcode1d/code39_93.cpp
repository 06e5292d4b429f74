#include "barcode1d/code39_93.h"

#include <string>
#include <vector>

#include "barcode1d/code39_93_tables.h"
#include "barcode1d/pixel_math.h"

namespace qv::barcode1d {
namespace {

constexpr std::string_view kCode39Colours = "bwbwbwbwb";
constexpr std::string_view kCode93Colours = "bwbwbw";
constexpr std::string_view kCode93StopColours = "bwbwbwb";

std::string_view oneChar(const char& c) {
    return {&c, 1};
}

void noteLeftOut(EncoderContext& ctx, std::string_view symbology, const std::string& skipped) {
    if (skipped.empty()) return;
    ctx.note(Note::Severity::Warning, std::string(symbology) + " cannot encode " +
                                          std::to_string(skipped.size()) +
                                          " character(s), left out: " + escapeForNote(skipped));
}

// Code 39 characters, each followed by the inter-character gap, with their running check sum.
class Code39Writer {
  public:
    explicit Code39Writer(EncoderContext& ctx) : ctx_(ctx) {
        const std::int64_t g = satMul(ctx.props.I, ctx.props.X);
        gap_ = g == 0 ? 1 : g;
    }
    void put(int value) {
        ctx_.sink.drawPattern(kCode39Colours, kCode39[value].pattern);
        ctx_.sink.setX(clampCoord(ctx_.sink.x()) + gap_);
    }
    void data(int value) {
        put(value);
        sum_ = (sum_ + value) % 43;
    }
    // The check character, then the stop character (no gap after it).
    void finish() {
        if (ctx_.props.checkCharacter) {
            put(sum_);
            ctx_.props.codeText = ctx_.props.Code + std::string(kCode39[sum_].key);
        }
        ctx_.sink.drawPattern(kCode39Colours, kCode39[kCode39StartStop].pattern);
    }

  private:
    EncoderContext& ctx_;
    std::int64_t gap_;
    int sum_ = 0;
};

// Code 93 symbol characters, kept for the two check characters that weigh them from the right.
class Code93Writer {
  public:
    explicit Code93Writer(EncoderContext& ctx) : ctx_(ctx) {
        ctx_.sink.drawPattern(kCode93Colours, kCode93Start);
    }
    void put(int value) {
        ctx_.sink.drawPattern(kCode93Colours, kCode93[value].pattern);
        values_.push_back(value);
    }
    void finish() {
        if (ctx_.props.checkCharacter) {
            std::int64_t c = 0;
            std::int64_t k = 0;
            const std::size_t n = values_.size();
            for (std::size_t i = 0; i < n; ++i) {
                const std::int64_t v = values_[n - 1 - i];
                c = (c + v * static_cast<std::int64_t>(i % 20 + 1)) % 47;
                k = (k + v * static_cast<std::int64_t>((i + 1) % 15 + 1)) % 47;
            }
            k = (k + c) % 47;
            put(static_cast<int>(c));
            put(static_cast<int>(k));
            ctx_.props.codeText = ctx_.props.Code + kCode93[c].key[0] + kCode93[k].key[0];
        }
        ctx_.sink.drawPattern(kCode93StopColours, kCode93Stop);
    }

  private:
    EncoderContext& ctx_;
    std::vector<int> values_;
};

constexpr auto kCode39ByByte = byteIndex(kCode39);

// The start/stop character is no data: a "*" inside the data would end the symbol for a reader.
int code39Value(const char& c) {
    const int v = kCode39ByByte[static_cast<unsigned char>(c)];
    return v == kCode39StartStop ? -1 : v;
}

bool isAscii(char c) {
    return static_cast<unsigned char>(c) < 128;
}

}  // namespace

void encodeCode39(EncoderContext& ctx) {
    Code39Writer w(ctx);
    w.put(kCode39StartStop);
    std::string skipped;
    for (const char& c : ctx.props.Code) {
        const int v = code39Value(c);
        if (v < 0)
            skipped += c;
        else
            w.data(v);
    }
    w.finish();
    noteLeftOut(ctx, "Code 39", skipped);
}

void encodeCode39Ext(EncoderContext& ctx) {
    Code39Writer w(ctx);
    w.put(kCode39StartStop);
    std::string skipped;
    for (const char c : ctx.props.Code) {
        if (!isAscii(c)) {
            skipped += c;
            continue;
        }
        for (const char& part : kCode39FullAscii[static_cast<unsigned char>(c)])
            w.data(code39Value(part));
    }
    w.finish();
    noteLeftOut(ctx, "Code 39 Extended", skipped);
}

void encodeCode93(EncoderContext& ctx) {
    Code93Writer w(ctx);
    std::string skipped;
    for (const char& c : ctx.props.Code) {
        const int v = findEntry(kCode93, oneChar(c));
        if (v < 0)
            skipped += c;
        else
            w.put(v);
    }
    w.finish();
    noteLeftOut(ctx, "Code 93", skipped);
}

void encodeCode93Ext(EncoderContext& ctx) {
    Code93Writer w(ctx);
    std::string skipped;
    for (const char c : ctx.props.Code) {
        if (!isAscii(c)) {
            skipped += c;
            continue;
        }
        const std::string_view entry = kCode93FullAscii[static_cast<unsigned char>(c)];
        if (entry.size() == 3) w.put(findEntry(kCode93, entry.substr(0, 2)));
        w.put(findEntry(kCode93, entry.substr(entry.size() - 1)));
    }
    w.finish();
    noteLeftOut(ctx, "Code 93 Extended", skipped);
}

}  // namespace qv::barcode1d
