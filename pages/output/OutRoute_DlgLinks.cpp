// The strip's link groups. Two mechanisms share g_nLinkGroup: the link
// button stores a group number (0 = none, 1..12 = group index + 1) and
// keeps the group tables of app/LinkGroupTables.h; the link-group menu
// stores bit masks over outputs 0..7, kept in the output page's strip
// records. Neither is offered by the running windows (the button is hidden
// and the menu never opens), but both work when driven.
#include <mutex>

#include "app/GlobalObjects.h"
#include "app/LinkGroupTables.h"
#include "app/PopupMenus.h"
#include "graphs/FStatic.h"
#include "model/DataDefine.h"
#include "model/KTV_OutData.h"
#include "model/ParameterSetLock.h"
#include "pages/MainView.h"
#include "pages/output/OutRoute_Dlg.h"
#include "pages/output/OutputDlg.h"
#include "platform/core/Language.h"
#include "platform/core/SendLock.h"

namespace {
// Outputs the link-group menu and the mask queries work on.
constexpr int kStripMaskOutputs = 8;

bool StripIsGroupIndex(int g)
{
    return g >= 0 && g < OUTPUT_COUNT;
}

// The group index of output's number; outside 0..11 when the output holds
// no button group (0, or a mask of the menu).
int StripButtonGroup(int output)
{
    return g_nLinkGroup[output] - 1;
}

// The change scan reads g_nLinkGroup while it builds frames.
void StripSetLinkGroup(int output, int value)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    g_nLinkGroup[output] = value;
}

// Once group g is no longer used, the outputs that left it and wait to
// rejoin it forget it, and so does the group.
void StripForgetGroupIfUnused(int g)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    if (!StripIsGroupIndex(g) || g_abLinkGroupUsed[g] != 0)
        return;
    for (int i = 0; i < OUTPUT_COUNT; ++i)
        if ((g_anLinkGroupMask[g] & (1 << i)) != 0)
            g_aLinkRejoin[i].bPending = 0;
    g_anLinkGroupMask[g] = 0;
}
}  // namespace

IMainView* COutRouteDlg::OwnerView() const
{
    return dynamic_cast<IMainView*>(m_pOwner);
}

void COutRouteDlg::SelectStrip(int i, bool selected) const
{
    if (IMainView* view = OwnerView())
        if (COutRouteDlg* strip = view->OutputStrip(i))
            strip->SetSelected(selected);
}

bool COutRouteDlg::IsStripSelected(int i) const
{
    IMainView* view = OwnerView();
    COutRouteDlg* strip = view != nullptr ? view->OutputStrip(i) : nullptr;
    return strip != nullptr && strip->m_btnSelect.GetCheck();
}

void COutRouteDlg::ShowLinkGroup(int g)
{
    // A number that names no group keeps the picture the button has.
    if (!StripIsGroupIndex(g))
        return;
    m_btnLink.SetCheckedBitmap(UINT(g_bChinese ? m_anLinkBitmapCN[g] : m_anLinkBitmapEN[g]));
}

void COutRouteDlg::EnterLinkGroup(int g)
{
    const int c = m_nChannel;
    ParameterSetGuard guard(g_ParameterSetLock);
    if (StripIsGroupIndex(g)) {
        g_anLinkGroupCount[g] += 1;
        g_anLinkGroupMask[g] |= 1 << c;
    }
    g_aLinkRejoin[c] = {0, g};
}

void COutRouteDlg::StartLinkGroup(int g)
{
    const int c = m_nChannel;
    ShowLinkGroup(g);
    StripSetLinkGroup(c, g + 1);
    g_bLinkJoinArmed = 1;
    g_nLinkLeader = c;
    if (StripIsGroupIndex(g)) {
        ParameterSetGuard guard(g_ParameterSetLock);
        g_abLinkGroupUsed[g] = 1;
    }
    EnterLinkGroup(g);
}

