// The machine-preset dialog on the running view (the link up without a
// worker, so that every frame stays queued for the test) and its name
// entry: set-up and texts, every trigger in every mode, invalid rows, the
// keys, the name rules, the delete question, and the menu commands.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "app/PopupMenus.h"
#include "app/ProgramDlg.h"
#include "app/SaveDlg.h"
#include "controls/ChEnEdit.h"
#include "controls/grid/ComboGridCtrl.h"
#include "model/ParameterSetLock.h"
#include "model/WindowMessages.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/ModalDialog.h"
#include "platform/gui/PopupMenu.h"
#include "platform/gui/WindowAttributes.h"
#include "tests/app/TransferViewFixture.h"
#include "tests/controls/GridTestSupport.h"

namespace {

const char* const kSlotNames[MACHINE_PRESET_COUNT] = {"KTV Room A", "Party", "Lounge", "ABCDEFGHIJKLMNO", "   ",
                                                      "Bar"};

// Writes the six slot names (zero-padded) into the machine presets.
void SetSlotNames(const std::vector<QByteArray>& names)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    for (int slot = 0; slot < MACHINE_PRESET_COUNT; ++slot) {
        std::memset(g_MachinePresets[slot].bytes, 0, PRESET_NAME_SIZE);
        const QByteArray& name = names[size_t(slot)];
        std::memcpy(g_MachinePresets[slot].bytes, name.constData(), size_t(std::min<int>(name.size(), 16)));
    }
}

QByteArray SlotNameBytes(int slot)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    return QByteArray(reinterpret_cast<const char*>(g_MachinePresets[slot - 1].bytes), PRESET_NAME_SIZE);
}

QByteArray LiveNameBytes()
{
    ParameterSetGuard guard(g_ParameterSetLock);
    return QByteArray(reinterpret_cast<const char*>(g_CurrentImage.bytes), PRESET_NAME_SIZE);
}

QByteArray Padded(const QByteArray& name)
{
    QByteArray field = name;
    field.resize(PRESET_NAME_SIZE, '\0');
    return field;
}

int CurrentPreset()
{
    ParameterSetGuard guard(g_ParameterSetLock);
    return g_byCurrentPreset;
}

void SetCurrentPreset(int slot)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    g_byCurrentPreset = BYTE(slot);
}

class ProgramDlgTest : public TransferViewTest {
public:
    void SetUp() override
    {
        TransferViewTest::SetUp();
        std::vector<QByteArray> names;
        for (const char* name : kSlotNames)
            names.emplace_back(name);
        SetSlotNames(names);
        SetCurrentPreset(1);
        g_bDeviceSynced = true;
        // The name entry answers as the test says; every other dialog is
        // counted and cancelled.
        SetModalDialogHook([this](QDialog& dialog) {
            if (auto* entry = dynamic_cast<CSaveDlg*>(&dialog)) {
                m_entrySlots.push_back(entry->m_nSlot);
                if (m_entryName == nullptr)
                    return int(IDCANCEL);
                entry->NameEdit()->setText(QString::fromUtf8(m_entryName));
                entry->OnOK();
                return entry->result();
            }
            ++m_otherDialogs;
            return int(IDCANCEL);
        });
    }

    void TearDown() override
    {
        m_pDlg.reset();
        SetModalDialogHook({});
        SetPopupMenuHandler(nullptr);
        TransferViewTest::TearDown();
    }

    CProgramDlg& Open(int mode)
    {
        m_pDlg.reset();
        m_pDlg = std::make_unique<CProgramDlg>(View(), View()->IsConnected(), mode);
        m_pDlg->OnInitDialog();
        m_pDlg->show();
        QApplication::processEvents();
        return *m_pDlg;
    }
    CComboGridCtrl& Grid() { return *m_pDlg->Grid(); }

    // Lets the posted messages and any transfer popup go; the dialog takes
    // input again.
    void Settle()
    {
        m_pDlg->DeliverPosted();
        if (g_pDisplayDlg != nullptr)
            g_pDisplayDlg->HidePopup();
        g_bTransferBusy = false;
    }

