// The time a reproducible build asks files to carry in place of the clock's (SOURCE_DATE_EPOCH,
// whole seconds since 1970 in UTC): the same input then makes the same bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qv::page {

// SOURCE_DATE_EPOCH when it holds such a time (digits only, up to the end of year 9999); nullopt
// when it is unset or holds anything else, and the clock's time is used.
std::optional<std::int64_t> sourceDateEpoch();

// The time in UTC as a PDF date string of `length` characters, parentheses included, in one of
// the two shapes cairo writes: "(D:20231114221320Z)" or "(D:20231114221320+00'00)"; empty for
// any other length.
std::string pdfDate(std::int64_t seconds, std::size_t length);
// The time in UTC as the PostScript header's creation date ("Tue Nov 14 22:13:20 2023").
std::string headerDate(std::int64_t seconds);

}  // namespace qv::page
