#pragma once
// A label with no background: it draws its window text with its own font
// and the static control's style bits, so the skinned dialog behind it shows
// through. A text change repaints the parent's area under it first (a Qt
// widget that paints no background gets that by itself).
#include <QColor>
#include <QLabel>

#include "platform/core/Types.h"

class CTransparentStatic : public QLabel {
    Q_OBJECT
public:
    explicit CTransparentStatic(QWidget* parent = nullptr);

    // Sets the window text only when text differs from the text this call
    // stored last time.
    virtual void SetText(const QString& text);
    // Stores the colour and repaints.
    void SetTextColor(const QColor& colour);
    QColor TextColor() const { return m_clrText; }

    // The DrawText format of a static control's style bits.
    static UINT DrawFormatForStyle(DWORD style);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_clrText{0, 0, 0};
    QString m_strText;
};
