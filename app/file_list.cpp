#include "app/file_list.h"

#include <QDir>
#include <QFileInfo>

namespace vandrel {

FileList::FileList(QWidget* parent) : QListWidget(parent) {
    connect(this, &QListWidget::itemClicked, this, [this] { emit clicked(); });
}

// Arrow keys choose a name as a click does.
void FileList::keyPressEvent(QKeyEvent* event) {
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before && currentRow() >= 0) {
        emit clicked();
    }
}

bool FileList::setFolder(const QString& folder) {
    clear();
    const QDir dir(folder);
    const bool readable = dir.exists() && QFileInfo(folder).isReadable();
    if (readable) {
        addItems(
            dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name | QDir::IgnoreCase));
    }
    setCurrentRow(-1);
    return readable;
}

QString FileList::selectedName() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? QString() : selected.front()->text();
}

}  // namespace vandrel
