#pragma once

#include <QObject>

class LinksTest : public QObject {
    Q_OBJECT
  private slots:
    void serviceButtonStartsTheBrowserOnTheServicePage();
    void bothMakerButtonsStartTheSameCommandLine();
    void failedStartSaysTheBrowserIsNeeded();
    void everyClickStartsAnotherBrowser();
    void commandLineSplitsAtTheProgramsEnd();
};
