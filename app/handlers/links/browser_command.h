#pragma once

#include <string>
#include <string_view>

namespace vandrel {

inline constexpr const char* kBrowserFolder = "C:\\Program Files\\Internet Explorer";
inline constexpr const char* kBrowserSeparator = "\\";
inline constexpr const char* kBrowserProgram =
    "iexplore.exe ";  // the blank parts program and address

// The browser's path, then the address: "C:\Program Files\Internet Explorer\iexplore.exe ADDRESS".
std::string browserCommandLine(std::string_view address);

// The command line's program path holds blanks and has no quotes: it runs to
// the end of ".exe", and the address follows after one blank.
struct BrowserCommand {
    std::string program;
    std::string address;
};
BrowserCommand splitBrowserCommandLine(std::string_view commandLine);

}  // namespace vandrel
