#pragma once
// A rectangle of grid cells, bounds inclusive; each bound is -1 unless given.
// Whether a range fits a grid is the grid's question (CGridCtrl::IsValid).
#include "controls/grid/CellID.h"

class CCellRange {
public:
    CCellRange() = default;
    CCellRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol) { Set(nMinRow, nMinCol, nMaxRow, nMaxCol); }

    void Set(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol);

    int GetMinRow() const { return m_nMinRow; }
    void SetMinRow(int row) { m_nMinRow = row; }
    int GetMinCol() const { return m_nMinCol; }
    void SetMinCol(int col) { m_nMinCol = col; }
    int GetMaxRow() const { return m_nMaxRow; }
    void SetMaxRow(int row) { m_nMaxRow = row; }
    int GetMaxCol() const { return m_nMaxCol; }
    void SetMaxCol(int col) { m_nMaxCol = col; }

    // The range whose minimums are the larger and whose maximums the smaller
    // of the two ranges' bounds (it may come out inverted: no common cell).
    CCellRange Intersect(const CCellRange& other) const;
    // (maxRow - minRow + 1) x (maxCol - minCol + 1), whatever the bounds.
    int Count() const { return (m_nMaxRow - m_nMinRow + 1) * (m_nMaxCol - m_nMinCol + 1); }
    // (minRow, minCol).
    CCellID GetTopLeft() const { return CCellID(m_nMinRow, m_nMinCol); }

    bool operator==(const CCellRange& other) const;
    bool operator!=(const CCellRange& other) const { return !(*this == other); }

private:
    int m_nMinRow = -1;
    int m_nMinCol = -1;
    int m_nMaxRow = -1;
    int m_nMaxCol = -1;
};
