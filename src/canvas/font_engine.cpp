#include "canvas/font_engine.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <tuple>

#include "canvas/cp1252.h"
#include "canvas/font_libraries.h"
#include "canvas/prebuilt_fonts.h"

namespace qv::canvas {

struct FaceHandle {
    FT_Face face = nullptr;
    bool emboldenGlyphs = false;
    bool slantGlyphs = false;
    // Design metrics in font units: the cell is ascent + descent, as the platform measures it.
    std::int64_t ascent = 800;
    std::int64_t descent = 200;
    std::int64_t unitsPerEm = 1000;
};

namespace {

// Sized fonts kept at once, weighed by their pixel area so that a few huge sizes cannot hold
// gigabytes of glyphs; in-use fonts outlive an eviction through their shared pointers.
constexpr std::int64_t kCacheBudget = std::int64_t{1} << 22;

std::int64_t roundDiv(std::int64_t num, std::int64_t den) {
    return static_cast<std::int64_t>(
        std::llround(static_cast<double>(num) / static_cast<double>(den)));
}

class Engine {
  public:
    // Null until a face has been opened, which loads FreeType.
    const FreetypeApi* freetype() const { return ft_; }

    std::mutex& mutex() { return mutex_; }

    std::shared_ptr<const SizedFont> sized(const Font& font, bool mayUsePrebuilt) {
        std::lock_guard lock(mutex_);
        // Positive heights are cell heights, negative ones em sizes; zero and extremes clamp.
        const std::int64_t key =
            font.height >= 0 ? std::clamp<std::int64_t>(font.height, kMinPixelSize, kMaxPixelSize)
                             : -std::clamp<std::int64_t>(-std::int64_t{font.height}, kMinPixelSize,
                                                         kMaxPixelSize);
        if (mayUsePrebuilt && isDefaultName(font.name) && !font.italic) {
            if (auto found = prebuilt(font.bold, key)) return found;
        }
        auto face = resolve(font);
        const auto id = std::make_pair(face.get(), key);
        if (auto it = sized_.find(id); it != sized_.end()) return it->second;
        const std::int64_t cellUnits = face->ascent + face->descent;
        std::int64_t pixelSize = 0;
        std::int64_t ascent = 0;
        std::int64_t cell = 0;
        if (key > 0) {
            cell = key;
            pixelSize = roundDiv(cell * face->unitsPerEm, cellUnits);
            ascent = std::clamp<std::int64_t>(roundDiv(cell * face->ascent, cellUnits), 0, cell);
        } else {
            pixelSize = -key;
            ascent = roundDiv(face->ascent * pixelSize, face->unitsPerEm);
            cell = std::max<std::int64_t>(
                1, ascent + roundDiv(face->descent * pixelSize, face->unitsPerEm));
        }
        pixelSize = std::clamp<std::int64_t>(pixelSize, kMinPixelSize, kMaxPixelSize);
        const std::int64_t weight =
            std::max<std::int64_t>(pixelSize, 16) * std::max<std::int64_t>(pixelSize, 16);
        if (weight_ + weight > kCacheBudget) {
            sized_.clear();
            weight_ = 0;
        }
        weight_ += weight;
        auto result = std::make_shared<const SizedFont>(face, static_cast<std::int32_t>(pixelSize),
                                                        static_cast<std::int32_t>(ascent),
                                                        static_cast<std::int32_t>(cell));
        sized_.emplace(id, result);
        return result;
    }

  private:
    using FaceKey = std::tuple<std::string, bool, bool>;

    // The built-in face at a size the table holds (the one that resolve() would give).
    std::shared_ptr<const SizedFont> prebuilt(bool bold, std::int64_t key) {
        const auto fonts = prebuiltFonts();
        for (std::size_t i = 0; i < fonts.size(); ++i) {
            if (fonts[i].bold != bold || fonts[i].height != key) continue;
            if (prebuiltSized_.size() < fonts.size()) prebuiltSized_.resize(fonts.size());
            auto& sized = prebuiltSized_[i];
            if (!sized) sized = std::make_shared<const SizedFont>(fonts[i]);
            return sized;
        }
        return nullptr;
    }

    // FreeType, loaded on the first face opened; null when it cannot be.
    FT_Library library() {
        if (!freetypeTried_) {
            freetypeTried_ = true;
            ft_ = freetypeApi();
            if (ft_ == nullptr || ft_->Init_FreeType(&library_) != 0) library_ = nullptr;
        }
        return library_;
    }

    std::shared_ptr<FaceHandle> resolve(const Font& font) {
        FaceKey key{font.name, font.bold, font.italic};
        if (auto it = byName_.find(key); it != byName_.end()) return it->second;
        if (byName_.size() >= 256) byName_.clear();  // hosts may try any number of names
        std::shared_ptr<FaceHandle> face;
        // The default name is the built-in face, which has no italic of its own: that one is
        // still looked up.
        if (isDefaultName(font.name) && !font.italic) face = builtin(font.bold, font.bold, false);
        if (!face) face = match(cp1252ToUtf8(font.name), font.bold, font.italic);
        // A name the machine lacks, or one that only names bitmap fonts: a sans-serif face.
        if (!face) face = match("sans-serif", font.bold, font.italic);
        if (!face) face = builtin(false, font.bold, font.italic);
        if (!face) face = std::make_shared<FaceHandle>();
        byName_.emplace(std::move(key), face);
        return face;
    }

