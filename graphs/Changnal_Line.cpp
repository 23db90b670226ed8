#include "graphs/Changnal_Line.h"

#include <QKeyEvent>
#include <QPainter>

#include "controls/BitButton.h"
#include "graphs/CurveStripOwner.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/LogFont.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/WindowAttributes.h"

// Outputs 6 and 7 share their down faces the other way round.
const CChangnal_Line::ButtonSpec CChangnal_Line::kButtons[OUTPUT_COUNT] = {
    {2839, 969, 970, 971},    {2840, 972, 973, 974},    {2819, 975, 976, 977},    {2820, 978, 979, 980},
    {2821, 981, 982, 983},    {2822, 984, 985, 987},    {2823, 988, 989, 986},    {2824, 990, 991, 992},
    {2825, 1193, 1194, 1195}, {2826, 1196, 1197, 1198}, {2827, 1199, 1200, 1201}, {2828, 1202, 1203, 1204},
};

namespace {
// Dialog 967 in dialog units: the strip, and button k at (2, 1 + 9k), 16 x 9.
const CRect kDialog(0, 0, 34, 123);

CRect ButtonUnits(int k)
{
    return CRect(2, 1 + 9 * k, 18, 10 + 9 * k);
}

// The template's font: the system font.
QFont DialogTemplateFont()
{
    return CreateFontIndirect(SystemFontLogFont()).value_or(QFont());
}
}  // namespace

CChangnal_Line::CChangnal_Line(QWidget* parent) : QWidget(parent)
{
    for (int n = 0; n < OUTPUT_COUNT; ++n) {
        // Tab stops, the first one the default button.
        m_btnCurve[n] = new CBitButton(this, n == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        m_btnCurve[n]->setFocusPolicy(Qt::TabFocus);
    }
}

CChangnal_Line::~CChangnal_Line() = default;

bool CChangnal_Line::Create(QWidget* parent)
{
    setParent(parent);
    const QFont font = DialogTemplateFont();
    resize(MapDialogRect(kDialog, font).Size());
    for (int n = 0; n < OUTPUT_COUNT; ++n)
        m_btnCurve[n]->setGeometry(MapDialogRect(ButtonUnits(n), font).ToQRect());
    return OnInitDialog();
}

bool CChangnal_Line::OnInitDialog()
{
    m_bmpBackground = CResourceStore::Image(QStringLiteral("BMP"), IDB_BACKGROUND);
    for (int n = 0; n < OUTPUT_COUNT; ++n) {
        const ButtonSpec& spec = kButtons[n];
        SetDlgCtrlID(m_btnCurve[n], int(spec.id));
        // While the check is on, every face is the down face.
        m_btnCurve[n]->SetBitmaps(spec.normal, spec.hover, spec.down, spec.down, spec.down, spec.down);
    }
    return true;
}

CBitButton* CChangnal_Line::Button(int n) const
{
    return n >= 0 && n < OUTPUT_COUNT ? m_btnCurve[n] : nullptr;
}

void CChangnal_Line::OnCurveButton(UINT id)
{
    for (int n = 0; n < OUTPUT_COUNT; ++n) {
        if (kButtons[n].id != id)
            continue;
        const bool show = !m_btnCurve[n]->GetCheck();
        g_abShowCurve[n] = show;
        m_btnCurve[n]->SetCheck(show);
        // The graph never draws the output being edited in grey.
        if (g_nCurOutput != n && m_pOwnerPage != nullptr)
            m_pOwnerPage->RefreshChannel();
        return;
    }
}

LRESULT CChangnal_Line::WindowProc(UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED)
        OnCurveButton(LOWORD(wParam));
    return 0;
}

void CChangnal_Line::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_bmpBackground);
}

void CChangnal_Line::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        OnOK();
        event->accept();
        return;
    case Qt::Key_Escape:
        OnCancel();
        event->accept();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}
