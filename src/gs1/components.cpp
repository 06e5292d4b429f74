#include "gs1/components.h"

#include "gs1/charsets.h"
#include "gs1/describe.h"
#include "gs1/linters.h"

namespace qv::gs1 {
namespace {

std::string lengthRange(std::size_t low, std::size_t high) {
    return low == high ? std::to_string(low) : std::to_string(low) + " to " + std::to_string(high);
}

std::string plural(std::size_t n, std::string_view what) {
    return std::to_string(n) + " " + std::string(what) + (n == 1 ? "" : "s");
}

}  // namespace

void checkComponents(const Element& e, const AiEntry& entry, CheckReport& report) {
    const auto components = componentsOf(entry);
    std::size_t low = 0, high = 0;
    for (const Component& c : components) {
        if (!c.optional) low += c.minLength;
        high += c.maxLength;
    }
    const std::string_view data = e.data;
    if (data.size() < low || data.size() > high) {
        report.errors.push_back(where(e.ai, e.dataPosition) + plural(data.size(), "character") +
                                ", should be " + lengthRange(low, high));
        return;
    }
    std::size_t at = 0;
    for (std::size_t k = 0; k < components.size(); ++k) {
        const Component& c = components[k];
        const std::size_t left = data.size() - at;
        if (left == 0 && c.optional) break;
        std::size_t n = c.maxLength;
        if (c.minLength != c.maxLength) n = left;  // only the last component varies
        if (left < n) {
            report.errors.push_back(where(e.ai, e.dataPosition + at) + "part " +
                                    std::to_string(k + 1) + " has " + plural(left, "character") +
                                    ", should have " + std::to_string(n));
            return;
        }
        const std::string_view part = data.substr(at, n);
        if (const auto bad = firstOutside(c.cset, part); bad != std::string_view::npos) {
            report.errors.push_back(where(e.ai, e.dataPosition + at + bad) +
                                    describeChar(part[bad]) + " is " +
                                    std::string(csetDescription(c.cset)));
            return;
        }
        std::string_view names = c.linters;
        while (!names.empty()) {
            const auto comma = names.find(',');
            const std::string_view name = names.substr(0, comma);
            names = comma == std::string_view::npos ? std::string_view{} : names.substr(comma + 1);
            const Linter linter = findLinter(name);
            if (!linter) {
                report.skipped.push_back(where(e.ai, e.dataPosition + at) + std::string(name));
                continue;
            }
            if (auto fault = linter(part)) {
                report.errors.push_back(where(e.ai, e.dataPosition + at + fault->offset) +
                                        fault->text);
                return;
            }
        }
        at += n;
    }
    if (at < data.size())
        report.errors.push_back(where(e.ai, e.dataPosition + at) + "unexpected data after part " +
                                std::to_string(components.size()));
}

}  // namespace qv::gs1
