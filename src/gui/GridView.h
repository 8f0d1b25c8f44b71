#pragma once

#include "GridModel.h"

#include <QTableView>

namespace gui {

// A table view over one grid: column widths from the grid (twips, 15 to a pixel at 96 dpi,
// times a scale), scrolling to the grid's top row, shown or hidden with the grid.
class GridView : public QTableView {
public:
    GridView(const ui::Grid& grid, int headerRows, QWidget* parent = nullptr, double scale = 1.0);

    void refresh();
    GridModel* gridModel() const { return model_; }
    // Shows only the columns before col (display only; kept across model resets).
    void hideColumnsFrom(int col);
    // Hides single columns as well (display only; kept across model resets).
    void hideColumns(const QList<int>& cols);

private:
    void applyWidths();
    GridModel* model_;
    double scale_;
    int firstHidden_ = -1;
    QList<int> hidden_;
    int lastTop_ = -1;
};

} // namespace gui
