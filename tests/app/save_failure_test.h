#pragma once

#include <QObject>

class SaveFailureTest : public QObject {
    Q_OBJECT
  private slots:
    void failedReplacementKeepsTheFileBefore_data();
    void failedReplacementKeepsTheFileBefore();
    void fullDiskKeepsTheSavedDates_data();
    void fullDiskKeepsTheSavedDates();
};
