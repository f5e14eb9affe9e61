#include "app/widgets/folder_list.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>

namespace vandrel {

namespace {

constexpr int kPathRole = Qt::UserRole;

QListWidgetItem* addFolder(QListWidget* list, const QString& label, const QString& path,
                           int depth) {
    auto* item = new QListWidgetItem(QString(qsizetype{depth} * 2, QLatin1Char(' ')) + label, list);
    item->setData(kPathRole, path);
    item->setToolTip(path);
    return item;
}

}  // namespace

FolderList::FolderList(QWidget* parent) : QListWidget(parent) {
    connect(this, &QListWidget::itemActivated, this, &FolderList::open);
}

void FolderList::setPath(const QString& path) {
    path_ = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    setCurrentItem(nullptr);
    // A model of its own for each folder: a model keeps showing the folders on
    // the way to any folder it was once set to, hidden ones included.
    delete subfolders_;
    subfolders_ = new QFileSystemModel(this);
    subfolders_->setFilter(QDir::Dirs | QDir::NoDotAndDotDot);
    connect(subfolders_, &QAbstractItemModel::rowsInserted, this, &FolderList::relist);
    connect(subfolders_, &QAbstractItemModel::rowsRemoved, this, &FolderList::relist);
    connect(subfolders_, &QAbstractItemModel::layoutChanged, this, &FolderList::relist);
    subfolders_->setRootPath(path_);
    relist();
}

void FolderList::relist() {
    const QString onLine =
        currentItem() != nullptr ? currentItem()->data(kPathRole).toString() : path_;
    clear();

    // The path from the root down: "/", then each folder on the way.
    QString walked = QStringLiteral("/");
    addFolder(this, walked, walked, 0);
    int depth = 0;
    for (const QString& part : path_.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        walked = QDir::cleanPath(walked + QLatin1Char('/') + part);
        addFolder(this, part, walked, ++depth);
    }
    const QModelIndex folder = subfolders_->index(path_);
    for (int row = 0; row < subfolders_->rowCount(folder); ++row) {
        const QModelIndex subfolder = subfolders_->index(row, 0, folder);
        addFolder(this, subfolders_->fileName(subfolder), subfolders_->filePath(subfolder),
                  depth + 1);
    }

    QListWidgetItem* current = item(depth);  // the current folder
    for (int row = 0; row < count(); ++row) {
        if (item(row)->data(kPathRole).toString() == onLine) {
            current = item(row);
        }
    }
    setCurrentItem(current);
}

void FolderList::keyboardSearch(const QString& search) {
    const bool goesOn =
        sinceTyped_.isValid() && sinceTyped_.elapsed() < QApplication::keyboardInputInterval();
    typed_ = goesOn ? typed_ + search : search;
    sinceTyped_.start();
    if (count() == 0) {
        return;
    }
    // A new search starts after the current line, so typing a letter again
    // goes on to the next folder with it; more letters stay on the line.
    const int current = std::max(currentRow(), 0);
    const int start = goesOn ? current : current + 1;
    for (int step = 0; step < count(); ++step) {
        const int row = (start + step) % count();
        if (item(row)->text().trimmed().startsWith(typed_, Qt::CaseInsensitive)) {
            setCurrentRow(row);
            return;
        }
    }
}

void FolderList::open(QListWidgetItem* item) {
    const QString target = item->data(kPathRole).toString();
    setPath(target);
    emit changed();
}

}  // namespace vandrel
