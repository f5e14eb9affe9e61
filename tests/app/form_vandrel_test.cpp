#include "form_vandrel_test.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "window_harness.h"

using vandrel::testing::readFile;
using vandrel::testing::WindowHarness;
using C = vandrel::Control;

namespace {

// The window as designed, in tab order: places and sizes in twips, colours
// #RRGGBB (-1: the toolkit's), fonts in points (0: the window's ordinary font).
struct Designed {
    const char* name;
    int left;
    int top;
    int width;
    int height;
    int background;
    int textColour;
    double points;
    bool bold;
};

// clang-format off
constexpr Designed kDesign[] = {
    // name         left   top    width  height background text      points bold
    {"Label1(0)",   3600,  600,   6735,  615,   -1,       -1,       12,   true},
    {"CDsort",      360,   4680,  2655,  975,   0xFFFF00, -1,       24,   true},
    {"OpSort(0)",   360,   2280,  2655,  615,   0xF0F080, -1,       9.75, true},
    {"OpSort(1)",   360,   3960,  2655,  615,   0xF0F080, -1,       9.75, true},
    {"TXminAU",     3120,  2760,  3735,  525,   0xFFFFE0, 0x404000, 13.5, true},
    {"TXmaxAU",     3120,  3600,  3735,  525,   0xFFFFE0, 0x404000, 13.5, true},
    {"TXminKM",     6960,  2760,  3735,  525,   -1,       -1,       13.5, true},
    {"TXmaxKM",     6960,  3600,  3735,  525,   -1,       -1,       13.5, true},
    {"TXstuff",     10920, 9600,  8895,  375,   0xE0D0A0, -1,       0,    false},
    {"TXdateMin",   10800, 2760,  4335,  525,   0xFFFFE0, 0x404000, 13.5, true},
    {"Label2",      10800, 3240,  1575,  375,   -1,       -1,       13.5, true},
    {"TXda",        6240,  1200,  1335,  360,   0x808000, 0xE0D0A0, 0,    false},
    {"Command1",    360,   1080,  2655,  855,   -1,       -1,       13.5, true},
    {"tXco(0)",     1800,  3000,  1215,  285,   0x808000, 0xE0D0A0, 0,    false},
    {"Label3",      8520,  3240,  495,   375,   -1,       -1,       13.5, true},
    {"Label4",      4320,  3240,  1455,  375,   -1,       -1,       13.5, true},
    {"Label5(0)",   2280,  3300,  735,   255,   -1,       -1,       0,    false},
    {"Label6",      240,   120,   3735,  495,   -1,       -1,       0,    false},
    {"Command2",    4440,  120,   4935,  495,   0xE0D0A0, -1,       0,    false},
    {"Command3(0)", 10800, 1200,  4335,  495,   0xE0D0A0, -1,       0,    false},
    {"Dir1",        360,   5760,  5175,  5220,  0xC0C0A0, 0x404020, 9.75, false},
    {"File1",       5640,  6120,  5055,  4890,  0xC0C0A0, 0x404020, 9.75, false},
    {"Label1(1)",   5640,  5760,  5055,  375,   -1,       -1,       13.5, true},
    {"Command4",    10920, 9120,  1455,  375,   -1,       -1,       0,    false},
    {"TXfi",        3120,  5280,  7575,  405,   0xA0A080, 0xFFFF00, 9.75, true},
    {"TXwait",      4440,  4680,  4935,  405,   0x000000, 0xFFFFFF, 9.75, true},
    {"TXdateMax",   10800, 3600,  4335,  525,   0xFFFFE0, 0x404000, 13.5, true},
    {"Label7",      10800, 120,   4335,  975,   -1,       -1,       0,    false},
    {"Label8(0)",   11280, 6240,  3495,  495,   -1,       -1,       0,    false},
    {"Label8(1)",   11280, 6840,  3615,  495,   -1,       -1,       0,    false},
    {"Command3(1)", 10800, 8040,  4335,  495,   0xE0D0A0, -1,       0,    false},
    {"Label8(2)",   11280, 7440,  3495,  375,   -1,       -1,       0,    false},
    {"TXperi",      3120,  2280,  7575,  450,   0xD0D0A0, -1,       12,   true},
    {"TXaphe",      3120,  4140,  7575,  450,   0xD0D0A0, -1,       12,   true},
    {"tXco(1)",     1800,  3600,  1215,  285,   0x808000, 0xE0D0A0, 0,    false},
    {"Label9",      11280, 10080, 3615,  495,   -1,       -1,       0,    false},
    {"Label10",     360,   840,   2655,  375,   -1,       -1,       0,    false},
    {"Command5",    6240,  3300,  1335,  285,   -1,       -1,       0,    false},
    {"CHenday",     8280,  1650,  1335,  255,   -1,       -1,       0,    false},
    {"TXendate",    8280,  1920,  1215,  285,   0xC0C000, 0x000000, 0,    false},
    {"TXstardate",  4320,  1920,  1215,  285,   0xC0C000, 0x000000, 0,    false},
    {"ChStart",     4320,  1650,  1215,  255,   -1,       -1,       0,    false},
    {"CDsa",        5640,  1680,  1095,  525,   0xB8B090, -1,       0,    false},
    {"CDlo",        7080,  1680,  1095,  525,   0xB8B090, -1,       0,    false},
};
// clang-format on

bool isLabel(const Designed& design) {
    return QByteArray(design.name).startsWith("Label");
}

QString captionOf(QWidget* widget) {
    if (auto* box = qobject_cast<QLineEdit*>(widget)) {
        return box->text();
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        return label->text();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        // A long caption wraps in a label inside its button.
        if (auto* inner = button->findChild<QLabel*>()) {
            return inner->text();
        }
        return button->text();
    }
    return {};
}

}  // namespace

