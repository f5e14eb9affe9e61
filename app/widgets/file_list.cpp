#include "app/widgets/file_list.h"

#include <QFileInfo>
#include <QKeyEvent>

#include "app/widgets/folder_names.h"

namespace vandrel {

namespace {

bool movesCursor(int key) {
    switch (key) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            return true;
        default:
            return false;
    }
}

}  // namespace

FileList::FileList(QWidget* parent) : QListView(parent), names_(new FolderNames(this)) {
    setModel(names_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QAbstractItemView::clicked, this, &FileList::fileClicked);
    connect(names_, &QAbstractItemModel::rowsInserted, this, &FileList::choosePending);
    connect(names_, &QAbstractItemModel::modelReset, this, &FileList::choosePending);
}

bool FileList::setFolder(const QString& folder) {
    pending_.clear();
    const QFileInfo info(folder);
    names_->setFolder(folder);
    return info.isDir() && info.isReadable();
}

bool FileList::choose(const QString& name) {
    if (!name.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive)) {
        return false;
    }
    pending_ = name;
    choosePending();
    return true;
}

void FileList::choosePending() {
    const qsizetype row = pending_.isEmpty() ? -1 : names_->names().indexOf(pending_);
    if (row < 0) {
        return;
    }
    pending_.clear();
    const QModelIndex index = names_->index(static_cast<int>(row));
    setCurrentIndex(index);
    selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
    emit fileClicked();
}

QModelIndex FileList::selectedIndex() const {
    if (selectionModel() == nullptr) {
        return {};  // no folder yet
    }
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? QModelIndex() : selected.front();
}

QString FileList::selectedName() const {
    const QModelIndex selected = selectedIndex();
    return selected.isValid() ? names_->names().at(selected.row()) : QString();
}

void FileList::keyPressEvent(QKeyEvent* event) {
    const QPersistentModelIndex before = selectedIndex();
    const bool space = event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier;
    if (space) {
        event->accept();
    } else {
        QListView::keyPressEvent(event);
    }
    // Focus makes the first name current without selecting it; a move that
    // stays on it, or Space, chooses it, so a folder's lone file can be chosen.
    if ((space || movesCursor(event->key())) && currentIndex().isValid()) {
        selectionModel()->select(currentIndex(), QItemSelectionModel::ClearAndSelect);
    }
    const QModelIndex after = selectedIndex();
    if (after.isValid() && (space || after != before)) {
        emit fileClicked();
    }
}

}  // namespace vandrel
