#pragma once
// The input-mix page with the whole program behind it: the real view, its
// parameter set synced with the defaults; a second page of the test's own
// whose view is a recorder, to read what the page relays.
#include <QApplication>
#include <QTest>

#include "app/BrelinView.h"
#include "model/DataDefine.h"
#include "model/FrameBuilder.h"
#include "pages/input/MixInPutCom.h"
#include "tests/common/RecordingTarget.h"
#include "tests/pages/RecordingMainView.h"
#include "tests/pages/input/DialogTestSupport.h"

// A view that records what is posted to it.
class CMixViewSpy : public CRecordingMainView, public CRecordingTarget {};

class MixAppTest : public DialogAppTest {
protected:
    void SetUp() override
    {
        DialogAppTest::SetUp();
        m_strEmptyName = g_strEmptyName;
        m_savedImage = g_CurrentImage;
        g_nCurOutput = 0;
        m_pView->show();
        QApplication::setActiveWindow(m_pView);
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_pView));
    }
    void TearDown() override
    {
        m_pPage.reset();
        g_nCurOutput = 0;
        // What the view's own page relayed is not for the next test.
        m_pView->m_mixPage.hide();
        QApplication::processEvents();
        for (CRouteMixCom& column : m_pView->m_mixPage.m_Column)
            column.DeliverPosted();
        m_pView->m_mixPage.DeliverPosted();
        DropPostedMessages(m_pView, WM_MIX_LEVEL_NOTIFY);
        DropPostedMessages(m_pView, WM_MIX_SELECT_OUTPUT);
        DropPostedMessages(m_pView, WM_PRESET_NAME_CHANGED);
        // A scanned level makes the live preset "Custom" from then on.
        g_bTrackPresetName = false;
        g_strEmptyName = m_strEmptyName;
        // The scan wrote the levels it sent into the live image.
        g_CurrentImage = m_savedImage;
        DialogAppTest::TearDown();
    }

    // The test's own page on the view's data, shown in a window of its own.
    CMixInPutCom& OwnPage()
    {
        if (!m_pPage) {
            m_pPage = std::make_unique<CMixInPutCom>();
            m_pPage->Create(nullptr);
            m_pPage->m_pView = &m_spy;
            m_pPage->m_pData = m_pData;
            m_pPage->SetUpColumns();
            m_pPage->resize(1280, 449);
            m_pPage->show();
            QApplication::setActiveWindow(m_pPage.get());
            EXPECT_TRUE(QTest::qWaitForWindowActive(m_pPage.get()));
        }
        return *m_pPage;
    }
    // What the page posted to the recorder, once delivered.
    std::vector<CRecordingTarget::Received> Relayed(UINT message)
    {
        QApplication::processEvents();
        for (CRouteMixCom& column : m_pPage->m_Column)
            column.DeliverPosted();
        m_pPage->DeliverPosted();
        m_spy.DeliverPosted();
        return m_spy.Messages(message);
    }
    // Types text into a field and presses Enter.
    static void TypeAndEnter(QWidget* field, const QString& text)
    {
        QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    }

    CMixViewSpy m_spy;
    QString m_strEmptyName;
    DeviceImage m_savedImage{};
    std::unique_ptr<CMixInPutCom> m_pPage;
};
