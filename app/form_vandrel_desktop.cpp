// FormVandrel's desktop services, with Qt: message boxes over the window,
// the browser, the end of the program, the date-range file's folders and
// its save, the addresses of local pages, and the save dialog.

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

#include "app/form_vandrel.h"
#include "app/links/browser_command.h"
#include "app/whole_file.h"

namespace vandrel {

void FormVandrel::showMessage(const Message& message) {
    QMessageBox box(this);
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

bool FormVandrel::startProgram(const std::string& commandLine) {
    const BrowserCommand command = splitBrowserCommandLine(commandLine);
#ifdef Q_OS_WIN
    return QProcess::startDetached(QString::fromStdString(command.program),
                                   {QString::fromStdString(command.address)});
#else
    // That browser cannot exist here: the address goes to the desktop's own browser.
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(command.address)));
#endif
}

void FormVandrel::endProgram() {
    QCoreApplication::exit(0);
}

std::string FormVandrel::applicationFolder() const {
    return QCoreApplication::applicationDirPath().toStdString();
}

std::string FormVandrel::configurationFolder() const {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdString();
}

bool FormVandrel::isWritableFolder(const std::string& folder) const {
    const QFileInfo info(QString::fromStdString(folder));
    return info.isDir() && info.isWritable();
}

std::optional<std::string> FormVandrel::replaceWholeFile(const std::string& path,
                                                         const std::string& bytes) {
    QSaveFile file(QString::fromStdString(path));
    return vandrel::replaceWholeFile(file, bytes);
}

std::string FormVandrel::fileAddress(const std::string& path) const {
    return QUrl::fromLocalFile(QString::fromStdString(path))
        .toString(QUrl::FullyEncoded)
        .toStdString();
}

std::optional<std::string> FormVandrel::chooseSavePath(const SaveQuestion& question) {
    QStringList kinds;
    for (const std::string& kind : question.kinds) {
        kinds << QString::fromStdString(kind);
    }
    QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(question.title));
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
    connect(&dialog, &QFileDialog::filterSelected, &dialog,
            [&dialog, suffixOf](const QString& kind) { dialog.setDefaultSuffix(suffixOf(kind)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().front().toStdString();
}

}  // namespace vandrel
