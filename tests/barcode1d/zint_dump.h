// Runs the independent zint encoder and returns its module rows, for cross-checks of symbologies
// that the decoding library cannot read.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv::barcode1d::test {

// The program CMake found (QV_ZINT_PROGRAM), quoted for the shell.
inline std::string zintCommand() {
    std::string quoted = "'";
    for (const char c : std::string_view(QV_ZINT_PROGRAM))
        quoted += c == '\'' ? "'\\''" : std::string(1, c);
    return quoted + "'";
}

// Rows of "1"/"0" modules, trailing spaces cut; nullopt when zint fails. args must be safe for
// the shell (the tests pass digits and option words only).
inline std::optional<std::vector<std::string>> zintModules(const std::string& args) {
    FILE* pipe = popen((zintCommand() + " --dump " + args + " 2>/dev/null").c_str(), "r");
    if (pipe == nullptr) return std::nullopt;
    std::string out;
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    if (pclose(pipe) != 0) return std::nullopt;
    std::vector<std::string> rows;
    std::string row;
    std::size_t i = 0;
    while (i <= out.size()) {
        const char c = i < out.size() ? out[i] : '\n';
        const int nibble = c >= '0' && c <= '9'   ? c - '0'
                           : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                  : -1;
        if (nibble >= 0) {
            for (int b = 3; b >= 0; --b) row += (nibble >> b) & 1 ? '1' : '0';
        } else if (c == '\n' && !row.empty()) {
            row.erase(row.find_last_not_of('0') + 1);
            rows.push_back(row);
            row.clear();
        }
        ++i;
    }
    if (rows.empty()) return std::nullopt;
    return rows;
}

// Run lengths of a module row as digits ("1101" gives "211").
inline std::string runsOf(const std::string& modules) {
    std::string runs;
    for (std::size_t i = 0; i < modules.size();) {
        std::size_t j = i;
        while (j < modules.size() && modules[j] == modules[i]) ++j;
        runs += static_cast<char>('0' + (j - i));
        i = j;
    }
    return runs;
}

}  // namespace qv::barcode1d::test
