#pragma once

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

namespace vandrel {

// Exit statuses of vandrel-scan; with several files, the worst one counts.
enum ExitStatus : int {
    kExitOk = 0,
    kExitCannotOpen = 1,
    kExitUsage = 2,
    kExitScanFailed = 3,
    kExitWriteFailed = 4,  // standard output refused the results; later files are not scanned
};

// vandrel-scan [OPTION]... FILE..., with the options of scan_options.h.
// `arguments` excludes the program name; FILE "-" reads `standardInput`.
int runScanCommand(const std::vector<std::string>& arguments, std::FILE* standardInput,
                   std::ostream& out, std::ostream& err);

}  // namespace vandrel
