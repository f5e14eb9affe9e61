#include <QApplication>

#include "app/desktop_services.h"
#include "app/form_vandrel.h"
#include "app/start_up.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vandrel"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/vandrel.xpm")));

    vandrel::SystemDesktop desktop;
    vandrel::FormVandrel form(desktop);
    vandrel::Form_Load(form);
    form.show();
    form.focusFirstControl();
    return QApplication::exec();
}
