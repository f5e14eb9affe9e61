#pragma once

#include <QObject>

class KeyboardTest : public QObject {
    Q_OBJECT
  private slots:
    void keysPressTheFocusedButton_data();
    void keysPressTheFocusedButton();
    void enterElsewherePressesNoButton();
    void keysChooseInTheFileList_data();
    void keysChooseInTheFileList();
    void tabVisitsTheControlsInDesignOrder_data();
    void tabVisitsTheControlsInDesignOrder();
};
