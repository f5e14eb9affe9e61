#include "results_test.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include "app/handlers/results/results_handlers.h"
#include "window_harness.h"

using vandrel::Message;
using vandrel::MessageIcon;
using vandrel::testing::ephemerisTable;
using vandrel::testing::FakeWindow;
using vandrel::testing::paintedColour;
using vandrel::testing::textOf;
using vandrel::testing::WindowHarness;

namespace {

using C = vandrel::Control;

const QByteArray kThreeDays = ephemerisTable({{"2020-Jan-01", "9.836868025025924E-01"},
                                              {"2020-Jan-02", "9.800000000000000E-01"},
                                              {"2020-Jan-03", "9.900000000000000E-01"}});

constexpr C kResultBoxes[] = {C::TXperi,  C::TXaphe,    C::TXminKM,   C::TXmaxKM, C::TXminAU,
                              C::TXmaxAU, C::TXdateMin, C::TXdateMax, C::tXco0,   C::tXco1};

// One side's boxes in the order they are written: item, date, AU, km, summary.
constexpr C kLeast[] = {C::tXco0, C::TXdateMin, C::TXminAU, C::TXminKM, C::TXperi};
constexpr C kMost[] = {C::tXco1, C::TXdateMax, C::TXmaxAU, C::TXmaxKM, C::TXaphe};

QStringList textsOf(const FakeWindow& window, const C (&side)[5]) {
    QStringList texts;
    for (const C box : side) {
        texts << textOf(window, box);
    }
    return texts;
}

// Picks `name` in the file list and presses "sort".
void sort(FakeWindow& window, const QString& name) {
    window.selection = name.toStdString();
    vandrel::CDsort_Click(window);
}

// The fake window, started in a folder that holds table.txt of three records.
FakeWindow& startWithTable(WindowHarness& harness) {
    harness.writeWorkFile("table.txt", kThreeDays);
    return harness.startFake();
}

}  // namespace

void ResultsTest::sortAndClearOnTheWindow() {
    WindowHarness harness;
    harness.writeWorkFile("table.txt", kThreeDays);
    harness.start();
    auto* sortButton = harness.find<QPushButton>("CDsort");
    bool checked = false;
    harness.desktop.whileMessageShows = [&](const Message&) {
        checked = true;
        QVERIFY(!sortButton->isEnabled());
        QCOMPARE(paintedColour(sortButton), QColor(Qt::black));
        QCOMPARE(harness.text("TXwait"), QStringLiteral("completed"));
        QVERIFY(harness.find<QWidget>("TXda")->isHidden());
        // The live item number is there; the other boxes wait for the box to close.
        QCOMPARE(harness.text("tXco(0)"), QStringLiteral("2"));
        QVERIFY(harness.text("TXminAU").isEmpty());
    };
    harness.chooseFile("table.txt");
    QTest::mouseClick(sortButton, Qt::LeftButton);
    QVERIFY(checked);
    QCOMPARE(harness.desktop.messages.size(), std::size_t{1});
    QCOMPARE(harness.desktop.messages[0].prompt, std::string("fin ok"));
    QCOMPARE(harness.desktop.messages[0].title.value_or(""), std::string("3"));
    QVERIFY(harness.desktop.messages[0].icon == MessageIcon::None);
    QCOMPARE(harness.text("tXco(0)"), QStringLiteral("2"));
    QCOMPARE(harness.text("TXdateMin"), QStringLiteral("2020-Jan-02 00:00:00.0000"));
    QCOMPARE(harness.text("TXminAU"), QStringLiteral("0.98"));
    QCOMPARE(harness.text("TXminKM"), QStringLiteral("146605913.286"));
    QCOMPARE(harness.text("TXperi"), QStringLiteral(" 146605913  km    min    on    2020-Jan-02"));
    QVERIFY(sortButton->isEnabled());
    QCOMPARE(paintedColour(sortButton), QColor(0xFFFF00));
    for (const char* box : {"TXaphe", "TXmaxAU", "TXmaxKM", "TXdateMax", "tXco(1)"}) {
        QVERIFY2(harness.text(box).isEmpty(), box);
    }
    harness.click("Command5");
    QVERIFY(harness.text("TXperi").isEmpty());
}

void ResultsTest::sortRepaintsWhileItRuns() {
    WindowHarness harness;
    FakeWindow& window = startWithTable(harness);
    harness.desktop.whileMessageShows = [&](const Message&) {
        QCOMPARE(window.controls[C::CDsort].repaints, 1);
        QCOMPARE(window.controls[C::TXwait].repaints, 1);
    };
    sort(window, "table.txt");
    QCOMPARE(harness.desktop.messages.size(), std::size_t{1});
}

