// quorvantix-serve: what `quorvantix serve` runs, with the arguments after "serve".
#include <iostream>
#include <string>
#include <vector>

#include "serve.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    return qv::service::serve(args, std::cout, std::cerr);
}
