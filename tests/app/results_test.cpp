#include "results_test.h"

#include <QCheckBox>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "window_harness.h"

using vandrel::Message;
using vandrel::MessageIcon;
using vandrel::testing::ephemerisTable;
using vandrel::testing::paintedColour;
using vandrel::testing::WindowHarness;

namespace {

const QByteArray kThreeDays = ephemerisTable({{"2020-Jan-01", "9.836868025025924E-01"},
                                              {"2020-Jan-02", "9.800000000000000E-01"},
                                              {"2020-Jan-03", "9.900000000000000E-01"}});

const char* const kResultBoxes[] = {"TXperi",  "TXaphe",    "TXminKM",   "TXmaxKM", "TXminAU",
                                    "TXmaxAU", "TXdateMin", "TXdateMax", "tXco(0)", "tXco(1)"};

void pressSort(WindowHarness& harness) {
    QTest::mouseClick(harness.find<QPushButton>("CDsort"), Qt::LeftButton);
}

// Picks `name` in the file list and presses "sort".
void sort(WindowHarness& harness, const QString& name) {
    harness.chooseFile(name);
    pressSort(harness);
}

// The window, started in a folder that holds table.txt of three records.
void startWithTable(WindowHarness& harness) {
    harness.writeWorkFile("table.txt", kThreeDays);
    harness.start();
}

}  // namespace

void ResultsTest::sortFillsTheLeastDistanceBoxes() {
    WindowHarness harness;
    startWithTable(harness);
    sort(harness, "table.txt");
    QCOMPARE(harness.desktop.messages.size(), std::size_t{1});
    QCOMPARE(harness.desktop.messages[0].prompt, std::string("fin ok"));
    QCOMPARE(harness.desktop.messages[0].title.value_or(""), std::string("3"));
    QVERIFY(harness.desktop.messages[0].icon == MessageIcon::None);
    QCOMPARE(harness.text("tXco(0)"), QStringLiteral("2"));
    QCOMPARE(harness.text("TXdateMin"), QStringLiteral("2020-Jan-02 00:00:00.0000"));
    QCOMPARE(harness.text("TXminAU"), QStringLiteral("0.98"));
    QCOMPARE(harness.text("TXminKM"), QStringLiteral("146605913.286"));
    QCOMPARE(harness.text("TXperi"), QStringLiteral(" 146605913  km    min    on    2020-Jan-02"));
    QCOMPARE(harness.text("TXwait"), QStringLiteral("completed"));
    QVERIFY(harness.find<QWidget>("TXda")->isHidden());
    QVERIFY(harness.find<QPushButton>("CDsort")->isEnabled());
    QCOMPARE(paintedColour(harness.find<QPushButton>("CDsort")), QColor(0xFFFF00));
    for (const char* box : {"TXaphe", "TXmaxAU", "TXmaxKM", "TXdateMax", "tXco(1)"}) {
        QVERIFY2(harness.text(box).isEmpty(), box);
    }
}

void ResultsTest::sortFillsTheMostDistanceBoxesOnly() {
    WindowHarness harness;
    startWithTable(harness);
    sort(harness, "table.txt");
    QTest::mouseClick(harness.find<QRadioButton>("OpSort(1)"), Qt::LeftButton);
    pressSort(harness);
    QCOMPARE(harness.text("tXco(1)"), QStringLiteral("3"));
    QCOMPARE(harness.text("TXmaxAU"), QStringLiteral("0.99"));
    QCOMPARE(harness.text("TXaphe"), QStringLiteral(" 148101892  km    max    on    2020-Jan-03"));
    // The least side keeps the first scan's texts.
    QCOMPARE(harness.text("tXco(0)"), QStringLiteral("2"));
    QCOMPARE(harness.text("TXminAU"), QStringLiteral("0.98"));
}

void ResultsTest::windowIsBusyUntilFinOkIsClosed() {
    WindowHarness harness;
    startWithTable(harness);
    bool checked = false;
    harness.desktop.whileMessageShows = [&](const Message&) {
        checked = true;
        QVERIFY(!harness.find<QPushButton>("CDsort")->isEnabled());
        QCOMPARE(paintedColour(harness.find<QPushButton>("CDsort")), QColor(Qt::black));
        QCOMPARE(harness.text("TXwait"), QStringLiteral("completed"));
        QVERIFY(harness.find<QWidget>("TXda")->isHidden());
        // The live item number is there; the other boxes wait for the box to close.
        QCOMPARE(harness.text("tXco(0)"), QStringLiteral("2"));
        QVERIFY(harness.text("TXminAU").isEmpty());
    };
    sort(harness, "table.txt");
    QVERIFY(checked);
}

