#include <QApplication>

#include "app/command_line.h"
#include "app/form_vandrel.h"
#include "app/start_up.h"

int main(int argc, char** argv) {
    if (const auto status = vandrel::answerCommandLine(argc, argv)) {
        return *status;
    }
    const auto application = vandrel::openOnDisplay(argv[0]);
    QApplication::setApplicationName(QStringLiteral("vandrel"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/vandrel.xpm")));

    vandrel::FormVandrel form;
    vandrel::Form_Load(form);
    form.show();
    form.focusFirstControl();
    return QApplication::exec();
}
