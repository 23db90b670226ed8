#pragma once
// A label whose text is an address: the text on a light grey field, black,
// red while the pointer is over it, with the hand cursor; a click hands the
// text, whatever it holds, to the desktop to open (platform/gui/UrlOpener).
//
// The text is drawn in the window's own font with the alignment and
// ellipsis its static style bits ask for, as every static label's text.
#include <QColor>
#include <QString>
#include <QWidget>

#include "platform/core/Types.h"

class CHyLink : public QWidget {
    Q_OBJECT
public:
    explicit CHyLink(QWidget* parent = nullptr);

    void SetWindowText(const QString& text);
    QString GetWindowText() const { return m_strText; }

    // Forgets the hover look and repaints now.
    void ResetHover();
    bool IsHover() const { return m_bHover; }

    static constexpr COLORREF kFieldColour = RGB(229, 229, 229);
    static constexpr COLORREF kTextColour = RGB(0, 0, 0);
    static constexpr COLORREF kHoverColour = RGB(255, 0, 0);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void SetHover(bool hover);
    // Opens the text.
    void OnClicked();

    QString m_strText;
    bool m_bHover = false;
    bool m_bPressed = false;
};
