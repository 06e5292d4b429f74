// Records of comma-separated values: quoted fields may hold commas, doubled quotes and line
// breaks; a record ends at LF or CRLF outside quotes.
#pragma once

#include <cstddef>
#include <streambuf>
#include <string>
#include <vector>

namespace qv::cli {

struct CsvRecord {
    std::vector<std::string> fields;
    std::string error;   // malformed: the record is read to its end and not used
    bool blank = false;  // an empty line
};

class CsvReader {
  public:
    // A record longer than maxBytes is an error, and no more of it is held.
    CsvReader(std::streambuf& input, std::size_t maxBytes) : input_(input), maxBytes_(maxBytes) {}
    // False at the end of the input. A UTF-8 byte order mark before the first record is dropped.
    bool next(CsvRecord& record);

  private:
    std::streambuf& input_;
    std::size_t maxBytes_;
    bool started_ = false;
};

}  // namespace qv::cli
