#include <QApplication>

#include "app/handlers/picker/picker_handlers.h"
#include "app/handlers/start_up.h"
#include "app/widgets/command_line.h"
#include "app/widgets/form_vandrel.h"
#include "app/widgets/screen_fit.h"

int main(int argc, char** argv) {
    const vandrel::CommandLine commandLine = vandrel::readCommandLine(argc, argv);
    if (commandLine.exitStatus) {
        return *commandLine.exitStatus;
    }
    const auto application = vandrel::openOnDisplay(argv[0]);
    QApplication::setApplicationName(QStringLiteral("vandrel"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/vandrel.png")));

    vandrel::FormVandrel form;
    vandrel::Form_Load(form);
    vandrel::ScreenFit fit(form, vandrel::roomOnScreen(form));
    fit.shown().show();
    form.focusFirstControl();
    if (!commandLine.path.empty()) {
        vandrel::OpenPath(form, commandLine.path);
    }
    return QApplication::exec();
}
