#include "pages/input/AddSet_Dlg.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "model/SharedTexts.h"
#include "model/WindowMessages.h"
#include "pages/MainView.h"
#include "pages/input/Add_PW_Dlg.h"
#include "platform/core/Language.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/LogFont.h"
#include "platform/gui/ModalDialog.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// Template 874 in dialog units of the system font: where each control's
// top-left corner stands (the buttons take their bitmaps' sizes).
struct PanelPlace {
    int id;
    int x, y;
};
const PanelPlace kPanelPlaces[] = {
    {2819, 11, 7},   {2820, 139, 12}, {2821, 150, 9},  {2822, 22, 62},  {2823, 96, 62},  {2824, 22, 104},
    {2825, 96, 104}, {2826, 22, 160}, {2827, 96, 160}, {2828, 22, 202}, {2829, 96, 202}, {2830, 22, 244},
    {2831, 96, 244}, {2832, 36, 224}, {2833, 36, 248}, {2834, 55, 286}, {2835, 59, 295},
};
const CRect kPanelDialog(0, 0, 187, 316);

QFont PanelTemplateFont()
{
    return CreateFontIndirect(SystemFontLogFont()).value_or(QFont());
}
}  // namespace

CAddSet_Dlg::CAddSet_Dlg(QWidget* parent)
    : QDialog(parent),
      m_btnPreset9(this),
      m_btnPreset8(this),
      m_btnPreset7(this),
      m_btnPreset6(this),
      m_btnPreset5(this),
      m_btnPreset4(this),
      m_btnPreset3(this),
      m_btnPreset1(this),
      m_btnPreset2(this),
      m_btnPreset10(this),
      m_btnPresetsPage(this),
      m_btnBack(this),
      m_btnAdvanced(this),
      m_btnMinimize(this),
      m_btnLanguage(this),
      m_btnConnect(this),
      m_btnClose(this)
{
    setFont(PanelTemplateFont());
    setFocusPolicy(Qt::ClickFocus);
}

CBitButton& CAddSet_Dlg::PresetButton(int n)
{
    CBitButton* const buttons[PRESET_BUTTONS] = {&m_btnPreset1, &m_btnPreset2, &m_btnPreset3, &m_btnPreset4,
                                                 &m_btnPreset5, &m_btnPreset6, &m_btnPreset7, &m_btnPreset8,
                                                 &m_btnPreset9, &m_btnPreset10};
    return *buttons[std::clamp(n, 1, int(PRESET_BUTTONS)) - 1];
}

bool CAddSet_Dlg::Create()
{
    const QFont font = PanelTemplateFont();
    CBitButton* const byId[] = {&m_btnConnect,  &m_btnMinimize, &m_btnClose,      &m_btnPreset1, &m_btnPreset2,
                                &m_btnPreset3,  &m_btnPreset4,  &m_btnPreset5,    &m_btnPreset6, &m_btnPreset7,
                                &m_btnPreset8,  &m_btnPreset9,  &m_btnPreset10,   &m_btnAdvanced, &m_btnPresetsPage,
                                &m_btnBack,     &m_btnLanguage};
    for (std::size_t i = 0; i < std::size(kPanelPlaces); ++i) {
        const PanelPlace& place = kPanelPlaces[i];
        byId[i]->move(MapDialogRect(CRect(place.x, place.y, place.x, place.y), font).TopLeft());
        SetDlgCtrlID(byId[i], place.id);
    }
    // Presets 7 to 10 have no skins and no page shows them.
    for (int n = PRESETS_SHOWN + 1; n <= PRESET_BUTTONS; ++n)
        PresetButton(n).hide();
    const bool done = OnInitDialog();
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    return done;
}

