#include "app/ProgramDlg.h"

#include <cstring>

#include <QKeyEvent>
#include <QPushButton>

#include "app/BrelinView.h"
#include "app/DisplayDlg.h"
#include "app/GlobalObjects.h"
#include "app/SaveDlg.h"
#include "controls/grid/ComboGridCtrl.h"
#include "model/DataDefine.h"
#include "model/LinkState.h"
#include "model/ParameterSetLock.h"
#include "model/WindowMessages.h"
#include "platform/core/Language.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/DrawText.h"
#include "platform/gui/ModalDialog.h"
#include "platform/gui/VirtualKeys.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// Template 170 in dialog units of Arial 9 (left, top, right, bottom). The
// grid is then sized to its seven rows and two columns, so that it shows
// no scroll bar, and the buttons stand under it.
const CRect kProgramDialog(0, 0, 250, 150);
const CRect kProgramGrid(7, 7, 243, 120);
const CRect kProgramButton(0, 0, 50, 14);
// Dialog units between the grid and the buttons, and under the buttons.
constexpr int kProgramButtonGap = 7;

constexpr int kProgramRows = MACHINE_PRESET_COUNT + 1;
constexpr int kProgramNameWidth = 262;
// RGB(0x33, 0x99, 0xFF) as a COLORREF.
constexpr COLORREF kProgramGridLines = 0xFF9933;
constexpr UINT kProgramCellFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
// System command 0 for a slot: its name.
constexpr int kProgramSlotNameCommand = 0;
// Only the first 13 name bytes tell two presets apart.
constexpr int kProgramNameCompared = 13;
// The box's caption: help id -2 for Chinese texts, -3 for English ones.
constexpr int kProgramHelpCn = -2;
constexpr int kProgramHelpEn = -3;

int ProgramBox(const QString& chinese, const QString& english, UINT type = MB_OK)
{
    return g_bChinese ? AppMessageBox(chinese, type, kProgramHelpCn) : AppMessageBox(english, type, kProgramHelpEn);
}

char* SlotNameField(int slot)
{
    return reinterpret_cast<char*>(g_MachinePresets[slot - 1].bytes);
}
}  // namespace

CProgramDlg::CProgramDlg(CBrelinView* view, bool connected, int mode)
    : QDialog(view), m_nMode(mode), m_bConnected(connected), m_pView(view)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const QFont font = DialogFont(QStringLiteral("Arial"), 9);
    setFont(font);
    setFixedSize(MapDialogRect(kProgramDialog, font).Size());
    UseBackgroundBrush(this);

    m_pGrid = new CComboGridCtrl;
    m_pGrid->Create(MapDialogRect(kProgramGrid, font), this, IDC_GRID, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER);
    m_btnAction = PlaceDialogControl(new QPushButton, this, kProgramButton, font, IDC_ACTION);
    m_btnAction->setAutoDefault(false);
    m_btnCancel = PlaceDialogControl(new QPushButton, this, kProgramButton, font, IDCANCEL);
    m_btnCancel->setAutoDefault(false);

    connect(m_btnAction, &QPushButton::clicked, this, [this] { OnActionButton(); });
    connect(m_btnCancel, &QPushButton::clicked, this, [this] { done(IDCANCEL); });
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

CProgramDlg::~CProgramDlg()
{
    if (g_pProgramDlg == this)
        g_pProgramDlg = nullptr;
}

int CProgramDlg::DoModal()
{
    OnInitDialog();
    return RunModalDialog(*this);
}

QPushButton* CProgramDlg::Button(int id) const
{
    return id == IDC_ACTION ? m_btnAction : id == IDCANCEL ? m_btnCancel : nullptr;
}

bool CProgramDlg::OnInitDialog()
{
    m_nSelSlot = 1;
    SetUpGrid();
    FillPresetList();
    g_pProgramDlg = this;
    return true;
}

