// The parameter table: the dialog in Chinese and in English, filled from a
// parameter set with a few values of its own (a 120 Hz low shelf on output
// 1, a threshold on output 7, delay and polarity on output 12, the mic's
// level, an effect byte), and its first printed page as the printer gets
// it (printed to PDF, rasterised with pdftoppm), with the coloured report
// list beside it.
#include <memory>

#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

#include "app/DataViewDlg.h"
#include "controls/ListCtrlCl.h"
#include "controls/PrintDialog.h"
#include "model/DataDefine.h"
#include "model/Effect_Data.h"
#include "model/Filter.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/MIC_InData.h"
#include "platform/core/Language.h"
#include "tools/toolkit_review/ReviewSheet.h"
#include "tools/toolkit_review/ReviewWidgets.h"

namespace {
std::unique_ptr<CKTV_Data> ReviewParameterSet()
{
    InitDefaultDeviceData();
    auto set = std::make_unique<CKTV_Data>();
    CFilter* shelf = set->GetOutput(0)->GetBand(0);
    shelf->SetKind(FILTER_LOW_SHELF);
    shelf->SetFrequency(120, true);
    set->GetOutput(6)->SetLimitThreshold(420);
    set->GetOutput(11)->SetDelay(55);
    set->GetOutput(11)->SetPolarity(1);
    set->GetMic(0)->SetLevel(3);
    set->GetEffect()->SetParam(130, 40);
    return set;
}

QImage ShotOfTable(CKTV_Data& set, bool chinese)
{
    g_bChinese = chinese;
    CDataViewDlg dialog;
    dialog.m_pData = &set;
    dialog.OnInitDialog();
    return ReviewShot(dialog);
}

// The first page of the table printed in Chinese, at 60 pixels per inch.
QImage PrintedTablePage(CKTV_Data& set)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("table.pdf"));
    const PrintDialogHook previous = SetPrintDialogHook([&](PRINTDLG& pd, QPrinter& printer, QWidget*) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setOutputFileName(pdf);
        pd.Flags |= PD_PRINTTOFILE;
        return int(IDOK);
    });
    g_bChinese = true;
    CDataViewDlg dialog;
    dialog.m_pData = &set;
    dialog.OnInitDialog();
    dialog.OnPrintButton();
    SetPrintDialogHook(previous);

    QProcess raster;
    raster.start(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"),
                                              QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                              QStringLiteral("1"), QStringLiteral("-singlefile"), pdf,
                                              dir.filePath(QStringLiteral("page"))});
    raster.waitForFinished(60000);
    return QImage(dir.filePath(QStringLiteral("page.png")));
}

QImage ShotOfColouredList()
{
    CListCtrlCl list;
    list.resize(260, 200);
    list.SetBkColor(RGB(0x80, 0x80, 0x80));
    list.SetTextColor(RGB(255, 255, 255));
    list.SetRowHeight(18);
    const int widths[] = {45, 90, 30, 30};
    const char* headings[] = {"No.", "Source", "L", "R"};
    for (int c = 0; c < 4; ++c)
        list.InsertColumn(c, QString::fromLatin1(headings[c]), LVCFMT_CENTER, widths[c]);
    for (int r = 0; r < 8; ++r) {
        list.InsertItem(r, QString::number(r + 1));
        list.SetItemText(r, 1, QStringLiteral("Hi.Level%1").arg(r + 1));
        list.SetItemText(r, 2, QStringLiteral("On"));
        list.SetItemText(r, 3, QStringLiteral("Off"));
    }
    list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    // One cell of its own colours: column 1 of row 2.
    list.SetCellBkColor(1, 2, RGB(0xF7, 0xF7, 0xFF));
    list.SetCellTextColor(1, 2, RGB(0, 0, 255));
    return ReviewShot(list);
}

QImage RenderParameterTable()
{
    const int chinese = g_bChinese;
    const std::unique_ptr<CKTV_Data> set = ReviewParameterSet();
    const QImage cn = ShotOfTable(*set, true);
    const QImage en = ShotOfTable(*set, false);
    const QImage page = PrintedTablePage(*set);
    const QImage list = ShotOfColouredList();
    g_bChinese = chinese;

    const int width = cn.width() + std::max(page.width(), list.width()) + 30;
    const int height = std::max(cn.height() + en.height() + 30, page.height() + list.height() + 30);
    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(QColor(227, 228, 238));
    QPainter painter(&sheet);
    painter.drawImage(10, 10, cn);
    painter.drawImage(10, cn.height() + 20, en);
    painter.drawImage(cn.width() + 20, 10, page);
    painter.drawImage(cn.width() + 20, page.height() + 20, list);
    return sheet;
}
}  // namespace

ORVANE_REVIEW_SHEET("parameter-table", RenderParameterTable);
