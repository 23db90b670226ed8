#pragma once
// The title tip: a small top-most popup that shows the whole text of a grid
// cell whose text the cell's width cuts off, laid over the cell and a little
// wider, on the tooltip background. It vanishes as soon as the mouse leaves
// the cell's hover area, a key is pressed, a button is pressed, the
// application loses the keyboard focus or the grid scrolls, and the input
// that ended it goes on to the window underneath.
//
// It is a frameless top-level widget with tool-tip flags, shown without
// being activated. While it shows it holds the mouse (every mouse event of
// the program comes to it) and watches the keyboard through an application
// event filter.
#include <QPointer>
#include <QString>
#include <QWidget>

#include "platform/core/Rect.h"
#include "platform/gui/LogFont.h"

class CTitleTip : public QWidget {
    Q_OBJECT
public:
    CTitleTip();
    ~CTitleTip() override;

    // Makes the tip's window, hidden, for the cells of pParentWnd (the grid);
    // false without a parent or when it exists already.
    virtual bool Create(QWidget* pParentWnd);
    bool HasWindow() const { return m_bCreated; }

    // Shows the text of the cell at rectTitle (client coordinates of the
    // parent) when it does not fit: xoffset is the text's left margin in the
    // cell; lpHoverRect (parent client coordinates, rectTitle when null) is
    // where the mouse may move without closing the tip; lpLogFont the font
    // (the parent's font when null). Nothing while the tip shows already or
    // when no window of the program has the keyboard focus; a text that fits
    // only moves the hover area.
    void Show(CRect rectTitle, const QString& titleText, int xoffset = 0, const CRect* lpHoverRect = nullptr,
              const LOGFONT* lpLogFont = nullptr);
    // Hides the tip and lets the mouse go.
    void Hide();

    // The hover area, in the tip's client coordinates.
    const CRect& HoverRect() const { return m_rectHover; }
    // The text shown, padded with one space on each side.
    const QString& ShownText() const { return m_strShown; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The widget whose coordinates the cell rectangles are given in: the
    // viewport of a scroll area, else the parent itself.
    QWidget* ParentClient() const;
    // The widget under a screen point; the parent when it is the tip itself.
    QWidget* TargetAt(const QPoint& global) const;
    // Sends a copy of a mouse event to the widget under its screen point.
    void PassOn(QMouseEvent* event);
    void ShowOver(const QRect& screenRect);
    // The font of *lpLogFont, else the parent's (WM_GETFONT), else the
    // parent widget's.
    QFont TextFont(const LOGFONT* lpLogFont) const;

    QPointer<QWidget> m_pParentWnd;
    CRect m_rectTitle;
    CRect m_rectHover;
    QString m_strShown;
    QFont m_font;
    bool m_bCreated = false;
    bool m_bFiltering = false;
};