void CProgramDlg::SetUpGrid()
{
    CComboGridCtrl& grid = *m_pGrid;
    grid.SetRowCount(kProgramRows);
    grid.SetFixedRowCount(1);
    grid.SetColumnCount(2);
    grid.SetFixedColumnCount(1);
    grid.SetColumnWidth(1, kProgramNameWidth);
    grid.SetRowResize(false);
    grid.SetSingleRowSelect(true);
    grid.SetEditable(false);
    for (int row = 0; row < kProgramRows; ++row) {
        for (int col = 0; col < 2; ++col) {
            GRIDITEM item;
            item.row = row;
            item.col = col;
            item.mask = GIM_TEXT | GIM_FORMAT;
            item.format = kProgramCellFormat;
            grid.SetItemFromList(&item);
        }
    }
    grid.SetItemText(0, 0, QStringLiteral("No."));
    grid.SetItemText(0, 1, QStringLiteral("Name"));
    grid.SetSelectedRange(1, 0, 1, grid.GetColumnCount() - 1, false);
    grid.EnsureVisible(1, 0);
    grid.SetGridLineColor(kProgramGridLines);
    grid.SetFont(&g_fontGrid16, true);

    // The grid takes the size of its cells (no scroll bar); the buttons
    // stand under it, the dialog around both.
    const QFont font = this->font();
    const int frame = grid.frameWidth();
    grid.resize(grid.GetTotalWidth() + 2 * frame, grid.GetTotalHeight() + 2 * frame);
    const QRect placed = grid.geometry();
    const CRect margin = MapDialogRect(CRect(0, 0, kProgramGrid.left, kProgramButtonGap), font);
    const QSize button = MapDialogRect(kProgramButton, font).Size();
    const int width = placed.right() + 1 + margin.right;
    const int top = placed.bottom() + 1 + margin.bottom;
    const int gap = (width - 2 * button.width()) / 3;
    m_btnAction->setGeometry(gap, top, button.width(), button.height());
    m_btnCancel->setGeometry(width - gap - button.width(), top, button.width(), button.height());
    setFixedSize(width, top + button.height() + margin.bottom);
}

QString CProgramDlg::SlotName(int slot)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    return FixedFieldToString(SlotNameField(slot), PRESET_NAME_SIZE);
}

void CProgramDlg::ShowSlotRow(int slot)
{
    m_pGrid->SetItemText(slot, 0, QString::number(slot));
    m_pGrid->SetItemText(slot, 1, SlotName(slot));
}

void CProgramDlg::FillPresetList()
{
    for (int slot = 1; slot <= MACHINE_PRESET_COUNT; ++slot) {
        m_strName = SlotName(slot);
        m_pGrid->SetItemText(slot, 1, m_strName);
        m_pGrid->SetItemText(slot, 0, QString::number(slot));
    }
    m_pGrid->SetFocusCell(1, 1);
    ApplyModeTexts();
    m_pGrid->viewport()->update();
}

void CProgramDlg::ApplyModeTexts()
{
    struct ModeTexts {
        const char* captionCn;
        const char* actionCn;
        const char* captionEn;
        const char* actionEn;
    };
    static const ModeTexts kTexts[] = {
        {"加载 机器预置场景", "加载", "Load Machine Preset", "Load"},
        {"另存为 机器预置场景", "保存", "Save As Machine Preset", "Save"},
        {"删除 机器预置场景", "删除", "Delete Machine Preset", "Delete"},
    };
    m_pGrid->SetEditable(false);
    const ModeTexts& texts = kTexts[(m_nMode >= MODE_LOAD && m_nMode <= MODE_DELETE) ? m_nMode : MODE_LOAD];
    if (g_bChinese) {
        setWindowTitle(QString::fromUtf8(texts.captionCn));
        m_btnAction->setText(QString::fromUtf8(texts.actionCn));
        m_pGrid->SetItemText(0, 0, QStringLiteral("序号"));
        m_pGrid->SetItemText(0, 1, QStringLiteral("场景名"));
        m_btnCancel->setText(QStringLiteral("退出"));
    } else {
        setWindowTitle(QString::fromUtf8(texts.captionEn));
        m_btnAction->setText(QString::fromUtf8(texts.actionEn));
        m_pGrid->SetItemText(0, 0, QStringLiteral("No."));
        m_pGrid->SetItemText(0, 1, QStringLiteral("Preset"));
        m_btnCancel->setText(QStringLiteral("Quit"));
    }
}

