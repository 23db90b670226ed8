#pragma once
// What the skinned push buttons share: the hover look that starts with the
// first mouse move over the button and ends when the pointer leaves (also
// when it moves off while the button holds the mouse), the pressed flag
// (the pressed look shows only while hovering), the program-owned check
// flag, an int user value, up to two partner buttons whose hover look
// follows this one's while it is unchecked, and WM_COMMAND BN_CLICKED to
// the parent on a click.
//
// Hover notices (WM_CONTROL_HOVER, sent: mouse key flags, control id), once
// switched on, go out on every move to a new point, or only on the first
// move after entering, as the subclass chooses.
#include <QAbstractButton>
#include <QPoint>
#include <QPointer>

class QMouseEvent;
class QPainter;

// Draws a button in the style's own push-button look (for template types
// that leave the drawing to the system).
void DrawDefaultButton(QPainter& painter, QAbstractButton* button);
// Gives the window the size of bitmap id ("BMP"); a missing bitmap or id 0
// keeps the present size.
void TakeBitmapSize(QWidget* window, unsigned id);

class CSkinButton : public QAbstractButton {
    Q_OBJECT
public:
    enum HoverNotice { NOTICE_EVERY_MOVE, NOTICE_ON_ENTRY };

    CSkinButton(QWidget* parent, HoverNotice notice, bool checked);

    bool GetCheck() const { return m_bCheck; }
    void EnableMoveNotify(bool on) { m_bMoveNotify = on; }
    void SetItemData(int value) { m_nItemData = value; }
    int GetItemData() const { return m_nItemData; }
    // Buttons whose hover look follows this one (null allowed).
    void SetPartners(CSkinButton* first, CSkinButton* second);
    void SetHover(bool hover);
    bool IsHover() const { return m_bHover; }
    bool IsDownFlag() const { return m_bDown; }
    // SW_HIDE first forgets both partners for good.
    virtual void ShowWindow(int nCmdShow);

protected:
    // The present state's look must be shown again.
    virtual void FaceChanged() = 0;
    // The first move after the pointer entered.
    virtual void Entered() {}
    // Gives the partners the hover look, unless this button is checked.
    void SetPartnersHover(bool hover);

    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

    bool m_bCheck;
    bool m_bHover = false;
    bool m_bDown = false;

private:
    void OnMouseLeave();

    HoverNotice m_notice;
    bool m_bMoveNotify = false;
    QPoint m_ptLastNotified;
    int m_nItemData = -1;
    QPointer<CSkinButton> m_pPartner1;
    QPointer<CSkinButton> m_pPartner2;
};
