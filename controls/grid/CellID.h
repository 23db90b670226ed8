#pragma once
// A cell coordinate of a grid: row and column, (-1, -1) when no cell is
// meant. A negative row or column names no cell; whether the cell exists is
// the grid's question (CGridCtrl::IsValid).
class CCellID {
public:
    int row = -1;
    int col = -1;

    constexpr CCellID() = default;
    constexpr CCellID(int nRow, int nCol) : row(nRow), col(nCol) {}

    constexpr bool operator==(const CCellID& other) const { return row == other.row && col == other.col; }
    constexpr bool operator!=(const CCellID& other) const { return !(*this == other); }
};
