#include "app/handlers/links/browser_command.h"

namespace vandrel {

std::string browserCommandLine(std::string_view address) {
    // Appended piece by piece: GCC 12 warns wrongly about operator+ on
    // constant texts once link-time optimisation inlines it.
    std::string line(kBrowserFolder);
    line += kBrowserSeparator;
    line += kBrowserProgram;
    line += address;
    return line;
}

BrowserCommand splitBrowserCommandLine(std::string_view commandLine) {
    constexpr std::string_view kProgramEnd = ".exe ";
    const std::size_t end = commandLine.find(kProgramEnd);
    if (end == std::string_view::npos) {
        return {std::string(commandLine), {}};
    }
    const std::size_t programLength = end + kProgramEnd.size() - 1;
    return {std::string(commandLine.substr(0, programLength)),
            std::string(commandLine.substr(programLength + 1))};
}

}  // namespace vandrel
