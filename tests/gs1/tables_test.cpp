// The generated tables must say what the dictionary says.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "gs1/dictionary.h"
#include "gs1/linters.h"

namespace qv::gs1 {
namespace {

// AIs the dictionary lists, ranges such as "3100-3105" counted in full: read straight from the
// file, independently of the generator.
std::size_t countDictionaryAis() {
    std::ifstream in(QV_GS1_DICTIONARY);
    EXPECT_TRUE(in) << QV_GS1_DICTIONARY;
    std::size_t n = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        std::string ais;
        words >> ais;
        const auto dash = ais.find('-');
        n += dash == std::string::npos
                 ? 1
                 : std::stoul(ais.substr(dash + 1)) - std::stoul(ais.substr(0, dash)) + 1;
    }
    return n;
}

TEST(Gs1Tables, EveryAiOfTheDictionary) {
    EXPECT_EQ(allAis().size(), countDictionaryAis());
    EXPECT_EQ(allAis().size(), 541u);  // the release in data/; update with a new dictionary
}

TEST(Gs1Tables, SampleEntries) {
    struct Sample {
        std::string_view ai;
        bool predefined;
        std::string_view spec, req, ex, title;
    };
    const Sample samples[] = {
        {"00", true, "N18,csum,gcppos2", "", "", "SSCC"},
        {"01", true, "N14,csum,gcppos2", "", "255,37", "GTIN"},
        {"10", false, "X..20", "01,02,03,8006,8026", "", "BATCH/LOT"},
        {"253", false, "N13,csum,gcppos1 [X..17]", "", "", "GDTI"},
        {"3103", true, "N6", "01,02", "310n", "NET WEIGHT (kg)"},
        {"3939", false, "N3,iso4217 N..15", "30,31nn,32nn,35nn,36nn", "393n", "PRICE"},
        {"8030", false, "Z..90", "00,01+21,03+21,253,255,8003,8004,8006+21,8010+8011,8017,8018", "",
         "DIGSIG"},
        {"8110", false, "X..70,couponcode", "", "", ""},
        {"99", false, "X..90", "", "", "INTERNAL"},
    };
    for (const auto& s : samples) {
        SCOPED_TRACE(s.ai);
        const AiEntry* e = findAi(s.ai);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->predefinedLength, s.predefined);
        EXPECT_EQ(e->spec, s.spec);
        EXPECT_EQ(e->req, s.req);
        EXPECT_EQ(e->ex, s.ex);
        EXPECT_EQ(e->title, s.title);
    }
    for (const std::string_view missing : {"04", "3106", "9", "100", "0100"})
        EXPECT_EQ(findAi(missing), nullptr) << missing;
}

TEST(Gs1Tables, ComponentsSplitAsWritten) {
    const auto c = componentsOf(*findAi("8008"));  // N6,yymmdd N2,hh [N2],mi [N2],ss
    ASSERT_EQ(c.size(), 4u);
    EXPECT_EQ(c[0].cset, Cset::N);
    EXPECT_EQ(c[0].minLength, 6);
    EXPECT_EQ(c[0].linters, "yymmdd");
    EXPECT_FALSE(c[1].optional);
    EXPECT_TRUE(c[2].optional);
    EXPECT_EQ(c[3].linters, "ss");
    const auto v = componentsOf(*findAi("8010"));  // Y..30,gcppos1
    ASSERT_EQ(v.size(), 1u);
    EXPECT_EQ(v[0].cset, Cset::Y);
    EXPECT_EQ(v[0].minLength, 1);
    EXPECT_EQ(v[0].maxLength, 30);
}

// Every linter the dictionary names is implemented, or listed in the docs as not checked.
TEST(Gs1Tables, EveryLinterCheckedOrDocumented) {
    std::ifstream in(QV_GS1_DOC);
    ASSERT_TRUE(in) << QV_GS1_DOC;
    const std::string doc((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string notChecked = doc.substr(doc.find("### Linters not checked"));
    for (const AiEntry& ai : allAis()) {
        for (const Component& c : componentsOf(ai)) {
            std::string_view names = c.linters;
            while (!names.empty()) {
                const auto comma = names.find(',');
                const std::string name(names.substr(0, comma));
                names = comma == std::string_view::npos ? "" : names.substr(comma + 1);
                const bool listed = notChecked.find("`" + name + "`") != std::string::npos;
                EXPECT_TRUE(findLinter(name) || listed) << name << " of AI " << ai.ai;
            }
        }
    }
}

TEST(Gs1Tables, CountryLists) {
    for (const std::string_view code : {"004", "276", "826", "840", "894"})
        EXPECT_TRUE(isCountryNumeric(code)) << code;
    for (const std::string_view code : {"000", "999", "27", "2760", "A76"})
        EXPECT_FALSE(isCountryNumeric(code)) << code;
    EXPECT_TRUE(isCountryAlpha2("DE"));
    EXPECT_TRUE(isCountryAlpha2("GB"));
    EXPECT_FALSE(isCountryAlpha2("UK"));
    EXPECT_FALSE(isCountryAlpha2("de"));
}

}  // namespace
}  // namespace qv::gs1