bool CAddSet_Dlg::OnInitDialog()
{
    // 1.
    m_bmpPresetsCn = CResourceStore::Image(QStringLiteral("BMP"), IDB_PRESETS_CN);
    m_bmpPresetsEn = CResourceStore::Image(QStringLiteral("BMP"), IDB_PRESETS_EN);
    m_bmpMain = CResourceStore::Image(QStringLiteral("BMP"), IDB_MAIN);
    m_bAdvancedRequested = 0;
    m_nCurPreset = 0;
    // 2.
    setFixedSize(!m_bmpPresetsCn.isNull() ? m_bmpPresetsCn.size()
                                          : MapDialogRect(kPanelDialog, PanelTemplateFont()).Size());
    // 3.
    m_btnLanguage.SetBitmaps(878, 879, 880, 881, 882, 883);
    ApplyLanguageSkins();
    for (int n = 5; n <= PRESETS_SHOWN; ++n)
        PresetButton(n).SetBitmaps(896 + UINT(n) - 1, 906 + UINT(n) - 1, 906 + UINT(n) - 1, 906 + UINT(n) - 1,
                                   906 + UINT(n) - 1, 906 + UINT(n) - 1);
    m_btnMinimize.SetBitmaps(934, 935, 935, 0, 0, 0);
    m_btnClose.SetBitmaps(936, 937, 937, 0, 0, 0);
    for (int n = 1; n <= PRESETS_SHOWN; ++n)
        PresetButton(n).SetCheck(false);
    for (CBitButton* button : {&m_btnAdvanced, &m_btnPresetsPage, &m_btnMinimize, &m_btnClose})
        button->SetCheck(false);
    // 4. A top-level window with its own taskbar button.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowMinMaxButtonsHint);
    setWindowTitle(g_strPanelTitle);
    // 5.
    ShowPage(m_nPage);
    return true;
}

void CAddSet_Dlg::ApplyLanguageSkins()
{
    const bool chinese = g_bChinese;
    if (chinese) {
        m_btnConnect.SetBitmaps(884, 885, 885, 886, 887, 887);
        m_btnBack.SetBitmaps(888, 889, 889, 0, 0, 0);
        m_btnAdvanced.SetBitmaps(924, 925, 926, 0, 0, 0);
        m_btnPresetsPage.SetBitmaps(930, 931, 931, 0, 0, 0);
    } else {
        m_btnConnect.SetBitmaps(890, 891, 891, 892, 893, 893);
        m_btnBack.SetBitmaps(894, 895, 895, 0, 0, 0);
        m_btnAdvanced.SetBitmaps(927, 928, 929, 0, 0, 0);
        m_btnPresetsPage.SetBitmaps(932, 933, 933, 0, 0, 0);
    }
    for (int i = 0; i < 4; ++i) {
        const UINT normal = (chinese ? 896 : 916) + UINT(i);
        const UINT lit = (chinese ? 906 : 920) + UINT(i);
        PresetButton(i + 1).SetBitmaps(normal, lit, lit, lit, lit, lit);
    }
}

void CAddSet_Dlg::ShowPage(int page)
{
    m_nPage = page;
    const bool presets = page != 0;
    for (int n = 1; n <= PRESETS_SHOWN; ++n)
        PresetButton(n).setVisible(presets);
    m_btnBack.setVisible(presets);
    m_btnAdvanced.setVisible(!presets);
    m_btnPresetsPage.setVisible(!presets);
    m_btnLanguage.setVisible(!presets);
    m_btnLanguage.SetCheck(g_bChinese);
    update();
}

void CAddSet_Dlg::OnPresetButton(int n)
{
    // The device holds presets 1 to 6 only.
    if (n < 1 || n > PRESETS_SHOWN)
        return;
    if (g_pView != nullptr && g_pView->IsConnected()) {
        g_pView->RecallPreset(n, 1);
        UncheckLitPreset();
        m_nCurPreset = n - 1;
        PresetButton(n).SetCheck(true);
        return;
    }
    AppMessageBox(g_bChinese ? QStringLiteral("连接失败  请检查USB线缆是否插好或重启计算机和设备后再尝试连接!")
                             : QStringLiteral("Connection failure!"),
                  MB_OK, 0);
}

void CAddSet_Dlg::UncheckLitPreset()
{
    PresetButton(m_nCurPreset + 1).SetCheck(false);
}

