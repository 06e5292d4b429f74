// GS1 data on the controls that carry it: EAN-128 and Data Matrix.
#include <algorithm>

#include "quorvantix/barcode1d.h"
#include "quorvantix/datamatrix.h"
#include "quorvantix/gs1.h"

namespace qv::gs1 {

bool Applied::ok() const {
    return std::none_of(notes.begin(), notes.end(),
                        [](const Note& n) { return n.severity == Note::Severity::Error; });
}

Applied applyGs1(Control& control, const Options& options) {
    Applied out;
    auto fail = [&](std::string text) {
        out.notes.push_back(Note{Note::Severity::Error, std::move(text)});
        return out;
    };
    auto* linear = dynamic_cast<TBarcode1D*>(&control);
    auto* matrix = dynamic_cast<TDatamatrix*>(&control);
    if (!linear && !matrix) return fail("GS1 data is for EAN-128 and Data Matrix only");
    if (linear && linear->barType != TSymbology::EAN128)
        return fail("GS1 data needs barType EAN128 (it is " +
                    std::to_string(static_cast<int>(linear->barType)) + ")");
    // C40, Text, Base 256 and no encodation would write the leading FNC1 as a plain character,
    // and the symbol would not read as GS1.
    if (matrix && matrix->Encoding != TEncoding::E_ASCII && matrix->Encoding != TEncoding::E_AUTO)
        return fail("GS1 data needs Encoding E_ASCII or E_AUTO to start with FNC1 (it is " +
                    std::to_string(static_cast<int>(matrix->Encoding)) + ")");

    const Parsed parsed = parseElementStrings(linear ? linear->Code : matrix->Code);
    if (!parsed.ok()) return fail(parsed.error);
    if (options.check) {
        CheckReport report = checkElements(parsed.elements);
        out.skipped = std::move(report.skipped);
        for (auto& e : report.errors)
            out.notes.push_back(Note{Note::Severity::Error, std::move(e)});
        if (!report.ok()) return out;
    }

    if (linear) {
        linear->Code = ean128Data(parsed.elements);
        linear->ProcessTilde = true;
        linear->textOverride = humanReadable(parsed.elements);
        if (const std::size_t n = gs1_128Length(parsed.elements); n > kGs1_128MaxLength)
            out.notes.push_back(
                Note{Note::Severity::Warning, "GS1-128 data is " + std::to_string(n) +
                                                  " characters, beyond the limit of " +
                                                  std::to_string(kGs1_128MaxLength)});
    } else {
        matrix->Code = datamatrixData(parsed.elements, options.datamatrixSeparator);
        matrix->ProcessTilde = true;
        matrix->rebuild = true;
    }
    return out;
}

}  // namespace qv::gs1
