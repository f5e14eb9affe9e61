#include "app/widgets/form_vandrel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/handlers/links/link_handlers.h"
#include "app/handlers/picker/picker_handlers.h"
#include "app/handlers/results/results_handlers.h"
#include "app/handlers/settings/date_range_file.h"
#include "app/handlers/start_up.h"
#include "app/widgets/design_palette.h"
#include "app/widgets/file_list.h"
#include "app/widgets/folder_list.h"
#include "app/widgets/passages/passages_window.h"
#include "app/widgets/push_button.h"
#include "app/widgets/qt_desktop.h"

namespace vandrel {

namespace {

constexpr const char* kDesignFace = "MS Sans Serif";

QString colourName(Colour colour) {
    return QStringLiteral("#%1").arg(colour, 6, 16, QLatin1Char('0')).toUpper();
}

QRect pixels(const ControlSpec& design) {
    return {design.left / kTwipsPerPixel, design.top / kTwipsPerPixel,
            design.width / kTwipsPerPixel, design.height / kTwipsPerPixel};
}

QFont designFont(const ControlSpec& design, const QFont& ordinary) {
    if (design.fontPoints == 0) {
        return ordinary;
    }
    QFont font(QString::fromLatin1(kDesignFace));
    font.setPointSizeF(design.fontPoints);
    font.setBold(design.bold);
    return font;
}

}  // namespace

FormVandrel::FormVandrel(DesktopServices* desktop, QWidget* parent)
    : QWidget(parent),
      ownDesktop_(desktop == nullptr ? std::make_unique<QtDesktop>(this) : nullptr),
      desktop_(desktop == nullptr ? ownDesktop_.get() : desktop) {
    // "MS Sans Serif" is a Windows face; Debian's closest is Liberation Sans.
    static const bool substituted = [] {
        QFont::insertSubstitutions(
            QString::fromLatin1(kDesignFace),
            {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
        return true;
    }();
    (void)substituted;
    // The ordinary font: the design's 8-point face, narrowed a little, as
    // Liberation Sans runs wider than the bitmap face the layout was drawn with.
    QFont ordinary(QString::fromLatin1(kDesignFace));
    ordinary.setPointSizeF(8.25);
    ordinary.setStretch(90);
    QWidget::setFont(ordinary);
    // The design's light colours wherever it leaves them to the toolkit,
    // whatever the desktop's theme.
    const QPalette palette = designPalette();
    QWidget::setPalette(palette);

    setObjectName(QStringLiteral("FormVandrel"));
    setWindowTitle(QString::fromLatin1(kApplicationTitle));
    setWindowIcon(QIcon(QStringLiteral(":/vandrel.png")));
    setFixedSize(kClientWidthTwips / kTwipsPerPixel, kClientHeightTwips / kTwipsPerPixel);

    auto* options = new QButtonGroup(this);
    std::map<QString, QWidget*> labels;
    QWidget* previous = nullptr;
    std::vector<const ControlSpec*> designs;
    for (const ControlSpec& design : formLayout()) {
        designs.push_back(&design);
    }
    designs.push_back(&passagesButtonLayout());
    for (const ControlSpec* designed : designs) {
        const ControlSpec& design = *designed;
        const QFont font = designFont(design, ordinary);
        QWidget* control = createControl(design, font);
        control->setObjectName(QString::fromLatin1(design.name));
        control->setGeometry(pixels(design));
        control->setFont(font);
        // Each control and each of its parts (a wrapped caption, a list's
        // scroll bars) takes the palette too: a widget under a style sheet
        // builds on its own palette, and would otherwise take the desktop's.
        control->setPalette(palette);
        for (QWidget* part : control->findChildren<QWidget*>()) {
            part->setPalette(palette);
        }
        looks_[control] = {design.background, design.textColour};
        applyLook(control, looks_[control]);
        if (design.hidden) {
            control->hide();
        }
        if (auto* option = qobject_cast<QRadioButton*>(control)) {
            options->addButton(option);
        }
        if (design.handle) {
            handled_[*design.handle] = control;
        }
        if (qobject_cast<QLabel*>(control) != nullptr) {
            labels[control->objectName()] = control;
        }
        if (control->focusPolicy() != Qt::NoFocus) {
            if (previous != nullptr) {
                setTabOrder(previous, control);
            }
            previous = control;
        }
    }
    // Labels lie beneath every other control. Lowered in the order of their
    // names, they stay in the order that assistive tools have always listed.
    for (const auto& [name, label] : labels) {
        label->lower();
    }
    setAcceptDrops(true);
    folderList_->setPath(QDir::currentPath());
    fileList_->setFolder(folderList_->path());
    wireEvents();
}

void FormVandrel::focusFirstControl() {
    widget(Control::CDsort)->setFocus();
}

QWidget* FormVandrel::createControl(const ControlSpec& design, const QFont& font) {
    const QString caption = QString::fromStdString(design.caption);
    switch (design.kind) {
        case ControlKind::Label: {
            auto* label = new QLabel(caption, this);
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(true);
            label->setAlignment((design.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
            return label;
        }
        case ControlKind::PushButton: {
            auto* button = new PushButton(this);
            button->setAccessibleName(caption);
            if (QFontMetrics(font).horizontalAdvance(caption) <= pixels(design).width() - 6) {
                button->setText(caption);
                return button;
            }
            // A Qt button keeps its caption on one line; a long one wraps in a label.
            auto* label = new QLabel(caption, button);
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignCenter);
            label->setAttribute(Qt::WA_TransparentForMouseEvents);
            auto* layout = new QVBoxLayout(button);
            layout->setContentsMargins(2, 1, 2, 1);
            layout->addWidget(label);
            return button;
        }
        case ControlKind::OptionButton:
            return new QRadioButton(caption, this);
        case ControlKind::CheckBox:
            return new QCheckBox(caption, this);
        case ControlKind::TextBox: {
            auto* box = new QLineEdit(caption, this);
            box->setAlignment(design.centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
            return box;
        }
        case ControlKind::FolderList:
            return folderList_ = new FolderList(this);
        case ControlKind::FileList:
            return fileList_ = new FileList(this);
    }
    return nullptr;
}

// Style sheets paint a button in its own colour whatever the desktop's style.
void FormVandrel::applyLook(QWidget* widget, const Look& look) {
    QString rules;
    if (look.background) {
        rules += QStringLiteral("background-color: %1;").arg(colourName(*look.background));
    }
    if (look.textColour) {
        rules += QStringLiteral("color: %1;").arg(colourName(*look.textColour));
    }
    if (rules.isEmpty()) {
        return;
    }
    // The selector names the nearest Qt class: the lists are classes of our own.
    const QMetaObject* type = widget->metaObject();
    while (QByteArray(type->className()).contains("::")) {
        type = type->superClass();
    }
    const QString kind = QString::fromLatin1(type->className());
    QString sheet = QStringLiteral("%1 { %2 }").arg(kind, rules);
    if (qobject_cast<QPushButton*>(widget) != nullptr) {
        sheet = QStringLiteral(
                    "QPushButton { %1 border: 1px solid #404040; border-radius: 2px; }"
                    "QPushButton:pressed { border: 2px inset #404040; }")
                    .arg(rules);
    }
    widget->setStyleSheet(sheet);
}

void FormVandrel::wireEvents() {
    connect(widgetAs<QPushButton>(Control::CDsort), &QPushButton::clicked, this,
            [this] { CDsort_Click(*this); });
    connect(widgetAs<QPushButton>(Control::Command5), &QPushButton::clicked, this,
            [this] { Command5_Click(*this); });
    connect(widgetAs<QPushButton>(Control::CDlo), &QPushButton::clicked, this,
            [this] { CDlo_Click(*this); });
    connect(widgetAs<QPushButton>(Control::CDsa), &QPushButton::clicked, this,
            [this] { CDsa_Click(*this); });
    connect(folderList_, &FolderList::changed, this, [this] { Dir1_Change(*this); });
    connect(fileList_, &FileList::fileClicked, this, [this] { File1_Click(*this); });
    connect(widgetAs<QPushButton>(Control::Command4), &QPushButton::clicked, this,
            [this] { Command4_Click(*this); });
    connect(widgetAs<QPushButton>(Control::Command2), &QPushButton::clicked, this,
            [this] { Command2_Click(*this); });
    connect(widgetAs<QPushButton>(Control::Command30), &QPushButton::clicked, this,
            [this] { Command3_Click(*this, 0); });
    connect(widgetAs<QPushButton>(Control::Command31), &QPushButton::clicked, this,
            [this] { Command3_Click(*this, 1); });
    connect(widgetAs<QPushButton>(Control::Command1), &QPushButton::clicked, this,
            [this] { Command1_Click(*this); });
    connect(widgetAs<QPushButton>(Control::CDpassages), &QPushButton::clicked, this,
            [this] { CDpassages_Click(*this); });
}

QWidget* FormVandrel::widget(Control control) const {
    return handled_.at(control);
}

template <typename Widget>
Widget* FormVandrel::widgetAs(Control control) const {
    return qobject_cast<Widget*>(widget(control));
}

std::string FormVandrel::text(Control control) const {
    return widgetAs<QLineEdit>(control)->text().toStdString();
}

void FormVandrel::setText(Control control, const std::string& text) {
    widgetAs<QLineEdit>(control)->setText(QString::fromStdString(text));
}

void FormVandrel::setToolTip(Control control, const std::string& text) {
    widget(control)->setToolTip(QString::fromStdString(text));
}

void FormVandrel::setVisible(Control control, bool visible) {
    widget(control)->setVisible(visible);
}

Colour FormVandrel::textColour(Control control) const {
    QWidget* control_widget = widget(control);
    const auto look = looks_.find(control_widget);
    if (look != looks_.end() && look->second.textColour) {
        return *look->second.textColour;
    }
    return control_widget->palette().color(QPalette::Text).rgb() & 0xFFFFFF;
}

void FormVandrel::setEnabled(Control control, bool enabled) {
    widget(control)->setEnabled(enabled);
}

void FormVandrel::setBackground(Control control, Colour colour) {
    QWidget* control_widget = widget(control);
    Look& look = looks_[control_widget];
    look.background = colour;
    applyLook(control_widget, look);
}

void FormVandrel::repaintNow(Control control) {
    widget(control)->repaint();
}

int FormVandrel::checkValue(Control control) const {
    return widgetAs<QCheckBox>(control)->isChecked() ? 1 : 0;
}

bool FormVandrel::isSelected(Control control) const {
    return widgetAs<QRadioButton>(control)->isChecked();
}

void FormVandrel::select(Control control) {
    widgetAs<QRadioButton>(control)->setChecked(true);
}

std::string FormVandrel::folderListPath() const {
    return folderList_->path().toStdString();
}

bool FormVandrel::setFileListFolder(const std::string& folder) {
    return fileList_->setFolder(QString::fromStdString(folder));
}

std::string FormVandrel::fileListSelection() const {
    return fileList_->selectedName().toStdString();
}

void FormVandrel::setFolderListPath(const std::string& folder) {
    folderList_->setPath(QString::fromStdString(folder));
}

bool FormVandrel::chooseInFileList(const std::string& name) {
    return fileList_->choose(QString::fromStdString(name));
}

namespace {

// The one local file or folder that a drag carries; empty for anything else.
QString droppedPath(const QMimeData* data) {
    if (data == nullptr || data->urls().size() != 1 || !data->urls().front().isLocalFile()) {
        return {};
    }
    return data->urls().front().toLocalFile();
}

}  // namespace

void FormVandrel::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedPath(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void FormVandrel::dropEvent(QDropEvent* event) {
    const QString path = droppedPath(event->mimeData());
    if (path.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    OpenPath(*this, path.toStdString());
}

void FormVandrel::showPassages(const ScanSettings& settings) {
    if (passages_ == nullptr) {
        passages_ = new PassagesWindow(desktop(), this);
    }
    passages_->scanAndShow(settings);
}

}  // namespace vandrel
