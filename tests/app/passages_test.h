#pragma once

#include <QObject>

class PassagesTest : public QObject {
    Q_OBJECT
  private slots:
    void plotKeepsEachRunsLeastAndGreatest_data();
    void plotKeepsEachRunsLeastAndGreatest();
    void marksKeepTheFarthestOfEachRun_data();
    void marksKeepTheFarthestOfEachRun();
    void dateAxisFollowsTheFilesCalendar_data();
    void dateAxisFollowsTheFilesCalendar();
    void buttonOpensOneWindowWithThePassagesAndPlot();
    void plotZoomsFromTheKeyboardAndReadsThePointer();
    void realEarthYearsGiveTwentyPassages();
    void copyGivesTheSelectedRowsUnderATitleRow();
    void tableAndPlotAreSavedWhole();
    void warningsShowUnderThePlot();
    void failuresAreToldAsSortTellsThem_data();
    void failuresAreToldAsSortTellsThem();
    void cancelledScanShowsNothing();
};
