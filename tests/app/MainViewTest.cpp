// The main view as the user meets it: its controls where the form puts
// them, the strips and the panel in their pixels, the background by
// language and lock, the UI modes, the input source and what it queues, the
// refreshes, the preset name, the keys and the drag of the window, and what
// the least pages were handed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QTest>

#include "app/BrelinDoc.h"
#include "app/DataViewDlg.h"
#include "app/PopupMenus.h"
#include "controls/ListCtrl.h"
#include "link/KTVCommand.h"
#include "model/ChangeScanFlags.h"
#include "model/DataLockState.h"
#include "model/FrameBuilder.h"
#include "model/KTV_Data.h"
#include "model/ParameterSetLock.h"
#include "model/SendData.h"
#include "model/WindowMessages.h"
#include "model/WorkingStrings.h"
#include "platform/core/Language.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/ModalDialog.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/WindowAttributes.h"
#include "tests/app/AppStartFixture.h"

namespace {

class MainViewTest : public AppStartTest {
protected:
    void SetUp() override
    {
        AppStartTest::SetUp();
        m_pView = StartAppWithoutAutoConnect();
        ASSERT_NE(m_pView, nullptr);
    }
    void TearDown() override
    {
        if (m_pView != nullptr && m_pView->IsConnected())
            m_pView->DeviceLink().StopIoWorker(true);
        m_pView->m_command.ClearQueue();
        g_nUiMode = 1;
        AppStartTest::TearDown();
    }

    // A link with no transport: commands are queued but nothing is sent.
    void ConnectWithoutTransport()
    {
        m_pView->DeviceLink().StartIoWorker();
        ASSERT_TRUE(m_pView->IsConnected());
    }
    // The system items of the queued commands, in queue order.
    std::vector<int> QueuedSystemItems()
    {
        std::vector<int> items;
        CKTVCommand& queue = m_pView->m_command;
        while (std::shared_ptr<CSendData> head = queue.GetHead()) {
            const BYTE* frame = head->GetData();
            EXPECT_EQ(frame[4], FRAME_CLASS_WRITE);
            EXPECT_EQ(frame[7], BLOCK_SYSTEM);
            items.push_back(frame[8]);
            queue.RemoveHead();
        }
        return items;
    }

