#pragma once
// The output page as the running view hosts it, edited by the test: the
// view's link is up with no worker, so what the page queues stays in the
// command queue (Queued) and what it leaves to the change scan comes out of
// the scan (Scanned, up to the status poll). The set starts as the device's
// synced defaults with nothing pending and the live preset already "Custom",
// so the scan yields only what an edit changed.
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include <QApplication>
#include <QTest>

#include "app/LinkGroupTables.h"
#include "model/Filter.h"
#include "model/KTV_OutData.h"
#include "model/ParameterSetLock.h"
#include "pages/output/OutputDlg.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/WindowAttributes.h"
#include "tests/app/TransferViewFixture.h"
#include "tests/pages/output/DynamicsDialogTestSupport.h"

using EditFrame = std::vector<BYTE>;

class OutputEditFixture : public TransferViewTest {
protected:
    void SetUp() override
    {
        TransferViewTest::SetUp();
        if (HasFatalFailure())
            return;
        ConnectWithoutDevice();
        m_pPage = &View()->m_outputPage;
        m_pData = m_pPage->GetData();
        ASSERT_NE(m_pData, nullptr);
        StartFromSyncedDefaults();
        QApplication::setActiveWindow(Frame());
        ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
        ASSERT_TRUE(m_pPage->isVisible());
    }
    void TearDown() override
    {
        for (int& edited : g_abOutputEdited)
            edited = 0;
        g_nCurOutput = 0;
        TransferViewTest::TearDown();
    }

    void StartFromSyncedDefaults()
    {
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            StringToFixedField(reinterpret_cast<char*>(g_CurrentImage.bytes), PRESET_NAME_SIZE, g_strCustomName);
            g_byCurrentPreset = 0;
            g_strEmptyName = g_strCustomName;
            g_bTrackPresetName = true;
            g_bDeviceSynced = true;
            m_pData->ClearChangeFlags(false);
            for (int k = 0; k < MUSIC_COUNT; ++k)
                m_pData->GetMusic(k)->SetAllDirty(false);
        }
        for (int k = 0; k < OUTPUT_COUNT; ++k) {
            g_nLinkGroup[k] = k;
            g_abOutputEdited[k] = 0;
        }
        g_nCurOutput = 0;
        View()->Command().ClearQueue();
        m_pPage->RefreshPage();
    }

    // The outputs join the link group of the first.
    static void Link(std::initializer_list<int> outputs)
    {
        for (int output : outputs)
            g_nLinkGroup[output] = g_nLinkGroup[*outputs.begin()];
    }

    CKTV_OutData* Output(int i) const { return m_pData->GetOutput(i); }
    CFilter* Band(int output, int band) const { return Output(output)->GetBand(band); }

    // The user types text into the field and presses Escape.
    void Type(CNumEdit& field, const QString& text)
    {
        field.setFocus(Qt::MouseFocusReason);
        ASSERT_TRUE(WaitFor([&] { return field.hasFocus(); }));
        field.selectAll();
        QTest::keyClicks(&field, text);
        QTest::keyClick(&field, Qt::Key_Escape);
    }

    // A hidden control's value committed as the control commits it.
    void Commit(CNumSpin& spin, int value)
    {
        spin.SetPos(value);
        Command(UINT(GetDlgCtrlID(&spin)));
    }
    void Command(UINT id, UINT code = BN_CLICKED)
    {
        SendMessage(m_pPage, WM_COMMAND, MAKEWPARAM(id, code), 0);
    }
    void Click(QWidget& button) { QTest::mouseClick(&button, Qt::LeftButton); }

    std::vector<EditFrame> Queued()
    {
        std::vector<EditFrame> frames;
        for (QueuedFrame& f : DrainQueue())
            frames.push_back(std::move(f.bytes));
        return frames;
    }
    std::vector<EditFrame> Scanned() { return ScanFrames(*m_pData); }

    COutputDlg* m_pPage = nullptr;
    CKTV_Data* m_pData = nullptr;
};
