#include "gs1/dictionary.h"

#include <algorithm>

#include "gs1/generated_tables.h"

namespace qv::gs1 {

std::span<const AiEntry> allAis() {
    return generated::kAis;
}

const AiEntry* findAi(std::string_view ai) {
    const auto ais = allAis();
    const auto it =
        std::lower_bound(ais.begin(), ais.end(), ai,
                         [](const AiEntry& e, std::string_view key) { return e.ai < key; });
    return it != ais.end() && it->ai == ai ? &*it : nullptr;
}

std::span<const Component> componentsOf(const AiEntry& entry) {
    return std::span<const Component>(generated::kComponents)
        .subspan(entry.firstComponent, entry.componentCount);
}

std::string_view dictionaryRelease() {
    return generated::kRelease;
}

bool isCountryNumeric(std::string_view threeDigits) {
    if (threeDigits.size() != 3) return false;
    int value = 0;
    for (const char c : threeDigits) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return std::binary_search(std::begin(generated::kCountryNumeric),
                              std::end(generated::kCountryNumeric), value);
}

bool isCountryAlpha2(std::string_view twoLetters) {
    return twoLetters.size() == 2 &&
           std::binary_search(std::begin(generated::kCountryAlpha2),
                              std::end(generated::kCountryAlpha2), twoLetters);
}

}  // namespace qv::gs1