    CBrelinView* m_pView = nullptr;
};

TEST_F(MainViewTest, TheFormsControlsStandAtTheirDialogUnitRectangles)
{
    const QFont arial8 = DialogFont(QStringLiteral("Arial"), 8);
    struct Case {
        int id;
        CRect du;
        bool visible;
        bool enabled;
    };
    const Case cases[] = {
        {CBrelinView::IDC_MIXER, CRect(9, 20, 47, 32), true, true},
        {CBrelinView::IDC_LOCK, CRect(56, 20, 94, 32), true, true},
        {CBrelinView::IDC_LR_LINK, CRect(103, 20, 141, 32), true, true},
        {CBrelinView::IDC_RESET_MAP, CRect(150, 20, 189, 32), true, true},
        {CBrelinView::IDC_SWITCH31, CRect(259, 19, 314, 31), true, true},
        {CBrelinView::IDC_MINIMIZE, CRect(810, 3, 823, 13), true, true},
        {CBrelinView::IDC_EXIT, CRect(830, 3, 843, 13), true, true},
        {CBrelinView::IDC_PRESET_MENU, CRect(107, 3, 145, 15), true, true},
        {CBrelinView::IDC_SETTINGS_MENU, CRect(151, 3, 189, 15), true, true},
        {CBrelinView::IDC_CONNECT, CRect(796, 20, 834, 32), true, true},
        {CBrelinView::IDC_INPUT_SOURCE, CRect(401, 21, 454, 33), true, true},
        {CBrelinView::IDC_DYNAMICS, CRect(663, 71, 701, 83), false, true},
        {CBrelinView::IDC_REPORT, CRect(590, 72, 638, 89), false, true},
        {CBrelinView::IDC_MODE_GAIN_1, CRect(753, 56, 761, 64), false, true},
        // Hidden by the form, or by the language switch.
        {CBrelinView::IDC_PRESET_NAME, CRect(46, 2, 96, 13), false, false},
        {CBrelinView::IDC_PAGE_SWAP, CRect(311, 0, 339, 10), false, false},
        {CBrelinView::IDC_PRESET_NAME_EDIT, CRect(765, 19, 771, 31), false, true},
        {CBrelinView::IDC_MODE0, CRect(369, 0, 449, 14), false, true},
        {CBrelinView::IDC_MODE2, CRect(449, 0, 529, 14), false, true},
    };
    for (const Case& c : cases) {
        QWidget* control = m_pView->GetDlgItem(c.id);
        ASSERT_NE(control, nullptr) << c.id;
        const CRect px = MapDialogRect(c.du, arial8);
        EXPECT_EQ(CBrelinView::FormControlRect(c.id), px) << c.id;
        EXPECT_EQ(control->pos(), px.TopLeft()) << c.id;
        EXPECT_EQ(control->isVisible(), c.visible) << c.id;
        EXPECT_EQ(control->isEnabled(), c.enabled) << c.id;
    }
    // The page area the pages fill.
    EXPECT_EQ(CBrelinView::FormControlRect(CBrelinView::IDC_TAB), MapDialogRect(CRect(0, 37, 852, 292), arial8));
    EXPECT_EQ(m_pView->GetDlgItem(4242), nullptr);
}

TEST_F(MainViewTest, StripsPanelAndMixColumnsStandAtTheirPixels)
{
    for (int i = 0; i < OUTPUT_COUNT; ++i)
        EXPECT_EQ(m_pView->m_strips[i].geometry(), QRect(111 + 97 * i, 516, 91, 210)) << i;
    EXPECT_EQ(CRect::FromQRect(m_pView->m_strips[11].geometry()).right, 1269);
    EXPECT_EQ(m_pView->m_masterPanel.geometry(), QRect(6, 516, 94, 203));
    const int lefts[OUTPUT_COUNT] = {107, 205, 302, 400, 497, 595, 692, 790, 887, 985, 1082, 1179};
    for (int i = 0; i < OUTPUT_COUNT; ++i) {
        EXPECT_EQ(m_pView->MixColumnRect(i), CRect(lefts[i], 4, lefts[i] + 92, 445)) << i;
        EXPECT_EQ(m_pView->m_mixPage.m_Column[i].geometry(), QRect(lefts[i], 4, 92, 441)) << i;
    }
}

TEST_F(MainViewTest, TheLeastPagesGotWhatTheViewHandsThem)
{
    CKTV_Data* data = &g_theApp.GetDocument()->m_KTVData;
    for (int i = 0; i < OUTPUT_COUNT; ++i) {
        const COutRouteDlg& strip = m_pView->m_strips[i];
        EXPECT_EQ(strip.m_nChannel, i);
        EXPECT_EQ(strip.m_pOutput, data->GetOutput(i));
        EXPECT_EQ(strip.m_pOwner, m_pView);
        EXPECT_EQ(strip.m_nLinkMask, 1 << i);
        EXPECT_EQ(strip.LevelChannelBitmap(), 281u);
        EXPECT_EQ(strip.LevelThumbBitmap(), 358u);
        EXPECT_EQ(strip.LevelActiveThumbBitmap(), 280u);
        // Strip 0 shows the current output selected.
        EXPECT_EQ(strip.m_btnSelect.CurrentBitmapId(), UINT(i == g_nCurOutput ? 819 + 3 * i : 818 + 3 * i)) << i;
        EXPECT_EQ(strip.m_nBackWidth, 91);
    }
    const CGainDlg& panel = m_pView->m_masterPanel;
    EXPECT_EQ(panel.m_pView, m_pView);
    EXPECT_EQ(panel.m_pData, data);
    EXPECT_EQ(panel.DropListItems(), (QStringList{QStringLiteral("毫秒"), QStringLiteral("厘米"), QStringLiteral("英寸")}));
    EXPECT_EQ(panel.DropListSelection(), 0);
    EXPECT_EQ(panel.DropListBitmap(), 1148u);
    EXPECT_EQ(panel.SliderChannelBitmap(), 357u);
    EXPECT_EQ(panel.SliderThumbBitmap(), 358u);
    EXPECT_EQ(panel.SliderActiveThumbBitmap(), 282u);
    EXPECT_EQ(panel.SliderMin(), 0);
    EXPECT_EQ(panel.SliderMax(), 66);
    EXPECT_EQ(m_pView->m_outputPage.m_pView, m_pView);
    EXPECT_EQ(m_pView->m_outputPage.GetData(), data);
    // The pages share the page area.
    EXPECT_EQ(m_pView->m_tab.geometry(), CBrelinView::FormControlRect(CBrelinView::IDC_TAB).ToQRect());
    EXPECT_EQ(m_pView->m_outputPage.parentWidget(), &m_pView->m_tab);
    const QRect pageArea = m_pView->m_tab.rect();
    EXPECT_EQ(m_pView->m_outputPage.geometry(), pageArea);
    EXPECT_EQ(m_pView->m_mixPage.geometry(), pageArea);
    EXPECT_EQ(m_pView->m_lockCover.geometry(), pageArea);
    EXPECT_EQ(m_pView->m_mixPage.m_pView, m_pView);
    EXPECT_EQ(m_pView->m_mixPage.m_pData, data);
    for (int i = 0; i < OUTPUT_COUNT; ++i) {
        EXPECT_EQ(m_pView->m_mixPage.m_Column[i].m_nOutput, i);
        EXPECT_EQ(m_pView->m_mixPage.m_Column[i].m_pOutData, data->GetOutput(i));
    }
    EXPECT_FALSE(m_pView->m_mixPage.isVisible());
    EXPECT_FALSE(m_pView->m_lockCover.isVisible());
    EXPECT_EQ(m_pView->m_inputPage.m_pView, nullptr);
}

TEST_F(MainViewTest, TheBackgroundFollowsTheLanguageAndTheLock)
{
    const QColor colours[4] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
    m_pView->m_bmpBackChinese.fill(colours[0]);
    m_pView->m_bmpBackEnglish.fill(colours[1]);
    m_pView->m_bmpBackChineseLocked.fill(colours[2]);
    m_pView->m_bmpBackEnglishLocked.fill(colours[3]);
    struct Case {
        bool chinese;
        bool locked;
        QColor colour;
    };
    for (const Case& c : {Case{true, false, colours[0]}, Case{false, false, colours[1]},
                          Case{true, true, colours[2]}, Case{false, true, colours[3]}}) {
        g_bChinese = c.chinese;
        g_bDataLocked = c.locked;
        const QImage shown = Render(m_pView);
        // Between the page area and the strips below it.
        EXPECT_EQ(QColor(shown.pixel(640, 513)), c.colour) << c.chinese << c.locked;
    }
    g_bDataLocked = false;
}

TEST_F(MainViewTest, UiModesCheckTheirButtonsAndNeverReturnToTheOutputPage)
{
    // Mode 1 is the output page shown.
    EXPECT_EQ(g_nUiMode, 1);
    EXPECT_TRUE(m_pView->m_outputPage.isVisible());
    EXPECT_FALSE(m_pView->m_btnMode0.GetCheck());
    EXPECT_FALSE(m_pView->m_btnMode2.GetCheck());
    SendMessage(m_pView, WM_COMMAND, MAKEWPARAM(CBrelinView::IDC_MODE2, BN_CLICKED), 0);
    EXPECT_EQ(g_nUiMode, 2);
    EXPECT_TRUE(m_pView->m_btnMode2.GetCheck());
    EXPECT_FALSE(m_pView->m_outputPage.isVisible());
    SendMessage(m_pView, WM_COMMAND, MAKEWPARAM(CBrelinView::IDC_MODE0, BN_CLICKED), 0);
    EXPECT_EQ(g_nUiMode, 0);
    EXPECT_TRUE(m_pView->m_btnMode0.GetCheck());
    EXPECT_FALSE(m_pView->m_btnMode2.GetCheck());
    PostMessage(m_pView, WM_SELECT_UI_MODE2, 0, 0);
    m_pView->DeliverPosted();
    EXPECT_EQ(g_nUiMode, 2);
    EXPECT_FALSE(m_pView->m_btnMode0.GetCheck());
    EXPECT_TRUE(m_pView->m_btnMode2.GetCheck());
}

TEST_F(MainViewTest, TheInputSourceListMapsTypesBothWays)
{
    for (int type = 0; type < 4; ++type)
        EXPECT_EQ(CBrelinView::InputSourceType(CBrelinView::InputSourceItem(type)), type);
    EXPECT_EQ(CBrelinView::InputSourceItem(0), 2);
    EXPECT_EQ(CBrelinView::InputSourceItem(1), 0);
    EXPECT_EQ(CBrelinView::InputSourceItem(2), 3);
    EXPECT_EQ(CBrelinView::InputSourceItem(3), 1);
    // Input modes outside 0 to 3 select no item.
    for (int type : {-1, 4, 5, 255})
        EXPECT_EQ(CBrelinView::InputSourceItem(type), -1) << type;
}

TEST_F(MainViewTest, TheListShowsTheInputSourceAndAPickOfAnotherSendsIt)
{
    for (int type = 0; type < 4; ++type) {
        m_pView->SetInputSource(type, false);
        EXPECT_EQ(m_pView->m_btnInputSource.GetCurSel(), CBrelinView::InputSourceItem(type)) << type;
    }
    // An input mode outside 0 to 3 selects no item.
    m_pView->SetInputSource(5, false);
    EXPECT_EQ(m_pView->m_btnInputSource.GetCurSel(), -1);

    ConnectWithoutTransport();
    g_byInputMode = 1;
    m_pView->SetInputSource(1, false);
    // The item already selected: nothing is sent, nothing is held.
    PostMessage(m_pView, WM_COMBOBTN_SELCHANGE, CBrelinView::IDC_INPUT_SOURCE, 0);
    m_pView->DeliverPosted();
    EXPECT_EQ(m_pView->m_command.GetCount(), 0);
    EXPECT_FALSE(m_pView->IsHoldingStatus());
    // Item 3 (Bluetooth) is type 2.
    m_pView->m_btnInputSource.SetCurSel(3);
    PostMessage(m_pView, WM_COMBOBTN_SELCHANGE, CBrelinView::IDC_INPUT_SOURCE, 3);
    m_pView->DeliverPosted();
    EXPECT_EQ(g_byInputMode, 2);
    EXPECT_TRUE(m_pView->IsHoldingStatus());
    EXPECT_EQ(QueuedSystemItems(), (std::vector<int>{SYSTEM_ITEM_INPUT}));
    // Another control's notice is not the list's.
    m_pView->m_btnInputSource.SetCurSel(0);
    PostMessage(m_pView, WM_COMBOBTN_SELCHANGE, 2815, 0);
    m_pView->DeliverPosted();
    EXPECT_EQ(g_byInputMode, 2);
}

TEST_F(MainViewTest, TheConnectAndMenuButtonsShowTheirFacesByLanguageAndState)
{
    struct Case {
        bool chinese;
        bool connected;
        UINT connect;
        UINT presets;
        UINT settings;
    };
    for (const Case c : {Case{true, true, 8741, 8701, 8702}, Case{true, false, 8751, 8701, 8702},
                         Case{false, true, 8743, 8720, 8721}, Case{false, false, 8753, 8720, 8721}}) {
        g_bChinese = c.chinese;
        g_bDeviceSynced = c.connected;
        m_pView->ApplyLanguage();
        EXPECT_EQ(m_pView->m_btnConnect.CurrentBitmapId(), c.connect) << c.chinese << c.connected;
        EXPECT_EQ(m_pView->m_btnPresetMenu.CurrentBitmapId(), c.presets);
        EXPECT_EQ(m_pView->m_btnSettingsMenu.CurrentBitmapId(), c.settings);
        m_pView->ShowLinkState(!c.connected);
        EXPECT_NE(m_pView->m_btnConnect.CurrentBitmapId(), c.connect);
        m_pView->ShowLinkState(c.connected);
        EXPECT_EQ(m_pView->m_btnConnect.CurrentBitmapId(), c.connect);
    }
    g_bDeviceSynced = false;
    g_bChinese = false;
}

TEST_F(MainViewTest, SendingAnInputSourceQueuesItemFiveWhenPendingThenItemTwo)
{
    // Not connected: stored nothing, queued nothing.
    m_pView->SetInputSource(3, true);
    EXPECT_EQ(m_pView->m_command.GetCount(), 0);

    ConnectWithoutTransport();
    g_SystemBytes[12] = 1;
    m_pView->SetInputSource(2, true);
    EXPECT_EQ(g_byInputMode, 2);
    EXPECT_EQ(g_SystemBytes[12], 0);
    EXPECT_EQ(QueuedSystemItems(), (std::vector<int>{SYSTEM_ITEM_LEVEL, SYSTEM_ITEM_INPUT}));

    m_pView->SetInputSource(1, true);
    EXPECT_EQ(QueuedSystemItems(), (std::vector<int>{SYSTEM_ITEM_INPUT}));
    // Showing a source sends nothing.
    m_pView->SetInputSource(0, false);
    EXPECT_EQ(g_byInputMode, 1);
    EXPECT_EQ(m_pView->m_command.GetCount(), 0);
}

TEST_F(MainViewTest, TheMasterVolumeShowsTheByteOfTheInputModeAndTheMute)
{
    const int volumes[8] = {0, 0, 11, 12, 13, 14, 15, 16};
    for (int b = 2; b < 8; ++b)
        g_SystemBytes[b] = BYTE(volumes[b]);
    struct Case {
        int mode;
        int shown;
    };
    // Mode 4 keeps no volume: the panel keeps what it showed.
    for (const Case c : {Case{0, 11}, Case{1, 12}, Case{2, 13}, Case{3, 14}, Case{5, 16}, Case{4, 16}}) {
        g_byInputMode = BYTE(c.mode);
        m_pView->RefreshMasterVolume();
        EXPECT_EQ(m_pView->m_masterPanel.GetVolume(), c.shown) << c.mode;
    }
    g_byMasterOn = 0;
    m_pView->RefreshMasterVolume();
    EXPECT_TRUE(m_pView->m_masterPanel.m_btnMute.GetCheck());
    g_byMasterOn = 1;
    m_pView->RefreshMasterVolume();
    EXPECT_FALSE(m_pView->m_masterPanel.m_btnMute.GetCheck());
    g_byInputMode = 0;
}

TEST_F(MainViewTest, RefreshingTheStripsReadsTheOutputsAndBoundsTheLevelWord)
{
    CKTV_Data* data = &g_theApp.GetDocument()->m_KTVData;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        data->GetOutput(4)->SetGain(321);
        data->GetOutput(4)->SetDelay(481);
        data->GetOutput(4)->SetOn(0);
        data->GetOutput(4)->SetMixLevel(3, 77);
        data->GetOutput(4)->SetMixLevel(4, 0);
    }
    PutWord(g_SystemBytes + 8, 67);
    g_SystemBytes[31] = 1;
    m_pView->RefreshOutputStrips();
    COutRouteDlg& strip = m_pView->m_strips[4];
    EXPECT_EQ(strip.m_nLevel, 321);
    // Half the delay word, truncated.
    EXPECT_EQ(strip.m_spinDelay.GetPos(), 240);
    EXPECT_EQ(strip.m_bOn, 0);
    EXPECT_EQ(strip.m_abSource[2], 77);
    EXPECT_EQ(strip.m_abSource[3], 0);
    EXPECT_EQ(GetShort(g_SystemBytes + 8), 60);
    EXPECT_TRUE(m_pView->m_btnSwitch31.GetCheck());
    PutWord(g_SystemBytes + 8, 66);
    g_SystemBytes[31] = 0;
    m_pView->RefreshOutputStrips();
    EXPECT_EQ(GetShort(g_SystemBytes + 8), 66);
    EXPECT_FALSE(m_pView->m_btnSwitch31.GetCheck());
}

