// The grid's CSV files: the bytes Save writes, Save-Load-Save round trips,
// the splitting rules of Load, no quoting (a comma or line break in a text
// splits on reading), a combo grid's acceptance on load, refused files that
// leave the grid as it was, and a failed save that keeps the old file.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QTemporaryDir>

#include "controls/grid/ComboGridCtrl.h"
#include "platform/core/TextCodec.h"
#include "platform/gui/DrawText.h"
#include "tests/common/FileSizeLimit.h"
#include "tests/common/MessageBoxSpy.h"
#include "tests/controls/GridTestSupport.h"

namespace {

QByteArray CsvFileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void WriteCsvBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// Every row's texts joined by "|", rows by "/".
QString CsvGridText(const CGridCtrl* grid)
{
    QStringList rows;
    for (int r = 0; r < grid->GetRowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid->GetColumnCount(); ++c)
            cells << grid->GetItemText(r, c);
        rows << cells.join(QLatin1Char('|'));
    }
    return rows.join(QLatin1Char('/'));
}

class GridCsv : public ::testing::Test, public GridFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Make(2, 2, 1, 0, 20, 60, QSize(300, 200));
        grid->SetItemText(0, 0, QStringLiteral("No."));
        grid->SetItemText(0, 1, QStringLiteral("Name"));
        grid->SetItemText(1, 0, QStringLiteral("1"));
        grid->SetItemText(1, 1, QStringLiteral("Alpha"));
    }
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    CMessageBoxSpy boxes;
};

TEST_F(GridCsv, SaveWritesEveryRowAsCommaSeparatedGbkLinesEndingInCrLf)
{
    ASSERT_TRUE(grid->Save(Path("a.csv")));
    EXPECT_EQ(CsvFileBytes(Path("a.csv")), QByteArray("No.,Name\r\n1,Alpha\r\n"));

    CProbeGrid noColumns(3, 0, 0, 0);
    ASSERT_TRUE(noColumns.Save(Path("none.csv")));
    EXPECT_EQ(CsvFileBytes(Path("none.csv")), QByteArray());
    CProbeGrid noRows(0, 3, 0, 0);
    ASSERT_TRUE(noRows.Save(Path("norows.csv")));
    EXPECT_EQ(CsvFileBytes(Path("norows.csv")), QByteArray(",,\r\n"));

    grid->SetItemText(1, 1, QStringLiteral("中文"));
    ASSERT_TRUE(grid->Save(Path("cn.csv")));
    EXPECT_EQ(CsvFileBytes(Path("cn.csv")), QByteArray("No.,Name\r\n1,") + ToDeviceBytes(QStringLiteral("中文")) + "\r\n");
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(GridCsv, SaveLoadSaveKeepsTheBytesWithQuotesChineseAndALongLine)
{
    const QString wide = QString(5000, QLatin1Char('w'));
    grid->SetColumnCount(3);
    grid->SetRowCount(3);
    grid->SetItemText(0, 2, QStringLiteral("\"Quoted\""));
    grid->SetItemText(1, 2, QStringLiteral("安中"));
    grid->SetItemText(2, 0, wide);
    grid->SetItemText(2, 2, QStringLiteral("' \"x\" '"));
    ASSERT_TRUE(grid->Save(Path("first.csv")));

    CProbeGrid loaded(4, 4, 1, 1);
    loaded.Create(CRect(0, 0, 200, 100), &owner, 3, WS_CHILD);
    ASSERT_TRUE(loaded.Load(Path("first.csv")));
    EXPECT_EQ(loaded.GetRowCount(), 3);
    EXPECT_EQ(loaded.GetColumnCount(), 3);
    EXPECT_EQ(loaded.GetFixedRowCount(), 0);
    EXPECT_EQ(loaded.GetFixedColumnCount(), 0);
    EXPECT_EQ(loaded.GetItemText(2, 0), wide);  // one row, not pieces of 1023
    EXPECT_EQ(loaded.GetItemText(1, 2), QStringLiteral("安中"));
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(loaded.GetItemFormat(r, c), UINT(DT_CENTER | DT_VCENTER | DT_SINGLELINE)) << r << "," << c;
    }
    // The columns fit their texts.
    EXPECT_GT(loaded.GetColumnWidth(0), loaded.GetColumnWidth(1));
    ASSERT_TRUE(loaded.Save(Path("second.csv")));
    EXPECT_EQ(CsvFileBytes(Path("second.csv")), CsvFileBytes(Path("first.csv")));
}

