// C libraries opened on first use rather than at start-up: a process that never draws text or
// writes PDF does not pay for loading them. Each is opened once and never closed, since the
// functions resolved from it stay in use until the process ends.
#pragma once

#include <bit>
#include <string>

namespace qv::canvas {

class SharedLibrary {
  public:
    // Opens the library by its file name (as the dynamic loader finds it, "libcairo.so.2").
    explicit SharedLibrary(const char* file);

    // Sets `slot` to the function `name`, or records that it is missing.
    template <typename Function>
    void resolve(Function& slot, const char* name) {
        slot = std::bit_cast<Function>(symbol(name));
    }

    // Whether the library opened and every name resolved so far was found.
    bool ok() const { return error_.empty(); }
    // What failed, for people: the loader's message for the library or the first missing name.
    const std::string& error() const { return error_; }

  private:
    void* symbol(const char* name);

    std::string file_;
    void* handle_ = nullptr;
    std::string error_;
};

// The table of one library's functions (one Table type per library), opened and filled by
// `fill(library, table)` on the first call; null, with the reason in *error, when the library or
// one of its functions is missing.
template <typename Table>
const Table* functionTable(const char* file, void (*fill)(SharedLibrary&, Table&),
                           std::string* error = nullptr) {
    struct Loaded {
        Table table;
        std::string error;
    };
    static const Loaded loaded = [&] {
        Loaded out;
        SharedLibrary library(file);
        fill(library, out.table);
        if (!library.ok()) out.error = library.error();
        return out;
    }();
    if (loaded.error.empty()) return &loaded.table;
    if (error) *error = loaded.error;
    return nullptr;
}

}  // namespace qv::canvas
