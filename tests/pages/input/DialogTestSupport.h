#pragma once
// The program started for the stand-alone dialogs' tests: the real view,
// its parameter set synced with the defaults, change flags cleared, nothing
// connected unless a test connects (a link without transport: commands are
// queued, nothing is sent).
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "link/KTVCommand.h"
#include "model/ChangeScanFlags.h"
#include "model/KTV_Data.h"
#include "model/ParameterSetLock.h"
#include "model/SendData.h"
#include "model/WindowMessages.h"
#include "platform/core/SystemMessages.h"
#include "tests/app/AppStartFixture.h"

// "82 82 82 EE A1 01 00" and the rest, as bytes.
inline std::vector<BYTE> DialogFrame(const std::string& rest)
{
    std::vector<BYTE> bytes{0x82, 0x82, 0x82, 0xEE, 0xA1, 0x01, 0x00};
    std::istringstream in(rest);
    std::string token;
    while (in >> token)
        bytes.push_back(BYTE(std::stoul(token, nullptr, 16)));
    return bytes;
}

inline std::vector<BYTE> DialogBytesOf(const CSendData* command)
{
    if (command == nullptr || command->GetData() == nullptr)
        return {};
    return std::vector<BYTE>(command->GetData(), command->GetData() + command->GetLength());
}

class DialogAppTest : public AppStartTest {
protected:
    void SetUp() override
    {
        AppStartTest::SetUp();
        m_pView = StartAppWithoutAutoConnect();
        ASSERT_NE(m_pView, nullptr);
        m_pData = m_pView->AttachDataSet();
        g_bDeviceSynced = true;
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            m_pData->ClearChangeFlags(false);
        }
        g_bSendSysItem2 = false;
        g_bSendSysItem5 = false;
    }
    void TearDown() override
    {
        if (m_pView != nullptr && m_pView->IsConnected())
            m_pView->DeviceLink().StopIoWorker(true);
        m_pView->m_command.ClearQueue();
        g_bDeviceSynced = false;
        g_bTransferBusy = false;
        AppStartTest::TearDown();
    }

    void ConnectWithoutTransport()
    {
        m_pView->DeviceLink().StartIoWorker();
        ASSERT_TRUE(m_pView->IsConnected());
    }
    // The change scan's next frame.
    std::vector<BYTE> NextScanned()
    {
        std::unique_ptr<CSendData> frame = m_pData->NextChangedItem();
        return DialogBytesOf(frame.get());
    }
    // The queued commands, emptied.
    std::vector<std::vector<BYTE>> TakeQueued()
    {
        std::vector<std::vector<BYTE>> frames;
        CKTVCommand& queue = m_pView->m_command;
        while (std::shared_ptr<CSendData> head = queue.GetHead()) {
            frames.push_back(DialogBytesOf(head.get()));
            queue.RemoveHead();
        }
        return frames;
    }

    CBrelinView* m_pView = nullptr;
    CKTV_Data* m_pData = nullptr;
};
