#include "verify/expectation.h"

#include <algorithm>
#include <cstdio>

#include "barcode1d/text_helpers.h"
#include "core/text_conversions.h"
#include "datamatrix/escapes.h"
#include "quorvantix/barcode1d.h"
#include "quorvantix/datamatrix.h"
#include "quorvantix/maxicode.h"
#include "quorvantix/pdf417.h"

namespace qv::verify {
namespace {

// How the reader gives each linear symbology back: from the data after escapes, or from the
// drawn text with its check digits and padding (codeText).
struct LinearReading {
    TSymbology type;
    Symbology symbology;
    bool drawnText;  // compare with codeText; else with the data after escapes
    bool extended;   // Code 39 full ASCII
    bool addOn;      // EAN/UPC: the add-on is read too
};

constexpr LinearReading kLinear[] = {
    {TSymbology::CODE39, Symbology::Code39, true, false, false},
    {TSymbology::CODE39EXT, Symbology::Code39, false, true, false},
    {TSymbology::CODE93, Symbology::Code93, false, false, false},
    {TSymbology::CODE93EXT, Symbology::Code93, false, false, false},
    {TSymbology::CODE128, Symbology::Code128, false, false, false},
    {TSymbology::EAN128, Symbology::Code128, false, false, false},
    {TSymbology::CODABAR, Symbology::Codabar, true, false, false},
    {TSymbology::INTERLEAVED25, Symbology::Itf, true, false, false},
    {TSymbology::EAN13, Symbology::Ean13, true, false, true},
    {TSymbology::EAN8, Symbology::Ean8, true, false, true},
    {TSymbology::UPCA, Symbology::UpcA, true, false, true},
    {TSymbology::UPCE, Symbology::UpcE, true, false, true},
};

// EAN-13, EAN-8 and UPC-A read as all their digits with the check digit, which codeText leaves
// out where the control appends it.
std::string withCheckDigit(const std::string& digits, std::size_t full) {
    return digits.size() + 1 == full ? digits + barcode1d::mod10CheckDigit(digits) : digits;
}

// UPC-E reads as its number system, six digits and the check digit of the UPC-A number they
// stand for.
std::string upcE(const TBarcode1D& c) {
    const std::string& d = c.codeText;
    if (d.size() != 6) return d;
    const char system = c.UPCESytem.empty() ? '0' : c.UPCESytem[0];
    std::string upcA(1, system);
    switch (d[5]) {
        case '0':
        case '1':
        case '2':
            upcA += d.substr(0, 2) + d[5] + "0000" + d.substr(2, 3);
            break;
        case '3':
            upcA += d.substr(0, 3) + "00000" + d.substr(3, 2);
            break;
        case '4':
            upcA += d.substr(0, 4) + "00000" + d[4];
            break;
        default:
            upcA += d.substr(0, 5) + "0000" + d[5];
    }
    return system + d + barcode1d::mod10CheckDigit(upcA);
}

// Code 128 function characters as the reader gives them: a leading FNC1 only marks the symbol
// as GS1 (in its identifier), a later one is the group separator.
std::string code128Data(const std::string& data) {
    constexpr char kFnc1 = static_cast<char>(202);
    std::string out;
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (data[i] != kFnc1) {
            out += data[i];
        } else if (i > 0) {
            out += '\x1d';
        }
    }
    return out;
}

std::optional<Expectation> linear(const TBarcode1D& c, std::string* why) {
    for (const LinearReading& r : kLinear) {
        if (r.type != c.barType) continue;
        Expectation e;
        e.symbology = r.symbology;
        e.data = r.drawnText ? c.codeText : (c.ProcessTilde ? core::expandTildes(c.Code) : c.Code);
        e.code39Extended = r.extended;
        // The extended check character is checked and removed, as it reads as no ASCII.
        e.code39CheckSum = r.extended && c.checkCharacter;
        if (r.addOn && (c.UPCEANSupplement5 || c.UPCEANSupplement2)) e.addOn = c.supplement;
        if (r.symbology == Symbology::Ean13) e.data = withCheckDigit(e.data, 13);
        if (r.symbology == Symbology::Ean8) e.data = withCheckDigit(e.data, 8);
        if (r.symbology == Symbology::UpcA) e.data = withCheckDigit(e.data, 12);
        if (r.symbology == Symbology::UpcE) e.data = upcE(c);
        if (r.symbology == Symbology::Code128) e.data = code128Data(e.data);
        // Start and stop characters within the data are left out when drawn.
        if (r.symbology == Symbology::Codabar)
            std::erase_if(e.data, [](char ch) { return ch >= 'A' && ch <= 'D'; });
        return e;
    }
    if (why) *why = "the reader does not read this symbology";
    return std::nullopt;
}

// A leading FNC1 only marks the symbol as GS1 (in the reader's identifier); a later one is the
// group separator already. Structured append, the 05/06 macros and ECI the reader gives back in
// forms of its own, so those symbols are not compared.
std::optional<Expectation> dataMatrix(const TDatamatrix& c, std::string* why) {
    Expectation e;
    e.symbology = Symbology::DataMatrix;
    if (!c.ProcessTilde) {
        e.data = c.Code;
        return e;
    }
    const datamatrix::MarkedText text = datamatrix::expandEscapes(c.Code).data;
    const std::string fnc1(1, static_cast<char>(datamatrix::cw::Fnc1));
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!text.marked(i)) {
            e.data += text.text[i];
        } else if (text.marks[i] != fnc1) {
            if (why) *why = "the reader gives structured append, macros and ECI in its own form";
            return std::nullopt;
        }
    }
    return e;
}

