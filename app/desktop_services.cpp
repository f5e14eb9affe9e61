#include "app/desktop_services.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include "app/links/browser_command.h"

namespace vandrel {

void SystemDesktop::showMessage(QWidget* parent, const Message& message) {
    QMessageBox box(parent);
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowTitle(QString::fromStdString(message.title.value_or(kApplicationTitle)));
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromStdString(message.prompt));
    box.setStandardButtons(QMessageBox::Ok);
    switch (message.icon) {
        case MessageIcon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
        case MessageIcon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case MessageIcon::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
    }
    box.exec();
}

bool SystemDesktop::startProgram(const std::string& commandLine) {
    const BrowserCommand command = splitBrowserCommandLine(commandLine);
#ifdef Q_OS_WIN
    return QProcess::startDetached(QString::fromStdString(command.program),
                                   {QString::fromStdString(command.address)});
#else
    // That browser cannot exist here: the address goes to the desktop's own browser.
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(command.address)));
#endif
}

void SystemDesktop::endProgram() {
    QCoreApplication::exit(0);
}

std::string SystemDesktop::applicationFolder() const {
    return QCoreApplication::applicationDirPath().toStdString();
}

std::string SystemDesktop::configurationFolder() const {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdString();
}

bool SystemDesktop::isWritableFolder(const std::string& folder) const {
    const QFileInfo info(QString::fromStdString(folder));
    return info.isDir() && info.isWritable();
}

}  // namespace vandrel
