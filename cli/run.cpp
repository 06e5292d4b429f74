#include <ostream>

#include "cli.h"

namespace qv::cli {

int run(const std::vector<std::string>&, std::ostream&, std::ostream& err) {
    err << "quorvantix: no controls yet\n";
    return 2;
}

}  // namespace qv::cli
