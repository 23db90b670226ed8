// The machine-preset dialogs as a user works them, the view linked over the
// network to the simulated device on 127.0.0.1 whose six slots carry names:
// the list shows the device's names, Save As puts the live set and a new
// name into a slot, Load brings a slot back after an edit, and the Delete
// key blanks a slot only after Yes. Each dialog is opened by its menu
// command; the dialog is disabled while its transfer runs.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include <QPushButton>
#include <QTest>

#include "app/PopupMenus.h"
#include "app/ProgramDlg.h"
#include "app/SaveDlg.h"
#include "controls/ChEnEdit.h"
#include "controls/grid/ComboGridCtrl.h"
#include "model/KTV_Data.h"
#include "model/FrameBuilder.h"
#include "model/KTV_OutData.h"
#include "model/LinkState.h"
#include "model/SystemWord.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/ModalDialog.h"
#include "tests/app/AppStartFixture.h"

namespace {

const char* const kDeviceNames[MACHINE_PRESET_COUNT] = {"Opening", "Ballads", "Dance", "Rock", "Jazz", "Closing"};

class MachinePresetEndToEnd : public AppStartTest {
protected:
    void SetUp() override
    {
        AppStartTest::SetUp();
        CSimState state = DefaultDeviceState();
        for (int slot = 0; slot < MACHINE_PRESET_COUNT; ++slot) {
            std::memset(state.presets[slot].bytes, 0, PRESET_NAME_SIZE);
            std::memcpy(state.presets[slot].bytes, kDeviceNames[slot], std::strlen(kDeviceNames[slot]));
        }
        m_device.SetState(state);
        m_pServer = std::make_unique<CSimTcpServer>(m_device);
        std::string error;
        ASSERT_TRUE(m_pServer->Start(0, 300000, &error)) << error;
        g_nDevicePort = m_pServer->Port();
        m_pView = StartAppWithoutAutoConnect();
        ASSERT_NE(m_pView, nullptr);
        ASSERT_TRUE(LinkToSimulator(m_pView));
    }
    void TearDown() override
    {
        SetModalDialogHook({});
        AppStartTest::TearDown();
    }

    static bool PumpUntil(const std::function<bool()>& done) { return WaitFor(done, 30000); }

    // Runs menu command id; work does what the user does in the dialog.
    void RunDialog(int id, const std::function<void(CProgramDlg&)>& work)
    {
        int opened = 0;
        SetModalDialogHook([&](QDialog& dialog) {
            if (auto* entry = dynamic_cast<CSaveDlg*>(&dialog)) {
                entry->NameEdit()->setText(m_strTyped);
                entry->OnOK();
                return entry->result();
            }
            auto* program = dynamic_cast<CProgramDlg*>(&dialog);
            EXPECT_NE(program, nullptr);
            if (program == nullptr)
                return int(IDCANCEL);
            ++opened;
            EXPECT_EQ(g_pProgramDlg, program);
            program->show();
            work(*program);
            return int(IDCANCEL);
        });
        m_pView->WindowProc(WM_COMMAND, WPARAM(id), 0);
        EXPECT_EQ(opened, 1);
        EXPECT_EQ(g_pProgramDlg, nullptr);
    }

    // Clicks the action button on row and waits through the transfer it
    // starts, seeing the dialog disabled while it runs.
    void ActOnRowAndWait(CProgramDlg& dialog, int row)
    {
        dialog.Grid()->SetFocusCell(row, 1);
        QTest::mouseClick(dialog.Button(CProgramDlg::IDC_ACTION), Qt::LeftButton);
        EXPECT_TRUE(g_bTransferBusy);
        EXPECT_FALSE(dialog.isEnabled());
        EXPECT_TRUE(PumpUntil([&] { return ReadBackEnded() && dialog.isEnabled(); }));
    }

    QByteArray DeviceSlotName(int slot) const
    {
        return QByteArray(reinterpret_cast<const char*>(m_device.State().presets[slot - 1].bytes), PRESET_NAME_SIZE);
    }
    int DeviceOutputWord(const DeviceImage& image, int output, int at) const
    {
        return GetWord(image.bytes + OutputBlockOffset(output) + OUTPUT_BASIC_RECORD * RECORD_SIZE + at);
    }
    static QByteArray Blocks(const DeviceImage& image)
    {
        return QByteArray(reinterpret_cast<const char*>(image.bytes) + MUSIC_OFFSET, IMAGE_SIZE - MUSIC_OFFSET);
    }
    static QByteArray Padded(const char* name)
    {
        QByteArray field(name);
        field.resize(PRESET_NAME_SIZE, '\0');
        return field;
    }

