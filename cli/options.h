// The command's arguments, parsed but not yet checked against a control's properties.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace qv::cli {

// Largest image the command writes, side by side and in total (a raster of 4 bytes a pixel).
inline constexpr std::int32_t kMaxSide = 20000;
inline constexpr std::int64_t kMaxPixels = std::int64_t{1} << 26;

// One property write, in command-line order. `option` names where it came from ("--set", "-d").
struct Assignment {
    std::string option;
    std::string name;
    std::string value;
};

struct Size {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

struct Options {
    std::string control;
    std::vector<Assignment> assignments;
    std::optional<std::string> output;
    std::optional<Size> size;
    bool info = false;
    bool strict = false;
    bool macro = false;
    bool help = false;
};

// The message of a usage error.
struct UsageError {
    std::string message;
};

// Names of the shorthand properties (-d, -t) are filled in by the caller once the control is
// known; here they travel under the option's own name.
inline constexpr std::string_view kDataOption = "-d";
inline constexpr std::string_view kTypeOption = "-t";

std::variant<Options, UsageError> parseArguments(const std::vector<std::string>& args);

// Whether an image of this size may be written; the message says why not.
std::optional<std::string> checkImageSize(std::int64_t width, std::int64_t height);

}  // namespace qv::cli
