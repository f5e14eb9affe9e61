#pragma once

#include <QListView>
#include <QString>

namespace vandrel {

class FolderNames;

// File1: the names in one folder that match "*.txt" without regard to case,
// sorted, as the toolkit's file-system model lists them, held flat so that a
// screen reader reads them as they show; it follows files that appear in or
// vanish from the folder. Choosing a name with the mouse,
// or with the keyboard (arrows, Home, End, Page Up and Down, or Space on the
// current name), raises fileClicked().
class FileList final : public QListView {
    Q_OBJECT
  public:
    explicit FileList(QWidget* parent = nullptr);

    // False when the folder cannot be read; the list is then empty.
    bool setFolder(const QString& folder);
    // The selected name alone, without its folder; empty when none is selected.
    QString selectedName() const;
    // Chooses the name, as a click would, at once or as soon as the folder's
    // reading lists it; false for a name the list never shows.
    bool choose(const QString& name);

  signals:
    void fileClicked();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QModelIndex selectedIndex() const;
    void choosePending();

    FolderNames* names_;
    QString pending_;  // the name to choose once it is listed
};

}  // namespace vandrel
