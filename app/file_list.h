#pragma once

#include <QListWidget>
#include <QString>

namespace vandrel {

// File1: the names in one folder that match "*.txt" without regard to case,
// sorted. Choosing a name, by mouse or keyboard, raises clicked().
class FileList : public QListWidget {
    Q_OBJECT
  public:
    explicit FileList(QWidget* parent = nullptr);

    // False when the folder cannot be read; the list is then empty.
    bool setFolder(const QString& folder);
    // The selected name alone, without its folder; empty when none is selected.
    QString selectedName() const;

  signals:
    void clicked();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace vandrel
