// The input page's system settings: input kind, AUX mode, Hi.Level wiring
// and mixer source, the lock byte, and the kind messages exchanged with the
// input-mode bar and the level-and-delay page. The settings are globals of
// the parameter set; the page queues system items through the view.
#include <QMenu>

#include "app/PopupMenus.h"
#include "model/DataDefine.h"
#include "model/InputSourceTable.h"
#include "model/LinkState.h"
#include "model/Music_InData.h"
#include "model/ParameterSetLock.h"
#include "model/WindowMessages.h"
#include "pages/LevelDelayLinks.h"
#include "pages/MainView.h"
#include "pages/input/InPutDlg.h"
#include "platform/core/Language.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/PopupMenu.h"

namespace {
// The source menu's texts of the items that are not the resource's own.
struct InputSourceText {
    int id;
    const char* chinese;
    const char* english;
};
const InputSourceText kInputSourceTexts[] = {
    {174, "数字", "S/PDIF"}, {175, "高电平", "Hi.Level"}, {176, "蓝牙", "Phone"}, {180, "关闭", "OFF"}};

struct InputKindState {
    int kind;
    int table;
    int lock;
};

InputKindState InputKindsRead()
{
    ParameterSetGuard guard(g_ParameterSetLock);
    return {g_nInputMode, g_nSourceTable, g_SystemBytes[CInPutDlg::LOCK_BYTE]};
}

// Kind and AUX mode into the globals and system bytes 0 and 1.
void InputKindsStore(int kind, int table)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    g_nSourceTable = table;
    g_nInputMode = kind;
    g_SystemBytes[1] = BYTE(table);
    g_byInputMode = BYTE(kind);
}

// The number of kinds an AUX mode offers.
int InputKindsOfTable(int table)
{
    return table == 0 ? 6 : (table == 1 ? 5 : 4);
}
}  // namespace

// ---- Helpers ---------------------------------------------------------------------------------

void CInPutDlg::QueueItem(int item)
{
    if (m_pView != nullptr)
        m_pView->QueueCommand(item, 0);
}

void CInPutDlg::UncheckKindButton(int kind)
{
    if (kind >= 0 && kind < KINDS)
        m_btnKind[size_t(kind)].SetCheck(false);
}

void CInPutDlg::CheckKindButton(int kind)
{
    if (kind >= 0 && kind < KINDS)
        m_btnKind[size_t(kind)].SetCheck(true);
}

void CInPutDlg::ShowKindsHiddenBy(int table)
{
    if (table == 1 || table == 2)
        m_btnKind[5].show();
    if (table == 2)
        m_btnKind[4].show();
}

void CInPutDlg::DrainViewMessages()
{
    // The view's own notices wait behind the click: a device status that
    // arrived before the change is stale and goes; the rest are handled now.
    CMsgTarget* view = g_pNotifyView.load();
    if (view == nullptr)
        return;
    DropPostedMessages(view, WM_DEVICE_STATUS);
    view->DeliverPosted();
}

// ---- Lock -----------------------------------------------------------------------------------

void CInPutDlg::SyncAndClearLock()
{
    const InputKindState s = InputKindsRead();
    // The level-and-delay page learns the state before the change.
    if (g_pLevelDelayDlg != nullptr)
        PostMessage(g_pLevelDelayDlg, WM_INPUT_KIND_SYNC, WPARAM(s.lock), LPARAM(s.kind));
    if (s.lock == 0)
        return;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        g_SystemBytes[LOCK_BYTE] = 0;
    }
    m_btnSource.SetCheck(false);
    QueueItem(ITEM_MASTER);
    ApplyLockState();
}

void CInPutDlg::ApplyLockState()
{
    const InputKindState s = InputKindsRead();
    m_pMusic = CurrentMusic();
    if (m_pMusic != nullptr) {
        ParameterSetGuard guard(g_ParameterSetLock);
        m_nEqMode = m_pMusic->GetEqMode();
    }
    SetKindButtonBitmaps(s.lock != 0);
    // The source button shows the lock as its check.
    m_btnSource.SetCheck(s.lock != 0);
    // A kind without a channel keeps its EQ disabled, locked or not.
    EnableEq(s.lock == 0 && m_pMusic != nullptr);
}

