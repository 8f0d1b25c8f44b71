#pragma once

#include "ui/Grid.h"

#include <QAbstractTableModel>

#include <functional>

namespace gui {

// Shows a grid: its rows from headerRows on as table rows, row 0 as the column headings when
// headerRows is 1, back colours from the basic palette. Nothing else.
class GridModel : public QAbstractTableModel {
public:
    GridModel(const ui::Grid& grid, int headerRows, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Resets the model when the grid changed since the last call; returns whether it did.
    bool refresh();
    int headerRows() const { return headerRows_; }
    const ui::Grid& grid() const { return grid_; }

    // How a cell is shown (row 0: the heading), when the grid's own text is not for a
    // reader; the grid keeps its text. Empty: as written.
    std::function<QString(int row, int col, const QString& text)> shown;

private:
    const ui::Grid& grid_;
    int headerRows_;
    unsigned long long seen_;
};

} // namespace gui