void COutRouteDlg::LeaveLinkGroup(int g, bool rejoin)
{
    const int c = m_nChannel;
    ParameterSetGuard guard(g_ParameterSetLock);
    if (StripIsGroupIndex(g)) {
        g_anLinkGroupCount[g] -= 1;
        if (g_anLinkGroupCount[g] == 0)
            g_abLinkGroupUsed[g] = 0;
        // The way back keeps the output in the group's mask.
        if (!rejoin)
            g_anLinkGroupMask[g] &= ~(1 << c);
    }
    g_aLinkRejoin[c].bPending = rejoin ? 1 : 0;
    g_abOutputEdited[c] = 0;
    g_bLinkJoinArmed = 0;
}

void COutRouteDlg::StartLinkGroupSelected()
{
    const int c = m_nChannel;
    StartLinkGroup(FindFreeLinkGroup());
    for (int i = 0; i < OUTPUT_COUNT; ++i)
        SelectStrip(i, i == c);
    g_nCurOutput = c;
    IMainView* view = OwnerView();
    if (view != nullptr) {
        if (COutputDlg* page = view->OutputPage())
            page->RefreshChannel();
        view->RepaintView();
    }
}

void COutRouteDlg::DeselectForLink()
{
    if (m_nChannel != g_nCurOutput) {
        SelectStrip(m_nChannel, false);
        return;
    }
    for (int i = 0; i < OUTPUT_COUNT; ++i)
        if (i != m_nChannel)
            SelectStrip(i, false);
}

int COutRouteDlg::FirstRemainingMember(int g)
{
    if (!StripIsGroupIndex(g))
        return -1;
    for (int i = 0; i < OUTPUT_COUNT; ++i)
        if ((g_anLinkGroupMask[g] & (1 << i)) != 0 && g_aLinkRejoin[i].bPending == 0)
            return i;
    return -1;
}

void COutRouteDlg::CopyLinkSource(int s)
{
    IMainView* view = OwnerView();
    COutputDlg* page = view != nullptr ? view->OutputPage() : nullptr;
    if (page == nullptr || s < 0 || s >= OUTPUT_COUNT)
        return;
    {
        // The copy relies on its caller's lock: the worker adds no frame of
        // the change scan between the mute, the block and the unmute.
        std::lock_guard<CCriticalSection> lock(g_csSendLock);
        page->MuteLinkGroup(s, true);
        view->CopyOutputChannel(s, m_nChannel);
        page->MuteLinkGroup(s, false);
    }
    view->SyncLinkGroupStrips(s, g_nLinkGroup[s]);
    g_bOutputLinkOn = true;
    if (CFStatic* graph = view->ViewGraph())
        graph->RedrawByMode(-1);
}

void COutRouteDlg::StoreLinkGroupByte()
{
    ParameterSetGuard guard(g_ParameterSetLock);
    g_CurrentImage.bytes[OutputBlockOffset(m_nChannel) + OUTPUT_LIMITER_RECORD * RECORD_SIZE + 7] =
        BYTE(g_nLinkGroup[m_nChannel] & 0xFF);
    if (m_pOutput != nullptr)
        m_pOutput->SetLimiterDirty(true);
}

