#include "controls/XPButton.h"

#include <utility>

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>

#include "controls/BitButton.h"
#include "controls/FontStatic.h"
#include "model/WindowMessages.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/WindowAttributes.h"

namespace {
void DefaultSound(CXPButton::HoverSound sound)
{
    // The program ships no wave sound: only the beep is heard.
    if (sound == CXPButton::HoverSound::Beep)
        QApplication::beep();
}

CXPButton::SoundPlayer& Player()
{
    static CXPButton::SoundPlayer player = DefaultSound;
    return player;
}
}  // namespace

CXPButton::SoundPlayer CXPButton::SetSoundPlayer(SoundPlayer player)
{
    return std::exchange(Player(), player ? std::move(player) : SoundPlayer(DefaultSound));
}

CXPButton::CXPButton(QWidget* parent)
    : CSkinButton(parent, NOTICE_ON_ENTRY, true), m_backing(this), m_timers(this, [this](UINT id) { OnTimer(id); })
{
}

// ---- Set-up ---------------------------------------------------------------------

void CXPButton::SetBitmaps(UINT checkedNormal, UINT checkedHover, UINT checkedPressed, UINT normal, UINT hover,
                           UINT pressed)
{
    m_nCheckedNormal = checkedNormal;
    m_nCheckedHover = checkedHover;
    m_nCheckedPressed = checkedPressed;
    m_nNormal = normal;
    m_nHover = hover;
    m_nPressed = pressed;
    Repaint();
}

void CXPButton::SetCheck(bool check)
{
    m_bCheck = check;
    Repaint();
}

void CXPButton::SetDisabledBitmaps(UINT checked, UINT unchecked)
{
    m_nDisabledChecked = checked;
    m_nDisabledUnchecked = unchecked;
}

void CXPButton::SetDisabled(bool disabled)
{
    m_bOwnDisabled = disabled;
    Repaint();
    setEnabled(!disabled);
}

void CXPButton::SetMarkBitmaps(UINT checked, UINT unchecked)
{
    m_nMarkChecked = checked;
    m_nMarkUnchecked = unchecked;
    Repaint();
}

void CXPButton::SetMark(bool mark)
{
    if (mark == m_bMark)
        return;
    m_bMark = mark;
    Repaint();
}

void CXPButton::SetTextColor(COLORREF colour)
{
    m_clrText = colour;
    Repaint();
}

void CXPButton::SetAltTextColor(COLORREF colour)
{
    m_clrAltText = colour;
    Repaint();
}

void CXPButton::SetHoverTextColor(COLORREF colour)
{
    m_clrHoverText = colour;
    Repaint();
}

void CXPButton::SetHoverSound(bool on, const QString& name)
{
    m_bSoundOn = on;
    m_strSound = name;
}

void CXPButton::SetLinkedLabel(CFontStatic* label)
{
    m_pLinkedLabel = label;
}

void CXPButton::EnableHandCursor(bool on)
{
    setCursor(on ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

// ---- Faces ------------------------------------------------------------------------

UINT CXPButton::CurrentBitmapId() const
{
    if (m_bOwnDisabled)
        return m_bCheck ? m_nDisabledChecked : m_nDisabledUnchecked;
    if (m_bMark)
        return m_bCheck ? m_nMarkChecked : m_nMarkUnchecked;
    // The pressed face shows only while the pointer is over the button.
    if (m_bHover && m_bDown)
        return m_bCheck ? m_nCheckedPressed : m_nPressed;
    if (m_bHover)
        return m_bCheck ? m_nCheckedHover : m_nHover;
    return m_bCheck ? m_nCheckedNormal : m_nNormal;
}

void CXPButton::Repaint()
{
    const QSize before = size();
    const UINT id = CurrentBitmapId();
    const QImage bitmap = id != 0 ? CResourceStore::Image(QStringLiteral("BMP"), id) : QImage();
    if (bitmap.isNull())
        return;
    resize(bitmap.size());
    QImage& surface = m_backing.Surface();
    {
        QPainter painter(&surface);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, CBitButton::StretchBitmap(bitmap, before.width(), before.height()));
    }
    m_backing.Present();
    if (!text().isEmpty() && m_pLinkedLabel)
        m_pLinkedLabel->RedrawParentArea();
}

void CXPButton::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    m_backing.PaintTo(painter, event->rect());
}

// ---- Mouse and sound ----------------------------------------------------------------

void CXPButton::Entered()
{
    if (m_bHoverSound)
        PlayHoverSound();
}

void CXPButton::PlayHoverSound()
{
    if (!m_bSoundOn)
        return;
    Player()(m_strSound.isEmpty() ? HoverSound::Beep : HoverSound::Wave);
}

void CXPButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_bRepeat) {
        m_nRepeatCount = 0;
        m_timers.SetTimer(TIMER_REPEAT, REPEAT_PERIOD_MS);
    }
    CSkinButton::mousePressEvent(event);
}

void CXPButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_bRepeat) {
        m_timers.KillTimer(TIMER_REPEAT);
        m_nRepeatCount = 0;
    }
    CSkinButton::mouseReleaseEvent(event);
}

void CXPButton::OnTimer(UINT id)
{
    if (id != TIMER_REPEAT)
        return;
    ++m_nRepeatCount;
    PostMessage(GetParentTarget(this), WM_SELECT_UI_MODE2, WPARAM(GetDlgCtrlID(this)), m_nRepeatCount);
}
