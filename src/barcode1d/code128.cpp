#include "barcode1d/code128.h"

#include <cstddef>
#include <cstdint>
#include <limits>

#include "barcode1d/bar_pattern.h"
#include "barcode1d/code128_tables.h"
#include "barcode1d/left_out.h"
#include "barcode1d/more_encoders.h"

namespace qv::barcode1d {
namespace {

using namespace code128;

enum class Set : std::uint8_t { A, B, C };

// Appends symbol values and keeps the check sum. The sum is kept modulo 103 as it grows, so any
// data length gives the same check value without overflow.
class ValueList {
  public:
    // Room for the start, one value per byte of data at most, a set change and the check.
    ValueList(int start, std::size_t dataSize) : sum_(start % 103) {
        values_.reserve(dataSize + 3);
        values_.push_back(start);
    }
    void put(int value) {
        values_.push_back(value);
        sum_ = (sum_ + value * (weight_ % 103)) % 103;
        ++weight_;
    }
    std::vector<int> finish(bool check) {
        if (check) values_.push_back(static_cast<int>(sum_));
        return std::move(values_);
    }

  private:
    std::vector<int> values_;
    std::int64_t sum_;
    std::int64_t weight_ = 1;
};

bool isDigit(int token) {
    return token >= '0' && token <= '9';
}

int setValue(Set set, unsigned char c) {
    return set == Set::A ? kSetA[c] : kSetB[c];
}

}  // namespace

std::vector<int> code128Values(std::string_view data, std::string_view setName, bool check,
                               std::vector<Note>& notes) {
    const Set set = setName == "B" ? Set::B : setName == "C" ? Set::C : Set::A;
    ValueList out(set == Set::A ? kStartA : set == Set::B ? kStartB : kStartC, data.size());
    LeftOut leftOut;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(data[i]); };
    if (set != Set::C) {
        for (std::size_t i = 0; i < data.size(); ++i) {
            const int v = setValue(set, byte(i));
            if (v < 0)
                leftOut.add(i, data[i]);
            else
                out.put(v);
        }
    } else {
        std::size_t i = 0;
        for (; i + 1 < data.size(); i += 2) {
            if (isDigit(byte(i)) && isDigit(byte(i + 1))) {
                out.put((byte(i) - '0') * 10 + (byte(i + 1) - '0'));
            } else {
                leftOut.add(i, data[i]);
                leftOut.add(i + 1, data[i + 1]);
            }
        }
        if (i < data.size()) {
            if (const int b = setValue(Set::B, byte(i)); b >= 0) {
                out.put(kCodeB);
                out.put(b);
            } else if (const int a = setValue(Set::A, byte(i)); a >= 0) {
                out.put(kCodeA);
                out.put(a);
            } else {
                leftOut.add(i, data[i]);
            }
        }
    }
    leftOut.report(notes, set == Set::A   ? "Code 128 set A"
                          : set == Set::B ? "Code 128 set B"
                                          : "Code 128 set C (pairs of digits)");
    return out.finish(check);
}

namespace {

constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

// Input of EAN-128: bytes, with the function bytes turned into their symbol values.
class Ean128Input {
  public:
    static constexpr int kFunction = 256;  // token kFunction + v is the function value v

    explicit Ean128Input(std::string_view data) : tokens_(data.size()) {
        for (std::size_t i = 0; i < data.size(); ++i) {
            const int c = static_cast<unsigned char>(data[i]);
            const bool function = c == 196 || c == 197 || (c >= 200 && c <= 202);
            tokens_[i] = function ? kFunction + c - 100 : c;
        }
        // Next control character and next lower-case letter at or after each position, found
        // once from the right so that the walk stays linear in the data length.
        nextControl_.assign(tokens_.size() + 1, kNone);
        nextLower_.assign(tokens_.size() + 1, kNone);
        for (std::size_t i = tokens_.size(); i-- > 0;) {
            nextControl_[i] = tokens_[i] < 32 ? i : nextControl_[i + 1];
            nextLower_[i] = tokens_[i] >= 'a' && tokens_[i] <= 'z' ? i : nextLower_[i + 1];
        }
    }
    std::size_t size() const { return tokens_.size(); }
    int operator[](std::size_t p) const { return tokens_[p]; }
    std::size_t firstControl(std::size_t p) const { return nextControl_[p]; }
    std::size_t firstLowercase(std::size_t p) const { return nextLower_[p]; }
    bool digitsAt(std::size_t p, std::size_t count) const {
        if (p + count > tokens_.size()) return false;
        for (std::size_t i = p; i < p + count; ++i)
            if (!isDigit(tokens_[i])) return false;
        return true;
    }
    Set chooseSet(std::size_t p) const {
        if (digitsAt(p, 4)) return Set::C;
        return firstControl(p) < firstLowercase(p) ? Set::A : Set::B;
    }

