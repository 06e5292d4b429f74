// Batch runs: one symbol per input line, on several threads, each file as a single run makes it.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "options.h"
#include "registry.h"
#include "run.h"

namespace qv::cli {

// Longest input line; a longer one fails on its own and the batch goes on.
inline constexpr std::size_t kMaxBatchLine = std::size_t{1} << 20;
// A batch of at least this many lines shows its progress from the start (on a terminal).
inline constexpr std::uint64_t kProgressLines = 100;
// Failed lines whose messages are shown; the rest are counted.
inline constexpr std::size_t kShownFailures = 10;
// When this many first lines all fail with one message, the batch stops: it would go on so.
inline constexpr std::uint64_t kStopAfter = 100;

// An output name pattern: "%d" (or "%04d", ...) is the line number, "{NAME}" the value of the
// line's field NAME (for a line of data alone, the data property's name gives the data), "%%"
// a percent sign.
class NamePattern {
  public:
    static std::variant<NamePattern, UsageError> parse(std::string_view text);

    bool hasCounter() const { return hasCounter_; }
    // Whether {name} appears (case-insensitively).
    bool usesField(std::string_view name) const;
    struct Name {
        std::string path;
        std::string error;  // a field it names is missing or empty
    };
    // The file name for this line. Field values keep letters, digits, '-', '_' and '.' (at most
    // 100 of them); other bytes become '_', and a leading '.' too, so a value can neither leave
    // the folder nor hide the file.
    Name expand(std::uint64_t line, const std::vector<Assignment>& fields) const;

  private:
    struct Part {
        enum class Kind : std::uint8_t { Text, Counter, Field } kind;
        std::string text;  // literal text, or the field name
        int width = 0;
        bool zeros = false;
    };
    std::vector<Part> parts_;
    bool hasCounter_ = false;
};

// One input line as settings: the data alone (a line without a tab), or tab-separated
// NAME=VALUE fields. The error when a field has no name, or (given the control's table) when
// NAME=VALUE fields of its properties are separated by spaces.
std::variant<std::vector<Assignment>, std::string> parseBatchLine(
    std::string_view line, const ControlEntry& entry, std::span<const PropertyInfo> table = {});

// Runs options.batch; every symbol is made as runOne makes it. Returns 0 when every line
// succeeded, 1 when any failed, 2 on a usage error.
int runBatch(const ControlEntry& entry, const Options& options, std::ostream& err,
             const Environment& environment);

}  // namespace qv::cli
