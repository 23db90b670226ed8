#include "pages/output/OutRoute_Dlg.h"

#include <QPainter>

#include "app/GlobalObjects.h"
#include "model/SpeakerPosition.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// Dialog 110 and its controls in dialog units of its font, Arial 7.
const CRect kStripDialog(0, 0, 98, 173);
const CRect kStripSelect(6, 4, 6 + 45, 4 + 10);
const CRect kStripSpeakerType(6, 25, 6 + 50, 25 + 10);
const CRect kStripLevelEdit(37, 50, 37 + 28, 50 + 9);
const CRect kStripPolarity(37, 71, 37 + 24, 71 + 11);
const CRect kStripMute(37, 96, 37 + 25, 96 + 10);
const CRect kStripDelayEdit(30, 122, 30 + 34, 122 + 9);
const CRect kStripLink(78, 163, 78 + 21, 163 + 10);

QFont StripTemplateFont()
{
    return DialogFont(QStringLiteral("Arial"), 7);
}

void PlaceStripButton(CBitButton& button, const CRect& du, int id)
{
    button.setGeometry(MapDialogRect(du, StripTemplateFont()).ToQRect());
    SetDlgCtrlID(&button, id);
}
}  // namespace

COutRouteDlg::COutRouteDlg(QWidget* parent)
    : QWidget(parent), m_btnSpeakerType(this), m_btnLink(this), m_btnSelect(this), m_btnMute(this),
      m_btnPolarity(this)
{
}

COutRouteDlg::~COutRouteDlg() = default;

bool COutRouteDlg::Create(QWidget* parent)
{
    setParent(parent);
    resize(MapDialogRect(kStripDialog, StripTemplateFont()).Size());
    PlaceStripButton(m_btnSelect, kStripSelect, IDC_SELECT);
    PlaceStripButton(m_btnSpeakerType, kStripSpeakerType, IDC_SPEAKER_TYPE);
    PlaceStripButton(m_btnPolarity, kStripPolarity, IDC_POLARITY);
    PlaceStripButton(m_btnMute, kStripMute, IDC_MUTE);
    PlaceStripButton(m_btnLink, kStripLink, IDC_LINK);
    m_rcLevel = MapDialogRect(kStripLevelEdit, StripTemplateFont()).ToQRect();
    m_rcDelay = MapDialogRect(kStripDelayEdit, StripTemplateFont()).ToQRect();
    return OnInitDialog();
}

bool COutRouteDlg::OnInitDialog()
{
    // The link-group button is never shown nor enabled.
    m_btnLink.hide();
    m_btnLink.setEnabled(false);
    m_btnSpeakerType.SetBitmaps(594, 595, 596, 596, 596, 596);
    m_btnSpeakerType.SetTextColors(QColor(220, 220, 220), QColor(255, 102, 0), QColor(255, 102, 0),
                                   QColor(220, 220, 220), QColor(220, 220, 220), QColor(220, 220, 220));
    m_btnSpeakerType.SetFonts(&g_fontArial14, &g_fontArial14, &g_fontArial14, &g_fontArial14, &g_fontArial14,
                              true);
    SetOutputOn(m_bOn);
    SetLanguage(m_bChinese != 0);
    return true;
}

void COutRouteDlg::SetBackgroundBitmap(UINT normal, UINT, UINT, UINT)
{
    m_bmpBackground = CResourceStore::Image(QStringLiteral("BMP"), normal);
    m_nBackWidth = m_bmpBackground.width();
    m_nBackHeight = m_bmpBackground.height();
    update();
}

void COutRouteDlg::SetSelectButtonBitmaps(UINT normal, UINT hover, UINT down)
{
    // Selected shows the pressed picture.
    m_btnSelect.SetBitmaps(normal, hover, down, down, down, down);
}

void COutRouteDlg::SetSelected(bool selected)
{
    m_btnSelect.SetCheck(selected);
}

void COutRouteDlg::SetLevelSliderChannelBitmaps(UINT id, UINT activeId, bool, COLORREF, int, int)
{
    m_nChannelId = id;
    m_nChannelActiveId = activeId;
}

void COutRouteDlg::SetLevelSliderThumbBitmaps(UINT id, UINT activeId, bool, COLORREF, int, int)
{
    m_nThumbId = id;
    m_nThumbActiveId = activeId;
}

void COutRouteDlg::SetLevel(int level)
{
    m_nLevel = level;
    update();
}

void COutRouteDlg::SetDelay(int steps)
{
    m_nDelay = steps;
    update();
}

void COutRouteDlg::SetOutputOn(int on)
{
    m_bOn = on;
    // Unmuted shows the plain pictures, muted the lit ones.
    if (on != 0)
        m_btnMute.SetBitmaps(IDB_MUTE_NORMAL, IDB_MUTE_HOVER, IDB_MUTE_ON, 0, 0, 0);
    else
        m_btnMute.SetBitmaps(IDB_MUTE_ON, IDB_MUTE_ON_HOVER, IDB_MUTE_NORMAL, 0, 0, 0);
}

void COutRouteDlg::SetSource(int source, int on)
{
    if (source >= 1 && source <= SOURCE_COUNT)
        m_abSource[source - 1] = on;
}

void COutRouteDlg::SetDelayUnit(int unit)
{
    if (unit >= DELAY_UNIT_MS && unit <= DELAY_UNIT_INCH)
        m_nDelayUnit = unit;
}

void COutRouteDlg::SetLanguage(bool chinese)
{
    m_bChinese = chinese ? 1 : 0;
    if (chinese)
        m_btnPolarity.SetBitmaps(4380, 4381, 4383, 4383, 4384, 4383);
    else
        m_btnPolarity.SetBitmaps(4370, 4371, 4373, 4373, 4374, 4373);
}

QString COutRouteDlg::SpeakerTypeText(int code, bool chinese)
{
    QString text = CResourceStore::Text((chinese ? IDS_SPEAKER_TYPE_CN : IDS_SPEAKER_TYPE_EN) + UINT(code));
    // "&&" in the string table shows one "&".
    return text.replace(QStringLiteral("&&"), QStringLiteral("&"));
}

void COutRouteDlg::ShowSpeakerType()
{
    if (m_nChannel < 0 || m_nChannel >= OUTPUT_COUNT)
        return;
    m_btnSpeakerType.setText(SpeakerTypeText(PositionCodeOrNone(g_byOutputPosition[m_nChannel]), g_bChinese));
    m_btnSpeakerType.update();
}

LRESULT COutRouteDlg::WindowProc(UINT, WPARAM, LPARAM)
{
    return 0;
}

void COutRouteDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_bmpBackground);
    if (m_pOutput == nullptr)
        return;
    painter.setFont(g_fontArial12);
    for (const auto& [rect, text] : {std::pair<QRect, QString>(m_rcLevel, m_pOutput->FormatGain()),
                                     std::pair<QRect, QString>(m_rcDelay, m_pOutput->FormatDelay())}) {
        painter.fillRect(rect, Qt::white);
        painter.setPen(Qt::black);
        painter.drawText(rect, Qt::AlignCenter, text);
    }
}
