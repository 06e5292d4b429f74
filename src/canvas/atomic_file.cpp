#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <string>

#include "quorvantix/png.h"

namespace qv {
namespace {

std::string failure(const std::string& what, const std::string& path, int err) {
    return "cannot " + what + " " + path + ": " + std::strerror(err);
}

std::string directoryOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
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
                         std::string* error) {
    auto fail = [&](const std::string& message) {
        if (error != nullptr) *error = message;
        return false;
    };
    if (path.empty()) return fail("cannot write an empty file name");
    if (data == nullptr && size > 0) return fail("cannot write " + path + ": no data");
    // A unique name in the same folder, so the rename cannot cross file systems. Created with
    // the usual permissions (the umask applies), unlike mkstemp's private ones.
    static std::atomic<unsigned> counter{0};
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
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
    if (!writeAll(fd, data, size)) return abandon("write");
    if (::fsync(fd) != 0) return abandon("flush");
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
    // Make the rename itself durable; the file is in place whatever this says.
    const int dir = ::open(directoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

}  // namespace qv
