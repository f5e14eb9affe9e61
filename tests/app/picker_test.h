#pragma once

#include <QObject>

class PickerTest : public QObject {
    Q_OBJECT
  private slots:
    void fileListShowsTextFilesOfAnyCaseSorted();
    void clickingANameShowsItsPathAndGotFile_data();
    void clickingANameShowsItsPathAndGotFile();
    void gotFileReplacesCompleted();
    void openingAFolderMovesTheFileListOnly();
    void hiddenButtonShowsThePathEvenWithoutSelection();
    void unreadableFolderIsReported();
    void listsFollowTheDisk();
    void screenReadersReadTheNamesShown();
    void pathsFromOutsideOpenAsAClickWould_data();
    void pathsFromOutsideOpenAsAClickWould();
    void typingInTheFolderListFindsAFolder();
};