    // The slots the queued frames loaded (a recall's last request), saved
    // (a packed write's last block) and blanked (a slot's name alone).
    struct Acts {
        std::vector<int> loads, saves, names, asked;
        std::vector<int> deleteQuestions;
    };
    Acts Collect(const CMessageBoxSpy& spy)
    {
        Acts acts;
        for (const QueuedFrame& f : DrainQueue()) {
            if (f.lastRequest)
                acts.loads.push_back(f.Slot());
            else if (f.lastWrite)
                acts.saves.push_back(f.Slot());
            else if (!f.counted && f.IsSystemCommand(0))
                acts.names.push_back(f.Slot());
        }
        acts.asked = m_entrySlots;
        m_entrySlots.clear();
        for (const CMessageBoxSpy::Shown& shown : spy.shown) {
            if (shown.text.startsWith(QStringLiteral("Are you delete No.")))
                acts.deleteQuestions.push_back(shown.text.mid(18, 1).toInt());
        }
        return acts;
    }

    std::unique_ptr<CProgramDlg> m_pDlg;
    std::vector<int> m_entrySlots;
    const char* m_entryName = nullptr;
    int m_otherDialogs = 0;
};

using ProgramDlg = ProgramDlgTest;
using SaveDlg = ProgramDlgTest;

TEST_F(ProgramDlg, SetsUpTheListWithTheSlotNamesAndTheModesTexts)
{
    struct Case {
        bool chinese;
        int mode;
        const char* caption;
        const char* action;
        const char* no;
        const char* name;
        const char* quit;
    };
    const Case cases[] = {
        {false, 0, "Load Machine Preset", "Load", "No.", "Preset", "Quit"},
        {false, 1, "Save As Machine Preset", "Save", "No.", "Preset", "Quit"},
        {false, 2, "Delete Machine Preset", "Delete", "No.", "Preset", "Quit"},
        {true, 0, "加载 机器预置场景", "加载", "序号", "场景名", "退出"},
        {true, 1, "另存为 机器预置场景", "保存", "序号", "场景名", "退出"},
        {true, 2, "删除 机器预置场景", "删除", "序号", "场景名", "退出"},
    };
    // A Chinese name read from the device, and one of fifteen bytes.
    SetSlotNames({"KTV Room A", "\xd6\xd0\xce\xc4 Bar", "", "ABCDEFGHIJKLMNO", "  Lead", "Bar"});
    const char* const shown[] = {"KTV Room A", "中文 Bar", "", "ABCDEFGHIJKLMNO", "Lead", "Bar"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        g_bChinese = c.chinese;
        CProgramDlg& dlg = Open(c.mode);
        EXPECT_EQ(g_pProgramDlg, &dlg);
        EXPECT_EQ(dlg.m_nSelSlot, 1);
        EXPECT_EQ(dlg.windowTitle(), QString::fromUtf8(c.caption));
        EXPECT_EQ(dlg.Button(CProgramDlg::IDC_ACTION)->text(), QString::fromUtf8(c.action));
        EXPECT_EQ(dlg.Button(IDCANCEL)->text(), QString::fromUtf8(c.quit));
        CComboGridCtrl& grid = Grid();
        EXPECT_EQ(grid.GetItemText(0, 0), QString::fromUtf8(c.no));
        EXPECT_EQ(grid.GetItemText(0, 1), QString::fromUtf8(c.name));
        for (int slot = 1; slot <= MACHINE_PRESET_COUNT; ++slot) {
            EXPECT_EQ(grid.GetItemText(slot, 0), QString::number(slot));
            EXPECT_EQ(grid.GetItemText(slot, 1), QString::fromUtf8(shown[slot - 1]));
        }
    }
    CComboGridCtrl& grid = Grid();
    EXPECT_EQ(GetDlgCtrlID(&grid), CProgramDlg::IDC_GRID);
    EXPECT_EQ(grid.GetRowCount(), 7);
    EXPECT_EQ(grid.GetColumnCount(), 2);
    EXPECT_EQ(grid.GetFixedRowCount(), 1);
    EXPECT_EQ(grid.GetFixedColumnCount(), 1);
    EXPECT_EQ(grid.GetColumnWidth(1), 262);
    EXPECT_FALSE(grid.IsEditable());
    EXPECT_TRUE(grid.GetSingleRowSelect());
    EXPECT_FALSE(grid.GetListMode());
    EXPECT_EQ(grid.GetGridLineColor(), COLORREF(16750899));
    EXPECT_EQ(grid.GetFocusCell(), CCellID(1, 1));
    EXPECT_TRUE(grid.GetItemState(1, 0) & GCS_SELECTED);
    EXPECT_TRUE(grid.GetItemState(1, 1) & GCS_SELECTED);
    EXPECT_FALSE(grid.GetItemState(2, 1) & GCS_SELECTED);
    for (int row = 0; row < 7; ++row)
        EXPECT_EQ(grid.GetItemFormat(row, 1), UINT(DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS));
    // All seven rows show, without a scroll bar, and the buttons under them.
    EXPECT_FALSE(grid.verticalScrollBar()->isVisible());
    EXPECT_FALSE(grid.horizontalScrollBar()->isVisible());
    EXPECT_TRUE(grid.IsCellVisible(6, 1));
    EXPECT_GT(m_pDlg->Button(IDCANCEL)->geometry().top(), grid.geometry().bottom());
    EXPECT_LE(m_pDlg->Button(IDCANCEL)->geometry().right(), m_pDlg->width());

    m_pDlg.reset();
    EXPECT_EQ(g_pProgramDlg, nullptr);
}

