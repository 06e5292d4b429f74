// Reading back what the command wrote.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "quorvantix/raster.h"

namespace qv::cli::test {

struct Image {
    bool ok = false;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> rgb;  // 3 bytes a pixel, rows top to bottom
    // 0x00BBGGRR, as the library's colours.
    std::uint32_t pixel(std::uint32_t x, std::uint32_t y) const;
};

Image readPng(const std::filesystem::path& path);
// The image as a raster, for the reader.
std::unique_ptr<Bitmap> toBitmap(const Image& image);
std::string readText(const std::filesystem::path& path);

// A fresh directory, removed with its files at the end of the scope.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    // Names of the files it holds, sorted.
    std::vector<std::string> files() const;

  private:
    std::filesystem::path path_;
};

}  // namespace qv::cli::test
