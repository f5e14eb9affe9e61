#include "app/links/link_handlers.h"

#include <QUrl>
#include <filesystem>
#include <stdexcept>

#include "app/install_layout.h"
#include "app/links/browser_command.h"
#include "text/guarded_step.h"

namespace vandrel {

namespace {

constexpr const char* kBrowserMissing =
    "This function requires internet explorer (iexplore.exe) to be in the directory "
    "c:\\Program Files\\  ";
constexpr const char* kBrowserMissingTitle = "Cannot find Browser:";

void openInBrowser(WindowOperations& window, const std::string& address) {
    GuardedStep(
        [&] {
            if (!window.startProgram(browserCommandLine(address))) {
                throw std::runtime_error("the browser did not start");
            }
        },
        [&](const std::string&) {
            window.showMessage({kBrowserMissing, MessageIcon::Critical, kBrowserMissingTitle});
        });
}

}  // namespace

std::string validFilesPageAddress(const WindowOperations& window) {
    // Beside the program in its build folder; under share/ when installed.
    const std::filesystem::path program = window.applicationFolder();
    const std::filesystem::path page = "n-body/ephemeris-files.html";
    std::filesystem::path found = program / page;
    const std::filesystem::path installed = installedDataFolder(program.string()) / page;
    if (!std::filesystem::exists(found) && std::filesystem::exists(installed)) {
        found = installed;
    }
    const QString path = QString::fromStdString(found.lexically_normal().string());
    return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded).toStdString();
}

void Command2_Click(WindowOperations& window) {
    openInBrowser(window, kServiceAddress);
}

void Command3_Click(WindowOperations& window, int index) {
    (void)index;  // both buttons open the same page
    openInBrowser(window, validFilesPageAddress(window));
}

}  // namespace vandrel