TEST_F(ProgramDlg, EachTriggerActsOnceByTheMode)
{
    ConnectWithoutDevice();
    struct Case {
        const char* name;
        int mode;
        std::function<void(ProgramDlgTest&)> trigger;
        std::vector<int> loads, asked, deleteQuestions;
    };
    const auto button = [](ProgramDlgTest& t) {
        t.Grid().SetFocusCell(4, 1);
        QTest::mouseClick(t.m_pDlg->Button(CProgramDlg::IDC_ACTION), Qt::LeftButton);
    };
    const auto doubleClick = [](ProgramDlgTest& t) { GridDoubleClick(&t.Grid(), CellPoint(&t.Grid(), 4, 1)); };
    const auto deleteKey = [](ProgramDlgTest& t) {
        t.Grid().setFocus();
        t.Grid().SetFocusCell(4, 1);
        QTest::keyClick(&t.Grid(), Qt::Key_Delete);
    };
    const auto menu = [](UINT command) {
        return [command](ProgramDlgTest& t) {
            SetPopupMenuHandler([command](QMenu&, const QPoint&, QWidget*) { return command; });
            GridMouse(&t.Grid(), QEvent::MouseButtonPress, CellPoint(&t.Grid(), 4, 1), Qt::RightButton);
            GridMouse(&t.Grid(), QEvent::MouseButtonRelease, CellPoint(&t.Grid(), 4, 1), Qt::RightButton);
        };
    };
    const auto posted = [](UINT message) {
        return [message](ProgramDlgTest& t) {
            t.m_pDlg->m_cellLoad = t.m_pDlg->m_cellSave = t.m_pDlg->m_cellDelete = CCellID(4, 1);
            PostMessage(t.m_pDlg.get(), message, 0, 0);
        };
    };
    const Case cases[] = {
        {"button, Load", 0, button, {4}, {}, {}},
        {"button, Save As", 1, button, {}, {4}, {}},
        {"button, Delete", 2, button, {}, {}, {4}},
        {"double click, Load", 0, doubleClick, {4}, {}, {}},
        {"double click, Save As", 1, doubleClick, {}, {4}, {}},
        {"double click, Delete", 2, doubleClick, {}, {}, {4}},
        {"Delete key, Load", 0, deleteKey, {}, {}, {4}},
        {"Delete key, Save As", 1, deleteKey, {}, {}, {4}},
        {"Delete key, Delete", 2, deleteKey, {}, {}, {4}},
        // The context menu's three actions in every mode.
        {"menu save, Load", 0, menu(ID_GRID_SAVE_PRESET), {}, {4}, {}},
        {"menu save, Save As", 1, menu(ID_GRID_SAVE_PRESET), {}, {4}, {}},
        {"menu save, Delete", 2, menu(ID_GRID_SAVE_PRESET), {}, {4}, {}},
        {"menu load, Load", 0, menu(ID_GRID_LOAD_PRESET), {4}, {}, {}},
        {"menu load, Save As", 1, menu(ID_GRID_LOAD_PRESET), {4}, {}, {}},
        {"menu load, Delete", 2, menu(ID_GRID_LOAD_PRESET), {4}, {}, {}},
        {"menu delete, Load", 0, menu(ID_GRID_DELETE_PRESET), {}, {}, {4}},
        {"menu delete, Save As", 1, menu(ID_GRID_DELETE_PRESET), {}, {}, {4}},
        {"menu delete, Delete", 2, menu(ID_GRID_DELETE_PRESET), {}, {}, {4}},
        {"posted save", 0, posted(WM_PRESET_GRID_SAVE), {}, {4}, {}},
        {"posted load", 2, posted(WM_PRESET_GRID_LOAD), {4}, {}, {}},
        {"posted delete", 1, posted(WM_PRESET_GRID_DELETE), {}, {}, {4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_bDeviceSynced = true;
        CMessageBoxSpy spy(IDNO);
        Open(c.mode);
        c.trigger(*this);
        Settle();
        const Acts acts = Collect(spy);
        EXPECT_EQ(acts.loads, c.loads);
        EXPECT_EQ(acts.asked, c.asked);
        EXPECT_EQ(acts.deleteQuestions, c.deleteQuestions);
        EXPECT_TRUE(acts.names.empty());
        EXPECT_EQ(m_otherDialogs, 0);
        if (!c.loads.empty()) {
            EXPECT_EQ(LiveNameBytes(), SlotNameBytes(4));
            EXPECT_EQ(CurrentPreset(), 4);
        }
        EXPECT_TRUE(m_pDlg->isVisible());
    }
}

TEST_F(ProgramDlg, RowsOutsideTheSlotsAreIgnored)
{
    ConnectWithoutDevice();
    CMessageBoxSpy spy(IDYES);
    for (int mode = 0; mode <= 2; ++mode) {
        SCOPED_TRACE(mode);
        CProgramDlg& dlg = Open(mode);
        // Nothing focused, the header row.
        for (const CCellID& cell : {CCellID(-1, -1), CCellID(0, 1)}) {
            Grid().SetFocusCell(cell);
            dlg.OnActionButton();
        }
        GridDoubleClick(&Grid(), CellPoint(&Grid(), 0, 1));
        dlg.m_cellLoad = dlg.m_cellSave = dlg.m_cellDelete = CCellID(7, 1);
        for (UINT message : {WM_PRESET_GRID_SAVE, WM_PRESET_GRID_LOAD, WM_PRESET_GRID_DELETE})
            SendMessage(&dlg, message, 0, 0);
        SetPopupMenuHandler([](QMenu&, const QPoint&, QWidget*) { return UINT(ID_GRID_DELETE_PRESET); });
        GridMouse(&Grid(), QEvent::MouseButtonPress, CellPoint(&Grid(), 0, 1), Qt::RightButton);
        Settle();
        const Acts acts = Collect(spy);
        EXPECT_TRUE(acts.loads.empty());
        EXPECT_TRUE(acts.asked.empty());
        EXPECT_TRUE(acts.names.empty());
        EXPECT_TRUE(spy.shown.empty());
        for (int slot = 1; slot <= MACHINE_PRESET_COUNT; ++slot)
            EXPECT_EQ(SlotNameBytes(slot), Padded(kSlotNames[slot - 1]));
    }
}

TEST_F(ProgramDlg, NoKeyClosesTheDialogOrMovesTheFocusBetweenItsControls)
{
    CProgramDlg& dlg = Open(0);
    bool closed = false;
    QObject::connect(&dlg, &QDialog::finished, [&closed] { closed = true; });
    QWidget* const controls[] = {&Grid(), dlg.Button(CProgramDlg::IDC_ACTION), dlg.Button(IDCANCEL)};
    for (QWidget* control : controls) {
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            control->setFocus();
            QTest::keyClick(control, key);
            EXPECT_EQ(QApplication::focusWidget(), &dlg);
        }
        for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Down, Qt::Key_Right}) {
            control->setFocus();
            QTest::keyClick(control, key);
            EXPECT_EQ(QApplication::focusWidget(), control);
        }
    }
    EXPECT_FALSE(closed);
    EXPECT_TRUE(dlg.isVisible());
    // The grid takes Tab and the arrows as its own keys.
    Grid().setFocus();
    Grid().SetFocusCell(1, 1);
    QTest::keyClick(&Grid(), Qt::Key_Tab);
    EXPECT_EQ(Grid().GetFocusCell(), CCellID(2, 1));
    QTest::keyClick(&Grid(), Qt::Key_Down);
    EXPECT_EQ(Grid().GetFocusCell(), CCellID(3, 1));
    EXPECT_EQ(m_otherDialogs, 0);
    // The Cancel button and the close box do close it.
    QTest::mouseClick(dlg.Button(IDCANCEL), Qt::LeftButton);
    EXPECT_TRUE(closed);
    EXPECT_EQ(dlg.result(), int(IDCANCEL));
}