void FormVandrelTest::controlsStandWhereDesigned() {
    WindowHarness harness;
    harness.start();
    for (const Designed& design : kDesign) {
        auto* widget = harness.find<QWidget>(design.name);
        QVERIFY2(widget != nullptr, design.name);
        widget->ensurePolished();
        const QString row = QString::fromLatin1(design.name);
        QCOMPARE(QPair(row, widget->geometry()),
                 QPair(row, QRect(design.left / 15, design.top / 15, design.width / 15,
                                  design.height / 15)));
        if (design.points != 0) {
            QCOMPARE(QPair(row, widget->font().pointSizeF()), QPair(row, design.points));
            QCOMPARE(QPair(row, widget->font().bold()), QPair(row, design.bold));
        }
        const QPalette& colours = widget->palette();
        if (design.background >= 0) {
            QCOMPARE(QPair(row, colours.color(widget->backgroundRole())),
                     QPair(row, QColor(QRgb(design.background))));
        }
        if (design.textColour >= 0) {
            QCOMPARE(QPair(row, colours.color(widget->foregroundRole())),
                     QPair(row, QColor(QRgb(design.textColour))));
        }
    }
}

void FormVandrelTest::captionsAreTheDesigns() {
    // clang-format off
    const std::pair<const char*, const char*> captions[] = {
        {"Label1(0)",   "Place the file \"horizons_results.txt\" or other text file in this folder, then select it below, then click \"sort\"."},
        {"CDsort",      "sort"},
        {"OpSort(0)",   "Select least distance"},
        {"OpSort(1)",   "Select most distance"},
        {"Label2",      "Date/Time"},
        {"Command1",    "exit"},
        {"Label3",      "km"},
        {"Label4",      "RG = AU"},
        {"Label5(0)",   "Item #"},
        {"Label6",      "Sorts max and min distances from text file generated by https://ssd/jpl/nasa/gov/horizons.cgi#results"},
        {"Command2",    "https://ssd/jpl/nasa/gov/horizons.cgi#results"},
        {"Command3(0)", "About valid ephemeris files"},
        {"Label1(1)",   "Select text file here:"},
        {"Command4",    "Command4"},
        {"TXwait",      "Select txt file"},
        {"Label7",      "The ephemeris of the Jet Propulsion Laboratory of NASA generates text files with data about the distances from planets to the sun. This app sorts through the data to extract the smallest and greatest of such distances."},
        {"Label8(0)",   "Use a Vector Table centred on the Sun, with distances in AU, saved as a .txt file."},
        {"Label8(1)",   "Valid files contain \"$$SOE\" and \"$$EOE\" at the start of a line to designate start and end of entries."},
        {"Command3(1)", "vandrel/n-body/ephemeris-files.html"},
        {"Label8(2)",   "Visit the following link for more details on this:"},
        {"Label9",      "Written by the vandrel authors."},
        {"Label10",     "Version 1.06                2018 May 31"},
        {"Command5",    "clear"},
        {"CHenday",     "End Date ?"},
        {"ChStart",     "Start Date ?"},
        {"CDsa",        "save start + end dates"},
        {"CDlo",        "load start + end dates"},
    };
    // clang-format on
    WindowHarness harness;
    harness.start();
    for (const auto& [name, caption] : captions) {
        QCOMPARE(QPair(QString::fromLatin1(name), captionOf(harness.find<QWidget>(name))),
                 QPair(QString::fromLatin1(name), QString::fromUtf8(caption)));
    }
}

