#include "graphs/NumEdit.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPalette>
#include <QRegularExpression>

#include "controls/SpinBtn.h"
#include "graphs/MixColumnParent.h"
#include "graphs/NumSpin.h"
#include "model/DataDefine.h"
#include "platform/core/Language.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/AsciiOnlyFilter.h"
#include "platform/gui/ButtonNotify.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/LineInputFilter.h"
#include "platform/gui/LogFont.h"
#include "platform/gui/WindowAttributes.h"

namespace {
constexpr COLORREF kActiveBackground = RGB(137, 172, 209);
const QColor kActiveText(0, 0, 0);
const QColor kIdleText(255, 255, 255);
const QColor kNoInputText(200, 200, 200);
const QColor kMixCurrentText(0, 0, 0);
const QColor kMixOtherText(128, 128, 128);

constexpr int kMixLevelIds[16] = {2818, 2820, 2822, 2824, 2826, 2828, 2830, 2832,
                                  2834, 2836, 2860, 2864, 2868, 2872, 2876, 2880};
}  // namespace

CNumEdit::CNumEdit(QWidget* parent) : QLineEdit(parent)
{
    setFrame(false);
    // A click is the field's own business (it decides whether the caret
    // moves); the keyboard still reaches it with Tab.
    setFocusPolicy(Qt::TabFocus);
    InstallLineInputFilter(this, [this](const QLineEdit& edit, const QString& text, EInputSource) {
        QString allowed = StripNonAscii(text);
        if (m_bDigitsOnly)
            allowed.remove(QRegularExpression(QStringLiteral("[^0-9]")));
        return FitByteLimit(edit, SplitCharacters(allowed), m_nLimit);
    });
    // Only the user's edits set the typed-text flag; program text never
    // does.
    connect(this, &QLineEdit::textEdited, this, [this] {
        m_value.SetTyped(true);
        update();
    });
    ApplyColours();
    m_fontOwn = font();
}

CNumEdit::~CNumEdit() = default;

// ---- Value --------------------------------------------------------------------

void CNumEdit::SetValueType(int type, const QString& unit)
{
    m_value.SetType(type, unit);
    RefreshText();
}

void CNumEdit::SetRange(int min, int max)
{
    m_value.SetRange(min, max);
}

void CNumEdit::SetTemperature(int code)
{
    m_value.SetTemperature(code);
    RefreshText();
}

void CNumEdit::SetValue(int count)
{
    if (!m_value.InRange(count))
        return;
    m_value.SetCount(count);
    RefreshText();
}

int CNumEdit::GetValue()
{
    if (m_value.IsTyped()) {
        ParseText();
        m_value.SetTyped(false);
    }
    return m_value.Count();
}

void CNumEdit::ParseText()
{
    m_value.Parse(text());
}

bool CNumEdit::RefreshText()
{
    QString shown;
    if (m_value.Format(&shown))
        SetShownText(shown);
    update();
    return true;
}

void CNumEdit::RefreshLanguage()
{
    switch (m_value.Type()) {
    case CNumEditValue::TYPE_DELAY_MS:
    case CNumEditValue::TYPE_DELAY_CM:
    case CNumEditValue::TYPE_DELAY_INCH:
        RefreshText();
        return;
    default:
        break;
    }
    const QString off = QStringLiteral("OFF"), offChinese = QStringLiteral("关闭");
    if (g_bChinese && text() == off)
        SetShownText(offChinese);
    else if (!g_bChinese && text() == offChinese)
        SetShownText(off);
}

void CNumEdit::SetShownText(const QString& shown)
{
    setText(shown);
    FitFontToText();
    if (m_pStepButton)
        m_pStepButton->setText(shown);
}

