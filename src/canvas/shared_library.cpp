#include "canvas/shared_library.h"

#include <dlfcn.h>

namespace qv::canvas {

SharedLibrary::SharedLibrary(const char* file)
    : file_(file), handle_(::dlopen(file, RTLD_NOW | RTLD_LOCAL)) {
    if (handle_ == nullptr) {
        const char* why = ::dlerror();
        error_ = why != nullptr ? why : file_ + ": cannot open shared object file";
    }
}

void* SharedLibrary::symbol(const char* name) {
    if (handle_ == nullptr) return nullptr;
    ::dlerror();
    void* found = ::dlsym(handle_, name);
    if (found == nullptr && error_.empty()) error_ = file_ + " has no " + name;
    return found;
}

}  // namespace qv::canvas
