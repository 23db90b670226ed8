// The output page of the running view, the view linked over the network to
// the simulated device on 127.0.0.1, connected and synced: a typed band
// gain, a band made flat and an all-bypass answered Yes reach the device's
// image of output 0.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "model/DataDefine.h"
#include "model/FrameBuilder.h"
#include "model/KTV_OutData.h"
#include "model/LinkState.h"
#include "pages/output/OutputDlg.h"
#include "tests/app/AppStartFixture.h"
#include "tests/common/MessageBoxSpy.h"

namespace {

class OutputEditSimLinkTest : public AppStartTest {
protected:
    void SetUp() override
    {
        AppStartTest::SetUp();
        m_pView = StartAppLinkedToSimulator();
        ASSERT_NE(m_pView, nullptr);
        m_pPage = &m_pView->m_outputPage;
        QApplication::setActiveWindow(Frame());
        ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
        ASSERT_TRUE(m_pPage->isVisible());
    }

    // Word at of band record b of output 0 in the device's live image.
    int DeviceBandWord(int band, int at) const
    {
        const CSimState state = m_device.State();
        return GetWord(state.live.bytes + OutputBlockOffset(0) + band * RECORD_SIZE + at);
    }
    int DeviceOnByte() const
    {
        return m_device.State().live.bytes[OutputBlockOffset(0) + OUTPUT_BASIC_RECORD * RECORD_SIZE];
    }

    void Type(CNumEdit& field, const QString& text)
    {
        field.setFocus(Qt::MouseFocusReason);
        ASSERT_TRUE(WaitFor([&] { return field.hasFocus(); }));
        field.selectAll();
        QTest::keyClicks(&field, text);
        QTest::keyClick(&field, Qt::Key_Escape);
    }

    CBrelinView* m_pView = nullptr;
    COutputDlg* m_pPage = nullptr;
};

TEST_F(OutputEditSimLinkTest, BandEditsAndTheAllBypassReachTheDevicesOutput)
{
    // Gain words: index + 400, 600 = 0 dB.
    Type(m_pPage->m_editBandGain[3], QStringLiteral("6"));
    EXPECT_TRUE(WaitFor([&] { return DeviceBandWord(3, 2) == 660; }, 30000));

    Type(m_pPage->m_editBandGain[10], QStringLiteral("-4"));
    ASSERT_TRUE(WaitFor([&] { return DeviceBandWord(10, 2) == 560; }, 30000));
    QTest::mouseClick(&m_pPage->m_btnBandBypass[10], Qt::LeftButton);
    ASSERT_TRUE(m_pPage->m_btnBandBypass[10].GetCheck());
    EXPECT_TRUE(WaitFor([&] { return DeviceBandWord(10, 2) == 600; }, 30000)) << "the band flat";

    {
        CMessageBoxSpy yes(IDYES);
        QTest::mouseClick(&m_pPage->m_btnAllBypass, Qt::LeftButton);
        ASSERT_EQ(yes.shown.size(), 1u);
    }
    EXPECT_TRUE(WaitFor([&] { return DeviceBandWord(3, 2) == 600 && m_pView->Command().GetCount() == 0; }, 30000))
        << "band 3 bypassed on the device";
    EXPECT_EQ(DeviceOnByte(), 1) << "the output on again after its blocks";
    EXPECT_TRUE(m_boxes.shown.empty());
}

}  // namespace
