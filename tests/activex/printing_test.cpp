// Drawing onto a report's device: IViewObject::Draw into 600 dpi bounds, onto an enhanced
// metafile and onto a bitmap. The symbol keeps its size on the form, its modules are whole
// device pixels, the metafile holds vector records only, and the pictures are written for the
// Linux reader (decode_prints).
#include <windows.h>

#include <ocidl.h>

#include <cmath>
#include <string>
#include <vector>

#include "canvas_gdi/gdi_canvas.h"
#include "check.h"
#include "com_helpers.h"
#include "dispatch_settings.h"
#include "drawing_cases.h"
#include "print_cases.h"
#include "test_programs.h"

namespace qv::activex::test {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

struct Picture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB
    std::uint32_t at(std::int32_t x, std::int32_t y) const {
        return pixels[static_cast<std::size_t>(y) * width + x];
    }
};

Picture pictureOf(gdi::DibSection& dib) {
    GdiFlush();
    return {dib.width(),
            dib.height(),
            {dib.pixels(), dib.pixels() + std::size_t(dib.width()) * dib.height()}};
}

// The dark pixels' box, right and bottom exclusive. Row and column 0 are left out: the
// background fill's outline takes the canvas's pen there, as on the form.
RECT darkBox(const Picture& p) {
    RECT box{p.width, p.height, 0, 0};
    for (std::int32_t y = 1; y < p.height; ++y) {
        for (std::int32_t x = 1; x < p.width; ++x) {
            if (p.at(x, y) == kWhite) continue;
            box.left = std::min<LONG>(box.left, x);
            box.top = std::min<LONG>(box.top, y);
            box.right = std::max<LONG>(box.right, x + 1);
            box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    }
    return box;
}

// Run lengths of one row from its first to its last dark pixel within the box.
std::vector<std::int32_t> runs(const Picture& p, const RECT& box, std::int32_t y) {
    std::vector<std::int32_t> out;
    std::int32_t first = box.left;
    std::int32_t last = box.right - 1;
    while (first < last && p.at(first, y) == kWhite) ++first;
    while (last > first && p.at(last, y) == kWhite) --last;
    std::int32_t length = 0;
    std::uint32_t colour = p.at(first, y);
    for (std::int32_t x = first; x <= last; ++x) {
        if (p.at(x, y) == colour) {
            ++length;
            continue;
        }
        out.push_back(length);
        colour = p.at(x, y);
        length = 1;
    }
    out.push_back(length);
    return out;
}

// Counts the records that copy bitmaps and those that draw shapes.
struct RecordCount {
    int bitmaps = 0;
    int shapes = 0;
};
int CALLBACK countRecord(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
    auto* count = reinterpret_cast<RecordCount*>(data);
    switch (record->iType) {
        case EMR_BITBLT:
        case EMR_STRETCHBLT:
        case EMR_STRETCHDIBITS:
        case EMR_SETDIBITSTODEVICE:
        case EMR_MASKBLT:
        case EMR_PLGBLT:
        case EMR_TRANSPARENTBLT:
            ++count->bitmaps;
            break;
        case EMR_POLYGON:
        case EMR_POLYGON16:
        case EMR_POLYPOLYGON:
        case EMR_POLYPOLYGON16:
        case EMR_RECTANGLE:
        case EMR_ELLIPSE:
        case EMR_LINETO:
            ++count->shapes;
            break;
        default:
            break;
    }
    return 1;
}

bool writePicture(const std::string& path, const Picture& p) {
    Reference r{p.width, p.height, {}, p.pixels};
    return writeReference(path, r);
}

// The symbol on the form, at 96 dpi, and on the device: the same size within the rounding of
// each module to whole device pixels; every module whole device pixels; only two colours.
void checkPicture(const PrintCase& c, const std::string& what, const Picture& form,
                  const Picture& device, std::int32_t formModule) {
    const double k = static_cast<double>(kPrintDpi) / kFormDpi;
    const RECT a = darkBox(form);
    const RECT b = darkBox(device);
    const double modules = static_cast<double>(a.right - a.left) / formModule;
    const double tolerance = 0.5 * modules + 2;
    QV_CHECK(std::abs((b.right - b.left) - k * (a.right - a.left)) <= tolerance,
             what << ": width " << (b.right - b.left) << " for " << k * (a.right - a.left));
    QV_CHECK(std::abs((b.bottom - b.top) - k * (a.bottom - a.top)) <= tolerance * 4,
             what << ": height " << (b.bottom - b.top) << " for " << k * (a.bottom - a.top));
    std::size_t other = 0;
    for (const std::uint32_t px : device.pixels) other += px != kWhite && px != 0;
    QV_CHECK_EQ(other, 0u, what + ": pixels neither bar nor background colour");
    if (c.control == "TMaxicode") return;  // hexagons do not stand on a square grid
    const auto m = static_cast<std::int32_t>(std::max(1.0, std::nearbyint(formModule * k)));
    // Rows through the symbol (below any text): every run whole modules; the last may hold
    // the one pixel more that the pen puts at the symbol's right edge.
    for (const double at : {0.3, 0.5}) {
        const auto y = static_cast<std::int32_t>(b.top + at * (b.bottom - b.top));
        const auto lengths = runs(device, b, y);
        for (std::size_t i = 0; i < lengths.size(); ++i) {
            if (lengths[i] >= 10 * m) break;  // a quiet zone: the symbol ends there
            const std::int32_t rest = lengths[i] % m;
            const bool last = i + 1 == lengths.size() || lengths[i + 1] >= 10 * m;
            const bool whole = rest == 0 || (last && rest == 1);
            QV_CHECK(whole, what << ": run " << i << " of row " << y << " is " << lengths[i]
                                 << " pixels, modules of " << m);
            if (!whole) break;
        }
    }
}

void drawOn(IViewObject* view, HDC dc, std::int32_t width, std::int32_t height) {
    const RECTL bounds{0, 0, width, height};
    const HRESULT hr = view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds,
                                  nullptr, nullptr, 0);
    QV_CHECK_EQ(hr, S_OK, "Draw " << width << " x " << height);
}

