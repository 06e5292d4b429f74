#include "gs1/associations.h"
#include "gs1/components.h"
#include "gs1/describe.h"
#include "gs1/dictionary.h"
#include "quorvantix/gs1.h"

namespace qv::gs1 {

CheckReport checkElements(std::span<const Element> elements) {
    CheckReport report;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const Element& e = elements[i];
        const AiEntry* entry = findAi(e.ai);
        if (!entry) {
            report.errors.push_back(where(e.ai, e.position) + "unknown AI");
            continue;
        }
        checkComponents(e, *entry, report);
        // A repeated AI must repeat its data too: a reader keeps only one value.
        for (std::size_t j = 0; j < i; ++j) {
            if (elements[j].ai == e.ai && elements[j].data != e.data) {
                report.errors.push_back(where(e.ai, e.position) + "repeats the AI at position " +
                                        std::to_string(elements[j].position) + " with other data");
                break;
            }
        }
    }
    checkAssociations(elements, report);
    // Faults past the first few only repeat the lesson (and pairs of many elements add up).
    if (report.errors.size() > kMaxFaults) {
        const std::size_t more = report.errors.size() - kMaxFaults;
        report.errors.resize(kMaxFaults);
        report.errors.push_back("... and " + std::to_string(more) + " more faults");
    }
    return report;
}

}  // namespace qv::gs1
