#pragma once

#include <QApplication>
#include <memory>
#include <optional>

namespace vandrel {

// "--help" and "--version" print their text to standard output and give the
// exit status (0); any other command line gives nothing, and the window
// opens. These two are all that the program reads of its command line.
std::optional<int> answerCommandLine(int argc, char** argv);

// The application on the desktop's display. Without a display it prints one
// line saying so to standard error and ends the program with status 1,
// instead of letting Qt's platform plugin abort it. Qt sees the program's
// name only, so no option of Qt's own changes the window either.
std::unique_ptr<QApplication> openOnDisplay(char* programName);

}  // namespace vandrel
