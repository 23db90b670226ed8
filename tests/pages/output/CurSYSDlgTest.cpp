// The output dynamics dialog: its controls by id and their set-up, the
// values it opens with, the row handlers with the bounds between limiter
// and compressor, the linked rows, the noise gate, the input selection,
// the keys and the close box, and a drag on a graph without a threshold
// pair. Oracles: the model, the frames the change scan yields, pixels.
#include <gtest/gtest.h>

#include <memory>

#include <QCloseEvent>
#include <QTest>

#include "graphs/NumEditValue.h"
#include "model/ChannelColors.h"
#include "model/KTV_OutData.h"
#include "model/Music_InData.h"
#include "pages/output/CurSYSDlg.h"
#include "platform/core/Language.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/WindowAttributes.h"
#include "tests/common/MessageBoxSpy.h"
#include "tests/common/gui/LineEditInput.h"
#include "tests/pages/output/DynamicsDialogTestSupport.h"

namespace {

class CurSYSDlgTest : public ::testing::Test {
protected:
    void SetUp() override { Restart(); }
    // A new set and a new dialog on it.
    void Restart()
    {
        dialog.reset();
        // A set built while synced would send its bands' frequencies.
        ResetParameterSetState();
        data = std::make_unique<CKTV_Data>();
        PrepareSyncedCustomSet(*data);
        dialog = std::make_unique<CCurSYSDlg>();
        dialog->m_pData = data.get();
    }
    void TearDown() override
    {
        dialog.reset();
        data.reset();
        g_bChinese = false;
        ResetParameterSetState();
    }

    void Open()
    {
        dialog->OnInitDialog();
        ShowDialogActive(*dialog);
    }

    // Types text into a field and commits it with Enter.
    void TypeInto(CNumEdit& field, const QString& text)
    {
        FocusByTab(field);
        TypeText(field, text);
        QTest::keyClick(&field, Qt::Key_Return);
        ASSERT_TRUE(WaitFor([&] { return dialog->hasFocus(); }));
    }

    CKTV_OutData& Output(int n) { return *data->GetOutput(n); }
    CNumEdit& Edit(int id) { return *static_cast<CNumEdit*>(GetDlgItem(dialog.get(), id)); }
    CNumSpin& Spin(int id) { return *static_cast<CNumSpin*>(GetDlgItem(dialog.get(), id)); }

