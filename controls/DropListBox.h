#pragma once
// The list inside a drop-list popup: flat items on a dark ground, the item
// under the mouse hot (selected without notice), optional groups whose
// header items are drawn bold with a rule and are never picked.
//
// A pick is a click on an item or a key that moves the selection; the list
// reports it with the signal SelChange. It remembers the last index its
// owner reports as picked, which a cancelled pick restores.
#include <QColor>
#include <QFont>
#include <QListWidget>

#include "controls/DropItemRecord.h"
#include "platform/core/Types.h"
#include "platform/gui/LogFont.h"

class QPainter;

class CDropListBox : public QListWidget {
    Q_OBJECT
public:
    explicit CDropListBox(QWidget* parent = nullptr);

    enum : int { LB_ERR = -1, LIST_ID = 1825 };

    // Appends an item {plain, white, white} to group 1; returns its index.
    int AddString(const QString& text);
    // Inserts such an item at index (-1: at the end); LB_ERR past the end.
    int InsertString(int index, const QString& text);
    // Appends an item of group nGroup with its colours; group count + 1
    // opens a new group with this item as its header; a group beyond that
    // gives LB_ERR.
    int AddGroupString(const QString& text, int nGroup, COLORREF text_, COLORREF hot);
    // Appends the current record's item; returns its index.
    int AppendItem(int nGroup, const QString& text);
    // Deletes item n; a header takes its group's items with it. LB_ERR past
    // the end.
    int DeleteString(int n);
    void ResetContent();
    // Forgets the records, the groups and the remembered index.
    void FreeItemRecords();
    // Only the first call counts: the item font, a bold copy for headers,
    // and the item height from the description's height.
    void SetItemFont(const LOGFONT& lf);
    void SetBkColor(COLORREF colour);
    void SetHotColor(COLORREF colour);
    void SetSelIndex(int index) { m_nSelIndex = index; }
    int GetSelIndex() const { return m_nSelIndex; }
    // The record of the selected item, or of the item added last.
    DropItemRecord GetCurRecord() const;
    DropItemRecord Record(int row) const;
    int GetItemHeight() const { return m_nItemHeight; }
    int GetGroupCount() const { return m_nGroupCount; }
    // Selects row, or nothing when row is outside the list; sends nothing.
    void SelectRow(int row);

    // Draws one item (the delegate's paint).
    void DrawItem(QPainter& painter, const QRect& itemRect, int row, bool hot) const;

signals:
    // The user picked the selected item (a click or a key).
    void SelChange();
    // The list lost the keyboard focus (not to a popup menu).
    void FocusLost();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void StoreRecord(QListWidgetItem* item, const DropItemRecord& record) const;
    void ApplyBackground();

    int m_nGroupCount = 0;
    int m_nSelIndex = 0;
    DropItemRecord m_curRecord;
    bool m_bItemFont = false;
    QFont m_fontItem;
    QFont m_fontHeader;
    int m_nItemHeight = 16;
    QColor m_clrBackground{27, 34, 50};
    QColor m_clrHot{13, 133, 138};
};