bool CProgramDlg::IsValidRow(int row) const
{
    // Rows 1 to 6 show slots 1 to 6.
    return row > 0 && row < m_pGrid->GetRowCount();
}

// ---- Triggers -------------------------------------------------------------------------

void CProgramDlg::OnActionButton()
{
    const CCellID cell = m_pGrid->GetFocusCell();
    switch (m_nMode) {
    case MODE_LOAD:
        m_cellLoad = cell;
        if (IsValidRow(cell.row)) {
            m_nSelSlot = cell.row;
            LoadSelectedPreset();
        }
        break;
    case MODE_SAVE_AS:
        m_cellSave = cell;
        if (IsValidRow(cell.row))
            RunNameEntry();
        break;
    case MODE_DELETE:
        m_cellDelete = cell;
        if (IsValidRow(cell.row)) {
            m_nSelSlot = cell.row;
            DeletePreset();
        }
        break;
    default:
        break;
    }
}

void CProgramDlg::OnGridDblClick(const CCellID& cell)
{
    switch (m_nMode) {
    case MODE_LOAD:
        m_cellLoad = cell;
        PostMessage(this, WM_PRESET_GRID_LOAD, 0, 0);
        break;
    case MODE_SAVE_AS:
        m_cellSave = cell;
        PostMessage(this, WM_PRESET_GRID_SAVE, 0, 0);
        break;
    case MODE_DELETE:
        m_cellDelete = cell;
        PostMessage(this, WM_PRESET_GRID_DELETE, 0, 0);
        break;
    default:
        break;
    }
}

void CProgramDlg::OnGridDeleteKey(const CCellID& cell)
{
    m_cellDelete = cell;
    if (!IsValidRow(cell.row))
        return;
    m_nSelSlot = cell.row;
    DeletePreset();
    // The grid cleared the focus cell before asking; the row shows the
    // slot as it now is (blank only when it was deleted).
    ShowSlotRow(cell.row);
}

void CProgramDlg::OnGridSave()
{
    if (IsValidRow(m_cellSave.row))
        RunNameEntry();
}

void CProgramDlg::OnGridLoad()
{
    if (!IsValidRow(m_cellLoad.row))
        return;
    m_nSelSlot = m_cellLoad.row;
    LoadSelectedPreset();
}

void CProgramDlg::OnGridDelete()
{
    if (!IsValidRow(m_cellDelete.row))
        return;
    m_nSelSlot = m_cellDelete.row;
    DeletePreset();
}

// ---- Actions --------------------------------------------------------------------------

void CProgramDlg::RunNameEntry()
{
    const int row = m_cellSave.row;
    CSaveDlg entry(this);
    entry.m_nSlot = row;
    if (entry.DoModal() != IDOK)
        return;
    m_strName = entry.m_strName;
    m_nSelSlot = row;
    CheckPresetName();
}

bool CProgramDlg::CheckPresetName()
{
    const int slot = m_nSelSlot;
    if (slot < 1 || slot > MACHINE_PRESET_COUNT)
        return false;
    if (m_strName.isEmpty()) {
        ProgramBox(QStringLiteral("机器预置场景名不能为空!"),
                   QStringLiteral("The machine preset name can not be empty!"));
        return false;
    }
    if (IsBlankString(m_strName)) {
        ProgramBox(QStringLiteral("机器预置场景名不能全为空格!"),
                   QStringLiteral("The machine preset name can not be all spaces!"));
        return false;
    }
    // A name the field cannot hold has had its box; nothing is saved.
    char buffer[PRESET_NAME_SIZE] = {};
    if (!StringToFixedField(buffer, PRESET_NAME_SIZE, m_strName))
        return false;
    bool duplicate = false;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        duplicate = IsDuplicatePresetData(slot - 1, reinterpret_cast<const BYTE*>(buffer), true,
                                          kProgramNameCompared) != 0;
        if (!duplicate) {
            std::memcpy(SlotNameField(slot), buffer, PRESET_NAME_SIZE);
            std::memcpy(g_CurrentImage.bytes, SlotNameField(slot), PRESET_NAME_SIZE);
        }
    }
    if (duplicate) {
        ProgramBox(QStringLiteral("已有相同的机器预置场景名!"), QStringLiteral("Have been the same machine preset name!"));
        return false;
    }
    // The name column of the slot's row, whichever cell triggered the save.
    m_pGrid->SetItemText(slot, 1, FixedFieldToString(buffer, PRESET_NAME_SIZE));
    if (m_pView != nullptr) {
        m_pView->ShowPresetName(true);
        m_pView->WritePresetToDevice(slot, true);
    }
    return true;
}

