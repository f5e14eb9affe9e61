#include "keyboard_test.h"

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>

#include "app/handlers/form_layout.h"
#include "app/widgets/screen_fit.h"
#include "window_harness.h"

using vandrel::ControlKind;
using vandrel::ControlSpec;
using vandrel::formLayout;
using vandrel::testing::listed;
using vandrel::testing::WindowHarness;

namespace {

// The window shown and active, so that keys go where the focus is.
void startShown(WindowHarness& harness) {
    auto& form = harness.start();
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
}

// A key pressed and released on whatever has the focus.
void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
}

}  // namespace

void KeyboardTest::keysPressTheFocusedButton_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("sort, Return") << "CDsort" << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("sort, keypad Enter")
        << "CDsort" << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    QTest::newRow("sort, Space") << "CDsort" << int(Qt::Key_Space) << int(Qt::NoModifier);
    // A long caption wraps in a label inside the button.
    QTest::newRow("save, Enter") << "CDsa" << int(Qt::Key_Enter) << int(Qt::NoModifier);
    QTest::newRow("exit, Return") << "Command1" << int(Qt::Key_Return) << int(Qt::NoModifier);
}

void KeyboardTest::keysPressTheFocusedButton() {
    QFETCH(QString, button);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    WindowHarness harness;
    startShown(harness);
    auto* pressed = harness.find<QPushButton>(qPrintable(button));
    QSignalSpy clicks(pressed, &QAbstractButton::clicked);
    pressed->setFocus(Qt::TabFocusReason);
    press(key, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(clicks.count(), 1);
    if (key != Qt::Key_Space) {
        press(key, Qt::ControlModifier);  // a shortcut, not a press
        QCOMPARE(clicks.count(), 1);
    }
}

void KeyboardTest::enterElsewherePressesNoButton() {
    WindowHarness harness;
    startShown(harness);
    QList<QSignalSpy*> spies;
    for (QPushButton* button : harness.form().findChildren<QPushButton*>()) {
        QVERIFY2(!button->isDefault() && !button->autoDefault(), qPrintable(button->objectName()));
        spies << new QSignalSpy(button, &QAbstractButton::clicked);
    }
    for (const char* focused : {"TXstardate", "TXwait", "OpSort(1)", "ChStart"}) {
        harness.find<QWidget>(focused)->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Return);
        press(Qt::Key_Enter, Qt::KeypadModifier);
    }
    for (QSignalSpy* spy : spies) {
        QCOMPARE(spy->count(), 0);
    }
    qDeleteAll(spies);
    QVERIFY(harness.desktop.messages.empty());
    QCOMPARE(harness.desktop.endRequests, 0);
}

void KeyboardTest::keysChooseInTheFileList_data() {
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("status");
    const QStringList lone{"only.txt"};
    const QStringList three{"a.txt", "b.TXT", "c.Txt"};
    QTest::newRow("lone file, Down") << lone << QList<int>{Qt::Key_Down} << "only.txt"
                                     << "Got File";
    QTest::newRow("lone file, Up") << lone << QList<int>{Qt::Key_Up} << "only.txt"
                                   << "Got File";
    QTest::newRow("lone file, Space") << lone << QList<int>{Qt::Key_Space} << "only.txt"
                                      << "Got File";
    QTest::newRow("lone file, End") << lone << QList<int>{Qt::Key_End} << "only.txt"
                                    << "Got File";
    // Focus puts the cursor on the first name; Down moves on from it.
    QTest::newRow("Down") << three << QList<int>{Qt::Key_Down} << "b.TXT"
                          << "Got File";
    QTest::newRow("End") << three << QList<int>{Qt::Key_End} << "c.Txt"
                         << "Select txt file";
    QTest::newRow("End, then Home") << three << QList<int>{Qt::Key_End, Qt::Key_Home} << "a.txt"
                                    << "Got File";
    QTest::newRow("Space on the first") << three << QList<int>{Qt::Key_Space} << "a.txt"
                                        << "Got File";
    QTest::newRow("no key") << three << QList<int>{} << ""
                            << "Select txt file";
}

void KeyboardTest::keysChooseInTheFileList() {
    QFETCH(QStringList, files);
    QFETCH(QList<int>, keys);
    QFETCH(QString, chosen);
    QFETCH(QString, status);
    WindowHarness harness;
    for (const QString& name : files) {
        harness.writeWorkFile(name, "x");
    }
    startShown(harness);
    auto* list = harness.find<QListView>("File1");
    QTRY_COMPARE(listed(list), files);
    list->setFocus(Qt::TabFocusReason);
    for (int key : keys) {
        press(key);
    }
    QCOMPARE(harness.text("TXfi"),
             chosen.isEmpty() ? QString() : harness.workFolder() + "/" + chosen);
    QCOMPARE(harness.text("TXwait"), status);
}

void KeyboardTest::tabVisitsTheControlsInDesignOrder_data() {
    QTest::addColumn<QSize>("room");
    QTest::newRow("whole window") << QSize(1280, 1000);
    // A laptop's 1366 x 768, less a panel and a title bar: scroll bars.
    QTest::newRow("scrolled on a small screen") << QSize(1366, 696);
}

void KeyboardTest::tabVisitsTheControlsInDesignOrder() {
    QFETCH(QSize, room);
    WindowHarness harness;
    auto& form = harness.start();
    vandrel::ScreenFit fit(form, room);
    QWidget& shown = fit.shown();
    // The frame is as wide as the window and its vertical scroll bar.
    const int bar = shown.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    QCOMPARE(shown.size(),
             room.height() < 743 ? QSize(1018 + bar, room.height()) : QSize(1018, 743));
    QCOMPARE(shown.isWindow(), true);
    QCOMPARE(form.size(), QSize(1018, 743));
    shown.show();
    shown.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&shown));
    form.focusFirstControl();
    // Of the two option buttons Tab stops at the selected one; arrows move
    // between them, as on the desktop the window was designed on.
    QStringList expected;
    for (const ControlSpec& design : formLayout()) {
        if (design.kind != ControlKind::Label && !design.hidden &&
            design.name != std::string("OpSort(1)")) {
            expected << QString::fromLatin1(design.name);
        }
    }
    expected << QStringLiteral("CDpassages");
    QStringList visited;
    for (int step = 0; step < expected.size(); ++step) {
        visited << QApplication::focusWidget()->objectName();
        // The frame scrolls to show the whole of the file list at the bottom.
        if (visited.back() == QStringLiteral("File1") && &shown != &form) {
            const QWidget* files = QApplication::focusWidget();
            QVERIFY(files->mapTo(&shown, QPoint(0, files->height())).y() <= room.height());
        }
        press(Qt::Key_Tab);
    }
    QCOMPARE(visited, expected);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("CDsort"));
}