TEST_F(ProgramDlg, TheNameRulesDecideWhatIsSavedAndSent)
{
    ConnectWithoutDevice();
    struct Case {
        const char* typed;
        int slot;
        const char* boxEn;
        const char* boxCn;
        const char* stored;  // null: nothing stored
        const char* shown;
    };
    const Case cases[] = {
        {"", 2, "The machine preset name can not be empty!", "机器预置场景名不能为空!", nullptr, nullptr},
        {" ", 2, "The machine preset name can not be all spaces!", "机器预置场景名不能全为空格!", nullptr, nullptr},
        {"Party", 3, "Have been the same machine preset name!", "已有相同的机器预置场景名!", nullptr, nullptr},
        // Thirteen characters equal to the start of slot 4's longer name.
        {"ABCDEFGHIJKLM", 2, "Have been the same machine preset name!", "已有相同的机器预置场景名!", nullptr, nullptr},
        // Only the beginning of another slot's name; the slot's own name;
        // leading spaces kept; the spaces of slot 5 equal no typed name.
        {"Par", 3, nullptr, nullptr, "Par", "Par"},
        {"Party", 2, nullptr, nullptr, "Party", "Party"},
        {"  Lead", 6, nullptr, nullptr, "  Lead", "Lead"},
        {"   ", 1, "The machine preset name can not be all spaces!", "机器预置场景名不能全为空格!", nullptr, nullptr},
        {"Room 5", 5, nullptr, nullptr, "Room 5", "Room 5"},
    };
    for (const bool chinese : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.typed) + (chinese ? " cn" : " en"));
            g_bChinese = chinese;
            std::vector<QByteArray> names;
            for (const char* name : kSlotNames)
                names.emplace_back(name);
            SetSlotNames(names);
            SetCurrentPreset(1);
            {
                ParameterSetGuard guard(g_ParameterSetLock);
                std::memcpy(g_CurrentImage.bytes, "Live name\0\0\0\0\0\0\0", PRESET_NAME_SIZE);
            }
            CMessageBoxSpy spy;
            CProgramDlg& dlg = Open(1);
            m_entryName = c.typed;
            Grid().SetFocusCell(c.slot, 1);
            dlg.OnActionButton();
            Settle();
            const Acts acts = Collect(spy);
            EXPECT_EQ(acts.asked, std::vector<int>{c.slot});
            if (c.boxEn != nullptr) {
                ASSERT_EQ(spy.shown.size(), 1u);
                EXPECT_EQ(spy.shown[0].text, QString::fromUtf8(chinese ? c.boxCn : c.boxEn));
                EXPECT_EQ(spy.shown[0].helpId, chinese ? -2 : -3);
            } else {
                EXPECT_TRUE(spy.shown.empty());
            }
            if (c.stored == nullptr) {
                EXPECT_EQ(SlotNameBytes(c.slot), Padded(kSlotNames[c.slot - 1]));
                EXPECT_EQ(LiveNameBytes(), Padded("Live name"));
                EXPECT_TRUE(acts.saves.empty());
                EXPECT_EQ(CurrentPreset(), 1);
                continue;
            }
            EXPECT_EQ(SlotNameBytes(c.slot), Padded(c.stored));
            EXPECT_EQ(LiveNameBytes(), Padded(c.stored));
            EXPECT_EQ(Grid().GetItemText(c.slot, 1), QString::fromUtf8(c.shown));
            EXPECT_EQ(View()->m_editPresetName.text(), QString::fromUtf8(c.shown));
            EXPECT_EQ(acts.saves, std::vector<int>{c.slot});
            EXPECT_EQ(CurrentPreset(), c.slot);
        }
    }
    m_entryName = nullptr;
}

