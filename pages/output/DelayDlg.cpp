#include "pages/output/DelayDlg.h"

#include <QKeyEvent>
#include <QPainter>

#include "model/WindowMessages.h"
#include "pages/output/OutputDlg.h"
#include "platform/core/Language.h"
#include "platform/gui/DialogKeys.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// Dialog 103 in dialog units of MS Sans Serif 8.
const CRect kDelayPanel(0, 0, 51, 149);
const CRect kDelayMs(9, 16, 22, 26);
const CRect kDelayCm(9, 36, 22, 46);
const CRect kDelayInch(9, 57, 22, 67);
const CRect kDelayRemap(9, 80, 22, 90);
const CRect kDelayLock(9, 100, 22, 110);
const CRect kDelayLink(9, 120, 22, 130);

// Pictures of a unit button: selected, then not selected (normal, hover,
// pressed), Chinese and English.
struct DelayUnitFaces {
    UINT selectedCn[3], idleCn[3], selectedEn[3], idleEn[3];
};
const DelayUnitFaces kDelayUnitFaces[3] = {
    {{4332, 4332, 4330}, {4330, 4331, 4332}, {4322, 4322, 4320}, {4320, 4321, 4322}},
    {{4335, 4335, 4333}, {4333, 4334, 4335}, {4325, 4325, 4323}, {4323, 4324, 4325}},
    {{4338, 4338, 4336}, {4336, 4337, 4338}, {4328, 4328, 4326}, {4326, 4327, 4328}},
};

// The hidden buttons' six faces, Chinese and English.
struct DelayButtonFaces {
    UINT cn[6], en[6];
};
const DelayButtonFaces kDelayRemapFaces = {{1166, 1167, 1168, 0, 0, 0}, {1169, 1170, 1171, 0, 0, 0}};
const DelayButtonFaces kDelayLockFaces = {{1146, 1150, 1156, 1160, 1161, 1146}, {1157, 1158, 1159, 1162, 1163, 1157}};
const DelayButtonFaces kDelayLinkFaces = {{1138, 1139, 1140, 1140, 1141, 1138}, {1142, 1143, 1144, 1144, 1145, 1142}};

QFont DelayPanelFont()
{
    return DialogFont(QStringLiteral("MS Sans Serif"), 8);
}

void DelaySetFaces(CBitButton& button, const DelayButtonFaces& faces)
{
    const UINT* f = g_bChinese ? faces.cn : faces.en;
    button.SetBitmaps(f[0], f[1], f[2], f[3], f[4], f[5]);
}
}  // namespace

CDelayDlg::CDelayDlg(QWidget* parent)
    : QWidget(parent), m_btnRemap(this), m_btnLink(this), m_btnLock(this), m_btnMs(this), m_btnCm(this),
      m_btnInch(this)
{
}

bool CDelayDlg::Create(QWidget* parent)
{
    setParent(parent);
    const QFont font = DelayPanelFont();
    resize(MapDialogRect(kDelayPanel, font).Size());
    const std::pair<CBitButton*, std::pair<CRect, int>> places[] = {
        {&m_btnMs, {kDelayMs, IDC_MS}},          {&m_btnCm, {kDelayCm, IDC_CM}},
        {&m_btnInch, {kDelayInch, IDC_INCH}},    {&m_btnRemap, {kDelayRemap, IDC_REMAP}},
        {&m_btnLock, {kDelayLock, IDC_LOCK}},    {&m_btnLink, {kDelayLink, IDC_LINK}},
    };
    for (const auto& [button, place] : places) {
        PlaceDialogControl(button, this, place.first, font, place.second);
        button->installEventFilter(this);
    }
    // Hidden and disabled in the template; nothing shows them.
    for (CBitButton* hidden : {&m_btnRemap, &m_btnLock, &m_btnLink}) {
        hidden->hide();
        hidden->setEnabled(false);
    }
    setFocusPolicy(Qt::ClickFocus);
    return OnInitDialog();
}

bool CDelayDlg::OnInitDialog()
{
    SetMsUnitState(m_bMsUnit != 0);
    SetCmUnitState(m_bCmUnit != 0);
    SetInchUnitState(m_bInchUnit != 0);
    m_bmpBackCn = CResourceStore::Image(QStringLiteral("BMP"), IDB_BACK_CN);
    m_bmpBackEn = CResourceStore::Image(QStringLiteral("BMP"), IDB_BACK_EN);
    ApplyLanguageBitmaps();
    return true;
}

