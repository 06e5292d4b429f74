// The structured carrier message of modes 2 and 3: postal code, country and class of service.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv::maxicode {

struct PostalFields {
    std::string zipCode;
    std::string country;
    std::string serviceClass;
    friend bool operator==(const PostalFields&, const PostalFields&) = default;
};

struct StructuredSplit {
    PostalFields fields;
    std::string secondary;  // the header (when present) and everything after the third GS
};

// "[)>" RS "01" GS yy zip GS country GS class GS rest, the header optional. Data with fewer than
// three GS after the header has no postal fields: nullopt.
std::optional<StructuredSplit> splitStructuredData(std::string_view text);

struct PostalPrimary {
    std::array<std::uint8_t, 10> codewords{};
    std::int32_t mode = 2;  // 3 when the postal code is not all digits
    std::string zipCode;    // as coded: cut to 9 in mode 2, padded to 6 in mode 3
};

// The ten primary data codewords of mode 2 or 3 (any other mode is taken as 2). What is cut or
// replaced on the way is appended to notes.
PostalPrimary buildPostalPrimary(std::int32_t mode, const PostalFields& fields,
                                 std::vector<std::string>& notes);

}  // namespace qv::maxicode
