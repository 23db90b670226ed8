#pragma once
// A tab control in the program's own look: it holds its own items (texts,
// image indexes, rectangles in one row along the top, the selection, an
// image list), tells where its pages go (AdjustRect) and paints in one of
// three ways:
//   0  the Qt style draws the body frame and the tab shapes;
//   1  the style draws the frame and the shapes, DrawItem each item's face;
//   2  the control paints everything through the hooks: DrawMainBorder,
//      then every item but the selected one from the last down (DrawItem,
//      DrawItemBorder), the selected one last.
// Around the tab strip it paints a background colour of its own. Over a
// tab that can be selected (not index 3, not the selected one) the pointer
// is the hand. A click on a tab selects it.
//
// A subclass fills the hooks; the base's DrawItem and borders draw nothing.
#include <QImage>
#include <QList>
#include <QString>
#include <QWidget>

#include "platform/core/Rect.h"
#include "platform/core/Types.h"
#include "platform/gui/DrawItemStruct.h"

class CBaseTabCtrl : public QWidget {
    Q_OBJECT
public:
    // The background colour that stands for the system's button face.
    static constexpr COLORREF BKGND_SYSTEM = COLORREF(-1);

    explicit CBaseTabCtrl(int nType = 0, QWidget* parent = nullptr);

    // 0, 1 or 2 (see above); FALSE for any other value, which changes
    // nothing. Repaints.
    bool EnableDraw(int nType);
    int GetDrawType() const { return m_nDrawType; }
    // The colour around the tab strip; BKGND_SYSTEM for the button face.
    // Repaints.
    void SetBkgndColor(COLORREF colour);
    COLORREF GetBkgndColor() const { return m_clrBackground; }
    // The background colour as painted.
    COLORREF BackgroundColour() const;
    // Attaching: owner-drawn style for the draw types 1 and 2.
    virtual void PreSubclassWindow();

    // Items.
    int InsertItem(int index, const QString& text, int image = -1);
    bool DeleteItem(int index);
    void DeleteAllItems();
    int GetItemCount() const { return int(m_items.size()); }
    QString GetItemText(int index) const;
    int GetItemImage(int index) const;
    // The item's rectangle; false for an index out of range.
    bool GetItemRect(int index, CRect* rect) const;
    // The item under point, or -1.
    int HitTest(const QPoint& point) const;
    int GetCurSel() const { return m_nCurSel; }
    // Selects an item (-1 none); returns the previous selection, or -1 for
    // an index out of range (nothing changes then). Repaints.
    int SetCurSel(int index);
    // 16 x 16 images that items name by index.
    void SetImageList(const QList<QImage>& images);
    const QList<QImage>& GetImageList() const { return m_images; }
    // The tabs' height (a zero or negative height keeps the font's).
    void SetItemHeight(int height);
    int ItemHeight() const;
    // bLarger FALSE: the display area (where the pages go) of a window
    // rectangle; TRUE: the window rectangle of a display area.
    void AdjustRect(bool bLarger, CRect* rect) const;
    // The body under the strip: the client from 2 pixels above the display
    // area down.
    CRect BodyRect() const;

    // Whether the pointer was last shown as the hand.
    bool IsHandShown() const { return m_bHandShown; }

signals:
    // The user selected another tab.
    void SelChange(int index);

protected:
    // The hooks of draw types 1 and 2 (see above).
    virtual void DrawItem(LPDRAWITEMSTRUCT pDIS);
    virtual void DrawMainBorder(LPDRAWITEMSTRUCT pDIS);
    virtual void DrawItemBorder(LPDRAWITEMSTRUCT pDIS);
    virtual COLORREF GetTabColor(bool bSelected);
    virtual COLORREF GetTabTextColor(bool bSelected);

    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

    // Fills rect with a colour, as the old solid fills did.
    static void FillSolidRect(QPainter& painter, const CRect& rect, COLORREF colour);

private:
    struct Item {
        QString text;
        int image;
    };
    void EraseBackground(QPainter& painter);
    void PaintWithStyle(QPainter& painter, bool ownerDrawn);
    void PaintEverything(QPainter& painter);
    DRAWITEMSTRUCT ItemRecord(QPainter& painter, int index, UINT state, const CRect& rect) const;
    int ItemWidth(int index) const;
    // What the pointer shows after a move: the hand flag is used once.
    void OnSetCursor();

    COLORREF m_clrBackground = BKGND_SYSTEM;
    int m_nDrawType = 0;
    bool m_bHand = false;
    bool m_bHandShown = false;
    QList<Item> m_items;
    int m_nCurSel = -1;
    QList<QImage> m_images;
    int m_nItemHeight = 0;
};