void CProgramDlg::LoadSelectedPreset()
{
    const int slot = m_nSelSlot;
    if (!g_bDeviceSynced || slot < 1 || slot > MACHINE_PRESET_COUNT)
        return;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        std::memcpy(g_CurrentImage.bytes, SlotNameField(slot), PRESET_NAME_SIZE);
    }
    if (m_pView != nullptr)
        m_pView->RecallPreset(slot, 0);
}

void CProgramDlg::DeletePreset()
{
    const int slot = m_nSelSlot;
    if (slot < 1 || slot > MACHINE_PRESET_COUNT)
        return;
    const QString number = QString::number(slot);
    const int answer = ProgramBox(QStringLiteral("是否删除第") + number + QStringLiteral("组场景?"),
                                  QStringLiteral("Are you delete No.") + number + QStringLiteral(" preset?"), MB_YESNO);
    if (answer != IDYES || !g_bDeviceSynced)
        return;
    m_strName.clear();
    bool current = false;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        std::memset(SlotNameField(slot), 0, PRESET_NAME_SIZE);
        current = g_byCurrentPreset == slot;
    }
    m_pGrid->SetItemText(slot, 1, QString());
    if (m_pView == nullptr)
        return;
    if (current)
        m_pView->SendPresetDeleted(slot);
    else
        m_pView->QueueCommand(kProgramSlotNameCommand, slot);
}

// ---- Messages and keys ----------------------------------------------------------------

LRESULT CProgramDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_ACTION:
            OnActionButton();
            break;
        case ID_GRID_SAVE_PRESET:
            m_cellSave = m_pGrid->GetRightClickCell();
            OnGridSave();
            break;
        case ID_GRID_LOAD_PRESET:
            m_cellLoad = m_pGrid->GetRightClickCell();
            OnGridLoad();
            break;
        case ID_GRID_DELETE_PRESET:
            m_cellDelete = m_pGrid->GetRightClickCell();
            OnGridDelete();
            break;
        default:
            // The grid's click on a left-button release among them.
            break;
        }
        return 0;
    case WM_NOTIFY: {
        const auto* notice = reinterpret_cast<const NMGRIDCELL*>(lParam);
        if (notice == nullptr || notice->hdr.idFrom != std::uintptr_t(IDC_GRID))
            return 0;
        const CCellID cell(notice->row, notice->column);
        switch (notice->hdr.code) {
        case NM_DBLCLK:
            OnGridDblClick(cell);
            break;
        case LVN_DELETEITEM:
            OnGridDeleteKey(cell);
            break;
        case LVN_ENDLABELEDITA:
            m_cellSave = cell;
            PostMessage(this, WM_PRESET_GRID_SAVE, 0, 0);
            break;
        default:
            break;
        }
        return 0;
    }
    case WM_PRESET_GRID_SAVE:
        OnGridSave();
        return 0;
    case WM_PRESET_GRID_LOAD:
        OnGridLoad();
        return 0;
    case WM_PRESET_GRID_DELETE:
        OnGridDelete();
        return 0;
    default:
        return 0;
    }
}

bool CProgramDlg::PreTranslateMessage(QObject* watched, QKeyEvent* event)
{
    const int key = event->key();
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        setFocus(Qt::OtherFocusReason);
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // The grid takes Tab as a key of its own (the next cell); elsewhere
        // it does nothing.
        if (watched == m_pGrid) {
            SendMessage(m_pGrid, WM_KEYDOWN, VK_TAB, 1);
            SendMessage(m_pGrid, WM_CHAR, '\t', 1);
        }
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        // Arrows move the grid's focus cell, never the focus between
        // controls.
        return watched != m_pGrid;
    default:
        return false;
    }
}

bool CProgramDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && PreTranslateMessage(watched, static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CProgramDlg::reject()
{
    done(IDCANCEL);
}
