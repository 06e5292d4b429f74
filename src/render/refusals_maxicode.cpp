// MaxiCode: a mode no reader knows, and postal fields that would be coded as zeros.
#include <algorithm>

#include "barcode1d/text_helpers.h"
#include "quorvantix/maxicode.h"
#include "render/refusals.h"

namespace qv::render {
namespace {

bool allDigits(std::string_view s) {
    return std::ranges::all_of(s, [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

void refuseMaxicode(const Control& control, std::vector<Note>& notes) {
    const auto& maxi = static_cast<const TMaxicode&>(control);
    const auto refuse = [&](std::string text) {
        notes.push_back({Note::Severity::Error, std::move(text)});
    };
    if (maxi.mode < 2 || maxi.mode > 6) {
        refuse("mode " + std::to_string(maxi.mode) + " is no MaxiCode mode: the modes are 2 to 6");
        return;
    }
    if (maxi.mode != 2 && maxi.mode != 3) return;
    // The paint wrote back the postal fields it coded.
    if (std::ranges::all_of(maxi.zipCode, [](char c) { return c == ' '; }))
        refuse("mode " + std::to_string(maxi.mode) +
               " needs a postal code: set zipCode, or give the postal fields in the data");
    const std::pair<std::string_view, const std::string&> numbers[] = {
        {"country", maxi.country}, {"serviceClass", maxi.serviceClass}};
    for (const auto& [name, value] : numbers)
        if (!value.empty() && (!allDigits(value) || value.size() > 3))
            refuse(std::string(name) + " takes a number of up to 3 digits, not \"" +
                   barcode1d::escapeForNote(value) + "\"");
}

}  // namespace qv::render
