// One line per request on stderr: time, method, path, status, bytes of body, microseconds.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace qv::service {

// "2026-12-08T09:01:02.345Z GET /v1/datamatrix.png 200 1234 567us". The path is the client's, so
// bytes outside printable ASCII (and spaces) are written as %XX: a line stays one line. Without
// a time (a request refused before it was read whole), "-" stands in its place.
std::string accessLogLine(std::chrono::system_clock::time_point when, std::string_view method,
                          std::string_view path, int status, std::size_t bytes,
                          std::optional<std::chrono::microseconds> took);

}  // namespace qv::service