    static bool isDefaultName(const std::string& name) {
        static const std::string kDefault = Font{}.name;
        return std::equal(name.begin(), name.end(), kDefault.begin(), kDefault.end(),
                          [](char a, char b) { return lower(a) == lower(b); });
    }
    static char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

    // Loaded on the first name that is not built in: its configuration takes longer to read
    // than a whole symbol takes to make.
    FcConfig* config() {
        if (!configTried_) {
            configTried_ = true;
            fc_ = fontconfigApi();
            if (fc_ != nullptr && fc_->Init() == FcTrue) config_ = fc_->ConfigGetCurrent();
        }
        return config_;
    }

    std::shared_ptr<FaceHandle> builtin(bool boldFile, bool bold, bool italic) {
        const auto key =
            std::make_tuple(std::string(boldFile ? "built-in bold" : "built-in"), 0, bold, italic);
        if (auto it = byFile_.find(key); it != byFile_.end()) return it->second;
        if (library() == nullptr) return nullptr;
        const auto data = builtinFace(boldFile);
        FT_Face ft = nullptr;
        if (ft_->New_Memory_Face(library_, data.data(), static_cast<FT_Long>(data.size()), 0,
                                 &ft) != 0)
            return nullptr;
        auto face = adopt(ft, bold, italic);
        if (face) byFile_.emplace(key, face);
        return face;
    }

    std::shared_ptr<FaceHandle> match(const std::string& family, bool bold, bool italic) {
        FcConfig* fc = config();
        if (fc == nullptr) return nullptr;
        FcPattern* pattern = fc_->PatternCreate();
        fc_->PatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
        fc_->PatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        fc_->PatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        fc_->PatternAddBool(pattern, FC_SCALABLE, FcTrue);
        fc_->ConfigSubstitute(fc, pattern, FcMatchPattern);
        fc_->DefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* found = fc_->FontMatch(fc, pattern, &result);
        fc_->PatternDestroy(pattern);
        if (found == nullptr) return nullptr;
        std::shared_ptr<FaceHandle> face;
        FcChar8* file = nullptr;
        int index = 0;
        if (fc_->PatternGetString(found, FC_FILE, 0, &file) == FcResultMatch) {
            fc_->PatternGetInteger(found, FC_INDEX, 0, &index);
            face = open(reinterpret_cast<const char*>(file), index, bold, italic);
        }
        fc_->PatternDestroy(found);
        return face;
    }

    std::shared_ptr<FaceHandle> open(const std::string& file, int index, bool bold, bool italic) {
        const auto key = std::make_tuple(file, index, bold, italic);
        if (auto it = byFile_.find(key); it != byFile_.end()) return it->second;
        if (library() == nullptr) return nullptr;
        FT_Face ft = nullptr;
        if (ft_->New_Face(library_, file.c_str(), index, &ft) != 0) return nullptr;
        auto face = adopt(ft, bold, italic);
        if (face) byFile_.emplace(key, face);
        return face;
    }

    // A face for a FreeType face just opened, or null (and the face closed) if it cannot serve.
    std::shared_ptr<FaceHandle> adopt(FT_Face ft, bool bold, bool italic) {
        if (!FT_IS_SCALABLE(ft) || ft->units_per_EM == 0) {
            ft_->Done_Face(ft);
            return nullptr;
        }
        auto face = std::make_shared<FaceHandle>();
        face->face = ft;
        face->emboldenGlyphs = bold && (ft->style_flags & FT_STYLE_FLAG_BOLD) == 0;
        face->slantGlyphs = italic && (ft->style_flags & FT_STYLE_FLAG_ITALIC) == 0;
        face->unitsPerEm = ft->units_per_EM;
        const auto* os2 = static_cast<const TT_OS2*>(ft_->Get_Sfnt_Table(ft, FT_SFNT_OS2));
        if (os2 != nullptr && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
            face->ascent = os2->usWinAscent;
            face->descent = os2->usWinDescent;
        } else if (ft->ascender - ft->descender > 0) {
            face->ascent = ft->ascender;
            face->descent = -ft->descender;
        } else {
            face->ascent = ft->units_per_EM * 4 / 5;
            face->descent = ft->units_per_EM / 5;
        }
        return face;
    }

