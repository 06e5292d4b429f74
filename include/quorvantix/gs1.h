// GS1 element strings ("(01)09501101530003(17)250101(10)ABC123") for EAN-128 and Data Matrix:
// parsed, checked against the GS1 syntax dictionary, and written as the controls' escapes.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "quorvantix/control.h"

namespace qv::gs1 {

// One element string: an Application Identifier and its data.
struct Element {
    std::string ai;
    std::string data;              // escapes resolved
    std::size_t position = 0;      // 1-based, of the AI's opening bracket in the text
    std::size_t dataPosition = 0;  // 1-based, of the data's first character
};

struct Parsed {
    std::vector<Element> elements;
    std::string error;  // empty when the text parsed
    bool ok() const { return error.empty(); }
};

// AIs in parentheses, "(01)...(17)...", or in brackets, "[01]...[17]..." (the first character
// decides). Inside data "\(" stands for a parenthesis (and "\[" for a bracket in bracket form).
Parsed parseElementStrings(std::string_view text);
inline constexpr std::size_t kMaxTextLength = 8192;

struct CheckReport {
    std::vector<std::string> errors;   // each names the AI, its position and the fault
    std::vector<std::string> skipped;  // checks the dictionary asks for that are not implemented
    bool ok() const { return errors.empty(); }
};

// Known AIs, component lengths and character sets, the dictionary's linters, and the required
// (req) and exclusive (ex) partners within the message.
// At most kMaxFaults errors are listed, then one line that counts the rest.
CheckReport checkElements(std::span<const Element> elements);
inline constexpr std::size_t kMaxFaults = 50;

// The linter names that are checked; any other name in the dictionary is reported as skipped.
std::span<const std::string_view> implementedLinters();

// How Data Matrix separates a variable-length field from the next: FNC1 (the escape "~1"), or
// the GS character (29) that some scanner setups expect.
enum class Separator : unsigned char { Fnc1, GroupSeparator };

// Data for the linear control's EAN-128 with ProcessTilde on: the control writes the leading
// FNC1 itself; "~202" separates, a "~" in data is doubled.
std::string ean128Data(std::span<const Element> elements);
// Data for the Data Matrix control with ProcessTilde on: "~1" first, then the elements with the
// separator chosen; a "~" in data is doubled.
std::string datamatrixData(std::span<const Element> elements, Separator separator);
// The human-readable text: each AI in parentheses before its data.
std::string humanReadable(std::span<const Element> elements);
// Characters that count against GS1-128's limit of 48: AIs, data and separating FNC1s.
std::size_t gs1_128Length(std::span<const Element> elements);
inline constexpr std::size_t kGs1_128MaxLength = 48;

struct Options {
    bool check = true;  // false: test symbols, only the element strings need to parse
    Separator datamatrixSeparator = Separator::Fnc1;
};

struct Applied {
    // For the host: an Error note for each fault (the control is then left as it was, and nothing
    // should be drawn), a Warning beyond GS1-128's length limit.
    std::vector<Note> notes;
    std::vector<std::string> skipped;  // checks not made, as checkElements reports them
    bool ok() const;
};

// Reads the control's data as element strings and rewrites the control to encode them: the
// linear control (EAN-128 only) with the GS1 text under the symbol, or the Data Matrix control.
Applied applyGs1(Control& control, const Options& options);

}  // namespace qv::gs1