std::optional<Expectation> pdf417(const TPDF417& c) {
    Expectation e;
    e.symbology = Symbology::Pdf417;
    const std::int32_t s = c.PDFMacroSegment;
    if (s < 0 || c.PDFMacroSegmentCount < 1) {
        e.data = c.Code;
        return e;
    }
    // One segment of the data, with the control block's index, count and file ID.
    const auto size = static_cast<std::int64_t>(c.Code.size());
    const std::int64_t from = std::clamp<std::int64_t>(c.segmentStart(s), 0, size);
    const std::int64_t to = s + 1 < c.PDFMacroSegmentCount
                                ? std::clamp<std::int64_t>(c.segmentStart(s + 1), from, size)
                                : size;
    e.data = c.Code.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
    e.segment = s;
    e.segments = c.PDFMacroSegmentCount;
    // The reader prints each file ID codeword in three digits.
    for (const char ch : c.PDFMacroFileId) {
        char digits[8];
        std::snprintf(digits, sizeof digits, "%03u",
                      static_cast<unsigned>(static_cast<unsigned char>(ch)));
        e.fileId += digits;
    }
    return e;
}

std::optional<Expectation> maxicode(const TMaxicode& c) {
    Expectation e;
    e.symbology = Symbology::MaxiCode;
    e.data = c.processTilde ? core::expandTildes(c.data) : c.data;
    if (c.mode == 2 || c.mode == 3) {
        // The reader gives the postal fields back in the message, after the header when there
        // is one: postal code (a mode-3 code padded to six), country and class in three digits.
        auto three = [](const std::string& v) {
            std::string d = v.substr(0, 3);
            return std::string(3 - d.size(), '0') + d;
        };
        std::string zip = c.zipCode;
        if (c.mode == 3 && zip.size() < 6) zip.resize(6, ' ');
        const std::string postal =
            zip + '\x1d' + three(c.country) + '\x1d' + three(c.serviceClass) + '\x1d';
        const std::string header =
            "[)>\x1e"
            "01\x1d";
        const std::size_t at =
            e.data.compare(0, header.size(), header) == 0 && e.data.size() >= 9 ? 9 : 0;
        e.data.insert(at, postal);
    }
    return e;
}

}  // namespace

std::optional<Expectation> expectationOf(const Control& control, std::string* why) {
    if (const auto* c = dynamic_cast<const TBarcode1D*>(&control)) return linear(*c, why);
    if (const auto* c = dynamic_cast<const TDatamatrix*>(&control)) return dataMatrix(*c, why);
    if (const auto* c = dynamic_cast<const TPDF417*>(&control)) return pdf417(*c);
    if (const auto* c = dynamic_cast<const TMaxicode*>(&control)) return maxicode(*c);
    if (why) *why = "the control is not one of the four built-in ones";
    return std::nullopt;
}

}  // namespace qv::verify
