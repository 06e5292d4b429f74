// Every control's table against the published access kinds and declared stored defaults: what a
// host may write, and what a container's save of a fresh control leaves out.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "controls.h"

namespace qv::test {
namespace {

struct AccessCase {
    std::string_view control;
    std::vector<std::string_view> results;
    std::vector<std::string_view> readOnly;
    // Left out of the save of a fresh control: not persisted, or equal to the stored default.
    std::vector<std::string_view> leftOutOfFreshSave;
};

const AccessCase kCases[] = {
    {"Barcode1D", {"codeText", "L"}, {}, {"codeText", "L", "BackColor", "BarColor"}},
    {"Datamatrix",
     {},
     {"CalculatedFormat", "CurrentX", "CurrentY"},
     {"ProcessTilde", "Encoding", "PreferredFormat", "CalculatedFormat", "Margin", "BarColor",
      "BackColor", "CurrentX", "CurrentY"}},
    {"PDF417",
     {},
     {"PDFMacroSegmentCount"},
     {"PDFMode", "PDFECLevel", "PDFColumns", "PDFRows", "PDFTruncated", "PDFMacroSegment",
      "PDFMacroSegmentCount", "PDFMacroFileSize", "BarWidthPixels", "BarHeightPixels", "BackColor",
      "BarColor"}},
    {"Maxicode",
     {},
     {"preferredWidth", "preferredHeight"},
     {"TopMargin", "LeftMargin", "BackColor", "BarColor", "mode", "numberOfCodes", "positionOfCode",
      "preferredWidth", "preferredHeight"}},
};

bool contains(const std::vector<std::string_view>& names, std::string_view name) {
    return std::ranges::find(names, name) != names.end();
}

TEST(PropertyAccess, EveryRowHasItsPublishedKind) {
    for (const auto& c : kCases) {
        const auto control = controlNamed(c.control).create();
        for (const PropertyInfo& p : control->properties()) {
            SCOPED_TRACE(std::string(c.control) + "." + std::string(p.name));
            const auto expected = contains(c.results, p.name)    ? PropertyAccess::Result
                                  : contains(c.readOnly, p.name) ? PropertyAccess::ReadOnly
                                                                 : PropertyAccess::ReadWrite;
            EXPECT_EQ(p.access, expected);
            EXPECT_NE(p.get, nullptr);
            EXPECT_EQ(p.set == nullptr, expected == PropertyAccess::ReadOnly);
            EXPECT_EQ(persisted(p), expected == PropertyAccess::ReadWrite);
            // Only saved values declare a stored default.
            EXPECT_TRUE(expected == PropertyAccess::ReadWrite || !p.storedDefault);
        }
    }
}

TEST(PropertyAccess, FreshSaveLeavesOutResultsAndDeclaredDefaults) {
    for (const auto& c : kCases) {
        SCOPED_TRACE(std::string(c.control));
        const auto control = controlNamed(c.control).create();
        std::set<std::string_view> leftOut;
        for (const PropertyInfo& p : control->properties()) {
            const auto stored = p.storedDefault ? parseProperty(p, *p.storedDefault)
                                                : std::optional<PropertyValue>();
            if (!persisted(p) || (stored && *stored == p.get(*control))) leftOut.insert(p.name);
        }
        EXPECT_EQ(leftOut, std::set<std::string_view>(c.leftOutOfFreshSave.begin(),
                                                      c.leftOutOfFreshSave.end()));
    }
}

}  // namespace
}  // namespace qv::test
