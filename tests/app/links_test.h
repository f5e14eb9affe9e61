#pragma once

#include <QObject>

class LinksTest : public QObject {
    Q_OBJECT
  private slots:
    void buttonsStartTheBrowserOnTheirPages();
    void installedPageIsUnderShare();
    void failedStartSaysTheBrowserIsNeeded();
    void windowClicksReachTheBrowser();
    void commandLineSplitsAtTheProgramsEnd();
};
