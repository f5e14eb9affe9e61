#include "app/folder_list.h"

#include <QDir>
#include <QFileInfo>

namespace vandrel {

namespace {

constexpr int kPathRole = Qt::UserRole;

QListWidgetItem* addFolder(QListWidget* list, const QString& label, const QString& path,
                           int depth) {
    auto* item = new QListWidgetItem(QString(depth * 2, QLatin1Char(' ')) + label, list);
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
    clear();

    // The path from the root down: "/", then each folder on the way.
    QStringList parts = path_.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString walked = QStringLiteral("/");
    QListWidgetItem* current = addFolder(this, walked, walked, 0);
    int depth = 0;
    for (const QString& part : parts) {
        walked = QDir::cleanPath(walked + QLatin1Char('/') + part);
        current = addFolder(this, part, walked, ++depth);
    }
    setCurrentItem(current);

    const QStringList subfolders =
        QDir(path_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : subfolders) {
        addFolder(this, name, QDir::cleanPath(path_ + QLatin1Char('/') + name), depth + 1);
    }
}

void FolderList::open(QListWidgetItem* item) {
    const QString target = item->data(kPathRole).toString();
    setPath(target);
    emit changed();
}

}  // namespace vandrel