  private:
    std::vector<int> tokens_;
    std::vector<std::size_t> nextControl_;
    std::vector<std::size_t> nextLower_;
};

// The value of a token in a set, -1 if the set has none. Function values are in sets A and B;
// set C has only CODE B, CODE A and FNC1 among them, and no single characters.
int tokenValue(Set set, int token) {
    if (token >= Ean128Input::kFunction) {
        const int v = token - Ean128Input::kFunction;
        return set != Set::C || v >= kCodeB ? v : -1;
    }
    return set == Set::C ? -1 : setValue(set, static_cast<unsigned char>(token));
}

// The set in force after drawing value in set: code changes move it, everything else keeps it.
Set setAfter(Set set, int value) {
    if (value == kCodeC && set != Set::C) return Set::C;
    if (value == kCodeB && set != Set::B) return Set::B;
    if (value == kCodeA && set != Set::A) return Set::A;
    return set;
}

int changeTo(Set set) {
    return set == Set::A ? kCodeA : set == Set::B ? kCodeB : kCodeC;
}

}  // namespace

std::vector<int> ean128Values(std::string_view data, bool check, std::vector<Note>& notes) {
    const Ean128Input in(data);
    ValueList out(kStartC, in.size() + 1);
    LeftOut leftOut;
    Set set = Set::C;
    if (in.size() > 0) out.put(kFnc1);
    std::size_t p = 0;
    while (p < in.size()) {
        const int t = in[p];
        const bool last = p + 1 == in.size();
        if (set == Set::C) {
            if (!last && isDigit(t) && isDigit(in[p + 1])) {
                out.put((t - '0') * 10 + (in[p + 1] - '0'));
                p += 2;
            } else if (const int v = tokenValue(Set::C, t); v >= 0) {
                out.put(v);
                set = setAfter(set, v);
                ++p;
            } else if (isDigit(t)) {
                set = !last && in.firstControl(p + 1) < in.firstLowercase(p + 1) ? Set::A : Set::B;
                out.put(changeTo(set));
                out.put(16 + t - '0');
                ++p;
            } else {
                set = in.chooseSet(p);  // A or B: the character here is not a digit
                out.put(changeTo(set));
            }
            continue;
        }
        if (in.chooseSet(p) == Set::C) {
            out.put(kCodeC);
            set = Set::C;
            continue;
        }
        const Set other = set == Set::A ? Set::B : Set::A;
        if (const int v = tokenValue(set, t); v >= 0) {
            out.put(v);
            set = setAfter(set, v);
        } else if (const int w = tokenValue(other, t); w >= 0) {
            const bool shift = set == Set::A ? in.firstControl(p) < in.firstLowercase(p)
                                             : in.firstControl(p) > in.firstLowercase(p);
            if (shift) {
                out.put(kShift);
            } else {
                out.put(changeTo(other));
                set = other;
            }
            out.put(w);
        } else {
            leftOut.add(p, data[p]);
        }
        ++p;
    }
    leftOut.report(notes, "EAN-128");
    return out.finish(check);
}

namespace {

// Symbol by symbol: the elements are those of the whole pattern, with nothing to gather first.
void drawValues(PatternSink& sink, const std::vector<int>& values) {
    for (std::size_t i = 0; i < values.size(); ++i)
        sink.drawPattern("bwbwbw", i == 0 ? kStartWidths[values[i] - kStartA] : kWidths[values[i]]);
    sink.drawPattern("bwbwbwb", kStopWidths);
}

}  // namespace

void encodeCode128(EncoderContext& ctx) {
    drawValues(ctx.sink, code128Values(ctx.props.Code, ctx.props.Code128Set,
                                       ctx.props.checkCharacter, ctx.notes));
}

void encodeEAN128(EncoderContext& ctx) {
    ctx.props.Code128Set.assign(1, 'C');
    drawValues(ctx.sink, ean128Values(ctx.props.Code, ctx.props.checkCharacter, ctx.notes));
}

}  // namespace qv::barcode1d
