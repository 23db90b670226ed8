// The parameter table: its rows, columns and every channel's texts from the
// parameter set in both languages; printed and read back from the PDF; the
// workbook export read back from the file (sheet, every cell, a quoted text
// intact), a failed write that keeps the old file and shows the error, a
// cancelled choice, the modes and empty lists that export nothing; column
// dividers that stay; the dialog blocked while it prints.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QXmlStreamReader>

#include "app/DataViewDlg.h"
#include "app/GlobalObjects.h"
#include "app/ViewPaths.h"
#include "controls/ListCtrl.h"
#include "controls/PrintingDlg.h"
#include "model/DataDefine.h"
#include "model/Effect_Data.h"
#include "model/Filter.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/MIC_InData.h"
#include "model/Music_InData.h"
#include "platform/core/AppMode.h"
#include "platform/core/Language.h"
#include "platform/gui/FileDialog.h"
#include "platform/gui/ModalDialog.h"
#include "tests/common/FileSizeLimit.h"
#include "tests/common/MessageBoxSpy.h"
#include "tests/common/PdfReadBack.h"
#include "tests/controls/ListTestSupport.h"
#include "tests/controls/PrintTestSupport.h"

namespace {

// Rows of the table after the 31 bands' 186.
enum : int {
    kRowHpfType = 186,
    kRowLpfType = 190,
    kRowPolarity = 194,
    kRowDelay = 195,
    kRowGain = 196,
    kRowMute = 199,
    kRowThreshold = 201,
    kRowAttack = 202,
    kRowLevel = 205,
    kRowNoiseGate = 206,
    kRowEffectParam130 = 208,
    kRowEffectParam140 = 217,
};

// A cell of the sheet: "A1", "S219".
QString CellName(int row, int col)
{
    return QString(QChar(u'A' + col)) + QString::number(row + 1);
}

// The text of every string cell of the first sheet, by cell name, with the
// sheet's name, read back with unzip.
struct Workbook {
    QString sheetName;
    std::map<QString, QString> cells;
};

QByteArray UnzipMember(const QString& file, const QString& member)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), file, member});
    if (!unzip.waitForStarted(10000)) {
        ADD_FAILURE() << "unzip did not start";
        return QByteArray();
    }
    unzip.waitForFinished(60000);
    EXPECT_EQ(unzip.exitCode(), 0) << member.toStdString();
    return unzip.readAllStandardOutput();
}

Workbook ReadWorkbook(const QString& file)
{
    Workbook book;
    QXmlStreamReader workbook(UnzipMember(file, QStringLiteral("xl/workbook.xml")));
    while (workbook.readNextStartElement() || !workbook.atEnd()) {
        if (workbook.isStartElement() && workbook.name() == QStringLiteral("sheet") && book.sheetName.isEmpty())
            book.sheetName = workbook.attributes().value(QStringLiteral("name")).toString();
        if (!workbook.isStartElement())
            workbook.readNext();
    }
    QStringList shared;
    QXmlStreamReader strings(UnzipMember(file, QStringLiteral("xl/sharedStrings.xml")));
    while (!strings.atEnd()) {
        strings.readNext();
        if (strings.isStartElement() && strings.name() == QStringLiteral("t"))
            shared << strings.readElementText();
    }
    QXmlStreamReader sheet(UnzipMember(file, QStringLiteral("xl/worksheets/sheet1.xml")));
    QString cell;
    while (!sheet.atEnd()) {
        sheet.readNext();
        if (!sheet.isStartElement())
            continue;
        if (sheet.name() == QStringLiteral("c")) {
            EXPECT_EQ(sheet.attributes().value(QStringLiteral("t")), QStringLiteral("s"));
            cell = sheet.attributes().value(QStringLiteral("r")).toString();
        } else if (sheet.name() == QStringLiteral("v")) {
            book.cells[cell] = shared.value(sheet.readElementText().toInt());
        }
    }
    return book;
}

class DataViewDlgTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { CreateGlobalObjects(); }

    void SetUp() override
    {
        InitDefaultDeviceData();
        g_bChinese = 0;
        g_nAppMode = APP_MODE_DEFAULT;
        g_szStartDir = m_dir.path();
        m_set = std::make_unique<CKTV_Data>();
        // Outputs 1, 7 and 12, the mic and the effect block get values of
        // their own.
        CFilter* shelf = m_set->GetOutput(0)->GetBand(0);
        shelf->SetKind(FILTER_LOW_SHELF);
        shelf->SetFrequency(120, true);
        m_set->GetOutput(6)->SetLimitThreshold(420);
        m_set->GetOutput(11)->SetDelay(55);
        m_set->GetOutput(11)->SetPolarity(1);
        m_set->GetMic(0)->SetLevel(3);
        m_set->GetEffect()->SetParam(130, 40);
        m_previousFiles = SetFileDialogHook([this](const FileDialogRequest& request) {
            m_asked.push_back(request);
            FileDialogResult result;
            result.accepted = !m_strExportTo.isEmpty();
            if (result.accepted)
                result.urls = {QUrl::fromLocalFile(m_strExportTo)};
            return result;
        });
    }
    void TearDown() override
    {
        SetFileDialogHook(m_previousFiles);
        g_bChinese = 0;
        g_nAppMode = APP_MODE_DEFAULT;
        g_szStartDir.clear();
    }

    std::unique_ptr<CDataViewDlg> OpenTable()
    {
        auto dialog = std::make_unique<CDataViewDlg>();
        dialog->m_pData = m_set.get();
        dialog->OnInitDialog();
        return dialog;
    }

    QString Path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir m_dir;
    std::unique_ptr<CKTV_Data> m_set;
    FileDialogHook m_previousFiles;
    std::vector<FileDialogRequest> m_asked;
    QString m_strExportTo;
};

