// The user panel over the real view: its pages, the preset buttons with and
// without a link, the received-preset and lost-link messages, the language
// switch, the connect button, the close button and the advanced entry.
#include <QPointer>
#include <QTest>

#include "app/DisplayDlg.h"
#include "link/LinkDisplays.h"

#include "model/WorkingStrings.h"
#include "pages/input/AddSet_Dlg.h"
#include "pages/input/Add_PW_Dlg.h"
#include "platform/core/Language.h"
#include "platform/gui/ModalDialog.h"
#include "tests/pages/input/DialogTestSupport.h"

namespace {

class AddSetDlgTest : public DialogAppTest {
protected:
    void SetUp() override
    {
        DialogAppTest::SetUp();
        m_panel.Create();
        m_panel.show();
        QCoreApplication::processEvents();
    }
    void TearDown() override
    {
        SetModalDialogHook(nullptr);
        DialogAppTest::TearDown();
    }
    void Command(int id) { SendMessage(&m_panel, WM_COMMAND, MAKEWPARAM(UINT(id), 0), 0); }
    int LitPresets()
    {
        int lit = 0;
        for (int n = 1; n <= CAddSet_Dlg::PRESET_BUTTONS; ++n)
            lit += m_panel.PresetButton(n).GetCheck() ? 1 : 0;
        return lit;
    }
    CAddSet_Dlg m_panel;
};

TEST_F(AddSetDlgTest, PagesShowTheirButtons)
{
    struct Page {
        int page;
        bool presets, back, advanced, presetsPage, language;
    };
    const Page pages[] = {{0, false, false, true, true, true}, {1, true, true, false, false, false}};
    EXPECT_EQ(m_panel.Page(), 0);
    EXPECT_EQ(m_panel.size(), QSize(421, 632));
    for (const Page& p : pages) {
        SCOPED_TRACE(p.page);
        Command(p.page == 0 ? CAddSet_Dlg::IDC_BACK : CAddSet_Dlg::IDC_PRESETS_PAGE);
        EXPECT_EQ(m_panel.Page(), p.page);
        for (int n = 1; n <= 6; ++n)
            EXPECT_EQ(m_panel.PresetButton(n).isVisible(), p.presets) << n;
        for (int n = 7; n <= 10; ++n)
            EXPECT_FALSE(m_panel.PresetButton(n).isVisible()) << n;
        EXPECT_EQ(m_panel.m_btnBack.isVisible(), p.back);
        EXPECT_EQ(m_panel.m_btnAdvanced.isVisible(), p.advanced);
        EXPECT_EQ(m_panel.m_btnPresetsPage.isVisible(), p.presetsPage);
        EXPECT_EQ(m_panel.m_btnLanguage.isVisible(), p.language);
    }
}

TEST_F(AddSetDlgTest, PresetsRecallTheirSlotWhileConnectedAndSayWhyNotOtherwise)
{
    Command(CAddSet_Dlg::IDC_PRESETS_PAGE);
    Command(CAddSet_Dlg::IDC_PRESET_1 + 2);
    ASSERT_EQ(m_boxes.shown.size(), 1u);
    EXPECT_EQ(m_boxes.shown[0].text, QStringLiteral("Connection failure!"));
    EXPECT_EQ(LitPresets(), 0);
    EXPECT_TRUE(TakeQueued().empty());

    ConnectWithoutTransport();
    Command(CAddSet_Dlg::IDC_PRESET_1 + 2);
    EXPECT_TRUE(m_panel.PresetButton(3).GetCheck());
    EXPECT_EQ(m_panel.m_nCurPreset, 2);
    EXPECT_EQ(g_byCurrentPreset, 3);
    const auto queued = TakeQueued();
    ASSERT_FALSE(queued.empty());
    bool slotThree = false;
    for (const auto& frame : queued)
        slotThree = slotThree || (frame.size() > 6 && frame[6] == 3);
    EXPECT_TRUE(slotThree);
    // Presets 7 to 10, which the device lacks, do nothing at all.
    g_bDeviceSynced = true;
    for (int n = 7; n <= 10; ++n)
        Command(CAddSet_Dlg::IDC_PRESET_1 + n - 1);
    EXPECT_TRUE(g_bDeviceSynced);
    EXPECT_TRUE(TakeQueued().empty());
    EXPECT_EQ(LitPresets(), 1);

    // A received preset lights its button; 0 and 11 change nothing; a lost
    // link unlights it.
    for (WPARAM n : {WPARAM(5), WPARAM(0), WPARAM(11)}) {
        PostMessage(&m_panel, WM_PRESET_RECEIVED, n, 0);
        m_panel.DeliverPosted();
    }
    EXPECT_TRUE(m_panel.PresetButton(5).GetCheck());
    EXPECT_EQ(LitPresets(), 1);
    m_panel.m_btnConnect.SetCheck(true);
    PostMessage(&m_panel, WM_LINK_FAILED, 0, 0);
    m_panel.DeliverPosted();
    EXPECT_EQ(LitPresets(), 0);
    EXPECT_FALSE(m_panel.m_btnConnect.GetCheck());
}

TEST_F(AddSetDlgTest, TheLanguageButtonSwitchesTheWholeProgram)
{
    EXPECT_FALSE(m_panel.m_btnLanguage.GetCheck());
    const UINT preset5 = m_panel.PresetButton(5).CurrentBitmapId();
    Command(CAddSet_Dlg::IDC_LANGUAGE);
    EXPECT_TRUE(g_bChinese);
    EXPECT_TRUE(m_panel.m_btnLanguage.GetCheck());
    EXPECT_EQ(m_panel.m_btnConnect.CurrentBitmapId(), 884u);
    EXPECT_EQ(m_panel.m_btnAdvanced.CurrentBitmapId(), 924u);
    EXPECT_EQ(m_panel.PresetButton(1).CurrentBitmapId(), 896u);
    EXPECT_EQ(m_panel.PresetButton(5).CurrentBitmapId(), preset5);
    EXPECT_EQ(m_pView->m_masterPanel.BackgroundBitmap(), 739u);
    Command(CAddSet_Dlg::IDC_LANGUAGE);
    EXPECT_FALSE(g_bChinese);
    EXPECT_EQ(m_panel.m_btnConnect.CurrentBitmapId(), 890u);
    EXPECT_EQ(m_panel.PresetButton(1).CurrentBitmapId(), 916u);
}

TEST_F(AddSetDlgTest, TheConnectButtonShowsWhatTheViewReports)
{
    // Connected: the view's own button action disconnects.
    ConnectWithoutTransport();
    m_panel.m_btnConnect.SetCheck(true);
    m_panel.PresetButton(2).SetCheck(true);
    m_panel.m_nCurPreset = 1;
    Command(CAddSet_Dlg::IDC_CONNECT);
    EXPECT_FALSE(m_pView->IsConnected());
    EXPECT_FALSE(m_panel.m_btnConnect.GetCheck());
    EXPECT_EQ(LitPresets(), 0);
}

TEST_F(AddSetDlgTest, CloseWaitsForATransferAndTheAdvancedEntryNeedsThePassword)
{
    QPointer<CDisplayDlg> popup = g_pDisplayDlg;
    ASSERT_FALSE(popup.isNull());
    g_bTransferBusy = true;
    Command(CAddSet_Dlg::IDC_CLOSE);
    EXPECT_TRUE(m_panel.isVisible());
    EXPECT_EQ(g_pDisplayDlg, popup.data());
    g_bTransferBusy = false;

    // Refused: the panel stays as it was.
    SetModalDialogHook([](QDialog& dialog) {
        auto& prompt = dynamic_cast<CAdd_PW_Dlg&>(dialog);
        prompt.m_editPassword.setText(QStringLiteral("KQ3175"));
        prompt.OnOK();
        return prompt.result();
    });
    Command(CAddSet_Dlg::IDC_ADVANCED);
    EXPECT_TRUE(m_panel.isVisible());
    EXPECT_EQ(m_panel.m_bAdvancedRequested, 0);
    // Accepted: the panel ends with IDOK and the request.
    SetModalDialogHook([](QDialog& dialog) {
        auto& prompt = dynamic_cast<CAdd_PW_Dlg&>(dialog);
        prompt.m_editPassword.setText(g_strAdvPassword);
        prompt.OnOK();
        return prompt.result();
    });
    Command(CAddSet_Dlg::IDC_ADVANCED);
    EXPECT_EQ(m_panel.m_bAdvancedRequested, 1);
    EXPECT_EQ(m_panel.result(), int(IDOK));
    EXPECT_FALSE(m_panel.isVisible());

    // Escape and Enter close nothing; the close button ends it.
    m_panel.show();
    QTest::keyClick(&m_panel, Qt::Key_Escape);
    QTest::keyClick(&m_panel, Qt::Key_Return);
    EXPECT_TRUE(m_panel.isVisible());
    Command(CAddSet_Dlg::IDC_CLOSE);
    EXPECT_FALSE(m_panel.isVisible());
    EXPECT_EQ(m_panel.result(), int(IDCANCEL));

    // The popup was discarded for a new hidden one, which the bar's slot
    // and the link's hooks reach.
    EXPECT_TRUE(popup.isNull());
    ASSERT_NE(g_pDisplayDlg, nullptr);
    EXPECT_FALSE(g_pDisplayDlg->IsShown());
    EXPECT_EQ(g_pTransferProgress.Get(), g_pDisplayDlg->Progress().Display());
    ConnectWithoutTransport();
    m_pView->QueueCommand(65, 0);
    EXPECT_TRUE(g_pDisplayDlg->IsShown());
    EXPECT_TRUE(g_pDisplayDlg->IsFactoryMode());
    g_pDisplayDlg->HidePopup();
}

}  // namespace
