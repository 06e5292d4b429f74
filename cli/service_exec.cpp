#include "service_exec.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>

namespace qv::cli {

int execService(const std::string& folder, const std::vector<std::string>& args,
                std::ostream& err) {
    if (folder.empty()) {
        err << "quorvantix serve: cannot find the folder of this program to start "
            << kServiceProgram << '\n';
        return 1;
    }
    const std::string program = (std::filesystem::path(folder) / kServiceProgram).string();
    std::vector<char*> argv;
    argv.reserve(args.size() + 2);
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    err.flush();
    ::execv(program.c_str(), argv.data());
    const int error = errno;
    err << "quorvantix serve: cannot start " << program << ": " << std::strerror(error)
        << (error == ENOENT ? " (the service is installed beside the quorvantix program)" : "")
        << '\n';
    return 1;
}

std::string programFolder() {
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : self.parent_path().string();
}

}  // namespace qv::cli
