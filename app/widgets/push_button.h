#pragma once

#include <QPushButton>

namespace vandrel {

// A push button that Enter and Return press when it has the keyboard focus,
// as Space does: the convention of the desktop the window was designed on.
// It never becomes a default button that Enter presses from elsewhere.
class PushButton final : public QPushButton {
    Q_OBJECT
  public:
    explicit PushButton(QWidget* parent = nullptr);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace vandrel
