#include "date_range_file_test.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "app/handlers/settings/date_range_file.h"
#include "app/widgets/qt_desktop.h"
#include "window_harness.h"

using vandrel::MessageIcon;
using vandrel::testing::FakeWindow;
using vandrel::testing::readFile;
using vandrel::testing::textOf;
using vandrel::testing::WindowHarness;
using vandrel::testing::writeFile;
using C = vandrel::Control;

namespace {

const QByteArray kDesignFile = "\"1900-Jan-01\",\"1901-Jan-01\"\r\n";

void setDates(FakeWindow& window, const std::string& start, const std::string& end) {
    window.setText(C::TXstardate, start);
    window.setText(C::TXendate, end);
}

}  // namespace

void DateRangeFileTest::loadAppliesTwoItemsOrRewritesTheFile_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QByteArray>("fileAfter");
    QTest::newRow("as saved") << QByteArray("\"2020-Jan-01\",\"2021-Jan-01\"\r\n") << "2020-Jan-01"
                              << "2021-Jan-01" << QByteArray("\"2020-Jan-01\",\"2021-Jan-01\"\r\n");
    QTest::newRow("empty file") << QByteArray() << "1900-Jan-01"
                                << "1901-Jan-01" << kDesignFile;
    QTest::newRow("one item") << QByteArray("\"2020-Jan-01\"\r\n") << "1900-Jan-01"
                              << "1901-Jan-01" << kDesignFile;
    QTest::newRow("three items") << QByteArray("\"a\",\"b\",\"c\"\r\n") << "a"
                                 << "b" << QByteArray("\"a\",\"b\",\"c\"\r\n");
    QTest::newRow("unquoted on one line")
        << QByteArray("2020-Jan-01, 2021-Jan-01\n") << "2020-Jan-01"
        << "2021-Jan-01" << QByteArray("2020-Jan-01, 2021-Jan-01\n");
    QTest::newRow("one quoted item a line") << QByteArray("\"x\"\r\n\"y\"\r\n") << "x"
                                            << "y" << QByteArray("\"x\"\r\n\"y\"\r\n");
    QTest::newRow("two empty items") << QByteArray("\"\",\"\"") << ""
                                     << "" << QByteArray("\"\",\"\"");
    QTest::newRow("not dates") << QByteArray("\"soon\",\"later, maybe\"\r\n") << "soon"
                               << "later, maybe" << QByteArray("\"soon\",\"later, maybe\"\r\n");
}

void DateRangeFileTest::loadAppliesTwoItemsOrRewritesTheFile() {
    QFETCH(QByteArray, file);
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QByteArray, fileAfter);
    WindowHarness harness;
    writeFile(harness.dateRangeFile(), file);
    FakeWindow& window = harness.startFake();
    QCOMPARE(textOf(window, C::TXstardate), start);
    QCOMPARE(textOf(window, C::TXendate), end);
    QCOMPARE(readFile(harness.dateRangeFile()), fileAfter);
    QVERIFY(harness.desktop.messages.empty());
}

void DateRangeFileTest::buttonsOnTheWindowSaveAndLoad() {
    WindowHarness harness;
    harness.start();
    harness.find<QLineEdit>("TXstardate")->setText(QStringLiteral("2020-Jan-01"));
    harness.click("CDsa");
    QCOMPARE(readFile(harness.dateRangeFile()), QByteArray("\"2020-Jan-01\",\"1901-Jan-01\"\r\n"));
    harness.find<QLineEdit>("TXstardate")->setText(QStringLiteral("edited"));
    harness.click("CDlo");
    QCOMPARE(harness.text("TXstardate"), QStringLiteral("2020-Jan-01"));
}

void DateRangeFileTest::loadAfterEditsWithoutAFileSavesTheEdits() {
    WindowHarness harness;
    FakeWindow& window = harness.startFake();
    QFile::remove(harness.dateRangeFile());
    setDates(window, "2000-Feb-29", "2001-Mar-01");
    vandrel::CDlo_Click(window);
    QCOMPARE(textOf(window, C::TXstardate), QStringLiteral("2000-Feb-29"));
    QCOMPARE(readFile(harness.dateRangeFile()), QByteArray("\"2000-Feb-29\",\"2001-Mar-01\"\r\n"));
}

void DateRangeFileTest::saveThenLoadGivesTheSameTexts() {
    WindowHarness harness;
    FakeWindow& window = harness.startFake();
    const std::string accented =
        "2021-D\xC3\xA9"
        "c-01";
    setDates(window, "2020-Jan-01, noon", accented);
    vandrel::CDsa_Click(window);
    setDates(window, "x", "y");
    vandrel::CDlo_Click(window);
    QCOMPARE(textOf(window, C::TXstardate), QStringLiteral("2020-Jan-01, noon"));
    QCOMPARE(window.text(C::TXendate), accented);
    // A double quote is written as it is, so it does not come back whole.
    setDates(window, "a\"b", "c");
    vandrel::CDsa_Click(window);
    QCOMPARE(readFile(harness.dateRangeFile()), QByteArray("\"a\"b\",\"c\"\r\n"));
    vandrel::CDlo_Click(window);
    QCOMPARE(textOf(window, C::TXstardate), QStringLiteral("a"));
}

