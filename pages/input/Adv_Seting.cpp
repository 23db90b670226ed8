#include "pages/input/Adv_Seting.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>

#include "app/GlobalObjects.h"
#include "app/LineSetting.h"
#include "app/PopupMenus.h"
#include "controls/TransparentStatic.h"
#include "link/NetAddress.h"
#include "model/DataDefine.h"
#include "model/InputSourceTable.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/LinkState.h"
#include "model/ParameterSetLock.h"
#include "model/SpeakerPosition.h"
#include "model/WindowMessages.h"
#include "pages/MainView.h"
#include "platform/core/AppSettings.h"
#include "platform/core/Language.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/core/SettingsNames.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/DataExchange.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/PopupMenu.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/WindowAttributes.h"

CAdv_Seting* g_pAdvSetingDlg = nullptr;

namespace {
// System bytes the dialog shows, copied under the parameter lock.
struct AdvSystemCopy {
    BYTE time, levelA, noise, extraLevelOn;
    BYTE adv[3];
};

AdvSystemCopy AdvReadSystemBytes()
{
    ParameterSetGuard guard(g_ParameterSetLock);
    return AdvSystemCopy{g_SystemBytes[10], g_SystemBytes[13], g_SystemBytes[11], g_SystemBytes[12],
                         {g_AdvSettingBytes[0], g_AdvSettingBytes[1], g_AdvSettingBytes[2]}};
}

// Template 675 in dialog units of its font, Arial 8 (left, top, right,
// bottom). The background carries a title band 12 units high.
const CRect kAdvDialog(0, 0, 592, 207);
const CRect kAdvList(6, 18, 142, 128);
const CRect kAdvLineSet(6, 134, 66, 148);
const CRect kAdvDescription(6, 152, 142, 200);
const CRect kAdvCurve(150, 18, 330, 168);
const CRect kAdvThreshold(400, 20, 460, 30);
const CRect kAdvVpp(400, 36, 460, 46);
const CRect kAdvAttack(400, 52, 460, 62);
const CRect kAdvRelease(400, 68, 460, 78);
const CRect kAdvNoise(400, 92, 460, 102);
const CRect kAdvSourceBox(400, 107, 460, 119);
const CRect kAdvAddress(475, 32, 585, 44);
const CRect kAdvPort(510, 50, 550, 60);
const CRect kAdvApply(475, 66, 529, 80);
const CRect kAdvWifi(475, 92, 585, 106);
const CRect kAdvClose(530, 186, 584, 200);
// The hidden controls of the template.
const CRect kAdvHidden(340, 180, 380, 190);
// Captions (the template's static texts), at the left of their fields.
struct AdvCaption {
    CRect place;
    const char* english;
    const char* chinese;
};
const AdvCaption kAdvCaptions[] = {
    {CRect(338, 20, 398, 30), "Threshold", "门限"},
    {CRect(338, 36, 398, 46), "Threshold Vpp", "门限电压"},
    {CRect(338, 52, 398, 62), "Attack", "启动时间"},
    {CRect(338, 68, 398, 78), "Release", "释放时间"},
    {CRect(338, 92, 398, 102), "Noise gate", "噪声门限"},
    {CRect(338, 108, 398, 118), "Input source", "输入源"},
    {CRect(475, 20, 585, 30), "WIFI IP address", "WIFI IP地址"},
    {CRect(475, 50, 508, 60), "Port", "端口"},
};

const COLORREF kAdvGrey = RGB(128, 128, 128);
const COLORREF kAdvRed = RGB(255, 0, 0);
const QColor kAdvCaptionColour(230, 231, 239);

// Column widths of the channel list.
constexpr int kAdvColumnWidths[4] = {45, 90, 30, 30};

QFont AdvTemplateFont()
{
    return DialogFont(QStringLiteral("Arial"), 8);
}

QRect AdvPlace(const CRect& dialogUnits)
{
    return MapDialogRect(dialogUnits, AdvTemplateFont()).ToQRect();
}

// A speaker position's name in the list ("&&" in the string table is one
// "&").
QString AdvPositionName(int code)
{
    const UINT base = g_bChinese ? 6300 : 6200;
    const int shown = (code >= 0 && code <= 24) ? code : 0;
    return CResourceStore::Text(base + UINT(shown)).replace(QStringLiteral("&&"), QStringLiteral("&"));
}

// The source menu's texts of the items that are not the resource's own
// (sources 0, 1, 2 and 6).
struct AdvSourceText {
    int id;
    const char* chinese;
    const char* english;
};
const AdvSourceText kAdvSourceTexts[] = {
    {174, "数字", "S/PDIF"}, {175, "高电平", "Hi.Level"}, {176, "蓝牙", "Phone"}, {180, "关闭", "OFF"}};
}  // namespace