void FormVandrelTest::everyControlFindsItsWidget() {
    const std::pair<C, const char*> handles[] = {
        {C::CDsort, "CDsort"},
        {C::OpSort0, "OpSort(0)"},
        {C::OpSort1, "OpSort(1)"},
        {C::ChStart, "ChStart"},
        {C::TXstardate, "TXstardate"},
        {C::CHenday, "CHenday"},
        {C::TXendate, "TXendate"},
        {C::CDlo, "CDlo"},
        {C::CDsa, "CDsa"},
        {C::TXperi, "TXperi"},
        {C::TXminAU, "TXminAU"},
        {C::TXminKM, "TXminKM"},
        {C::TXdateMin, "TXdateMin"},
        {C::tXco0, "tXco(0)"},
        {C::TXaphe, "TXaphe"},
        {C::TXmaxAU, "TXmaxAU"},
        {C::TXmaxKM, "TXmaxKM"},
        {C::TXdateMax, "TXdateMax"},
        {C::tXco1, "tXco(1)"},
        {C::Command5, "Command5"},
        {C::TXwait, "TXwait"},
        {C::TXda, "TXda"},
        {C::TXfi, "TXfi"},
        {C::Command4, "Command4"},
        {C::Command2, "Command2"},
        {C::Command30, "Command3(0)"},
        {C::Command31, "Command3(1)"},
        {C::Command1, "Command1"},
    };
    WindowHarness harness;
    auto& form = harness.start();
    for (const auto& [handle, name] : handles) {
        form.setToolTip(handle, name);
    }
    for (const auto& [handle, name] : handles) {
        QCOMPARE(harness.find<QWidget>(name)->toolTip(), QString::fromLatin1(name));
    }
}

void FormVandrelTest::windowIsFixedAtItsDesignSize() {
    WindowHarness harness;
    auto& form = harness.start();
    QCOMPARE(form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(),
             qsizetype(std::size(kDesign)));
    QCOMPARE(form.size(), QSize(1018, 743));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QCOMPARE(form.windowTitle(), QStringLiteral("vandrel"));
}

void FormVandrelTest::windowShowsTheInstalledIcon() {
    WindowHarness harness;
    auto& form = harness.start();
    const QIcon icon = form.windowIcon();
    QCOMPARE(icon.availableSizes(), QList<QSize>{QSize(64, 64)});
    const QImage installed(QStringLiteral(VANDREL_SOURCE_DIR "/app/icons/vandrel.xpm"));
    QCOMPARE(installed.size(), QSize(64, 64));
    QCOMPARE(icon.pixmap(QSize(64, 64)).toImage().convertToFormat(QImage::Format_ARGB32),
             installed.convertToFormat(QImage::Format_ARGB32));
}