    std::unique_ptr<CKTV_Data> data;
    std::unique_ptr<CCurSYSDlg> dialog;
};

QColor OutputColour(int n)
{
    return QColor::fromRgb(QRgb(kOutputColours[n].rgb | 0xFF000000u));
}

struct RowCase {
    UINT edit;
    UINT spin;
    int type;
    double step;
    double offset;
    int min;
    int max;
    int mode;
    const char* unit;
};

TEST_F(CurSYSDlgTest, EveryRowIsSetUpByItsIds)
{
    Open();
    // A spin's step mode is its field's type when it took its range: the
    // ratio's steps, plain steps for the others.
    const RowCase rows[] = {
        {5620, 5650, CNumEditValue::TYPE_LEVEL_DBU, 0.1, 30.0, 0, 420, CNumEditValue::TYPE_LEVEL_DBU, ""},
        {5630, 5660, CNumEditValue::TYPE_ATTACK, 0.0, 0.0, 0, 206, CNumEditValue::TYPE_ATTACK, ""},
        {5700, 5710, CNumEditValue::TYPE_INTEGER_UNIT, 0.0, 0.0, 50, 5000, CNumEditValue::TYPE_INTEGER_UNIT, "ms"},
        {9500, 9540, CNumEditValue::TYPE_LEVEL_DBU, 0.1, 30.0, 0, 360, CNumEditValue::TYPE_LEVEL_DBU, ""},
        {9510, 9550, CNumEditValue::TYPE_RATIO, 0.0, 0.0, 1, 191, CNumSpin::MODE_RATIO, ""},
        {9520, 9560, CNumEditValue::TYPE_ATTACK, 0.0, 0.0, 0, 206, CNumEditValue::TYPE_ATTACK, ""},
        {9530, 9570, CNumEditValue::TYPE_INTEGER_UNIT, 0.0, 0.0, 50, 5000, CNumEditValue::TYPE_INTEGER_UNIT, "ms"},
        // The noise gate had its range before its type: plain steps.
        {2059, 2060, CNumEditValue::TYPE_LEVEL_DB, 1.0, 120.0, 0, 100, CNumSpin::MODE_PLAIN, ""},
    };
    for (const RowCase& row : rows) {
        const int channels = row.edit == 2059 ? 1 : 8;
        for (int n = 0; n < channels; ++n) {
            SCOPED_TRACE(testing::Message() << "edit " << row.edit + n);
            CNumEdit& edit = Edit(int(row.edit) + n);
            CNumSpin& spin = Spin(int(row.spin) + n);
            EXPECT_EQ(spin.GetBuddy(), &edit);
            EXPECT_EQ(edit.GetValueType(), row.type);
            EXPECT_DOUBLE_EQ(edit.Value().Step(), row.step);
            EXPECT_DOUBLE_EQ(edit.Value().Offset(), row.offset);
            EXPECT_EQ(edit.Value().Unit(), QString::fromLatin1(row.unit));
            int min = -1, max = -1;
            spin.GetRange32(min, max);
            EXPECT_EQ(min, row.min);
            EXPECT_EQ(max, row.max);
            EXPECT_EQ(spin.GetStepMode(), row.mode);
        }
    }
    EXPECT_EQ(Edit(2059).GetLimitText(), 8);
    // The dialog's layout: Arial 8, 730 x 271 units; graph n at its id.
    EXPECT_EQ(dialog->size(), MapDialogRect(CRect(0, 0, 730, 271), DialogFont(QStringLiteral("Arial"), 8)).Size());
    for (int n = 0; n < 8; ++n) {
        auto* graph = qobject_cast<CCOM_EXT_LIMStatic*>(GetDlgItem(dialog.get(), 2513 + n));
        ASSERT_NE(graph, nullptr);
        EXPECT_EQ(graph->GetGraphType(), CCOM_EXT_LIMStatic::TYPE_LIMITER);
        EXPECT_EQ(graph->GetChannel(), n);
        EXPECT_GT(CountPixels(graph->GetImage(), OutputColour(n), 8), 20) << "curve of output " << n;
        auto* group = qobject_cast<QGroupBox*>(GetDlgItem(dialog.get(), 5610 + n));
        ASSERT_NE(group, nullptr);
        EXPECT_TRUE(group->geometry().contains(graph->geometry()));
    }
    EXPECT_EQ(dialog->m_grpChannel[0].title(), QStringLiteral("CH1  Limiter &&Compression"));
    EXPECT_EQ(dialog->m_grpChannel[7].title(), QStringLiteral("CH8  Limiter && Compression"));
    // Labels: height 15, the row labels aligned left; the lists hidden.
    for (int id : {5600, 5601, 5602, 5603, 5604, 5605, 9136, 9137, 2061, 2062})
        EXPECT_EQ(static_cast<CFontStatic*>(GetDlgItem(dialog.get(), id))->FontHeight(), 15) << id;
    EXPECT_EQ(static_cast<CFontStatic*>(GetDlgItem(dialog.get(), 9136))->text(), QStringLiteral("Ratio"));
    for (int n = 0; n < 6; ++n) {
        EXPECT_TRUE(GetDlgItem(dialog.get(), 9130 + n)->isHidden());
        EXPECT_TRUE(GetDlgItem(dialog.get(), 5640 + n)->isHidden());
        EXPECT_EQ(dialog->m_comboInput[n].count(), 0);
    }
    EXPECT_TRUE(GetDlgItem(dialog.get(), 2063)->isVisible());
    EXPECT_EQ(dialog->m_comboSource.count(), 0);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("System"));
}

TEST_F(CurSYSDlgTest, TheTitleFollowsTheLanguage)
{
    g_bChinese = true;
    dialog->OnInitDialog();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("系统"));
}

TEST_F(CurSYSDlgTest, APreparedSetShowsInEveryRow)
{
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        for (int n = 0; n < 8; ++n) {
            Output(n).SetLimitThreshold(short(100 + 10 * n));
            Output(n).SetAttack(short(n));
            Output(n).SetRelease(short(200 * n));
        }
        data->GetMusic(0)->SetNoiseGate(55);
    }
    PrepareSyncedCustomSet(*data);
    CMessageBoxSpy boxes;
    Open();
    for (int n = 0; n < 8; ++n) {
        EXPECT_EQ(Spin(5650 + n).GetPos(), 100 + 10 * n);
        EXPECT_EQ(Spin(5660 + n).GetPos(), n);
        EXPECT_EQ(Spin(5710 + n).GetPos(), 200 * n + 50) << "release shown as word + 50";
        // The compressor rows as decided: their getters' values, ratio 1:1.
        EXPECT_EQ(Spin(9540 + n).GetPos(), 0);
        EXPECT_EQ(Spin(9550 + n).GetPos(), 1);
        EXPECT_EQ(Spin(9560 + n).GetPos(), 0);
        EXPECT_EQ(Spin(9570 + n).GetPos(), 50);
        EXPECT_EQ(dialog->m_graph[n].GetThresholdCopy(), 100 + 10 * n);
    }
    EXPECT_EQ(Edit(5620).text(), QStringLiteral("-20.0dBu"));
    EXPECT_EQ(Edit(5631).text(), QStringLiteral("0.4ms"));
    EXPECT_EQ(Edit(5701).text(), QStringLiteral("250ms"));
    EXPECT_EQ(Edit(9510).text(), QStringLiteral("1:1"));
    EXPECT_EQ(Edit(2059).text(), QStringLiteral("-65.0dB"));
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_TRUE(ScanFrames(*data).empty()) << "opening writes nothing";
}

