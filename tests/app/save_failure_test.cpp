#include "save_failure_test.h"

#include <sys/mount.h>
#include <unistd.h>

#include <QDir>
#include <QLineEdit>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <cstring>

#include "app/widgets/whole_file.h"
#include "window_harness.h"

using vandrel::MessageIcon;
using vandrel::testing::readFile;
using vandrel::testing::WindowHarness;
using vandrel::testing::writeFile;

namespace {

const QByteArray kSaved = "\"2020-Jan-01\",\"2020-Dec-31\"\r\n";

enum class Failure { WriteFails, ShortWrite, RenameFails };

// A save file whose writing fails in the way asked for.
class FailingSaveFile final : public QSaveFile {
  public:
    FailingSaveFile(const QString& name, Failure failure) : QSaveFile(name), failure_(failure) {}

  protected:
    qint64 writeData(const char* data, qint64 length) override {
        switch (failure_) {
            case Failure::WriteFails:
                return -1;
            case Failure::ShortWrite:
                return QSaveFile::writeData(data, length - 1);
            case Failure::RenameFails:
                // Something takes the file's name meanwhile: a folder that is not empty.
                QFile::remove(fileName());
                QDir().mkpath(fileName() + QStringLiteral("/inside"));
                return QSaveFile::writeData(data, length);
        }
        return -1;
    }

  private:
    Failure failure_;
};

// Unmounts the file system mounted on a folder when it goes out of scope.
struct Mounted {
    QByteArray folder;
    ~Mounted() { umount2(folder.constData(), MNT_DETACH); }
};

void fillUp(const QString& folder) {
    QFile filler(folder + QStringLiteral("/filler"));
    QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray page(4096, 'x');
    while (filler.write(page) == page.size()) {
    }
}

}  // namespace

void SaveFailureTest::failedReplacementKeepsTheFileBefore_data() {
    QTest::addColumn<int>("failure");
    QTest::addColumn<QString>("reason");
    QTest::newRow("write fails") << int(Failure::WriteFails)
                                 << "only 0 of 11 bytes could be written";
    QTest::newRow("short write") << int(Failure::ShortWrite)
                                 << "only 10 of 11 bytes could be written";
    QTest::newRow("rename fails") << int(Failure::RenameFails) << "Is a directory";
}

void SaveFailureTest::failedReplacementKeepsTheFileBefore() {
    QFETCH(int, failure);
    QFETCH(QString, reason);
    QTemporaryDir folder;
    const QString path = folder.path() + QStringLiteral("/dates-start-end.txt");
    writeFile(path, kSaved);
    std::optional<std::string> failed;
    {
        FailingSaveFile file(path, static_cast<Failure>(failure));
        failed = vandrel::replaceWholeFile(file, "new content");
    }
    QVERIFY(failed.has_value());
    QCOMPARE(QString::fromStdString(*failed), reason);
    if (static_cast<Failure>(failure) == Failure::RenameFails) {
        QVERIFY2(QFileInfo(path).isDir(), "the folder in the file's place was replaced");
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList());
        return;
    }
    QCOMPARE(readFile(path), kSaved);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"dates-start-end.txt"});
}

void SaveFailureTest::fullDiskKeepsTheSavedDates_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<bool>("save");
    QTest::newRow("save") << kSaved << true;
    // One date only: the load falls back to writing the file.
    QTest::newRow("load's fallback") << QByteArray("\"2020-Jan-01\"\r\n") << false;
}

void SaveFailureTest::fullDiskKeepsTheSavedDates() {
    QFETCH(QByteArray, before);
    QFETCH(bool, save);
    if (geteuid() != 0) {
        QSKIP(
            "mounting a small tmpfs to fill up needs root; run the tests as root to save on a "
            "full disk");
    }
    WindowHarness harness;
    const QString disk = harness.workFolder() + QStringLiteral("/disk");
    QDir().mkpath(disk);
    if (mount("tmpfs", disk.toLocal8Bit().constData(), "tmpfs", 0, "size=64k") != 0) {
        QSKIP(qPrintable(QStringLiteral("cannot mount a tmpfs on %1: %2")
                             .arg(disk, QString::fromLocal8Bit(std::strerror(errno)))));
    }
    const Mounted mounted{disk.toLocal8Bit()};
    harness.desktop.applicationFolderPath = disk.toStdString();
    const QString path = disk + QStringLiteral("/dates-start-end.txt");
    writeFile(path, before);
    fillUp(disk);

    harness.start();
    if (save) {
        QVERIFY(harness.desktop.messages.empty());
        harness.find<QLineEdit>("TXstardate")->setText(QStringLiteral("1999-Jan-01"));
        harness.click("CDsa");
    }
    QCOMPARE(harness.desktop.messages.size(), std::size_t{1});
    QCOMPARE(harness.desktop.messages[0].prompt,
             "Cannot save the dates to " + path.toStdString() + ": No space left on device");
    QVERIFY(harness.desktop.messages[0].icon == MessageIcon::Critical);
    QCOMPARE(readFile(path), before);
    QCOMPARE(QDir(disk).entryList(QDir::Files), QStringList({"dates-start-end.txt", "filler"}));
}
