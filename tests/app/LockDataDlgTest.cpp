// The communication log: made hidden and empty, lines appended to each pane
// with and without the time stamp and the line break, the pane showing its
// end, Clear (also on empty panes) and ClearAndShow.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>

#include "app/LockDataDlg.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/LogFont.h"
#include "platform/gui/WindowAttributes.h"

namespace {

class LockDataDlgTest : public ::testing::Test {
protected:
    QWidget m_view;
    CLockDataDlg* m_dlg = new CLockDataDlg(&m_view);
};

TEST_F(LockDataDlgTest, IsMadeHiddenAndEmptyAsAChildOfTheView)
{
    EXPECT_TRUE(m_dlg->isHidden());
    EXPECT_EQ(m_dlg->parentWidget(), &m_view);
    EXPECT_FALSE(m_dlg->isModal());
    EXPECT_EQ(m_dlg->windowTitle(), QStringLiteral("Lock"));
    EXPECT_TRUE(m_dlg->SentPane()->toPlainText().isEmpty());
    EXPECT_TRUE(m_dlg->ReceivedPane()->toPlainText().isEmpty());
    EXPECT_EQ(GetDlgCtrlID(m_dlg->SentPane()), 1221);
    EXPECT_EQ(GetDlgCtrlID(m_dlg->ReceivedPane()), 1024);
    EXPECT_EQ(GetDlgCtrlID(m_dlg->ClearButton()), 1222);
    EXPECT_EQ(m_dlg->SentPane()->lineWrapMode(), QPlainTextEdit::NoWrap);
    const QFont font = CreateFontIndirect(SystemFontLogFont()).value();
    EXPECT_EQ(m_dlg->size(), MapDialogRect(CRect(0, 0, 476, 219), font).Size());
    // The panes sit side by side, the written data on the left.
    EXPECT_LT(m_dlg->SentPane()->geometry().right(), m_dlg->ReceivedPane()->geometry().left());
    EXPECT_GT(m_dlg->ClearButton()->geometry().top(), m_dlg->SentPane()->geometry().bottom());
    int small = 0;
    for (QWidget* child : m_dlg->findChildren<QWidget*>())
        small += GetDlgCtrlID(child) == 1884 || GetDlgCtrlID(child) == 1885;
    EXPECT_EQ(small, 2);
}

TEST_F(LockDataDlgTest, AppendsGoToTheirPaneWithStampAndLineBreak)
{
    m_dlg->AppendSentLog("82 82 82 EE", false, false);
    m_dlg->AppendSentLog(QStringLiteral(" A1"), false, true);
    m_dlg->AppendReceivedLog(QStringLiteral("51"), true, true);
    m_dlg->AppendReceivedLog("done\r\nnext", false, false);
    EXPECT_EQ(m_dlg->SentPane()->toPlainText(), QStringLiteral("82 82 82 EE A1\n"));
    EXPECT_EQ(m_dlg->SentPane()->document()->blockCount(), 2);
    const QString received = m_dlg->ReceivedPane()->toPlainText();
    const QRegularExpression stamped(QStringLiteral("^51 \\(延时\\(秒\\)=-?\\d+\\.\\d{6} \\)\ndone\nnext$"));
    EXPECT_TRUE(stamped.match(received).hasMatch()) << received.toStdString();
    EXPECT_EQ(m_dlg->ReceivedPane()->document()->blockCount(), 3);
}

TEST_F(LockDataDlgTest, ThePaneShowsItsEnd)
{
    m_dlg->show();
    for (int k = 0; k < 200; ++k)
        m_dlg->AppendSentLog(QString::number(k), false, true);
    QScrollBar* bar = m_dlg->SentPane()->verticalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
}

TEST_F(LockDataDlgTest, ClearEmptiesBothPanesAndClearAndShowShows)
{
    // On empty panes Clear changes nothing.
    QTest::mouseClick(m_dlg->ClearButton(), Qt::LeftButton);
    EXPECT_TRUE(m_dlg->SentPane()->toPlainText().isEmpty());
    EXPECT_TRUE(m_dlg->ReceivedPane()->toPlainText().isEmpty());

    m_dlg->show();
    m_dlg->AppendSentLog("a", true, true);
    m_dlg->AppendReceivedLog("b", true, true);
    QTest::mouseClick(m_dlg->ClearButton(), Qt::LeftButton);
    EXPECT_TRUE(m_dlg->SentPane()->toPlainText().isEmpty());
    EXPECT_TRUE(m_dlg->ReceivedPane()->toPlainText().isEmpty());

    m_dlg->hide();
    m_dlg->AppendSentLog("c", false, false);
    m_dlg->AppendReceivedLog("d", false, false);
    m_dlg->ClearAndShow();
    EXPECT_TRUE(m_dlg->isVisible());
    EXPECT_TRUE(m_dlg->SentPane()->toPlainText().isEmpty());
    EXPECT_TRUE(m_dlg->ReceivedPane()->toPlainText().isEmpty());
}

}  // namespace
