// The command line's argument parsing and everything it drives: the input is the argument list,
// split at zero bytes. Output files go to a private temporary folder, emptied after each run.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli.h"

namespace {

const std::filesystem::path& outputFolder() {
    static const std::filesystem::path folder = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "qv-fuzz-cli-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        return std::filesystem::path(pattern);
    }();
    return folder;
}

// Keeps the file name the input chose (its extension decides the format) but not its folder.
std::string confined(const std::string& path) {
    std::string name = std::filesystem::path(path).filename().string();
    if (name.empty() || name == "." || name == "..") name = "out";
    return (outputFolder() / name.substr(0, 64)).string();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            args.emplace_back();
        else
            args.back() += static_cast<char>(data[i]);
    }
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == "-o") args[i + 1] = confined(args[i + 1]);
        // A batch reads a file the input names: /dev/zero would never end.
        if (args[i] == "--batch") args[i + 1] = "-";
    }
    std::ostringstream out, err;
    qv::cli::run(args, out, err);
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(outputFolder(), ec))
        std::filesystem::remove_all(entry.path(), ec);
    return 0;
}
