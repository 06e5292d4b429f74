#include "server_state.h"

#include <atomic>

namespace qv::activex {
namespace {

HINSTANCE gInstance = nullptr;
std::atomic<long> gObjects{0};
std::atomic<long> gLocks{0};

}  // namespace

HINSTANCE moduleInstance() {
    return gInstance;
}
void setModuleInstance(HINSTANCE instance) {
    gInstance = instance;
}

std::wstring modulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(gInstance, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);  // truncated: try a larger buffer
    }
}

void objectCreated() {
    ++gObjects;
}
void objectDestroyed() {
    --gObjects;
}
void lockServer(bool lock) {
    lock ? ++gLocks : --gLocks;
}
bool canUnload() {
    return gObjects.load() == 0 && gLocks.load() <= 0;
}

}  // namespace qv::activex
