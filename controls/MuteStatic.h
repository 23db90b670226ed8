#pragma once
// An On/Off indicator: "On" or "OFF" in heavy Arial, centred on a field
// whose colours follow the state. Every setter redraws at once. The pointer
// over it is the hand. A font that cannot be made leaves the field without
// text and is reported once, from the event loop.
#include <QColor>
#include <QLabel>

#include "controls/FontFailureNotice.h"
#include "platform/core/Types.h"

class CMuteStatic : public QLabel {
    Q_OBJECT
public:
    explicit CMuteStatic(QWidget* parent = nullptr);

    void SetState(bool on);
    bool GetState() const { return m_bOn; }
    void SetTexts(const QString& on, const QString& off);
    void SetTextColors(COLORREF on, COLORREF off);
    void SetFillColors(COLORREF on, COLORREF off);
    // Arial of this cell height and weight.
    void SetTextFont(int height, int weight);
    // Sets the texts to "On" and "OFF", whichever language is asked for;
    // no redraw.
    void SetLanguage(bool chinese);

    QString OnText() const { return m_strOn; }
    QString OffText() const { return m_strOff; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void RedrawNow();

    COLORREF m_clrOnFill = RGB(100, 105, 109);
    COLORREF m_clrOffFill = RGB(200, 201, 205);
    COLORREF m_clrOnText = RGB(255, 255, 255);
    COLORREF m_clrOffText = RGB(255, 0, 0);
    QString m_strOn = QStringLiteral("On");
    QString m_strOff = QStringLiteral("OFF");
    bool m_bOn = true;
    int m_nFontHeight = 16;
    int m_nFontWeight = 900;
    CFontFailureNotice m_fontNotice;
};