CAdv_Seting::CAdv_Seting(QWidget* parent)
    : QDialog(parent),
      m_stcDescription(this),
      m_btnLineSet(this),
      m_cbSource(this),
      m_spinLongTime(this),
      m_editLongTime(this),
      m_spinLevelB(this),
      m_editLevelB(this),
      m_btnWifiDefaults(this),
      m_editNoise(this),
      m_spinNoise(this),
      m_curve(this),
      m_spinThreshold(this),
      m_spinRelease(this),
      m_spinAttack(this),
      m_editThreshold(this),
      m_editRelease(this),
      m_editAttack(this),
      m_spinVpp(this),
      m_editVpp(this),
      m_listChannels(this),
      m_btnApply(this),
      m_editPort(this),
      m_ipAddress(this),
      m_btnClose(this),
      m_spinLevelA(this),
      m_spinTime(this),
      m_editLevelA(this),
      m_editTime(this),
      m_btnSource(this)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(AdvTemplateFont());
    // The dialog itself can hold the focus (Escape puts it there).
    setFocusPolicy(Qt::ClickFocus);
}

CAdv_Seting::~CAdv_Seting()
{
    // The view reaches the dialog through this pointer: it never names a
    // dialog that is gone.
    if (g_pAdvSetingDlg == this)
        g_pAdvSetingDlg = nullptr;
    delete m_pSourceMenu;
}

bool CAdv_Seting::Create()
{
    PlaceControls();
    const bool done = OnInitDialog();
    // Every key of every control passes PreTranslateMessage first.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    return done;
}

void CAdv_Seting::PlaceControls()
{
    struct Placed {
        QWidget* control;
        int id;
        CRect place;
    };
    const Placed placed[] = {
        {&m_stcDescription, IDC_DESCRIPTION, kAdvDescription},
        {&m_btnLineSet, IDC_LINE_SET, kAdvLineSet},
        {&m_cbSource, IDC_SOURCE_BOX, kAdvSourceBox},
        {&m_spinLongTime, IDC_LONG_TIME_SPIN, kAdvHidden},
        {&m_editLongTime, IDC_LONG_TIME, kAdvHidden},
        {&m_spinLevelB, IDC_LEVEL_B_SPIN, kAdvHidden},
        {&m_editLevelB, IDC_LEVEL_B, kAdvHidden},
        {&m_btnWifiDefaults, IDC_WIFI_DEFAULTS, kAdvWifi},
        {&m_editNoise, IDC_NOISE, kAdvNoise},
        {&m_spinNoise, IDC_NOISE_SPIN, kAdvHidden},
        {&m_curve, IDC_CURVE, kAdvCurve},
        {&m_spinThreshold, IDC_THRESHOLD_SPIN, kAdvHidden},
        {&m_spinRelease, IDC_RELEASE_SPIN, kAdvHidden},
        {&m_spinAttack, IDC_ATTACK_SPIN, kAdvHidden},
        {&m_editThreshold, IDC_THRESHOLD, kAdvThreshold},
        {&m_editRelease, IDC_RELEASE, kAdvRelease},
        {&m_editAttack, IDC_ATTACK, kAdvAttack},
        {&m_spinVpp, IDC_VPP_SPIN, kAdvHidden},
        {&m_editVpp, IDC_VPP, kAdvVpp},
        {&m_listChannels, IDC_CHANNELS, kAdvList},
        {&m_btnApply, IDC_APPLY, kAdvApply},
        {&m_editPort, IDC_PORT, kAdvPort},
        {&m_ipAddress, IDC_ADDRESS, kAdvAddress},
        {&m_btnClose, IDC_CLOSE, kAdvClose},
        {&m_spinLevelA, IDC_LEVEL_A_SPIN, kAdvHidden},
        {&m_spinTime, IDC_TIME_SPIN, kAdvHidden},
        {&m_editLevelA, IDC_LEVEL_A, kAdvHidden},
        {&m_editTime, IDC_TIME, kAdvHidden},
        {&m_btnSource, IDC_SOURCE, kAdvSourceBox},
    };
    for (const Placed& p : placed) {
        p.control->setGeometry(AdvPlace(p.place));
        SetDlgCtrlID(p.control, p.id);
    }
    // Created hidden, and nothing shows them.
    for (QWidget* hidden : std::initializer_list<QWidget*>{
             &m_btnSource, &m_editLevelA, &m_editTime, &m_editLevelB, &m_editLongTime, &m_spinLongTime, &m_spinLevelB,
             &m_spinNoise, &m_spinThreshold, &m_spinRelease, &m_spinAttack, &m_spinVpp, &m_spinLevelA, &m_spinTime,
             &m_stcDescription})
        hidden->hide();
    for (const AdvCaption& caption : kAdvCaptions) {
        auto* label = new CTransparentStatic(this);
        label->setGeometry(AdvPlace(caption.place));
        label->SetTextColor(kAdvCaptionColour);
        label->setProperty("english", QString::fromUtf8(caption.english));
        label->setProperty("chinese", QString::fromUtf8(caption.chinese));
    }
    // The port: what the user types is a number of at most five digits.
    m_editPort.SetDigitsOnly(true);
    connect(&m_editPort, &QLineEdit::textEdited, this, [this] { OnPortChange(); });
}