TEST_F(DataViewDlgTest, TheTableShowsEveryChannelInBothLanguages)
{
    for (int chinese : {0, 1}) {
        SCOPED_TRACE(chinese);
        g_bChinese = chinese;
        const auto dialog = OpenTable();
        const CListCtrl& list = *dialog->m_list;
        EXPECT_EQ(dialog->windowTitle(), chinese ? QStringLiteral("参数值显示") : QStringLiteral("Report"));
        EXPECT_EQ(dialog->m_btnPrint->text(), chinese ? QStringLiteral("打印") : QStringLiteral("Print"));
        EXPECT_EQ(dialog->m_btnExport->text(), chinese ? QStringLiteral("导出Excel") : QStringLiteral("Export Excel"));
        EXPECT_EQ(list.GetExtendedStyle(), 0x21u);
        EXPECT_EQ(list.GetBkColor(), RGB(247, 247, 255));
        EXPECT_EQ(list.GetTextColor(), RGB(0, 0, 255));
        EXPECT_EQ(list.GetTextBkColor(), RGB(247, 247, 255));

        // Columns: the labels, mic, music 1-4, effect, CH1-CH12; centred.
        const CHeaderCtrl* header = list.GetHeaderCtrl();
        ASSERT_EQ(header->GetItemCount(), 19);
        const QStringList names{chinese ? QStringLiteral("参数") : QStringLiteral("Args"), QStringLiteral("Mic 1"),
                                QStringLiteral("Music 1"), QStringLiteral("Music 4"), QStringLiteral("Effect"),
                                QStringLiteral("CH1"), QStringLiteral("CH12")};
        const int at[] = {0, 1, 2, 5, 6, 7, 18};
        for (int i = 0; i < names.size(); ++i) {
            HDITEM item;
            item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
            ASSERT_TRUE(header->GetItem(at[i], &item));
            EXPECT_EQ(item.pszText, names[i]);
            EXPECT_EQ(item.cxy, at[i] == 0 ? 110 : 80);
            EXPECT_EQ(item.fmt, HDF_CENTER);
        }

        // Rows: six per band, the closing rows as they stand, then ours.
        ASSERT_EQ(list.GetItemCount(), 218);
        struct Label {
            int row;
            const char* english;
            const char* chinese;
        } labels[] = {
            {0, "EQ1 Type", "均衡1类型"},     {3, "EQ1 Width", "均衡1宽度"},  {4, "EQ1 Q", "均衡1Q值"},
            {5, "", ""},                      {180, "EQ31 Type", "均衡31类型"}, {kRowHpfType, "HPF_Type", "低切类型"},
            {kRowLpfType, "LPF_Type", "高切类型"}, {kRowPolarity, "POL", "相  位"}, {kRowAttack, "Attach", "响应时间"},
            {kRowLevel, "Level", "电平"},     {kRowNoiseGate, "NoiseGate", "噪声门"},
            {kRowEffectParam130, "Param 130", "参数 130"}, {kRowEffectParam140, "Param 140", "参数 140"},
        };
        for (const Label& l : labels)
            EXPECT_EQ(list.GetItemText(l.row, 0), QString::fromUtf8(chinese ? l.chinese : l.english)) << l.row;

        // Cells: each the channel's formatter, in the current language.
        const CKTV_OutData& out1 = *m_set->GetOutput(0);
        EXPECT_EQ(list.GetItemText(0, 7), chinese ? QStringLiteral("低架") : QStringLiteral("Lo_Shf"));
        EXPECT_EQ(list.GetItemText(2, 7), QStringLiteral("120Hz"));
        EXPECT_EQ(list.GetItemText(1, 7), out1.GetBand(0)->FormatGain());
        EXPECT_EQ(list.GetItemText(3, 7), out1.GetBand(0)->FormatShelfSlope());
        EXPECT_EQ(list.GetItemText(4, 7), QString());  // a shelf has no Q
        EXPECT_EQ(list.GetItemText(6, 7), chinese ? QStringLiteral("参量均衡") : QStringLiteral("PEQ"));
        EXPECT_EQ(list.GetItemText(9, 7), out1.GetBand(1)->FormatBandwidth());
        EXPECT_EQ(list.GetItemText(10, 7), out1.GetBand(1)->FormatQ());
        EXPECT_EQ(list.GetItemText(kRowThreshold, 13), QStringLiteral("12.0dBu"));
        EXPECT_EQ(list.GetItemText(kRowDelay, 18), QStringLiteral("5.5ms"));
        EXPECT_EQ(list.GetItemText(kRowPolarity, 18), chinese ? QStringLiteral("反相") : QStringLiteral("Pol-"));
        EXPECT_EQ(list.GetItemText(kRowPolarity, 17), m_set->GetOutput(10)->FormatPolarity());
        EXPECT_EQ(list.GetItemText(kRowGain, 7), out1.FormatGain());
        EXPECT_EQ(list.GetItemText(kRowMute, 18), m_set->GetOutput(11)->FormatOn());
        EXPECT_EQ(list.GetItemText(kRowLevel, 1), chinese ? QStringLiteral(" 3级") : QStringLiteral(" 3Level"));
        EXPECT_EQ(list.GetItemText(kRowNoiseGate, 3), m_set->GetMusic(1)->FormatNoiseGate());
        EXPECT_EQ(list.GetItemText(kRowGain, 6), m_set->GetEffect()->FormatByte139());
        EXPECT_EQ(list.GetItemText(kRowEffectParam130, 6), QStringLiteral("40%"));
        EXPECT_EQ(list.GetItemText(kRowEffectParam140, 6), m_set->GetEffect()->FormatByte140());
        // The effect's tone bands always show bandwidth and Q.
        EXPECT_EQ(list.GetItemText(4, 6), m_set->GetEffect()->GetBand(0)->FormatQ());
        // Every channel shows both crossovers; bands it lacks stay empty.
        for (int col = 1; col < 19; ++col) {
            EXPECT_FALSE(list.GetItemText(kRowHpfType + 1, col).isEmpty()) << col;
            EXPECT_FALSE(list.GetItemText(kRowLpfType + 1, col).isEmpty()) << col;
        }
        EXPECT_EQ(list.GetItemText(kRowLpfType, 7), out1.GetLowPass()->FormatFamily());
        EXPECT_EQ(list.GetItemText(8 * 6, 1), m_set->GetMic(0)->GetBand(8)->FormatKind());
        EXPECT_EQ(list.GetItemText(9 * 6, 1), QString());  // the mic has 9 bands
        EXPECT_EQ(list.GetItemText(3 * 6, 6), QString());  // the effect 3
        EXPECT_EQ(list.GetItemText(30 * 6 + 2, 5), m_set->GetMusic(3)->GetBand(30)->FormatFrequency());
        EXPECT_EQ(list.GetItemText(kRowPolarity, 2), QString());  // music: no polarity in the table
        EXPECT_EQ(list.GetItemText(kRowThreshold, 1), QString());
    }
}

