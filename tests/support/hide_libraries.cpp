// Preloaded by tests (LD_PRELOAD) to run the program as on a machine that lacks some libraries:
// dlopen of a file named in QV_HIDE_LIBRARIES (names separated by ':') fails with the loader's
// own message, as if the library were not installed.
#include <dlfcn.h>

#include <bit>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

bool hidden(std::string_view file) {
    const char* list = std::getenv("QV_HIDE_LIBRARIES");
    if (list == nullptr) return false;
    const std::string_view base = file.substr(file.rfind('/') + 1);
    for (std::string_view rest = list; !rest.empty();) {
        const std::size_t end = rest.find(':');
        if (rest.substr(0, end) == base) return true;
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 1);
    }
    return false;
}

}  // namespace

extern "C" void* dlopen(const char* file, int mode) {
    using Open = void* (*)(const char*, int);
    static const Open real = std::bit_cast<Open>(dlsym(RTLD_NEXT, "dlopen"));
    if (file != nullptr && hidden(file)) {
        // A path that cannot exist, so that dlerror() tells what a missing library tells.
        thread_local std::string nowhere;
        nowhere = std::string("/nonexistent/") + file;
        return real(nowhere.c_str(), mode);
    }
    return real(file, mode);
}
