#include "drawing_cases.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "quorvantix/barcode1d.h"
#include "quorvantix/datamatrix.h"
#include "quorvantix/maxicode.h"
#include "quorvantix/pdf417.h"
#include "quorvantix/property.h"

namespace qv::activex::test {

const std::vector<DrawingCase> kDrawingCases = {
    {"code39", "TBarcode1D", 320, 120, "Code=QUORVANTIX-39"},
    {"ean13", "TBarcode1D", 260, 130, "barType=EAN13;Code=590123412345"},
    {"ean13_addon", "TBarcode1D", 330, 130,
     "barType=EAN13;Code=590123412345;UPCEANSupplement5=true;supplement=52495"},
    {"code128_no_text", "TBarcode1D", 300, 100,
     "barType=CODE128;Code=Quorvantix 128;BarColor=#2040C0;BackColor=#F0F0E0;Font="},
    {"postnet", "TBarcode1D", 420, 80, "barType=POSTNET;Code=12345678901"},
    {"datamatrix", "TDatamatrix", 200, 200, "Code=Quorvantix Data Matrix"},
    {"datamatrix_rect", "TDatamatrix", 260, 120,
     "Code=Rectangle;PreferredFormat=C16X48;PixelsDot=3;Margin=10"},
    {"pdf417", "TPDF417", 360, 160, "Code=Quorvantix PDF417;PDFColumns=3;PDFECLevel=2"},
    {"pdf417_truncated", "TPDF417", 300, 160,
     "Code=Truncated PDF417;PDFTruncated=true;BarWidthPixels=2"},
    {"maxicode", "TMaxicode", 230, 230, "data=Quorvantix MaxiCode test"},
    {"maxicode_mode2", "TMaxicode", 230, 230,
     "mode=2;zipCode=152382802;country=840;serviceClass=001;data=Parcel;BarColor=#800000"},
};

namespace {

std::unique_ptr<Control> newControl(std::string_view name) {
    if (name == "TBarcode1D") return std::make_unique<TBarcode1D>();
    if (name == "TDatamatrix") return std::make_unique<TDatamatrix>();
    if (name == "TPDF417") return std::make_unique<TPDF417>();
    if (name == "TMaxicode") return std::make_unique<TMaxicode>();
    return nullptr;
}

}  // namespace

std::unique_ptr<Control> makeControl(const DrawingCase& c, std::string* error) {
    std::unique_ptr<Control> control = newControl(c.control);
    if (!control) {
        *error = "no control " + std::string(c.control);
        return nullptr;
    }
    control->Width = c.width;
    control->Height = c.height;
    std::string_view rest = c.settings;
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find(';'), rest.size());
        const std::string_view setting = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        const std::size_t eq = setting.find('=');
        const PropertyInfo* info = findProperty(control->properties(), setting.substr(0, eq));
        std::optional<PropertyValue> value;
        if (info != nullptr && eq != std::string_view::npos) {
            const std::string_view text = setting.substr(eq + 1);
            // Fonts have no text form; an empty one removes the font (no text drawn).
            value = info->type == PropType::Font && text.empty()
                        ? std::optional<PropertyValue>(std::optional<Font>())
                        : parseProperty(*info, text);
        }
        if (!value || info->set == nullptr) {
            *error = "cannot set " + std::string(setting);
            return nullptr;
        }
        info->set(*control, *value);
    }
    return control;
}

void TextCellRecorder::sync() {
    inner_.pen = pen;
    inner_.brush = brush;
    inner_.font = font;
}

void TextCellRecorder::polygon(std::span<const Point> points) {
    sync();
    inner_.polygon(points);
}

void TextCellRecorder::ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
    sync();
    inner_.ellipse(l, t, r, b);
}

void TextCellRecorder::line(Point a, Point b) {
    sync();
    inner_.line(a, b);
}

void TextCellRecorder::textOut(std::int32_t x, std::int32_t y, std::string_view text) {
    sync();
    cells_.push_back(Rect{x, y, x + inner_.textWidth(text), y + inner_.textHeight(text)});
    inner_.textOut(x, y, text);
}

std::int32_t TextCellRecorder::textWidth(std::string_view text) {
    sync();
    return inner_.textWidth(text);
}

std::int32_t TextCellRecorder::textHeight(std::string_view text) {
    sync();
    return inner_.textHeight(text);
}

void TextCellRecorder::copyRect(const Rect& to, Canvas& src, const Rect& from) {
    sync();
    inner_.copyRect(to, src, from);
}

bool writeReference(const std::string& path, const Reference& reference) {
    std::ofstream out(path, std::ios::binary);
    out << "QVREF " << reference.width << ' ' << reference.height << ' ' << reference.cells.size()
        << '\n';
    for (const Rect& r : reference.cells) {
        out << r.left << ' ' << r.top << ' ' << r.right << ' ' << r.bottom << '\n';
    }
    for (const std::uint32_t p : reference.pixels) {
        const char bytes[4] = {static_cast<char>(p & 0xFF), static_cast<char>((p >> 8) & 0xFF),
                               static_cast<char>((p >> 16) & 0xFF), static_cast<char>(p >> 24)};
        out.write(bytes, 4);
    }
    return static_cast<bool>(out);
}

bool readReference(const std::string& path, Reference* reference) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    std::size_t cells = 0;
    in >> magic >> reference->width >> reference->height >> cells;
    if (!in || magic != "QVREF" || reference->width <= 0 || reference->height <= 0 ||
        cells > 100000 || reference->width > 10000 || reference->height > 10000) {
        return false;
    }
    reference->cells.resize(cells);
    for (Rect& r : reference->cells) in >> r.left >> r.top >> r.right >> r.bottom;
    in.get();  // the newline ending the header
    reference->pixels.resize(static_cast<std::size_t>(reference->width) * reference->height);
    for (std::uint32_t& p : reference->pixels) {
        unsigned char bytes[4];
        in.read(reinterpret_cast<char*>(bytes), 4);
        p = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (std::uint32_t{bytes[3]} << 24);
    }
    return static_cast<bool>(in);
}

}  // namespace qv::activex::test
