// Element strings written as the controls' escapes, and as the text under the symbol.
#include "gs1/dictionary.h"
#include "quorvantix/gs1.h"

namespace qv::gs1 {
namespace {

// A field of predefined length ends by itself; every other one (and an AI the dictionary lacks,
// which only unchecked data has) needs a separator when another element follows.
bool needsSeparator(const Element& e) {
    const AiEntry* entry = findAi(e.ai);
    return !entry || !entry->predefinedLength;
}

// Both controls read "~~" as one "~"; a lone one would start an escape.
std::string escapeTildes(std::string_view data) {
    std::string out;
    out.reserve(data.size());
    for (const char c : data) {
        out += c;
        if (c == '~') out += '~';
    }
    return out;
}

std::string joined(std::span<const Element> elements, std::string_view separator) {
    std::string out;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        out += elements[i].ai;
        out += escapeTildes(elements[i].data);
        if (i + 1 < elements.size() && needsSeparator(elements[i])) out += separator;
    }
    return out;
}

}  // namespace

std::string ean128Data(std::span<const Element> elements) {
    return joined(elements, "~202");
}

std::string datamatrixData(std::span<const Element> elements, Separator separator) {
    return "~1" + joined(elements, separator == Separator::Fnc1 ? "~1" : "\x1D");
}

std::string humanReadable(std::span<const Element> elements) {
    std::string out;
    for (const Element& e : elements) out += "(" + e.ai + ")" + e.data;
    return out;
}

std::size_t gs1_128Length(std::span<const Element> elements) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        n += elements[i].ai.size() + elements[i].data.size();
        if (i + 1 < elements.size() && needsSeparator(elements[i])) ++n;
    }
    return n;
}

}  // namespace qv::gs1
