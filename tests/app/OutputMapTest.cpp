// The output page's speaker positions and output map through the whole
// program: the position buttons, the map's reset, its file and its lock,
// with the model, the command queue and the page's controls as oracles.
#include <gtest/gtest.h>

#include <QFile>
#include <QTest>

#include "controls/DropListBox.h"
#include "model/Filter.h"
#include "model/LinkState.h"
#include "model/SharedTexts.h"
#include "model/WindowMessages.h"
#include "platform/core/Language.h"
#include "tests/app/OutputPageViewFixture.h"

namespace {

const char* const kDefaultItem6 = "82 82 82 EE A1 01 00 09 06 00 00 00 08 00 06 0C 0F 12 00 00 00 00 B0 AA";
const char* const kDefaultItem7 = "82 82 82 EE A1 01 00 09 07 00 00 00 08 00 00 00 16 17 00 00 00 00 A7 AA";
const char* const kEmptyItem6 = "82 82 82 EE A1 01 00 09 06 00 00 00 08 00 00 00 00 00 00 00 00 00 A7 AA";
const char* const kEmptyItem7 = "82 82 82 EE A1 01 00 09 07 00 00 00 08 00 00 00 00 00 00 00 00 00 A6 AA";

// The default map's buttons, output 0 current.
const std::vector<OutputPageViewTest::ShownButton> kDefaultButtons = {
    {6, 0, true}, {12, 1, false}, {15, 2, false}, {18, 3, false}, {22, 10, false}, {23, 11, false}};

// The mix level of each source row a speaker position gives (odd rows the
// left sources).
int DefaultMixLevel(int code, int row)
{
    const bool odd = row % 2 == 1;
    if (code == 0)
        return 0;
    if (code <= 6 || (code >= 13 && code <= 15) || code == 22)
        return odd ? 100 : 0;
    if (code <= 12 || (code >= 16 && code <= 18) || code == 23)
        return odd ? 0 : 100;
    return 100;
}

class SpeakerButtonTest : public OutputPageViewTest {};
class OutputMapResetTest : public OutputPageViewTest {};
class OutputMapFileTest : public OutputPageViewTest {};
class OutputMapLockTest : public OutputPageViewTest {};

TEST_F(SpeakerButtonTest, DefaultShowsItsButtonsAndAClickMakesItsOutputCurrentOnThePageAlone)
{
    Reset(MapAnswer::Default);
    EXPECT_EQ(ShownButtons(), kDefaultButtons);
    COutRouteDlg* strip0 = View()->OutputStrip(0);
    ASSERT_TRUE(strip0->m_btnSelect.GetCheck());

    // The current output's own button: nothing.
    QTest::mouseClick(Page().SpeakerButton(6), Qt::LeftButton);
    EXPECT_EQ(g_nCurOutput, 0);

    QTest::mouseClick(Page().SpeakerButton(22), Qt::LeftButton);
    EXPECT_EQ(g_nCurOutput, 10);
    EXPECT_EQ(Page().m_nSpeakerSel, 10);
    EXPECT_FALSE(Page().SpeakerButton(6)->GetCheck());
    EXPECT_TRUE(Page().SpeakerButton(22)->GetCheck());
    // The strips are not told.
    EXPECT_TRUE(strip0->m_btnSelect.GetCheck());
    EXPECT_FALSE(View()->OutputStrip(10)->m_btnSelect.GetCheck());
    EXPECT_TRUE(DrainQueue().empty());
}

TEST_F(OutputMapResetTest, AnswersConnectionAndLockDecideWhatChangesAndWhatIsQueued)
{
    struct Case {
        const char* name;
        MapAnswer answer;
        bool connected;
        bool locked;
    };
    const Case cases[] = {
        {"Default, connected", MapAnswer::Default, true, false},
        {"Default, connected, locked", MapAnswer::Default, true, true},
        {"Emptied, connected", MapAnswer::Emptied, true, false},
        {"Emptied, disconnected, locked", MapAnswer::Emptied, false, true},
        {"Default, disconnected", MapAnswer::Default, false, false},
        {"Cancel, connected, locked", MapAnswer::Cancel, true, true},
    };
    ConnectWithoutDevice();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // A start that differs from both outcomes: output 4 on a rear
        // position, output 0 current, every crossover moved, linked.
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            ResetSpeakerPositions();
            const BYTE start[OUTPUT_COUNT] = {6, 12, 0, 0, 13, 0, 0, 0, 0, 0, 0, 24};
            for (int i = 0; i < OUTPUT_COUNT; ++i) {
                g_byOutputPosition[i] = start[i];
                g_OutputMap[i] = start[i];
                TakeSpeakerPosition(start[i], 0);
                Output(i)->GetHighPass()->SetFrequency(1234, true);
            }
        }
        // The old map's buttons shown: none of them may stay.
        Page().ClearSpeakerButtons();
        for (int i = 0; i < OUTPUT_COUNT; ++i)
            Page().PlaceSpeakerButton(g_byOutputPosition[i], i == 0, i);
        g_nCurOutput = 0;
        g_bOutputMapLocked = c.locked;
        Page().ShowMapLockToggles(c.locked);
        g_nLinkGroup[1] = 0;
        g_bOutputLinkOn = true;
        for (int i = 0; i < OUTPUT_COUNT; ++i)
            View()->OutputStrip(i)->SetSelected(i < 2);
        if (!c.connected)
            View()->DeviceLink().Disconnect();
        const std::vector<BYTE> before = Positions();
        DrainQueue();

