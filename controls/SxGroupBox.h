#pragma once
// A group box that paints itself: a frame of two coloured lines with a gap
// in its top line for the caption, the caption in its own font and colour,
// left, right or centred. The top line lies at half the old system font's
// height less one below the frame's top (7 pixels), whatever the caption
// font. A disabled box shows the default frame colours and no caption. The
// box paints no background: the dialog shows through.
//
// Attaching (PreSubclassWindow) reads the caption from the window text, the
// alignment from the button style and the room the extended styles' edges
// take. The frame follows the window's size.
#include <QFont>
#include <QGroupBox>

#include "platform/core/Rect.h"
#include "platform/core/Types.h"

struct LOGFONT;

class CSxGroupBox : public QGroupBox {
    Q_OBJECT
public:
    enum : int { ALIGN_LEFT = 0x100, ALIGN_RIGHT = 0x200, ALIGN_CENTER = 0x300 };
    enum : int { FRAME_FLAT = 0x8000, FRAME_ETCHED = 0xB, FRAME_DOUBLE = 0xC };

    explicit CSxGroupBox(QWidget* parent = nullptr);

    // Reads the window text, style and extended style (see above).
    void PreSubclassWindow();

    // Caption and window text; with redraw, paints at once.
    void SetText(const QString& text, bool redraw);
    QString GetText() const { return m_strCaption; }
    // 0 gives the default colour; with redraw, repaints.
    void SetFrameColors(COLORREF shadow, COLORREF highlight, bool redraw);
    void GetFrameColors(COLORREF* shadow, COLORREF* highlight) const;
    void SetCaptionTextColor(COLORREF colour, bool redraw);
    // A new caption font from the description; null gives MS Sans Serif,
    // 8 points, normal weight. The height is in tenths of a point.
    void SetCaptionFont(const LOGFONT* lf);
    // ALIGN_LEFT, ALIGN_RIGHT or ALIGN_CENTER; any other value is left.
    void SetAlignment(int alignment);
    int GetAlignment() const { return m_nAlignment; }
    // The caption's distance from the frame's side, and its lift above the
    // top line.
    void SetCaptionMargins(int horizontal, int vertical);
    // FRAME_FLAT, FRAME_ETCHED or FRAME_DOUBLE; any other value is etched.
    void SetFrameStyle(int style);
    int GetFrameStyle() const { return m_nFrameStyle; }
    // Attaches again and paints at once.
    void Refresh();

    const QFont& CaptionFont() const { return m_captionFont; }
    bool IsCaptionHidden() const { return m_bCaptionHidden; }
    // The frame's rectangle: the window's, less the extended styles' edges.
    CRect FrameRect() const;
    // The row of the top line, and the gap left in it for the caption.
    int TopLine() const;
    void CaptionGap(int* x1, int* x2) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor Shadow() const;
    QColor Highlight() const;

    COLORREF m_clrShadow;
    COLORREF m_clrHighlight;
    COLORREF m_clrDefaultShadow;
    COLORREF m_clrDefaultHighlight;
    bool m_bCaptionHidden = false;
    int m_nLineWidth = 1;
    COLORREF m_clrCaption = RGB(0, 0, 0);
    QFont m_captionFont;
    QString m_strCaption;
    int m_nAlignment = ALIGN_LEFT;
    int m_nMargin = 8;
    int m_nOffset = 0;
    int m_nFrameStyle = FRAME_ETCHED;
};