TEST_F(DataViewDlgTest, TheTablePrintsInBothLanguages)
{
    for (int chinese : {0, 1}) {
        SCOPED_TRACE(chinese);
        g_bChinese = chinese;
        const auto dialog = OpenTable();
        const QString path = Path(chinese ? "table-cn.pdf" : "table-en.pdf");
        CPrintAnswer answer(path);
        // While the job runs the dialog is blocked under the progress window.
        QWidget* blocking = nullptr;
        answer.m_onAnswer = [&] {
            QTimer::singleShot(0, [&] {
                QWidget* modal = QApplication::activeModalWidget();
                if (qobject_cast<CPrintingDlg*>(modal) != nullptr)
                    blocking = modal->parentWidget();
            });
        };
        QTest::mouseClick(dialog->m_btnPrint, Qt::LeftButton);
        EXPECT_EQ(blocking, dialog.get());
        const int pages = PdfPageCount(path);
        ASSERT_GE(pages, 2);
        const QString first = PdfText(path, 1);
        EXPECT_TRUE(first.contains(QStringLiteral("Page 1 of %1").arg(pages)));
        EXPECT_TRUE(first.contains(chinese ? QStringLiteral("均衡1类型") : QStringLiteral("EQ1 Type")));
        EXPECT_TRUE(first.contains(chinese ? QStringLiteral("低架") : QStringLiteral("Lo_Shf")));
        EXPECT_TRUE(first.contains(QStringLiteral("120Hz")));
        EXPECT_TRUE(first.contains(QStringLiteral("CH12")));
        EXPECT_TRUE(first.contains(QStringLiteral("Just a huar for the footers")));
        const QString all = PdfText(path);
        EXPECT_TRUE(all.contains(chinese ? QStringLiteral("响应时间") : QStringLiteral("Attach")));
        EXPECT_TRUE(all.contains(QStringLiteral("12.0dBu")));
        EXPECT_TRUE(all.contains(chinese ? QStringLiteral("参数 140") : QStringLiteral("Param 140")));
    }
}

TEST_F(DataViewDlgTest, TheExportWritesEveryCellAsText)
{
    for (int chinese : {0, 1}) {
        SCOPED_TRACE(chinese);
        g_bChinese = chinese;
        const auto dialog = OpenTable();
        CListCtrl& list = *dialog->m_list;
        list.SetItemText(5, 1, QStringLiteral("it's \"quoted\" & <kept>"));
        m_strExportTo = Path("TOVIK.xlsx");
        m_asked.clear();
        CMessageBoxSpy spy;
        QTest::mouseClick(dialog->m_btnExport, Qt::LeftButton);

        ASSERT_EQ(m_asked.size(), 1u);
        const FileDialogRequest& asked = m_asked[0];
        EXPECT_EQ(asked.mode, FileDialogRequest::SAVE);
        EXPECT_EQ(asked.title, chinese ? QStringLiteral("导出") : QStringLiteral("Load"));
        EXPECT_EQ(asked.directory, m_dir.filePath(QStringLiteral("MusicFile")));
        EXPECT_EQ(asked.fileName, QStringLiteral("TOVIK.xlsx"));
        EXPECT_EQ(asked.filters, QStringList{QStringLiteral("Excel(*.xlsx)")});
        EXPECT_EQ(asked.defaultSuffix, QStringLiteral("xlsx"));
        EXPECT_TRUE(asked.askOverwrite);
        EXPECT_TRUE(spy.shown.empty());

        const Workbook book = ReadWorkbook(m_strExportTo);
        EXPECT_EQ(book.sheetName, QStringLiteral("TOVIK"));
        std::size_t expected = 0;
        const CHeaderCtrl* header = list.GetHeaderCtrl();
        for (int c = 0; c < header->GetItemCount(); ++c) {
            HDITEM item;
            item.mask = HDI_TEXT;
            header->GetItem(c, &item);
            EXPECT_EQ(book.cells.count(CellName(0, c)) ? book.cells.at(CellName(0, c)) : QString(), item.pszText);
            ++expected;
        }
        for (int r = 0; r < list.GetItemCount(); ++r) {
            for (int c = 0; c < header->GetItemCount(); ++c) {
                const QString text = list.GetItemText(r, c);
                const auto cell = book.cells.find(CellName(r + 1, c));
                if (text.isEmpty()) {
                    EXPECT_EQ(cell, book.cells.end()) << r << "," << c;
                } else {
                    ASSERT_NE(cell, book.cells.end()) << r << "," << c;
                    EXPECT_EQ(cell->second, text) << r << "," << c;
                    ++expected;
                }
            }
        }
        EXPECT_EQ(book.cells.size(), expected);
        EXPECT_EQ(book.cells.at(QStringLiteral("B7")), QStringLiteral("it's \"quoted\" & <kept>"));
    }
}