void ResultsTest::sortFillsTheMostDistanceBoxesOnly() {
    WindowHarness harness;
    FakeWindow& window = startWithTable(harness);
    sort(window, "table.txt");
    window.select(C::OpSort1);
    vandrel::CDsort_Click(window);
    QCOMPARE(textsOf(window, kMost),
             QStringList({"3", "2020-Jan-03 00:00:00.0000", "0.99", "148101891.993",
                          " 148101892  km    max    on    2020-Jan-03"}));
    // The least side keeps the first scan's texts.
    QCOMPARE(textsOf(window, kLeast),
             QStringList({"2", "2020-Jan-02 00:00:00.0000", "0.98", "146605913.286",
                          " 146605913  km    min    on    2020-Jan-02"}));
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
    FakeWindow& window = harness.startFake();
    sort(window, "one.txt");
    QCOMPARE(textOf(window, C::TXminKM), km);
    QCOMPARE(textOf(window, C::TXperi), summary);
}

void ResultsTest::noFileSelectedSaysSo() {
    WindowHarness harness;
    FakeWindow& window = startWithTable(harness);
    window.setText(C::TXwait, "as before");
    sort(window, "");
    QCOMPARE(harness.desktop.messages.size(), std::size_t{1});
    QCOMPARE(harness.desktop.messages[0].prompt, std::string("File not selected"));
    QVERIFY(!harness.desktop.messages[0].title.has_value());
    QVERIFY(harness.desktop.messages[0].icon == MessageIcon::None);
    QVERIFY(window.controls[C::TXda].visible);
    QVERIFY(window.controls[C::CDsort].enabled);
    QCOMPARE(window.controls[C::CDsort].background, vandrel::Colour{0xFFFF00});
    QCOMPARE(textOf(window, C::TXwait), QStringLiteral("as before"));
    for (const C box : kResultBoxes) {
        QVERIFY(textOf(window, box).isEmpty());
    }
}

void ResultsTest::nothingFoundShowsZeros() {
    WindowHarness harness;
    harness.writeWorkFile("empty.txt", "$$SOE\r\n$$EOE\r\n");
    FakeWindow& window = harness.startFake();
    sort(window, "empty.txt");
    QCOMPARE(harness.desktop.messages[0].title.value_or(""), std::string("0"));
    QCOMPARE(textsOf(window, kLeast), QStringList({"0", "", "0", "0", " 0  km    min    on    "}));
}

void ResultsTest::filtersComeFromTheWindow() {
    WindowHarness harness;
    FakeWindow& window = startWithTable(harness);
    window.controls[C::ChStart].checkValue = 1;
    window.setText(C::TXstardate, "2020-Jan-03");
    sort(window, "table.txt");
    QCOMPARE(harness.desktop.messages.back().title.value_or(""), std::string("1"));
    QCOMPARE(textOf(window, C::TXdateMin), QStringLiteral("2020-Jan-03 00:00:00.0000"));

    window.controls[C::ChStart].checkValue = 0;
    window.controls[C::CHenday].checkValue = 1;
    window.setText(C::TXendate, "2020-Jan-02");
    vandrel::CDsort_Click(window);
    QCOMPARE(harness.desktop.messages.back().title.value_or(""), std::string("2"));
    QCOMPARE(textOf(window, C::tXco0), QStringLiteral("1"));
}

void ResultsTest::warningsShowInOneBoxBeforeFinOk() {
    WindowHarness harness;
    harness.writeWorkFile("cut.txt",
                          "Center body name: Solar System Barycenter (0)\r\n"
                          "Output units    : KM-S\r\n" +
                              ephemerisTable({{"2020-Jan-01", "1.498292059444368E+08"}}, false));
    FakeWindow& window = harness.startFake();
    window.controls[C::CHenday].checkValue = 1;
    window.setText(C::TXendate, "2020-Feb-01");
    sort(window, "cut.txt");
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
    QCOMPARE(textOf(window, C::TXminAU), QStringLiteral("1.00154638059589"));
    QCOMPARE(textOf(window, C::TXminKM), QStringLiteral("149829205.944437"));
    QCOMPARE(textOf(window, C::TXperi),
             QStringLiteral(" 149829206  km    min    on    2020-Jan-01"));
}

void ResultsTest::sunCentredFileShowsOnlyFinOk() {
    WindowHarness harness;
    harness.writeWorkFile("sun.txt",
                          "Center body name: Sun (10)  {source: DE431mx}\r\n"
                          "Output units    : AU-D\r\n" +
                              kThreeDays);
    sort(harness.startFake(), "sun.txt");
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
        << "No distances in this file: its records have no RG= value and no position (X, Y, "
           "Z). In Horizons, choose a vector table with positions or ranges (output format 1, 2, "
           "3, 4 or 6), with labels on, and save the file again.";
}

