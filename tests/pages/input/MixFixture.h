#pragma once
// The input-mix page with the whole program behind it: the real view, its
// parameter set synced with the defaults; a second page of the test's own
// whose view is a recorder, to read what the page relays.
#include <QApplication>
#include <QTest>

#include "app/BrelinView.h"
#include "model/DataDefine.h"
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
        g_nCurOutput = 0;
        m_pView->show();
        QApplication::setActiveWindow(m_pView);
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_pView));
    }
    void TearDown() override
    {
        m_pPage.reset();
        g_nCurOutput = 0;
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
    std::unique_ptr<CMixInPutCom> m_pPage;
};