void COutRouteDlg::OnLinkButton(WPARAM kind)
{
    const int c = m_nChannel;
    if (c < 0 || c >= OUTPUT_COUNT)
        return;
    const bool linked = m_btnLink.GetCheck();
    if (kind == LINK_CLICK_SINGLE) {
        m_nClickKind = 1;
        m_bDoubleClick = 0;
    } else if (kind == LINK_CLICK_DOUBLE) {
        m_nClickKind = 2;
        m_bDoubleClick = 1;
    }

    if (kind == LINK_CLICK_RIGHT) {
        if (!linked)
            return;
        const int g = StripButtonGroup(c);
        StripSetLinkGroup(c, 0);
        DeselectForLink();
        LeaveLinkGroup(g, false);
        StripForgetGroupIfUnused(g);
        StoreLinkGroupByte();
        m_btnLink.SetCheck(false);
        return;
    }

    if (!linked) {
        const int cur = g_nCurOutput;
        const LinkRejoin rejoin = g_aLinkRejoin[c];
        const int source = rejoin.bPending != 0 && g_abOutputEdited[c] == 0 ? FirstRemainingMember(rejoin.nGroup) : -1;
        IMainView* view = OwnerView();
        COutRouteDlg* current = view != nullptr ? view->OutputStrip(cur) : nullptr;
        if (m_nClickKind == 2) {
            if (rejoin.bPending != 0 && StripIsGroupIndex(rejoin.nGroup)) {
                ParameterSetGuard guard(g_ParameterSetLock);
                g_anLinkGroupMask[rejoin.nGroup] &= ~(1 << c);
            }
            StartLinkGroupSelected();
        } else if (source >= 0) {
            // Back into the group it left, with the settings of a member
            // that stayed.
            const int g = rejoin.nGroup;
            StripSetLinkGroup(c, g + 1);
            CopyLinkSource(source);
            ShowLinkGroup(g);
            bool anySelected = false;
            for (int i = 0; i < OUTPUT_COUNT; ++i)
                anySelected = anySelected || (g_nLinkGroup[i] == g_nLinkGroup[c] && IsStripSelected(i));
            if (anySelected)
                for (int i = 0; i < OUTPUT_COUNT; ++i)
                    if (g_nLinkGroup[i] == g_nLinkGroup[c])
                        SelectStrip(i, true);
            EnterLinkGroup(g);
        } else if (current != nullptr && current->m_btnLink.GetCheck()) {
            // Into the current output's group.
            StripSetLinkGroup(c, g_nLinkGroup[cur]);
            CopyLinkSource(cur);
            ShowLinkGroup(StripButtonGroup(c));
            EnterLinkGroup(StripButtonGroup(c));
        } else if (c != cur && g_nLinkLeader >= 0 && g_nLinkLeader < OUTPUT_COUNT && g_bLinkJoinArmed != 0) {
            // Into the group just started.
            StripSetLinkGroup(c, g_nLinkGroup[g_nLinkLeader]);
            CopyLinkSource(g_nLinkLeader);
            ShowLinkGroup(StripButtonGroup(c));
            EnterLinkGroup(StripButtonGroup(c));
        } else {
            StartLinkGroup(FindFreeLinkGroup());
        }
        StoreLinkGroupByte();
        m_btnLink.SetCheck(true);
        return;
    }

    const int g = StripButtonGroup(c);
    StripSetLinkGroup(c, 0);
    if (m_nClickKind == 2) {
        // Out of the group and at once into a new one of its own.
        LeaveLinkGroup(g, false);
        StartLinkGroupSelected();
        StoreLinkGroupByte();
        m_btnLink.SetCheck(true);
        return;
    }
    // Out of the group, keeping the way back while nothing is edited.
    DeselectForLink();
    LeaveLinkGroup(g, true);
    StripForgetGroupIfUnused(g);
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        bool anyUsed = false;
        for (int used : g_abLinkGroupUsed)
            anyUsed = anyUsed || used != 0;
        if (!anyUsed)
            for (LinkRejoin& r : g_aLinkRejoin)
                r.bPending = 0;
    }
    StoreLinkGroupByte();
    m_btnLink.SetCheck(false);
}

// ---- Link-group menu ------------------------------------------------------------------

void COutRouteDlg::OnLinkGroupMenu(UINT command)
{
    switch (command) {
    case ID_LINK_NEW_GROUP: OnNewLinkGroup(); break;
    case ID_LINK_JOIN_GROUP: OnJoinLinkGroup(); break;
    case ID_LINK_LEAVE_GROUP: OnLeaveLinkGroup(); break;
    case ID_LINK_DISSOLVE_GROUP: OnDissolveLinkGroup(); break;
    default: break;
    }
}