        Reset(c.answer);
        const std::vector<QueuedFrame> frames = DrainQueue();

        if (c.answer == MapAnswer::Cancel) {
            EXPECT_EQ(Positions(), before);
            EXPECT_TRUE(frames.empty());
            EXPECT_TRUE(g_bOutputMapLocked);
            EXPECT_TRUE(g_bOutputLinkOn);
            continue;
        }
        const bool empty = c.answer == MapAnswer::Emptied;
        std::vector<BYTE> expected(kDefaultMap, kDefaultMap + OUTPUT_COUNT);
        if (empty)
            expected.assign(OUTPUT_COUNT, 0);
        EXPECT_EQ(Positions(), expected);
        EXPECT_EQ(Map(), expected);
        for (int i = 0; i < OUTPUT_COUNT; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(Output(i)->GetSpeakerPosition(), expected[size_t(i)]);
            EXPECT_EQ(Crossover(i), DefaultCrossover(expected[size_t(i)]));
            EXPECT_EQ(View()->OutputStrip(i)->m_btnSpeakerType.text(),
                      COutRouteDlg::SpeakerTypeText(expected[size_t(i)], g_bChinese));
            for (int row = 1; row <= MIX_SOURCE_COUNT; ++row)
                EXPECT_EQ(Output(i)->GetMixLevel(row), DefaultMixLevel(expected[size_t(i)], row)) << row;
            // The current output's strip alone is selected.
            EXPECT_EQ(View()->OutputStrip(i)->m_btnSelect.GetCheck(), i == 0);
            EXPECT_TRUE(View()->OutputStrip(i)->m_btnSpeakerType.isEnabled());
            EXPECT_EQ(g_nLinkGroup[i], c.locked ? i : (i == 1 ? 0 : i));
        }
        EXPECT_EQ(ShownButtons(), empty ? std::vector<ShownButton>{} : kDefaultButtons);
        EXPECT_FALSE(g_bOutputMapLocked);
        EXPECT_FALSE(Page().m_btnMapLock.GetCheck());
        EXPECT_FALSE(Page().m_dlgDelay.m_btnLock.GetCheck());
        // Unlocking cancels every link; a reset of an unlocked map leaves them.
        EXPECT_EQ(g_bOutputLinkOn, !c.locked);

        if (!c.connected) {
            EXPECT_TRUE(frames.empty());
            ConnectWithoutDevice();
            continue;
        }
        const size_t each = 2 + OUTPUT_COUNT;
        ASSERT_EQ(frames.size(), empty ? 2 * each : each);
        ExpectAssignment(frames, 0, empty ? kEmptyItem6 : kDefaultItem6, empty ? kEmptyItem7 : kDefaultItem7);
        if (empty)
            ExpectAssignment(frames, each, kEmptyItem6, kEmptyItem7);
    }
    EXPECT_EQ(m_nRemapRuns, 6);
}