bool CAdv_Seting::OnInitDialog()
{
    // 1.
    g_pAdvSetingDlg = this;
    // 2. The client area takes the background's size.
    m_bmpBackEnglish = CResourceStore::Image(QStringLiteral("BMP"), IDB_BACK_EN);
    m_bmpBackChinese = CResourceStore::Image(QStringLiteral("BMP"), IDB_BACK_CN);
    if (!m_bmpBackChinese.isNull())
        setFixedSize(m_bmpBackChinese.size());
    else
        setFixedSize(MapDialogRect(kAdvDialog, AdvTemplateFont()).Size());
    // 3.
    SetUpNumeric();
    // 4. The channel list.
    m_listChannels.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_listChannels.SetRowHeight(18);
    m_listChannels.SetBkColor(kAdvGrey);
    m_listChannels.SetTextColor(RGB(255, 255, 255));
    m_listChannels.SetTextBkColor(RGB(247, 247, 255));
    // 5. The curve: dragging its threshold point moves both threshold
    // fields.
    m_curve.InitLayout();
    m_curve.SetGraphType(3);
    m_curve.SetThresholdControls(&m_spinThreshold, &m_editThreshold);
    m_curve.SetThresholdControls2(&m_spinVpp, &m_editVpp);
    m_curve.SetChannelArray(m_pData);
    // 6.
    m_btnWifiDefaults.setEnabled(g_bDeviceSynced.load());
    // 7. - 9.
    SetUpTexts();
    // 10. The source menu and the keyboard order.
    m_pSourceMenu = LoadPopupMenu(IDR_SOURCE_MENU).release();
    const int order[FOCUS_ORDER_SIZE] = {IDC_LEVEL_A, IDC_LEVEL_B,     IDC_LONG_TIME, IDC_TIME,      IDC_NOISE,
                                         IDC_PORT,    IDC_ATTACK,      IDC_RELEASE,   IDC_THRESHOLD, IDC_VPP};
    std::copy(std::begin(order), std::end(order), std::begin(m_anFocusOrder));
    // 11.
    SelectChannel(-1);
    ApplySkins();
    FillChannelMap();
    LoadSettings();
    return true;
}

void CAdv_Seting::SetUpNumeric()
{
    struct Numeric {
        CNumSpin* spin;
        CNumEdit* edit;
        int type;
        const char* unit;
        double step;
        double offset;
        int min, max;
        int limit;
    };
    // In the order the set-up binds them (the port edit has no spin).
    const Numeric numeric[] = {
        {&m_spinLevelA, &m_editLevelA, 26, "", 1.0, 120.0, 0, 120, 8},
        {&m_spinLevelB, &m_editLevelB, 26, "dB", 1.0, 120.0, 0, 120, 8},
        {&m_spinTime, &m_editTime, 14, "s", 0.01, 100.0, 0, 100, 6},
        {&m_spinLongTime, &m_editLongTime, 20, "s", 1.0, 1.0, 2, 30, 6},
        {&m_spinNoise, &m_editNoise, 23, "dBu", 1.0, 120.0, 0, 100, 8},
        {nullptr, &m_editPort, 20, "", 1.0, 0.0, PORT_MIN, PORT_MAX, 5},
        {&m_spinThreshold, &m_editThreshold, 30, "", 0.1, 30.0, 0, 420, 7},
        {&m_spinVpp, &m_editVpp, 32, "", 0.1, 30.0, 0, 420, 0},
        {&m_spinAttack, &m_editAttack, 5, "", 1.0, 0.0, 0, 206, 7},
        {&m_spinRelease, &m_editRelease, 6, "ms", 1.0, 0.0, 50, 5000, 7},
    };
    for (const Numeric& n : numeric) {
        n.edit->SetStep(n.step);
        n.edit->SetOffset(n.offset);
        n.edit->SetValueType(n.type, QString::fromUtf8(n.unit));
        n.edit->LimitText(n.limit);
        if (n.spin != nullptr) {
            n.spin->SetBuddy(n.edit);
            n.spin->SetRange(n.min, n.max);
        } else {
            n.edit->SetRange(n.min, n.max);
        }
    }
    for (CNumEdit* limiter : {&m_editThreshold, &m_editRelease, &m_editAttack, &m_editVpp})
        limiter->setFont(g_fontArial14);
}

