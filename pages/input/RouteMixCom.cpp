#include "pages/input/RouteMixCom.h"

#include <QPainter>

#include "app/GlobalObjects.h"
#include "model/KTV_OutData.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/ResourceStore.h"

namespace {
// Dialog 966 in dialog units of its font, Arial 7, and the level edit of
// each row (x, y; 22 x 9).
const CRect kColumnDialog(0, 0, 114, 300);
const int kColumnEditY[CRouteMixCom::ROW_COUNT] = {3,   20,  40,  56,  76,  93,  111, 128,
                                            149, 167, 187, 203, 223, 241, 262, 279};
const int kColumnEditX = 3;
const int kColumnEditWidth = 22;
const int kColumnEditHeight = 9;

QFont ColumnTemplateFont()
{
    return DialogFont(QStringLiteral("Arial"), 7);
}
}  // namespace

CRouteMixCom::CRouteMixCom(QWidget* parent) : QWidget(parent) {}

CRouteMixCom::~CRouteMixCom() = default;

bool CRouteMixCom::Create(QWidget* parent)
{
    setParent(parent);
    resize(MapDialogRect(kColumnDialog, ColumnTemplateFont()).Size());
    return true;
}

void CRouteMixCom::SetUpControls()
{
    m_Notify = {m_nOutput, 0};
    m_bmpNormal = CResourceStore::Image(QStringLiteral("BMP"), IDB_BACK);
    m_bmpCurrent = CResourceStore::Image(QStringLiteral("BMP"), IDB_BACK_CURRENT);
    ApplySliderSkins();
    ReloadLevels();
}

void CRouteMixCom::ReloadLevels()
{
    for (int row = 1; row <= ROW_COUNT; ++row) {
        m_nLevel[row - 1] = ShownLevel(row);
        m_nShown[row - 1] = m_nLevel[row - 1];
    }
    update();
}

namespace {
// Whether row 1..16 (odd rows the left sources) sounds at 100 on a speaker
// of position code 0..24.
bool MixRowOnForSpeaker(int code, int row)
{
    const bool left = row % 2 == 1;
    if (code == 0)
        return false;
    if (code <= 6 || (code >= 13 && code <= 15) || code == 22)
        return left;
    if (code <= 12 || (code >= 16 && code <= 18) || code == 23)
        return !left;
    return true;
}
constexpr int kMixDefaultLevel = 100;
}  // namespace

void CRouteMixCom::ApplySpeakerTypeMix(int code)
{
    if (code >= 0 && code < 25) {
        for (int row = 1; row <= ROW_COUNT; ++row)
            m_nLevel[row - 1] = MixRowOnForSpeaker(code, row) ? kMixDefaultLevel : 0;
    }
    for (int row = 1; row <= ROW_COUNT; ++row) {
        m_nShown[row - 1] = m_nLevel[row - 1];
        if (m_pOutData != nullptr)
            m_pOutData->SetMixLevel(row, BYTE(m_nLevel[row - 1]));
    }
    update();
}

void CRouteMixCom::SetRowLevel(int row, int level)
{
    if (row < 1 || row > ROW_COUNT)
        return;
    m_nShown[row - 1] = level;
    update();
}

int CRouteMixCom::RowLevel(int row) const
{
    return row >= 1 && row <= ROW_COUNT ? m_nShown[row - 1] : 0;
}

void CRouteMixCom::ClearSliderSkins()
{
    m_bSliderSkins = false;
    update();
}

void CRouteMixCom::ApplySliderSkins()
{
    m_bSliderSkins = true;
    update();
}

void CRouteMixCom::RefreshLanguage()
{
    update();
}

int CRouteMixCom::ShownLevel(int row) const
{
    return m_pOutData != nullptr ? m_pOutData->GetMixLevel(row) : 0;
}

LRESULT CRouteMixCom::WindowProc(UINT, WPARAM, LPARAM)
{
    return 0;
}

void CRouteMixCom::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_nOutput == g_nCurOutput ? m_bmpCurrent : m_bmpNormal);
    const QFont font = ColumnTemplateFont();
    painter.setFont(g_fontArial12);
    painter.setPen(QColor(0x20, 0x24, 0x2E));
    for (int row = 1; row <= ROW_COUNT; ++row) {
        const CRect edit = MapDialogRect(
            CRect(kColumnEditX, kColumnEditY[row - 1], kColumnEditX + kColumnEditWidth, kColumnEditY[row - 1] + kColumnEditHeight), font);
        painter.fillRect(edit.ToQRect(), Qt::white);
        painter.drawText(edit.ToQRect(), Qt::AlignCenter, QString::number(RowLevel(row)));
    }
}
