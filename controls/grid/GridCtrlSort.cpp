// The grid's sorts (by a column's text or by a comparison of the cells'
// item data) and the search for the next cell in a given state.
#include <algorithm>
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
    // The pivot's text is read once; every other text each time it is
    // compared, through the virtual GetItemText.
    return QuickSortRows(
        low, high, bAscending,
        [this, nCol](int pivotRow) -> RowOrder {
            const QString pivot = GetItemText(pivotRow, nCol);
            return [this, nCol, pivot](int row) { return GridCompareTexts(GetItemText(row, nCol), pivot); };
        },
        [this, nCol](int a, int b) { return GetItemText(a, nCol) != GetItemText(b, nCol); });
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
    return QuickSortRows(
        low, high, bAscending,
        [=](int pivotRow) -> RowOrder {
            const LPARAM pivot = GetItemData(pivotRow, nCol);
            return [=](int row) { return pfnCompare(GetItemData(row, nCol), pivot, lParamSort); };
        },
        [=](int a, int b) { return pfnCompare(GetItemData(a, nCol), GetItemData(b, nCol), lParamSort) != 0; });
}

bool CGridCtrl::QuickSortRows(int low, int high, bool bAscending, const std::function<RowOrder(int)>& againstPivot,
                              const std::function<bool(int, int)>& differ)
{
    if (high == -1)
        high = GetRowCount() - 1;
    // Rows that do not exist are never exchanged.
    if (low < 0 || high >= GetRowCount())
        return false;
    int lo = low;
    int hi = high;
    if (hi <= lo)
        return false;

    const RowOrder order = againstPivot((lo + hi) / 2);
    const auto before = [&](int row) { return bAscending ? order(row) < 0 : order(row) > 0; };
    const auto after = [&](int row) { return bAscending ? order(row) > 0 : order(row) < 0; };
    while (lo <= hi) {
        while (lo < high && before(lo))
            ++lo;
        while (hi > low && after(hi))
            --hi;
        if (lo <= hi) {
            if (differ(lo, hi))
                SwapRows(lo, hi);
            ++lo;
            --hi;
        }
    }
    if (low < hi)
        QuickSortRows(low, hi, bAscending, againstPivot, differ);
    if (lo < high)
        QuickSortRows(lo, high, bAscending, againstPivot, differ);
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
