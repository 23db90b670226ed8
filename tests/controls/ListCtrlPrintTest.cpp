// List printing: the page count of a list two pages and five rows long and
// what each page shows (header lines, page text, headings, items in order,
// footer); column edges in the list's proportions, or equal shares for
// columns without width; the page table; a page too small for a row; lists
// that print nothing; the progress window over the list's window; the list
// destroyed while the job runs.
#include <gtest/gtest.h>

#include <memory>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include "controls/ListCtrl.h"
#include "controls/ListCtrlPrint.h"
#include "controls/PrintingDlg.h"
#include "tests/common/PdfReadBack.h"
#include "tests/controls/PrintTestSupport.h"

namespace {

const char* const kListReportHeader = "This is the report of the file\r\nMultiline!\r\n";
const char* const kListReportFooter = "Just a huar for the footers\r\neventually multiline too ..";

class ListCtrlPrintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_window = std::make_unique<QWidget>();
        m_list = new CListCtrl(m_window.get());
        m_list->resize(400, 300);
    }

    void Fill(int items, int width0 = 50, int width1 = 150)
    {
        m_list->InsertColumn(0, QStringLiteral("No."), LVCFMT_CENTER, width0);
        m_list->InsertColumn(1, QStringLiteral("Name"), LVCFMT_LEFT, width1);
        for (int i = 0; i < items; ++i) {
            m_list->InsertItem(i, QString::number(i));
            m_list->SetItemText(i, 1, QStringLiteral("Item%1").arg(i));
        }
    }

    void SetUpJob(CListCtrlPrint& job) const
    {
        job.m_pList = m_list;
        job.m_strHeader = QString::fromLatin1(kListReportHeader);
        job.m_strFooter = QString::fromLatin1(kListReportFooter);
        job.m_strPageFormat = QStringLiteral("Page %d of %d");
    }

    // The rows per page of a job on this list's columns.
    int RowsPerPage()
    {
        CPrintAnswer answer(Path("rows.pdf"));
        CListCtrlPrint job;
        SetUpJob(job);
        job.PrintJob();
        return job.m_nRowsPerPage;
    }

    QString Path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir m_dir;
    std::unique_ptr<QWidget> m_window;
    CListCtrl* m_list = nullptr;
};

// Every word in order within the text; the index after the last, -1 if
// one is missing.
int FindWordsInOrder(const QStringList& words, const QStringList& wanted, int from = 0)
{
    for (const QString& word : wanted) {
        from = int(words.indexOf(word, from));
        if (from < 0)
            return -1;
        ++from;
    }
    return from;
}

TEST_F(ListCtrlPrintTest, TwoPagesAndFiveRowsPrintOnThreePages)
{
    Fill(1);
    const int rows = RowsPerPage();
    ASSERT_GT(rows, 10);
    m_list->DeleteAllItems();
    m_list->setColumnCount(0);
    const int items = 2 * rows + 5;
    Fill(items);

    const QString path = Path("list.pdf");
    CPrintAnswer answer(path);
    CListCtrlPrint job;
    SetUpJob(job);
    job.PrintJob();
    ASSERT_EQ(PdfPageCount(path), 3);

    for (int page = 1; page <= 3; ++page) {
        SCOPED_TRACE(page);
        const QStringList words = PdfWords(path, page);
        // Header lines and page text, headings, the page's items, footer.
        QStringList top{QStringLiteral("This"), QStringLiteral("report"), QStringLiteral("file"),
                        QStringLiteral("Multiline!")};
        EXPECT_GE(FindWordsInOrder(words, top), 0);
        EXPECT_TRUE(PdfText(path, page).contains(QStringLiteral("Page %1 of 3").arg(page)));
        int at = FindWordsInOrder(words, {QStringLiteral("No."), QStringLiteral("Name")});
        ASSERT_GE(at, 0);
        const int first = (page - 1) * rows;
        const int last = std::min(items, page * rows);
        for (int i = first; i < last; ++i) {
            at = FindWordsInOrder(words, {QString::number(i), QStringLiteral("Item%1").arg(i)}, at);
            ASSERT_GE(at, 0) << "item " << i;
        }
        EXPECT_GE(FindWordsInOrder(words, {QStringLiteral("huar"), QStringLiteral("footers"), QStringLiteral("eventually"),
                                      QStringLiteral("..")},
                              at),
                  0);
        if (last < items) {
            EXPECT_FALSE(words.contains(QStringLiteral("Item%1").arg(last)));
        }
    }
    // The columns keep the list's 1 : 3.
    ASSERT_EQ(job.m_pColPos.size(), 3u);
    const int width = job.m_pColPos[2];
    EXPECT_EQ(job.m_pColPos[0], 0);
    EXPECT_NEAR(job.m_pColPos[1], width / 4, 1);
    EXPECT_EQ(job.m_pColFmt, (std::vector<int>{HDF_CENTER, HDF_LEFT}));
    EXPECT_EQ(job.m_pColTitle, (std::vector<QString>{QStringLiteral("No."), QStringLiteral("Name")}));
}

