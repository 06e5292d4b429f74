#include "barcode1d/code11_codabar_msi.h"

#include <array>
#include <string>

#include "barcode1d/codabar_table.h"
#include "barcode1d/left_out.h"
#include "barcode1d/more_encoders.h"
#include "barcode1d/text_helpers.h"

namespace qv::barcode1d {
namespace {

// Bar, space, bar, space, bar; the value of "-" is 10.
constexpr std::array<PatternEntry, 11> kCode11 = {{
    {"0", "nnnnw"},
    {"1", "wnnnw"},
    {"2", "nwnnw"},
    {"3", "wwnnn"},
    {"4", "nnwnw"},
    {"5", "wnwnn"},
    {"6", "nwwnn"},
    {"7", "nnnww"},
    {"8", "wnnwn"},
    {"9", "wnnnn"},
    {"-", "nnwnn"},
}};

// Four bar/space pairs, one per bit of the digit, most significant first: 1 is "wn", 0 is "nw".
constexpr std::array<PatternEntry, 10> kMsi = {{
    {"0", "nwnwnwnw"},
    {"1", "nwnwnwwn"},
    {"2", "nwnwwnnw"},
    {"3", "nwnwwnwn"},
    {"4", "nwwnnwnw"},
    {"5", "nwwnnwwn"},
    {"6", "nwwnwnnw"},
    {"7", "nwwnwnwn"},
    {"8", "wnnwnwnw"},
    {"9", "wnnwnwwn"},
}};

template <std::size_t n>
int lookup(const std::array<PatternEntry, n>& table, char c) {
    return findEntry(table, std::string_view(&c, 1));
}

// A data character followed by its narrow inter-character space.
template <std::size_t n>
void addCharacter(BarPattern& pattern, std::string_view colours,
                  const std::array<PatternEntry, n>& table, int value) {
    pattern.add(colours, std::string(table[static_cast<std::size_t>(value)].pattern) + 'n');
}

}  // namespace

LinearSymbol code11(std::string_view data, bool check, std::vector<Note>& notes) {
    LinearSymbol symbol;
    symbol.pattern.add("bwbwbw", "nnwwnn");
    std::vector<int> values;
    LeftOut leftOut;
    for (std::size_t i = 0; i < data.size(); ++i) {
        const int v = lookup(kCode11, data[i]);
        if (v < 0) {
            leftOut.add(i, data[i]);
            continue;
        }
        values.push_back(v);
        addCharacter(symbol.pattern, "bwbwbw", kCode11, v);
    }
    leftOut.report(notes, "Code 11");
    if (check) {
        // C: weights 1 to 10 from the right, repeating; K: C first, then the data, 1 to 9.
        int c = 0;
        int k = 0;
        for (std::size_t j = 0; j < values.size(); ++j) {
            const int v = values[values.size() - 1 - j];
            c = (c + v * static_cast<int>(j % 10 + 1)) % 11;
            k = (k + v * static_cast<int>((j + 1) % 9 + 1)) % 11;
        }
        k = (k + c) % 11;
        addCharacter(symbol.pattern, "bwbwbw", kCode11, c);
        symbol.codeText = std::string(data) + std::string(kCode11[static_cast<std::size_t>(c)].key);
        if (data.size() > 10) {
            addCharacter(symbol.pattern, "bwbwbw", kCode11, k);
            symbol.codeText += kCode11[static_cast<std::size_t>(k)].key;
        }
    }
    symbol.pattern.add("bwbwb", "nnwwn");
    return symbol;
}

LinearSymbol codabar(std::string_view data, std::string_view startChar, std::string_view stopChar,
                     bool check, std::vector<Note>& notes) {
    LinearSymbol symbol;
    const int start = findEntry(kCodabarTable, startChar);
    const int stop = findEntry(kCodabarTable, stopChar);
    // Without its start or stop a Codabar symbol cannot be read at all.
    if (start < 0)
        notes.push_back(Note{Note::Severity::Error,
                             "Codabar: start character \"" + std::string(startChar.substr(0, 8)) +
                                 "\" is not a Codabar character; no start drawn"});
    if (stop < 0)
        notes.push_back(Note{Note::Severity::Error,
                             "Codabar: stop character \"" + std::string(stopChar.substr(0, 8)) +
                                 "\" is not a Codabar character; no stop drawn"});
    if (start >= 0) addCharacter(symbol.pattern, "bwbwbwbw", kCodabarTable, start);
    int sum = (start < 0 ? 0 : start) + (stop < 0 ? 0 : stop);
    LeftOut notInTable;
    LeftOut startStopLetters;  // A to D exist only as start and stop characters
    for (std::size_t i = 0; i < data.size(); ++i) {
        const int v = lookup(kCodabarTable, data[i]);
        if (v < 0) {
            notInTable.add(i, data[i]);
        } else if (v >= kCodabarFirstStartStop) {
            startStopLetters.add(i, data[i]);
        } else {
            sum = (sum + v) % 16;
            addCharacter(symbol.pattern, "bwbwbwbw", kCodabarTable, v);
        }
    }
    notInTable.report(notes, "Codabar");
    startStopLetters.report(notes, "Codabar (A to D are start and stop characters only)");
    if (check) {
        const int c = (16 - sum % 16) % 16;
        addCharacter(symbol.pattern, "bwbwbwbw", kCodabarTable, c);
        symbol.codeText =
            std::string(data) + std::string(kCodabarTable[static_cast<std::size_t>(c)].key);
    }
    if (stop >= 0)
        symbol.pattern.add("bwbwbwb", kCodabarTable[static_cast<std::size_t>(stop)].pattern);
    return symbol;
}

char msiCheckDigit(std::string_view text) {
    // Odd positions from the right count the digit sum of twice the digit.
    constexpr std::array<int, 10> kDoubled = {0, 2, 4, 6, 8, 1, 3, 5, 7, 9};
    int sum = 0;
    bool odd = true;
    for (auto it = text.rbegin(); it != text.rend(); ++it) {
        if (*it < '0' || *it > '9') continue;
        const int d = *it - '0';
        sum = (sum + (odd ? kDoubled[static_cast<std::size_t>(d)] : d)) % 10;
        odd = !odd;
    }
    return static_cast<char>('0' + (10 - sum) % 10);
}

LinearSymbol msi(std::string_view data, bool check, std::vector<Note>& notes) {
    LinearSymbol symbol;
    symbol.pattern.add("bw", "wn");
    LeftOut leftOut;
    for (std::size_t i = 0; i < data.size(); ++i) {
        const int v = lookup(kMsi, data[i]);
        if (v < 0)
            leftOut.add(i, data[i]);
        else
            symbol.pattern.add("bwbwbwbw", kMsi[static_cast<std::size_t>(v)].pattern);
    }
    leftOut.report(notes, "MSI");
    if (check) {
        const char c = msiCheckDigit(data);
        symbol.pattern.add("bwbwbwbw", kMsi[static_cast<std::size_t>(c - '0')].pattern);
        symbol.codeText = std::string(data) + c;
    }
    symbol.pattern.add("bwb", "nwn");
    return symbol;
}

void encodeCode11(EncoderContext& ctx) {
    drawSymbol(ctx, code11(ctx.props.Code, ctx.props.checkCharacter, ctx.notes));
}

void encodeCodabar(EncoderContext& ctx) {
    drawSymbol(ctx, codabar(ctx.props.Code, ctx.props.CODABARStartChar, ctx.props.CODABARStopChar,
                            ctx.props.checkCharacter, ctx.notes));
}

void encodeMSI(EncoderContext& ctx) {
    drawSymbol(ctx, msi(ctx.props.Code, ctx.props.checkCharacter, ctx.notes));
}

}  // namespace qv::barcode1d
