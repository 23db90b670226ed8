#include "pages/input/InMode_Dlg.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

#include "model/DataDefine.h"
#include "model/ParameterSetLock.h"
#include "model/WindowMessages.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// One bar button: its id, the kind it posts, its slot across the bar, its
// pictures (normal, hover, down) and the Chinese ones (0: none).
struct InModeButton {
    UINT id;
    int kind;
    int slot;
    UINT images;
    UINT chinese;
    bool shown;
};
// In member order.
constexpr InModeButton kInModeButtons[CInMode_Dlg::BUTTONS] = {
    {CInMode_Dlg::IDC_SPDIF, 0, 0, 673, 4448, true},
    {CInMode_Dlg::IDC_HI_LEVEL, 1, 1, 676, 4451, true},
    {CInMode_Dlg::IDC_PHONE, 2, 2, 688, 4454, true},
    {CInMode_Dlg::IDC_AUX1_PAIR, 3, 3, 655, 4430, true},
    {CInMode_Dlg::IDC_AUX2_PAIR, 4, 4, 658, 4433, true},
    {CInMode_Dlg::IDC_AUX3_PAIR, 5, 5, 661, 4436, true},
    {CInMode_Dlg::IDC_AUX1_FOUR, 3, 3, 667, 4439, false},
    {CInMode_Dlg::IDC_AUX2_OF_FOUR, 4, 4, 700, 4442, false},
    {CInMode_Dlg::IDC_AUX3_OF_FOUR, 5, 5, 703, 0, false},
    {CInMode_Dlg::IDC_AUX1_SIX, 3, 3, 670, 4445, false},
    {CInMode_Dlg::IDC_AUX2_OF_SIX, 4, 4, 710, 0, false},
};
// Slots across the bar, in pixels of the bar.
constexpr int kInModeSlotX = 10, kInModeSlotPitch = 100, kInModeSlotY = 10;

int InModeIndexOf(UINT id)
{
    for (int i = 0; i < CInMode_Dlg::BUTTONS; ++i)
        if (kInModeButtons[i].id == id)
            return i;
    return -1;
}

void InModeReadKind(int& kind, int& table)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    kind = g_nInputMode;
    table = g_nSourceTable;
}
}  // namespace

CInMode_Dlg::CInMode_Dlg(QWidget* parent) : QWidget(parent)
{
    for (int i = 0; i < BUTTONS; ++i) {
        m_btn[size_t(i)].setParent(this);
        SetDlgCtrlID(&m_btn[size_t(i)], int(kInModeButtons[i].id));
        m_btn[size_t(i)].setGeometry(kInModeSlotX + kInModeSlotPitch * kInModeButtons[i].slot, kInModeSlotY, 92, 80);
        m_btn[size_t(i)].setVisible(kInModeButtons[i].shown);
    }
}

CInMode_Dlg::~CInMode_Dlg() = default;

bool CInMode_Dlg::Create(QWidget* parent)
{
    setParent(parent);
    return OnInitDialog();
}

bool CInMode_Dlg::OnInitDialog()
{
    m_background = CResourceStore::Image(QStringLiteral("PNG"), IDB_BACKGROUND);
    m_nImageWidth = m_background.width();
    m_nImageHeight = m_background.height();
    if (!m_background.isNull())
        resize(m_nImageWidth, m_nImageHeight);
    m_pOwner = nullptr;
    SetButtonImages();
    // Enter, Escape and Tab of the buttons pass the bar first.
    setFocusPolicy(Qt::ClickFocus);
    installEventFilter(this);
    for (CBtnPng& button : m_btn)
        button.installEventFilter(this);
    return true;
}

void CInMode_Dlg::SetButtonImages()
{
    for (int i = 0; i < BUTTONS; ++i) {
        const InModeButton& b = kInModeButtons[i];
        CBtnPng& button = m_btn[size_t(i)];
        button.SetImages(b.images, b.images + 1, b.images + 2);
        button.SetCheckedImages(b.images + 2, b.images + 2, b.images + 2);
        if (b.chinese != 0)
            button.SetChineseImages(b.chinese, b.chinese + 1, b.chinese + 2, b.chinese + 2, b.chinese + 2,
                                    b.chinese + 2);
    }
}

CBtnPng* CInMode_Dlg::Button(UINT id)
{
    const int i = InModeIndexOf(id);
    return i >= 0 ? &m_btn[size_t(i)] : nullptr;
}

int CInMode_Dlg::KindOfButton(UINT id)
{
    const int i = InModeIndexOf(id);
    return i >= 0 ? kInModeButtons[i].kind : -1;
}

void CInMode_Dlg::SetButtonCheck(UINT id, bool check)
{
    if (CBtnPng* button = Button(id))
        button->SetCheck(check);
}

// ---- Background ----------------------------------------------------------------------

void CInMode_Dlg::CaptureBackground(const QImage& ownerClient)
{
    // The bar's window rectangle in the owner's client coordinates.
    m_captured = QImage(size(), QImage::Format_ARGB32_Premultiplied);
    m_captured.fill(Qt::transparent);
    QPainter painter(&m_captured);
    painter.drawImage(QPoint(0, 0), ownerClient, geometry());
}

void CInMode_Dlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!m_captured.isNull())
        painter.drawImage(0, 0, m_captured);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!m_background.isNull())
        painter.drawImage(QRect(0, 0, width(), height()), m_background);
}

