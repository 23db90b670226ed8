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
    for (int row = 1; row <= ROW_COUNT; ++row)
        m_nLevel[row - 1] = ShownLevel(row);
}

void CRouteMixCom::ReloadLevels()
{
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
        painter.drawText(edit.ToQRect(), Qt::AlignCenter, QString::number(ShownLevel(row)));
    }
}
