#include "maxicode/message.h"

#include <algorithm>

#include "maxicode/code_sets.h"

namespace qv::maxicode {
namespace {

constexpr std::uint8_t kNumericShift = 31;
constexpr std::uint8_t kPad = 33;
constexpr std::uint8_t kTwoShiftA = 56;
constexpr std::uint8_t kThreeShiftA = 57;
constexpr std::uint8_t kLatchAFromCde = 58;
constexpr std::uint8_t kShiftAB = 59;  // shift B in set A, shift A in set B
constexpr std::uint8_t kShiftC = 60;   // twice: lock into C; likewise D (61) and E (62)
constexpr std::uint8_t kLatch = 63;    // latch A in set B, latch B elsewhere; also the end codeword

constexpr CodeSet kUpperSets[] = {CodeSet::C, CodeSet::D, CodeSet::E};

// One encoding step: the codewords it emits, the characters it consumes and the set after it.
struct Step {
    std::array<std::uint8_t, 6> codewords{};
    std::size_t length = 0;
    std::size_t consumed = 1;
    CodeSet set = CodeSet::A;

    void emit(std::int32_t value) { codewords[length++] = static_cast<std::uint8_t>(value); }
};

bool in(unsigned char c, CodeSet set) {
    return codeSetValue(c, set) >= 0;
}

bool allIn(std::string_view s, std::size_t count, CodeSet set) {
    if (s.size() < count) return false;
    return std::all_of(s.begin(), s.begin() + static_cast<std::ptrdiff_t>(count),
                       [set](char c) { return in(static_cast<unsigned char>(c), set); });
}

bool nineDigits(std::string_view s) {
    if (s.size() < 9) return false;
    return std::all_of(s.begin(), s.begin() + 9, [](char c) { return c >= '0' && c <= '9'; });
}

std::uint8_t shiftCodeword(CodeSet set) {
    return static_cast<std::uint8_t>(kShiftC + static_cast<int>(set) -
                                     static_cast<int>(CodeSet::C));
}

// The first applicable rule for the characters `rest` (not empty) in set `set`.
Step nextStep(std::string_view rest, CodeSet set) {
    Step step;
    step.set = set;
    const auto c = static_cast<unsigned char>(rest[0]);
    const auto value = [c](CodeSet s) { return codeSetValue(c, s); };

    if (nineDigits(rest)) {
        std::int32_t number = 0;
        for (std::size_t i = 0; i < 9; ++i) number = number * 10 + (rest[i] - '0');
        step.emit(kNumericShift);
        for (int shift = 24; shift >= 0; shift -= 6) step.emit((number >> shift) & 63);
        step.consumed = 9;
        return step;
    }
    if (set == CodeSet::B) {
        if (in(c, CodeSet::B)) {
            step.emit(value(CodeSet::B));
        } else if (allIn(rest, 4, CodeSet::A)) {
            step.emit(kLatch);
            step.emit(value(CodeSet::A));
            step.set = CodeSet::A;
        } else if (allIn(rest, 3, CodeSet::A) || allIn(rest, 2, CodeSet::A)) {
            step.consumed = allIn(rest, 3, CodeSet::A) ? 3 : 2;
            step.emit(step.consumed == 3 ? kThreeShiftA : kTwoShiftA);
            for (std::size_t i = 0; i < step.consumed; ++i)
                step.emit(codeSetValue(static_cast<unsigned char>(rest[i]), CodeSet::A));
        } else if (in(c, CodeSet::A)) {
            step.emit(kShiftAB);
            step.emit(value(CodeSet::A));
        }
        if (step.length > 0) return step;
    }
    if (set == CodeSet::A) {
        if (in(c, CodeSet::A)) {
            step.emit(value(CodeSet::A));
        } else if (in(c, CodeSet::B)) {
            const bool latch = rest.size() >= 2 &&
                               in(static_cast<unsigned char>(rest[1]), CodeSet::B) &&
                               !in(static_cast<unsigned char>(rest[1]), CodeSet::A);
            step.emit(latch ? kLatch : kShiftAB);
            step.emit(value(CodeSet::B));
            if (latch) step.set = CodeSet::B;
        }
        if (step.length > 0) return step;
    }
    const bool lower = set == CodeSet::A || set == CodeSet::B;
    if (!lower && in(c, CodeSet::A)) {
        step.emit(kLatchAFromCde);
        step.emit(value(CodeSet::A));
        step.set = CodeSet::A;
        return step;
    }
    if (!lower && in(c, CodeSet::B)) {
        step.emit(kLatch);
        step.emit(value(CodeSet::B));
        step.set = CodeSet::B;
        return step;
    }
    // Sets C, D and E: locking in takes four characters of the set from A or B, two from
    // another of C, D and E.
    const std::size_t lockRun = lower ? 4 : 2;
    for (const CodeSet target : kUpperSets) {
        if (set != target && allIn(rest, lockRun, target)) {
            step.emit(shiftCodeword(target));
            step.emit(shiftCodeword(target));
            step.emit(value(target));
            step.set = target;
            return step;
        }
    }
    for (const CodeSet target : kUpperSets) {
        if (in(c, target)) {
            if (set != target) step.emit(shiftCodeword(target));
            step.emit(value(target));
            return step;
        }
    }
    return step;
}

}  // namespace

std::string toBits(std::int32_t value, int n) {
    n = std::clamp(n, 0, 32);
    const auto bits = static_cast<std::uint32_t>(value);
    std::string out(static_cast<std::size_t>(n), '0');
    for (int i = 0; i < n; ++i)
        if ((bits >> (n - 1 - i)) & 1U) out[static_cast<std::size_t>(i)] = '1';
    return out;
}

std::int32_t bitsToValue(std::string_view bits) {
    std::int32_t value = 0;
    for (std::size_t i = 0; i < 6; ++i)
        if (i < bits.size() && bits[i] == '1') value |= 32 >> i;
    return value;
}

EncodedMessage encodeMessage(std::string_view text, std::size_t capacity) {
    capacity = std::min<std::size_t>(capacity, 144);
    EncodedMessage out;
    std::size_t i = 0;
    CodeSet set = CodeSet::A;
    while (out.consumed < text.size() && i < capacity) {
        const Step step = nextStep(text.substr(out.consumed), set);
        // A step that does not fit is left out whole, with everything after it.
        if (step.length == 0 || i + step.length > capacity) break;
        std::copy_n(step.codewords.begin(), step.length,
                    out.codewords.begin() + static_cast<std::ptrdiff_t>(i));
        i += step.length;
        out.consumed += step.consumed;
        set = step.set;
    }
    if (i < out.codewords.size()) out.codewords[i++] = kLatch;
    while (i < out.codewords.size()) out.codewords[i++] = kPad;
    return out;
}

}  // namespace qv::maxicode
