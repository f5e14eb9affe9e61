#include <algorithm>
#include <cstdio>
#include <iostream>

#include "cli/scan_command.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const int status = vandrel::runScanCommand(arguments, stdin, std::cout, std::cerr);
    std::cout.flush();
    if (!std::cout.good()) {
        std::cerr << "vandrel-scan: cannot write the results to standard output\n";
        return std::max(status, static_cast<int>(vandrel::kExitCannotOpen));
    }
    return status;
}