void CAdv_Seting::SetUpTexts()
{
    const bool chinese = g_bChinese;
    m_strLinkMarker = chinese ? QStringLiteral("联调") : QStringLiteral("Link");
    m_strEditMarker = chinese ? QStringLiteral("编辑") : QStringLiteral("Edit");
    m_listChannels.InsertColumn(COLUMN_CHANNEL, chinese ? QStringLiteral("通道") : QStringLiteral("Channel"),
                                LVCFMT_CENTER, kAdvColumnWidths[0]);
    m_listChannels.InsertColumn(COLUMN_MAP, chinese ? QStringLiteral("通道设置") : QStringLiteral("Channel Map"),
                                LVCFMT_CENTER, kAdvColumnWidths[1]);
    m_listChannels.InsertColumn(COLUMN_EDIT, m_strEditMarker, LVCFMT_CENTER, kAdvColumnWidths[2]);
    m_listChannels.InsertColumn(COLUMN_LINK, QString(), LVCFMT_CENTER, kAdvColumnWidths[3]);
    m_strDescription = chinese ? QStringLiteral("说明:\n        设置输出回声场点是否同时显示EQ频响曲线。")
                               : QStringLiteral("Description:\n        Set the output echo sites also show whether "
                                                "EQ response curve.");
    m_stcDescription.m_bWordWrap = true;
    m_stcDescription.SetFontHeight(15);
    m_stcDescription.SetText(m_strDescription);
    for (int row = 0; row < LIST_ROWS; ++row)
        m_listChannels.InsertItem(row, QStringLiteral("CH%1").arg(row + 1));
    for (CTransparentStatic* label : findChildren<CTransparentStatic*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (label->property("english").isValid())
            label->SetText(label->property(chinese ? "chinese" : "english").toString());
    }
}

// ---- The view's calls -----------------------------------------------------------

void CAdv_Seting::RefreshFromData()
{
    const AdvSystemCopy bytes = AdvReadSystemBytes();
    ShowSourceButton();
    EnableExtraLevel();
    m_spinTime.SetPos(bytes.time);
    m_spinLevelA.SetPos(bytes.levelA);
    m_ipAddress.SetAddressText(g_strDeviceIp.Get());
    m_nPort = g_nDevicePort;
    m_nNoise = bytes.noise;
    m_spinNoise.SetPos(m_nNoise);
    m_listChannels.SetItemState(m_nCurRow, 0, LVIS_SELECTED | LVIS_FOCUSED);
    for (int row = 0; row < OUTPUT_COUNT; ++row) {
        m_listChannels.SetItemText(row, COLUMN_EDIT, QString());
        m_listChannels.SetItemText(row, COLUMN_LINK, QString());
        m_listChannels.SetCellBkColor(COLUMN_LINK, row, kAdvGrey);
    }
    SelectChannel(-1);
    FillChannelMap();
    CDataExchange exchange(this, false);
    DoDataExchange(&exchange);
}

void CAdv_Seting::EnableCommandButton(bool enable)
{
    m_btnWifiDefaults.setEnabled(enable);
}

void CAdv_Seting::ShowNetworkSettings()
{
    m_ipAddress.SetAddressText(g_strDeviceIp.Get());
    m_btnApply.setEnabled(false);
    m_nPort = g_nDevicePort;
    m_editPort.setText(QString::number(m_nPort));
    CDataExchange exchange(this, false);
    DoDataExchange(&exchange);
}

// ---- Channel list and the limiter ---------------------------------------------------

void CAdv_Seting::SelectChannel(int row)
{
    if (row < 0) {
        m_nCurRow = 0;
        MarkChannel();
    } else {
        ClearChannelMarks();
        m_nCurRow = row;
        MarkChannel();
    }
    LoadChannelDynamics();
}

void CAdv_Seting::ClearChannelMarks()
{
    m_listChannels.SetItemText(m_nCurRow, COLUMN_EDIT, QString());
    m_listChannels.SetItemText(m_nCurRow, COLUMN_LINK, QString());
    if (!g_bOutputLinkOn)
        return;
    const int group = g_nLinkGroup[m_nCurRow];
    for (int i = 0; i < OUTPUT_COUNT; ++i) {
        if (i == m_nCurRow || g_nLinkGroup[i] != group)
            continue;
        m_listChannels.SetItemText(i, COLUMN_EDIT, QString());
        m_listChannels.SetItemText(i, COLUMN_LINK, QString());
        m_listChannels.SetCellBkColor(COLUMN_LINK, i, kAdvGrey);
    }
}

