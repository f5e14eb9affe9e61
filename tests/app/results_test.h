#pragma once

#include <QObject>

class ResultsTest : public QObject {
    Q_OBJECT
  private slots:
    void sortAndClearOnTheWindow();
    void sortRepaintsWhileItRuns();
    void sortFillsTheMostDistanceBoxesOnly();
    void summaryRoundsHalvesUp_data();
    void summaryRoundsHalvesUp();
    void noFileSelectedSaysSo();
    void nothingFoundShowsZeros();
    void filtersComeFromTheWindow();
    void warningsShowInOneBoxBeforeFinOk();
    void sunCentredFileShowsOnlyFinOk();
    void scanFailureLeavesTheWindowAsItWas_data();
    void scanFailureLeavesTheWindowAsItWas();
    void trueExtremeRestsOnItsRowUntilCleared();
    void clearEmptiesOnlyTheResultBoxes();
    void windowAndCommandLineShowTheSameTexts_data();
    void windowAndCommandLineShowTheSameTexts();
};
