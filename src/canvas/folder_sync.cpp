#include "quorvantix/folder_sync.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace qv {
namespace {

std::string directoryOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

}  // namespace

void FolderSync::add(const std::string& path) {
    std::string folder = directoryOf(path);
    std::lock_guard lock(mutex_);
    // Batches write file after file into the same folder: the last one is nearly always it.
    if (!folders_.empty() && folders_.back() == folder) return;
    if (std::find(folders_.begin(), folders_.end(), folder) == folders_.end())
        folders_.push_back(std::move(folder));
}

bool FolderSync::flush(std::string* error) {
    std::vector<std::string> folders;
    {
        std::lock_guard lock(mutex_);
        folders.swap(folders_);
    }
    bool ok = true;
    auto fail = [&](const std::string& folder, int err) {
        if (ok && error != nullptr)
            *error = "cannot flush " + folder + " to disk: " + std::strerror(err);
        ok = false;
    };
    for (const auto& folder : folders) {
        // One syncfs writes out the data of every file and every rename in the file system,
        // where a flush per file would wait on the disk once for each.
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) {
            fail(folder, errno);
            continue;
        }
        if (::syncfs(fd) != 0) fail(folder, errno);
        ::close(fd);
    }
    return ok;
}

}  // namespace qv