void ResultsTest::summaryRoundsHalvesUp_data() {
    QTest::addColumn<QString>("rg");
    QTest::addColumn<QString>("km");
    QTest::addColumn<QString>("summary");
    QTest::newRow("half") << "9.836868052427434E-01"
                          << "147157451.5"
                          << " 147157452  km    min    on    2020-Jan-01";
    QTest::newRow("below half") << "9.836868051758976E-01"
                                << "147157451.49"
                                << " 147157451  km    min    on    2020-Jan-01";
    QTest::newRow("example") << "9.836868025025924E-01"
                             << "147157451.090079"
                             << " 147157451  km    min    on    2020-Jan-01";
}

void ResultsTest::summaryRoundsHalvesUp() {
    QFETCH(QString, rg);
    QFETCH(QString, km);
    QFETCH(QString, summary);
    WindowHarness harness;
    const QByteArray rgText = rg.toLatin1();
    harness.writeWorkFile("one.txt", ephemerisTable({{"2020-Jan-01", rgText.constData()}}));
    harness.start();
    sort(harness, "one.txt");
    QCOMPARE(harness.text("TXminKM"), km);
    QCOMPARE(harness.text("TXperi"), summary);
}

void ResultsTest::noFileSelectedSaysSo() {
    WindowHarness harness;
    startWithTable(harness);
    harness.find<QLineEdit>("TXwait")->setText(QStringLiteral("as before"));
    pressSort(harness);
    QCOMPARE(harness.desktop.messages.size(), std::size_t{1});
    QCOMPARE(harness.desktop.messages[0].prompt, std::string("File not selected"));
    QVERIFY(!harness.desktop.messages[0].title.has_value());
    QVERIFY(harness.desktop.messages[0].icon == MessageIcon::None);
    QVERIFY(!harness.find<QWidget>("TXda")->isHidden());
    QVERIFY(harness.find<QPushButton>("CDsort")->isEnabled());
    QCOMPARE(paintedColour(harness.find<QPushButton>("CDsort")), QColor(0xFFFF00));
    QCOMPARE(harness.text("TXwait"), QStringLiteral("as before"));
    for (const char* box : kResultBoxes) {
        QVERIFY2(harness.text(box).isEmpty(), box);
    }
}

void ResultsTest::nothingFoundShowsZeros() {
    WindowHarness harness;
    harness.writeWorkFile("empty.txt", "$$SOE\r\n$$EOE\r\n");
    harness.start();
    sort(harness, "empty.txt");
    QCOMPARE(harness.desktop.messages[0].title.value_or(""), std::string("0"));
    QCOMPARE(harness.text("tXco(0)"), QStringLiteral("0"));
    QCOMPARE(harness.text("TXdateMin"), QString());
    QCOMPARE(harness.text("TXminAU"), QStringLiteral("0"));
    QCOMPARE(harness.text("TXminKM"), QStringLiteral("0"));
    QCOMPARE(harness.text("TXperi"), QStringLiteral(" 0  km    min    on    "));
}

void ResultsTest::filtersComeFromTheWindow() {
    WindowHarness harness;
    startWithTable(harness);
    QTest::mouseClick(harness.find<QCheckBox>("ChStart"), Qt::LeftButton);
    harness.find<QLineEdit>("TXstardate")->setText(QStringLiteral("2020-Jan-03"));
    sort(harness, "table.txt");
    QCOMPARE(harness.desktop.messages.back().title.value_or(""), std::string("1"));
    QCOMPARE(harness.text("TXdateMin"), QStringLiteral("2020-Jan-03 00:00:00.0000"));

    QTest::mouseClick(harness.find<QCheckBox>("ChStart"), Qt::LeftButton);
    QTest::mouseClick(harness.find<QCheckBox>("CHenday"), Qt::LeftButton);
    harness.find<QLineEdit>("TXendate")->setText(QStringLiteral("2020-Jan-02"));
    pressSort(harness);
    QCOMPARE(harness.desktop.messages.back().title.value_or(""), std::string("2"));
    QCOMPARE(harness.text("tXco(0)"), QStringLiteral("1"));
}

