// Writing the finished images: all of them or none.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qv {
class FolderSync;
}

namespace qv::cli {

struct OutputFile {
    std::string path;
    std::vector<std::uint8_t> bytes;
};

// "dir/name.png", 3 -> "dir/name-003.png".
std::string segmentPath(const std::string& path, int number);

// Writes each file atomically; when one fails, removes those already written and returns false
// with the reason in `error`. With `sync`, their folders are noted there for a flush.
bool writeAll(const std::vector<OutputFile>& files, std::string& error, FolderSync* sync);

}  // namespace qv::cli