TEST_F(ProgramDlg, TheSavedNameAndTheSlotsFramesGoOut)
{
    ConnectWithoutDevice();
    CMessageBoxSpy spy;
    CProgramDlg& dlg = Open(1);
    m_entryName = "Party 3";
    Grid().SetFocusCell(3, 1);
    dlg.OnActionButton();
    const std::vector<QueuedFrame> frames = DrainQueue();
    // The slot's name, the live name, the preset number, 16 blocks.
    ASSERT_EQ(frames.size(), 19u);
    EXPECT_TRUE(frames[0].IsSystemCommand(0));
    EXPECT_EQ(frames[0].Slot(), 3);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(frames[0].bytes.data()) + FRAME_HEADER_SIZE, 16),
              Padded("Party 3"));
    EXPECT_TRUE(frames[1].IsSystemCommand(0));
    EXPECT_EQ(frames[1].Slot(), 0);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(frames[1].bytes.data()) + FRAME_HEADER_SIZE, 16),
              Padded("Party 3"));
    EXPECT_TRUE(frames[2].IsSystemCommand(52));
    for (size_t i = 3; i < frames.size(); ++i)
        EXPECT_EQ(frames[i].Slot(), 3);
    EXPECT_TRUE(frames.back().lastWrite);
    // The popup disables the dialog while the save runs.
    EXPECT_FALSE(dlg.isEnabled());
    m_entryName = nullptr;
}

