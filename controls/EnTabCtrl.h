#pragma once
// The tab control of the main view: shaded or gradient tabs with coloured
// edges, an optional image, ellipsised text in its own font (Verdana, 20),
// in colours chosen by look flags that belong to the whole class (setting
// them changes every such control):
//   0x01 flat: unselected tabs without back-tab look take the background
//        colour (the item borders need this bit);
//   0x02 colour: the program's blue and black and the background colour;
//   0x04 selection: the selected tab gets its own colour;
//   0x08 gradient: tab fills run from the tab colour to a darker one;
//   0x10 back tabs: unselected tabs get full edges like the selected one.
// Item 3 is special: never the hand, never edged, and with the colour look
// filled with the dialogs' background when not selected.
#include <QFont>

#include "controls/BaseTabCtrl.h"

class CEnTabCtrl : public CBaseTabCtrl {
    Q_OBJECT
public:
    enum : DWORD { LOOK_FLAT = 0x01, LOOK_COLOR = 0x02, LOOK_SELECTION = 0x04, LOOK_GRADIENT = 0x08, LOOK_BACKTABS = 0x10 };

    explicit CEnTabCtrl(QWidget* parent = nullptr);

    // Class-wide: flags when bEnable, else 0.
    static void SetLookFlags(bool bEnable, DWORD flags);
    static DWORD GetLookFlags();
    void PreSubclassWindow() override;

    // Each channel times f (single precision, truncated toward zero): f
    // between 0 and 1 darkens, f above 1 lightens (a channel tops out at
    // 255).
    static COLORREF Darken(COLORREF colour, float f);
    static COLORREF Lighten(COLORREF colour, float f);
    // text shortened to width with an end ellipsis in font.
    static QString FormatText(const QString& text, int width, const QFont& font);

    const QFont& TabFont() const { return m_font; }
    // The item DrawItem drew last (3 before any).
    int CurrentItem() const { return m_nCurrentItem; }

protected:
    void DrawItem(LPDRAWITEMSTRUCT pDIS) override;
    void DrawMainBorder(LPDRAWITEMSTRUCT pDIS) override;
    void DrawItemBorder(LPDRAWITEMSTRUCT pDIS) override;
    COLORREF GetTabColor(bool bSelected) override;
    COLORREF GetTabTextColor(bool bSelected) override;

private:
    COLORREF ButtonFace() const;

    QFont m_font;
    int m_nCurrentItem = 3;
};
