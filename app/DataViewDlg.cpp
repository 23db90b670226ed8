#include "app/DataViewDlg.h"

#include <array>
#include <vector>

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include "app/ViewPaths.h"
#include "controls/ListCtrl.h"
#include "controls/ListCtrlPrint.h"
#include "model/Effect_Data.h"
#include "model/Filter.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/MIC_InData.h"
#include "model/Music_InData.h"
#include "model/ParameterSetLock.h"
#include "platform/core/AppMode.h"
#include "platform/core/FileIO.h"
#include "platform/core/Language.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/FileDialog.h"
#include "platform/gui/LogFont.h"
#include "platform/gui/ModalDialog.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// The layout of dialog 102 in dialog units (left, top, right, bottom).
const CRect kDataViewDialog(0, 0, 377, 247);
const CRect kDataViewPrint(16, 7, 66, 19);
const CRect kDataViewList(7, 21, 372, 239);
const CRect kDataViewExport(130, 7, 180, 19);

// Rows after the bands' (six rows per band).
enum : int {
    ROW_HPF_TYPE = CDataViewDlg::TABLE_BANDS * CDataViewDlg::ROWS_PER_BAND,
    ROW_HPF_FREQ,
    ROW_HPF_SLOPE,
    ROW_LPF_TYPE = ROW_HPF_SLOPE + 2,
    ROW_LPF_FREQ,
    ROW_LPF_SLOPE,
    ROW_POLARITY = ROW_LPF_SLOPE + 2,
    ROW_DELAY,
    ROW_GAIN,
    ROW_IN_L,
    ROW_IN_R,
    ROW_MUTE,
    ROW_THRESHOLD = ROW_MUTE + 2,
    ROW_ATTACK,
    ROW_RELEASE,
    ROW_LEVEL = ROW_RELEASE + 2,
    ROW_NOISE_GATE,
    ROW_PERCENT5,
    ROW_EFFECT_PARAMS,
};

// Columns: the labels, the mic, four music channels, the effect block, then
// the twelve outputs.
enum : int {
    COLUMN_MIC = 1,
    COLUMN_MUSIC = 2,
    COLUMN_EFFECT = 6,
    COLUMN_OUTPUT = 7,
};

// The effect parameters of their own rows, in order (139 shows as the gain).
const std::array<QString (CEffect_Data::*)() const, 10> kEffectParamTexts = {
    &CEffect_Data::FormatByte130, &CEffect_Data::FormatByte129, &CEffect_Data::FormatByte128,
    &CEffect_Data::FormatByte131, &CEffect_Data::FormatByte134, &CEffect_Data::FormatByte137,
    &CEffect_Data::FormatByte136, &CEffect_Data::FormatByte143, &CEffect_Data::FormatByte138,
    &CEffect_Data::FormatByte140,
};
const int kEffectParamBytes[10] = {130, 129, 128, 131, 134, 137, 136, 143, 138, 140};

QStringList TableRowLabels(bool chinese)
{
    QStringList labels;
    for (int n = 1; n <= CDataViewDlg::TABLE_BANDS; ++n) {
        const QString band = QString::number(n);
        if (chinese)
            labels << QStringLiteral("均衡%1类型").arg(band) << QStringLiteral("均衡%1增益").arg(band)
                   << QStringLiteral("均衡%1频率").arg(band) << QStringLiteral("均衡%1宽度").arg(band)
                   << QStringLiteral("均衡%1Q值").arg(band) << QString();
        else
            labels << QStringLiteral("EQ%1 Type").arg(band) << QStringLiteral("EQ%1 Gain").arg(band)
                   << QStringLiteral("EQ%1 Freq").arg(band) << QStringLiteral("EQ%1 Width").arg(band)
                   << QStringLiteral("EQ%1 Q").arg(band) << QString();
    }
    if (chinese)
        labels << QStringLiteral("低切类型") << QStringLiteral("低切频率") << QStringLiteral("低切斜率") << QString()
               << QStringLiteral("高切类型") << QStringLiteral("高切频率") << QStringLiteral("高切斜率") << QString()
               << QStringLiteral("相  位") << QStringLiteral("延  时") << QStringLiteral("增益")
               << QStringLiteral("输入左") << QStringLiteral("输入右") << QStringLiteral("静  音") << QString()
               << QStringLiteral("限幅电平") << QStringLiteral("响应时间") << QStringLiteral("释放时间") << QString()
               << QStringLiteral("电平") << QStringLiteral("噪声门") << QStringLiteral("百分比 5");
    else
        labels << QStringLiteral("HPF_Type") << QStringLiteral("HPF_Freq") << QStringLiteral("HPF_Oct") << QString()
               << QStringLiteral("LPF_Type") << QStringLiteral("LPF_Freq") << QStringLiteral("LPF_Oct") << QString()
               << QStringLiteral("POL") << QStringLiteral("Delay") << QStringLiteral("Gain") << QStringLiteral("IN L")
               << QStringLiteral("IN R") << QStringLiteral("Mute") << QString() << QStringLiteral("Threshold")
               << QStringLiteral("Attach") << QStringLiteral("Release") << QString() << QStringLiteral("Level")
               << QStringLiteral("NoiseGate") << QStringLiteral("Percent 5");
    for (const int byte : kEffectParamBytes)
        labels << (chinese ? QStringLiteral("参数 %1") : QStringLiteral("Param %1")).arg(byte);
    return labels;
}

