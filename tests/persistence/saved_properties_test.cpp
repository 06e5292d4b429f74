// Saving and loading the four controls' published properties, as the ActiveX server does for a
// container's document, without any Windows: the item form and the binary stream form.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "persistence/property_store.h"
#include "persistence/saved_stream.h"
#include "quorvantix/barcode1d.h"
#include "quorvantix/datamatrix.h"
#include "quorvantix/maxicode.h"
#include "quorvantix/pdf417.h"

namespace qv::persistence {
namespace {

// Every item a save wrote, by name.
class MemorySink final : public ItemSink {
  public:
    void put(std::string_view name, const StoredItem& item) override {
        items.emplace(std::string(name), item);
    }
    std::map<std::string, StoredItem, std::less<>> items;
};

class MemorySource final : public ItemSource {
  public:
    explicit MemorySource(std::map<std::string, StoredItem, std::less<>> items)
        : items_(std::move(items)) {}
    std::optional<StoredItem> get(std::string_view name, ItemKind kind) override {
        const auto it = items_.find(name);
        if (it == items_.end() || it->second.index() != static_cast<std::size_t>(kind)) {
            return std::nullopt;
        }
        return it->second;
    }

  private:
    std::map<std::string, StoredItem, std::less<>> items_;
};

// The first property whose value differs, or "".
std::string firstDifference(const Control& a, const Control& b) {
    const auto table = a.properties();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].get(a) != b.properties()[i].get(b)) return std::string(table[i].name);
    }
    return {};
}

struct Case {
    const char* name;
    std::function<std::unique_ptr<Control>()> make;
};

template <class C>
std::unique_ptr<Control> with(std::function<void(C&)> set) {
    auto c = std::make_unique<C>();
    set(*c);
    return c;
}

const Case kCases[] = {
    {"linear",
     [] {
         return with<TBarcode1D>([](TBarcode1D& c) {
             c.barType = TSymbology::EAN13;
             c.Code = "590123412345";
             c.H = 0.6;
             c.BarColor = 0x2040C0;
             c.checkCharacter = false;
             c.Font->name = "DejaVu Sans";
             c.Font->height = -17;
             c.Font->bold = true;
             c.Font->strikeout = true;
         });
     }},
    {"linear without font",
     [] {
         return with<TBarcode1D>([](TBarcode1D& c) {
             c.Font.reset();
             c.Code = std::string("A\0\xFF~B", 5);
         });
     }},
    {"datamatrix",
     [] {
         return with<TDatamatrix>([](TDatamatrix& c) {
             c.Code = "Hello";
             c.PreferredFormat = TFormat::C16X48;
             c.PixelsDot = 3;
             c.rebuild = false;
         });
     }},
    {"pdf417",
     [] {
         return with<TPDF417>([](TPDF417& c) {
             c.PDFMaxRows = 4;
             c.PDFColumns = 3;
             c.PDFMacroFileName = "file";
             c.BackColor = 0xF0F0E0;
         });
     }},
    {"maxicode",
     [] {
         return with<TMaxicode>([](TMaxicode& c) {
             c.mode = 2;
             c.zipCode = "152382802";
             c.data = "Parcel";
             c.TopMargin = 7;
         });
     }},
    // Hexagon sizes written after L and resolution, which would otherwise work them out anew.
    {"maxicode hexagons",
     [] {
         return with<TMaxicode>([](TMaxicode& c) {
             c.setL(30);
             c.setResolution(300);
             c.WHexagon = 9;
             c.HHexagon = 11;
         });
     }},
};

std::unique_ptr<Control> freshLike(const Control& c) {
    if (dynamic_cast<const TBarcode1D*>(&c)) return std::make_unique<TBarcode1D>();
    if (dynamic_cast<const TDatamatrix*>(&c)) return std::make_unique<TDatamatrix>();
    if (dynamic_cast<const TPDF417*>(&c)) return std::make_unique<TPDF417>();
    return std::make_unique<TMaxicode>();
}

TEST(SavedProperties, RoundTripThroughItemsAndStream) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const auto original = c.make();
        MemorySink sink;
        saveProperties(*original, sink);
        auto fromItems = freshLike(*original);
        MemorySource source(sink.items);
        loadProperties(*fromItems, source);
        EXPECT_EQ(firstDifference(*original, *fromItems), "");

        auto fromStream = freshLike(*original);
        loadSavedBytes(*fromStream, savedBytes(*original));
        EXPECT_EQ(firstDifference(*original, *fromStream), "");
    }
}

// Results of a paint and values at their declared stored default stay out of the document;
// everything else is written.
TEST(SavedProperties, SavesWhatDiffersFromTheStoredDefault) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const auto control = c.make();
        MemorySink sink;
        saveProperties(*control, sink);
        for (const PropertyInfo& info : control->properties()) {
            const auto stored = info.storedDefault ? parseProperty(info, *info.storedDefault)
                                                   : std::optional<PropertyValue>();
            const bool atDefault = stored && *stored == info.get(*control);
            const bool expected = persisted(info) && !atDefault;
            EXPECT_EQ(sink.items.count(std::string(info.name)) == 1, expected) << info.name;
        }
    }
}

