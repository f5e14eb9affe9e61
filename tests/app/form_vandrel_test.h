#pragma once

#include <QObject>

class FormVandrelTest : public QObject {
    Q_OBJECT
  private slots:
    void controlsStandWhereDesigned();
    void windowIsFixedAtItsDesignSize();
    void windowShowsTheInstalledIcon();
    void designStateRightAfterStart();
    void tabOrderFollowsTheDesign();
    void labelsLieBeneathTheOtherControls();
    void optionButtonsFormOneGroup();
    void buttonsArePaintedInTheirOwnColour_data();
    void buttonsArePaintedInTheirOwnColour();
    void exitEndsAtOnceAndSavesNothing();
};
