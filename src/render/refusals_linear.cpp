// Linear symbols: EAN/UPC numbers that would be padded, cut or read with another check digit,
// and data of which nothing but spaces would be drawn.
#include <algorithm>

#include "barcode1d/text_helpers.h"
#include "quorvantix/barcode1d.h"
#include "render/refusals.h"

namespace qv::render {
namespace {

using barcode1d::escapeForNote;

struct FixedLength {
    TSymbology type;
    std::string_view name;
    std::size_t length;  // with the check digit
};

constexpr FixedLength kFixed[] = {
    {TSymbology::EAN13, "EAN-13", 13},
    {TSymbology::UPCA, "UPC-A", 12},
    {TSymbology::EAN8, "EAN-8", 8},
    {TSymbology::UPCE, "UPC-E", 12},  // the UPC-A number it stands for
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::optional<std::string> fixedLengthProblem(const FixedLength& f, std::string_view data,
                                              bool checkCharacter) {
    const std::string name(f.name);
    if (!std::ranges::all_of(data, isDigit))
        return name + " takes digits only, not \"" + escapeForNote(data) + "\"";
    if (data.size() == f.length - 1 && checkCharacter) return std::nullopt;
    if (data.size() == f.length) {
        const std::string_view body = data.substr(0, f.length - 1);
        const std::string check = barcode1d::mod10CheckDigit(body);
        if (check[0] == data.back()) return std::nullopt;
        return name + ": the check digit of " + std::string(body) + " is " + check + ", not " +
               data.back();
    }
    const std::string counts = checkCharacter
                                   ? std::to_string(f.length - 1) + " digits, or " +
                                         std::to_string(f.length) + " with the check digit"
                                   : std::to_string(f.length) + " digits";
    return name + " takes " + counts + ", not " + std::to_string(data.size());
}

// Whether the symbology draws the character; generous where a set can shift to another.
bool drawable(TSymbology type, const std::string& code128Set, unsigned char c) {
    const auto in = [c](std::string_view set) {
        return set.find(static_cast<char>(c)) != set.npos;
    };
    constexpr std::string_view kDigits = "0123456789";
    switch (type) {
        case TSymbology::CODE39:
        case TSymbology::CODE93:
            return isDigit(static_cast<char>(c)) || (c >= 'A' && c <= 'Z') || in("-. $/+%");
        case TSymbology::CODE39EXT:
        case TSymbology::CODE93EXT:
            return c < 128;
        case TSymbology::CODE128:
            return code128Set == "C" ? in(kDigits) : c < 128;
        case TSymbology::CODE11:
            return in(kDigits) || c == '-';
        case TSymbology::CODABAR:
            return in(kDigits) || in("-$:/.+");
        case TSymbology::INTERLEAVED25:
        case TSymbology::IND25:
        case TSymbology::MAT25:
        case TSymbology::MSI:
        case TSymbology::POSTNET:
            return in(kDigits);
        default:
            return true;
    }
}

}  // namespace

void refuseLinear(const Control& control, std::vector<Note>& notes) {
    const auto& linear = static_cast<const TBarcode1D&>(control);
    const std::string data =
        linear.ProcessTilde ? barcode1d::expandTildes(linear.Code) : linear.Code;
    const auto* fixed = std::ranges::find(kFixed, linear.barType, &FixedLength::type);
    if (fixed != std::end(kFixed)) {
        if (auto problem = fixedLengthProblem(*fixed, data, linear.checkCharacter))
            notes.push_back({Note::Severity::Error, *problem});
        return;
    }
    const bool anyData = std::ranges::any_of(data, [](char c) { return c != ' '; });
    const bool anyDrawn = std::ranges::any_of(data, [&](char c) {
        return c != ' ' &&
               drawable(linear.barType, linear.Code128Set, static_cast<unsigned char>(c));
    });
    if (anyData && !anyDrawn) {
        const PropertyInfo* type = findProperty(control.properties(), "barType");
        notes.push_back({Note::Severity::Error,
                         formatProperty(*type, type->get(control)) + " can draw nothing of \"" +
                             escapeForNote(data) + "\": every character but spaces is left out"});
    }
}

}  // namespace qv::render
