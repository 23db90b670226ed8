// The grid's printing, to PDF through the print-dialog seam and read back
// with poppler: page counts by the row rule for one, two and three pages,
// each page's texts and where they stand (the application's name at the
// right, the window title centred, the fixed rows on every page, the page
// number and date at the foot), cancel, a document that cannot start, the
// grid without rows and a row taller than a page's body.
#include <gtest/gtest.h>

#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include "controls/PrintInfo.h"
#include "platform/core/WallClock.h"
#include "platform/gui/DrawText.h"
#include "tests/common/PdfReadBack.h"
#include "tests/controls/GridTestSupport.h"
#include "tests/controls/PrintTestSupport.h"

namespace {

// The grid that counts the steps Print drives.
class CPrintCountGrid : public CProbeGrid {
public:
    using CProbeGrid::CProbeGrid;
    void OnBeginPrinting(QPainter* dc, CPrintInfo* info) override
    {
        ++begins;
        CProbeGrid::OnBeginPrinting(dc, info);
    }
    void OnPrint(QPainter* dc, CPrintInfo* info) override
    {
        ++pages;
        CProbeGrid::OnPrint(dc, info);
    }
    void OnEndPrinting(QPainter* dc, CPrintInfo* info) override
    {
        ++ends;
        CProbeGrid::OnEndPrinting(dc, info);
    }
    int begins = 0;
    int pages = 0;
    int ends = 0;
};

// The page count by the row rule: a row opens a page when the rows before
// it on the page and itself exceed the body's height.
int RulePages(const std::vector<int>& heights, int body)
{
    int pages = 1;
    int total = 0;
    for (int height : heights) {
        total += height;
        if (total > body) {
            ++pages;
            total = height;
        }
    }
    return pages;
}

const PdfWordBox* FindWord(const QList<PdfWordBox>& words, const QString& text)
{
    for (const PdfWordBox& word : words) {
        if (word.text == text)
            return &word;
    }
    return nullptr;
}

class GridPrint : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        owner.setWindowTitle(QStringLiteral("Preset Table"));
        grid = new CPrintCountGrid(1, 2, 1, 0);
        grid->Create(CRect(0, 0, 300, 200), &owner, 2724, WS_CHILD | WS_VISIBLE);
        grid->SetItemText(0, 0, QStringLiteral("No."));
        grid->SetItemText(0, 1, QStringLiteral("Name"));
        grid->SetColumnWidth(0, 120);
        grid->SetColumnWidth(1, 120);
        grid->SetRowHeight(0, 20);
        m_previousClock = SetWallClockHook([] { return std::time_t(1800000000); });
    }
    void TearDown() override { SetWallClockHook(m_previousClock); }

    // Rows 1.. of the given heights, "R<n>" and "Cell<n>" in them.
    void SetRows(const std::vector<int>& heights)
    {
        grid->SetRowCount(1 + int(heights.size()));
        for (int i = 0; i < int(heights.size()); ++i) {
            const int row = i + 1;
            grid->SetItemText(row, 0, QStringLiteral("R%1").arg(row));
            grid->SetItemText(row, 1, QStringLiteral("Cell%1").arg(row));
            grid->SetItemFormat(row, 0, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
            grid->SetRowHeight(row, heights[size_t(i)]);
        }
    }

    // The body height of a page on A4 for the grid as it stands.
    int BodyHeight()
    {
        CPrintInfo info;
        info.GetPrinter()->setOutputFormat(QPrinter::PdfFormat);
        info.GetPrinter()->setPageSize(QPageSize(QPageSize::A4));
        QPainter inactive;
        grid->CProbeGrid::OnBeginPrinting(&inactive, &info);
        grid->CProbeGrid::OnEndPrinting(&inactive, &info);
        return grid->GetPrintPageHeight();
    }

    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    CGridOwner owner;
    CPrintCountGrid* grid = nullptr;
    WallClockHook m_previousClock;
};