    CBrelinView* m_pView = nullptr;
    QString m_strTyped;
};

TEST_F(MachinePresetEndToEnd, SaveLoadAndDeleteReachTheDevice)
{
    // The list shows the names the device holds.
    RunDialog(ID_LOAD_MACHINE_PRESET, [](CProgramDlg& dialog) {
        for (int slot = 1; slot <= MACHINE_PRESET_COUNT; ++slot)
            EXPECT_EQ(dialog.Grid()->GetItemText(slot, 1), QString::fromLatin1(kDeviceNames[slot - 1]));
    });

    // Save As into row 3 under "Party": the slot takes the name and the
    // live set, and becomes the current preset.
    m_strTyped = QStringLiteral("Party");
    RunDialog(ID_SAVE_MACHINE_PRESET, [&](CProgramDlg& dialog) {
        ActOnRowAndWait(dialog, 3);
        EXPECT_EQ(dialog.Grid()->GetItemText(3, 1), QStringLiteral("Party"));
    });
    ASSERT_TRUE(PumpUntil([&] { return DeviceSlotName(3) == Padded("Party"); }));
    CSimState state = m_device.State();
    EXPECT_EQ(Blocks(state.presets[2]), Blocks(state.live));
    EXPECT_EQ(state.system[40], 3);
    EXPECT_EQ(m_pView->m_editPresetName.text(), QStringLiteral("Party"));
    EXPECT_EQ(DeviceSlotName(2), Padded("Ballads"));

    // An edit of the live set: output 1's delay.
    CKTV_OutData* output = m_pView->AttachDataSet()->GetOutput(1);
    ASSERT_NE(output, nullptr);
    const short saved = output->GetDelay();
    const short edited = short(saved + 40);
    output->SetDelay(edited);
    ASSERT_TRUE(PumpUntil([&] { return DeviceOutputWord(m_device.State().live, 1, 4) == edited; }));

    // Load row 3: the device's live set and the screen come back to the
    // saved ones.
    RunDialog(ID_LOAD_MACHINE_PRESET, [&](CProgramDlg& dialog) { ActOnRowAndWait(dialog, 3); });
    ASSERT_TRUE(PumpUntil([] { return g_bDeviceSynced.load(); }));
    EXPECT_TRUE(PumpUntil([&] { return output->GetDelay() == saved; }));
    state = m_device.State();
    EXPECT_EQ(DeviceOutputWord(state.live, 1, 4), saved);
    EXPECT_EQ(Blocks(state.presets[2]), Blocks(state.live));
    EXPECT_EQ(m_pView->m_editPresetName.text(), QStringLiteral("Party"));

    // The Delete key on row 3: No sends nothing and the row keeps "Party";
    // Yes blanks the slot at the device, whose current preset becomes 0.
    m_device.ClearLog();
    for (const int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer);
        CMessageBoxSpy spy(answer);
        RunDialog(ID_DELETE_MACHINE_PRESET, [&](CProgramDlg& dialog) {
            CComboGridCtrl& grid = *dialog.Grid();
            grid.setFocus();
            grid.SetFocusCell(3, 1);
            QTest::keyClick(&grid, Qt::Key_Delete);
            EXPECT_EQ(grid.GetItemText(3, 1), answer == IDNO ? QStringLiteral("Party") : QString());
        });
        ASSERT_EQ(spy.shown.size(), 1u);
        EXPECT_EQ(spy.shown[0].text, QStringLiteral("Are you delete No.3 preset?"));
    }
    EXPECT_TRUE(PumpUntil([&] { return DeviceSlotName(3) == QByteArray(16, '\0') && m_device.State().system[40] == 0; }));
    EXPECT_EQ(DeviceSlotName(4), Padded("Rock"));
    // One name write for slot 3 reached the device: Yes's.
    int slotNameWrites = 0;
    for (const CSimLogEntry& entry : m_device.Log()) {
        const CSimFrame& f = entry.frame;
        slotNameWrites += (f.cls == FRAME_CLASS_WRITE && f.type == BLOCK_SYSTEM && f.item == 0 && f.slot == 3) ? 1 : 0;
    }
    EXPECT_EQ(slotNameWrites, 1);
}

}  // namespace
