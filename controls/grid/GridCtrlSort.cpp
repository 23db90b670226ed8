// The grid's sorts (by a column's text or by a comparison of the cells'
// item data) and the search for the next cell in a given state.
#include <cstring>

#include <QByteArray>

#include "controls/grid/GridCtrl.h"
#include "platform/core/TextCodec.h"

namespace {
// Texts order as their GBK bytes, unsigned: a double-byte character sorts
// as one unit, and Chinese sorts by its GBK code (安 before 中), which
// Unicode order does not keep.
int GridCompareTexts(const QString& a, const QString& b)
{
    const QByteArray left = ToDeviceBytes(a);
    const QByteArray right = ToDeviceBytes(b);
    const std::size_t common = std::size_t(std::min(left.size(), right.size()));
    const int result = common ? std::memcmp(left.constData(), right.constData(), common) : 0;
    if (result != 0)
        return result;
    return left.size() < right.size() ? -1 : (left.size() > right.size() ? 1 : 0);
}
}  // namespace

void CGridCtrl::SwapRows(int row1, int row2)
{
    for (int col = 0; col < m_nCols; ++col) {
        CGridCell* cell = GetCell(row1, col);
        SetCell(row1, col, GetCell(row2, col));
        SetCell(row2, col, cell);
    }
    std::swap(m_RowHeights[size_t(row1)], m_RowHeights[size_t(row2)]);
}

bool CGridCtrl::SortTextItems(int nCol, bool bAscending)
{
    ClearSelection();
    return SortTextItems(nCol, bAscending, GetFixedRowCount(), -1);
}

bool CGridCtrl::SortTextItems(int nCol, bool bAscending, int low, int high)
{
    if (nCol < 0 || nCol >= GetColumnCount())
        return false;
    if (high == -1)
        high = GetRowCount() - 1;
    // Rows that do not exist are never exchanged.
    if (low < 0 || high >= GetRowCount())
        return false;
    int lo = low;
    int hi = high;
    if (hi <= lo)
        return false;

    const QString pivot = GetItemText((lo + hi) / 2, nCol);
    const auto before = [&](int row) {
        const int order = GridCompareTexts(GetItemText(row, nCol), pivot);
        return bAscending ? order < 0 : order > 0;
    };
    const auto after = [&](int row) {
        const int order = GridCompareTexts(GetItemText(row, nCol), pivot);
        return bAscending ? order > 0 : order < 0;
    };
    while (lo <= hi) {
        while (lo < high && before(lo))
            ++lo;
        while (hi > low && after(hi))
            --hi;
        if (lo <= hi) {
            if (GetItemText(lo, nCol) != GetItemText(hi, nCol))
                SwapRows(lo, hi);
            ++lo;
            --hi;
        }
    }
    if (low < hi)
        SortTextItems(nCol, bAscending, low, hi);
    if (lo < high)
        SortTextItems(nCol, bAscending, lo, high);
    return true;
}

bool CGridCtrl::SortItems(PFNLVCOMPARE pfnCompare, int nCol, bool bAscending, LPARAM lParamSort)
{
    ClearSelection();
    return SortItems(pfnCompare, nCol, bAscending, lParamSort, GetFixedRowCount(), -1);
}

bool CGridCtrl::SortItems(PFNLVCOMPARE pfnCompare, int nCol, bool bAscending, LPARAM lParamSort, int low, int high)
{
    if (pfnCompare == nullptr || nCol < 0 || nCol >= GetColumnCount())
        return false;
    if (high == -1)
        high = GetRowCount() - 1;
    if (low < 0 || high >= GetRowCount())
        return false;
    int lo = low;
    int hi = high;
    if (hi <= lo)
        return false;

    const LPARAM pivot = GetItemData((lo + hi) / 2, nCol);
    while (lo <= hi) {
        if (bAscending) {
            while (lo < high && pfnCompare(GetItemData(lo, nCol), pivot, lParamSort) < 0)
                ++lo;
            while (hi > low && pfnCompare(GetItemData(hi, nCol), pivot, lParamSort) > 0)
                --hi;
        } else {
            while (lo < high && pfnCompare(GetItemData(lo, nCol), pivot, lParamSort) > 0)
                ++lo;
            while (hi > low && pfnCompare(GetItemData(hi, nCol), pivot, lParamSort) < 0)
                --hi;
        }
        if (lo <= hi) {
            if (pfnCompare(GetItemData(lo, nCol), GetItemData(hi, nCol), lParamSort) != 0)
                SwapRows(lo, hi);
            ++lo;
            --hi;
        }
    }
    if (low < hi)
        SortItems(pfnCompare, nCol, bAscending, lParamSort, low, hi);
    if (lo < high)
        SortItems(pfnCompare, nCol, bAscending, lParamSort, lo, high);
    return true;
}

CCellID CGridCtrl::FindNextCell(const CCellID& from, int nFlags) const
{
    const UINT wanted = UINT(nFlags) & 0xFF;
    const auto matches = [&](int row, int col) { return (GetItemState(row, col) & wanted) != 0; };

    if ((nFlags & GFN_ALL) == GFN_ALL) {
        int col = from.col + 1;
        for (int row = from.row <= 0 ? m_nFixedRows : from.row; row < m_nRows; ++row) {
            if (col <= 0)
                col = m_nFixedCols;
            for (; col < m_nCols; ++col) {
                if (matches(row, col))
                    return CCellID(row, col);
            }
            col = m_nFixedCols;
        }
        return CCellID();
    }
    if ((nFlags & GFN_AREA) == GFN_AREA) {
        const int firstCol = from.col + 1 <= 0 ? m_nFixedCols : from.col + 1;
        for (int row = from.row <= 0 ? m_nFixedRows : from.row; row < m_nRows; ++row) {
            for (int col = firstCol; col < m_nCols; ++col) {
                if (matches(row, col))
                    return CCellID(row, col);
            }
        }
        return CCellID();
    }
    if (nFlags & GFN_ABOVE) {
        for (int row = from.row - 1; row >= m_nFixedRows; --row) {
            if (matches(row, from.col))
                return CCellID(row, from.col);
        }
    } else if (nFlags & GFN_BELOW) {
        for (int row = from.row + 1; row < m_nRows; ++row) {
            if (matches(row, from.col))
                return CCellID(row, from.col);
        }
    } else if (nFlags & GFN_TOLEFT) {
        for (int col = from.col - 1; col >= m_nFixedCols; --col) {
            if (matches(from.row, col))
                return CCellID(from.row, col);
        }
    } else if (nFlags & GFN_TORIGHT) {
        for (int col = from.col + 1; col < m_nCols; ++col) {
            if (matches(from.row, col))
                return CCellID(from.row, col);
        }
    }
    return CCellID();
}