QString LiveName()
{
    ParameterSetGuard guard(g_ParameterSetLock);
    return FixedFieldToString(reinterpret_cast<const char*>(g_CurrentImage.bytes), PRESET_NAME_SIZE);
}

TEST_F(MainViewTest, APresetFileTitleIsCutInCharactersAndStoredAsAscii)
{
    struct Case {
        QString title;
        QString shown;
        QString stored;
    };
    const Case cases[] = {
        {QStringLiteral("Room"), QStringLiteral("Room"), QStringLiteral("Room")},
        {QStringLiteral("ABCDEFGHIJKLM"), QStringLiteral("ABCDEFGHIJKL"), QStringLiteral("ABCDEFGHIJKLM")},
        {QStringLiteral("ABCDEFGHIJKLMNOPQ"), QStringLiteral("ABCDEFGHIJKL"), QStringLiteral("ABCDEFGHIJKLM")},
        {QStringLiteral("客厅音乐会"), QStringLiteral("客厅音乐会"), QStringLiteral("Custom")},
        // Character 11 is not ASCII: character 12 stays.
        {QStringLiteral("ABCDEFGHIJK中XYZ"), QStringLiteral("ABCDEFGHIJK中X"), QStringLiteral("ABCDEFGHIJKX")},
        // Thirteen characters beyond the basic plane are thirteen, never
        // a split pair.
        {QString::fromUtf8("🎵🎵🎵🎵🎵🎵🎵🎵🎵🎵🎵🎵🎵🎵"), QString::fromUtf8("🎵🎵🎵🎵🎵🎵🎵🎵🎵🎵🎵🎵🎵"),
         QStringLiteral("Custom")},
    };
    for (const Case& c : cases) {
        g_bSendPresetName = false;
        m_pView->SetPresetNameFromFile(c.title);
        EXPECT_EQ(m_pView->m_editPresetName.text(), c.shown) << c.title.toStdString();
        EXPECT_EQ(m_pView->m_btnPresetName.text(), c.shown);
        EXPECT_TRUE(m_pView->m_btnPresetName.GetCheck());
        EXPECT_EQ(LiveName(), c.stored) << c.title.toStdString();
        EXPECT_TRUE(g_bSendPresetName);
        ParameterSetGuard guard(g_ParameterSetLock);
        EXPECT_EQ(g_strEmptyName, c.shown);
    }
    g_bSendPresetName = false;
}