TEST_F(ProgramDlg, ASaveWhileNotConnectedRenamesLocallyAndSaysSo)
{
    CMessageBoxSpy spy;
    CProgramDlg& dlg = Open(1);
    m_entryName = "Offline";
    Grid().SetFocusCell(2, 1);
    dlg.OnActionButton();
    EXPECT_EQ(SlotNameBytes(2), Padded("Offline"));
    EXPECT_EQ(Grid().GetItemText(2, 1), QStringLiteral("Offline"));
    ASSERT_EQ(spy.shown.size(), 1u);
    EXPECT_TRUE(spy.shown[0].text.contains(QStringLiteral("Connection failure"))) << spy.shown[0].text.toStdString();
    EXPECT_TRUE(DrainQueue().empty());
    m_entryName = nullptr;
}

TEST_F(ProgramDlg, DeletingAsksFirstAndBlanksTheSlot)
{
    ConnectWithoutDevice();
    struct Case {
        const char* name;
        bool chinese;
        int answer;
        bool synced;
        int current;
        int slot;
        bool blanked;
        std::vector<int> items;  // system items queued
    };
    const Case cases[] = {
        {"No", false, IDNO, true, 2, 2, false, {}},
        {"not synced", false, IDYES, false, 2, 2, false, {}},
        {"the current slot", false, IDYES, true, 2, 2, true, {0, 52}},
        {"another slot", true, IDYES, true, 2, 5, true, {0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_bChinese = c.chinese;
        g_bDeviceSynced = c.synced;
        SetCurrentPreset(c.current);
        CMessageBoxSpy spy(c.answer);
        CProgramDlg& dlg = Open(2);
        Grid().SetFocusCell(c.slot, 1);
        dlg.OnActionButton();
        ASSERT_EQ(spy.shown.size(), 1u);
        const QString number = QString::number(c.slot);
        EXPECT_EQ(spy.shown[0].text, c.chinese ? QStringLiteral("是否删除第%1组场景?").arg(number)
                                               : QStringLiteral("Are you delete No.%1 preset?").arg(number));
        EXPECT_EQ(spy.shown[0].type, unsigned(MB_YESNO));
        EXPECT_EQ(spy.shown[0].helpId, c.chinese ? -2 : -3);
        EXPECT_EQ(SlotNameBytes(c.slot), c.blanked ? QByteArray(16, '\0') : Padded(kSlotNames[c.slot - 1]));
        EXPECT_EQ(Grid().GetItemText(c.slot, 1).isEmpty(), c.blanked);
        std::vector<int> items;
        for (const QueuedFrame& f : DrainQueue()) {
            items.push_back(f.Item());
            EXPECT_EQ(f.Slot(), f.Item() == 0 ? c.slot : 0);
            if (f.Item() == 0) {
                EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(f.bytes.data()) + FRAME_HEADER_SIZE, 16),
                          QByteArray(16, '\0'));
            }
        }
        EXPECT_EQ(items, c.items);
        EXPECT_EQ(CurrentPreset(), c.blanked && c.slot == c.current ? 0 : c.current);
        SetSlotNames({kSlotNames[0], kSlotNames[1], kSlotNames[2], kSlotNames[3], kSlotNames[4], kSlotNames[5]});
    }
}

