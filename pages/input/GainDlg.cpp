#include "pages/input/GainDlg.h"

#include <algorithm>

#include <QPainter>

#include "app/GlobalObjects.h"
#include "model/DataLockState.h"
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
    m_rcVolume = MapDialogRect(kGainVolumeEdit, font).ToQRect();
    m_btnMute.move(MapDialogRect(kGainMute, font).TopLeft());
    SetDlgCtrlID(&m_btnMute, IDC_MUTE);
    m_nMuteBottomMargin = height() - MapDialogRect(kGainMute, font).bottom;
    m_btnMixer.setGeometry(MapDialogRect(kGainMixer, font).ToQRect());
    SetDlgCtrlID(&m_btnMixer, IDC_MIXER);
    // Never shown nor enabled in the running program.
    m_btnMixer.hide();
    m_btnMixer.setEnabled(false);
    return OnInitDialog();
}

bool CGainDlg::OnInitDialog()
{
    m_bmpBackCn = GainBitmap(IDB_BACK_CN);
    m_bmpBackEn = GainBitmap(IDB_BACK_EN);
    m_bmpBackLockedCn = GainBitmap(IDB_BACK_LOCKED_CN);
    m_bmpBackLockedEn = GainBitmap(IDB_BACK_LOCKED_EN);
    // Loudspeaker faces unchecked, the crossed-out one checked (muted).
    m_btnMute.SetBitmaps(1007, 1006, 1008, 1008, 1009, 1007);
    KeepMuteInside();
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

void CGainDlg::SetDropListBitmaps(UINT id, UINT)
{
    m_nDropListId = id;
}

void CGainDlg::AddDropListItem(const QString& text)
{
    m_astrDropList.append(text);
}

void CGainDlg::SelectDropListItem(int item)
{
    m_nDropSel = item;
}

void CGainDlg::SetSliderChannelBitmaps(UINT id, UINT activeId, bool, COLORREF, int, int)
{
    m_nChannelId = id;
    m_nChannelActiveId = activeId;
}

void CGainDlg::SetSliderThumbBitmaps(UINT id, UINT activeId, bool, COLORREF, int, int)
{
    m_nThumbId = id;
    m_nThumbActiveId = activeId;
}

void CGainDlg::SetSliderRange(int min, int max, bool redraw)
{
    m_nMin = min;
    m_nMax = max;
    if (redraw)
        update();
}

void CGainDlg::SetVolume(int steps)
{
    if (steps == m_nVolume)
        return;
    m_nVolume = steps;
    update();
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

LRESULT CGainDlg::WindowProc(UINT, WPARAM, LPARAM)
{
    return 0;
}

void CGainDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool locked = g_bDataLocked;
    const QImage& skin = g_bChinese ? (locked ? m_bmpBackLockedCn : m_bmpBackCn)
                                    : (locked ? m_bmpBackLockedEn : m_bmpBackEn);
    painter.drawImage(0, 0, skin);
    painter.setFont(g_fontArial12);
    painter.setPen(QColor(0xDC, 0xDC, 0xDC));
    painter.fillRect(m_rcVolume, QColor(0x36, 0x3D, 0x4C));
    painter.drawText(m_rcVolume, Qt::AlignCenter, FormatVolume(m_nVolume));
}
