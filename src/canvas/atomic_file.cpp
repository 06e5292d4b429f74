#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <string>

#include "quorvantix/folder_sync.h"
#include "quorvantix/png.h"

namespace qv {
namespace {

std::string failure(const std::string& what, const std::string& path, int err) {
    return "cannot " + what + " " + path + ": " + std::strerror(err);
}

bool writeAll(int fd, const void* data, std::size_t size) {
    const auto* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

bool writeFileAtomically(const std::string& path, const void* data, std::size_t size,
                         std::string* error, FolderSync* sync) {
    auto fail = [&](const std::string& message) {
        if (error != nullptr) *error = message;
        return false;
    };
    if (path.empty()) return fail("cannot write an empty file name");
    if (data == nullptr && size > 0) return fail("cannot write " + path + ": no data");
    // A file being replaced keeps its permissions; one its owner made read-only stays as it is
    // (the rename would go through, as it needs only the folder to be writable).
    struct stat existing {};
    const bool replacing = ::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);
    if (replacing &&
        ((existing.st_mode & 0222) == 0 || (::access(path.c_str(), W_OK) != 0 && errno == EACCES)))
        return fail("cannot replace " + path + ": the file is read-only");
    // A unique name in the same folder, so the rename cannot cross file systems. Created with
    // the usual permissions (the umask applies), unlike mkstemp's private ones.
    static std::atomic<unsigned> counter{0};
    // Asked once: a forked child that keeps it can only collide, and O_EXCL settles collisions.
    static const std::string pid = std::to_string(::getpid());
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = path + ".tmp-" + pid + "-" + std::to_string(counter++);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return fail(failure("create a file next to", path, errno));
    }
    if (fd < 0) return fail(failure("create a file next to", path, EEXIST));
    auto abandon = [&](const std::string& what) {
        const int err = errno;
        ::close(fd);
        ::unlink(temp.c_str());
        return fail(failure(what, path, err));
    };
    if (replacing && ::fchmod(fd, existing.st_mode & 0777) != 0)
        return abandon("keep the permissions of");
    // No flush per file: the rename keeps readers from ever seeing part of a file, and those who
    // need it on disk before going on ask for one flush per folder at the end (FolderSync).
    if (!writeAll(fd, data, size)) return abandon("write");
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return fail(failure("write", path, err));
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return fail(failure("replace", path, err));
    }
    if (sync != nullptr) sync->add(path);
    return true;
}

}  // namespace qv
