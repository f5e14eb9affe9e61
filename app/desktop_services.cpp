#include "app/desktop_services.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>

namespace vandrel {

void SystemDesktop::showMessage(QWidget* parent, const Message& message) {
    QMessageBox box(parent);
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowTitle(QString::fromStdString(message.title.value_or(kApplicationTitle)));
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
    (void)commandLine;
    return false;
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