TEST_F(ListCtrlPrintTest, PageTableAndPageText)
{
    struct Case {
        int items;
        int rows;
        int pages;
    } cases[] = {{45, 20, 3}, {40, 20, 3}, {39, 20, 2}, {1, 20, 1}, {5, 1, 6}, {5, 0, 6}};
    for (const Case& c : cases)
        EXPECT_EQ(CListCtrlPrint::PageCount(c.items, c.rows), c.pages) << c.items << "/" << c.rows;

    EXPECT_EQ(CListCtrlPrint::FormatPageText(QStringLiteral("Page %d of %d"), 2, 3), QStringLiteral("Page 2 of 3"));
    EXPECT_EQ(CListCtrlPrint::FormatPageText(QStringLiteral("%d/%d %d"), 10, 12), QStringLiteral("10/12 %d"));
    EXPECT_EQ(CListCtrlPrint::FormatPageText(QStringLiteral("%s %n %d"), 4, 5), QStringLiteral("%s %n 4"));
    EXPECT_EQ(CListCtrlPrint::FormatPageText(QStringLiteral("第%d页"), 7, 9), QStringLiteral("第7页"));
}

TEST_F(ListCtrlPrintTest, APageTooSmallForARowStillPrintsOneRowAPage)
{
    Fill(3);
    const QString path = Path("small.pdf");
    CPrintAnswer answer(path);
    CListCtrlPrint job;
    SetUpJob(job);
    job.m_rcMargins = CRect(10, 140, 10, 150);  // 7 mm of A4 left
    job.PrintJob();
    EXPECT_EQ(job.m_nRowsPerPage, 1);
    EXPECT_EQ(PdfPageCount(path), 4);
    EXPECT_TRUE(PdfText(path, 3).contains(QStringLiteral("Item2")));
}

TEST_F(ListCtrlPrintTest, ColumnsWithoutWidthShareThePageEqually)
{
    Fill(2, 0, 0);
    CPrintAnswer answer(Path("zero.pdf"));
    CListCtrlPrint job;
    SetUpJob(job);
    job.PrintJob();
    ASSERT_EQ(job.m_pColPos.size(), 3u);
    EXPECT_GT(job.m_pColPos[2], 8000);
    EXPECT_NEAR(job.m_pColPos[1], job.m_pColPos[2] / 2, 1);
    EXPECT_TRUE(PdfText(Path("zero.pdf"), 1).contains(QStringLiteral("Item1")));
}

TEST_F(ListCtrlPrintTest, ListsWithoutItemsOrColumnsPrintNothing)
{
    CPrintAnswer answer(Path("none.pdf"));
    CListCtrlPrint noList;
    noList.PrintJob();
    CListCtrlPrint noColumns;
    SetUpJob(noColumns);
    m_list->InsertItem(0, QStringLiteral("x"));
    noColumns.PrintJob();
    m_list->DeleteAllItems();
    m_list->InsertColumn(0, QStringLiteral("No."));
    CListCtrlPrint noItems;
    SetUpJob(noItems);
    noItems.PrintJob();
    EXPECT_EQ(answer.m_nAsked, 0);
    EXPECT_FALSE(QFile::exists(Path("none.pdf")));
}

TEST_F(ListCtrlPrintTest, TheProgressWindowBlocksTheListsWindow)
{
    Fill(60);
    CPrintAnswer answer(Path("modal.pdf"));
    QWidget* parent = nullptr;
    Qt::WindowModality modality = Qt::NonModal;
    answer.m_onAnswer = [&] {
        QTimer::singleShot(0, [&] {
            if (QWidget* modal = QApplication::activeModalWidget(); qobject_cast<CPrintingDlg*>(modal) != nullptr) {
                parent = modal->parentWidget();
                modality = modal->windowModality();
            }
        });
    };
    CListCtrlPrint job;
    SetUpJob(job);
    job.PrintJob();
    EXPECT_EQ(answer.m_pParent, m_window.get());
    EXPECT_EQ(parent, m_window.get());
    EXPECT_EQ(modality, Qt::WindowModal);
}

TEST_F(ListCtrlPrintTest, AListDestroyedWhileTheJobRunsAbortsIt)
{
    Fill(100);
    const QString path = Path("gone.pdf");
    CPrintAnswer answer(path);
    // The window with the list goes while the job lets events run after
    // its first page.
    answer.m_onAnswer = [this] { QTimer::singleShot(0, [this] { m_window.reset(); }); };
    CListCtrlPrint job;
    SetUpJob(job);
    job.PrintJob();
    EXPECT_FALSE(job.m_pList);
    EXPECT_FALSE(QFile::exists(path));
}

}  // namespace
