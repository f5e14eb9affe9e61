#include "app/widgets/folder_names.h"

#include <QAbstractFileIconProvider>
#include <QFileSystemModel>

namespace vandrel {

namespace {

// Only names are shown: reading icons would only slow the model down.
class NoIcons final : public QAbstractFileIconProvider {
  public:
    QIcon icon(IconType) const override { return {}; }
    QIcon icon(const QFileInfo&) const override { return {}; }
};

}  // namespace

void FolderNames::setFolder(const QString& folder) {
    beginResetModel();
    // A model of its own for each folder: a model keeps the folders on the way
    // to any folder it was once set to.
    static NoIcons noIcons;
    auto* files = new QFileSystemModel(this);
    files->setIconProvider(&noIcons);
    files->setFilter(QDir::Files);
    files->setNameFilters({QStringLiteral("*.txt")});
    files->setNameFilterDisables(false);  // hide the other names, not grey them
    delete files_;
    files_ = files;
    files_->setRootPath(folder);
    names_.clear();
    endResetModel();
    for (const auto signal : {&QFileSystemModel::rowsInserted, &QFileSystemModel::rowsRemoved}) {
        connect(files_, signal, this, &FolderNames::follow);
    }
    connect(files_, &QFileSystemModel::directoryLoaded, this, &FolderNames::follow);
    connect(files_, &QFileSystemModel::layoutChanged, this, &FolderNames::follow);
    connect(files_, &QFileSystemModel::dataChanged, this, &FolderNames::follow);
    follow();
}

void FolderNames::follow() {
    QStringList now;
    const QModelIndex root = files_->index(files_->rootPath());
    if (root.isValid()) {
        for (int row = 0; row < files_->rowCount(root); ++row) {
            now << files_->fileName(files_->index(row, 0, root));
        }
    }
    // Rows in place, so that the view keeps what it has selected: a name that
    // is gone is removed, one that comes is inserted, and one that the model
    // sorts anew is moved, never removed and inserted.
    for (int row = static_cast<int>(names_.size()) - 1; row >= 0; --row) {
        if (!now.contains(names_[row])) {
            beginRemoveRows({}, row, row);
            names_.removeAt(row);
            endRemoveRows();
        }
    }
    for (int row = 0; row < now.size(); ++row) {
        if (row < names_.size() && names_[row] == now[row]) {
            continue;
        }
        const int found = static_cast<int>(names_.indexOf(now[row], row));
        if (found > row) {
            beginMoveRows({}, found, found, {}, row);
            names_.move(found, row);
            endMoveRows();
        } else {
            beginInsertRows({}, row, row);
            names_.insert(row, now[row]);
            endInsertRows();
        }
    }
}

int FolderNames::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(names_.size());
}

QVariant FolderNames::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= names_.size() ||
        (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)) {
        return {};
    }
    return names_[index.row()];
}

}  // namespace vandrel
