#include "app/DisplayDlg.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>

#include "link/LinkDisplays.h"
#include "model/LinkState.h"
#include "pages/input/Adv_Seting.h"
#include "platform/core/Language.h"

CDisplayDlg* g_pDisplayDlg = nullptr;
QWidget* g_pProgramDlg = nullptr;

namespace {
enum : int {
    POPUP_WIDTH = 260,
    POPUP_HEIGHT = 90,
    POPUP_MARGIN = 10,
    POPUP_LABEL_Y = 12,
    POPUP_LABEL_HEIGHT = 26,
    POPUP_BAR_Y = 50,
    POPUP_BAR_HEIGHT = 18,
    POPUP_LABEL_FONT_HEIGHT = 18,
};
constexpr DWORD POPUP_LABEL_STYLE = 0x21;  // normal weight, centred
const QColor POPUP_TEXT_COLOUR(0, 0, 128);
const QColor POPUP_BLINK_COLOUR(255, 0, 0);
const QColor POPUP_LABEL_BACKGROUND(230, 230, 230);
const QColor POPUP_BACKGROUND(229, 229, 229);
}  // namespace

CDisplayDlg::CDisplayDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_label(this), m_progress(this), m_timers(this, [this](UINT id) { OnTimer(id); })
{
    setModal(false);
    setFixedSize(POPUP_WIDTH, POPUP_HEIGHT);
    m_label.setGeometry(POPUP_MARGIN, POPUP_LABEL_Y, POPUP_WIDTH - 2 * POPUP_MARGIN, POPUP_LABEL_HEIGHT);
    m_progress.setGeometry(POPUP_MARGIN, POPUP_BAR_Y, POPUP_WIDTH - 2 * POPUP_MARGIN, POPUP_BAR_HEIGHT);
    OnInitDialog();
}

CDisplayDlg::~CDisplayDlg()
{
    m_timers.KillTimer(TIMER_BLINK);
    // The worker must not reach a bar that is going.
    if (g_pTransferProgress.Get() == m_progress.Display())
        g_pTransferProgress.Clear();
    for (QPointer<QWidget>& window : m_disabled) {
        if (window)
            window->setEnabled(true);
    }
    if (g_pDisplayDlg == this)
        g_pDisplayDlg = nullptr;
}

void CDisplayDlg::OnInitDialog()
{
    m_brBackground = QBrush(POPUP_BACKGROUND);
    m_label.SetFontStyle(QString(), POPUP_LABEL_FONT_HEIGHT, POPUP_TEXT_COLOUR, POPUP_LABEL_STYLE);
    m_label.SetBkColor(POPUP_LABEL_BACKGROUND);
    ApplyTexts();
    m_bFromDialog = false;
    m_bFactoryMode = false;
}

void CDisplayDlg::ApplyTexts()
{
    const bool chinese = g_bChinese;
    if (m_bFactoryMode) {
        m_label.SetText(chinese ? QStringLiteral("正在恢复出厂设置") : QStringLiteral("Load factory defaults"));
        setWindowTitle(chinese ? QStringLiteral("高级") : QStringLiteral("Advanced"));
    } else {
        m_label.SetText(chinese ? QStringLiteral("数据正在传输中") : QStringLiteral("Data transmission"));
        setWindowTitle(chinese ? QStringLiteral("数据传输") : QStringLiteral("Data transmission"));
    }
}

void CDisplayDlg::DisableWindow(QWidget* window)
{
    if (window == nullptr || !window->isEnabled())
        return;
    window->setEnabled(false);
    m_disabled.emplace_back(window);
}

void CDisplayDlg::ShowPopup(bool fromDialog)
{
    m_bFromDialog = fromDialog;
    move(SHOW_X, SHOW_Y);
    ApplyTexts();
    // A factory reset is started from the advanced settings dialog, every
    // other transfer from a dialog by the machine-preset dialog; either may
    // not be open, and then nothing is disabled.
    if (fromDialog) {
        DisableWindow(m_bFactoryMode ? static_cast<QWidget*>(g_pAdvSetingDlg) : g_pProgramDlg);
    } else {
        DisableWindow(parentWidget());
    }
    // Disabling the parent reaches its child windows too: the popup stays
    // usable (it takes Enter and Escape for itself).
    setEnabled(true);
    m_bShown = true;
    if (QWidget* parent = parentWidget()) {
        const QPoint centre = parent->mapToGlobal(parent->rect().center());
        move(centre.x() - width() / 2, centre.y() - height() / 2);
    }
    show();
    raise();
    m_timers.SetTimer(TIMER_BLINK, BLINK_MS);
}

void CDisplayDlg::HidePopup()
{
    m_timers.KillTimer(TIMER_BLINK);
    for (QPointer<QWidget>& window : m_disabled) {
        if (window)
            window->setEnabled(true);
    }
    m_disabled.clear();
    m_bFromDialog = false;
    m_bFactoryMode = false;
    m_bShown = false;
    hide();
}

void CDisplayDlg::SetFactoryResetMode()
{
    m_bFactoryMode = true;
    m_progress.SetRange(0, FACTORY_RANGE);
    m_progress.SetPos(0);
}

void CDisplayDlg::DestroyPopup()
{
    m_timers.KillTimer(TIMER_BLINK);
    if (g_pTransferProgress.Get() == m_progress.Display())
        g_pTransferProgress.Clear();
    HidePopup();
}

void CDisplayDlg::OnTimer(UINT id)
{
    if (id != TIMER_BLINK)
        return;
    const bool chinese = g_bChinese;
    const int upper = m_progress.GetRangeUpper();
    if (g_bTransferBusy) {
        m_bShown = !m_bShown;
        m_label.SetTextColor(m_bShown ? POPUP_TEXT_COLOUR : POPUP_BLINK_COLOUR);
        if (m_bFactoryMode) {
            m_nCreep = m_progress.GetPos();
            if (m_nCreep < upper - 2)
                ++m_nCreep;
            m_progress.SetPos(m_nCreep);
        }
        return;
    }
    if (!m_bFactoryMode) {
        m_label.SetText(chinese ? QStringLiteral("数据传输结束") : QStringLiteral("End of data transmission"));
        HidePopup();
        return;
    }
    if (m_nCreep > upper + FACTORY_CLOSE_TICKS) {
        m_label.SetText(chinese ? QStringLiteral("恢复出厂设置成功") : QStringLiteral("Load factory default success"));
        HidePopup();
    } else if (m_nCreep >= upper) {
        ++m_nCreep;
    } else {
        m_nCreep = upper;
        m_progress.SetPos(upper);
    }
}

void CDisplayDlg::reject()
{
    setFocus();
}

void CDisplayDlg::accept()
{
    setFocus();
}

void CDisplayDlg::keyPressEvent(QKeyEvent* event)
{
    // No key reaches the dialog's own handling: nothing closes the popup.
    setFocus();
    event->accept();
}

void CDisplayDlg::closeEvent(QCloseEvent* event)
{
    event->ignore();
}

void CDisplayDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_brBackground);
}