TEST_F(CurSYSDlgTest, ALimiterLevelReachesTheScanAsItsRecord)
{
    Open();
    const QImage before = dialog->m_graph[2].GetImage();
    TypeInto(Edit(5622), QStringLiteral("0.0"));
    EXPECT_EQ(Output(2).GetLimitThreshold(), 300);
    EXPECT_EQ(dialog->m_graph[2].GetThresholdCopy(), 300);
    EXPECT_NE(dialog->m_graph[2].GetImage(), before) << "graph redrawn";
    EXPECT_EQ(ScanFrames(*data),
              std::vector<DynamicsFrame>{WriteFrame("04 02 23 00 00 08 00 2C 01 14 00 14 00 00 00 A0 AA")});
}

TEST_F(CurSYSDlgTest, AttackAndReleaseStoreTheirWordsAndTheStoredValueMarksNothing)
{
    Open();
    TypeInto(Edit(5630), QStringLiteral("20"));
    EXPECT_EQ(Output(0).GetAttack(), 26);
    TypeInto(Edit(5700), QStringLiteral("100"));
    EXPECT_EQ(Output(0).GetRelease(), 50);
    EXPECT_EQ(ScanFrames(*data).size(), 1u);

    TypeInto(Edit(5630), QStringLiteral("20"));
    TypeInto(Edit(5700), QStringLiteral("100"));
    EXPECT_FALSE(Output(0).IsLimiterDirty());
    EXPECT_TRUE(ScanFrames(*data).empty());
}

TEST_F(CurSYSDlgTest, LimiterLevelAndCompressorThresholdBoundEachOther)
{
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        Output(4).SetLimitThreshold(250);
        data->ClearChangeFlags(false);
    }
    Open();
    TypeInto(Edit(9504), QStringLiteral("0.0"));  // 300 steps, above the limiter
    EXPECT_EQ(Spin(9544).GetPos(), 250);
    EXPECT_EQ(Edit(9504).text(), QStringLiteral("-5.0dBu"));
    TypeInto(Edit(9504), QStringLiteral("-10.0"));  // below it: kept
    EXPECT_EQ(Spin(9544).GetPos(), 200);
    // The limiter level floor is the compressor threshold's getter: 0.
    TypeInto(Edit(5624), QStringLiteral("-30.0"));
    EXPECT_EQ(Output(4).GetLimitThreshold(), 0);
    EXPECT_EQ(Spin(5654).GetPos(), 0);
}

TEST_F(CurSYSDlgTest, RatioSpinsStepInRatioSteps)
{
    Open();
    CNumSpin& spin = Spin(9551);
    spin.SetPos(10);
    QTest::keyClick(&Edit(9511), Qt::Key_Up);
    EXPECT_EQ(spin.GetPos(), 11);
    EXPECT_EQ(Edit(9511).text(), QStringLiteral("2.0:1"));
    QTest::keyClick(&Edit(9511), Qt::Key_Up);
    EXPECT_EQ(spin.GetPos(), 16);
    EXPECT_EQ(Edit(9511).text(), QStringLiteral("2.5:1"));
    EXPECT_TRUE(ScanFrames(*data).empty()) << "the compressor keeps nothing";
}

TEST_F(CurSYSDlgTest, LinkedOutputsAreReReadNeverWritten)
{
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        Output(6).SetAttack(40);
        Output(6).SetLimitThreshold(333);
        data->ClearChangeFlags(false);
    }
    Open();
    // Shown values that differ from output 6's own, then CH3 and CH7 linked.
    Spin(5666).SetPos(7);
    Spin(5656).SetPos(12);
    Spin(9556).SetPos(3);
    g_nLinkGroup[6] = 2;
    TypeInto(Edit(5632), QStringLiteral("27"));
    EXPECT_EQ(Output(2).GetAttack(), 33);
    EXPECT_EQ(Spin(5666).GetPos(), 40) << "CH7 shows output 6's own attack";
    EXPECT_EQ(Spin(5656).GetPos(), 12) << "another row stays";
    TypeInto(Edit(5622), QStringLiteral("1.0"));
    EXPECT_EQ(Spin(5656).GetPos(), 333);
    EXPECT_EQ(dialog->m_graph[6].GetThresholdCopy(), 333);
    QTest::keyClick(&Edit(9512), Qt::Key_Up);
    EXPECT_EQ(Spin(9556).GetPos(), 2) << "ratio: the linked row takes this ratio";
    EXPECT_EQ(Output(6).GetAttack(), 40);
    EXPECT_EQ(Output(6).GetLimitThreshold(), 333);
    EXPECT_FALSE(Output(6).IsLimiterDirty());
    // Unlinked outputs are left alone.
    EXPECT_EQ(Spin(5663).GetPos(), 20);
}

