#include "app/widgets/command_line.h"

#include <QByteArray>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vandrel {

namespace {

constexpr const char* kHelp =
    "usage: vandrel [--help | --version] [FILE | FOLDER]\n"
    "\n"
    "Opens the vandrel window, which finds the least and the greatest distance\n"
    "from the Sun (perihelion and aphelion) in a Horizons vector table saved as\n"
    "a .txt file: open the file's folder in the folder list, click the file in\n"
    "the file list, choose the least or the most distance and press \"sort\".\n"
    "Given a FILE, the window opens on its folder with the file chosen; given a\n"
    "FOLDER, on that folder. A file or folder dropped on the window opens so too.\n"
    "\n"
    "The start and end dates are kept in dates-start-end.txt: beside the program\n"
    "when it runs from its build folder or a copied folder that it can write to,\n"
    "and in ~/.config/vandrel/ (under $XDG_CONFIG_HOME when that is set) when it\n"
    "is installed or its own folder is not writable.\n"
    "\n"
    "  --help     show this help\n"
    "  --version  show the version\n"
    "\n"
    "The window needs a desktop (X11 or Wayland); without one, vandrel says so\n"
    "and exits with status 1. vandrel-scan scans files without a desktop.\n";

// Qt's messages while it opens the display: shown only when it succeeds.
QStringList heldMessages;

QString environment(const char* name) {
    return QString::fromLocal8Bit(qgetenv(name));
}

[[noreturn]] void reportNoDisplay() {
    const QString display = environment("DISPLAY");
    const QString wayland = environment("WAYLAND_DISPLAY");
    QString line;
    if (display.isEmpty() && wayland.isEmpty()) {
        line = QStringLiteral(
            "vandrel: no display to show the window on (DISPLAY and WAYLAND_DISPLAY are not "
            "set); start it on a desktop, or scan files with vandrel-scan");
    } else {
        line = QStringLiteral(
                   "vandrel: cannot open the display %1 to show the window on; check that the "
                   "desktop is running, or scan files with vandrel-scan")
                   .arg(display.isEmpty() ? wayland : display);
    }
    std::fprintf(stderr, "%s\n", qPrintable(line));
    std::fflush(stderr);
    // Qt is half set up here: leave without running its destructors.
    std::_Exit(1);
}

void holdOrReport(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        reportNoDisplay();
    }
    heldMessages << qFormatLogMessage(type, context, message);
}

}  // namespace

CommandLine readCommandLine(int argc, char** argv) {
    for (int index = 1; index < argc; ++index) {
        if (std::strcmp(argv[index], "--help") == 0) {
            std::fputs(kHelp, stdout);
            return {0, {}};
        }
        if (std::strcmp(argv[index], "--version") == 0) {
            std::printf("vandrel %s\n", VANDREL_VERSION);
            return {0, {}};
        }
    }
    CommandLine line;
    bool optionsEnded = false;
    for (int index = 1; index < argc; ++index) {
        const std::string argument = argv[index];
        std::string fault;
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && argument.size() > 1 && argument[0] == '-') {
            fault = "unknown option " + argument;
        } else if (!line.path.empty()) {
            fault = "one file or folder at most, not also " + argument;
        }
        if (!fault.empty()) {
            std::fprintf(stderr, "vandrel: %s\n%s", fault.c_str(), kHelp);
            return {2, {}};
        }
        line.path = argument;
    }
    return line;
}

std::unique_ptr<QApplication> openOnDisplay(char* programName) {
    static char fallbackName[] = "vandrel";  // for a program started without any argv
    // QApplication keeps references to these for its whole life.
    static int argumentCount = 1;
    static char* arguments[] = {programName != nullptr ? programName : fallbackName, nullptr};
    const QtMessageHandler previousHandler = qInstallMessageHandler(holdOrReport);
    auto application = std::make_unique<QApplication>(argumentCount, arguments);
    qInstallMessageHandler(previousHandler);
    for (const QString& message : std::as_const(heldMessages)) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
    }
    heldMessages.clear();
    return application;
}

}  // namespace vandrel
