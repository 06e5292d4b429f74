// One readable symbol of each control, with the reader's name for it and the data it holds.
#pragma once

#include <ZXing/BarcodeFormat.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "quorvantix/control.h"

namespace qv::test {

struct Sample {
    std::string name;
    std::function<std::unique_ptr<Control>()> make;
    ZXing::BarcodeFormat format;
    std::string data;  // as the reader gives it
};

// With text: the EAN-13 draws its digits; withText false leaves every font out.
std::vector<Sample> samples(bool withText = true);

}  // namespace qv::test
