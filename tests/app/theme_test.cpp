#include "theme_test.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <cmath>

#include "app/handlers/form_layout.h"
#include "tools/dark_palette.h"
#include "window_harness.h"

using vandrel::ControlKind;
using vandrel::ControlSpec;
using vandrel::formLayout;
using vandrel::testing::WindowHarness;

namespace {

double luminance(const QColor& colour) {
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

// The contrast ratio of two colours, from 1 (none) to 21 (black on white).
double contrast(const QColor& one, const QColor& other) {
    const double lighter = std::max(luminance(one), luminance(other));
    const double darker = std::min(luminance(one), luminance(other));
    return (lighter + 0.05) / (darker + 0.05);
}

struct TextOnBackground {
    QColor text;
    QColor background;
};

// The colours a control's text is drawn in and drawn on. A label and a
// button without a background of its own show the window behind them.
TextOnBackground coloursOf(QWidget* control) {
    control->ensurePolished();
    const QPalette& own = control->palette();
    if (qobject_cast<QLineEdit*>(control) != nullptr ||
        qobject_cast<QListView*>(control) != nullptr) {
        return {own.color(QPalette::Text), own.color(QPalette::Base)};
    }
    // A long caption wraps in a label inside its button.
    const QWidget* caption = control->findChild<QLabel*>();
    const QColor text = caption != nullptr ? caption->palette().color(caption->foregroundRole())
                                           : own.color(control->foregroundRole());
    const bool ownBackground = control->autoFillBackground() || !control->styleSheet().isEmpty();
    const QWidget* behind = ownBackground ? control : control->parentWidget();
    return {text, behind->palette().color(behind->backgroundRole())};
}

}  // namespace

void ThemeTest::init() {
    desktopPalette_ = QApplication::palette();
    QApplication::setPalette(vandrel::tools::darkDesktopPalette());
}

void ThemeTest::cleanup() {
    QApplication::setPalette(desktopPalette_);
}

void ThemeTest::textContrastsUnderADarkDesktop_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("selection");
    for (const ControlSpec& design : formLayout()) {
        // The design gives both colours of these itself.
        const bool bothDesigned = design.background && design.textColour;
        if (!design.hidden && !bothDesigned) {
            QTest::newRow(design.name) << QString::fromLatin1(design.name) << false;
        }
    }
    QTest::newRow("chosen folder") << "Dir1" << true;
    QTest::newRow("chosen file") << "File1" << true;
}

void ThemeTest::textContrastsUnderADarkDesktop() {
    QFETCH(QString, name);
    QFETCH(bool, selection);
    WindowHarness harness;
    harness.start();
    QWidget* control = harness.find<QWidget>(qPrintable(name));
    const TextOnBackground colours =
        selection ? TextOnBackground{control->palette().color(QPalette::HighlightedText),
                                     control->palette().color(QPalette::Highlight)}
                  : coloursOf(control);
    const double ratio = contrast(colours.text, colours.background);
    QVERIFY2(ratio >= 4.5, qPrintable(QStringLiteral("%1 on %2: %3:1")
                                          .arg(colours.text.name(), colours.background.name())
                                          .arg(ratio, 0, 'f', 2)));
}