TEST_F(DataViewDlgTest, AFailedWriteKeepsTheOldFileAndSaysWhy)
{
    m_strExportTo = Path("TOVIK.xlsx");
    {
        QFile old(m_strExportTo);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the old workbook");
    }
    for (int chinese : {0, 1}) {
        g_bChinese = chinese;
        const auto dialog = OpenTable();
        CMessageBoxSpy spy;
        {
            // The disk refuses the bytes half way.
            CFileSizeLimit limit(2000);
            dialog->OnExportExcel();
        }

        QFile kept(m_strExportTo);
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), QByteArray("the old workbook"));
        ASSERT_EQ(spy.shown.size(), 1u);
        EXPECT_FALSE(spy.shown[0].text.isEmpty());
        EXPECT_EQ(spy.shown[0].type, unsigned(MB_OK));
        EXPECT_EQ(spy.shown[0].helpId, chinese ? -2 : -3);
    }
}

TEST_F(DataViewDlgTest, NothingIsExportedWhenCancelledOutOfModeOrEmpty)
{
    const auto dialog = OpenTable();
    CMessageBoxSpy spy;
    // Cancelled: nothing written.
    m_strExportTo.clear();
    dialog->OnExportExcel();
    EXPECT_EQ(m_asked.size(), 1u);
    EXPECT_FALSE(QFile::exists(Path("TOVIK.xlsx")));
    // Another application mode: not even asked.
    m_strExportTo = Path("TOVIK.xlsx");
    g_nAppMode = 0;
    dialog->OnExportExcel();
    EXPECT_EQ(m_asked.size(), 1u);
    // An empty list: nothing asked, nothing shown.
    g_nAppMode = 2;
    dialog->m_list->DeleteAllItems();
    dialog->OnExportExcel();
    EXPECT_EQ(m_asked.size(), 1u);
    EXPECT_FALSE(QFile::exists(Path("TOVIK.xlsx")));
    EXPECT_TRUE(spy.shown.empty());
}

TEST_F(DataViewDlgTest, ColumnDividersStay)
{
    const auto dialog = OpenTable();
    dialog->show();
    EXPECT_EQ(DragDivider(dialog->m_list->GetHeaderCtrl(), 0, 60), 110);
    EXPECT_EQ(DragDivider(dialog->m_list->GetHeaderCtrl(), 3, -30), 80);
}

TEST_F(DataViewDlgTest, TheDialogRunsFilledThroughTheModalSeam)
{
    CDataViewDlg dialog;
    dialog.m_pData = m_set.get();
    int rows = 0;
    QString shelf;
    const ModalDialogHook previous = SetModalDialogHook([&](QDialog& shown) {
        auto& table = static_cast<CDataViewDlg&>(shown);
        rows = table.m_list->GetItemCount();
        shelf = table.m_list->GetItemText(2, 7);
        return int(QDialog::Rejected);
    });
    EXPECT_EQ(dialog.DoModal(), int(QDialog::Rejected));
    SetModalDialogHook(previous);
    EXPECT_EQ(rows, 218);
    EXPECT_EQ(shelf, QStringLiteral("120Hz"));
}

}  // namespace