void CAddSet_Dlg::OnConnectButton()
{
    const bool connected = g_pView != nullptr && g_pView->ToggleConnection() != 0;
    if (connected) {
        m_btnConnect.SetCheck(true);
        return;
    }
    m_btnConnect.SetCheck(false);
    UncheckLitPreset();
}

void CAddSet_Dlg::OnAdvancedButton()
{
    CAdd_PW_Dlg prompt(nullptr);
    prompt.Create();
    RunModalDialog(prompt);
    if (prompt.m_bPasswordAccepted == 1) {
        m_bAdvancedRequested = 1;
        done(IDOK);
    }
}

void CAddSet_Dlg::OnLanguageButton()
{
    g_bChinese = g_bChinese ? 0 : 1;
    m_btnLanguage.SetCheck(g_bChinese);
    ApplyLanguageSkins();
    if (g_pView != nullptr)
        g_pView->ApplyLanguage();
}

void CAddSet_Dlg::OnCloseButton()
{
    // A transfer shows its popup: the panel stays.
    if (g_pView != nullptr) {
        if (g_pView->IsTransferPopupShown())
            return;
        g_pView->RenewTransferPopup();
    }
    done(IDCANCEL);
}

void CAddSet_Dlg::OnPresetReceived(WPARAM n)
{
    if (n < 1 || n > WPARAM(PRESETS_SHOWN))
        return;
    UncheckLitPreset();
    m_nCurPreset = int(n) - 1;
    PresetButton(int(n)).SetCheck(true);
}

void CAddSet_Dlg::OnLinkFailed()
{
    m_btnConnect.SetCheck(false);
    UncheckLitPreset();
}

LRESULT CAddSet_Dlg::WindowProc(UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_COMMAND: {
        const int id = int(LOWORD(wParam));
        if (id >= IDC_PRESET_1 && id <= IDC_PRESET_10)
            OnPresetButton(id - IDC_PRESET_1 + 1);
        else if (id == IDC_PRESETS_PAGE)
            ShowPage(1);
        else if (id == IDC_BACK)
            ShowPage(0);
        else if (id == IDC_ADVANCED)
            OnAdvancedButton();
        else if (id == IDC_MINIMIZE)
            SendMessage(this, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        else if (id == IDC_LANGUAGE)
            OnLanguageButton();
        else if (id == IDC_CONNECT)
            OnConnectButton();
        else if (id == IDC_CLOSE)
            OnCloseButton();
        return 0;
    }
    case WM_SYSCOMMAND:
        if (wParam == SC_MINIMIZE)
            showMinimized();
        return 0;
    case WM_PRESET_RECEIVED:
        OnPresetReceived(wParam);
        return 0;
    case WM_LINK_FAILED:
        OnLinkFailed();
        return 0;
    default:
        return 0;
    }
}

bool CAddSet_Dlg::PreTranslateMessage(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        setFocus(Qt::OtherFocusReason);
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // No dialog navigation.
        return true;
    default:
        return false;
    }
}

bool CAddSet_Dlg::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        PreTranslateMessage(static_cast<QKeyEvent*>(event));
        // The panel's own keys go nowhere else.
        return true;
    }
    return QDialog::event(event);
}

bool CAddSet_Dlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && PreTranslateMessage(static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

void CAddSet_Dlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QImage& back = m_nPage == 0 ? m_bmpMain : (g_bChinese ? m_bmpPresetsCn : m_bmpPresetsEn);
    if (!back.isNull())
        painter.drawImage(0, 0, back);
}

void CAddSet_Dlg::mousePressEvent(QMouseEvent* event)
{
    // A press on the background drags the window.
    if (event->button() == Qt::LeftButton && windowHandle() != nullptr)
        windowHandle()->startSystemMove();
    QDialog::mousePressEvent(event);
}

void CAddSet_Dlg::reject()
{
    // Only the close button ends the panel without the advanced request.
    setFocus(Qt::OtherFocusReason);
}
