#include "barcode1d/nominal_length.h"

#include "barcode1d/code39_93_tables.h"
#include "barcode1d/pixel_math.h"

namespace qv::barcode1d {
namespace {

// Symbol characters of the data in a Full ASCII table; characters above 127 count nothing.
std::int64_t fullAsciiLength(const std::string& code, const std::string_view (&table)[128],
                             std::size_t longEntry) {
    std::int64_t n = 0;
    for (const char c : code) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 128) n += table[u].size() >= longEntry ? 2 : 1;
    }
    return n;
}

std::int64_t nominal(const Barcode1DProperties& p) {
    const std::int64_t len = static_cast<std::int64_t>(p.Code.size());
    const std::int64_t c = p.checkCharacter ? 1 : 0;
    const std::int64_t x = p.X;
    const std::int64_t n = p.N;
    const std::int64_t i = p.I;
    auto m = satMul;
    auto a = satAdd;
    // (chars + 2) wide-character cells of 3N + 6 modules and chars + 1 gaps of I modules.
    auto code39 = [&](std::int64_t chars) {
        return m(x, a(m(chars + 2, a(m(3, n), 6)), m(chars + 1, i)));
    };
    auto code93 = [&](std::int64_t chars) { return m(x, a(m(9, chars + 2), m(chars + 1, i))); };
    switch (p.barType) {
        case TSymbology::CODE39:
            return code39(len + c);
        case TSymbology::CODE39EXT:
            return code39(c + fullAsciiLength(p.Code, kCode39FullAscii, 2));
        case TSymbology::INTERLEAVED25: {
            const std::int64_t d = (len + c) % 2 ? len + c + 1 : len + c;
            return m(x, a(m(d / 2, a(m(2, n), 3)), 7));
        }
        case TSymbology::CODE11: {
            const std::int64_t k = !p.checkCharacter ? 0 : len > 10 ? 2 : 1;
            return m(m(x, len + k + 3), a(m(2, n), 3));
        }
        case TSymbology::CODABAR:
            return m(m(x, len + c + 2), a(m(3, n), 4));
        case TSymbology::MSI:
            return m(x, a(m(len + c, a(m(4, n), 4)), a(m(2, n), 3)));
        case TSymbology::UPCA:
            return m(x, 7 * (len + c) + 11);
        case TSymbology::IND25:
        case TSymbology::MAT25:
            return m(x, a(m(len + c, a(m(2, n), 3)), 7));
        case TSymbology::CODE93:
        case TSymbology::CODE93EXT:
            return code93(c + fullAsciiLength(p.Code, kCode93FullAscii, 3));
        case TSymbology::EAN13:
        case TSymbology::EAN8:
            return m(x, 7 * len + 11);
        case TSymbology::UPCE:
            return 51 * x;
        case TSymbology::CODE128:
        case TSymbology::EAN128:
            if (p.Code128Set == "C")
                return roundToInt32(static_cast<double>(x) *
                                    (5.5 * static_cast<double>(len + c) + 35.0));
            return m(x, 11 * (len + c) + 35);
        case TSymbology::POSTNET:
            return 10 * x;
    }
    return 0;
}

}  // namespace

std::int32_t computeNominalLength(const Barcode1DProperties& props) {
    return clampToInt32(nominal(props));
}

}  // namespace qv::barcode1d
