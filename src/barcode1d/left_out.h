// Collects the characters an encoder could not use and turns them into one note per reason, so
// that data of any size gives a short, bounded diagnostic.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "quorvantix/control.h"

namespace qv::barcode1d {

class LeftOut {
  public:
    void add(std::size_t position, char c);
    std::size_t count() const { return count_; }
    // Adds "<what>: left out N character(s) ...: 'x' at 3, ..." when anything was collected.
    void report(std::vector<Note>& notes, std::string_view what) const;

  private:
    static constexpr std::size_t kListed = 8;
    std::size_t count_ = 0;
    std::vector<std::pair<std::size_t, char>> first_;
};

// A character as a note shows it: printable ASCII quoted, anything else as its code.
std::string describeChar(char c);

}  // namespace qv::barcode1d
