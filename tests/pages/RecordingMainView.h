#pragma once
// The main view as a page test sees it: every call recorded. A queued
// system command is built at once, as the view's queue builds it, so its
// bytes can be compared; system item 5 is flagged for the change scan
// while "connected" is set, as the view does with a link up.
#include <utility>
#include <vector>

#include "model/ChangeScanFlags.h"
#include "model/FrameBuilder.h"
#include "model/SendData.h"
#include "pages/MainView.h"

class CRecordingMainView : public IMainView {
public:
    void RefreshOutputStrips() override { ++m_nStripRefreshes; }
    void RefreshMasterVolume() override { ++m_nMasterRefreshes; }
    void ApplyLanguage() override {}
    void QueueCommand(int kind, int slot) override
    {
        m_queued.emplace_back(kind, slot);
        if (!m_bConnected)
            return;
        if (std::unique_ptr<CSendData> frame = BuildSystemCommandFrame(kind, slot))
            m_frames.emplace_back(frame->GetData(), frame->GetData() + frame->GetLength());
    }
    void SetMixColumnRect(int, const CRect&) override {}
    bool IsConnected() const override { return m_bConnected; }
    int ToggleConnection() override
    {
        m_bConnected = !m_bConnected;
        return m_bConnected ? 1 : 0;
    }
    void RecallPreset(int slot, int) override { m_recalled.push_back(slot); }
    void SetSendSysItem2(bool changed) override
    {
        m_item2Calls.push_back(changed);
        g_bSendSysItem2 = changed && m_bConnected;
    }
    void SetSendSysItem5(bool changed) override
    {
        m_item5Calls.push_back(changed);
        g_bSendSysItem5 = changed && m_bConnected;
    }
    void SaveLineSetting() override {}
    bool IsTransferPopupShown() const override { return false; }
    void RenewTransferPopup() override {}
    void AddCommand(std::unique_ptr<CSendData> command) override
    {
        if (command)
            m_frames.emplace_back(command->GetData(), command->GetData() + command->GetLength());
    }
    void SendSpeakerAssignment(int channel, bool all) override { m_sends.emplace_back(all ? "speakers all" : "speakers", channel); }
    COutRouteDlg* OutputStrip(int) override { return nullptr; }
    void SendInputChannelBlock(int channel) override { m_sends.emplace_back("input block", channel); }
    void SendOutputChannelBlock(int channel) override { m_sends.emplace_back("output block", channel); }
    void SendOutputChannelBlockNoLock(int channel) override { m_sends.emplace_back("output block no lock", channel); }
    void SendOutputOff(int channel) override { m_sends.emplace_back("output off", channel); }
    void CopyOutputChannel(int src, int dst) override { m_sends.emplace_back("copy", src * 100 + dst); }
    void CopyOutputChannelLocked(int src, int dst) override { m_sends.emplace_back("copy locked", src * 100 + dst); }
    void SendOutputEqGroup() override { m_sends.emplace_back("EQ group", 0); }
    void ResetInputEq(int channel) override { m_sends.emplace_back("input EQ", channel); }
    void ClearOutputLinks() override { m_sends.emplace_back("clear links", 0); }
    void SetStripsDelayUnit(int unit) override { m_delayUnits.push_back(unit); }
    int SaveOutputMap() override { return 0; }
    int ReadOutputMap() override { return 0; }
    bool SyncLinkedOutputPairs(int direction) override
    {
        m_sends.emplace_back("sync pairs", direction);
        return m_bPairsCopied;
    }
    void SyncLinkGroupStrips(int output, int group) override { m_sends.emplace_back("sync group", output * 100 + group); }
    void ApplyDefaultMixForSpeakerType(int output, int code) override
    {
        m_sends.emplace_back("default mix", output * 100 + code);
    }
    void EmptyAdvancedHook(int) override {}
    COutputDlg* OutputPage() override { return m_pOutputPage; }
    CFStatic* ViewGraph() override { return nullptr; }
    void RepaintView() override { ++m_nRepaints; }
    void OpenLinkGroupDialog(COutRouteDlg*, bool newGroup) override
    {
        m_sends.emplace_back(newGroup ? "link dialog new" : "link dialog join", 0);
    }

    bool m_bConnected = true;
    COutputDlg* m_pOutputPage = nullptr;
    int m_nRepaints = 0;
    int m_nStripRefreshes = 0;
    int m_nMasterRefreshes = 0;
    std::vector<std::pair<int, int>> m_queued;
    // The bytes of each frame queued while connected.
    std::vector<std::vector<BYTE>> m_frames;
    std::vector<bool> m_item2Calls;
    std::vector<bool> m_item5Calls;
    std::vector<int> m_recalled;
    std::vector<int> m_delayUnits;
    // What SyncLinkedOutputPairs answers.
    bool m_bPairsCopied = true;
    // Channel sends, copies and resets: what, and the channel (src * 100 +
    // dst for a copy, output * 100 + group or code for the strip and mix
    // calls).
    std::vector<std::pair<const char*, int>> m_sends;
};
