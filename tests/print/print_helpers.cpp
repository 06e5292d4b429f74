#include "print_helpers.h"

#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace qv::test {
namespace {

const std::filesystem::path& scratchDir() {
    static const std::filesystem::path dir = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "qv-print-XXXXXX").string();
        const char* made = mkdtemp(pattern.data());
        return std::filesystem::path(made ? made : "/tmp");
    }();
    static const struct Cleanup {
        ~Cleanup() {
            std::error_code ec;
            std::filesystem::remove_all(dir, ec);
        }
    } cleanup;
    return dir;
}

// A binary PGM (P5, 8 bits) as a grey raster.
std::unique_ptr<Bitmap> readPgm(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int w = 0, h = 0, max = 0;
    // Numbers, each possibly after comment lines.
    auto next = [&](int& v) {
        while (in >> std::ws && in.peek() == '#') in.ignore(1 << 16, '\n');
        in >> v;
    };
    in >> magic;
    next(w);
    next(h);
    next(max);
    if (!in || magic != "P5" || max != 255 || w <= 0 || h <= 0) return nullptr;
    in.get();
    std::vector<char> data(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    if (!in.read(data.data(), static_cast<std::streamsize>(data.size()))) return nullptr;
    auto bitmap = std::make_unique<Bitmap>(w, h);
    auto px = bitmap->pixels();
    for (std::size_t i = 0; i < data.size(); ++i) {
        const std::uint32_t g = static_cast<std::uint8_t>(data[i]);
        px[i] = g | g << 8 | g << 16;
    }
    return bitmap;
}

bool dark(std::uint32_t c) {
    const unsigned r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    return r * 306 + g * 601 + b * 117 < 128 * 1024;
}

}  // namespace

std::string shell(const std::string& command, int* status) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        if (status) *status = -1;
        return out;
    }
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;) out.append(buf, n);
    const int rc = pclose(pipe);
    if (status) *status = rc;
    return out;
}

std::string scratchFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const auto path = scratchDir() / name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path.string();
}

std::unique_ptr<Bitmap> renderBack(ImageFormat format, const std::string& path, double dpi,
                                   int page) {
    std::ostringstream r;
    r << dpi;
    const std::string out = path + "-" + std::to_string(page);
    std::string command;
    if (format == ImageFormat::Pdf) {
        command = "pdftoppm -gray -r " + r.str() + " -f " + std::to_string(page) + " -l " +
                  std::to_string(page) + " -singlefile '" + path + "' '" + out + "'";
    } else {
        command = "gs -q -dSAFER -dBATCH -dNOPAUSE -dEPSCrop -sDEVICE=pgmraw -r" + r.str() +
                  " -sOutputFile='" + out + ".pgm' '" + path + "'";
    }
    int status = 0;
    shell(command + " 2>&1", &status);
    if (status != 0) return nullptr;
    return readPgm(out + ".pgm");
}

Rgba renderBackWithAlpha(ImageFormat format, const std::string& path, double dpi) {
    std::ostringstream r;
    r << dpi;
    const std::string out = path + "-alpha";
    const std::string command =
        format == ImageFormat::Pdf
            ? "pdftocairo -png -transp -singlefile -r " + r.str() + " '" + path + "' '" + out + "'"
            : "gs -q -dSAFER -dBATCH -dNOPAUSE -dEPSCrop -sDEVICE=pngalpha -r" + r.str() +
                  " -sOutputFile='" + out + ".png' '" + path + "'";
    int status = 0;
    shell(command + " 2>&1", &status);
    std::ifstream in(out + ".png", std::ios::binary);
    const std::vector<std::uint8_t> png{std::istreambuf_iterator<char>(in), {}};
    return status == 0 ? decodePng(png) : Rgba{};
}

Rgba decodePng(const std::vector<std::uint8_t>& png) {
    Rgba out;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) return out;
    image.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return out;
    out.width = image.width;
    out.height = image.height;
    out.pixels = std::move(pixels);
    return out;
}

std::unique_ptr<Bitmap> toBitmap(const Rgba& image) {
    auto bitmap = std::make_unique<Bitmap>(static_cast<std::int32_t>(image.width),
                                           static_cast<std::int32_t>(image.height));
    auto px = bitmap->pixels();
    for (std::size_t i = 0; i < px.size(); ++i) {
        const std::uint8_t* p = &image.pixels[i * 4];
        px[i] = std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16;
    }
    return bitmap;
}

std::int64_t inkDifferences(const Bitmap& a, const Bitmap& b) {
    if (a.width() != b.width() || a.height() != b.height()) return -1;
    const auto pa = a.pixels();
    const auto pb = b.pixels();
    std::int64_t n = 0;
    for (std::size_t i = 0; i < pa.size(); ++i) n += dark(pa[i]) != dark(pb[i]) ? 1 : 0;
    return n;
}

}  // namespace qv::test
