// The print job: the steps a subclass sees for each chosen range (upwards,
// downwards, all pages, a job that never sets its page count), a cancelled
// print dialog or file choice, a document that cannot start, the progress
// window's Cancel and a request to quit between pages (both abort and leave
// no file), printing to a file the dialog left unnamed, and the document
// name the PDF carries.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "controls/PrintInfo.h"
#include "controls/PrinterJob.h"
#include "controls/PrintingDlg.h"
#include "platform/gui/DrawText.h"
#include "platform/gui/FileDialog.h"
#include "tests/common/PdfReadBack.h"
#include "tests/controls/PrintTestSupport.h"

namespace {

// A job of lastPage pages (65535: it never sets a count) that writes its
// page number on each page and records every step.
class CRecordingJob : public CPrinterJob {
public:
    bool OnPreparePrinting(CPrintInfo* info, bool skipDialog) override
    {
        m_steps.push_back("prepare");
        return CPrinterJob::OnPreparePrinting(info, skipDialog);
    }
    void OnBeginPrinting(QPainter*, CPrintInfo* info) override
    {
        m_steps.push_back("begin");
        if (m_nLastPage != CPrintInfo::LAST_PAGE_UNKNOWN)
            info->SetMaxPage(m_nLastPage);
        m_rectAtBegin = info->m_rectDraw;
    }
    void OnPrint(QPainter* dc, CPrintInfo* info) override
    {
        const int page = int(info->m_nCurPage);
        m_steps.push_back("print " + std::to_string(page));
        DrawText(*dc, QStringLiteral("Job page %1").arg(page), info->m_rectDraw, DT_LEFT | DT_SINGLELINE);
        if (m_onPage)
            m_onPage(page);
    }
    void OnEndPrinting(QPainter*, CPrintInfo*) override { m_steps.push_back("end"); }

    UINT m_nLastPage = 3;
    std::vector<std::string> m_steps;
    std::function<void(int)> m_onPage;
    CRect m_rectAtBegin;
};

using JobSteps = std::vector<std::string>;

CPrintingDlg* VisibleProgressWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* progress = qobject_cast<CPrintingDlg*>(widget); progress != nullptr && progress->isVisible())
            return progress;
    }
    return nullptr;
}

class PrinterJobTest : public ::testing::Test {
protected:
    QString Path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir m_dir;
};

TEST_F(PrinterJobTest, EachRangePrintsItsPagesInItsOrder)
{
    struct Case {
        const char* name;
        bool range;
        UINT from;
        UINT to;
        UINT lastPage;
        JobSteps printed;
    } cases[] = {
        {"1 to 3", true, 1, 3, 3, {"print 1", "print 2", "print 3"}},
        {"3 to 1", true, 3, 1, 3, {"print 3", "print 2", "print 1"}},
        {"all", false, 0, 0, 3, {"print 1", "print 2", "print 3"}},
        {"2 to 9 of 3", true, 2, 9, 3, {"print 2", "print 3"}},
        {"count never set", false, 0, 0, CPrintInfo::LAST_PAGE_UNKNOWN, {"print 1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = Path(c.name) + QStringLiteral(".pdf");
        CPrintAnswer answer(path);
        if (c.range)
            answer.Range(c.from, c.to);
        CRecordingJob job;
        job.m_nLastPage = c.lastPage;
        job.PrintJob();

        JobSteps expected{"prepare", "begin"};
        expected.insert(expected.end(), c.printed.begin(), c.printed.end());
        expected.push_back("end");
        EXPECT_EQ(job.m_steps, expected);
        // The dialog offered every page of a job whose count is not known yet.
        EXPECT_EQ(answer.m_asked.Flags, DWORD(PD_USEDEVMODECOPIES | PD_NOSELECTION));
        EXPECT_EQ(answer.m_asked.nMinPage, 1u);
        EXPECT_EQ(answer.m_asked.nMaxPage, 65535u);
        EXPECT_EQ(answer.m_asked.nFromPage, 1u);
        EXPECT_EQ(answer.m_asked.nToPage, 65535u);
        // The drawing rectangle is the printable area in the printer's pixels.
        EXPECT_EQ(job.m_rectAtBegin.TopLeft(), QPoint(0, 0));
        EXPECT_GT(job.m_rectAtBegin.Width(), 8000);

        ASSERT_EQ(PdfPageCount(path), int(c.printed.size()));
        for (std::size_t i = 0; i < c.printed.size(); ++i) {
            const QString page = QString::fromStdString(c.printed[i]).mid(6);
            EXPECT_TRUE(PdfText(path, int(i) + 1).contains(QStringLiteral("Job page ") + page)) << i;
        }
    }
}

TEST_F(PrinterJobTest, ACancelledDialogRunsNoLaterStep)
{
    CPrintAnswer answer(Path("cancel.pdf"));
    answer.m_bCancel = true;
    CRecordingJob job;
    job.PrintJob();
    EXPECT_EQ(job.m_steps, JobSteps{"prepare"});
    EXPECT_FALSE(QFile::exists(Path("cancel.pdf")));
}

TEST_F(PrinterJobTest, ADocumentThatCannotStartOnlyEndsPrinting)
{
    const QString path = Path("no/such/folder/out.pdf");
    CPrintAnswer answer(path);
    CRecordingJob job;
    job.PrintJob();
    EXPECT_EQ(job.m_steps, (JobSteps{"prepare", "end"}));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(VisibleProgressWindow(), nullptr);
}

TEST_F(PrinterJobTest, CancelInTheProgressWindowAbortsAndLeavesNoFile)
{
    const QString path = Path("cancelled.pdf");
    CPrintAnswer answer(path);
    CRecordingJob job;
    QString port;
    QString progress;
    job.m_onPage = [&](int page) {
        if (page != 2)
            return;
        CPrintingDlg* window = VisibleProgressWindow();
        ASSERT_NE(window, nullptr);
        port = window->PortText();
        progress = window->ProgressText();
        QTest::mouseClick(window->CancelButton(), Qt::LeftButton);
    };
    job.PrintJob();
    EXPECT_EQ(job.m_steps, (JobSteps{"prepare", "begin", "print 1", "print 2", "end"}));
    EXPECT_EQ(port, QStringLiteral("to ") + path);
    EXPECT_EQ(progress, QStringLiteral("66 %"));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(VisibleProgressWindow(), nullptr);

    // The next job starts afresh.
    CRecordingJob again;
    again.PrintJob();
    EXPECT_EQ(again.m_steps.size(), 6u);
    EXPECT_TRUE(QFile::exists(path));
}

// Keeps a request to quit from reaching the test program's application.
class CQuitEater : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        return watched == QCoreApplication::instance() && event->type() == QEvent::Quit;
    }
};

