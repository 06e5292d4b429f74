#include "barcode1d/left_out.h"

namespace qv::barcode1d {

void LeftOut::add(std::size_t position, char c) {
    ++count_;
    if (first_.size() < kListed) first_.emplace_back(position, c);
}

void LeftOut::report(std::vector<Note>& notes, std::string_view what) const {
    if (count_ == 0) return;
    std::string text(what);
    text +=
        ": left out " + std::to_string(count_) + (count_ == 1 ? " character" : " characters") + ":";
    for (std::size_t i = 0; i < first_.size(); ++i) {
        text += i == 0 ? " " : ", ";
        text += describeChar(first_[i].second) + " at " + std::to_string(first_[i].first);
    }
    if (count_ > first_.size()) text += ", ...";
    notes.push_back(Note{Note::Severity::Warning, std::move(text)});
}

std::string describeChar(char c) {
    const auto code = static_cast<unsigned char>(c);
    if (code >= 32 && code < 127) return std::string("'") + c + "'";
    return "code " + std::to_string(code);
}

}  // namespace qv::barcode1d
