#include "app/handlers/links/link_handlers.h"

#include <filesystem>

#include "app/handlers/install_layout.h"
#include "app/handlers/links/browser_command.h"

namespace vandrel {

namespace {

constexpr const char* kBrowserMissing =
    "This function requires internet explorer (iexplore.exe) to be in the directory "
    "c:\\Program Files\\  ";
constexpr const char* kBrowserMissingTitle = "Cannot find Browser:";

// Whatever stopped the start, the one message says the browser is needed.
void openInBrowser(WindowOperations& window, const std::string& address) {
    if (!window.desktop().startProgram(browserCommandLine(address))) {
        window.desktop().showMessage(
            {kBrowserMissing, MessageIcon::Critical, kBrowserMissingTitle});
    }
}

}  // namespace

std::string validFilesPageAddress(const WindowOperations& window) {
    // Beside the program in its build folder; under share/ when installed.
    const std::filesystem::path program = window.desktop().applicationFolder();
    const std::filesystem::path page = "n-body/ephemeris-files.html";
    std::filesystem::path found = program / page;
    const std::filesystem::path installed = installedDataFolder(program.string()) / page;
    if (!std::filesystem::exists(found) && std::filesystem::exists(installed)) {
        found = installed;
    }
    return window.desktop().fileAddress(found.lexically_normal().string());
}

void Command2_Click(WindowOperations& window) {
    openInBrowser(window, kServiceAddress);
}

void Command3_Click(WindowOperations& window, int index) {
    (void)index;  // both buttons open the same page
    openInBrowser(window, validFilesPageAddress(window));
}

}  // namespace vandrel
