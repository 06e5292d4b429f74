#include "gs1/charsets.h"

namespace qv::gs1 {

std::size_t firstOutside(Cset set, std::string_view s) {
    switch (set) {
        case Cset::N:
            return s.find_first_not_of("0123456789");
        case Cset::X:
            return s.find_first_not_of(kCset82);
        case Cset::Y:
            return s.find_first_not_of(kCset39);
        case Cset::Z: {
            std::size_t end = s.size();
            while (end > 0 && s[end - 1] == '=') --end;
            // Padding never runs to more than two characters, nor makes up the whole value.
            if (end == 0 && !s.empty()) return 0;
            if (s.size() - end > 2) return end + 2;
            const std::size_t bad = s.substr(0, end).find_first_not_of(kCset64);
            return bad;
        }
    }
    return 0;
}

std::string_view csetDescription(Cset set) {
    switch (set) {
        case Cset::N:
            return "not a digit";
        case Cset::X:
            return "not in CSET 82";
        case Cset::Y:
            return "not in CSET 39";
        case Cset::Z:
            return "not in CSET 64";
    }
    return "not allowed";
}

}  // namespace qv::gs1
