// What a linear encoder draws on: the pattern language and the drawing position. The control
// implements it over a canvas; tests implement it to record what an encoder produced.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace qv::barcode1d {

// Modules of each width letter of a pattern: 1 to 4, kWideLetter for the wide one, 0 for letters
// that skip their element. Looked up rather than branched on: narrow and wide letters come in no
// order a branch could learn.
inline constexpr std::int8_t kWideLetter = -1;
inline constexpr std::array<std::int8_t, 256> kLetterModules = [] {
    std::array<std::int8_t, 256> modules{};
    modules['n'] = 1;
    modules['w'] = kWideLetter;
    for (char c = '1'; c <= '4'; ++c)
        modules[static_cast<unsigned char>(c)] = static_cast<std::int8_t>(c - '0');
    return modules;
}();

class PatternSink {
  public:
    virtual ~PatternSink() = default;

    // Colour letter "b" is a bar, any other a space; width letters "n" (narrow), "w" (wide),
    // "1" to "4" (module counts) give the element's width, any other letter skips the element.
    // Strings of unequal length draw nothing.
    virtual void drawPatternAt(std::string_view colours, std::string_view widths,
                               std::int32_t topOffset) = 0;
    void drawPattern(std::string_view colours, std::string_view widths) {
        drawPatternAt(colours, widths, 0);
    }
    // EAN/UPC guards and add-ons: with a font and guard bars, bars reach down by the font height.
    virtual void drawGuardPattern(std::string_view colours, std::string_view widths,
                                  std::int32_t topOffset) = 0;
    // The drawing position; 64-bit so that gaps and huge module widths cannot overflow.
    virtual std::int64_t x() const = 0;
    virtual void setX(std::int64_t x) = 0;
    // A bar of BarColor with its outline: columns x .. x + w - 1, rows y .. y + h inclusive.
    // Does not move the drawing position.
    virtual void fillRectangle(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h) = 0;
};

}  // namespace qv::barcode1d
