#include "maxicode/postal.h"

#include <algorithm>

#include "core/text_conversions.h"
#include "maxicode/code_sets.h"
#include "maxicode/message.h"

namespace qv::maxicode {
namespace {

constexpr char kGS = 29;
constexpr std::string_view kHeader =
    "[)>\x1e"
    "01\x1d";
constexpr std::size_t kHeaderWithYear = 9;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Ten bits of a lenient number; values that do not fit are noted, keeping their low bits.
std::string tenBits(std::string_view text, std::string_view name, std::vector<std::string>& notes) {
    const std::int32_t value = core::textToInt(text);
    if (value < 0 || value > 1023)
        notes.push_back(std::string(name) + " " + std::to_string(value) +
                        " does not fit 10 bits: its low bits are coded");
    return toBits(value, 10);
}

// Six characters of set A; a lower-case letter is coded as its capital, anything else that set
// A lacks as a space (a value of 63 would latch and garble the postal code).
std::string postalCharacters(std::string_view zip, std::vector<std::string>& notes) {
    std::string bits;
    for (std::size_t i = 0; i < 6; ++i) {
        const auto c = static_cast<unsigned char>(zip[i]);
        std::int32_t value = codeSetValue(c, CodeSet::A);
        if (value < 0 && c >= 'a' && c <= 'z') {
            value = codeSetValue(static_cast<unsigned char>(c - 'a' + 'A'), CodeSet::A);
            notes.push_back("postal code character " + std::to_string(c) + " coded as a capital");
        } else if (value < 0) {
            value = codeSetValue(' ', CodeSet::A);
            notes.push_back("postal code character " + std::to_string(c) + " coded as a space");
        }
        bits += toBits(value, 6);
    }
    return bits;
}

}  // namespace

std::optional<StructuredSplit> splitStructuredData(std::string_view text) {
    const std::size_t header =
        text.starts_with(kHeader) ? std::min(kHeaderWithYear, text.size()) : 0;
    StructuredSplit split;
    std::string* fields[] = {&split.fields.zipCode, &split.fields.country,
                             &split.fields.serviceClass};
    std::size_t separators = 0;
    std::size_t p = header;
    for (; p < text.size() && separators < 3; ++p) {
        if (text[p] == kGS)
            ++separators;
        else
            *fields[separators] += text[p];
    }
    if (separators < 3) return std::nullopt;
    split.secondary = std::string(text.substr(0, header)) + std::string(text.substr(p));
    return split;
}

PostalPrimary buildPostalPrimary(std::int32_t mode, const PostalFields& fields,
                                 std::vector<std::string>& notes) {
    PostalPrimary out;
    out.mode = mode == 3 ? 3 : 2;
    out.zipCode = fields.zipCode;
    if (!std::all_of(out.zipCode.begin(), out.zipCode.end(), isDigit)) {
        if (out.mode == 2) notes.push_back("postal code is not numeric: mode 3 used");
        out.mode = 3;
    }
    std::string postal;
    if (out.mode == 2) {
        if (out.zipCode.size() > 9) {
            notes.push_back("postal code cut to 9 digits");
            out.zipCode.resize(9);
        }
        postal = toBits(static_cast<std::int32_t>(out.zipCode.size()), 6) +
                 toBits(core::textToInt(out.zipCode), 30);
    } else {
        if (out.zipCode.size() < 6) {
            notes.push_back("postal code padded with spaces to 6 characters");
            out.zipCode.resize(6, ' ');
        } else if (out.zipCode.size() > 6) {
            notes.push_back("postal code cut to 6 characters");
        }
        postal = postalCharacters(out.zipCode, notes);
    }
    const std::string bits = tenBits(fields.serviceClass, "class of service", notes) +
                             tenBits(fields.country, "country code", notes) + postal +
                             (out.mode == 2 ? "0010" : "0011");
    for (std::size_t k = 0; k < 10; ++k)
        out.codewords[9 - k] =
            static_cast<std::uint8_t>(bitsToValue(std::string_view(bits).substr(6 * k, 6)));
    return out;
}

}  // namespace qv::maxicode
