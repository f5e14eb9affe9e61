#include "passages_test.h"

#include <QAccessible>
#include <QApplication>
#include <QChartView>
#include <QClipboard>
#include <QLabel>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QScatterSeries>
#include <QTableView>
#include <QTest>
#include <QValueAxis>

#include "app/handlers/passages/date_ticks.h"
#include "app/handlers/passages/passages_scan.h"
#include "app/handlers/passages/plot_points.h"
#include "app/widgets/passages/passages_window.h"
#include "window_harness.h"

using vandrel::Message;
using vandrel::MessageIcon;
using vandrel::testing::readFile;
using vandrel::testing::WindowHarness;

namespace {

constexpr const char* kExample = VANDREL_SOURCE_DIR "/examples/horizons_results.txt";
constexpr const char* kEarthSun =
    VANDREL_SHARED_EPHEMERIDES "/vectors-csv-earth-sun-au-1d-2010-2020.txt";

// The example's perihelion and aphelion of 2020, as the table shows them.
const QStringList kExamplePerihelion = {"perihelion",
                                        "2020-Jan-03 00:00:00 TDB",
                                        "2020-Jan-02 23:58:51 UTC",
                                        "0.983289888",
                                        "147098074",
                                        "< 1 s",
                                        "between items 2 and 3"};
const QStringList kExampleAphelion = {
    "aphelion", "2020-Jul-03 15:04:38 TDB", "2020-Jul-03 15:03:28 UTC", "1.016710332", "152097701",
    "± 1 s",    "between items 185 and 186"};

QWidget* passagesWindow(WindowHarness& harness) {
    return harness.form().findChild<QWidget*>(QStringLiteral("PassagesWindow"));
}

QTableView* passagesTable(WindowHarness& harness) {
    return passagesWindow(harness)->findChild<QTableView*>(QStringLiteral("passagesTable"));
}

QStringList rowTexts(QTableView* table, int row) {
    QStringList texts;
    for (int column = 0; column < table->model()->columnCount(); ++column) {
        texts << table->model()->index(row, column).data().toString();
    }
    return texts;
}

// The real window in a folder holding `name` with `bytes`; the file is
// picked and "passages + plot" pressed.
void pressPassages(WindowHarness& harness, const QString& name, const QByteArray& bytes) {
    harness.writeWorkFile(name, bytes);
    harness.start().show();
    harness.chooseFile(name);
    harness.click("CDpassages");
}

// Waits until the window shows `rows` passages.
void waitForRows(WindowHarness& harness, int rows) {
    QTRY_VERIFY(passagesWindow(harness) != nullptr);
    QTRY_COMPARE_WITH_TIMEOUT(passagesTable(harness)->model()->rowCount(), rows, 20000);
}

QString accessibleName(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

}  // namespace

void PassagesTest::plotKeepsEachRunsLeastAndGreatest_data() {
    QTest::addColumn<int>("columns");
    QTest::addColumn<QList<double>>("distances");  // one a day from day 0
    QTest::addColumn<QList<QPointF>>("points");
    QTest::newRow("fewer records than columns: each is a point")
        << 4 << QList<double>{3, 1, 2} << QList<QPointF>{{0, 3}, {1, 1}, {2, 2}};
    // Two columns: 5 1 | 4 8 become one run, then 2 7 3 6 fill the second.
    QTest::newRow("full runs merge in pairs, keeping least and greatest in time order")
        << 2 << QList<double>{5, 1, 4, 8, 2, 7, 3, 6}
        << QList<QPointF>{{1, 1}, {3, 8}, {4, 2}, {5, 7}};
    QTest::newRow("a run of equal distances is one point")
        << 2 << QList<double>{4, 4, 4, 4} << QList<QPointF>{{0, 4}, {2, 4}};
}

void PassagesTest::plotKeepsEachRunsLeastAndGreatest() {
    QFETCH(int, columns);
    QFETCH(QList<double>, distances);
    QFETCH(QList<QPointF>, points);
    vandrel::PlotPoints plot(static_cast<std::size_t>(columns));
    for (qsizetype day = 0; day < distances.size(); ++day) {
        plot.add({static_cast<double>(day), distances[day]});
    }
    QList<QPointF> kept;
    for (const vandrel::PlotPoint& point : plot.points()) {
        kept.append({point.julianDay, point.au});
    }
    QCOMPARE(kept, points);
}

void PassagesTest::marksKeepTheFarthestOfEachRun_data() {
    QTest::addColumn<int>("most");
    QTest::addColumn<QList<double>>("perihelia");  // AU, in time order
    QTest::addColumn<QList<double>>("aphelia");
    QTest::addColumn<QList<double>>("marked");  // perihelia first
    QTest::newRow("no more than the most: all of them")
        << 4 << QList<double>{0.5, 0.4, 0.6} << QList<double>{1.0, 1.2}
        << QList<double>{0.5, 0.4, 0.6, 1.0, 1.2};
    // Five perihelia in runs of three: the least of each run.
    QTest::newRow("runs keep the least perihelion and the greatest aphelion")
        << 2 << QList<double>{0.5, 0.4, 0.6, 0.3, 0.7} << QList<double>{1.0, 1.2, 1.1}
        << QList<double>{0.4, 0.3, 1.2, 1.1};
}

void PassagesTest::marksKeepTheFarthestOfEachRun() {
    QFETCH(int, most);
    QFETCH(QList<double>, perihelia);
    QFETCH(QList<double>, aphelia);
    QFETCH(QList<double>, marked);
    std::vector<vandrel::TruePassage> passages;
    double day = 0;
    // Alternating kinds, as an orbit gives them.
    for (qsizetype i = 0; i < std::max(perihelia.size(), aphelia.size()); ++i) {
        if (i < perihelia.size()) {
            passages.push_back({vandrel::PassageKind::Perihelion, ++day, perihelia[i], 0, 0, {}});
        }
        if (i < aphelia.size()) {
            passages.push_back({vandrel::PassageKind::Aphelion, ++day, aphelia[i], 0, 0, {}});
        }
    }
    QList<double> kept;
    for (const vandrel::TruePassage& passage :
         vandrel::passagesToMark(passages, static_cast<std::size_t>(most))) {
        kept << passage.au;
    }
    QCOMPARE(kept, marked);
}

void PassagesTest::dateAxisFollowsTheFilesCalendar_data() {
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("last");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<double>("firstTick");
    QTest::newRow("ten years: every second year")
        << 2455197.5 << 2458849.5 << QStringList{"2010", "2012", "2014", "2016", "2018", "2020"}
        << 2455197.5;
    QTest::newRow("six hours: every hour")
        << 2458853.5 << 2458853.75
        << QStringList{"2020-Jan-05 00:00", "2020-Jan-05 01:00", "2020-Jan-05 02:00",
                       "2020-Jan-05 03:00", "2020-Jan-05 04:00", "2020-Jan-05 05:00",
                       "2020-Jan-05 06:00"}
        << 2458853.5;
    // 1582-Aug-01 (Julian) to 1583-Feb-01 (Gregorian): October has 21 days.
    QTest::newRow("months across the calendar reform")
        << 2299095.5 << 2299269.5 << QStringList{"1582-Aug", "1582-Sep", "1582-Oct", "1582-Nov",
                                                 "1582-Dec", "1583-Jan", "1583-Feb"}
        << 2299095.5;
    // 0500 B.C. Jan-01 to A.D. 0500 Jan-01, Julian: 1000 years in steps of 200.
    QTest::newRow("years B.C.") << 1538798.5 << 1903623.5
                                << QStringList{"B.C. 0401", "B.C. 0201", "B.C. 0001", "0200",
                                               "0400"}
                                << 1574957.5;
}

void PassagesTest::dateAxisFollowsTheFilesCalendar() {
    QFETCH(double, first);
    QFETCH(double, last);
    QFETCH(QStringList, labels);
    QFETCH(double, firstTick);
    const auto ticks = vandrel::dateTicks(first, last, 6);
    QStringList shown;
    for (const vandrel::DateTick& tick : ticks) {
        shown << QString::fromStdString(tick.label);
    }
    QCOMPARE(shown, labels);
    QCOMPARE(ticks.front().julianDay, firstTick);
}

void PassagesTest::buttonOpensOneWindowWithThePassagesAndPlot() {
    WindowHarness harness;
    pressPassages(harness, "example.txt", readFile(kExample));
    waitForRows(harness, 2);
    QWidget* window = passagesWindow(harness);
    QVERIFY(window->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("vandrel — example.txt"));
    QCOMPARE(rowTexts(passagesTable(harness), 0), kExamplePerihelion);
    QCOMPARE(rowTexts(passagesTable(harness), 1), kExampleAphelion);
    QCOMPARE(window->findChild<QLabel*>(QStringLiteral("passagesStatus"))->text(),
             QStringLiteral("example.txt: 366 records, 2 passages"));

    // 366 records: each its own point; one mark for each passage.
    auto* plot = window->findChild<QChartView*>(QStringLiteral("passagesPlot"));
    const QList<QAbstractSeries*> series = plot->chart()->series();
    QCOMPARE(series.size(), 3);
    const auto* curve = qobject_cast<QLineSeries*>(series[0]);
    QCOMPARE(curve->count(), 366);
    QCOMPARE(curve->at(2), QPointF(2458851.5, 0.983289888161876));
    QCOMPARE(qobject_cast<QScatterSeries*>(series[1])->name(), QStringLiteral("perihelion"));
    QCOMPARE(qobject_cast<QScatterSeries*>(series[1])->count(), 1);
    QCOMPARE(qobject_cast<QScatterSeries*>(series[2])->count(), 1);
    QCOMPARE(accessibleName(plot), QStringLiteral("Distance over time, with the passages marked"));
    QCOMPARE(accessibleName(passagesTable(harness)), QStringLiteral("Passages"));

    // Pressed again, the one window is refilled; Esc closes it.
    harness.click("CDpassages");
    waitForRows(harness, 2);
    QCOMPARE(harness.form().findChildren<vandrel::PassagesWindow*>().size(), 1);
    QTest::keyClick(passagesTable(harness), Qt::Key_Escape);
    QVERIFY(!window->isVisible());
    QVERIFY(harness.desktop.messages.empty());
}

void PassagesTest::plotZoomsFromTheKeyboardAndReadsThePointer() {
    WindowHarness harness;
    pressPassages(harness, "example.txt", readFile(kExample));
    waitForRows(harness, 2);
    auto* plot = passagesWindow(harness)->findChild<QChartView*>(QStringLiteral("passagesPlot"));
    auto* dates = qobject_cast<QValueAxis*>(plot->chart()->axes(Qt::Horizontal).front());
    // The whole span: the first record to the last, 365 days later.
    QCOMPARE(dates->min(), 2458849.5);
    QCOMPARE(dates->max(), 2459214.5);
    plot->setFocus();
    QTest::keyClick(plot, Qt::Key_Plus);
    QVERIFY(qAbs((dates->max() - dates->min()) - 365 / 1.25) < 1e-6);
    QTest::keyClick(plot, Qt::Key_0);
    QCOMPARE(dates->min(), 2458849.5);
    QCOMPARE(dates->max(), 2459214.5);

    auto* readout = passagesWindow(harness)->findChild<QLabel*>(QStringLiteral("pointerReadout"));
    const QPointF centre = plot->chart()->plotArea().center();
    QMouseEvent move(QEvent::MouseMove, centre, plot->viewport()->mapToGlobal(centre), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(plot->viewport(), &move);
    QVERIFY2(QRegularExpression(QStringLiteral("^2020-[A-Z][a-z]{2}-[0-9]{2} [0-9:]{8} TDB, "
                                               "[01]\\.[0-9]{6} AU$"))
                 .match(readout->text())
                 .hasMatch(),
             qPrintable(readout->text()));
}

void PassagesTest::realEarthYearsGiveTwentyPassages() {
    if (!QFile::exists(QString::fromLatin1(kEarthSun))) {
        QSKIP("../shared/ephemerides is absent: no real Earth file to read");
    }
    WindowHarness harness;
    pressPassages(harness, "earth.txt", readFile(kEarthSun));
    waitForRows(harness, 20);
    QCOMPARE(rowTexts(passagesTable(harness), 0),
             (QStringList{"perihelion", "2010-Jan-03 00:10:21 TDB", "2010-Jan-03 00:09:15 UTC",
                          "0.983289667", "147098040", "± 1 s", "between items 3 and 4"}));
    QCOMPARE(rowTexts(passagesTable(harness), 19).mid(0, 2),
             (QStringList{"aphelion", "2019-Jul-04 22:12:04 TDB"}));
    // 3653 records are more than the plot's 2048 columns: two points a column.
    const auto* curve = qobject_cast<QLineSeries*>(
        passagesWindow(harness)->findChild<QChartView*>()->chart()->series()[0]);
    QCOMPARE(curve->count(), 2 * (3653 / 2 + 1) - 1);
}

void PassagesTest::copyGivesTheSelectedRowsUnderATitleRow() {
    WindowHarness harness;
    pressPassages(harness, "example.txt", readFile(kExample));
    waitForRows(harness, 2);
    QTableView* table = passagesTable(harness);
    table->setFocus();
    table->selectRow(1);
    table->selectionModel()->select(table->model()->index(0, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(),
             "Passage\tInstant (TDB)\tUTC\tAU\tkm\tUncertainty\tRecords\n" +
                 kExamplePerihelion.join('\t') + "\n" + kExampleAphelion.join('\t') + "\n");
}

void PassagesTest::tableAndPlotAreSavedWhole() {
    WindowHarness harness;
    pressPassages(harness, "example.txt", readFile(kExample));
    waitForRows(harness, 2);
    const QString csv = harness.workFolder() + "/saved/passages.csv";
    harness.desktop.savePath = csv.toStdString();
    harness.find<QWidget>("PassagesWindow")->findChild<QPushButton*>("saveTable")->click();
    QCOMPARE(harness.desktop.saveQuestions.back().suggestedPath,
             (harness.workFolder() + "/example-passages.csv").toStdString());
    QCOMPARE(readFile(csv), "Passage,Instant (TDB),UTC,AU,km,Uncertainty,Records\r\n" +
                                kExamplePerihelion.join(',').toUtf8() + "\r\n" +
                                kExampleAphelion.join(',').toUtf8() + "\r\n");

    auto* savePlot = harness.find<QWidget>("PassagesWindow")->findChild<QPushButton*>("savePlot");
    for (const auto& [name, start] : {std::pair{"plot.png", QByteArray("\x89PNG")},
                                      std::pair{"plot.svg", QByteArray("<?xml")}}) {
        const QString path = harness.workFolder() + "/" + name;
        harness.desktop.savePath = path.toStdString();
        savePlot->click();
        QVERIFY2(readFile(path).startsWith(start), name);
    }
    // Cancelled: nothing written, nothing said.
    harness.desktop.savePath.reset();
    savePlot->click();
    QCOMPARE(harness.desktop.saveQuestions.size(), std::size_t{4});
    QVERIFY(harness.desktop.messages.empty());
}

void PassagesTest::warningsShowUnderThePlot() {
    WindowHarness harness;
    const QByteArray example = readFile(kExample);
    pressPassages(harness, "cut.txt", example.left(example.indexOf("$$EOE")));
    waitForRows(harness, 2);
    auto* warnings =
        passagesWindow(harness)->findChild<QLabel*>(QStringLiteral("passagesWarnings"));
    QVERIFY(warnings->isVisible());
    QCOMPARE(warnings->text(), QStringLiteral("The file ends before $$EOE: it may have been cut "
                                              "short. The results cover the records read."));
    QVERIFY(harness.desktop.messages.empty());
}

void PassagesTest::failuresAreToldAsSortTellsThem_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("icon");
    QTest::newRow("no file chosen")
        << QByteArray() << false << "File not selected" << int(MessageIcon::None);
    QTest::newRow("no records") << QByteArray("no markers\n") << true
                                << "This file holds no ephemeris records: no line reads $$SOE."
                                << int(MessageIcon::Critical);
}

void PassagesTest::failuresAreToldAsSortTellsThem() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, selected);
    QFETCH(QString, message);
    QFETCH(int, icon);
    WindowHarness harness;
    harness.writeWorkFile("table.txt", bytes);
    harness.start().show();
    if (selected) {
        harness.chooseFile("table.txt");
    }
    harness.click("CDpassages");
    QTRY_COMPARE(harness.desktop.messages.size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(harness.desktop.messages[0].prompt), message);
    QCOMPARE(int(harness.desktop.messages[0].icon), icon);
    QVERIFY(passagesWindow(harness) == nullptr || !passagesWindow(harness)->isVisible());
}

void PassagesTest::cancelledScanShowsNothing() {
    vandrel::ScanSettings settings;
    settings.filePath = kExample;
    vandrel::ScanProgress progress;
    progress.cancelRequested = true;
    const vandrel::PassagesScan scan = vandrel::scanForPassages(settings, progress);
    QVERIFY(scan.cancelled);
    QVERIFY(scan.passages.empty());
    QCOMPARE(scan.plot.recordCount(), std::size_t{0});
}