TEST_F(OutputMapResetTest, TheChangeScanSendsTheNewMixLevels)
{
    ConnectWithoutDevice();
    g_bDeviceSynced = true;
    Data()->ClearChangeFlags(false);
    Reset(MapAnswer::Emptied);
    DrainQueue();
    // Output 0 was front left full range: its left sources go to 0.
    bool mixRecord = false;
    for (int n = 0; n < 400; ++n) {
        std::unique_ptr<CSendData> item = Data()->NextChangedItem();
        const BYTE* bytes = item->GetData();
        if (bytes[FRAME_BLOCK_BYTE] == BLOCK_OUTPUT && bytes[FRAME_ITEM_BYTE] == 0 &&
            bytes[FRAME_RECORD_BYTE] == 33) {
            mixRecord = true;
            for (int k = 0; k < 8; ++k)
                EXPECT_EQ(bytes[FRAME_HEADER_SIZE + k], 0) << k;
            break;
        }
    }
    EXPECT_TRUE(mixRecord);
}

TEST_F(OutputMapResetTest, TheCrossoverSelectorsFollowTheCurrentOutputsFilters)
{
    for (bool chinese : {false, true}) {
        SCOPED_TRACE(chinese);
        g_bChinese = chinese;
        for (int slope : {0, 3}) {
            {
                ParameterSetGuard guard(g_ParameterSetLock);
                Output(0)->GetHighPass()->SetSlope(slope, true);
                Output(0)->GetLowPass()->SetSlope(slope == 0 ? 3 : 0, true);
            }
            Page().RefreshCrossover();
            EXPECT_EQ(Page().m_cbHpfFamily.isHidden(), slope == 0);
            EXPECT_EQ(Page().m_cbLpfFamily.isHidden(), slope != 0);
            EXPECT_EQ(Page().m_cbHpfSlope.GetCurSel(), slope);
            CDropListBox* list = Page().m_cbHpfSlope.List();
            ASSERT_NE(list, nullptr);
            ASSERT_EQ(list->count(), 9);
            EXPECT_EQ(list->item(0)->text(), QStringLiteral("6dB/Oct"));
            EXPECT_EQ(list->item(8)->text(), chinese ? QStringLiteral("关闭") : QStringLiteral("OFF"));
        }
    }
    g_bChinese = false;
}

TEST_F(OutputMapFileTest, SavedMapComesBackWithItsCrossoversAndIsSent)
{
    ConnectWithoutDevice();
    Reset(MapAnswer::Default);
    // Output 10's crossover as the user left it.
    Output(10)->GetLowPass()->SetFrequency(95, true);
    const std::vector<BYTE> saved10 = Crossover(10);
    const QString path = FilePath(QStringLiteral("room.qzvc"));
    AnswerFileDialog(path);
    Page().WindowProc(WM_COMMAND, MAKEWPARAM(COutputDlg::IDC_MAP_SAVE, BN_CLICKED), 0);
    ASSERT_TRUE(QFile::exists(path));

    Reset(MapAnswer::Emptied);
    DrainQueue();
    // A button of a position the file does not hold goes.
    Page().PlaceSpeakerButton(13, false, 4);
    AnswerFileDialog(path);
    Page().WindowProc(WM_COMMAND, MAKEWPARAM(COutputDlg::IDC_MAP_READ, BN_CLICKED), 0);

    const std::vector<BYTE> expected(kDefaultMap, kDefaultMap + OUTPUT_COUNT);
    EXPECT_EQ(Positions(), expected);
    EXPECT_EQ(Map(), expected);
    EXPECT_EQ(Crossover(10), saved10);
    EXPECT_EQ(Output(3)->GetSpeakerPosition(), 18);
    EXPECT_EQ(ShownButtons(), kDefaultButtons);
    const std::vector<QueuedFrame> frames = DrainQueue();
    ASSERT_EQ(frames.size(), size_t(2 + OUTPUT_COUNT));
    ExpectAssignment(frames, 0, kDefaultItem6, kDefaultItem7);
}