void COutRouteDlg::OnNewLinkGroup()
{
    if (m_nChannel < 0 || m_nChannel >= kStripMaskOutputs)
        return;
    if (IMainView* view = OwnerView())
        view->OpenLinkGroupDialog(this, true);
}

void COutRouteDlg::OnJoinLinkGroup()
{
    if (m_nChannel < 0 || m_nChannel >= kStripMaskOutputs)
        return;
    if (IMainView* view = OwnerView())
        view->OpenLinkGroupDialog(this, false);
}

COutputDlg* COutRouteDlg::MaskGroupPage() const
{
    IMainView* view = OwnerView();
    if (m_nChannel < 0 || m_nChannel >= kStripMaskOutputs || view == nullptr)
        return nullptr;
    return view->OutputPage();
}

void COutRouteDlg::OnLeaveLinkGroup()
{
    const int c = m_nChannel;
    COutputDlg* page = MaskGroupPage();
    if (page == nullptr)
        return;
    const int m = m_nLinkMask;
    const int own = 1 << c;
    for (int i = 0; i < kStripMaskOutputs; ++i) {
        if ((m & (1 << i)) == 0)
            continue;
        // The rest of the group stays together without this output.
        const int mask = i == c ? own : (m & ~own);
        page->SetLinkMask(i, mask);
        StripSetLinkGroup(i, mask);
        page->RefreshLinkedStrips(i, mask);
    }
    if (c == g_nCurOutput) {
        for (int i = 0; i < kStripMaskOutputs; ++i)
            if (i != c && (m & (1 << i)) != 0)
                SelectStrip(i, false);
    } else {
        SelectStrip(c, false);
    }
}

void COutRouteDlg::OnDissolveLinkGroup()
{
    COutputDlg* page = MaskGroupPage();
    if (page == nullptr)
        return;
    const int m = m_nLinkMask;
    for (int i = 0; i < kStripMaskOutputs; ++i) {
        if ((m & (1 << i)) == 0)
            continue;
        page->SetLinkMask(i, 1 << i);
        StripSetLinkGroup(i, 1 << i);
        page->RefreshLinkedStrips(i, 1 << i);
    }
    for (int i = 0; i < kStripMaskOutputs; ++i)
        if (i != g_nCurOutput && (m & (1 << i)) != 0)
            SelectStrip(i, false);
}

// ---- Mask queries -----------------------------------------------------------------------

bool COutRouteDlg::OtherGroupExists() const
{
    bool marked[kStripMaskOutputs] = {};
    const int c = m_nChannel;
    if (c < 0 || c >= OUTPUT_COUNT)
        return false;
    if (c < kStripMaskOutputs)
        marked[c] = true;
    for (int j = 0; j < kStripMaskOutputs; ++j)
        if ((g_nLinkGroup[c] & (1 << j)) != 0)
            marked[j] = true;
    for (int i = 0; i < kStripMaskOutputs; ++i) {
        if (marked[i])
            continue;
        for (int j = 0; j < kStripMaskOutputs; ++j)
            if (j != i && (g_nLinkGroup[i] & (1 << j)) != 0)
                return true;
    }
    return false;
}

bool COutRouteDlg::AllOutputsLinked() const
{
    for (int i = 0; i < kStripMaskOutputs; ++i)
        if (g_nLinkGroup[i] != 255)
            return false;
    return true;
}

bool COutRouteDlg::IsLinkedToOthers() const
{
    const int c = m_nChannel;
    if (c < 0 || c >= OUTPUT_COUNT)
        return false;
    for (int j = 0; j < kStripMaskOutputs; ++j)
        if (j != c && (g_nLinkGroup[c] & (1 << j)) != 0)
            return true;
    return false;
}
