#include "barcode1d/ean_upc.h"

#include <string>

#include "barcode1d/ean_upc_tables.h"
#include "barcode1d/pixel_math.h"

namespace qv::barcode1d {
namespace {

// The digit tables' lookups, worked out at compile time.
constexpr auto kSetAByByte = byteIndex(kEanSetA);
constexpr auto kSetBByByte = byteIndex(kEanSetB);

int digitValue(char c) {
    return c >= '0' && c <= '9' ? c - '0' : 0;
}

bool allDigits(std::string_view s) {
    for (const char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

// Draws digits and guards. In add-on mode every element is drawn as a guard from `top` down.
class EanWriter {
  public:
    EanWriter(EncoderContext& ctx, std::string_view symbology) : ctx_(ctx), name_(symbology) {}
    ~EanWriter() {
        if (!skipped_.empty())
            ctx_.note(Note::Severity::Warning,
                      std::string(name_) + ": no bars for " + std::to_string(skipped_.size()) +
                          " non-digit character(s): " + escapeForNote(skipped_));
    }
    EanWriter(const EanWriter&) = delete;
    EanWriter& operator=(const EanWriter&) = delete;

    void addOnMode(std::int32_t top) {
        guardsOnly_ = true;
        top_ = top;
    }
    void guard(const Guard& g) { ctx_.sink.drawGuardPattern(g.colours, g.widths, top_); }
    // A digit outside 0 to 9 has no entry in the digit tables and draws nothing.
    void digit(char c, bool setB, std::string_view colours) {
        const auto& table = setB ? kEanSetB : kEanSetA;
        const int v = (setB ? kSetBByByte : kSetAByByte)[static_cast<unsigned char>(c)];
        if (v < 0) {
            skipped_ += c;
            return;
        }
        if (guardsOnly_)
            ctx_.sink.drawGuardPattern(colours, table[v].pattern, top_);
        else
            ctx_.sink.drawPattern(colours, table[v].pattern);
    }

  private:
    EncoderContext& ctx_;
    std::string_view name_;
    std::string skipped_;
    bool guardsOnly_ = false;
    std::int32_t top_ = 0;
};

// Appends the check digit to data one short of full length, then pads or cuts to the length.
void fixData(EncoderContext& ctx, std::string_view symbology, std::size_t length) {
    std::string& code = ctx.props.Code;
    if (code.size() == length - 1 && ctx.props.checkCharacter) code += mod10CheckDigit(code);
    if (code.size() != length) {
        ctx.note(Note::Severity::Warning, std::string(symbology) + ": data of " +
                                              std::to_string(code.size()) + " character(s) " +
                                              (code.size() < length ? "padded with \"0\"" : "cut") +
                                              " to " + std::to_string(length));
        code = fixLength(code, length);
    } else if (allDigits(code)) {
        const std::string_view body(code.data(), length - 1);
        if (mod10CheckDigit(body)[0] != code.back())
            ctx.note(Note::Severity::Warning, std::string(symbology) + ": check digit " +
                                                  code.back() + " does not match the data (" +
                                                  mod10CheckDigit(body) + " expected)");
    }
}

// Left half (with the sets of its digits), centre guard, right half, each mark where it falls.
void drawHalves(EncoderContext& ctx, EanWriter& w, std::string_view left, std::string_view sets,
                std::string_view right) {
    w.guard(kEdgeGuard);
    ctx.marks.leftDataStart = ctx.sink.x();
    for (std::size_t i = 0; i < left.size(); ++i) w.digit(left[i], sets[i] == 'B', kLeftColours);
    ctx.marks.centreGuardStart = ctx.sink.x();
    w.guard(kCentreGuard);
    ctx.marks.rightDataStart = ctx.sink.x();
    for (const char c : right) w.digit(c, false, kRightColours);
    ctx.marks.rightGuardStart = ctx.sink.x();
    w.guard(kEdgeGuard);
    ctx.marks.symbolEnd = ctx.sink.x();
}

std::string_view part(std::string_view s, std::size_t pos, std::size_t n) {
    return pos < s.size() ? s.substr(pos, n) : std::string_view();
}

// Common start of both add-ons; false when the data do not have `length` characters.
bool beginSupplement(EncoderContext& ctx, std::string& data, std::size_t length) {
    if (!ctx.props.supplement.empty()) data = ctx.props.supplement;
    const double scale = 1.0 - ctx.props.supHeight;
    ctx.marks.supplementTop = roundToInt32(scale * ctx.props.BarHeightPixels);
    if (ctx.props.codeSup.empty()) ctx.props.codeSup = data;
    if (data.size() != length) {
        ctx.note(Note::Severity::Warning, "add-on \"" + escapeForNote(data) + "\" does not have " +
                                              std::to_string(length) + " digits: not drawn");
        return false;
    }
    return true;
}

void startSupplementBars(EncoderContext& ctx, EanWriter& w) {
    ctx.sink.setX(clampCoord(ctx.sink.x()) + ctx.props.supSeparation);
    ctx.marks.supplementStart = ctx.sink.x();
    w.addOnMode(static_cast<std::int32_t>(ctx.marks.supplementTop));
    w.guard(kSupplementStart);
}

void drawSupplement2(EncoderContext& ctx, std::string data) {
    if (!beginSupplement(ctx, data, 2)) return;
    EanWriter w(ctx, "add-on");
    startSupplementBars(ctx, w);
    const int r = textToInt(data) % 4;
    const std::string_view parity = kSupplement2Parity[r < 0 ? 0 : r];
    w.digit(data[0], parity[0] == 'E', kLeftColours);
    w.guard(kSupplementSeparator);
    w.digit(data[1], parity[1] == 'E', kLeftColours);
    ctx.marks.supplementEnd = ctx.sink.x();
}

void drawSupplement5(EncoderContext& ctx, std::string data) {
    if (!beginSupplement(ctx, data, 5)) return;
    const int s = 3 * (digitValue(data[0]) + digitValue(data[2]) + digitValue(data[4])) +
                  9 * (digitValue(data[1]) + digitValue(data[3]));
    const std::string_view parity = kSupplement5Parity[s % 10];
    EanWriter w(ctx, "add-on");
    startSupplementBars(ctx, w);
    for (std::size_t k = 0; k < 5; ++k) {
        if (k > 0) w.guard(kSupplementSeparator);
        w.digit(data[k], parity[k] == 'E', kLeftColours);
    }
    ctx.marks.supplementEnd = ctx.sink.x();
}

// UPC-E keeps six of the twelve digits. The rule is chosen by the manufacturer digits; the
// digits it drops are only restored on expansion when they are zero.
struct Suppression {
    std::string data;
    bool faithful;
};

Suppression suppressZeros(std::string_view c) {
    const std::string_view m345 = c.substr(3, 3);
    const std::string_view m45 = c.substr(4, 2);
    const std::string_view p1234 = c.substr(6, 4);
    if (m345 == "000" || m345 == "100" || m345 == "200")
        return {std::string(c.substr(1, 2)) + std::string(c.substr(8, 3)) + c[3],
                c.substr(6, 2) == "00"};
    if (m45 == "00" && c[3] >= '3' && c[3] <= '9')
        return {std::string(c.substr(1, 3)) + std::string(c.substr(9, 2)) + "3",
                c.substr(6, 3) == "000"};
    if (c[5] == '0' && c[4] >= '1' && c[4] <= '9')
        return {std::string(c.substr(1, 4)) + c[10] + "4", p1234 == "0000"};
    if (c[5] != '0')
        return {std::string(c.substr(1, 5)) + c[10],
                p1234 == "0000" && c[10] >= '5' && c[10] <= '9'};
    return {std::string(), false};
}

}  // namespace

void drawSupplements(EncoderContext& ctx, std::string_view fallback2, std::string_view fallback5) {
    if (ctx.props.UPCEANSupplement2)
        drawSupplement2(ctx, std::string(fallback2));
    else if (ctx.props.UPCEANSupplement5)
        drawSupplement5(ctx, std::string(fallback5));
}

namespace {

// A symbol of two halves around a centre guard. EAN-13 carries its first digit in the sets of the
// left half instead of in bars.
struct TwoHalves {
    std::string_view name;
    std::size_t length;
    std::size_t half;  // digits per half
    bool ean13;
    std::size_t add2From;  // fallback add-on data: positions from, 2 or add5Length digits
    std::size_t add5Length;
};
constexpr TwoHalves kUpca{"UPC-A", 12, 6, false, 1, 5};
constexpr TwoHalves kEan13{"EAN-13", 13, 6, true, 2, 4};
constexpr TwoHalves kEan8{"EAN-8", 8, 4, false, 2, 6};

void encodeTwoHalves(EncoderContext& ctx, const TwoHalves& t) {
    const bool appends = ctx.props.Code.size() == t.length - 1 && ctx.props.checkCharacter;
    fixData(ctx, t.name, t.length);
    const std::string code = ctx.props.Code;
    const std::size_t first = t.ean13 ? 1 : 0;
    std::string sets(t.half, 'A');
    if (t.ean13) {
        if (appends) ctx.props.codeText = code;
        sets.replace(1, 5, kEan13Parity[digitValue(code[0])]);
    }
    {
        EanWriter w(ctx, t.name);
        drawHalves(ctx, w, part(code, first, t.half), sets, part(code, first + t.half, t.half));
    }
    drawSupplements(ctx, part(code, t.add2From, 2), part(code, t.add2From, t.add5Length));
}

}  // namespace

void encodeUPCA(EncoderContext& ctx) {
    encodeTwoHalves(ctx, kUpca);
}

void encodeEAN13(EncoderContext& ctx) {
    encodeTwoHalves(ctx, kEan13);
}

void encodeEAN8(EncoderContext& ctx) {
    encodeTwoHalves(ctx, kEan8);
}

void encodeUPCE(EncoderContext& ctx) {
    fixData(ctx, "UPC-E", 12);
    const std::string code = ctx.props.Code;
    const int cd = digitValue(code[11]);
    const Suppression s = suppressZeros(code);
    const bool system1 = ctx.props.UPCESytem == "1";
    if (code[0] != '0' && code[0] != '1')
        ctx.note(Note::Severity::Error, "UPC-E: number system " + escapeForNote(code.substr(0, 1)) +
                                            " cannot be represented (only 0 and 1)");
    else if ((code[0] == '1') != system1)
        ctx.note(Note::Severity::Error, std::string("UPC-E: parity of number system ") +
                                            (system1 ? "1" : "0") +
                                            " drawn for data of number system " + code[0]);
    if (!s.faithful)
        ctx.note(Note::Severity::Error,
                 "UPC-E cannot represent " + escapeForNote(code) + ": the symbol " +
                     (s.data.empty() ? "holds no digits"
                                     : "stands for a different number (" + s.data + ")"));
    ctx.props.codeText = s.data;
    EanWriter w(ctx, "UPC-E");
    w.guard(kEdgeGuard);
    ctx.marks.leftDataStart = ctx.sink.x();
    const std::string_view parity = (system1 ? kUpceParitySystem1 : kUpceParitySystem0)[cd];
    for (std::size_t k = 0; k < s.data.size(); ++k)
        w.digit(s.data[k], parity[k] == 'E', kLeftColours);
    ctx.marks.rightGuardStart = ctx.sink.x();
    w.guard(kUpceEndGuard);
    ctx.marks.symbolEnd = ctx.sink.x();
    drawSupplements(ctx, part(s.data, 0, 2), part(s.data, 0, 5));
}

}  // namespace qv::barcode1d
