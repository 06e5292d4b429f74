#include "output.h"

#include <cstdio>
#include <filesystem>

#include "quorvantix/png.h"

namespace qv::cli {

std::string segmentPath(const std::string& path, int number) {
    const std::filesystem::path p(path);
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "-%03d", number);
    std::filesystem::path named = p;
    named.replace_filename(p.stem().string() + suffix + p.extension().string());
    return named.string();
}

bool writeAll(const std::vector<OutputFile>& files, std::string& error, FolderSync* sync) {
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::string why;
        if (!writeFileAtomically(files[i].path, files[i].bytes.data(), files[i].bytes.size(), &why,
                                 sync)) {
            error = "cannot write " + files[i].path + (why.empty() ? "" : ": " + why);
            for (std::size_t j = 0; j < i; ++j) std::remove(files[j].path.c_str());
            return false;
        }
    }
    return true;
}

}  // namespace qv::cli
