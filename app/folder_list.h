#pragma once

#include <QListWidget>
#include <QString>

namespace vandrel {

// Dir1: the current folder's path from the root down, one folder a line,
// then its subfolders. Opening a line (double-click or Enter) makes that
// folder the current one and raises changed().
class FolderList : public QListWidget {
    Q_OBJECT
  public:
    explicit FolderList(QWidget* parent = nullptr);

    QString path() const { return path_; }
    void setPath(const QString& path);

  signals:
    void changed();

  private:
    void open(QListWidgetItem* item);

    QString path_;
};

}  // namespace vandrel