TEST_F(PrinterJobTest, ARequestToQuitBetweenPagesAbortsTheJob)
{
    CQuitEater eater;
    qApp->installEventFilter(&eater);
    const QString path = Path("quit.pdf");
    CPrintAnswer answer(path);
    CRecordingJob job;
    job.m_onPage = [](int page) {
        if (page == 1)
            QCoreApplication::postEvent(QCoreApplication::instance(), new QEvent(QEvent::Quit));
    };
    job.PrintJob();
    qApp->removeEventFilter(&eater);
    EXPECT_EQ(job.m_steps, (JobSteps{"prepare", "begin", "print 1", "end"}));
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(PrinterJobTest, PrintingToAnUnnamedFileAsksForItsName)
{
    CPrintAnswer answer{QString()};
    answer.m_bNameless = true;
    FileDialogRequest asked;
    QString chosen = Path("chosen.pdf");
    const FileDialogHook previous = SetFileDialogHook([&](const FileDialogRequest& request) {
        asked = request;
        FileDialogResult result;
        result.accepted = !chosen.isEmpty();
        if (result.accepted)
            result.urls = {QUrl::fromLocalFile(chosen)};
        return result;
    });
    CRecordingJob job;
    job.PrintJob();
    EXPECT_EQ(asked.mode, FileDialogRequest::SAVE);
    EXPECT_EQ(asked.title, QStringLiteral("Print to File"));
    EXPECT_EQ(asked.fileName, QStringLiteral("Output.pdf"));
    EXPECT_EQ(asked.defaultSuffix, QStringLiteral("pdf"));
    EXPECT_TRUE(asked.askOverwrite);
    EXPECT_EQ(PdfPageCount(chosen), 3);

    // Cancelling the file choice stops the job before it begins.
    chosen.clear();
    CRecordingJob cancelled;
    cancelled.PrintJob();
    EXPECT_EQ(cancelled.m_steps, JobSteps{"prepare"});
    SetFileDialogHook(previous);
}

TEST_F(PrinterJobTest, TheDocumentNameIsThePdfTitle)
{
    CPrintAnswer answer(Path("title.pdf"));
    CRecordingJob unnamed;
    unnamed.PrintJob();
    EXPECT_EQ(PdfTitle(Path("title.pdf")), QStringLiteral("senza nome"));

    CRecordingJob named;
    named.m_strTitle = QStringLiteral("参数值显示 Report");
    named.PrintJob();
    EXPECT_EQ(PdfTitle(Path("title.pdf")), QStringLiteral("参数值显示 Report"));
}

TEST_F(PrinterJobTest, AJobWithoutAPageCountGoesOnOnlyOnItsFirstPage)
{
    CPrintInfo info;
    info.SetMaxPage(CPrintInfo::LAST_PAGE_UNKNOWN);
    for (UINT page : {1u, 2u}) {
        info.m_nCurPage = page;
        PrepareDcDefault(nullptr, &info);
        EXPECT_EQ(info.m_bContinuePrinting, page == 1) << page;
    }
    info.SetMaxPage(4);
    info.m_nCurPage = 3;
    PrepareDcDefault(nullptr, &info);
    EXPECT_TRUE(info.m_bContinuePrinting);
}

}  // namespace
