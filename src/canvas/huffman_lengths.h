// Code lengths for a prefix code over an alphabet, as deflate's dynamic blocks carry them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace qv::png {

// Lengths (at most `limit` bits) of an optimal-or-near prefix code for `frequencies`: symbols of
// frequency 0 get length 0. With two or more symbols used the code is complete (its lengths
// fill the code space exactly), which every inflater accepts; the caller makes sure of two.
void huffmanLengths(std::span<const std::uint32_t> frequencies, int limit,
                    std::span<std::uint8_t> lengths);

// The canonical codes for `lengths`, bit-reversed for a writer that packs from the low end.
void canonicalCodes(std::span<const std::uint8_t> lengths, std::span<std::uint16_t> codes);

}  // namespace qv::png
