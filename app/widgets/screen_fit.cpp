#include "app/widgets/screen_fit.h"

#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QWidget>

namespace vandrel {

namespace {

constexpr int kTitleBarAllowance = 40;

}  // namespace

ScreenFit::ScreenFit(QWidget& window, QSize room) : window_(window) {
    if (window.width() <= room.width() && window.height() <= room.height()) {
        return;
    }
    frame_ = std::make_unique<QScrollArea>();
    frame_->setObjectName(QStringLiteral("ScreenFit"));
    frame_->setWindowTitle(window.windowTitle());
    frame_->setWindowIcon(window.windowIcon());
    frame_->setFocusPolicy(Qt::NoFocus);
    frame_->setFrameShape(QFrame::NoFrame);
    frame_->setWidget(&window);
    // As large as the window with its scroll bars, but no larger than the room.
    const int bar = frame_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    frame_->resize((window.size() + QSize(bar, bar)).boundedTo(room));
}

ScreenFit::~ScreenFit() {
    if (frame_) {
        frame_->takeWidget();
    }
}

QWidget& ScreenFit::shown() {
    return frame_ ? *frame_ : window_;
}

QSize roomOnScreen(const QWidget& window) {
    const QScreen* screen = window.screen();
    if (screen == nullptr) {
        return window.size();
    }
    return screen->availableGeometry().size() - QSize(0, kTitleBarAllowance);
}

}  // namespace vandrel
