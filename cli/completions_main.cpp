// Writes one of vandrel-scan's completion scripts, made at build time from
// its table of options:  vandrel-completions bash|zsh|fish
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include "cli/scan_options.h"

int main(int argc, char** argv) {
    if (argc == 2) {
        using Script = std::string (*)();
        const std::pair<const char*, Script> scripts[] = {{"bash", vandrel::bashCompletion},
                                                          {"zsh", vandrel::zshCompletion},
                                                          {"fish", vandrel::fishCompletion}};
        for (const auto& [shell, script] : scripts) {
            if (std::strcmp(argv[1], shell) == 0) {
                std::fputs(script().c_str(), stdout);
                return std::fflush(stdout) == 0 ? 0 : 1;
            }
        }
    }
    std::fputs("usage: vandrel-completions bash|zsh|fish\n", stderr);
    return 2;
}