TEST_F(MainViewTest, TheParameterTableShowsTheViewsSetThroughTheModalSeam)
{
    CKTV_Data* data = &g_theApp.GetDocument()->m_KTVData;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        data->GetOutput(2)->SetDelay(77);
    }
    QString delay;
    int rows = 0;
    const ModalDialogHook previous = SetModalDialogHook([&](QDialog& shown) {
        auto* table = qobject_cast<CDataViewDlg*>(&shown);
        if (table != nullptr && table->m_pData == data) {
            rows = table->m_list->GetItemCount();
            for (int r = 0; r < rows; ++r)
                if (table->m_list->GetItemText(r, 0) == QStringLiteral("Delay"))
                    delay = table->m_list->GetItemText(r, 9);
        }
        return int(QDialog::Rejected);
    });
    const int chinese = g_bChinese;
    g_bChinese = 0;
    m_pView->ShowParameterTable();
    g_bChinese = chinese;
    SetModalDialogHook(previous);
    EXPECT_GT(rows, 0);
    ParameterSetGuard guard(g_ParameterSetLock);
    EXPECT_EQ(delay, data->GetOutput(2)->FormatDelay());
    EXPECT_FALSE(delay.isEmpty());
}

TEST_F(MainViewTest, TheLivePresetNameReadsCustomInChinese)
{
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        StringToFixedField(reinterpret_cast<char*>(g_CurrentImage.bytes), PRESET_NAME_SIZE, g_strCustomName);
        g_byCurrentPreset = 0;
    }
    g_bChinese = true;
    m_pView->ShowLivePresetName();
    EXPECT_EQ(m_pView->m_btnPresetName.text(), QStringLiteral("自定义"));
    EXPECT_TRUE(m_pView->m_btnPresetName.GetCheck());
    g_bChinese = false;
    m_pView->ShowLivePresetName();
    EXPECT_EQ(m_pView->m_btnPresetName.text(), QStringLiteral("Custom"));
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        StringToFixedField(reinterpret_cast<char*>(g_CurrentImage.bytes), PRESET_NAME_SIZE, QString());
    }
    m_pView->ShowLivePresetName();
    EXPECT_FALSE(m_pView->m_btnPresetName.GetCheck());
    EXPECT_TRUE(m_pView->m_editPresetName.text().isEmpty());

    // The change scan renamed the live set while it tracked the name...
    g_bChinese = true;
    g_bTrackPresetName = true;
    PostMessage(m_pView, WM_PRESET_NAME_CHANGED, 0, 0);
    m_pView->DeliverPosted();
    EXPECT_EQ(m_pView->m_editPresetName.text(), QStringLiteral("自定义"));
    EXPECT_TRUE(m_pView->m_btnPresetName.GetCheck());
    EXPECT_TRUE(g_bSendPresetName);
    g_bSendPresetName = false;

    // ... but a preset load that stopped the tracking before the notice was
    // handled keeps the loaded preset and its name.
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        StringToFixedField(reinterpret_cast<char*>(g_CurrentImage.bytes), PRESET_NAME_SIZE, QStringLiteral("Party"));
        g_byCurrentPreset = 3;
    }
    m_pView->ShowLivePresetName();
    PostMessage(m_pView, WM_PRESET_NAME_CHANGED, 0, 0);
    g_bTrackPresetName = false;
    m_pView->DeliverPosted();
    EXPECT_EQ(m_pView->m_editPresetName.text(), QStringLiteral("Party"));
    EXPECT_FALSE(g_bSendPresetName);
    EXPECT_EQ(g_byCurrentPreset, 3);
    g_byCurrentPreset = 0;
    g_bChinese = false;
}

