#pragma once

#include <QAbstractListModel>
#include <QString>
#include <QStringList>

class QFileSystemModel;

namespace vandrel {

// The names in one folder that match "*.txt" without regard to case, as the
// toolkit's file-system model lists and follows them, held flat: one column
// of rows at the model's top level. Screen readers build a list's items from
// its model's top level, not from the view's root, so a list on the
// file-system model itself shows them the file system's root instead.
// Files that appear or vanish become rows inserted or removed, so a view
// keeps its selection and an assistive tool hears of each.
class FolderNames final : public QAbstractListModel {
    Q_OBJECT
  public:
    explicit FolderNames(QObject* parent = nullptr) : QAbstractListModel(parent) {}

    void setFolder(const QString& folder);
    const QStringList& names() const { return names_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

  private:
    void follow();  // the names as the file-system model lists them now

    QFileSystemModel* files_ = nullptr;
    QStringList names_;
};

}  // namespace vandrel