QStringList TableHeaders(bool chinese)
{
    QStringList headers{chinese ? QStringLiteral("参数") : QStringLiteral("Args"), QStringLiteral("Mic 1")};
    for (int n = 1; n <= 4; ++n)
        headers << QStringLiteral("Music %1").arg(n);
    headers << QStringLiteral("Effect");
    for (int n = 1; n <= 12; ++n)
        headers << QStringLiteral("CH%1").arg(n);
    return headers;
}

using TableColumn = std::vector<QString>;

// Band b in rows 6b to 6b+4: kind, gain, frequency, then bandwidth and Q of
// a peaking band (of every band where widthAndQ), a shelf's slope otherwise.
void PutBandTexts(TableColumn& column, const CChannelData& channel, int bands, bool widthAndQ)
{
    for (int b = 0; b < bands; ++b) {
        const CFilter* band = channel.GetBand(b);
        if (band == nullptr)
            continue;
        const std::size_t row = std::size_t(b) * CDataViewDlg::ROWS_PER_BAND;
        column[row] = band->FormatKind();
        column[row + 1] = band->FormatGain();
        column[row + 2] = band->FormatFrequency();
        if (widthAndQ || band->GetKind() == FILTER_PEAKING) {
            column[row + 3] = band->FormatBandwidth();
            column[row + 4] = band->FormatQ();
        } else {
            column[row + 3] = band->FormatShelfSlope();
        }
    }
}

void PutCrossoverTexts(TableColumn& column, const CChannelData& channel)
{
    if (const CFilter* high = channel.GetHighPass()) {
        column[ROW_HPF_TYPE] = high->FormatFamily();
        column[ROW_HPF_FREQ] = high->FormatFrequency();
        column[ROW_HPF_SLOPE] = high->FormatSlope();
    }
    if (const CFilter* low = channel.GetLowPass()) {
        column[ROW_LPF_TYPE] = low->FormatFamily();
        column[ROW_LPF_FREQ] = low->FormatFrequency();
        column[ROW_LPF_SLOPE] = low->FormatSlope();
    }
}

// Every channel's texts, read from the set at once.
std::vector<TableColumn> ReadTableTexts(CKTV_Data& set)
{
    std::vector<TableColumn> columns(CDataViewDlg::TABLE_COLUMNS, TableColumn(CDataViewDlg::TABLE_ROWS));
    ParameterSetGuard guard(g_ParameterSetLock);
    if (const CMIC_InData* mic = set.GetMic(0)) {
        TableColumn& column = columns[COLUMN_MIC];
        PutBandTexts(column, *mic, MIC_EQ_BANDS, false);
        PutCrossoverTexts(column, *mic);
        column[ROW_GAIN] = mic->FormatGain();
        column[ROW_MUTE] = mic->FormatOn();
        column[ROW_LEVEL] = mic->FormatLevel();
        column[ROW_NOISE_GATE] = mic->FormatNoiseGate();
    }
    for (int i = 0; i < 4; ++i) {
        const CMusic_InData* music = set.GetMusic(i);
        if (music == nullptr)
            continue;
        TableColumn& column = columns[std::size_t(COLUMN_MUSIC + i)];
        PutBandTexts(column, *music, MUSIC_PEQ_BANDS, false);
        PutCrossoverTexts(column, *music);
        column[ROW_GAIN] = music->FormatGain();
        column[ROW_MUTE] = music->FormatOn();
        column[ROW_NOISE_GATE] = music->FormatNoiseGate();
    }
    {
        const CEffect_Data& effect = *set.GetEffect();
        TableColumn& column = columns[COLUMN_EFFECT];
        PutBandTexts(column, effect, EFFECT_TONE_BANDS, true);
        PutCrossoverTexts(column, effect);
        column[ROW_GAIN] = effect.FormatByte139();
        for (std::size_t p = 0; p < kEffectParamTexts.size(); ++p)
            column[ROW_EFFECT_PARAMS + p] = (effect.*kEffectParamTexts[p])();
    }
    for (int i = 0; i < 12; ++i) {
        const CKTV_OutData* output = set.GetOutput(i);
        if (output == nullptr)
            continue;
        TableColumn& column = columns[std::size_t(COLUMN_OUTPUT + i)];
        PutBandTexts(column, *output, OUTPUT_PEQ_BANDS, false);
        PutCrossoverTexts(column, *output);
        column[ROW_POLARITY] = output->FormatPolarity();
        column[ROW_DELAY] = output->FormatDelay();
        column[ROW_GAIN] = output->FormatGain();
        column[ROW_IN_L] = output->FormatInL();
        column[ROW_IN_R] = output->FormatInR();
        column[ROW_MUTE] = output->FormatOn();
        column[ROW_THRESHOLD] = output->FormatLimitThreshold();
        column[ROW_ATTACK] = output->FormatAttack();
        column[ROW_RELEASE] = output->FormatRelease();
        column[ROW_PERCENT5] = output->FormatPercent5();
    }
    return columns;
}

