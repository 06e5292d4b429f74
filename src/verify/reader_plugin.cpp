#include "verify/reader_plugin.h"

#include <dlfcn.h>

#include <filesystem>
#include <vector>

#include "canvas/shared_library.h"

namespace qv::verify {
namespace {

namespace fs = std::filesystem;

struct Plugin {
    QvReaderRead read = nullptr;
    std::string error;
};

// Beside the program or library that holds this code (the build tree), in the installed
// layout relative to either, then the installed prefix and the build tree by absolute path
// (programs linked elsewhere, the tests).
std::vector<fs::path> places() {
    std::vector<fs::path> folders;
    std::error_code ec;
    Dl_info info{};
    static const char kHere = 0;
    if (::dladdr(&kHere, &info) != 0 && info.dli_fname != nullptr &&
        std::string_view(info.dli_fname).find('/') != std::string_view::npos) {
        const fs::path file = fs::canonical(info.dli_fname, ec);
        if (!ec) folders.push_back(file.parent_path());
    }
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) folders.push_back(self.parent_path());
    std::vector<fs::path> out;
    for (const auto& folder : folders) {
        out.push_back(folder / QV_READER_FILE);
        out.push_back(folder / QV_READER_FROM_LIB / QV_READER_FILE);
        out.push_back(folder / QV_READER_FROM_BIN / QV_READER_FILE);
    }
    out.push_back(fs::path(QV_READER_INSTALLED) / QV_READER_FILE);
    out.push_back(fs::path(QV_READER_BUILT) / QV_READER_FILE);
    return out;
}

Plugin open() {
    Plugin plugin;
    if (QV_HAVE_ZXING == 0) {
        plugin.error = "this build has no reader";
        return plugin;
    }
    for (const auto& place : places()) {
        std::error_code ec;
        if (!fs::exists(place, ec)) continue;
        // Never closed: its code stays in use.
        canvas::SharedLibrary library(place.c_str());
        QvReaderAbi abi = nullptr;
        QvReaderRead read = nullptr;
        library.resolve(abi, "qv_reader_abi");
        library.resolve(read, "qv_reader_read");
        if (!library.ok()) {
            plugin.error = library.error();
            continue;
        }
        if (abi() != QV_READER_ABI) {
            plugin.error = place.string() + " is of another version";
            continue;
        }
        plugin.read = read;
        plugin.error.clear();
        return plugin;
    }
    if (plugin.error.empty())
        plugin.error = std::string("the reader ") + QV_READER_FILE + " is not installed";
    return plugin;
}

const Plugin& plugin() {
    static const Plugin loaded = open();
    return loaded;
}

void deliver(void* context, const QvReadResult* result) {
    auto& out = *static_cast<std::optional<ReadBack>*>(context);
    // Nothing may unwind through the plugin.
    try {
        out = ReadBack{.valid = result->valid != 0,
                       .bytes = std::string(result->bytes, result->bytesLength),
                       .text = std::string(result->text, result->textLength),
                       .sequenceIndex = result->sequenceIndex,
                       .sequenceSize = result->sequenceSize,
                       .sequenceId = std::string(result->sequenceId, result->sequenceIdLength)};
    } catch (...) {
        out.reset();
    }
}

}  // namespace

bool readerAvailable(std::string* why) {
    if (plugin().read != nullptr) return true;
    if (why) *why = plugin().error;
    return false;
}

std::optional<ReadBack> readBack(const QvReadRequest& request) {
    if (plugin().read == nullptr) return std::nullopt;
    std::optional<ReadBack> out;
    if (plugin().read(&request, &deliver, &out) != 0) return std::nullopt;
    return out;
}

}  // namespace qv::verify
