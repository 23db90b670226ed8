#pragma once
// A bitmap button that paints each state's bitmap at once, whenever a
// setter or a state changes, into an image of its own that the paint event
// only copies. Faces: normal, hover and pressed, each unchecked and
// checked; an own disabled look and a "mark" look that override them. The
// check state is the owner's flag and starts set; a click never changes it.
//
// Each repaint loads the state's bitmap, takes its size and draws it scaled
// to the size the button had before (so a button whose template size
// differs shows its first face scaled, and every later one 1:1). A state
// whose bitmap id is 0 (or names no bitmap) keeps the pixels shown before.
// No caption is drawn: the bitmaps carry the text.
//
// Messages to the parent: WM_COMMAND BN_CLICKED on a click; WM_CONTROL_HOVER
// (sent, mouse key flags, id) on the first move after the pointer entered,
// once switched on; with auto-repeat, WM_SELECT_UI_MODE2 (posted, id, tick
// count 1, 2, 3 ...) every 80 ms while pressed.
#include <functional>

#include <QPointer>
#include <QString>

#include "controls/SkinButton.h"
#include "platform/core/Types.h"
#include "platform/gui/BackingImage.h"
#include "platform/gui/TimerMap.h"

class CFontStatic;

class CXPButton : public CSkinButton {
    Q_OBJECT
public:
    explicit CXPButton(QWidget* parent = nullptr);

    // The checked set first.
    void SetBitmaps(UINT checkedNormal, UINT checkedHover, UINT checkedPressed, UINT normal, UINT hover,
                    UINT pressed);
    void SetCheck(bool check);
    // Stored only; the next repaint uses them.
    void SetDisabledBitmaps(UINT checked, UINT unchecked);
    // The own disabled look; repaints, then enables or disables the window.
    void SetDisabled(bool disabled);
    void SetMarkBitmaps(UINT checked, UINT unchecked);
    // Repaints only when the mark changes.
    void SetMark(bool mark);
    bool GetMark() const { return m_bMark; }
    // Caption colours are kept for the owner; no caption is drawn.
    void SetTextColor(COLORREF colour);
    void SetAltTextColor(COLORREF colour);
    void SetHoverTextColor(COLORREF colour);
    COLORREF GetTextColor() const { return m_clrText; }
    COLORREF GetAltTextColor() const { return m_clrAltText; }
    COLORREF GetHoverTextColor() const { return m_clrHoverText; }
    void EnableHoverSound(bool on) { m_bHoverSound = on; }
    bool IsHoverSoundEnabled() const { return m_bHoverSound; }
    // The sound played on entering: a beep for an empty name, else the
    // program's wave sound (none is shipped, so nothing plays).
    void SetHoverSound(bool on, const QString& name);
    void EnableHandCursor(bool on);
    void EnableRepeat(bool on) { m_bRepeat = on; }
    int GetRepeatCount() const { return m_nRepeatCount; }
    // A label redrawn after each repaint while the button has a window text.
    void SetLinkedLabel(CFontStatic* label);

    // Draws the present state's face now.
    void Repaint();
    // The bitmap id the present state shows (0: the pixels stay).
    UINT CurrentBitmapId() const;

    // Who plays the hover sound; tests put their own. Returns the previous
    // player; an empty one restores the default (a system beep, no wave).
    enum class HoverSound { Beep, Wave };
    using SoundPlayer = std::function<void(HoverSound sound)>;
    static SoundPlayer SetSoundPlayer(SoundPlayer player);

    enum : UINT { TIMER_REPEAT = 7, REPEAT_PERIOD_MS = 80 };

protected:
    void FaceChanged() override { Repaint(); }
    void Entered() override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void PlayHoverSound();
    void OnTimer(UINT id);

    COLORREF m_clrText = RGB(0, 0, 0);
    COLORREF m_clrAltText = RGB(255, 0, 0);
    COLORREF m_clrHoverText = RGB(255, 0, 0);
    UINT m_nNormal = 0, m_nHover = 0, m_nPressed = 0;
    UINT m_nCheckedNormal = 0, m_nCheckedHover = 0, m_nCheckedPressed = 0;
    UINT m_nDisabledChecked = 0, m_nDisabledUnchecked = 0;
    UINT m_nMarkUnchecked = 0, m_nMarkChecked = 0;
    bool m_bHoverSound = false;
    bool m_bMark = false;
    QString m_strSound;
    bool m_bSoundOn = false;
    bool m_bOwnDisabled = false;
    bool m_bRepeat = false;
    QPointer<CFontStatic> m_pLinkedLabel;
    int m_nRepeatCount = 0;
    CBackingImage m_backing;
    CTimerMap m_timers;
};
