#pragma once

#include <QApplication>
#include <memory>
#include <optional>
#include <string>

namespace vandrel {

// What the command line asks of the program.
struct CommandLine {
    // Set when the program ends at once: 0 after "--help" or "--version"
    // printed their text to standard output, 2 after an unknown option or a
    // second path printed the usage to standard error.
    std::optional<int> exitStatus;
    // The file to choose, or the folder to open, in the window; empty for none.
    std::string path;
};

// Reads "--help", "--version" (either wins wherever it stands), one FILE or
// FOLDER, and "--" before a path that begins with "-".
CommandLine readCommandLine(int argc, char** argv);

// The application on the desktop's display. Without a display it prints one
// line saying so to standard error and ends the program with status 1,
// instead of letting Qt's platform plugin abort it. Qt sees the program's
// name only, so no option of Qt's own changes the window either.
std::unique_ptr<QApplication> openOnDisplay(char* programName);

}  // namespace vandrel