void ResultsTest::scanFailureLeavesTheWindowAsItWas() {
    QFETCH(QByteArray, file);
    QFETCH(bool, startFilter);
    QFETCH(QString, message);
    WindowHarness harness;
    harness.writeWorkFile("bad.txt", file);
    FakeWindow& window = startWithTable(harness);
    sort(window, "table.txt");  // results of an earlier scan stay on show
    window.setText(C::TXwait, "Got File");
    if (startFilter) {
        window.controls[C::ChStart].checkValue = 1;
        window.setText(C::TXstardate, "1900-Jan-1");
    }
    harness.desktop.messages.clear();
    sort(window, "bad.txt");

    QCOMPARE(harness.desktop.messages.size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(harness.desktop.messages[0].prompt), message);
    QVERIFY(harness.desktop.messages[0].icon == MessageIcon::Critical);
    QCOMPARE(harness.desktop.messages[0].title.value_or(""), std::string("vandrel"));
    QVERIFY(!window.controls[C::TXda].visible);
    QVERIFY(window.controls[C::CDsort].enabled);
    QCOMPARE(window.controls[C::CDsort].background, vandrel::Colour{0xFFFF00});
    QCOMPARE(textOf(window, C::TXwait), QStringLiteral("Got File"));
    QCOMPARE(textOf(window, C::tXco0), QStringLiteral("2"));
    QCOMPARE(textOf(window, C::TXminAU), QStringLiteral("0.98"));
    QVERIFY(textOf(window, C::tXco1).isEmpty());
}

// Four days around a perihelion that falls at 07:12 on the third.
const QByteArray kPerihelion =
    "$$SOE\n"
    "2458849.500000000 = A.D. 2020-Jan-01 00:00:00.0000 TDB \n"
    " LT= 5.679086889358109E-03 RG= 9.833034134422308E-01 RR=-1.175941868736872E-05\n"
    "2458850.500000000 = A.D. 2020-Jan-02 00:00:00.0000 TDB \n"
    " LT= 5.679033731915598E-03 RG= 9.832942095163729E-01 RR=-6.647931651471323E-06\n"
    "2458851.500000000 = A.D. 2020-Jan-03 00:00:00.0000 TDB \n"
    " LT= 5.679010103038978E-03 RG= 9.832901183032098E-01 RR=-1.534271799881679E-06\n"
    "2458852.500000000 = A.D. 2020-Jan-04 00:00:00.0000 TDB \n"
    " LT= 5.679016010451227E-03 RG= 9.832911411399338E-01 RR= 3.579889526739278E-06\n"
    "$$EOE\n";

void ResultsTest::trueExtremeRestsOnItsRowUntilCleared() {
    WindowHarness harness;
    harness.writeWorkFile("perihelion.txt", kPerihelion);
    FakeWindow& window = harness.startFake();
    sort(window, "perihelion.txt");
    const std::string perihelion =
        "True perihelion: 2020-Jan-03 07:12:00 TDB ± 1 s (07:10:51 UTC), 0.983289888 AU, "
        "147098074 km (between items 3 and 4)";
    for (const C box : kLeast) {
        QCOMPARE(window.controls[box].toolTip, perihelion);
    }
    QVERIFY(window.controls[C::TXaphe].toolTip.empty());

    window.select(C::OpSort1);
    vandrel::CDsort_Click(window);
    QCOMPARE(window.controls[C::TXaphe].toolTip,
             std::string("No aphelion in this file's span: the greatest distance is at its "
                         "first record, so the aphelion lies before the span, if the orbit is "
                         "closed (no velocity about the Sun was read to tell)."));
    QCOMPARE(window.controls[C::TXperi].toolTip, perihelion);

    vandrel::Command5_Click(window);
    for (const C box : kResultBoxes) {
        QVERIFY(window.controls[box].toolTip.empty());
    }
}

void ResultsTest::clearEmptiesOnlyTheResultBoxes() {
    WindowHarness harness;
    FakeWindow& window = startWithTable(harness);
    sort(window, "table.txt");
    window.select(C::OpSort1);
    vandrel::CDsort_Click(window);
    const std::size_t messages = harness.desktop.messages.size();
    vandrel::Command5_Click(window);
    for (const C box : kResultBoxes) {
        QVERIFY(textOf(window, box).isEmpty());
    }
    QCOMPARE(textOf(window, C::TXwait), QStringLiteral("completed"));
    QCOMPARE(textOf(window, C::TXstardate), QStringLiteral("1900-Jan-01"));
    QVERIFY(window.isSelected(C::OpSort1));
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

    FakeWindow& window = harness.startFake();
    window.folder = QFileInfo(file).absolutePath().toStdString();
    sort(window, QFileInfo(file).fileName());
    window.select(C::OpSort1);
    vandrel::CDsort_Click(window);

    QCOMPARE(QString::fromStdString(*harness.desktop.messages.back().title),
             QString::number(json["datedCount"].toInt()));
    for (const auto& [key, side] : {std::pair{"minimum", &kLeast}, std::pair{"maximum", &kMost}}) {
        const QJsonObject extreme = json[QLatin1String(key)].toObject();
        QCOMPARE(textsOf(window, *side),
                 QStringList({QString::number(extreme["item"].toInt()),
                              extreme["dateText"].toString(), extreme["au"].toString(),
                              extreme["km"].toString(), extreme["summary"].toString()}));
    }
}
