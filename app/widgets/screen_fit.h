#pragma once

#include <QSize>
#include <memory>

class QScrollArea;
class QWidget;

namespace vandrel {

// Shows a window of fixed size whole where the screen has room for it, and
// otherwise in a frame of the room's size with scroll bars over its
// unchanged layout. The frame takes no keyboard focus, so Tab moves through
// the window's controls as ever, and the frame scrolls to the one that
// takes the focus.
class ScreenFit {
  public:
    ScreenFit(QWidget& window, QSize room);
    ~ScreenFit();  // gives the window back to its owner
    ScreenFit(const ScreenFit&) = delete;
    ScreenFit& operator=(const ScreenFit&) = delete;

    // The window to show: the given one, or the frame around it.
    QWidget& shown();

  private:
    QWidget& window_;
    std::unique_ptr<QScrollArea> frame_;
};

// The room for a window on its screen: the screen's area without panels,
// less an allowance for the title bar, which the desktop adds.
QSize roomOnScreen(const QWidget& window);

}  // namespace vandrel