TEST_F(CurSYSDlgTest, TheNoiseGateOffWordReachesMusicZero)
{
    for (const bool chinese : {false, true}) {
        SCOPED_TRACE(chinese ? "Chinese" : "English");
        g_bChinese = chinese;
        Restart();
        Open();
        CNumEdit& field = Edit(2059);
        if (chinese) {
            // The field takes typed ASCII only: the Chinese word is the text
            // it shows, committed as it stands.
            FocusByTab(field);
            field.setText(QStringLiteral("关闭"));
            field.SetModified(true);
            QTest::keyClick(&field, Qt::Key_Escape);
        } else {
            TypeInto(field, QStringLiteral("OFF"));
        }
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            EXPECT_EQ(data->GetMusic(0)->GetNoiseGate(), 20);
        }
        EXPECT_EQ(Edit(2059).text(), chinese ? QStringLiteral("关闭") : QStringLiteral("OFF"));
        const std::vector<DynamicsFrame> frames = ScanFrames(*data);
        ASSERT_EQ(frames.size(), 1u);
        EXPECT_EQ(frames[0][FRAME_BLOCK_BYTE], BLOCK_MUSIC);
        EXPECT_EQ(frames[0][FRAME_ITEM_BYTE], 0);
        EXPECT_EQ(frames[0][FRAME_RECORD_BYTE], 33);
        EXPECT_EQ(ImageBytes(MusicBlockOffset(0) + 264, 1)[0], 20);
    }
}

TEST_F(CurSYSDlgTest, InputSelectionByIndex)
{
    Open();
    struct Case {
        int index;
        bool inLOff;
        bool inROff;
    };
    const Case cases[] = {{0, false, true}, {1, true, false}, {2, false, false}, {-1, false, false},
                          {3, false, false}};
    QComboBox& combo = dialog->m_comboInput[4];
    combo.addItems({QStringLiteral("IN L"), QStringLiteral("IN R"), QStringLiteral("IN L+R"), QStringLiteral("x")});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        combo.setCurrentIndex(c.index);
        SendMessage(dialog.get(), WM_COMMAND, MAKEWPARAM(9134, CBN_SELCHANGE), reinterpret_cast<LPARAM>(&combo));
        EXPECT_EQ(Output(4).GetInLOff(), c.inLOff);
        EXPECT_EQ(Output(4).GetInROff(), c.inROff);
    }
    // A pick by the user sends the same notice.
    combo.setCurrentIndex(1);
    emit combo.activated(1);
    EXPECT_TRUE(Output(4).GetInLOff());
    EXPECT_FALSE(Output(4).GetInROff());
    EXPECT_TRUE(ScanFrames(*data).empty()) << "no record carries the input switches";
}

TEST_F(CurSYSDlgTest, EnterAndEscapeCommitAndCloseNothingTheCloseBoxCloses)
{
    Open();
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        SCOPED_TRACE(key);
        FocusByTab(Edit(5633));
        TypeText(Edit(5633), QStringLiteral("10"));
        QTest::keyClick(&Edit(5633), key);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), 0);
        EXPECT_EQ(Output(3).GetAttack(), 16);
        ParameterSetGuard guard(g_ParameterSetLock);
        Output(3).SetAttack(20);
    }
    // A key on the dialog itself.
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->close());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

TEST_F(CurSYSDlgTest, ADragOnAGraphWithoutAThresholdPairChangesNothing)
{
    Open();
    CCOM_EXT_LIMStatic& graph = dialog->m_graph[2];
    const QImage before = graph.GetImage();
    const QPoint point = graph.GetPointRect().ToQRect().center();
    SendMouse(&graph, QEvent::MouseMove, point);
    SendMouse(&graph, QEvent::MouseButtonPress, point, Qt::LeftButton, Qt::LeftButton);
    SendMouse(&graph, QEvent::MouseMove, point + QPoint(0, 40), Qt::NoButton);
    SendMouse(&graph, QEvent::MouseButtonRelease, point + QPoint(0, 40), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(Output(2).GetLimitThreshold(), 420);
    EXPECT_EQ(graph.GetThresholdCopy(), 420);
    EXPECT_EQ(Spin(5652).GetPos(), 420);
    EXPECT_EQ(Edit(5622).text(), QStringLiteral("12.0dBu"));
    EXPECT_EQ(graph.GetImage(), before);
    EXPECT_TRUE(ScanFrames(*data).empty());
}

}  // namespace
