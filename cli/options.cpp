#include "options.h"

#include <charconv>

namespace qv::cli {
namespace {

std::optional<std::int64_t> parseDimension(std::string_view text) {
    std::int64_t v = 0;
    if (text.empty() || text.size() > 12) return std::nullopt;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return v;
}

std::variant<Size, UsageError> parseSize(std::string_view text) {
    const auto x = text.find_first_of("xX");
    std::optional<std::int64_t> w, h;
    if (x != std::string_view::npos) {
        w = parseDimension(text.substr(0, x));
        h = parseDimension(text.substr(x + 1));
    }
    if (!w || !h)
        return UsageError{"--size takes WIDTHxHEIGHT in pixels, not \"" + std::string(text) + "\""};
    if (auto problem = checkImageSize(*w, *h)) return UsageError{"--size: " + *problem};
    return Size{static_cast<std::int32_t>(*w), static_cast<std::int32_t>(*h)};
}

// A whole number from `low` to `high`, for the options that take one.
std::variant<std::int32_t, UsageError> parseCount(const std::string& option, std::string_view text,
                                                  std::int32_t low, std::int32_t high) {
    const auto v = parseDimension(text);
    if (!v || *v < low || *v > high)
        return UsageError{option + " takes a whole number from " + std::to_string(low) + " to " +
                          std::to_string(high) + ", not \"" + std::string(text) + "\""};
    return static_cast<std::int32_t>(*v);
}

}  // namespace

std::variant<Options, UsageError> parseArguments(const std::vector<std::string>& args) {
    Options options;
    std::size_t i = 0;
    auto value = [&]() -> std::optional<std::string> {
        if (i + 1 >= args.size()) return std::nullopt;
        return args[++i];
    };
    for (; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--info") {
            options.info = true;
        } else if (arg == "--strict") {
            options.strict = true;
        } else if (arg == "--sync") {
            options.sync = true;
        } else if (arg == "--macro") {
            options.macro = true;
        } else if (arg == "--scale" || arg == "--quiet-zone" || arg == "-j") {
            auto v = value();
            if (!v) return UsageError{arg + " needs a value"};
            const bool scale = arg == "--scale";
            const bool zone = arg == "--quiet-zone";
            auto n = parseCount(arg, *v, zone ? 0 : 1,
                                scale  ? kMaxScale
                                : zone ? kMaxQuietZone
                                       : kMaxJobs);
            if (auto* e = std::get_if<UsageError>(&n)) return *e;
            (scale  ? options.scale
             : zone ? options.quietZone
                    : options.jobs) = std::get<std::int32_t>(n);
        } else if (arg == "--batch") {
            auto v = value();
            if (!v) return UsageError{arg + " needs a value"};
            options.batch = *v;
        } else if (arg == "--set" || arg == "-d" || arg == "-t" || arg == "-o" || arg == "--size") {
            auto v = value();
            if (!v) return UsageError{arg + " needs a value"};
            if (arg == "-o") {
                options.output = *v;
            } else if (arg == "--size") {
                auto size = parseSize(*v);
                if (auto* e = std::get_if<UsageError>(&size)) return *e;
                options.size = std::get<Size>(size);
            } else if (arg == "--set") {
                const auto eq = v->find('=');
                if (eq == std::string::npos || eq == 0)
                    return UsageError{"--set takes NAME=VALUE, not \"" + *v + "\""};
                options.assignments.push_back({arg, v->substr(0, eq), v->substr(eq + 1)});
            } else {
                options.assignments.push_back({arg, arg, *v});
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            return UsageError{"unknown option " + arg};
        } else if (options.control.empty()) {
            options.control = arg;
        } else {
            return UsageError{"unexpected argument \"" + arg + "\""};
        }
    }
    return options;
}

}  // namespace qv::cli
