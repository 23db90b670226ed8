#include "pages/input/GainDlg.h"

#include <algorithm>

#include <QKeyEvent>
#include <QPainter>

#include "app/GlobalObjects.h"
#include "graphs/NumEditValue.h"
#include "model/DataDefine.h"
#include "model/DataLockState.h"
#include "model/WindowMessages.h"
#include "pages/MainView.h"
#include "platform/core/SystemMessages.h"
#include "platform/core/Language.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// Dialog 737 in dialog units of its font, MS Sans Serif 8.
const CRect kGainDialog(0, 0, 53, 140);
const CRect kGainVolumeEdit(18, 20, 18 + 25, 20 + 9);
const CRect kGainMute(16, 120, 16 + 20, 120 + 10);
const CRect kGainMixer(4, 1, 4 + 13, 1 + 10);
const CRect kGainSlider(1, 37, 1 + 15, 37 + 15);
const CRect kGainSpin(13, 67, 13 + 11, 67 + 14);
const CRect kGainDropList(12, 97, 12 + 25, 97 + 13);

QFont GainTemplateFont()
{
    return DialogFont(QStringLiteral("MS Sans Serif"), 8);
}

QImage GainBitmap(UINT id)
{
    return CResourceStore::Image(QStringLiteral("BMP"), id);
}
}  // namespace

CGainDlg::CGainDlg(QWidget* parent) : QWidget(parent), m_btnMute(this), m_btnMixer(this)
{
}

CGainDlg::~CGainDlg() = default;

bool CGainDlg::Create(QWidget* parent)
{
    setParent(parent);
    const QFont font = GainTemplateFont();
    resize(MapDialogRect(kGainDialog, font).Size());
    m_btnMute.move(MapDialogRect(kGainMute, font).TopLeft());
    SetDlgCtrlID(&m_btnMute, IDC_MUTE);
    m_nMuteBottomMargin = height() - MapDialogRect(kGainMute, font).bottom;
    m_btnMixer.setGeometry(MapDialogRect(kGainMixer, font).ToQRect());
    SetDlgCtrlID(&m_btnMixer, IDC_MIXER);
    const auto place = [&](QWidget& control, const CRect& du, int id) {
        control.setParent(this);
        control.setGeometry(MapDialogRect(du, font).ToQRect());
        SetDlgCtrlID(&control, id);
    };
    place(m_editVolume, kGainVolumeEdit, IDC_VOLUME_EDIT);
    m_editVolume.setAlignment(Qt::AlignCenter);
    place(m_sliderVolume, kGainSlider, IDC_VOLUME_SLIDER);
    place(m_spinVolume, kGainSpin, IDC_VOLUME_SPIN);
    place(m_btnDropList, kGainDropList, IDC_DROP_LIST);
    // Never shown (the drop list and the Mixer toggle never enabled) in
    // the running program.
    m_spinVolume.hide();
    m_btnDropList.hide();
    m_btnDropList.setEnabled(false);
    m_btnMixer.hide();
    m_btnMixer.setEnabled(false);
    // Enter and Escape of the panel and its controls pass the panel first.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    setFocusPolicy(Qt::ClickFocus);
    return OnInitDialog();
}

bool CGainDlg::OnInitDialog()
{
    m_bmpBackCn = GainBitmap(IDB_BACK_CN);
    m_bmpBackEn = GainBitmap(IDB_BACK_EN);
    m_bmpBackLockedCn = GainBitmap(IDB_BACK_LOCKED_CN);
    m_bmpBackLockedEn = GainBitmap(IDB_BACK_LOCKED_EN);
    m_spinVolume.SetBuddy(&m_editVolume);
    m_spinVolume.SetRange(VOLUME_MIN, VOLUME_MAX);
    // Steps - 60 dB, "OFF" at the bottom.
    m_editVolume.SetStep(1.0);
    m_editVolume.SetOffset(60.0);
    m_editVolume.SetValueType(CNumEditValue::TYPE_LEVEL_OFF_BOTTOM, QString());
    m_editVolume.SetBuddySlider(&m_sliderVolume);
    m_sliderVolume.SetRange(VOLUME_MIN, VOLUME_MAX, false);
    m_sliderVolume.SetMargin(33, -1, 1, 1);
    m_sliderVolume.SetBuddyEdit(&m_editVolume);
    // Loudspeaker faces unchecked, the crossed-out one checked (muted).
    m_btnMute.SetBitmaps(1007, 1006, 1008, 1008, 1009, 1007);
    KeepMuteInside();
    m_btnDropList.CreateDropList(this, IDC_DROP_LIST);
    m_btnDropList.EnableMoveNotify(true);
    UpdateMixerButtonSkin();
    return true;
}

void CGainDlg::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    KeepMuteInside();
}

void CGainDlg::KeepMuteInside()
{
    // The view gives the panel less height than its template: the mute
    // button keeps its margin to the bottom edge.
    const int bottom = height() - std::max(m_nMuteBottomMargin, 2);
    if (m_btnMute.geometry().bottom() + 1 > bottom)
        m_btnMute.move(m_btnMute.x(), bottom - m_btnMute.height());
}

void CGainDlg::SetBackgroundBitmap(UINT id)
{
    m_nBackId = id;
    m_bmpBack = GainBitmap(id);
}