// ---- Kinds ------------------------------------------------------------------------------------

void CInPutDlg::OnKindButton(int kind)
{
    if (kind < 0 || kind >= KINDS)
        return;
    // 1.
    SyncAndClearLock();
    // 2.
    const InputKindState s = InputKindsRead();
    if (s.kind == kind)
        return;
    // 3.
    UncheckKindButton(s.kind);
    InputKindsStore(kind, s.table);
    // 4.
    UpdateSourceButton(kind, s.table);
    // 5. The lock step cleared the byte already; a byte set since is cleared too.
    if (InputKindsRead().lock != 0) {
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            g_SystemBytes[LOCK_BYTE] = 0;
        }
        m_btnSource.SetCheck(false);
        QueueItem(ITEM_MASTER);
    }
    // 6.
    QueueItem(ITEM_INPUTS);
    RefreshModeButtons();
    DrainViewMessages();
}

void CInPutDlg::OnInputKindSelect(int kind)
{
    if (kind < 0 || kind >= KINDS)
        return;
    SyncAndClearLock();
    const InputKindState s = InputKindsRead();
    if (kind != s.kind)
        UncheckKindButton(s.kind);
    InputKindsStore(kind, s.table);
    UpdateSourceButton(kind, s.table);
    QueueItem(ITEM_INPUTS);
    RefreshModeButtons();
    DrainViewMessages();
}

void CInPutDlg::SelectAuxMode(int table)
{
    if (table < 0 || table >= AUX_MODES)
        return;
    // 1.
    SyncAndClearLock();
    const InputKindState s = InputKindsRead();
    if (table == s.table)
        return;
    // 2.-3.
    ShowKindsHiddenBy(s.table);
    for (CBitButton& button : m_btnAuxMode)
        button.SetCheck(false);
    // 4. The kind fitted to the kinds the new mode offers.
    int kind = s.kind;
    if (kind >= InputKindsOfTable(table))
        kind = 3;
    // 5.
    UncheckKindButton(s.kind);
    InputKindsStore(kind, table);
    // 6.
    UpdateSourceButton(kind, table);
    QueueItem(ITEM_INPUTS);
    RefreshModeButtons();
    DrainViewMessages();
}

void CInPutDlg::SetKindAndTable(int table, int kind)
{
    if (table < 0 || table >= AUX_MODES || kind < 0 || kind >= KINDS)
        return;
    const InputKindState s = InputKindsRead();
    ShowKindsHiddenBy(s.table);
    UncheckKindButton(s.kind);
    InputKindsStore(kind, table);
    QueueItem(ITEM_INPUTS);
    RefreshModeButtons();
}

void CInPutDlg::AdoptInputKind(int kind)
{
    if (kind < 0 || kind >= KINDS)
        return;
    const InputKindState s = InputKindsRead();
    if (kind == s.kind || s.kind > 6)
        return;
    UncheckKindButton(s.kind);
    InputKindsStore(kind, s.table);
    RefreshModeButtons();
}

void CInPutDlg::OnInputKindSync(WPARAM lock, LPARAM kind)
{
    if (lock != 0) {
        m_btnSource.SetCheck(false);
        ApplyLockState();
    }
    const InputKindState s = InputKindsRead();
    if (int(kind) != s.kind) {
        UncheckKindButton(int(kind));
        RefreshModeButtons();
    }
}

// ---- Mode buttons -----------------------------------------------------------------------------

void CInPutDlg::RefreshModeButtons()
{
    const InputKindState s = InputKindsRead();
    // 1.
    ShowKindImage();
    // 2.
    for (CBitButton& button : m_btnAuxMode)
        button.SetCheck(false);
    m_modeBar.ShowAuxButtons();
    // 3.
    if (s.table == 0) {
        m_btnAuxMode[0].SetCheck(true);
    } else if (s.table == 1) {
        m_btnKind[5].hide();
        m_btnAuxMode[1].SetCheck(true);
    } else if (s.table == 2) {
        m_btnKind[4].hide();
        m_btnKind[5].hide();
        m_btnAuxMode[2].SetCheck(true);
    }
    // 4.
    m_modeBar.CheckCurrentKind();
    CheckKindButton(s.kind);
    // 5.
    RefreshChannel();
}

