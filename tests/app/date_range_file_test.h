#pragma once

#include <QObject>

class DateRangeFileTest : public QObject {
    Q_OBJECT
  private slots:
    void loadAppliesTwoItemsOrRewritesTheFile_data();
    void loadAppliesTwoItemsOrRewritesTheFile();
    void buttonsOnTheWindowSaveAndLoad();
    void loadAfterEditsWithoutAFileSavesTheEdits();
    void saveThenLoadGivesTheSameTexts();
    void saveLeavesFiltersAndOptionsAlone();
    void theFileLivesWhereTheProgramRuns_data();
    void theFileLivesWhereTheProgramRuns();
    void configurationFolderIsTheUsersOwn();
    void failedWriteIsReportedAndTheBoxesKeepTheirTexts();
};