TEST_F(MainViewTest, EnterAndEscapeCloseNothingAndTabWalksNoControls)
{
    QApplication::setActiveWindow(Frame());
    QWidget* inStrip = &m_pView->m_strips[3].m_btnSelect;
    for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        inStrip->setFocusPolicy(Qt::StrongFocus);
        inStrip->setFocus();
        QTest::keyClick(inStrip, Qt::Key(key));
        EXPECT_TRUE(Frame()->isVisible()) << key;
        EXPECT_TRUE(m_pView->hasFocus()) << key;
    }
    m_pView->m_masterPanel.m_btnMute.setFocusPolicy(Qt::StrongFocus);
    m_pView->m_masterPanel.m_btnMute.setFocus();
    QTest::keyClick(&m_pView->m_masterPanel.m_btnMute, Qt::Key_Tab);
    EXPECT_TRUE(m_pView->m_masterPanel.m_btnMute.hasFocus());
    EXPECT_TRUE(Frame()->isVisible());
}

TEST_F(MainViewTest, DraggingTheBackgroundMovesTheWindowAndAControlDoesNot)
{
    Frame()->move(100, 80);
    const QPoint start(600, 470);
    SendMouse(m_pView, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    SendMouse(m_pView, QEvent::MouseMove, start + QPoint(30, 20), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(Frame()->pos(), QPoint(130, 100));
    SendMouse(m_pView, QEvent::MouseMove, start + QPoint(10, -5), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(Frame()->pos(), QPoint(140, 95));
    SendMouse(m_pView, QEvent::MouseButtonRelease, start, Qt::LeftButton, Qt::NoButton);
    SendMouse(m_pView, QEvent::MouseMove, start + QPoint(50, 50), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(Frame()->pos(), QPoint(140, 95));

    // A press on a control is the control's.
    QWidget* mixer = &m_pView->m_btnMixer;
    SendMouse(mixer, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
    SendMouse(m_pView, QEvent::MouseMove, start + QPoint(30, 20), Qt::NoButton, Qt::LeftButton);
    SendMouse(mixer, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(Frame()->pos(), QPoint(140, 95));
}

TEST_F(MainViewTest, SwitchingTheLanguageTwiceReturnsEverySkinAndText)
{
    struct Shown {
        UINT mixer, lock, link, remap, switch31;
        QString languageItem, loadItem, restoreItem, language;
        bool operator==(const Shown& o) const
        {
            return mixer == o.mixer && lock == o.lock && link == o.link && remap == o.remap &&
                   switch31 == o.switch31 && languageItem == o.languageItem && loadItem == o.loadItem &&
                   restoreItem == o.restoreItem && language == o.language;
        }
    };
    auto now = [&] {
        return Shown{m_pView->m_btnMixer.CurrentBitmapId(),
                     m_pView->m_btnLock.CurrentBitmapId(),
                     m_pView->m_btnLRLink.CurrentBitmapId(),
                     m_pView->m_btnResetMap.CurrentBitmapId(),
                     m_pView->m_btnSwitch31.CurrentBitmapId(),
                     FindMenuItem(m_pView->SettingsMenu(), ID_LANGUAGE)->text(),
                     FindMenuItem(m_pView->PresetsMenu(), ID_LOAD_MACHINE_PRESET)->text(),
                     FindMenuItem(m_pView->SettingsMenu(), ID_RESTORE_FACTORY)->text(),
                     g_strLanguage};
    };
    ASSERT_FALSE(g_bChinese);
    const Shown english = now();
    EXPECT_EQ(english.mixer, 1013u);
    EXPECT_EQ(english.lock, 1129u);
    EXPECT_EQ(english.languageItem, QStringLiteral("Chinese"));
    EXPECT_EQ(english.loadItem, QStringLiteral("Load Machine Preset(&E)"));
    EXPECT_EQ(english.restoreItem, QStringLiteral("Restore factory settings"));
    EXPECT_EQ(english.language, QStringLiteral("English"));

    m_pView->SwitchLanguage(true);
    EXPECT_TRUE(g_bChinese);
    const Shown chinese = now();
    EXPECT_EQ(chinese.mixer, 1011u);
    EXPECT_EQ(chinese.lock, 1125u);
    EXPECT_EQ(chinese.link, 1138u);
    EXPECT_EQ(chinese.remap, 4403u);
    EXPECT_EQ(chinese.switch31, 4310u);
    EXPECT_EQ(chinese.languageItem, QStringLiteral("English"));
    EXPECT_EQ(chinese.loadItem, QStringLiteral("加载 机器预置场景(&E)"));
    EXPECT_EQ(chinese.restoreItem, QStringLiteral("恢复出厂设置"));
    EXPECT_EQ(chinese.language, QStringLiteral("Chinese"));
    EXPECT_EQ(m_pView->m_strips[0].m_btnSpeakerType.text(), COutRouteDlg::SpeakerTypeText(6, true));

    m_pView->SwitchLanguage(true);
    EXPECT_FALSE(g_bChinese);
    EXPECT_TRUE(now() == english);
    EXPECT_EQ(m_pView->m_strips[0].m_btnSpeakerType.text(), QStringLiteral("FL-Full"));

    // On a Chinese system the item names Chinese in Chinese.
    g_theApp.m_systemLocale = QLocale(QLocale::Chinese, QLocale::China);
    m_pView->ApplyLanguage();
    EXPECT_EQ(FindMenuItem(m_pView->SettingsMenu(), ID_LANGUAGE)->text(), QStringLiteral("中文"));
}

TEST_F(MainViewTest, AStatusHoldEndsASecondAfterTheLastLocalChange)
{
    EXPECT_FALSE(m_pView->IsHoldingStatus());
    m_pView->HoldStatusUpdates();
    EXPECT_TRUE(m_pView->IsHoldingStatus());
    // Each change restarts the hold; it ends by itself.
    m_pView->HoldStatusUpdates();
    EXPECT_TRUE(m_pView->IsHoldingStatus());
    EXPECT_TRUE(WaitFor([&] { return !m_pView->IsHoldingStatus(); }, 10000));
}

TEST_F(MainViewTest, TheModeGainRowChangesOnlyWhenAnotherIsSelected)
{
    // The rows' buttons start checked and stay hidden.
    for (int row = 0; row < 4; ++row) {
        m_pView->ModeGainButton(row).SetCheck(true);
        EXPECT_FALSE(m_pView->ModeGainButton(row).isVisible());
        EXPECT_EQ(GetDlgCtrlID(&m_pView->ModeGainButton(row)), 2066 + row);
    }
    g_ModeGains[96] = 1;
    m_pView->SelectModeButton(1, true);
    EXPECT_EQ(g_ModeGains[96], 1);
    EXPECT_TRUE(m_pView->ModeGainButton(1).GetCheck());
    m_pView->SelectModeButton(3, true);
    EXPECT_EQ(g_ModeGains[96], 3);
    EXPECT_FALSE(m_pView->ModeGainButton(1).GetCheck());
    EXPECT_TRUE(m_pView->ModeGainButton(3).GetCheck());
    // Unchecking the selected row keeps its number.
    m_pView->SelectModeButton(0, false);
    EXPECT_EQ(g_ModeGains[96], 3);
    EXPECT_FALSE(m_pView->ModeGainButton(3).GetCheck());
    EXPECT_TRUE(m_pView->ModeGainButton(0).GetCheck());
}

TEST(OutRouteDlgTest, SpeakerTypeCaptionsShowOneAmpersand)
{
    EXPECT_EQ(COutRouteDlg::SpeakerTypeText(4, false), QStringLiteral("FL-M & T"));
    EXPECT_EQ(COutRouteDlg::SpeakerTypeText(11, false), QStringLiteral("FR-M & WF"));
    EXPECT_EQ(COutRouteDlg::SpeakerTypeText(24, true), QStringLiteral("超低频"));
    EXPECT_EQ(COutRouteDlg::SpeakerTypeText(0, false), QStringLiteral("NULL"));
}

}  // namespace
