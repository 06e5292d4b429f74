// The GS1 Application Identifiers as the syntax dictionary describes them, compiled into tables
// at build time (see generate_tables.py), and the lookups over them.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace qv::gs1 {

// Character sets of a data component: digits, CSET 82, CSET 39, CSET 64 (base64url).
enum class Cset : std::uint8_t { N, X, Y, Z };

struct Component {
    Cset cset;
    std::uint8_t minLength;  // equal to maxLength unless the component has a variable length
    std::uint8_t maxLength;
    bool optional;
    std::string_view linters;  // comma-separated names, in the order they apply
};

struct AiEntry {
    std::string_view ai;
    bool predefinedLength;  // needs no FNC1 after it, even when another element follows
    std::uint16_t firstComponent;
    std::uint8_t componentCount;
    std::string_view spec;  // the dictionary's specification, as written there
    std::string_view req;   // space-separated req lists; each must be met by one of its groups
    std::string_view ex;    // comma-separated AIs and patterns ("310n") it may not appear with
    std::string_view title;
};

// Every AI of the dictionary, ranges expanded, in lexical order.
std::span<const AiEntry> allAis();
// The entry of exactly this AI; nullptr when the dictionary has none.
const AiEntry* findAi(std::string_view ai);
std::span<const Component> componentsOf(const AiEntry& entry);
// The dictionary's release line ("UNSET" when it names none).
std::string_view dictionaryRelease();

// ISO 3166-1: "276" numeric, "DE" alpha-2.
bool isCountryNumeric(std::string_view threeDigits);
bool isCountryAlpha2(std::string_view twoLetters);

}  // namespace qv::gs1
