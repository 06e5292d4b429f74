#include "query.h"

#include <gtest/gtest.h>

namespace qv::service {
namespace {

using Fields = std::vector<QueryField>;

TEST(Query, DecodesFieldsInTheOrderGiven) {
    const struct {
        std::string_view query;
        Fields fields;
    } cases[] = {
        {"", {}},
        {"a=1", {{"a", "1"}}},
        {"X=2&X=3", {{"X", "2"}, {"X", "3"}}},
        {"b=2&a=1", {{"b", "2"}, {"a", "1"}}},
        {"data=a+b%20c", {{"data", "a b c"}}},
        {"data=%00%FF%7e", {{"data", std::string("\0\xFF~", 3)}}},
        {"data=x=y", {{"data", "x=y"}}},
        {"&&a=1&&", {{"a", "1"}}},
        {"strict", {{"strict", ""}}},
        {"Font.Name=DejaVu%20Sans", {{"Font.Name", "DejaVu Sans"}}},
        {"%41=%62", {{"A", "b"}}},
    };
    for (const auto& c : cases) {
        auto parsed = parseQuery(c.query);
        ASSERT_TRUE(std::holds_alternative<Fields>(parsed)) << c.query;
        EXPECT_EQ(std::get<Fields>(parsed), c.fields) << c.query;
    }
}

TEST(Query, RefusesFaultyPercentEncodingAndNamelessFields) {
    for (std::string_view query :
         {"a=%", "a=%4", "a=%zz", "a=%4g", "%=1", "a=1&b=%%", "=1", "%20%=x", "a=1&=2"}) {
        auto parsed = parseQuery(query);
        ASSERT_TRUE(std::holds_alternative<QueryError>(parsed)) << query;
        EXPECT_FALSE(std::get<QueryError>(parsed).message.empty());
    }
}

TEST(Query, MessagesShowNoRawControlBytesAndStayShort) {
    const std::string query = "data=\n\x01" + std::string(10000, 'x') + "%";
    const auto message = std::get<QueryError>(parseQuery(query)).message;
    EXPECT_EQ(message.find('\n'), std::string::npos);
    EXPECT_EQ(message.find('\x01'), std::string::npos);
    EXPECT_NE(message.find("\\x0A"), std::string::npos);
    EXPECT_LT(message.size(), 200U);
}

}  // namespace
}  // namespace qv::service