// The grid clears the focus cell when Delete is pressed, before the dialog
// asks: a slot that keeps its preset shows its name again.
TEST_F(ProgramDlg, TheDeleteKeyLeavesAKeptSlotShowingItsName)
{
    ConnectWithoutDevice();
    struct Case {
        const char* name;
        int answer;
        bool synced;
        int column;
        const char* shown;
    };
    const Case cases[] = {
        {"No", IDNO, true, 1, "Lounge"},
        {"not synced", IDYES, false, 1, "Lounge"},
        {"the number cell, No", IDNO, true, 0, "Lounge"},
        {"Yes", IDYES, true, 1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_bDeviceSynced = c.synced;
        CMessageBoxSpy spy(c.answer);
        Open(0);
        Grid().setFocus();
        Grid().SetFocusCell(3, c.column);
        QTest::keyClick(&Grid(), Qt::Key_Delete);
        EXPECT_EQ(spy.shown.size(), 1u);
        EXPECT_EQ(Grid().GetItemText(3, 0), QStringLiteral("3"));
        EXPECT_EQ(Grid().GetItemText(3, 1), QString::fromUtf8(c.shown));
        DrainQueue();
    }
}

// A name read from the device with Chinese characters, lengthened past the
// field's fifteen bytes: refused with its box, nothing saved or sent.
TEST_F(ProgramDlg, ANameTheFieldCannotHoldIsNotSaved)
{
    ConnectWithoutDevice();
    CMessageBoxSpy spy;
    CProgramDlg& dlg = Open(1);
    // Six Chinese characters (12 bytes) and four letters: 16 bytes.
    m_entryName = "中文中文中文ABCD";
    Grid().SetFocusCell(2, 1);
    dlg.OnActionButton();
    ASSERT_EQ(spy.shown.size(), 1u);
    EXPECT_TRUE(spy.shown[0].text.contains(QStringLiteral("Char len error!")));
    EXPECT_EQ(SlotNameBytes(2), Padded("Party"));
    EXPECT_EQ(Grid().GetItemText(2, 1), QStringLiteral("Party"));
    EXPECT_TRUE(DrainQueue().empty());
    m_entryName = nullptr;
}

// A save started on the number cell (a double click or a right click on
// it) writes the name column of the row; the number stays.
TEST_F(ProgramDlg, ASaveFromTheNumberCellWritesTheNameColumn)
{
    ConnectWithoutDevice();
    CMessageBoxSpy spy;
    CProgramDlg& dlg = Open(1);
    m_entryName = "Karaoke";
    dlg.m_cellSave = CCellID(4, 0);
    SendMessage(&dlg, WM_PRESET_GRID_SAVE, 0, 0);
    EXPECT_EQ(Grid().GetItemText(4, 0), QStringLiteral("4"));
    EXPECT_EQ(Grid().GetItemText(4, 1), QStringLiteral("Karaoke"));
    EXPECT_EQ(SlotNameBytes(4), Padded("Karaoke"));
    DrainQueue();
    m_entryName = nullptr;
}

TEST_F(ProgramDlg, TheMenuCommandsOpenItInTheirModeAndLetGoOfItAfter)
{
    struct Seen {
        int mode = -1;
        bool pointed = false;
        bool connected = true;
    };
    std::vector<Seen> seen;
    SetModalDialogHook([&seen](QDialog& dialog) {
        auto* program = dynamic_cast<CProgramDlg*>(&dialog);
        EXPECT_NE(program, nullptr);
        if (program != nullptr)
            seen.push_back({program->m_nMode, g_pProgramDlg == program, program->m_bConnected});
        return int(IDCANCEL);
    });
    for (const int id : {ID_LOAD_MACHINE_PRESET, ID_SAVE_MACHINE_PRESET, ID_DELETE_MACHINE_PRESET}) {
        View()->WindowProc(WM_COMMAND, WPARAM(id), 0);
        EXPECT_EQ(g_pProgramDlg, nullptr);
    }
    ASSERT_EQ(seen.size(), 3u);
    for (int mode = 0; mode < 3; ++mode) {
        EXPECT_EQ(seen[size_t(mode)].mode, mode);
        EXPECT_TRUE(seen[size_t(mode)].pointed);
        EXPECT_FALSE(seen[size_t(mode)].connected);
    }
}

// Ctrl+A, Ctrl+C in the list puts the six names on the clipboard for any
// program (an empty name as one space, Chinese intact); Ctrl+V and Ctrl+X
// change nothing, and the dialog stays open.
TEST_F(ProgramDlg, SelectAllAndCopyPutTheNamesOnTheClipboard)
{
    SetSlotNames({"KTV Room A", "Party", "", "\xd6\xd0\xce\xc4 \xb3\xa1\xbe\xb0", "ABCDEFGHIJKLMNO", "Bar"});
    for (const int mode : {0, 1, 2}) {
        SCOPED_TRACE(mode);
        CMessageBoxSpy spy;
        CProgramDlg& dlg = Open(mode);
        Grid().setFocus();
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(&Grid(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&Grid(), Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QGuiApplication::clipboard()->text(),
                  QStringLiteral("KTV Room A\nParty\n \n中文 场景\nABCDEFGHIJKLMNO\nBar"));

        QGuiApplication::clipboard()->setText(QStringLiteral("Pasted"));
        Grid().SetFocusCell(2, 1);
        QTest::keyClick(&Grid(), Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(&Grid(), Qt::Key_X, Qt::ControlModifier);
        dlg.DeliverPosted();
        EXPECT_EQ(Grid().GetItemText(2, 1), QStringLiteral("Party"));
        EXPECT_EQ(Grid().GetItemText(4, 1), QStringLiteral("中文 场景"));
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("Pasted"));
        EXPECT_EQ(SlotNameBytes(2), Padded("Party"));
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_TRUE(spy.shown.empty());
        EXPECT_TRUE(m_entrySlots.empty());
    }
}

TEST_F(SaveDlg, StartsWithTheSlotsWholeNameAndTakesSingleByteCharactersOnly)
{
    struct Case {
        bool chinese;
        int slot;
        const char* label;
        const char* caption;
        const char* ok;
        const char* cancel;
        const char* name;
    };
    SetSlotNames({"KTV Room A", "Party", "Lounge", "ABCDEFGHIJKLMNO", "  Lead  ", "Bar"});
    const Case cases[] = {
        {false, 4, "No.4", "Please enter the preset name", "OK", "Cancel", "ABCDEFGHIJKLMNO"},
        {true, 5, "序号:5", "请输入场景名", "确定", "取消", "Lead"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        g_bChinese = c.chinese;
        CSaveDlg entry;
        entry.m_nSlot = c.slot;
        entry.show();
        entry.OnInitDialog();
        QApplication::processEvents();
        EXPECT_EQ(entry.LabelControl()->text(), QString::fromUtf8(c.label));
        EXPECT_EQ(entry.windowTitle(), QString::fromUtf8(c.caption));
        EXPECT_EQ(entry.Button(IDOK)->text(), QString::fromUtf8(c.ok));
        EXPECT_EQ(entry.Button(IDCANCEL)->text(), QString::fromUtf8(c.cancel));
        EXPECT_EQ(entry.NameEdit()->text(), QString::fromUtf8(c.name));
        EXPECT_EQ(entry.NameEdit()->GetLimitText(), 13);
        EXPECT_FALSE(entry.NameEdit()->GetAllowDoubleByte());
        EXPECT_TRUE(entry.NameEdit()->hasFocus());
    }
    // Slot 4's fifteen characters stay whole: typing adds nothing, OK
    // returns them all.
    CSaveDlg entry;
    entry.m_nSlot = 4;
    entry.show();
    entry.OnInitDialog();
    entry.NameEdit()->end(false);
    QTest::keyClicks(entry.NameEdit(), QStringLiteral("XY"));
    QTest::keyClick(entry.NameEdit(), Qt::Key_Return);
    EXPECT_EQ(entry.result(), int(IDOK));
    EXPECT_EQ(entry.m_strName, QStringLiteral("ABCDEFGHIJKLMNO"));

    // Typed afresh: thirteen characters at most, nothing Chinese.
    CSaveDlg typed;
    typed.m_nSlot = 1;
    typed.show();
    typed.OnInitDialog();
    typed.NameEdit()->clear();
    QTest::keyClicks(typed.NameEdit(), QStringLiteral("Room"));
    QKeyEvent chinese(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("中"));
    QApplication::sendEvent(typed.NameEdit(), &chinese);
    QTest::keyClicks(typed.NameEdit(), QStringLiteral("1234567890123"));
    EXPECT_EQ(typed.NameEdit()->text(), QStringLiteral("Room123456789"));
    QTest::keyClick(typed.NameEdit(), Qt::Key_Escape);
    EXPECT_EQ(typed.result(), int(IDCANCEL));
    EXPECT_TRUE(typed.m_strName.isEmpty());
}

}  // namespace
