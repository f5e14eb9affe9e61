#include <cstdio>
#include <iostream>

#include "cli/scan_command.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return vandrel::runScanCommand(arguments, stdin, std::cout, std::cerr);
}