void CNumEdit::FitFontToText()
{
    // A frameless line edit keeps two pixels at each side that the old
    // frameless edit did not: five-digit frequencies and "-12.0dB" levels in
    // the narrow fields need them. A text that still does not fit is drawn
    // smaller.
    constexpr int kLineEditMargin = 2, kCaret = 1, kSmallestPixels = 7;
    QFont fitted = m_fontOwn;
    if (fitted.pixelSize() <= 0)
        fitted.setPixelSize(QFontInfo(m_fontOwn).pixelSize());
    const int own = fitted.pixelSize();
    const int full = contentsRect().width() - kCaret;
    const bool wide = QFontMetrics(fitted).horizontalAdvance(text()) > full - 2 * kLineEditMargin;
    setTextMargins(wide ? QMargins(-kLineEditMargin, 0, -kLineEditMargin, 0) : QMargins());
    while (fitted.pixelSize() > kSmallestPixels && QFontMetrics(fitted).horizontalAdvance(text()) > full)
        fitted.setPixelSize(fitted.pixelSize() - 1);
    m_bFitting = true;
    setFont(fitted.pixelSize() == own ? m_fontOwn : fitted);
    m_bFitting = false;
}

void CNumEdit::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange && !m_bFitting) {
        m_fontOwn = font();
        FitFontToText();
    }
}

void CNumEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    FitFontToText();
}

// ---- Window -------------------------------------------------------------------

void CNumEdit::CreateStepButton(UINT id)
{
    if (m_pStepButton)
        return;
    m_pStepButton = new CSpinBtn(this, WS_CHILD | WS_VISIBLE | BS_TOP);
    m_pStepButton->setGeometry(rect());
    SetDlgCtrlID(m_pStepButton, int(id));
    m_pStepButton->hide();
    m_pStepButton->setFont(font());
}

void CNumEdit::BindStepButton(UINT spinId, CNumSpin* spin)
{
    if (m_pStepButton)
        m_pStepButton->SetBuddy(spinId, spin);
}

void CNumEdit::SetActiveLook(bool active)
{
    if (active == m_bActiveLook)
        return;
    m_bActiveLook = active;
    ApplyColours();
    // Idle, the field is see-through: its repaint redraws the page under it.
    update();
}

int CNumEdit::Show(int showCommand)
{
    const bool wasVisible = parentWidget() ? isVisibleTo(parentWidget()) : isVisible();
    const bool show = showCommand == SW_SHOW, hide = showCommand == SW_HIDE;
    if ((m_bVisible && hide) || (!m_bVisible && show)) {
        m_bVisible = show;
        m_bShowChanged = true;
        setVisible(show);
        return wasVisible;
    }
    if ((show && m_bVisible && !wasVisible) || (hide && !m_bVisible && wasVisible)) {
        setVisible(show);
        return wasVisible;
    }
    return m_bVisible;
}

void CNumEdit::Enable(bool enable)
{
    setEnabled(enable);
}

void CNumEdit::SetReadOnly(bool readOnly)
{
    update();
    if (m_pStepButton)
        m_pStepButton->setVisible(readOnly);
    setReadOnly(readOnly);
}

void CNumEdit::StepValue(int delta)
{
    const long long stepped = (long long)m_value.Count() + delta;
    const int count = int(std::min<long long>(std::max<long long>(stepped, m_value.Min()), m_value.Max()));
    m_value.SetCount(count);
    RefreshText();
    NotifyParent();
}

int CNumEdit::GetDelayValue()
{
    switch (m_value.Type()) {
    case CNumEditValue::TYPE_DELAY_MS:
    case CNumEditValue::TYPE_DELAY_MS_60:
    case CNumEditValue::TYPE_DELAY_CM:
    case CNumEditValue::TYPE_DELAY_INCH:
        if (m_value.Commit(text())) {
            RefreshText();
            NotifyParent();
        }
        break;
    default:
        break;
    }
    return m_value.Count();
}

void CNumEdit::SetInputFlag(bool on)
{
    m_bInput = on;
    ApplyColours();
    update();
}

void CNumEdit::NotifyParent()
{
    SendCommandToParent(this);
}

bool CNumEdit::IsMixLevelId(int id)
{
    for (int level : kMixLevelIds) {
        if (level == id)
            return true;
    }
    return false;
}

// ---- Focus and mouse ---------------------------------------------------------------

