#pragma once

#include <QString>

#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace ui {

// A table of text cells, the working memory of every window. Rows and columns count from
// 0; row 0 normally holds the headings. Reading outside the table gives empty text;
// writing outside it is a programming error and throws std::out_of_range. Copies share
// their cells until one of them writes, so a copy of a big grid that is only read costs
// nothing; a grid may be copied on one thread and read or written on another.
class Grid {
public:
    Grid(int rows, int cols, int fixedRows = 1, int fixedCols = 0);

    int rows() const { return rows_; }
    int cols() const { return cols_; }
    int fixedRows() const { return fixedRows_; }
    int fixedCols() const { return fixedCols_; }

    // Rows past the new count are dropped with their cells and colours; added rows are empty.
    void setRows(int rows);
    void setCols(int cols);

    const QString& text(int row, int col) const;
    void setText(int row, int col, const QString& text);

    // Empties every cell, headings included, and removes all back colours; counts stay.
    void clear();

    void setColWidth(int col, int twips);
    int colWidth(int col) const; // -1: the grid's default width

    // Scrolling (display only): setTopRow makes a row the top visible row, showRow only
    // brings it into view.
    void setTopRow(int row);
    void showRow(int row);
    int topRow() const { return topRow_; }
    bool topRowAtTop() const { return topAtTop_; }

    void selectCell(int row, int col);
    std::pair<int, int> selectedCell() const { return {selRow_, selCol_}; }
    // Back colour of the selected cell, a number of the basic 16-colour palette.
    void setCellBackColor(int paletteIndex);
    int cellBackColor(int row, int col) const; // -1 when none was set

    bool visible() const { return visible_; }
    void setVisible(bool visible);

    // Grows on every change, so that a view can tell whether it has to repaint.
    unsigned long long revision() const { return revision_; }

private:
    void touch() { ++revision_; }
    // The cells to write: this grid's own, copied first while another grid shares them.
    std::vector<QString>& ownCells();
    // Empties the cells of rows [from, to) that may hold text.
    void clearRows(int from, int to);

    int rows_;
    int cols_;
    int fixedRows_;
    int fixedCols_;
    // Storage grows with the rows written, not with the rows the grid has: the big work
    // grids are made and emptied for every tally. Shrinking empties the dropped rows instead
    // of freeing them, so the work grids that a tally shrinks and regrows for every draw keep
    // their storage. Only rows below usedRows_ can hold text; the storage covers them.
    std::shared_ptr<std::vector<QString>> cells_;
    int usedRows_ = 0;
    int usedCols_ = 0; // only columns below it can hold text: lists use a few of their columns
    std::vector<int> widths_;
    std::map<std::pair<int, int>, int> colours_;
    int topRow_ = 0;
    bool topAtTop_ = true;
    int selRow_ = 0;
    int selCol_ = 0;
    bool visible_ = true;
    unsigned long long revision_ = 0;
};

} // namespace ui
