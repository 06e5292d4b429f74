// Interim stand-in for the shared host layer until it lands on main; deleted then.
#include <algorithm>
#include <charconv>

#include "property_setting.h"
#include "quorvantix/host.h"
#include "registry.h"

namespace qv {
namespace {

const std::vector<ControlKind>& kinds() {
    static const auto* all = [] {
        auto* v = new std::vector<ControlKind>;
        for (const auto& e : cli::builtinControls())
            v->push_back({e.name, e.summary, e.create, e.dataProperty, e.typeProperty, e.margins,
                          e.scaled, e.moduleSize, e.prepareSegments, e.selectSegment});
        return v;
    }();
    return *all;
}

constexpr HostOptionInfo kOptions[] = {{"size", "WxH", "image size in pixels"}};

}  // namespace

std::span<const ControlKind> controlKinds() {
    return kinds();
}
const ControlKind* findControlKind(std::string_view name) {
    for (const auto& k : kinds())
        if (cli::sameIgnoringCase(k.name, name)) return &k;
    return nullptr;
}
SetResult setPropertyText(Control& control, std::string_view name, std::string_view text) {
    auto r = cli::setProperty(control, name, text);
    return {r.property, r.error};
}
std::span<const HostOptionInfo> hostOptions() {
    return kOptions;
}
const HostOptionInfo* findHostOption(std::string_view name) {
    return name == "size" ? &kOptions[0] : nullptr;
}
std::optional<std::string> setHostOption(RenderOptions& options, std::string_view name,
                                         std::string_view text) {
    if (name != "size") return "unknown option";
    const auto x = text.find('x');
    int w = 0, h = 0;
    if (x == std::string_view::npos ||
        std::from_chars(text.data(), text.data() + x, w).ec != std::errc() ||
        std::from_chars(text.data() + x + 1, text.data() + text.size(), h).ec != std::errc())
        return "--size takes WIDTHxHEIGHT in pixels, not \"" + std::string(text) + "\"";
    options.width = w;
    options.height = h;
    return std::nullopt;
}

SymbolResult makeSymbol(const SymbolRequest& request, std::optional<ImageFormat> format) {
    SymbolResult result;
    const cli::ControlEntry* entry = cli::findControl(cli::builtinControls(), request.control);
    result.control = entry->create();
    std::set<std::string, std::less<>> userSet;
    for (const auto& [name, text] : request.properties) {
        auto r = cli::setProperty(*result.control, name, text);
        if (!r.error.empty()) {
            result.status = SymbolStatus::Usage;
            result.message = r.error;
            return result;
        }
        userSet.insert(r.property);
    }
    if (entry->beforePaint) entry->beforePaint(*result.control, userSet);
    auto paint = [&] {
        RenderedImage image = renderImage(*result.control, *format, request.options);
        if (!image.ok()) {
            result.status = SymbolStatus::Usage;
            result.message = image.error;
        }
        for (const auto& n : image.notes)
            if (n.severity == Note::Severity::Error) result.status = SymbolStatus::NotRepresentable;
        result.images.push_back(std::move(image));
    };
    if (request.segments) {
        const int count = entry->prepareSegments(*result.control);
        if (count <= 0) {
            result.status = SymbolStatus::NotRepresentable;
            result.message = "the data cannot be split into segments with these settings";
        }
        for (int s = 0; s < count; ++s) {
            entry->selectSegment(*result.control, s);
            paint();
        }
    } else {
        paint();
    }
    return result;
}

}  // namespace qv