TEST_F(GridPrint, RowsSplitIntoPagesByTheRuleAndEveryPageCarriesItsBands)
{
    SetRows({20});
    const int body = BodyHeight();
    ASSERT_GT(body, 100);
    const int perPage = body / 20;
    for (int wanted = 1; wanted <= 3; ++wanted) {
        SCOPED_TRACE(wanted);
        const int rows = wanted == 1 ? perPage : (wanted - 1) * perPage + 1;
        const std::vector<int> heights(size_t(rows), 20);
        ASSERT_EQ(RulePages(heights, body), wanted);
        SetRows(heights);
        const QString path = dir.filePath(QStringLiteral("grid%1.pdf").arg(wanted));
        CPrintAnswer answer(path);
        grid->Print();
        EXPECT_EQ(answer.m_asked.Flags, DWORD(PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIES | PD_HIDEPRINTTOFILE));
        EXPECT_EQ(answer.m_pParent, grid);
        ASSERT_EQ(PdfPageCount(path), wanted);
        EXPECT_EQ(PdfTitle(path), QStringLiteral("Orvane 7734"));

        for (int page = 1; page <= wanted; ++page) {
            SCOPED_TRACE(page);
            const QString text = PdfText(path, page);
            EXPECT_TRUE(text.contains(QStringLiteral("Page %1 of %2").arg(page).arg(wanted)));
            EXPECT_TRUE(text.contains(QStringLiteral("Orvane 7734")));
            EXPECT_TRUE(text.contains(QStringLiteral("Preset Table")));
            EXPECT_TRUE(text.contains(WallClockText(1800000000).simplified()) ||
                        text.simplified().contains(WallClockText(1800000000).simplified()));
            const QStringList words = PdfWords(path, page);
            EXPECT_TRUE(words.contains(QStringLiteral("No.")));
            EXPECT_TRUE(words.contains(QStringLiteral("Name")));
            // This page's rows and no other's.
            const int first = 1 + (page - 1) * perPage;
            const int last = std::min(rows, page * perPage);
            for (int row = 1; row <= rows; ++row)
                EXPECT_EQ(words.contains(QStringLiteral("R%1").arg(row)), row >= first && row <= last) << row;
        }

        // Where the bands stand on the first page.
        QSizeF size;
        const QList<PdfWordBox> boxes = PdfWordBoxes(path, 1, &size);
        ASSERT_GT(size.width(), 0);
        const PdfWordBox* app = FindWord(boxes, QStringLiteral("7734"));
        const PdfWordBox* preset = FindWord(boxes, QStringLiteral("Preset"));
        const PdfWordBox* table = FindWord(boxes, QStringLiteral("Table"));
        const PdfWordBox* heading = FindWord(boxes, QStringLiteral("No."));
        const PdfWordBox* pageWord = FindWord(boxes, QStringLiteral("Page"));
        const PdfWordBox* row1 = FindWord(boxes, QStringLiteral("R1"));
        ASSERT_TRUE(app && preset && table && heading && pageWord && row1);
        EXPECT_GT(app->xMax, size.width() * 0.85);                                       // right
        EXPECT_NEAR((preset->xMin + table->xMax) / 2, size.width() / 2, size.width() * 0.03);  // centred
        EXPECT_LT(app->yMax, size.height() * 0.1);                                       // top band
        EXPECT_LT(app->yMax, heading->yMin);
        EXPECT_LT(heading->yMax, row1->yMin);
        EXPECT_LT(pageWord->xMin, size.width() * 0.15);                                  // left
        EXPECT_GT(pageWord->yMin, size.height() * 0.9);                                  // foot
    }
    EXPECT_EQ(grid->begins, 3);
    EXPECT_EQ(grid->ends, 3);
}

TEST_F(GridPrint, CancelPrintsNothingAndAStartThatFailsStillBeginsAndEnds)
{
    SetRows({20, 20});
    {
        CPrintAnswer answer(Path("cancel.pdf"));
        answer.m_bCancel = true;
        grid->Print();
        EXPECT_EQ(answer.m_nAsked, 1);
    }
    EXPECT_FALSE(QFile::exists(Path("cancel.pdf")));
    EXPECT_EQ(grid->begins, 0);

    const QString missing = dir.filePath(QStringLiteral("no/such/folder/out.pdf"));
    CPrintAnswer answer(missing);
    grid->Print();
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_EQ(grid->begins, 1);
    EXPECT_EQ(grid->pages, 0);
    EXPECT_EQ(grid->ends, 1);
}

TEST_F(GridPrint, AGridWithoutRowsPrintsOnePageOfItsHeaders)
{
    const QString path = Path("empty.pdf");
    CPrintAnswer answer(path);
    grid->Print();
    ASSERT_EQ(PdfPageCount(path), 1);
    const QString text = PdfText(path, 1);
    EXPECT_TRUE(text.contains(QStringLiteral("Page 1 of 1")));
    EXPECT_TRUE(text.contains(QStringLiteral("No.")));
    EXPECT_EQ(grid->pages, 1);
}

TEST_F(GridPrint, ARowTallerThanTheBodyPrintsAloneOnItsPage)
{
    SetRows({20});
    const int body = BodyHeight();
    struct Case {
        const char* name;
        std::vector<int> heights;
        std::vector<QStringList> pageRows;
    };
    const std::vector<Case> cases = {
        {"after a row", {20, body + 40, 20}, {{"R1"}, {"R2"}, {"R3"}}},
        {"first", {body + 40, 20, 20}, {{"R1"}, {"R2", "R3"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetRows(c.heights);
        const QString path = dir.filePath(QStringLiteral("tall-%1.pdf").arg(QString::fromLatin1(c.name).left(5)));
        CPrintAnswer answer(path);
        grid->Print();
        ASSERT_EQ(PdfPageCount(path), int(c.pageRows.size()));
        for (int page = 1; page <= int(c.pageRows.size()); ++page) {
            const QStringList words = PdfWords(path, page);
            for (int row = 1; row <= 3; ++row) {
                const QString name = QStringLiteral("R%1").arg(row);
                EXPECT_EQ(words.contains(name), c.pageRows[size_t(page - 1)].contains(name)) << page << " " << row;
            }
        }
    }
}

}  // namespace