void CInPutDlg::ResetModeLayout()
{
    int source = CInputSourceTable::SOURCE_OFF, hiLevel = 0;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        source = g_InputSourceTable.m_nCurrentSource;
        hiLevel = g_byHiLevelMode;
    }
    SetSourceButtonBitmaps(source);
    m_btnHiLevel1Way.SetCheck(false);
    m_btnHiLevel2Way.SetCheck(false);
    if (hiLevel == 0)
        m_btnHiLevel1Way.SetCheck(true);
    else if (hiLevel == 1)
        m_btnHiLevel2Way.SetCheck(true);
    ArrangeModeButtons();
    const InputKindState s = InputKindsRead();
    ShowKindsHiddenBy(s.table);
    UncheckKindButton(s.kind);
    RefreshSourceButton();
}

void CInPutDlg::RefreshSourceButton()
{
    int source = CInputSourceTable::SOURCE_OFF, hiLevel = 0;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        source = g_InputSourceTable.m_nCurrentSource;
        hiLevel = g_byHiLevelMode;
    }
    SetSourceButtonBitmaps(source);
    if (hiLevel == 0)
        m_btnHiLevel1Way.SetCheck(true);
    else if (hiLevel == 1)
        m_btnHiLevel2Way.SetCheck(true);
}

// ---- Sources ------------------------------------------------------------------------------------

void CInPutDlg::UpdateSourceButton(int, int)
{
    int still = 1;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        still = g_InputSourceTable.SelectMode(g_nInputMode, g_nSourceTable);
        if (still == 0)
            g_byInputSource = 255;
    }
    if (still == 0)
        SetSourceButtonBitmaps(CInputSourceTable::SOURCE_OFF);
}

void CInPutDlg::OnSourceButton()
{
    if (m_menuSource == nullptr)
        return;
    for (const InputSourceText& item : kInputSourceTexts)
        if (QAction* action = FindMenuItem(m_menuSource, item.id))
            action->setText(QString::fromUtf8(g_bChinese ? item.chinese : item.english));
    int enabled[CInputSourceTable::SOURCES] = {};
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        for (int p = 0; p < CInputSourceTable::SOURCES; ++p)
            enabled[p] = g_InputSourceTable.m_anEnabled[p];
    }
    for (int p = 0; p < CInputSourceTable::SOURCES; ++p)
        if (QAction* action = FindMenuItem(m_menuSource, ID_SOURCE_FIRST + p))
            action->setEnabled(enabled[p] != 0);
    const QPoint at = m_btnSource.mapToGlobal(QPoint(0, m_btnSource.height() + 2));
    const UINT chosen = TrackPopupMenu(*m_menuSource, at, this);
    // A greyed item is never chosen.
    if (chosen >= UINT(ID_SOURCE_FIRST) && chosen <= UINT(ID_SOURCE_LAST) && enabled[chosen - ID_SOURCE_FIRST] != 0)
        SelectMixerSource(int(chosen) - ID_SOURCE_FIRST);
}

void CInPutDlg::SelectMixerSource(int source)
{
    if (source < 0 || source > CInputSourceTable::SOURCE_OFF)
        return;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        if (g_InputSourceTable.m_nCurrentSource == source)
            return;
        g_InputSourceTable.m_nCurrentSource = source;
        g_byInputSource = source < CInputSourceTable::SOURCE_OFF ? BYTE(source) : BYTE(255);
    }
    RefreshSourceButton();
    QueueItem(ITEM_INPUTS);
}

// ---- Hi.Level -------------------------------------------------------------------------------------

void CInPutDlg::OnHiLevel1Way()
{
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        if (g_byHiLevelMode == 0)
            return;
        g_byHiLevelMode = 0;
    }
    m_btnHiLevel1Way.SetCheck(true);
    m_btnHiLevel2Way.SetCheck(false);
    QueueItem(ITEM_INPUTS);
}

void CInPutDlg::OnHiLevel2Way()
{
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        if (g_byHiLevelMode == 1)
            return;
        g_byHiLevelMode = 1;
    }
    m_btnHiLevel2Way.SetCheck(true);
    m_btnHiLevel1Way.SetCheck(false);
    QueueItem(ITEM_INPUTS);
}
