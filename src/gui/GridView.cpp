#include "GridView.h"

#include <QHeaderView>

namespace gui {

GridView::GridView(const ui::Grid& grid, int headerRows, QWidget* parent, double scale)
    : QTableView(parent), model_(new GridModel(grid, headerRows, this)), scale_(scale) {
    setModel(model_);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(20);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setVisible(headerRows > 0);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumSectionSize(3);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    applyWidths();
    setVisible(grid.visible());
}

void GridView::applyWidths() {
    const ui::Grid& g = model_->grid();
    for (int c = 0; c < g.cols(); ++c) {
        const int twips = g.colWidth(c);
        setColumnWidth(c, twips >= 0 ? std::max(3, int(twips / 15.0 * scale_ + 0.5))
                                     : int(64 * scale_));
        setColumnHidden(c, (firstHidden_ >= 0 && c >= firstHidden_) || hidden_.contains(c));
    }
}

void GridView::hideColumnsFrom(int col) {
    firstHidden_ = col;
    applyWidths();
}

void GridView::hideColumns(const QList<int>& cols) {
    hidden_ = cols;
    applyWidths();
}

void GridView::refresh() {
    const ui::Grid& g = model_->grid();
    if (model_->refresh()) {
        applyWidths();
        lastTop_ = -1;
    }
    if (isHidden() == g.visible())
        setVisible(g.visible());
    const int row = g.topRow() - model_->headerRows();
    if (row != lastTop_ && row >= 0 && row < model_->rowCount()) {
        scrollTo(model_->index(row, 0), g.topRowAtTop() ? QAbstractItemView::PositionAtTop
                                                        : QAbstractItemView::EnsureVisible);
        lastTop_ = row;
    }
}

} // namespace gui