void CGainDlg::SetDropListBitmaps(UINT id, UINT second)
{
    m_nDropListId = id;
    m_btnDropList.SetBitmaps(id, second);
}

void CGainDlg::AddDropListItem(const QString& text)
{
    m_astrDropList.append(text);
    m_btnDropList.AddString(text);
}

void CGainDlg::SelectDropListItem(int item)
{
    m_nDropSel = item;
    m_btnDropList.SetCurSel(item);
}

void CGainDlg::ResetDropList()
{
    m_astrDropList.clear();
    m_nDropSel = -1;
    m_btnDropList.ResetContent();
}

void CGainDlg::SetSliderChannelBitmaps(UINT id, UINT activeId, bool transparent, COLORREF clrTransparent, int x, int y)
{
    m_nChannelId = id;
    m_nChannelActiveId = activeId;
    m_sliderVolume.SetChannelBitmaps(id, activeId, transparent, clrTransparent, x, y);
}

void CGainDlg::SetSliderThumbBitmaps(UINT id, UINT activeId, bool transparent, COLORREF clrTransparent, int x, int y)
{
    m_nThumbId = id;
    m_nThumbActiveId = activeId;
    m_sliderVolume.SetThumbBitmaps(id, activeId, transparent, clrTransparent, x, y);
}

void CGainDlg::SetSliderThumbMask(UINT)
{
    // The thumbs are keyed when they are loaded; no separate mask.
}

void CGainDlg::SetSliderRange(int min, int max, bool redraw)
{
    m_nMin = min;
    m_nMax = max;
    m_sliderVolume.SetRange(min, max, redraw);
}

void CGainDlg::SetVolume(int steps)
{
    // Outside 0..66 only the fader moves: the field keeps its value.
    m_sliderVolume.SetValue(steps);
    m_editVolume.SetValue(steps);
}

void CGainDlg::UpdateMixerButtonSkin()
{
    if (g_bChinese)
        m_btnMixer.SetBitmaps(1011, 1010, 1012, 1012, 1016, 1011);
    else
        m_btnMixer.SetBitmaps(1013, 1014, 1015, 1015, 1017, 1013);
}

QString CGainDlg::FormatVolume(int steps)
{
    if (steps <= VOLUME_MIN)
        return g_bChinese ? QStringLiteral("关闭") : QStringLiteral("OFF");
    return QStringLiteral("%1dB").arg(steps - VOLUME_ZERO_DB);
}

void CGainDlg::PostVolume(int steps)
{
    PostMessage(GetParentTarget(this), WM_MASTER_VOLUME_CHANGED, WPARAM(GetDlgCtrlID(this)), LPARAM(steps));
}

void CGainDlg::OnSliderMoved(WPARAM id, bool released)
{
    if (id != IDC_VOLUME_SLIDER)
        return;
    const int v = m_sliderVolume.GetValue();
    m_spinVolume.SetPos(v);
    if (released)
        m_editVolume.setFocus(Qt::OtherFocusReason);
    PostVolume(v);
}

void CGainDlg::OnVolumeEdit()
{
    const int v = m_spinVolume.GetPos();
    m_sliderVolume.SetValue(v);
    PostVolume(v);
}

void CGainDlg::OnMuteButton()
{
    const bool muted = !m_btnMute.GetCheck();
    g_byMasterOn = muted ? 0 : 1;
    if (m_pView != nullptr)
        m_pView->SetSendSysItem5(true);
    m_btnMute.SetCheck(muted);
}

void CGainDlg::OnMixerButton()
{
    const bool mixer = !m_btnMixer.GetCheck();
    PostMessage(GetParentTarget(this), WM_MIXER_TOGGLED, WPARAM(GetDlgCtrlID(this)), LPARAM(mixer ? 1 : 0));
    m_btnMixer.SetCheck(mixer);
}

LRESULT CGainDlg::WindowProc(UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_SLIDER_MOVING: OnSliderMoved(wParam, false); return 1;
    case WM_SLIDER_MOVED: OnSliderMoved(wParam, true); return 1;
    case WM_COMMAND:
        if (HIWORD(wParam) != 0)
            return 0;
        switch (LOWORD(wParam)) {
        case IDC_VOLUME_EDIT:
        case IDC_VOLUME_SPIN: OnVolumeEdit(); break;
        case IDC_MUTE: OnMuteButton(); break;
        case IDC_MIXER: OnMixerButton(); break;
        default: break;
        }
        return 0;
    case WM_COMBOBTN_SELCHANGE:
        PostMessage(GetParentTarget(this), WM_DROPLIST_SELECTED, WPARAM(GetDlgCtrlID(this)),
                    LPARAM(m_btnDropList.GetCurSel() + 1));
        return 0;
    default: return 0;
    }
}

bool CGainDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
            // The field loses the focus and applies what was typed; the
            // panel neither closes nor discards.
            setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CGainDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool locked = g_bDataLocked;
    const QImage& skin = g_bChinese ? (locked ? m_bmpBackLockedCn : m_bmpBackCn)
                                    : (locked ? m_bmpBackLockedEn : m_bmpBackEn);
    painter.drawImage(0, 0, skin);
    // The dark field behind the volume, which the see-through field's
    // white text needs.
    painter.fillRect(m_editVolume.geometry().adjusted(-2, -1, 2, 1), QColor(0x36, 0x3D, 0x4C));
}
