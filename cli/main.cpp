#include <unistd.h>

#include <iostream>

#include "cli.h"
#include "service_exec.h"

int main(int argc, char** argv) {
    // Batch input is read a character at a time; unsynchronised streams keep that cheap.
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (!args.empty() && args.front() == "serve")
        return qv::cli::execService(qv::cli::programFolder(), {args.begin() + 1, args.end()},
                                    std::cerr);
    return qv::cli::run(args, std::cin, std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1);
}