void ResultsTest::warningsShowInOneBoxBeforeFinOk() {
    WindowHarness harness;
    harness.writeWorkFile("cut.txt",
                          "Center body name: Solar System Barycenter (0)\r\n"
                          "Output units    : KM-S\r\n" +
                              ephemerisTable({{"2020-Jan-01", "1.498292059444368E+08"}}, false));
    harness.start();
    QTest::mouseClick(harness.find<QCheckBox>("CHenday"), Qt::LeftButton);
    harness.find<QLineEdit>("TXendate")->setText(QStringLiteral("2020-Feb-01"));
    sort(harness, "cut.txt");
    QCOMPARE(harness.desktop.messages.size(), std::size_t{2});
    const Message& warning = harness.desktop.messages[0];
    QCOMPARE(
        warning.prompt,
        std::string("Distances in this file are from Solar System Barycenter (0), not from the "
                    "Sun, so they are not perihelion and aphelion. In Horizons, set the "
                    "coordinate centre to the Sun (@sun) and save the file again.\n"
                    "The file ends before $$EOE: it may have been cut short. The results "
                    "cover the records read.\n"
                    "No record is dated 2020-Feb-01: the scan ran to the last record."));
    QVERIFY(warning.icon == MessageIcon::Warning);
    QCOMPARE(warning.title.value_or(""), std::string("vandrel"));
    QCOMPARE(harness.desktop.messages[1].prompt, std::string("fin ok"));
    QCOMPARE(harness.text("TXminAU"), QStringLiteral("1.00154638059589"));
    QCOMPARE(harness.text("TXminKM"), QStringLiteral("149829205.944437"));
    QCOMPARE(harness.text("TXperi"), QStringLiteral(" 149829206  km    min    on    2020-Jan-01"));
}

void ResultsTest::sunCentredFileShowsOnlyFinOk() {
    WindowHarness harness;
    harness.writeWorkFile("sun.txt",
                          "Center body name: Sun (10)  {source: DE431mx}\r\n"
                          "Output units    : AU-D\r\n" +
                              kThreeDays);
    harness.start();
    sort(harness, "sun.txt");
    QCOMPARE(harness.desktop.messages.size(), std::size_t{1});
    QCOMPARE(harness.desktop.messages[0].prompt, std::string("fin ok"));
}

void ResultsTest::scanFailureLeavesTheWindowAsItWas_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("startFilter");
    QTest::addColumn<QString>("message");
    QTest::newRow("no start marker")
        << QByteArray("an error page\r\n") << false
        << "This file holds no ephemeris records: no line reads $$SOE.";
    QTest::newRow("start date not understood")
        << kThreeDays << true
        << "Start date not understood: 1900-Jan-1. Write it like 1900-Jan-01.";
    QTest::newRow("distance out of range")
        << ephemerisTable({{"2020-Jan-01", "1.0E+00"},
                           {"2020-Jan-02", "0.5E+00"},
                           {"2020-Jan-03", "1.0E+999"}})
        << false << "Distance out of range at record 3: 1.0E+999.";
    QTest::newRow("observer table")
        << QByteArray("$$SOE\n 2023-Feb-26 00:00     34.3203566583959  14.7842897\n$$EOE\n")
        << false
        << "No records in this file: no line between $$SOE and $$EOE carries a date (= A.D.). "
           "In Horizons, choose the Vector Table ephemeris type and save the file again.";
    QTest::newRow("table without range")
        << QByteArray(
               "$$SOE\n2458119.500000000 = A.D. 2018-Jan-01 00:00:00.0000 TDB\n"
               " X =-1.752200603881933E-01 Y = 9.675633320786794E-01 Z =-3.8E-05\n$$EOE\n")
        << false
        << "No distances in this file: its records have no RG= value. In Horizons, choose the "
           "vector table with LT, range and range-rate (output format 3), with labels on, and "
           "save the file again.";
}

