#pragma once
// A standard radio button for skinned dialogs: it fills no background, so
// the dialog's skin shows behind it, and draws its caption in a colour of
// its own (black until set).
#include <QRadioButton>

#include "platform/core/Types.h"

class CButtonRadio : public QRadioButton {
    Q_OBJECT
public:
    explicit CButtonRadio(QWidget* parent = nullptr);
    CButtonRadio(const QString& text, QWidget* parent = nullptr);

    // Stores the caption colour; it shows at the button's next paint.
    void SetTextColor(COLORREF colour) { m_clrText = colour; }
    COLORREF GetTextColor() const { return m_clrText; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    COLORREF m_clrText = RGB(0, 0, 0);
};
