#include "maxicode/assembly.h"

#include <algorithm>

#include "core/text_conversions.h"
#include "maxicode/reed6.h"

namespace qv::maxicode {
namespace {

constexpr std::size_t kPrimaryMessage = 9;  // message codewords carried by the primary above mode 3
constexpr std::uint8_t kPad = 33;

// Message codewords that survive the error correction: the secondary data codewords, the
// primary's nine in modes above 3, less the structured append pair.
std::size_t messageCapacity(std::int32_t mode, bool structuredAppend) {
    std::size_t capacity = mode == 5 ? 68 : 84;
    if (mode > 3) capacity += kPrimaryMessage;
    if (structuredAppend) capacity -= 2;
    return capacity;
}

}  // namespace

SymbolCodewords assembleSymbol(const MessageInput& input) {
    SymbolCodewords out;
    out.mode = input.mode;
    out.postal = input.postal;
    std::string text =
        input.processTilde ? core::expandTildes(input.data) : std::string(input.data);

    std::int32_t mode = input.mode;
    if (mode >= 64) {
        out.notes.push_back("mode " + std::to_string(mode) + " does not exist: coded as mode 4");
        mode = 4;
    }

    std::array<std::uint8_t, 10> primary{};
    if (mode == 2 || mode == 3) {
        if (out.postal.zipCode.empty()) {
            if (auto split = splitStructuredData(text)) {
                out.postal = std::move(split->fields);
                text = std::move(split->secondary);
                out.postalFromData = true;
            }
        }
        PostalPrimary postal = buildPostalPrimary(mode, out.postal, out.notes);
        primary = postal.codewords;
        mode = postal.mode;
        out.mode = postal.mode;
        out.postal.zipCode = std::move(postal.zipCode);
    }

    const bool structuredAppend = input.numberOfCodes > 1;
    const EncodedMessage encoded = encodeMessage(text, messageCapacity(mode, structuredAppend));
    if (encoded.consumed < text.size())
        out.notes.push_back("message cut to " + std::to_string(encoded.consumed) + " of " +
                            std::to_string(text.size()) + " characters: the symbol is full");
    Codewords message = encoded.codewords;

    if (structuredAppend) {
        // Wrapping arithmetic: only the low three bits of each count are coded.
        const auto position = static_cast<std::uint32_t>(input.positionOfCode) - 1U;
        const auto count = static_cast<std::uint32_t>(input.numberOfCodes) - 1U;
        if (count > 7 || position > 7)
            out.notes.push_back("structured append position or count above 8: low bits coded");
        std::copy_backward(message.begin(), message.end() - 2, message.end());
        message[0] = kPad;
        message[1] = static_cast<std::uint8_t>((position & 7U) * 8U + (count & 7U));
    }

    if (mode > 3) {
        std::copy_n(message.begin(), kPrimaryMessage, primary.begin() + 1);
        primary[0] = static_cast<std::uint8_t>(mode);
        std::copy(message.begin() + kPrimaryMessage, message.end(), message.begin());
    }

    std::copy(primary.begin(), primary.end(), out.codewords.begin());
    std::copy_n(message.begin(), 124, out.codewords.begin() + 20);
    protectSymbol(out.codewords, mode);
    return out;
}

}  // namespace qv::maxicode