// A document that holds only the data: the rest takes the declared stored defaults (the
// Data Matrix module size 2, not the constructor's 4), or the constructor's values without one.
TEST(SavedProperties, AbsentItemsTakeTheStoredDefault) {
    TDatamatrix control;
    MemorySource source({{"Code", StoredItem(std::string("Partial"))},
                         {"Margin", StoredItem(std::string("not a number"))}});
    loadProperties(control, source);
    EXPECT_EQ(control.Code, "Partial");
    EXPECT_EQ(control.PixelsDot, 2);
    EXPECT_EQ(control.Margin, 30);
    EXPECT_TRUE(control.rebuild);
}

TEST(SavedProperties, FontAttributesAndNoFont) {
    TBarcode1D none;
    none.Font.reset();
    MemorySink sink;
    saveProperties(none, sink);
    ASSERT_EQ(sink.items.count("Font"), 1u);
    EXPECT_EQ(std::get<bool>(sink.items.at("Font")), false);
    EXPECT_EQ(sink.items.count("Font.Name"), 0u);

    TBarcode1D styled;
    MemorySource source({{"Font.Name", StoredItem(std::string("Courier New"))},
                         {"Font.Style", StoredItem(std::int32_t{1 | 2 | 4})}});
    loadProperties(styled, source);
    ASSERT_TRUE(styled.Font.has_value());
    EXPECT_EQ(styled.Font->name, "Courier New");
    EXPECT_TRUE(styled.Font->bold && styled.Font->italic && styled.Font->underline);
    EXPECT_FALSE(styled.Font->strikeout);
    EXPECT_EQ(styled.Font->height, Font{}.height);
}

// Documents saved by earlier versions must keep loading: the stream form is fixed.
TEST(SavedStream, LayoutIsFixed) {
    StreamWriter writer;
    writer.put("B", StoredItem(true));
    writer.put("I", StoredItem(std::int32_t{-2}));
    writer.put("D", StoredItem(1.0));
    writer.put("S", StoredItem(std::string("ab")));
    const std::string expected = std::string("QVP1\x04\0\0\0", 8) +  //
                                 std::string(
                                     "\x00\x01\x00"
                                     "B\x01",
                                     5) +  //
                                 std::string(
                                     "\x01\x01\x00"
                                     "I\xFE\xFF\xFF\xFF",
                                     8) +
                                 std::string(
                                     "\x02\x01\x00"
                                     "D\0\0\0\0\0\0\xF0\x3F",
                                     12) +
                                 std::string(
                                     "\x03\x01\x00"
                                     "S\x02\0\0\0"
                                     "ab",
                                     10);
    EXPECT_EQ(writer.finish(), expected);
}

// Cut or altered streams: every load ends, a failed one changes nothing, and an intact stream
// loads afterwards as saved.
TEST(SavedStream, HostileStreams) {
    const auto original = kCases[0].make();
    const std::string saved = savedBytes(*original);
    TBarcode1D untouched;
    for (std::size_t n = 0; n < saved.size(); ++n) {
        TBarcode1D target;
        EXPECT_THROW(loadSavedBytes(target, std::string_view(saved).substr(0, n)), FormatError)
            << "cut at " << n;
        EXPECT_EQ(firstDifference(untouched, target), "") << "cut at " << n;
    }
    for (std::size_t i = 0; i < saved.size(); ++i) {
        for (const unsigned char change : {0xA5, 0xFF}) {
            std::string bytes = saved;
            bytes[i] = static_cast<char>(static_cast<unsigned char>(bytes[i]) ^ change);
            TBarcode1D target;
            try {
                loadSavedBytes(target, bytes);
            } catch (const FormatError&) {
            }
        }
    }
    // A huge text length claims no memory the stream does not hold.
    std::string huge = std::string("QVP1\x01\0\0\0\x03\x01\0S", 12) + "\xFF\xFF\xFF\x00";
    TBarcode1D target;
    EXPECT_THROW(loadSavedBytes(target, huge), FormatError);
    loadSavedBytes(target, saved);
    EXPECT_EQ(firstDifference(*original, target), "");
}

TEST(SavedStream, RejectsOtherData) {
    TDatamatrix target;
    for (const std::string& bytes :
         {std::string(), std::string("QVP2\0\0\0\0", 8), std::string("QVP1\xFF\xFF\0\0", 8),
          std::string("QVP1\x01\0\0\0\x07\x01\0X\0", 13)}) {
        EXPECT_THROW(loadSavedBytes(target, bytes), FormatError);
    }
    EXPECT_NO_THROW(loadSavedBytes(target, std::string("QVP1\0\0\0\0", 8)));
}

}  // namespace
}  // namespace qv::persistence