void printCase(const PrintCase& c, const std::string& folder) {
    const std::string name(c.name);
    std::string error;
    const DrawingCase settings{c.name, c.control, c.width, c.height, c.settings};
    Ref<IDispatch> object;
    CLSID clsid{};
    const std::string progId = "Quorvantix." + std::string(c.control.substr(1)) + "X";
    const std::wstring wideId(progId.begin(), progId.end());
    if (FAILED(CLSIDFromProgID(wideId.c_str(), &clsid)) ||
        FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                object.outVoid())) ||
        !applySettings(object.get(), settings, &error)) {
        QV_CHECK(false, name + ": " + error);
        return;
    }
    Ref<IOleObject> ole;
    Ref<IViewObject2> view;
    object->QueryInterface(IID_IOleObject, ole.outVoid());
    object->QueryInterface(IID_IViewObject2, view.outVoid());
    if (!ole || !view) return;
    HDC screen = GetDC(nullptr);
    const int screenDpi = GetDeviceCaps(screen, LOGPIXELSX);
    SIZEL extent{MulDiv(c.width, 2540, screenDpi), MulDiv(c.height, 2540, screenDpi)};
    ole->SetExtent(DVASPECT_CONTENT, &extent);

    gdi::DibSection formDib(c.width, c.height);
    drawOn(view.get(), formDib.dc(), c.width, c.height);
    const Picture form = pictureOf(formDib);
    Variant module;
    getProperty(object.get(),
                idOfName(object.get(), std::wstring(c.module.begin(), c.module.end()).c_str()),
                &module);
    const std::int32_t formModule = module.vt == VT_I4 && module.lVal > 0 ? module.lVal : 1;

    const std::int32_t w = MulDiv(c.width, kPrintDpi, kFormDpi);
    const std::int32_t h = MulDiv(c.height, kPrintDpi, kFormDpi);
    // A report's metafile: the frame is the bounds in the reference device's units.
    const int mmX = GetDeviceCaps(screen, HORZSIZE), pxX = GetDeviceCaps(screen, HORZRES);
    const int mmY = GetDeviceCaps(screen, VERTSIZE), pxY = GetDeviceCaps(screen, VERTRES);
    const RECT frame{0, 0, MulDiv(w, mmX * 100, pxX), MulDiv(h, mmY * 100, pxY)};
    HDC recorder = CreateEnhMetaFileW(screen, nullptr, &frame, L"Quorvantix\0print test\0");
    drawOn(view.get(), recorder, w, h);
    HENHMETAFILE emf = CloseEnhMetaFile(recorder);
    ReleaseDC(nullptr, screen);
    QV_CHECK(emf != nullptr, name + " metafile");
    if (emf == nullptr) return;
    RecordCount count;
    const RECT whole{0, 0, w, h};
    gdi::DibSection played(w, h);
    EnumEnhMetaFile(nullptr, emf, countRecord, &count, nullptr);
    QV_CHECK(count.bitmaps == 0 && count.shapes > 0, name << ": metafile of vector records ("
                                                          << count.shapes << " shapes, "
                                                          << count.bitmaps << " bitmaps)");
    // Played back at the bounds it was drawn into, on white paper.
    FillRect(played.dc(), &whole, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    QV_CHECK(PlayEnhMetaFile(played.dc(), emf, &whole), name + " played back");
    DeleteEnhMetaFile(emf);
    const Picture fromMetafile = pictureOf(played);
    checkPicture(c, name + " metafile", form, fromMetafile, formModule);
    QV_CHECK(writePicture(folder + "/" + name + "-metafile.ref", fromMetafile), name);

    gdi::DibSection bitmap(w, h);
    drawOn(view.get(), bitmap.dc(), w, h);
    const Picture fromBitmap = pictureOf(bitmap);
    checkPicture(c, name + " bitmap", form, fromBitmap, formModule);
    QV_CHECK(writePicture(folder + "/" + name + "-bitmap.ref", fromBitmap), name);

    // Drawing for the report leaves the control as the form shows it.
    gdi::DibSection again(c.width, c.height);
    drawOn(view.get(), again.dc(), c.width, c.height);
    QV_CHECK(pictureOf(again).pixels == form.pixels, name + ": the form's picture after printing");
}

}  // namespace

int printingTest(const std::wstring& folder) {
    CreateDirectoryW(folder.c_str(), nullptr);
    for (const PrintCase& c : kPrintCases) printCase(c, narrow(folder));
    return failureCount();
}

}  // namespace qv::activex::test
