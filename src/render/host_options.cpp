// The options a person sets besides the properties, one row each; every host parses and
// describes them from this table.
#include <algorithm>
#include <charconv>
#include <vector>

#include "quorvantix/host.h"
#include "quorvantix/units.h"

namespace qv {
namespace {

constexpr std::int32_t kMaxScale = 100;
constexpr std::int32_t kMaxQuietZone = 1000;

std::optional<std::int64_t> parseDimension(std::string_view text) {
    std::int64_t v = 0;
    if (text.empty() || text.size() > 12) return std::nullopt;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return v;
}

std::optional<std::string> setScale(RenderOptions& options, std::string_view text) {
    const auto n = parseWholeNumber(text, 1, kMaxScale);
    if (!n) return wholeNumberMessage("--scale", text, 1, kMaxScale);
    options.scale = *n;
    return std::nullopt;
}

std::optional<std::string> setQuietZone(RenderOptions& options, std::string_view text) {
    options.standardQuietZone = sameIgnoringCase(text, "standard");
    if (options.standardQuietZone) {
        options.quietZone = std::nullopt;
        options.quietZoneLength.reset();
        return std::nullopt;
    }
    if (const auto mm = parseLength(text)) {
        options.quietZoneLength = *mm;
        options.quietZone.reset();
        return std::nullopt;
    }
    const auto n = parseWholeNumber(text, 0, kMaxQuietZone);
    if (!n)
        return wholeNumberMessage("--quiet-zone", text, 0, kMaxQuietZone) +
               ", a length such as 2.5mm, or standard";
    options.quietZone = *n;
    options.quietZoneLength.reset();
    return std::nullopt;
}

std::optional<std::string> setDpi(RenderOptions& options, std::string_view text) {
    const auto dpi = parseDotsPerInch(text);
    if (!dpi) return "--dpi takes dots per inch from 1 to 10000, not \"" + std::string(text) + "\"";
    options.dotsPerInch = *dpi;
    return std::nullopt;
}

std::optional<std::string> setDpmm(RenderOptions& options, std::string_view text) {
    const auto dpi = parseDotsPerMillimetre(text);
    if (!dpi)
        return "--dpmm takes dots per millimetre (up to 393), not \"" + std::string(text) + "\"";
    options.dotsPerInch = *dpi;
    return std::nullopt;
}

// A length option: "0.33mm", "13mil", "0.5in".
std::optional<std::string> setLength(std::optional<double>& field, std::string_view option,
                                     std::string_view text) {
    const auto mm = parseLength(text);
    if (!mm || *mm <= 0)
        return "--" + std::string(option) +
               " takes a length such as 0.33mm, 13mil or 0.5in, not \"" + std::string(text) + "\"";
    field = *mm;
    return std::nullopt;
}

std::optional<std::string> setRotate(RenderOptions& options, std::string_view text) {
    const auto n = parseWholeNumber(text, 0, 270);
    if (!n || *n % 90 != 0)
        return "--rotate takes 0, 90, 180 or 270 degrees, not \"" + std::string(text) + "\"";
    options.rotation = *n;
    return std::nullopt;
}

std::optional<std::string> setSize(RenderOptions& options, std::string_view text) {
    const auto x = text.find_first_of("xX");
    std::optional<std::int64_t> w, h;
    if (x != std::string_view::npos) {
        w = parseDimension(text.substr(0, x));
        h = parseDimension(text.substr(x + 1));
    }
    if (!w || !h) return "--size takes WIDTHxHEIGHT in pixels, not \"" + std::string(text) + "\"";
    if (auto problem = checkImageSize(*w, *h)) return "--size: " + *problem;
    options.width = static_cast<std::int32_t>(*w);
    options.height = static_cast<std::int32_t>(*h);
    return std::nullopt;
}

std::optional<std::string> setFlag(bool& flag, std::string_view option, std::string_view text) {
    if (text == "true" || text == "1") {
        flag = true;
    } else if (text == "false" || text == "0") {
        flag = false;
    } else {
        return "--" + std::string(option) + " takes true, false, 1 or 0, not \"" +
               std::string(text) + "\"";
    }
    return std::nullopt;
}

std::optional<std::string> setStrict(RenderOptions& options, std::string_view text) {
    return setFlag(options.strict, "strict", text);
}

std::optional<std::string> setGs1(RenderOptions& options, std::string_view text) {
    return setFlag(options.gs1, "gs1", text);
}

// The GS1 variants say GS1 by themselves.
std::optional<std::string> setGs1NoCheck(RenderOptions& options, std::string_view text) {
    auto problem = setFlag(options.gs1NoCheck, "gs1-nocheck", text);
    options.gs1 = options.gs1 || options.gs1NoCheck;
    return problem;
}

std::optional<std::string> setGs1GsSeparator(RenderOptions& options, std::string_view text) {
    auto problem = setFlag(options.gs1GsSeparator, "gs1-gs-separator", text);
    options.gs1 = options.gs1 || options.gs1GsSeparator;
    return problem;
}

std::optional<std::string> setSync(RenderOptions& options, std::string_view text) {
    return setFlag(options.sync, "sync", text);
}

constexpr HostOptionInfo kHostOptions[] = {
    {"size", "WxH",
     "image size in pixels, the symbol centred in it (default: fit the symbol and its margins), "
     "at most 20000 a side and 67108864 pixels in all",
     &setSize},
    {"scale", "N",
     "multiply the module size and the distances counted in modules (1 to 100; CONTROL --help "
     "names the properties it writes)",
     &setScale},
    {"quiet-zone", "MODULES",
     "set the left and top margins to MODULES modules (0 to 1000), repeated right and below, or "
     "to a length at --dpi; standard: the symbology's own quiet zone on all four sides",
     &setQuietZone},
    {"strict", "", "fail (status 3, nothing written) when the data was changed to fit", &setStrict},
    {"gs1", "",
     "the data is GS1 element strings, (01)...(10)... (EAN-128, Data Matrix): checked first "
     "(status 4, nothing written, when a check fails), FNC1 placed, AIs in the text",
     &setGs1},
    {"gs1-nocheck", "", "--gs1 without the checks, for test symbols", &setGs1NoCheck},
    {"gs1-gs-separator", "",
     "--gs1 with the GS character (29) between Data Matrix fields instead of FNC1",
     &setGs1GsSeparator},
    {"sync", "",
     "have every file on disk before the command returns (one flush per output folder, not one "
     "per file)",
     &setSync},
    {"dpi", "DPI", "the printer's resolution in dots per inch: one pixel is one dot", &setDpi},
    {"dpmm", "DPMM", "the printer's resolution in dots per millimetre (8 for 203 dpi)", &setDpmm},
    {"xdim", "LENGTH",
     "module size (X-dimension) as a length, 0.33mm or 13mil, made the nearest whole dots at "
     "--dpi",
     [](RenderOptions& o, std::string_view t) { return setLength(o.xDimension, "xdim", t); }},
    {"bar-height", "LENGTH", "bar height (PDF417: row height) as a length, at --dpi",
     [](RenderOptions& o, std::string_view t) { return setLength(o.barHeight, "bar-height", t); }},
    {"rotate", "DEGREES", "turn the image clockwise by 90, 180 or 270 degrees", &setRotate},
    {"transparent", "", "leave the background unpainted (PNG, SVG, PDF, EPS)",
     [](RenderOptions& o, std::string_view t) { return setFlag(o.transparent, "transparent", t); }},
    {"verify", "", "read the symbol back before writing it; a mismatch writes nothing (status 5)",
     [](RenderOptions& o, std::string_view t) { return setFlag(o.verify, "verify", t); }},
};

}  // namespace

std::optional<std::int32_t> parseWholeNumber(std::string_view text, std::int32_t low,
                                             std::int32_t high) {
    const auto v = parseDimension(text);
    if (!v || *v < low || *v > high) return std::nullopt;
    return static_cast<std::int32_t>(*v);
}

std::string wholeNumberMessage(std::string_view option, std::string_view text, std::int32_t low,
                               std::int32_t high) {
    return std::string(option) + " takes a whole number from " + std::to_string(low) + " to " +
           std::to_string(high) + ", not \"" + std::string(text) + "\"";
}

std::span<const HostOptionInfo> hostOptions() {
    return kHostOptions;
}

const HostOptionInfo* findHostOption(std::string_view name) {
    const auto* it = std::ranges::find_if(
        kHostOptions, [&](const HostOptionInfo& o) { return sameIgnoringCase(o.name, name); });
    return it == std::end(kHostOptions) ? nullptr : it;
}

std::optional<std::string> setHostOption(RenderOptions& options, std::string_view name,
                                         std::string_view text) {
    const HostOptionInfo* option = findHostOption(name);
    if (!option) {
        std::vector<std::string_view> names;
        for (const auto& o : kHostOptions) names.push_back(o.name);
        return "unknown option --" + std::string(name) + didYouMean(name, names);
    }
    return option->set(options, text);
}

}  // namespace qv