void FormVandrelTest::designStateRightAfterStart() {
    WindowHarness harness;
    harness.start();
    QVERIFY(harness.find<QRadioButton>("OpSort(0)")->isChecked());
    QVERIFY(!harness.find<QRadioButton>("OpSort(1)")->isChecked());
    QVERIFY(!harness.find<QCheckBox>("ChStart")->isChecked());
    QVERIFY(!harness.find<QCheckBox>("CHenday")->isChecked());
    for (const char* hidden : {"TXda", "TXstuff", "Command4"}) {
        QVERIFY2(harness.find<QWidget>(hidden)->isHidden(), hidden);
    }
    QCOMPARE(harness.text("TXwait"), QStringLiteral("Select txt file"));
    for (const char* empty : {"TXfi", "TXperi", "TXminAU", "TXminKM", "TXdateMin", "tXco(0)",
                              "TXaphe", "TXmaxAU", "TXmaxKM", "TXdateMax", "tXco(1)"}) {
        QVERIFY2(harness.text(empty).isEmpty(), empty);
    }
    QCOMPARE(harness.text("TXstardate"), QStringLiteral("1900-Jan-01"));
    QCOMPARE(harness.text("TXendate"), QStringLiteral("1901-Jan-01"));
    QCOMPARE(readFile(harness.dateRangeFile()), QByteArray("\"1900-Jan-01\",\"1901-Jan-01\"\r\n"));
    QVERIFY(harness.desktop.messages.empty());
}

void FormVandrelTest::tabOrderFollowsTheDesign() {
    WindowHarness harness;
    auto& form = harness.start();
    QStringList expected;
    for (const Designed& design : kDesign) {
        if (!isLabel(design)) {
            expected << QString::fromLatin1(design.name);
        }
    }
    QStringList actual;
    QWidget* widget = harness.find<QWidget>("CDsort");
    do {
        if (widget->parentWidget() == &form && widget->focusPolicy() != Qt::NoFocus) {
            actual << widget->objectName();
        }
        widget = widget->nextInFocusChain();
    } while (widget != harness.find<QWidget>("CDsort"));
    QCOMPARE(actual, expected);
}

void FormVandrelTest::labelsLieBeneathTheOtherControls() {
    WindowHarness harness;
    auto& form = harness.start();
    bool otherSeen = false;
    for (QObject* child : form.children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget == nullptr) {
            continue;
        }
        const bool isLabel = qobject_cast<QLabel*>(widget) != nullptr;
        QVERIFY2(!(isLabel && otherSeen), qPrintable(widget->objectName() + " is above a control"));
        otherSeen = otherSeen || !isLabel;
    }
}

void FormVandrelTest::optionButtonsFormOneGroup() {
    WindowHarness harness;
    harness.start();
    auto* least = harness.find<QRadioButton>("OpSort(0)");
    auto* most = harness.find<QRadioButton>("OpSort(1)");
    QTest::mouseClick(most, Qt::LeftButton);
    QVERIFY(most->isChecked() && !least->isChecked());
    QTest::mouseClick(most, Qt::LeftButton);
    QVERIFY(most->isChecked() && !least->isChecked());
    QTest::mouseClick(least, Qt::LeftButton);
    QVERIFY(least->isChecked() && !most->isChecked());
}

void FormVandrelTest::buttonsArePaintedInTheirOwnColour_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("sort") << "CDsort" << QColor(0xFFFF00);
    QTest::newRow("service link") << "Command2" << QColor(0xE0D0A0);
    QTest::newRow("maker link") << "Command3(1)" << QColor(0xE0D0A0);
    QTest::newRow("save") << "CDsa" << QColor(0xB8B090);
    QTest::newRow("folder list") << "Dir1" << QColor(0xC0C0A0);
    QTest::newRow("file list") << "File1" << QColor(0xC0C0A0);
}

void FormVandrelTest::buttonsArePaintedInTheirOwnColour() {
    QFETCH(QString, name);
    QFETCH(QColor, colour);
    WindowHarness harness;
    harness.start();
    QCOMPARE(vandrel::testing::paintedColour(harness.find<QWidget>(qPrintable(name))), colour);
}

void FormVandrelTest::exitEndsAtOnceAndSavesNothing() {
    WindowHarness harness;
    harness.start();
    const QByteArray saved = readFile(harness.dateRangeFile());
    harness.find<QLineEdit>("TXstardate")->setText(QStringLiteral("2020-Jan-01"));
    harness.click("Command1");
    QCOMPARE(harness.desktop.endRequests, 1);
    QVERIFY(harness.desktop.messages.empty());
    QCOMPARE(readFile(harness.dateRangeFile()), saved);
}
