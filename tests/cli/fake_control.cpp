#include "fake_control.h"

#include <algorithm>

#include "property_setting.h"

namespace qv::cli::test {
namespace {

constexpr std::string_view kKinds[] = {"SQUARE", "WIDE"};

template <auto Member>
PropertyValue get(const Control& c) {
    const auto& v = static_cast<const FakeControl&>(c).*Member;
    if constexpr (std::is_same_v<std::decay_t<decltype(v)>, TColor>)
        return static_cast<std::int32_t>(v);
    else
        return v;
}

template <auto Member>
void set(Control& c, const PropertyValue& value) {
    auto& v = static_cast<FakeControl&>(c).*Member;
    using T = std::decay_t<decltype(v)>;
    if constexpr (std::is_same_v<T, TColor>)
        v = static_cast<TColor>(std::get<std::int32_t>(value));
    else
        v = std::get<T>(value);
}

template <auto Member>
constexpr PropertyInfo prop(std::string_view name, PropType type, bool readOnly = false) {
    return PropertyInfo{name,
                        type,
                        "",
                        std::nullopt,
                        readOnly ? PropertyAccess::ReadOnly : PropertyAccess::ReadWrite,
                        "",
                        type == PropType::Enum ? kKinds : std::span<const std::string_view>{},
                        &get<Member>,
                        readOnly ? nullptr : &set<Member>};
}

const PropertyInfo kTable[] = {
    prop<&FakeControl::Code>("Code", PropType::String),
    prop<&FakeControl::Flag>("Flag", PropType::Boolean),
    prop<&FakeControl::Count>("Count", PropType::Integer),
    prop<&FakeControl::Ratio>("Ratio", PropType::Double),
    prop<&FakeControl::Small>("Small", PropType::Short),
    prop<&FakeControl::Kind>("Kind", PropType::Enum),
    prop<&FakeControl::BackColor>("BackColor", PropType::Color),
    prop<&FakeControl::BarColor>("BarColor", PropType::Color),
    prop<&FakeControl::LeftMargin>("LeftMargin", PropType::Integer),
    prop<&FakeControl::TopMargin>("TopMargin", PropType::Integer),
    prop<&FakeControl::Indent>("Indent", PropType::Integer),
    prop<&FakeControl::TextFont>("Font", PropType::Font),
    prop<&FakeControl::Segments>("Segments", PropType::Integer),
    prop<&FakeControl::Segment>("Segment", PropType::Integer),
    prop<&FakeControl::Result>("Result", PropType::String, true),
};

void dataSetsFlag(Control& c, const std::set<std::string, std::less<>>& userSet) {
    auto& fake = static_cast<FakeControl&>(c);
    if (!userSet.contains("Flag")) fake.Flag = fake.Code.starts_with("1");
}

int prepare(Control& c) {
    return static_cast<FakeControl&>(c).Segments;
}
void select(Control& c, int segment) {
    writeProperty(c, "Segment", std::int32_t{segment});
}

const ControlEntry kEntries[] = {
    {.name = "fake",
     .summary = "bars for tests",
     .create = [] { return std::unique_ptr<Control>(new FakeControl); },
     .dataProperty = "Code",
     .typeProperty = "Kind",
     .beforePaint = &dataSetsFlag,
     .prepareSegments = &prepare,
     .selectSegment = &select},
    {.name = "bare",
     .summary = "bars, no margins",
     .create = [] { return std::unique_ptr<Control>(new FakeControl); },
     .dataProperty = "Code",
     .margins = FitMargins{}},
};

}  // namespace

void FakeControl::paintBarcode(Canvas& canvas) {
    clearNotes();
    const Rect clip = canvas.clipRect();
    canvas.brush.color = BackColor;
    canvas.rectanglePolygon(clip.left, clip.top, clip.right, clip.bottom);
    canvas.pen.color = BarColor;
    canvas.brush.color = BarColor;
    const std::int32_t bars = std::clamp(Segment >= 0 ? Segment + 1 : Count, 0, 100000);
    for (std::int32_t i = 0; i < bars; ++i) {
        const std::int32_t x = LeftMargin + Indent + 4 * i;
        canvas.rectanglePolygon(x, TopMargin, x + 1, TopMargin + 19);
    }
    if (Code.find('!') != std::string::npos) addNote(Note::Severity::Warning, "left out \"!\"");
    if (Code.find('?') != std::string::npos)
        addNote(Note::Severity::Error, "cannot represent \"?\"");
    Result = "painted " + Code;
}

std::span<const PropertyInfo> FakeControl::properties() const {
    return kTable;
}

std::span<const ControlEntry> fakeControls() {
    return kEntries;
}

}  // namespace qv::cli::test
