// The output-map lock applied on the page alone: locking while the current
// output has no position posts WM_STRIP_SELECT for the first output that
// has one to the view; without any position nothing is posted.
#include <gtest/gtest.h>

#include <memory>

#include "app/GlobalObjects.h"
#include "model/KTV_Data.h"
#include "model/ParameterSetLock.h"
#include "model/SpeakerPosition.h"
#include "model/WindowMessages.h"
#include "pages/output/OutputDlg.h"
#include "tests/common/RecordingTarget.h"
#include "tests/model/ChannelTestSupport.h"
#include "tests/pages/RecordingMainView.h"

namespace {

// A view that also takes posted messages.
class CPostedMainView : public CRecordingMainView, public CRecordingTarget {};

class OutputMapLockPostTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetParameterSetState();
        data = std::make_unique<CKTV_Data>();
        page.Create(nullptr);
        page.AttachData(data.get());
        page.m_pView = &view;
    }
    void TearDown() override
    {
        g_bOutputMapLocked = false;
        g_nCurOutput = 0;
        ResetParameterSetState();
    }
    std::unique_ptr<CKTV_Data> data;
    COutputDlg page;
    CPostedMainView view;
};

TEST_F(OutputMapLockPostTest, LockingPostsTheFirstPositionedOutputWhenTheCurrentHasNone)
{
    struct Case {
        const char* name;
        BYTE positions[OUTPUT_COUNT];
        int current;
        int posted;  // -1 none
    };
    const Case cases[] = {
        {"current positioned", {6, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 1, -1},
        {"current empty", {0, 0, 0, 15, 0, 0, 0, 0, 0, 0, 22, 0}, 0, 3},
        {"only output 12", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 24}, 2, 11},
        {"none", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 2, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            for (int i = 0; i < OUTPUT_COUNT; ++i)
                g_byOutputPosition[i] = c.positions[i];
        }
        g_nCurOutput = c.current;
        g_bOutputMapLocked = true;
        view.Clear();
        page.ApplyOutputMapLock();
        view.DeliverPosted();
        const auto posted = view.Messages(WM_STRIP_SELECT);
        if (c.posted < 0) {
            EXPECT_TRUE(posted.empty());
        } else {
            ASSERT_EQ(posted.size(), 1u);
            EXPECT_EQ(posted[0].wParam, WPARAM(c.posted));
            EXPECT_EQ(posted[0].lParam, 0);
            EXPECT_FALSE(posted[0].bSent);
        }
        // Locked: the links stay.
        EXPECT_TRUE(view.m_sends.empty());
    }
    // Unlocked: the links are cleared.
    g_bOutputMapLocked = false;
    page.ApplyOutputMapLock();
    ASSERT_EQ(view.m_sends.size(), 1u);
    EXPECT_STREQ(view.m_sends[0].first, "clear links");
}

}  // namespace