TEST_F(OutputMapFileTest, ABadFileIsRefusedWithItsMessageAndChangesNothing)
{
    ConnectWithoutDevice();
    Reset(MapAnswer::Default);
    const QString good = FilePath(QStringLiteral("good.qzvc"));
    AnswerFileDialog(good);
    Page().OnSaveOutputMap();
    QFile file(good);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.close();
    Reset(MapAnswer::Emptied);

    struct Case {
        const char* name;
        QByteArray content;
        bool chinese;
    };
    QByteArray foreign = bytes;
    foreign[0] = char(foreign[0] ^ 0x20);
    const Case cases[] = {
        {"empty", QByteArray(), false},
        {"one byte short", bytes.left(bytes.size() - 1), true},
        {"foreign header", foreign, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_bChinese = c.chinese;
        const QString path = FilePath(QString::fromLatin1(c.name) + QStringLiteral(".qzvc"));
        QFile bad(path);
        ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
        bad.write(c.content);
        bad.close();
        DrainQueue();
        CMessageBoxSpy spy;
        AnswerFileDialog(path);
        Page().OnReadOutputMap();
        ASSERT_EQ(spy.shown.size(), 1u);
        EXPECT_EQ(spy.shown[0].text, c.chinese ? QStringLiteral("读输出配置错误!") : QStringLiteral("Read output map error!"));
        EXPECT_EQ(Positions(), std::vector<BYTE>(OUTPUT_COUNT, 0));
        EXPECT_EQ(Map(), std::vector<BYTE>(OUTPUT_COUNT, 0));
        EXPECT_TRUE(DrainQueue().empty());
    }
    g_bChinese = false;
}

TEST_F(OutputMapFileTest, AnUnknownCodeIsKeptAsReadWithoutAButton)
{
    Reset(MapAnswer::Default);
    g_OutputMap[5] = 25;
    const QString path = FilePath(QStringLiteral("odd.qzvc"));
    AnswerFileDialog(path);
    Page().OnSaveOutputMap();
    Reset(MapAnswer::Emptied);
    AnswerFileDialog(path);
    Page().OnReadOutputMap();
    EXPECT_EQ(g_byOutputPosition[5], 25);
    EXPECT_EQ(g_OutputMap[5], 25);
    EXPECT_EQ(ShownButtons(), kDefaultButtons);
}

TEST_F(OutputMapFileTest, ACancelledFileDialogChangesNothing)
{
    ConnectWithoutDevice();
    Reset(MapAnswer::Emptied);
    DrainQueue();
    g_bOutputMapLocked = true;
    AnswerFileDialog(QString());
    Page().OnReadOutputMap();
    EXPECT_EQ(Positions(), std::vector<BYTE>(OUTPUT_COUNT, 0));
    EXPECT_TRUE(DrainQueue().empty());
    EXPECT_TRUE(g_bOutputMapLocked);
    Page().OnSaveOutputMap();
    EXPECT_EQ(m_requests.size(), 2u);
}

TEST_F(OutputMapLockTest, OnlyYesChangesTheLockAndAnEmptyMapIsRefused)
{
    enum Map { DEFAULT, NONE, OUTPUTS_9_TO_12, CURRENT_EMPTY };
    struct Case {
        const char* name;
        Map map;
        bool locked;
        int answer;
        bool result;
        bool lockedAfter;
        const char* message;  // the last box shown
        int posted;           // WM_STRIP_SELECT's output, -1 none
    };
    const Case cases[] = {
        {"lock, Yes", DEFAULT, false, IDYES, true, true, "Whether locking output map?", -1},
        {"lock, No", DEFAULT, false, IDNO, false, false, "Whether locking output map?", -1},
        {"lock, OK from a held box", DEFAULT, false, IDOK, false, false, "Whether locking output map?", -1},
        {"unlock, Yes", DEFAULT, true, IDYES, true, false, "Whether unlocked output map?", -1},
        {"unlock, No", DEFAULT, true, IDNO, false, true, "Whether unlocked output map?", -1},
        {"unlock, OK from a held box", DEFAULT, true, IDOK, false, true, "Whether unlocked output map?", -1},
        {"lock, nothing positioned", NONE, false, IDYES, false, false,
         "All output map is empty, the output map could not be locked.", -1},
        {"lock, outputs 9-12 only", OUTPUTS_9_TO_12, false, IDYES, false, false,
         "All output map is empty, the output map could not be locked.", -1},
        {"lock, current output empty", CURRENT_EMPTY, false, IDYES, true, true, "Whether locking output map?", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            for (int i = 0; i < OUTPUT_COUNT; ++i) {
                BYTE code = kDefaultMap[i];
                if (c.map == NONE || (c.map == OUTPUTS_9_TO_12 && i < 8) || (c.map == CURRENT_EMPTY && i < 2))
                    code = 0;
                g_byOutputPosition[i] = code;
            }
        }
        g_nCurOutput = 0;
        g_bOutputMapLocked = c.locked;
        Page().ShowMapLockToggles(c.locked);
        g_nLinkGroup[3] = 2;
        g_bOutputLinkOn = true;
        for (int i = 0; i < OUTPUT_COUNT; ++i)
            View()->OutputStrip(i)->m_btnSpeakerType.setEnabled(!c.locked);
        std::vector<WPARAM> posted;
        View()->SetMessageObserver([&posted](UINT message) {
            if (message == WM_STRIP_SELECT)
                posted.push_back(WPARAM(g_nCurOutput));
        });

        CMessageBoxSpy spy(c.answer);
        EXPECT_EQ(Page().ToggleOutputMapLock(), c.result);
        View()->DeliverPosted();
        View()->SetMessageObserver(nullptr);

        ASSERT_FALSE(spy.shown.empty());
        EXPECT_EQ(spy.shown.back().text, QString::fromLatin1(c.message));
        EXPECT_EQ(spy.shown.back().helpId, -3);
        EXPECT_EQ(bool(g_bOutputMapLocked), c.lockedAfter);
        EXPECT_EQ(Page().m_btnMapLock.GetCheck(), c.lockedAfter);
        EXPECT_EQ(Page().m_dlgDelay.m_btnLock.GetCheck(), c.lockedAfter);
        for (int i = 0; i < OUTPUT_COUNT; ++i)
            EXPECT_EQ(View()->OutputStrip(i)->m_btnSpeakerType.isEnabled(), !c.lockedAfter) << i;
        // Unlocking cancels every link.
        const bool unlocked = c.locked && !c.lockedAfter;
        EXPECT_EQ(g_bOutputLinkOn, !unlocked);
        EXPECT_EQ(g_nLinkGroup[3], unlocked ? 3 : 2);
        EXPECT_EQ(posted.size(), c.posted < 0 ? 0u : 1u);
        g_nLinkGroup[3] = 3;
    }
}

TEST_F(OutputMapLockTest, AfterAFileALockedMapKeepsAPositionedOutputCurrentOrIsUnlocked)
{
    struct Case {
        const char* name;
        bool locked;
        int current;
        bool anyOf1To8;
        int currentAfter;
        bool lockedAfter;
    };
    const Case cases[] = {
        {"unlocked", false, 5, true, 5, false},
        {"locked, current positioned", true, 1, true, 1, true},
        {"locked, current empty", true, 5, true, 0, true},
        {"locked, outputs 1-8 empty", true, 5, false, 5, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            for (int i = 0; i < OUTPUT_COUNT; ++i)
                g_byOutputPosition[i] = (!c.anyOf1To8 && i < 8) ? 0 : kDefaultMap[i];
        }
        g_nCurOutput = c.current;
        g_bOutputMapLocked = c.locked;
        Page().ShowMapLockToggles(c.locked);
        Page().RecheckOutputMapLock();
        EXPECT_EQ(g_nCurOutput, c.currentAfter);
        EXPECT_EQ(bool(g_bOutputMapLocked), c.lockedAfter);
        EXPECT_EQ(Page().m_btnMapLock.GetCheck(), c.lockedAfter);
    }
}

}  // namespace
