#include "barcode1d/two_of_five.h"

#include <array>

#include "barcode1d/left_out.h"
#include "barcode1d/more_encoders.h"
#include "barcode1d/text_helpers.h"

namespace qv::barcode1d {
namespace {

// Five elements per digit, exactly two wide.
constexpr std::array<PatternEntry, 10> kDigits = {{
    {"0", "nnwwn"},
    {"1", "wnnnw"},
    {"2", "nwnnw"},
    {"3", "wwnnn"},
    {"4", "nnwnw"},
    {"5", "wnwnn"},
    {"6", "nwwnn"},
    {"7", "nnnww"},
    {"8", "wnnwn"},
    {"9", "nwnwn"},
}};

// The digit pattern of c, empty for a non-digit.
std::string_view digitPattern(char c) {
    const int i = findEntry(kDigits, std::string_view(&c, 1));
    return i < 0 ? std::string_view() : kDigits[static_cast<std::size_t>(i)].pattern;
}

}  // namespace

char twoOfFiveCheckDigit(std::string_view text) {
    int sum = 0;
    bool triple = true;
    for (auto it = text.rbegin(); it != text.rend(); ++it) {
        if (*it < '0' || *it > '9') continue;
        sum = (sum + (*it - '0') * (triple ? 3 : 1)) % 10;
        triple = !triple;
    }
    return static_cast<char>('0' + (10 - sum) % 10);
}

LinearSymbol interleaved25(std::string_view data, bool check, std::vector<Note>& notes) {
    LinearSymbol symbol;
    std::string& digits = symbol.codeText;
    // A leading zero makes the digit count, check digit included, even.
    if ((data.size() % 2 == 0) == check) {
        digits.assign(1, '0');
        notes.push_back(Note{Note::Severity::Warning,
                             "Interleaved 2 of 5: put a 0 in front for an even digit count"});
    }
    digits += data;
    if (check) digits += twoOfFiveCheckDigit(digits);
    symbol.pattern.add("bwbw", "nnnn");
    LeftOut leftOut;
    for (std::size_t i = 0; i + 1 < digits.size(); i += 2) {
        const std::string_view bars = digitPattern(digits[i]);
        const std::string_view spaces = digitPattern(digits[i + 1]);
        if (bars.empty() || spaces.empty()) {  // a pair with a non-digit is dropped whole
            leftOut.add(i, digits[i]);
            leftOut.add(i + 1, digits[i + 1]);
            continue;
        }
        for (std::size_t k = 0; k < 5; ++k) {
            const char widths[2] = {bars[k], spaces[k]};
            symbol.pattern.add("bw", std::string_view(widths, 2));
        }
    }
    leftOut.report(notes, "Interleaved 2 of 5 (pairs of digits, positions in the shown text)");
    symbol.pattern.add("bwb", "wnn");
    return symbol;
}

LinearSymbol industrial25(std::string_view data, bool check, std::vector<Note>& notes) {
    LinearSymbol symbol;
    std::string digits(data);
    if (check) digits += twoOfFiveCheckDigit(digits);
    symbol.pattern.add("bwbwbw", "wwwwnw");
    LeftOut leftOut;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const std::string_view bars = digitPattern(digits[i]);
        if (bars.empty()) {
            leftOut.add(i, digits[i]);
            continue;
        }
        for (const char w : bars) {  // bars carry the digit; every space is wide
            const char widths[2] = {w, 'w'};
            symbol.pattern.add("bw", std::string_view(widths, 2));
        }
    }
    leftOut.report(notes, "Industrial 2 of 5");
    symbol.pattern.add("bwbwb", "wwnww");
    return symbol;
}

LinearSymbol matrix25(std::string_view data, std::vector<Note>& notes) {
    LinearSymbol symbol;
    symbol.pattern.add("bwbwbw", "wnnnnn");
    LeftOut leftOut;
    for (std::size_t i = 0; i < data.size(); ++i) {
        const std::string_view p = digitPattern(data[i]);
        if (p.empty()) {
            leftOut.add(i, data[i]);
            continue;
        }
        symbol.pattern.add("bwbwbw", std::string(p) + 'n');
    }
    leftOut.report(notes, "Matrix 2 of 5");
    symbol.pattern.add("bwbwbw", "wnnnnn");
    return symbol;
}

void encodeInterleaved25(EncoderContext& ctx) {
    drawSymbol(ctx, interleaved25(ctx.props.Code, ctx.props.checkCharacter, ctx.notes));
}

void encodeIndustrial25(EncoderContext& ctx) {
    drawSymbol(ctx, industrial25(ctx.props.Code, ctx.props.checkCharacter, ctx.notes));
}

void encodeMatrix25(EncoderContext& ctx) {
    drawSymbol(ctx, matrix25(ctx.props.Code, ctx.notes));
}

}  // namespace qv::barcode1d