void CAdv_Seting::MarkChannel()
{
    if (g_bOutputLinkOn) {
        const int group = g_nLinkGroup[m_nCurRow];
        for (int i = 0; i < OUTPUT_COUNT; ++i) {
            if (i == m_nCurRow || g_nLinkGroup[i] != group)
                continue;
            m_listChannels.SetItemText(i, COLUMN_EDIT, m_strEditMarker);
            m_listChannels.SetItemText(i, COLUMN_LINK, m_strLinkMarker);
            m_listChannels.SetCellBkColor(COLUMN_LINK, i, kAdvRed);
        }
    }
    m_listChannels.SetItemState(m_nCurRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_listChannels.SetItemText(m_nCurRow, COLUMN_EDIT, m_strEditMarker);
    m_listChannels.EnsureVisible(m_nCurRow, false);
    m_listChannels.viewport()->update();
}

void CAdv_Seting::LoadChannelDynamics()
{
    if (m_pData == nullptr)
        return;
    m_pCurOutput = m_pData->GetOutput(m_nCurRow);
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        m_nThreshold = short(m_pCurOutput->GetLimitThreshold());
        m_nAttack = short(m_pCurOutput->GetAttack());
        m_nRelease = short(m_pCurOutput->GetRelease());
    }
    m_spinThreshold.SetPos(m_nThreshold);
    m_spinVpp.SetPos(m_nThreshold);
    m_spinAttack.SetPos(m_nAttack);
    m_spinRelease.SetPos(m_nRelease + RELEASE_SHOWN_OFFSET);
    m_curve.SelectChannel(m_nCurRow);
}

void CAdv_Seting::FillChannelMap()
{
    for (int i = 0; i < OUTPUT_COUNT; ++i)
        m_listChannels.SetItemText(i, COLUMN_MAP, AdvPositionName(g_byOutputPosition[i]));
}

void CAdv_Seting::EnableExtraLevel()
{
    const bool on = AdvReadSystemBytes().extraLevelOn != 0;
    m_spinLevelA.setEnabled(on);
    m_editLevelA.Enable(on);
}

void CAdv_Seting::LoadSettings()
{
    const AdvSystemCopy bytes = AdvReadSystemBytes();
    ShowSourceButton();
    m_spinLevelA.SetPos(bytes.adv[0]);
    m_spinLevelB.SetPos(bytes.adv[1]);
    m_spinLongTime.SetPos(bytes.adv[2]);
    m_spinTime.SetPos(bytes.time);
    m_ipAddress.SetAddressText(g_strDeviceIp.Get());
    m_btnApply.setEnabled(false);
    m_nPort = g_nDevicePort;
    m_nNoise = bytes.noise;
    m_spinNoise.SetPos(m_nNoise);
    m_btnLineSet.SetCheck(g_nLineSet != 0);
    CDataExchange exchange(this, false);
    DoDataExchange(&exchange);
}

void CAdv_Seting::ApplySkins()
{
    if (g_bChinese) {
        m_btnLineSet.SetBitmaps(706, 706, 707, 707, 707, 706);
        m_btnApply.SetBitmaps(7204, 7205, 7206, 7204, 7205, 7206);
        m_btnApply.SetDisabledBitmaps(7207, 7207);
        m_btnWifiDefaults.SetBitmaps(7214, 7215, 7216, 7216, 7216, 7216);
        m_btnWifiDefaults.SetDisabledBitmaps(7217, 7217);
        m_btnClose.SetBitmaps(793, 795, 794, 0, 0, 0);
        setWindowTitle(QStringLiteral("高级"));
    } else {
        m_btnLineSet.SetBitmaps(704, 704, 705, 705, 705, 704);
        m_btnApply.SetBitmaps(7200, 7201, 7202, 0, 0, 0);
        m_btnApply.SetDisabledBitmaps(7203, 7203);
        m_btnWifiDefaults.SetBitmaps(7210, 7211, 7212, 7212, 7212, 7212);
        m_btnWifiDefaults.SetDisabledBitmaps(7213, 7213);
        m_btnClose.SetBitmaps(790, 792, 791, 0, 0, 0);
        setWindowTitle(QStringLiteral("Advanced Setting"));
    }
    ShowSourceButton();
}

void CAdv_Seting::ShowSourceButton()
{
    const int n = g_InputSourceTable.m_nCurrentSource;
    if (n < 0 || n > CInputSourceTable::SOURCE_OFF)
        return;
    const UINT normal = (g_bChinese ? 3200 : 3220) + UINT(n);
    const UINT hover = (g_bChinese ? 3210 : 3230) + UINT(n);
    m_btnSource.SetBitmaps(normal, hover, hover, 0, 0, 0);
}