// The workbook of one sheet: row 0 the list's headings, then its rows;
// every non-empty text a string cell. It is built beside nothing, then
// written over file whole; on failure *error says why and file is as it was.
bool WriteListWorkbook(CListCtrl& list, const QString& table, const QString& file, QString* error)
{
    QTemporaryDir staging;
    if (!staging.isValid()) {
        *error = staging.errorString();
        return false;
    }
    const QString built = staging.filePath(QStringLiteral("export.xlsx"));
    lxw_workbook* workbook = workbook_new(QFile::encodeName(built).constData());
    if (workbook == nullptr) {
        *error = QString::fromUtf8(lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED));
        return false;
    }
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, table.toUtf8().constData());
    lxw_error result = sheet != nullptr ? LXW_NO_ERROR : LXW_ERROR_SHEETNAME_LENGTH_EXCEEDED;
    auto put = [&](int row, int col, const QString& text) {
        if (result == LXW_NO_ERROR && !text.isEmpty())
            result = worksheet_write_string(sheet, lxw_row_t(row), lxw_col_t(col), text.toUtf8().constData(), nullptr);
    };
    const CHeaderCtrl* header = list.GetHeaderCtrl();
    const int columns = header->GetItemCount();
    for (int c = 0; c < columns; ++c) {
        HDITEM item;
        item.mask = HDI_TEXT;
        if (header->GetItem(c, &item))
            put(0, c, item.pszText);
    }
    for (int r = 0; r < list.GetItemCount(); ++r)
        for (int c = 0; c < columns; ++c)
            put(r + 1, c, list.GetItemText(r, c));
    const lxw_error closed = workbook_close(workbook);
    if (result == LXW_NO_ERROR)
        result = closed;
    if (result != LXW_NO_ERROR) {
        *error = QString::fromUtf8(lxw_strerror(result));
        return false;
    }
    QByteArray bytes;
    if (ReadWholeFile(built, qint64(1) << 30, bytes) != FileReadResult::Ok || !WriteFileAtomically(file, bytes)) {
        *error = g_bChinese ? QStringLiteral("无法写入文件 %1").arg(file)
                            : QStringLiteral("Cannot write the file %1.").arg(file);
        return false;
    }
    return true;
}
}  // namespace

CDataViewDlg::CDataViewDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("参数值显示"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const QFont font = CreateFontIndirect(SystemFontLogFont()).value_or(QFont());
    setFont(font);
    setFixedSize(MapDialogRect(kDataViewDialog, font).Size());

    m_btnPrint = new QPushButton(QStringLiteral("打印"), this);
    m_btnPrint->setGeometry(MapDialogRect(kDataViewPrint, font).ToQRect());
    SetDlgCtrlID(m_btnPrint, IDC_PRINT);
    m_btnExport = new QPushButton(QStringLiteral("导出Excel"), this);
    m_btnExport->setGeometry(MapDialogRect(kDataViewExport, font).ToQRect());
    SetDlgCtrlID(m_btnExport, IDC_EXPORT);
    m_list = new CListCtrl(this);
    m_list->setGeometry(MapDialogRect(kDataViewList, font).ToQRect());
    SetDlgCtrlID(m_list, IDC_LIST);
    for (QPushButton* button : {m_btnPrint, m_btnExport})
        button->setAutoDefault(false);

    connect(m_btnPrint, &QPushButton::clicked, this, [this] { OnPrintButton(); });
    connect(m_btnExport, &QPushButton::clicked, this, [this] { OnExportExcel(); });
}