// ---- Showing and checking ---------------------------------------------------------------

void CInMode_Dlg::ShowPhoneButton(int nCmdShow)
{
    m_btn[2].ShowWindow(nCmdShow);
}

void CInMode_Dlg::ShowSpdifButton(int nCmdShow)
{
    m_btn[0].ShowWindow(nCmdShow);
}

void CInMode_Dlg::ShowAuxButtons()
{
    int kind = 0, table = 0;
    InModeReadKind(kind, table);
    struct Shown {
        UINT id;
        int table;
    };
    // 2712 and 2714 stay as the template has them: hidden.
    const Shown auxButtons[] = {{IDC_AUX1_PAIR, 0}, {IDC_AUX2_PAIR, 0}, {IDC_AUX3_PAIR, 0},
                                {IDC_AUX1_FOUR, 1}, {IDC_AUX2_OF_FOUR, 1}, {IDC_AUX1_SIX, 2}};
    if (table < 0 || table > 2)
        return;
    for (const Shown& s : auxButtons)
        Button(s.id)->ShowWindow(s.table == table ? SW_SHOW : SW_HIDE);
}

void CInMode_Dlg::UncheckAll()
{
    int kind = 0, table = 0;
    InModeReadKind(kind, table);
    for (UINT id : {IDC_SPDIF, IDC_HI_LEVEL, IDC_PHONE})
        SetButtonCheck(id, false);
    switch (table) {
    case 0:
        for (UINT id : {IDC_AUX1_PAIR, IDC_AUX2_PAIR, IDC_AUX3_PAIR})
            SetButtonCheck(id, false);
        break;
    case 1:
        for (UINT id : {IDC_AUX1_FOUR, IDC_AUX2_OF_FOUR, IDC_AUX3_OF_FOUR})
            SetButtonCheck(id, false);
        break;
    case 2:
        for (UINT id : {IDC_AUX1_SIX, IDC_AUX2_OF_SIX})
            SetButtonCheck(id, false);
        break;
    default: break;
    }
}

CBtnPng* CInMode_Dlg::ButtonOfKind(int kind, int table, bool checking)
{
    switch (kind) {
    case 0: return Button(IDC_SPDIF);
    case 1: return Button(IDC_HI_LEVEL);
    case 2: return Button(IDC_PHONE);
    case 3: {
        const UINT ids[] = {IDC_AUX1_PAIR, IDC_AUX1_FOUR, IDC_AUX1_SIX};
        return table >= 0 && table <= 2 ? Button(ids[table]) : nullptr;
    }
    case 4: {
        // Checking picks the six-socket AUX1 in AUX mode 2, unchecking the
        // hidden AUX2 button of that mode.
        const UINT ids[] = {IDC_AUX2_PAIR, IDC_AUX2_OF_FOUR, checking ? IDC_AUX1_SIX : IDC_AUX2_OF_SIX};
        return table >= 0 && table <= 2 ? Button(ids[table]) : nullptr;
    }
    case 5:
        if (table == 0)
            return Button(IDC_AUX3_PAIR);
        if (table == 1)
            return Button(checking ? IDC_AUX1_FOUR : IDC_AUX3_OF_FOUR);
        return nullptr;
    case 6: return !checking && table == 0 ? Button(IDC_AUX1_PAIR) : nullptr;
    default: return nullptr;
    }
}

void CInMode_Dlg::CheckCurrentKind()
{
    UncheckAll();
    int kind = 0, table = 0;
    InModeReadKind(kind, table);
    if (CBtnPng* button = ButtonOfKind(kind, table, true))
        button->SetCheck(true);
}

void CInMode_Dlg::UncheckCurrentKind()
{
    int kind = 0, table = 0;
    InModeReadKind(kind, table);
    if (CBtnPng* button = ButtonOfKind(kind, table, false))
        button->SetCheck(false);
}

void CInMode_Dlg::RedrawButtons()
{
    for (UINT id : {IDC_HI_LEVEL, IDC_AUX1_PAIR, IDC_AUX2_PAIR, IDC_AUX3_PAIR, IDC_AUX1_FOUR, IDC_AUX2_OF_FOUR,
                    IDC_AUX1_SIX, IDC_SPDIF, IDC_PHONE})
        Button(id)->update();
}

// ---- Clicks and keys ------------------------------------------------------------------------

void CInMode_Dlg::OnKindButton(UINT id)
{
    const int k = KindOfButton(id);
    if (k < 0)
        return;
    int kind = 0, table = 0;
    InModeReadKind(kind, table);
    if (kind != k) {
        UncheckCurrentKind();
        SetButtonCheck(id, true);
    }
    PostMessage(m_pOwner, WM_INPUT_KIND_SELECT, 0, LPARAM(k));
}

LRESULT CInMode_Dlg::WindowProc(UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED)
        OnKindButton(UINT(LOWORD(wParam)));
    return 0;
}

bool CInMode_Dlg::PreTranslateMessage(QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        setFocus(Qt::OtherFocusReason);
        return true;
    default: return false;
    }
}

bool CInMode_Dlg::eventFilter(QObject* watched, QEvent* event)
{
    if (PreTranslateMessage(event))
        return true;
    return QWidget::eventFilter(watched, event);
}

bool CInMode_Dlg::focusNextPrevChild(bool)
{
    return false;
}
