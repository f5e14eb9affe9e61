#include "date_range_file_test.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "window_harness.h"

using vandrel::MessageIcon;
using vandrel::testing::readFile;
using vandrel::testing::WindowHarness;
using vandrel::testing::writeFile;

namespace {

const QByteArray kDesignFile = "\"1900-Jan-01\",\"1901-Jan-01\"\r\n";

void setDates(const WindowHarness& harness, const QString& start, const QString& end) {
    harness.find<QLineEdit>("TXstardate")->setText(start);
    harness.find<QLineEdit>("TXendate")->setText(end);
}

}  // namespace

void DateRangeFileTest::firstStartWritesTheDesignDates() {
    WindowHarness harness;
    harness.start();
    const QByteArray bytes = readFile(harness.dateRangeFile());
    QCOMPARE(bytes.size(), 29);
    QCOMPARE(bytes, kDesignFile);
    QCOMPARE(harness.text("TXstardate"), QStringLiteral("1900-Jan-01"));
    QCOMPARE(harness.text("TXendate"), QStringLiteral("1901-Jan-01"));
}

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
    harness.start();
    QCOMPARE(harness.text("TXstardate"), start);
    QCOMPARE(harness.text("TXendate"), end);
    QCOMPARE(readFile(harness.dateRangeFile()), fileAfter);
    QVERIFY(harness.desktop.messages.empty());
}

void DateRangeFileTest::loadReplacesEditedDates() {
    WindowHarness harness;
    writeFile(harness.dateRangeFile(), "\"2020-Jan-01\",\"2021-Jan-01\"\r\n");
    harness.start();
    setDates(harness, "edited", "too");
    harness.click("CDlo");
    QCOMPARE(harness.text("TXstardate"), QStringLiteral("2020-Jan-01"));
    QCOMPARE(harness.text("TXendate"), QStringLiteral("2021-Jan-01"));
}

void DateRangeFileTest::loadAfterEditsWithoutAFileSavesTheEdits() {
    WindowHarness harness;
    harness.start();
    QFile::remove(harness.dateRangeFile());
    setDates(harness, "2000-Feb-29", "2001-Mar-01");
    harness.click("CDlo");
    QCOMPARE(harness.text("TXstardate"), QStringLiteral("2000-Feb-29"));
    QCOMPARE(readFile(harness.dateRangeFile()), QByteArray("\"2000-Feb-29\",\"2001-Mar-01\"\r\n"));
}

void DateRangeFileTest::saveThenLoadGivesTheSameTexts() {
    WindowHarness harness;
    harness.start();
    setDates(harness, "2020-Jan-01, noon",
             QString::fromUtf8("2021-D\xC3\xA9"
                               "c-01"));
    harness.click("CDsa");
    setDates(harness, "x", "y");
    harness.click("CDlo");
    QCOMPARE(harness.text("TXstardate"), QStringLiteral("2020-Jan-01, noon"));
    QCOMPARE(harness.text("TXendate"), QString::fromUtf8("2021-D\xC3\xA9"
                                                         "c-01"));
    // A double quote is written as it is, so it does not come back whole.
    setDates(harness, "a\"b", "c");
    harness.click("CDsa");
    QCOMPARE(readFile(harness.dateRangeFile()), QByteArray("\"a\"b\",\"c\"\r\n"));
    harness.click("CDlo");
    QCOMPARE(harness.text("TXstardate"), QStringLiteral("a"));
}

void DateRangeFileTest::saveLeavesFiltersAndOptionsAlone() {
    WindowHarness harness;
    harness.start();
    QTest::mouseClick(harness.find<QCheckBox>("ChStart"), Qt::LeftButton);
    QTest::mouseClick(harness.find<QRadioButton>("OpSort(1)"), Qt::LeftButton);
    harness.click("CDsa");
    harness.click("CDlo");
    QVERIFY(harness.find<QCheckBox>("ChStart")->isChecked());
    QVERIFY(!harness.find<QCheckBox>("CHenday")->isChecked());
    QVERIFY(harness.find<QRadioButton>("OpSort(1)")->isChecked());
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

    harness.start();  // no file yet: the load writes it
    QCOMPARE(readFile(used), kDesignFile);
    setDates(harness, "2020-Jan-01", "2020-Dec-31");
    harness.click("CDsa");
    QCOMPARE(readFile(used), QByteArray("\"2020-Jan-01\",\"2020-Dec-31\"\r\n"));
    setDates(harness, "", "");
    harness.click("CDlo");
    QCOMPARE(harness.text("TXendate"), QStringLiteral("2020-Dec-31"));
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
    const std::string folder = vandrel::SystemDesktop().configurationFolder();
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
    harness.desktop.applicationFolderWritable = false;
    // A file where the configuration folder should be: nothing can be written there.
    const QString blocker = harness.writeWorkFile("blocker", "x");
    harness.desktop.configurationFolderPath = (blocker + "/vandrel").toStdString();
    harness.start();
    QCOMPARE(harness.desktop.messages.size(), std::size_t{1});
    const auto& message = harness.desktop.messages[0];
    QVERIFY(message.icon == MessageIcon::Critical);
    QVERIFY2(
        QString::fromStdString(message.prompt)
            .startsWith("Cannot save the dates to " + blocker + "/vandrel/dates-start-end.txt: "),
        message.prompt.c_str());
    QCOMPARE(harness.text("TXstardate"), QStringLiteral("1900-Jan-01"));
    setDates(harness, "2020-Jan-01", "2020-Dec-31");
    harness.click("CDsa");
    QCOMPARE(harness.desktop.messages.size(), std::size_t{2});
    QCOMPARE(harness.text("TXstardate"), QStringLiteral("2020-Jan-01"));
}
