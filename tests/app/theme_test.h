#pragma once

#include <QObject>
#include <QPalette>

class ThemeTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();
    void textContrastsUnderADarkDesktop_data();
    void textContrastsUnderADarkDesktop();

  private:
    QPalette desktopPalette_;
};