void ResultsTest::scanFailureLeavesTheWindowAsItWas() {
    QFETCH(QByteArray, file);
    QFETCH(bool, startFilter);
    QFETCH(QString, message);
    WindowHarness harness;
    harness.writeWorkFile("table.txt", kThreeDays);
    harness.writeWorkFile("bad.txt", file);
    harness.start();
    sort(harness, "table.txt");  // results of an earlier scan stay on show
    harness.chooseFile("bad.txt");
    if (startFilter) {
        QTest::mouseClick(harness.find<QCheckBox>("ChStart"), Qt::LeftButton);
        harness.find<QLineEdit>("TXstardate")->setText(QStringLiteral("1900-Jan-1"));
    }
    harness.desktop.messages.clear();
    pressSort(harness);

    QCOMPARE(harness.desktop.messages.size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(harness.desktop.messages[0].prompt), message);
    QVERIFY(harness.desktop.messages[0].icon == MessageIcon::Critical);
    QCOMPARE(harness.desktop.messages[0].title.value_or(""), std::string("vandrel"));
    QVERIFY(harness.find<QWidget>("TXda")->isHidden());
    QVERIFY(harness.find<QPushButton>("CDsort")->isEnabled());
    QCOMPARE(paintedColour(harness.find<QPushButton>("CDsort")), QColor(0xFFFF00));
    QCOMPARE(harness.text("TXwait"), QStringLiteral("Got File"));
    QCOMPARE(harness.text("tXco(0)"), QStringLiteral("2"));
    QCOMPARE(harness.text("TXminAU"), QStringLiteral("0.98"));
    QVERIFY(harness.text("tXco(1)").isEmpty());
}

void ResultsTest::clearEmptiesOnlyTheResultBoxes() {
    WindowHarness harness;
    startWithTable(harness);
    sort(harness, "table.txt");
    QTest::mouseClick(harness.find<QRadioButton>("OpSort(1)"), Qt::LeftButton);
    pressSort(harness);
    const std::size_t messages = harness.desktop.messages.size();
    QTest::mouseClick(harness.find<QPushButton>("Command5"), Qt::LeftButton);
    for (const char* box : kResultBoxes) {
        QVERIFY2(harness.text(box).isEmpty(), box);
    }
    QCOMPARE(harness.text("TXwait"), QStringLiteral("completed"));
    QCOMPARE(harness.text("TXfi"), harness.workFolder() + QStringLiteral("/table.txt"));
    QCOMPARE(harness.text("TXstardate"), QStringLiteral("1900-Jan-01"));
    QVERIFY(harness.find<QRadioButton>("OpSort(1)")->isChecked());
    QCOMPARE(harness.desktop.messages.size(), messages);
}

void ResultsTest::windowAndCommandLineShowTheSameTexts_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("generated") << QString();
    const QString real = QStringLiteral(VANDREL_SHARED_EPHEMERIDES) +
                         QStringLiteral("/vectors-jupiter-ssb-1d-2017oct-31rec-lf.txt");
    QTest::newRow("real Horizons file") << real;
}

void ResultsTest::windowAndCommandLineShowTheSameTexts() {
    QFETCH(QString, file);
    WindowHarness harness;
    if (file.isEmpty()) {
        file = harness.writeWorkFile("generated.txt",
                                     ephemerisTable({{"2020-Jan-01", "9.836868025025924E-01"},
                                                     {"2020-Jan-02", "1.016710001231080E+00"},
                                                     {"2020-Jan-03", "9.83289888161876E-01"}}));
    } else if (!QFile::exists(file)) {
        QSKIP("../shared/ephemerides is absent: the real Horizons file is not compared");
    }
    QProcess scan;
    scan.start(QStringLiteral(VANDREL_SCAN_PROGRAM), {QStringLiteral("--json"), file});
    QVERIFY(scan.waitForFinished(30000));
    const QJsonObject json = QJsonDocument::fromJson(scan.readAllStandardOutput()).object();

    QDir::setCurrent(QFileInfo(file).absolutePath());
    harness.start();
    sort(harness, QFileInfo(file).fileName());
    QTest::mouseClick(harness.find<QRadioButton>("OpSort(1)"), Qt::LeftButton);
    pressSort(harness);

    QCOMPARE(QString::fromStdString(*harness.desktop.messages.back().title),
             QString::number(json["datedCount"].toInt()));
    const struct {
        const char* key;
        const char* boxes[5];
    } sides[] = {{"minimum", {"tXco(0)", "TXdateMin", "TXminAU", "TXminKM", "TXperi"}},
                 {"maximum", {"tXco(1)", "TXdateMax", "TXmaxAU", "TXmaxKM", "TXaphe"}}};
    for (const auto& side : sides) {
        const QJsonObject extreme = json[QLatin1String(side.key)].toObject();
        QCOMPARE(harness.text(side.boxes[0]), QString::number(extreme["item"].toInt()));
        QCOMPARE(harness.text(side.boxes[1]), extreme["dateText"].toString());
        QCOMPARE(harness.text(side.boxes[2]), extreme["au"].toString());
        QCOMPARE(harness.text(side.boxes[3]), extreme["km"].toString());
        QCOMPARE(harness.text(side.boxes[4]), extreme["summary"].toString());
    }
}