void DateRangeFileTest::saveLeavesFiltersAndOptionsAlone() {
    WindowHarness harness;
    FakeWindow& window = harness.startFake();
    window.controls[C::ChStart].checkValue = 1;
    window.select(C::OpSort1);
    vandrel::CDsa_Click(window);
    vandrel::CDlo_Click(window);
    QCOMPARE(window.checkValue(C::ChStart), 1);
    QCOMPARE(window.checkValue(C::CHenday), 0);
    QVERIFY(window.isSelected(C::OpSort1));
    QCOMPARE(readFile(harness.dateRangeFile()), kDesignFile);
}

void DateRangeFileTest::theFileLivesWhereTheProgramRuns_data() {
    QTest::addColumn<QString>("programFolder");
    QTest::addColumn<bool>("installed");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<bool>("besideProgram");
    QTest::newRow("build folder") << "build/app" << false << true << true;
    QTest::newRow("copied folder") << "copy" << false << true << true;
    QTest::newRow("copied folder, not writable") << "copy" << false << false << false;
    QTest::newRow("installed, writable") << "prefix/bin" << true << true << false;
    QTest::newRow("installed") << "prefix/bin" << true << false << false;
    // A bin folder with no share/vandrel beside it was copied there by hand.
    QTest::newRow("bin folder of a copy") << "prefix/bin" << false << true << true;
}

void DateRangeFileTest::theFileLivesWhereTheProgramRuns() {
    QFETCH(QString, programFolder);
    QFETCH(bool, installed);
    QFETCH(bool, writable);
    QFETCH(bool, besideProgram);
    WindowHarness harness;
    const QString program = harness.workFolder() + '/' + programFolder;
    QDir().mkpath(program);
    if (installed) {
        QDir().mkpath(harness.workFolder() + QStringLiteral("/prefix/share/vandrel"));
    }
    harness.desktop.applicationFolderPath = program.toStdString();
    harness.desktop.applicationFolderWritable = writable;
    const QString beside = program + QStringLiteral("/dates-start-end.txt");
    const QString configured =
        QString::fromStdString(harness.desktop.configurationFolderPath) + "/dates-start-end.txt";
    const QString used = besideProgram ? beside : configured;
    const QString unused = besideProgram ? configured : beside;

    FakeWindow& window = harness.startFake();  // no file yet: the load writes it
    QCOMPARE(readFile(used), kDesignFile);
    setDates(window, "2020-Jan-01", "2020-Dec-31");
    vandrel::CDsa_Click(window);
    QCOMPARE(readFile(used), QByteArray("\"2020-Jan-01\",\"2020-Dec-31\"\r\n"));
    setDates(window, "", "");
    vandrel::CDlo_Click(window);
    QCOMPARE(textOf(window, C::TXendate), QStringLiteral("2020-Dec-31"));
    QVERIFY2(!QFile::exists(unused), qPrintable(unused));
    QVERIFY(harness.desktop.messages.empty());
}

void DateRangeFileTest::configurationFolderIsTheUsersOwn() {
    const bool homeWasSet = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    const QByteArray previousHome = qgetenv("XDG_CONFIG_HOME");
    const QString previousName = QCoreApplication::applicationName();
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    QCoreApplication::setApplicationName(QStringLiteral("vandrel"));
    const std::string folder = vandrel::QtDesktop().configurationFolder();
    QCoreApplication::setApplicationName(previousName);
    if (homeWasSet) {
        qputenv("XDG_CONFIG_HOME", previousHome);
    } else {
        qunsetenv("XDG_CONFIG_HOME");
    }
    QCOMPARE(QString::fromStdString(folder), home.path() + QStringLiteral("/vandrel"));
}

void DateRangeFileTest::failedWriteIsReportedAndTheBoxesKeepTheirTexts() {
    WindowHarness harness;
    FakeWindow& window = harness.startFake();
    QFile::remove(harness.dateRangeFile());
    window.files.saveFailure = "Permission denied";
    vandrel::CDlo_Click(window);  // nothing to load: the load writes the file
    setDates(window, "2020-Jan-01", "2020-Dec-31");
    vandrel::CDsa_Click(window);
    const std::string failure =
        "Cannot save the dates to " + harness.dateRangeFile().toStdString() + ": Permission denied";
    QCOMPARE(harness.desktop.messages.size(), std::size_t{2});
    for (const vandrel::Message& message : harness.desktop.messages) {
        QCOMPARE(message.prompt, failure);
        QVERIFY(message.icon == MessageIcon::Critical);
    }
    QCOMPARE(textOf(window, C::TXstardate), QStringLiteral("2020-Jan-01"));
    QVERIFY(!QFile::exists(harness.dateRangeFile()));
}