void CAdv_Seting::SelectInputSource(int n)
{
    if (n < 0 || n > CInputSourceTable::SOURCE_OFF || n == g_InputSourceTable.m_nCurrentSource)
        return;
    g_InputSourceTable.m_nCurrentSource = n;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        g_byInputSource = n < CInputSourceTable::SOURCE_OFF ? BYTE(n) : BYTE(255);
    }
    ShowSourceButton();
    if (m_pView != nullptr)
        m_pView->QueueCommand(2, 0);
}

void CAdv_Seting::OnSourceButton()
{
    if (m_pSourceMenu == nullptr)
        return;
    for (const AdvSourceText& item : kAdvSourceTexts) {
        if (QAction* action = FindMenuItem(m_pSourceMenu, item.id))
            action->setText(QString::fromUtf8(g_bChinese ? item.chinese : item.english));
    }
    for (int position = 0; position < CInputSourceTable::SOURCES; ++position) {
        if (QAction* action = FindMenuItem(m_pSourceMenu, ID_SOURCE_FIRST + position))
            action->setEnabled(g_InputSourceTable.m_anEnabled[position] != 0);
    }
    const QPoint at = m_btnSource.mapToGlobal(QPoint(0, m_btnSource.height() + 2));
    const UINT chosen = TrackPopupMenu(*m_pSourceMenu, at, this);
    if (chosen >= UINT(ID_SOURCE_FIRST) && chosen <= UINT(ID_SOURCE_LAST))
        SelectInputSource(int(chosen) - ID_SOURCE_FIRST);
}

// ---- Network settings ------------------------------------------------------------

bool CAdv_Seting::DoDataExchange(CDataExchange* exchange)
{
    if (!exchange->m_bSaveAndValidate) {
        m_editPort.SetValue(m_nPort);
        return true;
    }
    // The port as typed: a whole number 1 to 65535, else a box and nothing
    // is taken over.
    bool number = false;
    const int port = m_editPort.text().trimmed().toInt(&number);
    if (!number || port < PORT_MIN || port > PORT_MAX) {
        AppMessageBox(g_bChinese ? QStringLiteral("请输入一个介于 1 和 65535 之间的整数。")
                                 : QStringLiteral("Please enter an integer between 1 and 65535."),
                      MB_OK | MB_ICONWARNING, 0);
        m_editPort.setFocus(Qt::OtherFocusReason);
        return false;
    }
    m_nPort = port;
    return true;
}

void CAdv_Seting::OnApply()
{
    CDataExchange exchange(this, true);
    if (!DoDataExchange(&exchange))
        return;
    // Only an address every later connect can use is stored: a blank or
    // out-of-range field would leave the link failing with no hint why.
    const QString address = m_ipAddress.GetAddressText();
    if (!ParseDottedIPv4(address, nullptr)) {
        AppMessageBox(g_bChinese ? QStringLiteral("IP地址: 请输入四个 0 到 255 之间的数字, 以点分隔。")
                                 : QStringLiteral("IP address: please enter four numbers from 0 to 255 separated "
                                                  "by dots."),
                      MB_OK | MB_ICONWARNING, 0);
        m_ipAddress.SetFieldFocus(0);
        return;
    }
    g_strDeviceIp.Set(address);
    g_nDevicePort = m_nPort;
    CAppSettings::PutString(SETTINGS_NETWORK, SETTINGS_DEVICE_IP, address);
}

void CAdv_Seting::OnPortChange()
{
    if (!m_editPort.IsModified())
        return;
    const QString text = m_editPort.text();
    int value = text.toInt();
    if (value > PORT_MAX) {
        m_editPort.setText(QString::number(PORT_MAX));
        value = PORT_MAX;
    }
    if (value != m_nPort)
        m_btnApply.setEnabled(true);
}

void CAdv_Seting::OnPortKillFocus()
{
    bool number = false;
    const int value = m_editPort.text().toInt(&number);
    if (!number || value < PORT_MIN) {
        m_editPort.setText(QString::number(PORT_MIN));
        m_editPort.setCursorPosition(1);
    }
}

// ---- Keyboard ------------------------------------------------------------------------

int CAdv_Seting::FindFocusIndex(int id) const
{
    for (int i = 0; i < FOCUS_ORDER_SIZE; ++i) {
        if (m_anFocusOrder[i] == id)
            return i;
    }
    return 0;
}

void CAdv_Seting::FocusPrevious(int id)
{
    const int index = FindFocusIndex(id);
    FocusControl(m_anFocusOrder[index == 0 ? FOCUS_ORDER_SIZE - 1 : index - 1]);
}

void CAdv_Seting::FocusNext(int id)
{
    const int index = FindFocusIndex(id);
    FocusControl(m_anFocusOrder[index == FOCUS_ORDER_SIZE - 1 ? 0 : index + 1]);
}