LRESULT CNumEdit::WindowProc(UINT message, WPARAM, LPARAM lParam)
{
    switch (message) {
    case WM_KILLFOCUS:
        OnKillFocus();
        break;
    case WM_SETFOCUS:
        OnSetFocus();
        break;
    case WM_LBUTTONDOWN:
        OnLButtonDown(nullptr, QPoint(short(LOWORD(WPARAM(lParam))), short(HIWORD(WPARAM(lParam)))));
        break;
    default:
        break;
    }
    return 0;
}

void CNumEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // Back from the field's own context menu: nothing was left.
    if (event->reason() != Qt::PopupFocusReason)
        OnSetFocus();
}

void CNumEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // The field's own context menu takes the focus for a moment: the
    // editing goes on.
    if (event->reason() != Qt::PopupFocusReason)
        OnKillFocus();
}

void CNumEdit::OnSetFocus()
{
    SetActiveLook(true);
    if (IFocusLookBuddy* fader = m_pFader.get())
        fader->SetFocusLook(true);
    if (isReadOnly()) {
        // A read-only field shows no caret; its step button takes over.
        if (m_pStepButton)
            m_pStepButton->SetActive(true);
    } else {
        selectAll();
    }
}

void CNumEdit::OnKillFocus()
{
    const bool committed = m_value.Commit(text());
    if (committed)
        RefreshText();
    if (m_pStepButton)
        m_pStepButton->SetActive(false);
    SetActiveLook(false);
    if (IFocusLookBuddy* fader = m_pFader.get())
        fader->SetFocusLook(false);
    // The parent hears of the commit last, so the look it gives a field
    // (the output page frames the field just committed) stays.
    if (committed)
        NotifyParent();
}

void CNumEdit::OnLButtonDown(QMouseEvent* event, const QPoint& point)
{
    // The click's own handling: the focus, and the caret at the point.
    auto defaultPress = [this, event, point] {
        if (!hasFocus())
            setFocus(Qt::MouseFocusReason);
        if (event)
            QLineEdit::mousePressEvent(event);
        else
            setCursorPosition(cursorPositionAt(point));
    };
    if (!m_bInput) {
        defaultPress();
        // The field must not stay in its editing look.
        PostMessage(this, WM_KILLFOCUS, 0, 0);
        return;
    }
    NotifyParent();
    if (hasFocus())
        defaultPress();
    else
        setFocus(Qt::MouseFocusReason);  // the whole text selected, no caret placed
}

void CNumEdit::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnLButtonDown(event, event->position().toPoint());
    else
        QLineEdit::mousePressEvent(event);
}

void CNumEdit::mouseDoubleClickEvent(QMouseEvent* event)
{
    QLineEdit::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        PostMessage(this, WM_SETFOCUS, 0, 0);  // selects the whole text again
}

void CNumEdit::mouseMoveEvent(QMouseEvent* event)
{
    // A read-only field selects nothing by dragging.
    if (!isReadOnly())
        QLineEdit::mouseMoveEvent(event);
}

// ---- Colours ---------------------------------------------------------------------

QColor CNumEdit::IdleTextColour() const
{
    if (!m_bInput)
        return kNoInputText;
    if (IsMixLevelId(GetDlgCtrlID(this))) {
        if (auto* column = dynamic_cast<const IMixColumnParent*>(parentWidget()))
            return column->GetColumnOutput() == g_nCurOutput ? kMixCurrentText : kMixOtherText;
    }
    return kIdleText;
}

void CNumEdit::ApplyColours()
{
    const QColor base = m_bActiveLook ? ToQColor(kActiveBackground) : QColor(Qt::transparent);
    const QColor text = m_bActiveLook ? kActiveText : IdleTextColour();
    QPalette palette = this->palette();
    if (palette.color(QPalette::Active, QPalette::Base) == base && palette.color(QPalette::Active, QPalette::Text) == text)
        return;
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, base);
        palette.setColor(group, QPalette::Text, text);
    }
    setPalette(palette);
}

void CNumEdit::paintEvent(QPaintEvent* event)
{
    // The mix column's colour follows the output being edited, which
    // changes elsewhere: it is read at every paint.
    ApplyColours();
    QLineEdit::paintEvent(event);
}
