#include "quorvantix/verify.h"

#include "verify/expectation.h"
#include "verify/reader_plugin.h"

#include <vector>

namespace qv {
namespace {

// Bytes for people: printable ASCII as it is, the rest as ~ddd (the tilde escapes).
std::string shown(const std::string& bytes) {
    std::string out;
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0x20 && b < 0x7F && b != '~') {
            out += ch;
        } else {
            const std::string code = std::to_string(b);
            out += '~' + std::string(3 - code.size(), '0') + code;
        }
    }
    return out;
}

QvReadRequest requestFor(const Bitmap& bitmap, const verify::Expectation& e,
                         std::vector<std::uint8_t>& lum) {
    lum.resize(static_cast<std::size_t>(bitmap.width()) *
               static_cast<std::size_t>(bitmap.height()));
    const auto px = bitmap.pixels();
    for (std::size_t i = 0; i < lum.size(); ++i) {
        const std::uint32_t c = px[i];
        const unsigned r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
        lum[i] = static_cast<std::uint8_t>((r * 306 + g * 601 + b * 117 + 512) >> 10);
    }
    return {.luminance = lum.data(),
            .width = bitmap.width(),
            .height = bitmap.height(),
            .symbology = static_cast<std::int32_t>(e.symbology),
            .code39Extended = e.code39Extended ? 1 : 0,
            .code39CheckSum = e.code39CheckSum ? 1 : 0,
            .addOn = e.addOn.empty() ? 0 : 1,
            .pure = e.symbology == verify::Symbology::MaxiCode ? 1 : 0};
}

}  // namespace

bool canVerify() {
    return verify::readerAvailable();
}

Verification verifySymbol(const Control& control, const Bitmap& bitmap) {
    Verification v;
    std::string why;
    const auto expected = verify::expectationOf(control, &why);
    if (!expected) {
        v.message = "not verified: " + why;
        return v;
    }
    v.expected = expected->data;
    if (!expected->addOn.empty()) v.expected += " " + expected->addOn;
    std::string missing;
    if (!verify::readerAvailable(&missing)) {
        v.message = "not verified: " + missing;
        return v;
    }
    std::vector<std::uint8_t> lum;
    const auto result = verify::readBack(requestFor(bitmap, *expected, lum));
    v.outcome = Verification::Outcome::Failed;
    if (!result) {
        v.message = "verification failed: the reader failed";
        return v;
    }
    if (!result->valid) {
        v.message = "verification failed: the symbol does not read back (expected \"" +
                    shown(v.expected) + "\")";
        return v;
    }
    // The reader gives the add-on after the main digits, set off by a space.
    v.read = expected->addOn.empty() ? result->bytes : result->text;
    bool same = v.read == v.expected;
    if (same && expected->segment >= 0) {
        same = result->sequenceIndex == expected->segment &&
               result->sequenceSize == expected->segments &&
               (expected->fileId.empty() || result->sequenceId == expected->fileId);
        if (!same)
            v.read += " (segment " + std::to_string(result->sequenceIndex + 1) + " of " +
                      std::to_string(result->sequenceSize) + ", file ID " + result->sequenceId +
                      ")";
    }
    if (!same) {
        v.message = "verification failed: read \"" + shown(v.read) + "\" instead of \"" +
                    shown(v.expected) + "\"";
        return v;
    }
    v.outcome = Verification::Outcome::Passed;
    v.message = "verified: read back as \"" + shown(v.read) + "\"";
    return v;
}

}  // namespace qv
