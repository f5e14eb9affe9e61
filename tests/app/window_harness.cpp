#include "window_harness.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "app/handlers/start_up.h"
#include "tests/table_text.h"

namespace vandrel::testing {

WindowHarness::WindowHarness() : previousFolder_(QDir::currentPath()) {
    QDir(work_.path()).mkpath(QStringLiteral("app"));
    desktop.applicationFolderPath = (work_.path() + QStringLiteral("/app")).toStdString();
    desktop.configurationFolderPath =
        (work_.path() + QStringLiteral("/config/vandrel")).toStdString();
    QDir::setCurrent(work_.path());
}

WindowHarness::~WindowHarness() {
    form_.reset();
    QDir::setCurrent(previousFolder_);
}

FormVandrel& WindowHarness::start() {
    form_.reset();
    formDesktop_ = std::make_unique<RecordingDesktop<QtDesktop>>(desktop);
    form_ = std::make_unique<FormVandrel>(formDesktop_.get());
    Form_Load(*form_);
    return *form_;
}

FakeWindow& WindowHarness::startFake() {
    fake_ = std::make_unique<FakeWindow>(desktop);
    fake_->folder = work_.path().toStdString();
    Form_Load(*fake_);
    return *fake_;
}

QString WindowHarness::dateRangeFile() const {
    return QString::fromStdString(desktop.applicationFolderPath) +
           QStringLiteral("/dates-start-end.txt");
}

QString WindowHarness::writeWorkFile(const QString& name, const QByteArray& bytes) const {
    const QString path = work_.path() + QLatin1Char('/') + name;
    writeFile(path, bytes);
    return path;
}

QString WindowHarness::text(const char* objectName) const {
    return find<QLineEdit>(objectName)->text();
}

void WindowHarness::click(const char* objectName) const {
    // click() also reaches the hidden Command4, which a mouse never could.
    find<QAbstractButton>(objectName)->click();
}

void WindowHarness::chooseFile(const QString& name) const {
    auto* files = find<QListView>("File1");
    // The list fills as the file-system model reads the folder.
    QTRY_VERIFY2(listed(files).contains(name), qPrintable(name + QStringLiteral(" is not listed")));
    const QModelIndex found = files->model()
                                  ->match(files->model()->index(0, 0, files->rootIndex()),
                                          Qt::DisplayRole, name, 1, Qt::MatchExactly)
                                  .front();
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualRect(found).center());
}

void WindowHarness::openFolder(const QString& path) const {
    auto* folders = find<QListWidget>("Dir1");
    const auto line = [folders, &path]() -> QListWidgetItem* {
        for (int row = 0; row < folders->count(); ++row) {
            if (folders->item(row)->data(Qt::UserRole).toString() == path) {
                return folders->item(row);
            }
        }
        return nullptr;
    };
    QTRY_VERIFY2(line() != nullptr,
                 qPrintable(path + QStringLiteral(" is not in the folder list")));
    emit folders->itemActivated(line());
}

QString textOf(const FakeWindow& window, Control control) {
    return QString::fromStdString(window.text(control));
}

QStringList listed(QListView* list) {
    QStringList names;
    const QAbstractItemModel* model = list->model();
    for (int row = 0; row < model->rowCount(list->rootIndex()); ++row) {
        if (!list->isRowHidden(row)) {
            names << model->index(row, 0, list->rootIndex()).data().toString();
        }
    }
    return names;
}

QByteArray ephemerisTable(const std::vector<std::pair<const char*, const char*>>& records,
                          bool endMarker) {
    std::string table = "Target body name: test\r\n$$SOE\r\n";
    for (const auto& [date, rg] : records) {
        table += record(date, rg, "00:00", "\r\n");
    }
    return QByteArray::fromStdString(endMarker ? table + "$$EOE\r\n" : table);
}

QColor paintedColour(QWidget* button) {
    const QImage image = button->grab().toImage();
    return image.pixelColor(2, image.height() / 2);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}  // namespace vandrel::testing
