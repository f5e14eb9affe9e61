#include "app/file_list.h"

#include <QAbstractFileIconProvider>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QKeyEvent>

namespace vandrel {

namespace {

// The design's file list shows the names alone.
class NoIcons final : public QAbstractFileIconProvider {
  public:
    QIcon icon(IconType) const override { return {}; }
    QIcon icon(const QFileInfo&) const override { return {}; }
};

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

FileList::FileList(QWidget* parent) : QListView(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QAbstractItemView::clicked, this, &FileList::fileClicked);
}

bool FileList::setFolder(const QString& folder) {
    const QFileInfo info(folder);
    const bool readable = info.isDir() && info.isReadable();
    // A model of its own for each folder: a model keeps showing the folders on
    // the way to any folder it was once set to, even where its filter says no.
    static NoIcons noIcons;
    auto* files = new QFileSystemModel(this);
    files->setIconProvider(&noIcons);
    files->setFilter(QDir::Files);
    files->setNameFilters({QStringLiteral("*.txt")});
    files->setNameFilterDisables(false);  // hide the other names, not grey them
    QItemSelectionModel* previousSelection = selectionModel();
    setModel(files);
    delete previousSelection;
    delete files_;
    files_ = files;
    setRootIndex(files_->setRootPath(folder));
    if (!rootIndex().isValid()) {
        // A folder that is gone has no place in the model: hide the model's
        // top level (the file system's root) that the view would show instead.
        for (int row = 0; row < files_->rowCount(); ++row) {
            setRowHidden(row, true);
        }
    }
    return readable;
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
    return selected.isValid() ? files_->fileName(selected) : QString();
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
