#include "Grid.h"

#include <atomic>
#include <stdexcept>
#include <string>

namespace ui {

namespace {
const QString kEmpty;
}

Grid::Grid(int rows, int cols, int fixedRows, int fixedCols)
    : rows_(rows), cols_(cols), fixedRows_(fixedRows), fixedCols_(fixedCols),
      cells_(std::make_shared<std::vector<QString>>()), widths_(cols, -1) {}

std::vector<QString>& Grid::ownCells() {
    if (cells_.use_count() > 1)
        cells_ = std::make_shared<std::vector<QString>>(*cells_);
    else // the other owner's reads, released on its thread, happen before these writes
        std::atomic_thread_fence(std::memory_order_acquire);
    return *cells_;
}

void Grid::clearRows(int from, int to) {
    to = std::min(to, usedRows_);
    from = std::max(from, 0);
    if (from < to && to >= usedRows_ && cells_.use_count() > 1) {
        // Emptying the end of shared cells: keep a copy of the rows above it only.
        const auto kept = cells_->begin() + static_cast<std::ptrdiff_t>(from) * cols_;
        cells_ = std::make_shared<std::vector<QString>>(cells_->begin(), kept);
    } else if (from < to) {
        std::vector<QString>& cells = ownCells();
        for (int r = from; r < to; ++r)
            for (int c = 0; c < usedCols_; ++c)
                if (QString& cell = cells[static_cast<size_t>(r) * cols_ + c]; !cell.isNull())
                    cell = QString();
    }
    if (from < usedRows_ && to >= usedRows_)
        usedRows_ = from;
}

void Grid::setRows(int rows) {
    if (rows < 0)
        throw std::out_of_range("negative row count");
    if (rows < rows_)
        clearRows(rows, rows_);
    if (rows < rows_) {
        for (auto it = colours_.begin(); it != colours_.end();)
            it = it->first.first >= rows ? colours_.erase(it) : std::next(it);
    }
    rows_ = rows;
    if (topRow_ >= rows_)
        topRow_ = rows_ > 0 ? rows_ - 1 : 0;
    touch();
}

void Grid::setCols(int cols) {
    auto cells = std::make_shared<std::vector<QString>>(static_cast<size_t>(usedRows_) * cols);
    const int keep = std::min(cols, cols_);
    for (int r = 0; r < usedRows_; ++r)
        for (int c = 0; c < keep; ++c)
            (*cells)[static_cast<size_t>(r) * cols + c] =
                (*cells_)[static_cast<size_t>(r) * cols_ + c];
    cells_ = std::move(cells);
    widths_.resize(cols, -1);
    cols_ = cols;
    usedCols_ = std::min(usedCols_, cols);
    touch();
}

const QString& Grid::text(int row, int col) const {
    if (row < 0 || col < 0 || row >= rows_ || col >= cols_)
        return kEmpty;
    const size_t at = static_cast<size_t>(row) * cols_ + col;
    return at < cells_->size() ? (*cells_)[at] : kEmpty;
}

void Grid::setText(int row, int col, const QString& text) {
    if (row < 0 || col < 0 || row >= rows_ || col >= cols_)
        throw std::out_of_range("cell (" + std::to_string(row) + ", " + std::to_string(col) +
                                ") outside the grid");
    std::vector<QString>& cells = ownCells();
    const size_t at = static_cast<size_t>(row) * cols_ + col;
    if (at >= cells.size())
        cells.resize(static_cast<size_t>(row + 1) * cols_);
    cells[at] = text;
    usedRows_ = std::max(usedRows_, row + 1);
    usedCols_ = std::max(usedCols_, col + 1);
    touch();
}

void Grid::clear() {
    clearRows(0, usedRows_);
    colours_.clear();
    touch();
}

void Grid::setColWidth(int col, int twips) {
    if (col < 0 || col >= cols_)
        throw std::out_of_range("column outside the grid");
    widths_[col] = twips;
    touch();
}

int Grid::colWidth(int col) const {
    return col >= 0 && col < cols_ ? widths_[col] : -1;
}

void Grid::setTopRow(int row) {
    topRow_ = row < 0 ? 0 : row;
    topAtTop_ = true;
    touch();
}

void Grid::showRow(int row) {
    topRow_ = row < 0 ? 0 : row;
    topAtTop_ = false;
    touch();
}

void Grid::selectCell(int row, int col) {
    selRow_ = row;
    selCol_ = col;
    touch();
}

void Grid::setCellBackColor(int paletteIndex) {
    colours_[{selRow_, selCol_}] = paletteIndex;
    touch();
}

int Grid::cellBackColor(int row, int col) const {
    auto it = colours_.find({row, col});
    return it == colours_.end() ? -1 : it->second;
}

void Grid::setVisible(bool visible) {
    visible_ = visible;
    touch();
}

} // namespace ui
