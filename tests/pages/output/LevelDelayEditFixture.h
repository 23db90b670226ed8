#pragma once
// The level-and-delay page as its editing tests host it: shown on an
// active offscreen window after RefreshAll, a recording view (connected)
// and a recording input page assigned, the default set synced with nothing
// pending. Helpers type into fields, press keys and drain the change scan.
#include <QApplication>
#include <QTest>

#include <string>
#include <vector>

#include <QLineEdit>

#include "model/FrameBuilder.h"
#include "model/KTV_OutData.h"
#include "model/LinkState.h"
#include "model/Music_InData.h"
#include "model/SendData.h"
#include "model/SystemWord.h"
#include "model/WindowMessages.h"
#include "pages/InputKindPeer.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/WindowAttributes.h"
#include "tests/common/gui/WidgetProbe.h"
#include "tests/model/ChannelTestSupport.h"
#include "tests/model/FrameTestSupport.h"
#include "tests/pages/RecordingInputKindPeer.h"
#include "tests/pages/RecordingMainView.h"
#include "tests/pages/output/LevelDelayFixture.h"

class LevelDelayEditFixture : public LevelDelayFixture {
protected:
    void SetUp() override
    {
        LevelDelayFixture::SetUp();
        g_bDeviceSynced = true;
        g_pInPutDlg = &peer;
    }
    void TearDown() override
    {
        g_pInPutDlg = nullptr;
        LevelDelayFixture::TearDown();
    }

    // The page shown, active and filled from the model; nothing pending.
    CLevel_Delay_Dlg& Open()
    {
        CLevel_Delay_Dlg& p = CreatePage();
        p.m_pView = &view;
        p.RefreshAll();
        p.RefreshInputArea();
        QApplication::setActiveWindow(&host);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&host));
        Pump();
        Scan();
        view.m_queued.clear();
        view.m_frames.clear();
        view.m_item5Calls.clear();
        peer.m_target.Clear();
        return p;
    }

    // Runs Qt's posted events and the page's posted messages until quiet.
    void Pump()
    {
        for (int round = 0; round < 10; ++round) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
            const int delivered = page->DeliverPosted();
            if (delivered == 0 && round > 1)
                break;
        }
    }

    // Every frame the change scan yields now, as bytes, up to the status
    // poll it makes when nothing is left. The live preset's name, which
    // follows the first change of a channel, is left out.
    std::vector<std::vector<BYTE>> Scan()
    {
        std::vector<std::vector<BYTE>> frames;
        for (int n = 0; n < 100; ++n) {
            std::unique_ptr<CSendData> frame = data->NextChangedItem();
            if (!frame || HeadOf(*frame) == kStatusPoll)
                break;
            const FrameHead head = HeadOf(*frame);
            if (head.block == BLOCK_SYSTEM && head.item == SYSTEM_ITEM_PRESET_NAME)
                continue;
            frames.push_back(BytesOf(*frame));
        }
        return frames;
    }

    // A frame written as the hex after the common head.
    static std::vector<BYTE> Frame(const std::string& rest)
    {
        return Hex("82 82 82 EE A1 01 00 " + rest);
    }

    // Text typed into a field that has the focus, replacing its text.
    void Type(QWidget& field, const QString& text)
    {
        field.setFocus(Qt::OtherFocusReason);
        Pump();
        auto& edit = static_cast<QLineEdit&>(field);
        edit.selectAll();
        QTest::keyClicks(&edit, text);
    }
    void Key(Qt::Key key)
    {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QTest::keyClick(focus, key);
        Pump();
    }
    int FocusId() const
    {
        QWidget* focus = QApplication::focusWidget();
        return focus != nullptr ? GetDlgCtrlID(focus) : -1;
    }
    CKTV_OutData& Output(int i) { return *data->GetOutput(i); }
    // The delay field an output stands on (index 0 to 14), -1 for none.
    static int IndexOfField(const CLevel_Delay_Dlg& p, int output)
    {
        const CNumEdit* edit = p.OutputRecord(output).edit;
        return edit != nullptr ? int(edit - &p.m_editDelay[0]) : -1;
    }

    CRecordingMainView view;
    CRecordingInputKindPeer peer;
};