CDataViewDlg::~CDataViewDlg() = default;

int CDataViewDlg::DoModal()
{
    OnInitDialog();
    return RunModalDialog(*this);
}

bool CDataViewDlg::OnInitDialog()
{
    const bool chinese = g_bChinese;
    m_strPrint = chinese ? QStringLiteral("打印") : QStringLiteral("Print");
    m_strExport = chinese ? QStringLiteral("导出Excel") : QStringLiteral("Export Excel");
    m_astrLabels = TableRowLabels(chinese);
    m_astrHeaders = TableHeaders(chinese);
    setWindowTitle(chinese ? QStringLiteral("参数值显示") : QStringLiteral("Report"));
    m_btnPrint->setText(m_strPrint);
    m_btnExport->setText(m_strExport);

    m_list->SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_list->SetBkColor(RGB(247, 247, 255));
    m_list->SetTextColor(RGB(0, 0, 255));
    m_list->SetTextBkColor(RGB(247, 247, 255));
    m_astrRowLabels = m_astrLabels;
    FillList();
    return true;
}

void CDataViewDlg::FillList()
{
    m_list->DeleteAllItems();
    m_list->setColumnCount(0);
    for (int c = 0; c < m_astrHeaders.size(); ++c)
        m_list->InsertColumn(c, m_astrHeaders.at(c), LVCFMT_CENTER, c == 0 ? 110 : 80);
    for (int r = 0; r < m_astrRowLabels.size(); ++r)
        m_list->InsertItem(r, m_astrRowLabels.at(r));
    if (m_pData == nullptr)
        return;
    const std::vector<TableColumn> texts = ReadTableTexts(*m_pData);
    for (int c = 1; c < TABLE_COLUMNS; ++c)
        for (int r = 0; r < m_list->GetItemCount() && r < TABLE_ROWS; ++r)
            m_list->SetItemText(r, c, texts[std::size_t(c)][std::size_t(r)]);
}

void CDataViewDlg::OnPrintButton()
{
    CListCtrlPrint job;
    job.m_pList = m_list;
    job.m_strHeader = QStringLiteral("This is the report of the file\r\nMultiline!\r\n");
    job.m_strFooter = QStringLiteral("Just a huar for the footers\r\neventually multiline too ..");
    job.m_strPageFormat = QStringLiteral("Page %d of %d");
    job.PrintJob();
}

void CDataViewDlg::OnExportExcel()
{
    if (g_nAppMode == 1 || g_nAppMode == 2)
        ExportList(m_list, QStringLiteral("TOVIK"));
}

void CDataViewDlg::ExportList(CListCtrl* list, const QString& table)
{
    if (list == nullptr || list->GetItemCount() == 0)
        return;
    QString file;
    if (!ChooseExportFile(file))
        return;
    QString error;
    if (!WriteListWorkbook(*list, table, file, &error))
        AppMessageBox(error, MB_OK, g_bChinese ? -2 : -3);
}

bool CDataViewDlg::ChooseExportFile(QString& file)
{
    FileDialogRequest request;
    request.mode = FileDialogRequest::SAVE;
    request.parent = this;
    request.title = g_bChinese ? QStringLiteral("导出") : QStringLiteral("Load");
    request.directory = QDir(g_szStartDir).filePath(QStringLiteral("MusicFile"));
    request.fileName = QStringLiteral("TOVIK.xlsx");
    request.filters = QStringList{QStringLiteral("Excel(*.xlsx)")};
    request.defaultSuffix = QStringLiteral("xlsx");
    request.askOverwrite = true;
    const FileDialogResult result = ShowFileDialog(request);
    const QStringList files = result.LocalFiles();
    if (!result.accepted || files.isEmpty())
        return false;
    file = files.first();
    return true;
}

LRESULT CDataViewDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY) {
        LRESULT result = 0;
        if (OnNotify(wParam, lParam, &result))
            return result;
    }
    return 0;
}

bool CDataViewDlg::OnNotify(WPARAM, LPARAM lParam, LRESULT* result)
{
    if (IsBeginTrackNotice(lParam)) {
        *result = 1;
        return true;
    }
    return false;
}