void CDelayDlg::SetUnitState(CBitButton& button, int& flag, bool on, int unit)
{
    flag = on ? 1 : 0;
    const DelayUnitFaces& faces = kDelayUnitFaces[unit - 1];
    const UINT* f = g_bChinese ? (on ? faces.selectedCn : faces.idleCn) : (on ? faces.selectedEn : faces.idleEn);
    button.SetBitmaps(f[0], f[1], f[2], 0, 0, 0);
}

void CDelayDlg::SetMsUnitState(bool on)
{
    SetUnitState(m_btnMs, m_bMsUnit, on, UNIT_MS);
}

void CDelayDlg::SetCmUnitState(bool on)
{
    SetUnitState(m_btnCm, m_bCmUnit, on, UNIT_CM);
}

void CDelayDlg::SetInchUnitState(bool on)
{
    SetUnitState(m_btnInch, m_bInchUnit, on, UNIT_INCH);
}

void CDelayDlg::ApplyLanguageBitmaps()
{
    DelaySetFaces(m_btnRemap, kDelayRemapFaces);
    DelaySetFaces(m_btnLock, kDelayLockFaces);
    DelaySetFaces(m_btnLink, kDelayLinkFaces);
}

void CDelayDlg::RefreshLanguage(bool ms, bool cm, bool inch)
{
    SetMsUnitState(ms);
    SetCmUnitState(cm);
    SetInchUnitState(inch);
    ApplyLanguageBitmaps();
    update();
}

void CDelayDlg::PostUnit(int unit)
{
    if (auto* parent = dynamic_cast<CMsgTarget*>(parentWidget()))
        PostMessage(parent, WM_DROPLIST_SELECTED, WPARAM(IDD), LPARAM(unit));
}

void CDelayDlg::OnMsButton()
{
    if (!m_bMsUnit)
        SetMsUnitState(true);
    if (m_bCmUnit)
        SetCmUnitState(false);
    if (m_bInchUnit)
        SetInchUnitState(false);
    PostUnit(UNIT_MS);
}

void CDelayDlg::OnCmButton()
{
    if (!m_bCmUnit)
        SetCmUnitState(true);
    if (m_bMsUnit)
        SetMsUnitState(false);
    if (m_bInchUnit)
        SetInchUnitState(false);
    PostUnit(UNIT_CM);
}

void CDelayDlg::OnInchButton()
{
    if (!m_bInchUnit)
        SetInchUnitState(true);
    if (m_bCmUnit)
        SetCmUnitState(false);
    if (m_bMsUnit)
        SetMsUnitState(false);
    PostUnit(UNIT_INCH);
}

void CDelayDlg::OnRemapButton()
{
    if (m_pPage != nullptr)
        m_pPage->ResetOutputMap();
}

void CDelayDlg::OnLockButton()
{
    const bool was = m_btnLock.GetCheck();
    if (m_pPage != nullptr && m_pPage->ToggleOutputMapLock())
        m_btnLock.SetCheck(!was);
}

void CDelayDlg::OnLinkButton()
{
    const bool was = m_btnLink.GetCheck();
    if (m_pPage != nullptr && m_pPage->SetupLRLink())
        m_btnLink.SetCheck(!was);
}

LRESULT CDelayDlg::WindowProc(UINT message, WPARAM wParam, LPARAM)
{
    if (message != WM_COMMAND)
        return 0;
    switch (int(LOWORD(wParam))) {
    case IDC_MS: OnMsButton(); break;
    case IDC_CM: OnCmButton(); break;
    case IDC_INCH: OnInchButton(); break;
    case IDC_REMAP: OnRemapButton(); break;
    case IDC_LOCK: OnLockButton(); break;
    case IDC_LINK: OnLinkButton(); break;
    default: break;
    }
    return 0;
}

void CDelayDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, g_bChinese ? m_bmpBackCn : m_bmpBackEn);
}

bool CDelayDlg::PreTranslateMessage(QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    return TakeFocusOnEnterOrEscape(this, static_cast<QKeyEvent*>(event));
}

void CDelayDlg::keyPressEvent(QKeyEvent* event)
{
    if (!PreTranslateMessage(event))
        QWidget::keyPressEvent(event);
}

bool CDelayDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (PreTranslateMessage(event))
        return true;
    return QWidget::eventFilter(watched, event);
}
