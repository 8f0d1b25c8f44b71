#include "GridModel.h"

#include "ui/Palette.h"

#include <QBrush>
#include <QColor>

namespace gui {

GridModel::GridModel(const ui::Grid& grid, int headerRows, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), headerRows_(headerRows), seen_(grid.revision()) {}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(0, grid_.rows() - headerRows_);
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : grid_.cols();
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const int row = index.row() + headerRows_;
    switch (role) {
    case Qt::DisplayRole:
        return shown ? shown(row, index.column(), grid_.text(row, index.column()))
                     : grid_.text(row, index.column());
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    case Qt::BackgroundRole: {
        const int colour = grid_.cellBackColor(row, index.column());
        if (colour >= 0 && colour < 16) {
            QColor c = QColor::fromRgb(ui::kPalette[colour]);
            // Keep black text readable on the hit colour.
            if (colour == ui::kHitColour)
                c = QColor(255, 150, 150);
            return QBrush(c);
        }
        if (index.column() < grid_.fixedCols())
            return QBrush(QColor(232, 232, 232));
        return {};
    }
    default:
        return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && headerRows_ > 0)
        return shown ? shown(0, section, grid_.text(0, section)) : grid_.text(0, section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

bool GridModel::refresh() {
    if (grid_.revision() == seen_)
        return false;
    seen_ = grid_.revision();
    beginResetModel();
    endResetModel();
    return true;
}

} // namespace gui
