#include "app/widgets/qt_desktop.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>

#include "app/handlers/links/browser_command.h"
#include "app/widgets/whole_file.h"

namespace vandrel {

void QtDesktop::showMessage(const Message& message) {
    QMessageBox box(window_);
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

bool QtDesktop::startProgram(const std::string& commandLine) {
    const BrowserCommand command = splitBrowserCommandLine(commandLine);
#ifdef Q_OS_WIN
    return QProcess::startDetached(QString::fromStdString(command.program),
                                   {QString::fromStdString(command.address)});
#else
    // That browser cannot exist here: the address goes to the desktop's own browser.
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(command.address)));
#endif
}

void QtDesktop::endProgram() {
    QCoreApplication::exit(0);
}

std::string QtDesktop::applicationFolder() const {
    return QCoreApplication::applicationDirPath().toStdString();
}

std::string QtDesktop::configurationFolder() const {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdString();
}

bool QtDesktop::isWritableFolder(const std::string& folder) const {
    const QFileInfo info(QString::fromStdString(folder));
    return info.isDir() && info.isWritable();
}

std::optional<std::string> QtDesktop::replaceWholeFile(const std::string& path,
                                                       const std::string& bytes) {
    QSaveFile file(QString::fromStdString(path));
    return vandrel::replaceWholeFile(file, bytes);
}

std::string QtDesktop::fileAddress(const std::string& path) const {
    return QUrl::fromLocalFile(QString::fromStdString(path))
        .toString(QUrl::FullyEncoded)
        .toStdString();
}

std::optional<std::string> QtDesktop::chooseSavePath(const SaveQuestion& question) {
    QStringList kinds;
    for (const std::string& kind : question.kinds) {
        kinds << QString::fromStdString(kind);
    }
    QFileDialog dialog(
        QApplication::activeWindow() != nullptr ? QApplication::activeWindow() : window_,
        QString::fromStdString(question.title));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(kinds);
    dialog.selectFile(QString::fromStdString(question.suggestedPath));
    // A name typed without a suffix takes that of the chosen kind.
    const auto suffixOf = [](const QString& kind) {
        const qsizetype star = kind.indexOf(QStringLiteral("*."));
        return kind.mid(star + 2, kind.indexOf(QLatin1Char(')'), star) - star - 2);
    };
    if (!kinds.isEmpty()) {
        dialog.setDefaultSuffix(suffixOf(kinds.front()));
    }
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog, suffixOf](const QString& kind) { dialog.setDefaultSuffix(suffixOf(kind)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().front().toStdString();
}

}  // namespace vandrel
