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

}  // namespace

std::optional<std::string> checkImageSize(std::int64_t width, std::int64_t height) {
    const std::string size = std::to_string(width) + " x " + std::to_string(height);
    if (width < 1 || height < 1) return "an image of " + size + " pixels has no area";
    if (width > kMaxSide || height > kMaxSide || width * height > kMaxPixels)
        return "an image of " + size + " pixels is larger than the limit of " +
               std::to_string(kMaxSide) + " pixels a side and " + std::to_string(kMaxPixels) +
               " pixels in all";
    return std::nullopt;
}

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
        } else if (arg == "--macro") {
            options.macro = true;
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