TEST_F(GridCsv, TextsAreNotQuotedSoACommaOrALineBreakSplitsOnReading)
{
    grid->SetItemText(1, 0, QStringLiteral("1,5"));
    grid->SetItemText(0, 1, QStringLiteral("Na\nme"));
    ASSERT_TRUE(grid->Save(Path("split.csv")));
    EXPECT_EQ(CsvFileBytes(Path("split.csv")), QByteArray("No.,Na\r\nme\r\n1,5,Alpha\r\n"));
    ASSERT_TRUE(grid->Load(Path("split.csv")));
    // "me" became a row; "Alpha" fell beyond the last column.
    EXPECT_EQ(CsvGridText(grid), QStringLiteral("No.|Na/me|/1|5"));
}

TEST_F(GridCsv, LoadSplitsFieldsAtCommasAndLineEnds)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        QString grid;
    };
    const std::vector<Case> cases = {
        {"two fields", "a,b\r\nc,d\r\n", "a|b/c|d"},
        {"a trailing comma gives an empty field", "a,\r\nc,d\n", "a|/c|d"},
        {"a lone line end is one empty field", "a,b\n\nc,d", "a|b/|/c|d"},
        {"extra fields dropped, missing ones empty", "a,b\nc,d,e\nf\n", "a|b/c|d/f|"},
        {"a last line without its end has no empty last field", "a,b,c\nd,", "a|b|c/d||"},
        {"an empty file gives an empty grid", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteCsvBytes(Path("case.csv"), c.bytes);
        ASSERT_TRUE(grid->Load(Path("case.csv")));
        EXPECT_EQ(CsvGridText(grid), c.grid);
    }
    EXPECT_EQ(grid->GetRowCount(), 0);
    EXPECT_EQ(grid->GetColumnCount(), 0);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(GridCsv, AComboGridLoadsOnlyTheTextsItsListsAccept)
{
    auto* combo = new CComboGridCtrl;
    combo->Create(CRect(0, 0, 200, 100), &owner, 4, WS_CHILD);
    combo->SetColumnList(1, {QStringLiteral("Alpha"), QStringLiteral("Beta")});
    WriteCsvBytes(Path("combo.csv"), "No.,Name\r\n1,Alpha\r\n2,Gamma\r\n3,Beta\r\n");
    ASSERT_TRUE(combo->Load(Path("combo.csv")));
    // No fixed rows after a load: the heading is refused like any text.
    EXPECT_EQ(CsvGridText(combo), QStringLiteral("No.|/1|Alpha/2|/3|Beta"));
}

TEST_F(GridCsv, ARefusedFileLeavesTheGridAndSaysWhy)
{
    WriteCsvBytes(Path("zero.csv"), QByteArray("a,b\n\0c,d\n", 9));
    WriteCsvBytes(Path("big.csv"), QByteArray(16 * 1024 * 1024 + 1, 'x'));
    struct Case {
        QString path;
        QString words;
    };
    const std::vector<Case> cases = {
        {Path("missing.csv"), QStringLiteral("was not found")},
        {Path("zero.csv"), QStringLiteral("is not a text file")},
        {Path("big.csv"), QStringLiteral("too large")},
        {dir.path(), QStringLiteral("denied")},  // a folder cannot be read as a file
    };
    const QString before = CsvGridText(grid);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        boxes.shown.clear();
        EXPECT_FALSE(grid->Load(c.path));
        EXPECT_EQ(CsvGridText(grid), before);
        EXPECT_EQ(grid->GetFixedRowCount(), 1);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_TRUE(boxes.shown[0].text.contains(c.path)) << boxes.shown[0].text.toStdString();
        EXPECT_TRUE(boxes.shown[0].text.contains(c.words)) << boxes.shown[0].text.toStdString();
    }
}

TEST_F(GridCsv, AFailedSaveKeepsTheOldFile)
{
    ASSERT_TRUE(grid->Save(Path("keep.csv")));
    const QByteArray old = CsvFileBytes(Path("keep.csv"));
    grid->SetItemText(1, 1, QStringLiteral("Changed"));
    {
        // The disk is full: no write gets past a few bytes.
        CFileSizeLimit limit(8);
        EXPECT_FALSE(grid->Save(Path("keep.csv")));
    }
    EXPECT_EQ(CsvFileBytes(Path("keep.csv")), old);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.contains(QStringLiteral("writing")));
    EXPECT_TRUE(boxes.shown[0].text.contains(Path("keep.csv")));
}

}  // namespace