    std::mutex mutex_;
    const FreetypeApi* ft_ = nullptr;
    const FontconfigApi* fc_ = nullptr;
    bool freetypeTried_ = false;
    FT_Library library_ = nullptr;
    std::vector<std::shared_ptr<const SizedFont>> prebuiltSized_;
    FcConfig* config_ = nullptr;
    bool configTried_ = false;
    std::map<FaceKey, std::shared_ptr<FaceHandle>> byName_;
    std::map<std::tuple<std::string, int, bool, bool>, std::shared_ptr<FaceHandle>> byFile_;
    std::map<std::pair<const FaceHandle*, std::int64_t>, std::shared_ptr<const SizedFont>> sized_;
    std::int64_t weight_ = 0;
};

// Never destroyed: canvases on other threads may still draw while the process exits.
Engine& engine() {
    static Engine* instance = new Engine;
    return *instance;
}

void render(const FreetypeApi& ft, const FaceHandle& handle, std::int32_t pixelSize,
            std::uint8_t byte, Glyph& out) {
    FT_Face face = handle.face;
    if (face == nullptr) return;
    if (ft.Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) != 0) return;
    if (ft.Load_Char(face, cp1252ToUnicode(byte), FT_LOAD_TARGET_MONO) != 0) return;
    FT_GlyphSlot slot = face->glyph;
    if (handle.emboldenGlyphs) ft.GlyphSlot_Embolden(slot);
    if (handle.slantGlyphs) ft.GlyphSlot_Oblique(slot);
    out.advance = static_cast<std::int32_t>(std::max<FT_Pos>(0, (slot->advance.x + 32) >> 6));
    if (ft.Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0) return;
    const FT_Bitmap& bm = slot->bitmap;
    if (bm.pixel_mode != FT_PIXEL_MODE_MONO || bm.buffer == nullptr) return;
    out.left = slot->bitmap_left;
    out.top = slot->bitmap_top;
    out.width = static_cast<std::int32_t>(bm.width);
    out.rows = static_cast<std::int32_t>(bm.rows);
    out.rowStart.assign(1, 0);
    for (unsigned r = 0; r < bm.rows; ++r) {
        const unsigned char* row = bm.buffer + static_cast<std::ptrdiff_t>(r) * bm.pitch;
        const auto ink = [&](std::int32_t x) { return (row[x / 8] & (0x80 >> (x % 8))) != 0; };
        for (std::int32_t x = 0; x < out.width;) {
            if (!ink(x)) {
                ++x;
                continue;
            }
            const std::int32_t from = x;
            while (x < out.width && ink(x)) ++x;
            out.spans.push_back({from, x});
        }
        out.rowStart.push_back(static_cast<std::uint32_t>(out.spans.size()));
    }
}

void copyPrebuilt(const PrebuiltFont& font, std::uint8_t byte, Glyph& out) {
    const PrebuiltGlyph& g = font.glyphs[byte];
    out.left = g.left;
    out.top = g.top;
    out.width = g.width;
    out.rows = g.rows;
    out.advance = g.advance;
    out.spans.assign(font.spans + g.firstSpan, font.spans + g.firstSpan + g.spanCount);
    out.rowStart.assign(font.rowStarts + g.firstRow, font.rowStarts + g.firstRow + g.rowCount);
}

}  // namespace

SizedFont::SizedFont(std::shared_ptr<FaceHandle> face, std::int32_t pixelSize, std::int32_t ascent,
                     std::int32_t cellHeight)
    : face_(std::move(face)), pixelSize_(pixelSize), ascent_(ascent), cellHeight_(cellHeight) {}

SizedFont::SizedFont(const PrebuiltFont& prebuilt)
    : prebuilt_(&prebuilt),
      pixelSize_(prebuilt.pixelSize),
      ascent_(prebuilt.ascent),
      cellHeight_(prebuilt.cellHeight) {}

const Glyph& SizedFont::glyph(std::uint8_t byte) const {
    if (ready_[byte].load(std::memory_order_acquire)) return glyphs_[byte];
    std::call_once(once_[byte], [&] {
        std::lock_guard lock(engine().mutex());
        if (prebuilt_ != nullptr) {
            copyPrebuilt(*prebuilt_, byte, glyphs_[byte]);
        } else if (const FreetypeApi* ft = engine().freetype()) {
            render(*ft, *face_, pixelSize_, byte, glyphs_[byte]);
        }
        ready_[byte].store(true, std::memory_order_release);
    });
    return glyphs_[byte];
}

bool SizedFont::blank() const {
    return prebuilt_ == nullptr &&
           (face_ == nullptr || face_->face == nullptr || engine().freetype() == nullptr);
}

std::int64_t SizedFont::advance(std::string_view text) const {
    std::int64_t width = 0;
    for (const char ch : text) width += glyph(static_cast<std::uint8_t>(ch)).advance;
    return width;
}

std::shared_ptr<const SizedFont> sizedFont(const Font& font) {
    // Canvases ask again and again for the same font: remember the last answer per thread.
    thread_local Font lastFont;
    thread_local std::shared_ptr<const SizedFont> last;
    if (last && lastFont == font) return last;
    last = engine().sized(font, true);
    lastFont = font;
    return last;
}

std::shared_ptr<const SizedFont> renderedFont(const Font& font) {
    return engine().sized(font, false);
}

}  // namespace qv::canvas

// gcc says __SANITIZE_ADDRESS__, clang answers __has_feature.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QV_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(QV_ADDRESS_SANITIZER)
// fontconfig 2.14 loses a few bytes while parsing its configuration, once per process; every
// program that draws text would otherwise fail its leak check on that.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
#endif
