// Helpers that live with the image: fixed text fields, the crossover
// repair, the lock and link queries, the input-source table.
#include <gtest/gtest.h>

#include <cstring>

#include "model/DataDefine.h"
#include "model/InputSourceTable.h"
#include "platform/core/Language.h"
#include "platform/core/TextCodec.h"
#include "tests/common/MessageBoxSpy.h"

namespace {

struct FieldCase {
    const char* utf8;
    bool chinese;
    bool written;
};

TEST(FixedField, LengthBoundaryAndMessage)
{
    // A 16-byte field takes 15 bytes and its NUL; GBK Chinese takes 2 bytes
    // a character, so 7 characters fit and 8 do not.
    const FieldCase cases[] = {
        {"123456789012345", false, true},
        {"1234567890123456", false, false},
        {"1234567890123456", true, false},
        {"七个汉字的名字", false, true},
        {"八个汉字的名字呀", true, false},
        {"", false, true},
    };
    for (const FieldCase& c : cases) {
        char field[16];
        std::memset(field, 'x', sizeof field);
        g_bChinese = c.chinese;
        CMessageBoxSpy spy;
        bool written = StringToFixedField(field, 16, QString::fromUtf8(c.utf8));
        g_bChinese = false;
        EXPECT_EQ(written, c.written) << c.utf8;
        if (c.written) {
            QByteArray bytes = ToDeviceBytes(QString::fromUtf8(c.utf8));
            EXPECT_EQ(std::memcmp(field, bytes.constData(), size_t(bytes.size())), 0);
            for (int i = int(bytes.size()); i < 16; ++i)
                EXPECT_EQ(field[i], 0) << c.utf8 << " byte " << i;
            EXPECT_TRUE(spy.shown.empty());
            EXPECT_EQ(FixedFieldToString(field, 16), QString::fromUtf8(c.utf8));
        } else {
            for (char ch : field)
                EXPECT_EQ(ch, 'x') << "field changed for " << c.utf8;
            ASSERT_EQ(spy.shown.size(), 1u);
            EXPECT_EQ(spy.shown[0].text, c.chinese ? QString::fromUtf8("字符长度错误!") : QStringLiteral("Char len error!"));
            EXPECT_EQ(spy.shown[0].helpId, c.chinese ? -2 : -3);
        }
    }
}

TEST(FixedField, ReadingCutsAtNulAndTrims)
{
    const char name[16] = {' ', 'A', 'b', ' ', 'c', ' ', ' ', 0, 'z', 'z', 'z', 'z', 'z', 'z', 'z', 'z'};
    EXPECT_EQ(FixedFieldToString(name, 16), QStringLiteral("Ab c"));
    // Without a NUL the last byte of the field is never read.
    const char full[16] = {'1', '2', '3', '4', '5', '6', '7', '8', '9', '0', '1', '2', '3', '4', '5', '6'};
    EXPECT_EQ(FixedFieldToString(full, 16), QStringLiteral("123456789012345"));
    // The N form reads all n bytes: 8-byte channel names have no NUL.
    const char channel[8] = {'S', 'u', 'b', ' ', 'L', 'e', 'f', 't'};
    EXPECT_EQ(FixedFieldToStringN(channel, 8), QStringLiteral("Sub Left"));
    EXPECT_EQ(IsBlankString(QStringLiteral("   ")), 1);
    EXPECT_EQ(IsBlankString(QString()), 1);
    EXPECT_EQ(IsBlankString(QStringLiteral(" a ")), 0);
}

struct RepairCase {
    int position;
    int highPass, highSlope, lowPass;
    int wantHighPass, wantHighSlope, wantLowPass;
};

TEST(CrossoverRepair, OnlyTweeterOutputsAreRepaired)
{
    const RepairCase cases[] = {
        {1, 5, 8, 10, 20, 1, 20000},       // below 20, off, low-pass below
        {7, 5, 8, 10, 20, 1, 20000},
        {13, 5, 2, 1000, 20, 2, 1000},     // low-pass above 20 stays
        {16, 3000, 8, 20000, 3000, 1, 20000},
        {19, 0xFFFF, 4, 15, 20, 4, 20000}, // read signed: -1 is below 20
        {2, 5, 8, 10, 5, 8, 10},           // midrange: untouched
        {0, 5, 8, 10, 5, 8, 10},
        {40, 5, 8, 10, 5, 8, 10},          // stray code: no position
    };
    for (const RepairCase& c : cases) {
        InitDefaultDeviceData();
        BYTE* block = g_CurrentImage.bytes + OutputBlockOffset(3);
        block[31 * 8 + 7] = BYTE(c.position);
        PutWord(block + 256, c.highPass);
        block[256 + 3] = BYTE(c.highSlope);
        PutWord(block + 260, c.lowPass);
        RepairOutputFilterLimits();
        EXPECT_EQ(GetWord(block + 256), c.wantHighPass) << "position " << c.position;
        EXPECT_EQ(block[259], c.wantHighSlope) << "position " << c.position;
        EXPECT_EQ(GetWord(block + 260), c.wantLowPass) << "position " << c.position;
    }
}

TEST(ImageQueries, LockMarkLinkGroupsAndDuplicateNames)
{
    InitDefaultDeviceData();
    EXPECT_EQ(IsDataLocked(), 0);
    g_CurrentImage.bytes[OutputBlockOffset(11) + LOCK_MARK_BYTE] = '!';
    EXPECT_EQ(IsDataLocked(), 1);

    for (int i = 0; i < OUTPUT_COUNT; ++i)
        g_nLinkGroup[i] = i;
    EXPECT_EQ(IsOutputLinked(2), 0);
    g_nLinkGroup[5] = 2;
    EXPECT_EQ(IsOutputLinked(2), 1);
    EXPECT_EQ(IsOutputLinked(5), 1);
    EXPECT_EQ(IsOutputLinked(4), 0);
    EXPECT_EQ(IsOutputLinked(12), 0);

    std::memcpy(g_MachinePresets[3].bytes, "Live Show    ", 13);
    const BYTE typed[13] = {'L', 'i', 'v', 'e', ' ', 'S', 'h', 'o', 'w', ' ', ' ', ' ', ' '};
    EXPECT_EQ(IsDuplicatePresetData(0, typed, true, 13), 1);
    EXPECT_EQ(IsDuplicatePresetData(3, typed, true, 13), 0);  // the edited slot itself
}

TEST(InputSourceTable, SelectModeKeepsOrChoosesOff)
{
    InitDefaultDeviceData();
    CInputSourceTable& table = g_InputSourceTable;
    // Mode 1 of table 0 does not offer source 1: it becomes off.
    table.m_nCurrentSource = 1;
    EXPECT_EQ(table.SelectMode(1, 0), 0);
    EXPECT_EQ(table.m_nCurrentSource, 6);
    const int row1[7] = {1, 0, 1, 1, 0, 0, 1};
    EXPECT_EQ(std::memcmp(table.m_anEnabled, row1, sizeof row1), 0);

    // Table 2 has no row 5: the flags stay, and the source is checked
    // against them (source 2 is offered by row 1 of table 0).
    table.m_nCurrentSource = 2;
    EXPECT_EQ(table.SelectMode(5, 2), 1);
    EXPECT_EQ(std::memcmp(table.m_anEnabled, row1, sizeof row1), 0);
    EXPECT_EQ(table.SelectMode(0, 3), 1);  // no table 3

    // Row 3 of table 1 does not offer source 2.
    EXPECT_EQ(table.SelectMode(3, 1), 0);
    EXPECT_EQ(table.m_nCurrentSource, 6);

    // A source byte from the device outside the menu counts as off.
    for (int raw : {6, 7, 200, 254, 255}) {
        table.m_nCurrentSource = InputSourceFromSystemByte(BYTE(raw));
        EXPECT_EQ(table.m_nCurrentSource, 6) << raw;
        EXPECT_EQ(table.SelectMode(0, 0), 1);
    }
    table.m_nCurrentSource = 99;
    EXPECT_EQ(table.SelectMode(0, 0), 1);
    EXPECT_EQ(table.m_nCurrentSource, 6);
    EXPECT_EQ(InputSourceFromSystemByte(5), 5);
    EXPECT_EQ(InputSourceFromSystemByte(0), 0);
}

TEST(PositionCode, StrayCodesMeanNoPosition)
{
    EXPECT_EQ(PositionCodeOrNone(0), 0);
    EXPECT_EQ(PositionCodeOrNone(24), 24);
    EXPECT_EQ(PositionCodeOrNone(25), 0);
    EXPECT_EQ(PositionCodeOrNone(255), 0);
    EXPECT_EQ(PositionCodeOrNone(-1), 0);
}

}  // namespace
