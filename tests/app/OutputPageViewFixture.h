#pragma once
// The output page inside the whole program, with a link that is up but no
// worker taking frames (TransferViewTest): the page's questions are
// answered by the test through the modal-dialog seam, its message boxes
// recorded with an answer chosen per test.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include <QPushButton>

#include "app/ReMap_Dlg.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/ParameterSetLock.h"
#include "model/SpeakerPosition.h"
#include "pages/output/All_Link_Dlg.h"
#include "pages/output/OutputDlg.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/ModalDialog.h"
#include "tests/app/TransferViewFixture.h"

// The frame bytes as "82 82 82 EE ...".
inline std::string FrameHex(const std::vector<BYTE>& bytes)
{
    std::string text;
    char cell[4];
    for (BYTE b : bytes) {
        std::snprintf(cell, sizeof cell, "%02X ", b);
        text += cell;
    }
    if (!text.empty())
        text.pop_back();
    return text;
}

// The answers of the output-map reset question.
enum class MapAnswer { Emptied, Default, Cancel };

class OutputPageViewTest : public TransferViewTest {
public:
    // A shown position button: its code, output and check state.
    struct ShownButton {
        int code;
        int output;
        bool checked;
        bool operator==(const ShownButton& o) const
        {
            return code == o.code && output == o.output && checked == o.checked;
        }
    };

protected:
    static constexpr BYTE kDefaultMap[OUTPUT_COUNT] = {6, 12, 15, 18, 0, 0, 0, 0, 0, 0, 22, 23};

    void SetUp() override
    {
        TransferViewTest::SetUp();
        if (HasFatalFailure())
            return;
        g_nCurOutput = 0;
        g_bOutputMapLocked = false;
        g_bOutputLinkOn = false;
    }
    void TearDown() override
    {
        SetModalDialogHook(nullptr);
        g_bOutputMapLocked = false;
        g_bOutputLinkOn = false;
        TransferViewTest::TearDown();
    }

    COutputDlg& Page() { return View()->m_outputPage; }
    CKTV_Data* Data() { return &g_theApp.GetDocument()->m_KTVData; }
    CKTV_OutData* Output(int i) { return Data()->GetOutput(i); }

    // The next modal dialogs are answered: the reset question with map,
    // the direction question with OK and direction (or Cancel when
    // direction is -1). Each dialog's class is counted.
    void AnswerDialogs(MapAnswer map, int direction = 0)
    {
        SetModalDialogHook([this, map, direction](QDialog& dialog) {
            if (auto* remap = qobject_cast<CReMap_Dlg*>(&dialog)) {
                ++m_nRemapRuns;
                const int id = map == MapAnswer::Emptied   ? int(IDOK)
                               : map == MapAnswer::Default ? int(CReMap_Dlg::IDC_DEFAULT)
                                                           : int(IDCANCEL);
                remap->Button(id)->click();
            } else if (auto* link = qobject_cast<CAll_Link_Dlg*>(&dialog)) {
                ++m_nLinkRuns;
                if (direction < 0) {
                    link->m_btnCancel.click();
                } else {
                    (direction == 0 ? link->m_radioLeftToRight : link->m_radioRightToLeft).click();
                    link->m_btnOK.click();
                }
            }
            return dialog.result();
        });
    }

    // The output map reset with answer; the queue is drained before.
    void Reset(MapAnswer answer)
    {
        AnswerDialogs(answer);
        Page().ResetOutputMap();
    }

    // The shown position buttons in code order.
    std::vector<ShownButton> ShownButtons()
    {
        std::vector<ShownButton> shown;
        for (int code = 1; code <= 24; ++code) {
            CBtnPng* button = Page().SpeakerButton(code);
            if (button != nullptr && !button->isHidden())
                shown.push_back({code, button->GetItemData(), button->GetCheck()});
        }
        return shown;
    }

    std::vector<BYTE> Positions() const { return {g_byOutputPosition, g_byOutputPosition + OUTPUT_COUNT}; }
    std::vector<BYTE> Map() const { return {g_OutputMap, g_OutputMap + OUTPUT_COUNT}; }

    // Output i's crossover record, and the one position code gives a fresh
    // output.
    std::vector<BYTE> Crossover(int i)
    {
        BYTE record[RECORD_SIZE];
        Output(i)->GetCrossoverRecord(record);
        return {record, record + RECORD_SIZE};
    }
    static std::vector<BYTE> DefaultCrossover(int code)
    {
        CKTV_OutData fresh;
        fresh.BuildEQ(OUTPUT_PEQ_BANDS - 1, OUTPUT_CROSSOVER_RECORD, 0, 20, 20000);
        fresh.SetSpeakerPosition(BYTE(code));
        BYTE record[RECORD_SIZE];
        fresh.GetCrossoverRecord(record);
        return {record, record + RECORD_SIZE};
    }

    // The frames of the speaker assignment: items 6 and 7, then the
    // crossover record of each output.
    static void ExpectAssignment(const std::vector<QueuedFrame>& frames, size_t at, const char* item6,
                                 const char* item7)
    {
        ASSERT_GE(frames.size(), at + 2 + OUTPUT_COUNT);
        EXPECT_EQ(FrameHex(frames[at].bytes), item6);
        EXPECT_EQ(FrameHex(frames[at + 1].bytes), item7);
        for (int k = 0; k < OUTPUT_COUNT; ++k) {
            const QueuedFrame& f = frames[at + 2 + size_t(k)];
            EXPECT_EQ(f.Type(), BLOCK_OUTPUT) << k;
            EXPECT_EQ(f.Item(), k);
            EXPECT_EQ(f.Record(), 32);
        }
    }

    int m_nRemapRuns = 0;
    int m_nLinkRuns = 0;
};
