#pragma once

#include <QElapsedTimer>
#include <QListWidget>
#include <QString>

class QFileSystemModel;

namespace vandrel {

// Dir1: the current folder's path from the root down, one folder a line,
// then its subfolders, as the toolkit's file-system model lists them; it
// follows subfolders that appear or vanish. Opening a line (double-click or
// Enter) makes that folder the current one and raises changed().
class FolderList final : public QListWidget {
    Q_OBJECT
  public:
    explicit FolderList(QWidget* parent = nullptr);

    QString path() const { return path_; }
    void setPath(const QString& path);

    // Typed letters move to the next line whose folder name starts with
    // them, as in the file list; the lines' indentation does not count.
    void keyboardSearch(const QString& search) override;

  signals:
    void changed();

  private:
    void open(QListWidgetItem* item);
    // Lists the path and the model's subfolders anew, keeping the line the
    // user is on.
    void relist();

    QString path_;
    QFileSystemModel* subfolders_ = nullptr;
    QString typed_;  // the letters typed within the desktop's typing interval
    QElapsedTimer sinceTyped_;
};

}  // namespace vandrel
