// The query of a symbol URL: NAME=VALUE fields in the order given, percent-decoded strictly.
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace qv::service {

struct QueryField {
    std::string name;
    std::string value;
    friend bool operator==(const QueryField&, const QueryField&) = default;
};

struct QueryError {
    std::string message;
};

// Splits at '&' and the first '=' of each field; '+' is a space. Order matters (later writes win,
// as with repeated --set), so this keeps it. Empty fields are passed over; a field without '='
// has the value "". A '%' not followed by two hex digits, or a field with no name, is an error:
// guessing what was meant would render a symbol for data nobody sent.
std::variant<std::vector<QueryField>, QueryError> parseQuery(std::string_view query);

}  // namespace qv::service
