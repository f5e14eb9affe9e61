#include "form_vandrel_test.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "app/form_layout.h"
#include "window_harness.h"

using vandrel::ControlKind;
using vandrel::ControlSpec;
using vandrel::formLayout;
using vandrel::testing::readFile;
using vandrel::testing::WindowHarness;

namespace {

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

void FormVandrelTest::controlsStandWhereDesigned_data() {
    QTest::addColumn<int>("index");
    for (int index = 0; index < static_cast<int>(formLayout().size()); ++index) {
        QTest::newRow(formLayout()[static_cast<std::size_t>(index)].name) << index;
    }
}

void FormVandrelTest::controlsStandWhereDesigned() {
    QFETCH(int, index);
    const ControlSpec& design = formLayout()[static_cast<std::size_t>(index)];
    QCOMPARE(design.tab, index);
    WindowHarness harness;
    harness.start();
    auto* widget = harness.find<QWidget>(design.name);
    QVERIFY(widget != nullptr);
    QCOMPARE(widget->geometry(),
             QRect(design.left / 15, design.top / 15, design.width / 15, design.height / 15));
    if (design.kind != ControlKind::FolderList && design.kind != ControlKind::FileList &&
        design.name != std::string("TXstardate") && design.name != std::string("TXendate")) {
        QCOMPARE(captionOf(widget), QString::fromStdString(design.caption));
    }
    if (design.fontPoints != 0) {
        QCOMPARE(widget->font().pointSizeF(), design.fontPoints);
        QCOMPARE(widget->font().bold(), design.bold);
    }
}

void FormVandrelTest::windowIsFixedAtItsDesignSize() {
    WindowHarness harness;
    auto& form = harness.start();
    QCOMPARE(formLayout().size(), std::size_t{44});
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
    for (const ControlSpec& design : formLayout()) {
        if (design.kind != ControlKind::Label) {
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