void CAdv_Seting::FocusControl(int id)
{
    QWidget* control = id == IDC_ADDRESS ? &m_ipAddress : GetDlgItem(this, id);
    if (control != nullptr && control->isVisible() && control->isEnabled()) {
        m_nPendingFocusId = 0;
        if (control == &m_ipAddress)
            m_ipAddress.SetFieldFocus(0);
        else
            control->setFocus(Qt::TabFocusReason);
        return;
    }
    // A hidden field cannot hold the focus: the dialog holds it, and the
    // next key goes on from the field's place in the order.
    setFocus(Qt::OtherFocusReason);
    m_nPendingFocusId = id;
}

bool CAdv_Seting::PreTranslateMessage(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Escape) {
        setFocus(Qt::OtherFocusReason);
        return true;
    }
    if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Tab && key != Qt::Key_Backtab)
        return false;
    QWidget* focus = focusWidget();
    if (focus != nullptr && !isAncestorOf(focus))
        focus = nullptr;
    if (focus != nullptr && m_ipAddress.Owns(focus)) {
        // The address control: on to the field after the noise threshold.
        PostMessage(this, WM_FOCUS_NEIGHBOUR, IDC_NOISE, VK_RIGHT);
        return true;
    }
    if (focus != nullptr && qobject_cast<QLineEdit*>(focus) != nullptr) {
        const int id = GetDlgCtrlID(focus);
        if (id == IDC_NOISE)
            FocusControl(IDC_ADDRESS);
        else
            PostMessage(this, WM_FOCUS_NEIGHBOUR, WPARAM(id), VK_RIGHT);
        return true;
    }
    if (m_nPendingFocusId != 0) {
        PostMessage(this, WM_FOCUS_NEIGHBOUR, WPARAM(m_nPendingFocusId), VK_RIGHT);
        return true;
    }
    FocusControl(IDC_LEVEL_A);
    return true;
}

bool CAdv_Seting::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress && PreTranslateMessage(static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::event(event);
}

bool CAdv_Seting::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (PreTranslateMessage(static_cast<QKeyEvent*>(event)))
            return true;
        break;
    case QEvent::FocusIn:
        m_nPendingFocusId = 0;
        break;
    case QEvent::FocusOut:
        if (watched == &m_editPort)
            OnPortKillFocus();
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

// ---- Messages ------------------------------------------------------------------------

LRESULT CAdv_Seting::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFY:
        OnNotify(reinterpret_cast<const NMHDR*>(lParam));
        return 0;
    case WM_FOCUS_NEIGHBOUR:
        if (lParam == VK_LEFT)
            FocusPrevious(int(wParam));
        else if (lParam == VK_RIGHT)
            FocusNext(int(wParam));
        return 0;
    case WM_CONTROL_HOVER:
        FocusControl(m_anFocusOrder[FindFocusIndex(int(lParam))]);
        return 0;
    case WM_SLIDER_MOVING:
    case WM_SLIDER_MOVED:
        return 1;
    default:
        return 0;
    }
}

void CAdv_Seting::OnCommand(UINT id, UINT code)
{
    if (code != 0 && code != BN_CLICKED)
        return;
    switch (id) {
    case IDC_LEVEL_A:
    case IDC_LEVEL_A_SPIN:
        m_nLevelA = m_spinLevelA.GetPos();
        StoreSystemByte(&g_AdvSettingBytes[0], m_nLevelA, 2);
        break;
    case IDC_LEVEL_B:
    case IDC_LEVEL_B_SPIN:
        m_nLevelB = m_spinLevelB.GetPos();
        StoreSystemByte(&g_AdvSettingBytes[1], m_nLevelB, 2);
        break;
    case IDC_LONG_TIME:
    case IDC_LONG_TIME_SPIN:
        m_nLongTime = m_spinLongTime.GetPos();
        StoreSystemByte(&g_AdvSettingBytes[2], m_nLongTime, 2);
        break;
    case IDC_TIME:
    case IDC_TIME_SPIN:
        m_nTime = m_spinTime.GetPos();
        StoreSystemByte(&g_SystemBytes[10], m_nTime, 5);
        break;
    case IDC_NOISE:
    case IDC_NOISE_SPIN:
        OnNoise();
        break;
    case IDC_THRESHOLD:
    case IDC_THRESHOLD_SPIN:
        m_nThreshold = m_spinThreshold.GetPos();
        StoreLimiter(IDC_THRESHOLD);
        m_spinVpp.SetPos(m_nThreshold);
        m_editVpp.SetActiveLook(false);
        m_curve.RefreshChannel();
        break;
    case IDC_VPP:
    case IDC_VPP_SPIN:
        m_nThreshold = m_spinVpp.GetPos();
        m_spinThreshold.SetPos(m_nThreshold);
        m_editThreshold.SetActiveLook(false);
        StoreLimiter(IDC_THRESHOLD);
        m_curve.RefreshChannel();
        break;
    case IDC_ATTACK:
    case IDC_ATTACK_SPIN:
        m_nAttack = m_spinAttack.GetPos();
        DropThresholdLooks();
        StoreLimiter(IDC_ATTACK);
        break;
    case IDC_RELEASE:
    case IDC_RELEASE_SPIN:
        m_nRelease = m_spinRelease.GetPos() - RELEASE_SHOWN_OFFSET;
        StoreLimiter(IDC_RELEASE);
        DropThresholdLooks();
        break;
    case IDC_SOURCE:
        OnSourceButton();
        break;
    case IDC_APPLY:
        OnApply();
        break;
    case IDC_WIFI_DEFAULTS:
        if (m_pView)
            m_pView->QueueCommand(65, 0);
        break;
    case IDC_LINE_SET:
        OnLineSet();
        break;
    case IDC_CLOSE:
        OnClose();
        break;
    default:
        if (id >= UINT(ID_SOURCE_FIRST) && id <= UINT(ID_SOURCE_LAST))
            SelectInputSource(int(id) - ID_SOURCE_FIRST);
        break;
    }
}

