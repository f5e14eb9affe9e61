#include "app/widgets/passages/passage_table_model.h"

namespace vandrel {

void PassageTableModel::show(std::vector<TruePassage> passages, const EphemerisHeader& header) {
    beginResetModel();
    passages_ = std::move(passages);
    header_ = header;
    titles_ = passageColumnTitles(header);
    cachedIndex_ = static_cast<std::size_t>(-1);
    endResetModel();
}

void PassageTableModel::clear() {
    show({}, {});
}

const PassageRow& PassageTableModel::row(std::size_t index) const {
    if (index != cachedIndex_) {
        cached_ = passageRow(passages_.at(index), header_);
        cachedIndex_ = index;
    }
    return cached_;
}

int PassageTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(passages_.size());
}

int PassageTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(kPassageColumns);
}

QVariant PassageTableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) {
        return {};
    }
    return QString::fromStdString(
        row(static_cast<std::size_t>(index.row()))[static_cast<std::size_t>(index.column())]);
}

QVariant PassageTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= static_cast<int>(kPassageColumns)) {
        return {};
    }
    return QString::fromStdString(titles_[static_cast<std::size_t>(section)]);
}

}  // namespace vandrel
