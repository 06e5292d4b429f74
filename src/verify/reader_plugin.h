// The reader plugin (quorvantix-reader.so), found and opened on the first verification.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "verify/reader_abi.h"

namespace qv::verify {

struct ReadBack {
    bool valid = false;
    std::string bytes;
    std::string text;
    std::int32_t sequenceIndex = -1;
    std::int32_t sequenceSize = -1;
    std::string sequenceId;
};

// Whether this build has a reader and its plugin opens; otherwise *why says what is missing.
bool readerAvailable(std::string* why = nullptr);

// What the plugin read; nullopt when there is no plugin or the reader failed.
std::optional<ReadBack> readBack(const QvReadRequest& request);

}  // namespace qv::verify
