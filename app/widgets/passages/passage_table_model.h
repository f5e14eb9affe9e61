#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "app/handlers/passages/passage_rows.h"

namespace vandrel {

// The passages as the table shows them: each row's texts made when a view
// asks for them, so that a file of a hundred thousand passages costs the
// table no more than its passages.
class PassageTableModel final : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;

    void show(std::vector<TruePassage> passages, const EphemerisHeader& header);
    void clear();

    const PassageRow& titles() const { return titles_; }
    // The texts of row `index`, valid until another row is asked for.
    const PassageRow& row(std::size_t index) const;
    std::size_t size() const { return passages_.size(); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    std::vector<TruePassage> passages_;
    EphemerisHeader header_;
    PassageRow titles_{};
    // The row last made: a view asks for its cells one after another.
    mutable std::size_t cachedIndex_ = static_cast<std::size_t>(-1);
    mutable PassageRow cached_{};
};

}  // namespace vandrel
