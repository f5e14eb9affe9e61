#pragma once

#include <QObject>

class CommandLineTest : public QObject {
    Q_OBJECT
  private slots:
    void answersWithoutADisplay_data();
    void answersWithoutADisplay();
    void helpNeedsNoDisplay();
};
