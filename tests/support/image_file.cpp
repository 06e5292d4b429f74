#include "image_file.h"

#include <png.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace qv::cli::test {

std::uint32_t Image::pixel(std::uint32_t x, std::uint32_t y) const {
    const std::size_t i = (std::size_t{y} * width + x) * 3;
    return rgb[i] | (rgb[i + 1] << 8) | (std::uint32_t{rgb[i + 2]} << 16);
}

Image readPng(const std::filesystem::path& path) {
    Image image;
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) return image;
    png.format = PNG_FORMAT_RGB;
    image.rgb.resize(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, image.rgb.data(), 0, nullptr)) {
        png_image_free(&png);
        return image;
    }
    image.ok = true;
    image.width = png.width;
    image.height = png.height;
    return image;
}

std::unique_ptr<Bitmap> toBitmap(const Image& image) {
    auto bitmap = std::make_unique<Bitmap>(image.width, image.height);
    auto pixels = bitmap->pixels();
    for (std::uint32_t y = 0; y < image.height; ++y)
        for (std::uint32_t x = 0; x < image.width; ++x)
            pixels[std::size_t{y} * image.width + x] = image.pixel(x, y);
    return bitmap;
}

std::string readText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qv-cli-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::vector<std::string> TempDir::files() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(path_))
        names.push_back(e.path().filename().string());
    std::ranges::sort(names);
    return names;
}

}  // namespace qv::cli::test