void CAdv_Seting::StoreSystemByte(BYTE* byte, int value, int item)
{
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        *byte = BYTE(value);
    }
    if (m_pView == nullptr)
        return;
    if (item == 2)
        m_pView->SetSendSysItem2(true);
    else
        m_pView->SetSendSysItem5(true);
}

void CAdv_Seting::OnNoise()
{
    m_nNoise = m_spinNoise.GetPos();
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        if (m_nNoise == g_SystemBytes[11])
            return;
        g_SystemBytes[11] = BYTE(m_nNoise);
        g_SystemBytes[15] = BYTE(m_nNoise);
    }
    if (m_pView)
        m_pView->SetSendSysItem5(true);
}

void CAdv_Seting::StoreLimiter(UINT id)
{
    if (m_pCurOutput == nullptr)
        return;
    // Only the value edited: the curve's drag writes the threshold itself.
    ParameterSetGuard guard(g_ParameterSetLock);
    if (id == IDC_ATTACK)
        m_pCurOutput->SetAttack(short(m_nAttack));
    else if (id == IDC_RELEASE)
        m_pCurOutput->SetRelease(short(m_nRelease));
    else
        m_pCurOutput->SetLimitThreshold(short(m_nThreshold));
}

void CAdv_Seting::OnNotify(const NMHDR* notice)
{
    if (notice == nullptr)
        return;
    if (notice->idFrom == std::uintptr_t(IDC_ADDRESS) && notice->code == IPN_FIELDCHANGED) {
        if (m_ipAddress.GetAddressText() != g_strDeviceIp.Get())
            m_btnApply.setEnabled(true);
        DropThresholdLooks();
        return;
    }
    if (notice->idFrom == std::uintptr_t(IDC_CHANNELS) && notice->code == NM_CLICK)
        OnListClick(reinterpret_cast<const NMITEMACTIVATE*>(notice)->iItem);
}

void CAdv_Seting::OnListClick(int row)
{
    if (!IsRowInList(row))
        return;
    if (row != m_nCurRow)
        SelectChannel(row);
    else
        m_listChannels.SetItemState(m_nCurRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    DropThresholdLooks();
}

void CAdv_Seting::OnLineSet()
{
    g_nLineSet = m_btnLineSet.GetCheck() ? 0 : 1;
    m_btnLineSet.SetCheck(g_nLineSet != 0);
    if (m_pView)
        m_pView->SaveLineSetting();
}

void CAdv_Seting::DropThresholdLooks()
{
    m_editThreshold.SetActiveLook(false);
    m_editVpp.SetActiveLook(false);
}

void CAdv_Seting::OnClose()
{
    m_bClosing = true;
    // Deleted once closed (WA_DeleteOnClose).
    done(IDCANCEL);
}

void CAdv_Seting::reject()
{
    // Escape and the like never close the dialog: only its close button.
    setFocus(Qt::OtherFocusReason);
}

void CAdv_Seting::closeEvent(QCloseEvent* event)
{
    m_bClosing = true;
    event->accept();
}

void CAdv_Seting::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QImage& back = g_bChinese ? m_bmpBackChinese : m_bmpBackEnglish;
    if (!back.isNull())
        painter.drawImage(0, 0, back);
    else
        painter.fillRect(rect(), QColor(0x3C, 0x3F, 0x4C));
}
