// The layer that every host for people stands on (the command line, the HTTP service, the Python
// package, and programs using the render API): the controls by name, property values as text,
// the options a person sets besides the properties (described once, here), and one call that
// makes a symbol from all of that. Hosts only translate their own syntax into a SymbolRequest,
// so they cannot disagree about the bytes they produce.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "quorvantix/control.h"
#include "quorvantix/render.h"

namespace qv {

// A control as hosts know it by name, with what they need to know of it beyond its property table.
struct ControlKind {
    std::string_view name = {};     // "barcode1d", "datamatrix", "pdf417", "maxicode"
    std::string_view summary = {};  // one line, for help texts
    std::unique_ptr<Control> (*create)() = nullptr;
    std::string_view dataProperty = {};  // what the data shorthand sets (-d, data=)
    std::string_view typeProperty = {};  // what the type shorthand sets (-t); empty: none
    // The margins a fitted image repeats on the right and below, and that the quiet zone sets;
    // nullopt: the control's own (standardMargins).
    std::optional<FitMargins> margins = std::nullopt;
    // The scale option multiplies these integer properties: the module size and the pixel
    // distances that stand for modules. Empty: scaling does not apply.
    std::span<const std::string_view> scaled = {};
    // The font property whose height the scale option multiplies, so that the text grows with the
    // bars. Empty: the text keeps its size.
    std::string_view scaledFont = {};
    // The width of one module in pixels, read after scaling. Empty: no quiet zone in modules.
    std::string_view moduleSize = {};
    // The host conveniences, after the property writes and the host options, before painting:
    // what a person means but the control's contract leaves to its host (a Data Matrix symbol
    // built from the current data, the UPC-E parity of the data's number system). `userSet`
    // holds the table names of the properties the host was asked to write.
    void (*beforePaint)(Control&, const std::set<std::string, std::less<>>& userSet) = nullptr;
    // Segmented output (Macro PDF417): prepares the split and returns the number of segments, or
    // a negative number when the data cannot be split; selectSegment picks one for the next paint.
    int (*prepareSegments)(Control&) = nullptr;
    void (*selectSegment)(Control&, int segment) = nullptr;
    // Whether a control instance is of this kind.
    bool (*isKind)(const Control&) = nullptr;
};

// The built-in controls.
std::span<const ControlKind> controlKinds();
// By name, ASCII case ignored; nullptr when there is none.
const ControlKind* findControlKind(std::string_view name);
// The same among a host's own kinds.
const ControlKind* findControlKind(std::span<const ControlKind> kinds, std::string_view name);
// The kind of a built-in control instance; nullptr for any other control.
const ControlKind* kindOf(const Control& control);

// Whether hosts may write the property (results and read-only properties they may not).
bool writableByHosts(const PropertyInfo& info);
// ASCII letters in either case match.
bool sameIgnoringCase(std::string_view a, std::string_view b);
// A short description of the text a property of this type takes, for messages and help.
std::string expectedText(const PropertyInfo& info);
// Whether two names are the same but for case, spaces and punctuation ("EAN-13", "ean13").
bool sameFoldedName(std::string_view a, std::string_view b);
// "; did you mean NAME?" for the name nearest to what was typed, or empty when none is near.
std::string didYouMean(std::string_view typed, std::span<const std::string_view> names);

// Writing a property from text, as --set, a URL query and a Python attribute all do.
struct SetResult {
    std::string property;  // the table's name of the property written (empty on failure)
    std::string error;     // why nothing was written (empty on success)
};
// "Font.Name", "Font.Height", "Font.Color", "Font.Bold", ... set one field of a font property;
// "Font=none" removes the font, "Font=NAME,HEIGHT" sets both.
SetResult setPropertyText(Control& control, std::string_view name, std::string_view text);
// Typed access through the property table; false / nullopt when there is no such property (or,
// for writing, it is read-only).
bool writePropertyValue(Control& control, std::string_view name, const PropertyValue& value);
std::optional<PropertyValue> readPropertyValue(const Control& control, std::string_view name);

// An option a person sets besides the properties: "scale", "quiet-zone", "size", and those that
// later features add ("dpi", "xdim", "rotate", "transparent", "verify", "gs1", "sync", ...). The
// command line spells it --NAME, the service ?NAME=, Python name_with_underscores=.
struct HostOptionInfo {
    std::string_view name;
    std::string_view argument;  // "N", "MODULES", "WxH", ...; empty for a flag (value "true")
    std::string_view help;      // one line
    // Stores the value given as text; the message when it does not fit.
    std::optional<std::string> (*set)(RenderOptions&, std::string_view text) = nullptr;
};
std::span<const HostOptionInfo> hostOptions();
const HostOptionInfo* findHostOption(std::string_view name);

// Parses one host option given as text into `options`; the message when the name is unknown or
// the value does not fit (the same message for every host). A flag takes "true"/"false"/"1"/"0".
std::optional<std::string> setHostOption(RenderOptions& options, std::string_view name,
                                         std::string_view text);
// A whole number from `low` to `high` given as text, or the message naming the option --NAME.
std::optional<std::int32_t> parseWholeNumber(std::string_view text, std::int32_t low,
                                             std::int32_t high);
std::string wholeNumberMessage(std::string_view option, std::string_view text, std::int32_t low,
                               std::int32_t high);

// Everything a host for people asks of one symbol.
struct SymbolRequest {
    std::string control = {};  // a ControlKind name
    // Property writes in the order given: NAME (a property, "Font.Name", ...) and VALUE as text.
    std::vector<std::pair<std::string, std::string>> properties = {};
    RenderOptions options = {};  // host options (already parsed with setHostOption)
    bool segments = false;       // every Macro PDF417 segment, one image each
    // Optional, one per property write: where the host took it from ("--set", "-d"), put before
    // its message.
    std::vector<std::string> origins = {};
};

// The outcome, in the command line's exit statuses.
enum class SymbolStatus : std::uint8_t {
    Ok = 0,
    Unavailable = 1,       // the output needs a library this machine lacks (RenderedImage)
    Usage = 2,             // unknown control or property, a value that does not fit, too large
    StrictWarnings = 3,    // options.strict and a warning note
    NotRepresentable = 4,  // an error note: the symbol cannot stand for the data
    VerifyFailed = 5,      // options.verify: a symbol read back as something else, or not at all
};

struct SymbolResult {
    SymbolStatus status = SymbolStatus::Ok;
    std::string message;                // for Usage: the message, as the command line prints it
    std::vector<RenderedImage> images;  // one, or one per segment; each with its notes
    // Notes that belong to no image: why the data could not be split into segments.
    std::vector<Note> notes;
    // Checks that were asked for but not made (GS1 linters not implemented), each naming the AI
    // and its position: neither warnings nor errors, but never to be taken as passed.
    std::vector<std::string> notChecked;
    // For a segmented request: the number of segments the data was split into. A PDF holds
    // them all as pages of its one image.
    std::int32_t segmentCount = 0;
    // What physical units came out as: "X-dimension 0.339 mm = 4 dots at 300 dpi".
    std::vector<std::string> facts;
    std::unique_ptr<Control> control;  // after the last paint: result properties are readable
};

// Creates the control, writes the properties in order, applies the host options and the host
// conveniences, and paints it in the format asked for (nullopt: paint once for the notes and
// the result properties only). Never throws for bad input; nothing is written to disk.
SymbolResult makeSymbol(const SymbolRequest& request, std::optional<ImageFormat> format);
// The same for a control kind of the host's own (request.control is not looked up).
SymbolResult makeSymbol(const ControlKind& kind, const SymbolRequest& request,
                        std::optional<ImageFormat> format);

}  // namespace qv
