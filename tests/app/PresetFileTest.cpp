// The four PC preset-file formats: exact bytes, round trips, and damaged or
// foreign files that must change nothing.
#include "tests/app/PresetFileFixture.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileDevice>

#include "platform/core/Archive.h"
#include "tests/common/FileSizeLimit.h"

namespace {

QByteArray Header(const char* text)
{
    QByteArray h(1, char(std::strlen(text)));
    return h + QByteArray(text);
}

BYTE FileByte(const QByteArray& file, int at) { return BYTE(file.at(at)); }

TEST_F(PresetFileTest, SinglePresetBytesAndLockFields)
{
    // An edit only the channel object holds yet: the save packs it first.
    doc.m_KTVData.GetOutput(3)->SetGain(123);
    ASSERT_EQ(doc.SaveFile(PresetFileKind::Preset, Path("a.kvas")), 1);
    QByteArray file = ReadAll(Path("a.kvas"));
    ASSERT_EQ(file.size(), 5017);
    EXPECT_EQ(file.left(17), Header("Brelinx_File_2.0"));
    EXPECT_EQ(GetWord(reinterpret_cast<const BYTE*>(file.constData()) + 17 + OutputBlockOffset(3) + 250), 123);
    EXPECT_EQ(FileByte(file, 1753), 0x20);
    // Unlocked: the password bytes stay as the live image held them.
    EXPECT_EQ(file.mid(1755, 6), QByteArray(6, '\0'));
    EXPECT_EQ(file.mid(17), QByteArray(reinterpret_cast<const char*>(g_CurrentImage.bytes), 5000));

    // Locked: flag and password in output block 0, markers as the image has them.
    g_bDataLocked = true;
    g_strLockPassword = QStringLiteral("123456");
    g_CurrentImage.bytes[OutputBlockOffset(4) + LOCK_MARK_BYTE] = '!';
    ASSERT_EQ(doc.SaveFile(PresetFileKind::Preset, Path("b.kvas")), 1);
    file = ReadAll(Path("b.kvas"));
    EXPECT_EQ(FileByte(file, 1753), 0x21);
    EXPECT_EQ(file.mid(1755, 6), QByteArray("123456"));
    EXPECT_EQ(FileByte(file, 17 + OutputBlockOffset(4) + 289), '!');
    EXPECT_EQ(FileByte(file, 17 + OutputBlockOffset(0) + 289), 0);

    // Loading it back sets the lock and the password before it returns,
    // unpacks the channels and leaves the effect block object alone.
    g_bDataLocked = false;
    g_strLockPassword.clear();
    doc.m_KTVData.GetOutput(3)->SetGain(7);
    const int effectParam = doc.m_KTVData.GetEffect()->GetParam(128);
    doc.m_KTVData.GetEffect()->SetParam(128, 77);
    ASSERT_EQ(doc.LoadFile(PresetFileKind::Preset, Path("b.kvas")), 1);
    EXPECT_TRUE(g_bDataLocked);
    EXPECT_EQ(g_strLockPassword, QStringLiteral("123456"));
    EXPECT_EQ(doc.m_KTVData.GetOutput(3)->GetGain(), 123);
    EXPECT_EQ(doc.m_KTVData.GetEffect()->GetParam(128), 77);
    doc.m_KTVData.GetEffect()->SetParam(128, effectParam);
    ASSERT_EQ(doc.SaveFile(PresetFileKind::Preset, Path("c.kvas")), 1);
    EXPECT_EQ(ReadAll(Path("c.kvas")), ReadAll(Path("b.kvas")));
}

TEST_F(PresetFileTest, SinglePresetLockReadFromTheMarkersAndTweetersRepaired)
{
    // Flag set but no marker: unlocked for this format.
    g_CurrentImage.bytes[OutputBlockOffset(0) + LOCK_FLAG_BYTE] = 0x21;
    BYTE* block = g_CurrentImage.bytes + OutputBlockOffset(2);
    block[255] = 1;  // tweeter
    PutWord(block + 256, 5);
    block[259] = 8;
    PutWord(block + 260, 10);
    QByteArray bytes;
    CArchive ar(&bytes);
    bytes.append(Header("Brelinx_File_2.0"));
    bytes.append(reinterpret_cast<const char*>(g_CurrentImage.bytes), 5000);
    WriteAll(Path("x.kvas"), bytes);
    g_bDataLocked = true;
    ASSERT_EQ(doc.LoadFile(PresetFileKind::Preset, Path("x.kvas")), 1);
    EXPECT_FALSE(g_bDataLocked);
    EXPECT_EQ(GetWord(block + 256), 20);
    EXPECT_EQ(block[259], 1);
    EXPECT_EQ(GetWord(block + 260), 20000);
}

TEST_F(PresetFileTest, AllPresetsBytesTrailerAndRoundTrip)
{
    for (int slot = 0; slot < 6; ++slot)
        g_MachinePresets[slot].bytes[100] = BYTE(slot + 1);
    ASSERT_EQ(doc.SaveFile(PresetFileKind::AllPresets, Path("a.kvaa")), 1);
    QByteArray file = ReadAll(Path("a.kvaa"));
    ASSERT_EQ(file.size(), 35047);
    EXPECT_EQ(file.left(20), Header("Brelinx_ALLFile_2.0"));
    for (int slot = 0; slot < 6; ++slot)
        EXPECT_EQ(FileByte(file, 20 + 5000 * slot + 100), slot + 1);
    EXPECT_EQ(FileByte(file, 31756), 0x20);
    // Trailer of the defaults: input mode, byte 10, level word, table,
    // threshold, input mode again, 34, source off, 37-39, 12, 13, master on,
    // the output map.
    const BYTE trailer[27] = {1, 0, 60, 0, 0, 55, 1, 0, 255, 0, 0, 2, 0, 0, 1,
                              6, 12, 15, 18, 0, 0, 0, 0, 0, 0, 22, 23};
    EXPECT_EQ(file.mid(35020), QByteArray(reinterpret_cast<const char*>(trailer), 27));

    // Changed live data comes back from the file.
    LiveSnapshot saved = LiveSnapshot::Take();
    g_MachinePresets[5].bytes[100] = 99;
    g_SystemBytes[36] = 3;
    g_OutputMap[0] = 1;
    ASSERT_EQ(doc.LoadFile(PresetFileKind::AllPresets, Path("a.kvaa")), 1);
    EXPECT_TRUE(LiveSnapshot::Take() == saved);
    ASSERT_EQ(doc.SaveFile(PresetFileKind::AllPresets, Path("b.kvaa")), 1);
    EXPECT_EQ(ReadAll(Path("b.kvaa")), file);
}

TEST_F(PresetFileTest, AllPresetsLockFlagPasswordAndInputModeFixUp)
{
    QByteArray file;
    ASSERT_EQ(doc.SaveFile(PresetFileKind::AllPresets, Path("a.kvaa")), 1);
    file = ReadAll(Path("a.kvaa"));
    // Any flag but a space means locked, and the password comes along.
    file[31756] = 0;
    file.replace(31758, 6, "654321");
    file[35020] = 2;  // input mode
    file[35026] = 2;
    WriteAll(Path("b.kvaa"), file);

    struct Case {
        BYTE setting;
        int wantMode;
    };
    g_nInputMode = 4;
    for (Case c : {Case{1, 2}, Case{0, 4}, Case{2, 4}, Case{3, 2}}) {
        g_SystemBytes[35] = c.setting;
        g_bDataLocked = false;
        ASSERT_EQ(doc.LoadFile(PresetFileKind::AllPresets, Path("b.kvaa")), 1);
        EXPECT_EQ(g_SystemBytes[0], c.wantMode) << "setting " << int(c.setting);
        EXPECT_TRUE(g_bDataLocked);
        EXPECT_EQ(g_strLockPassword, QStringLiteral("654321"));
    }
}

TEST_F(PresetFileTest, OutputMapSwapsSlopeAndFamilyInTheFile)
{
    // The records come from the output objects' filters, refreshed on save.
    // Outputs 0 and 11 hold a full-range and a sub position by default, so
    // their frequencies differ and each record shows it lands in its place.
    struct Expected {
        int output;
        BYTE record[RECORD_SIZE];
    };
    Expected expected[] = {{0, {}}, {11, {}}};
    for (Expected& e : expected) {
        CKTV_OutData* out = doc.m_KTVData.GetOutput(e.output);
        out->GetHighPass()->SetFamily(2, false);
        out->GetHighPass()->SetSlope(3, false);
        out->GetLowPass()->SetFamily(4, false);
        out->GetLowPass()->SetSlope(5, false);
        const int highPass = out->GetHighPass()->GetSentFrequency();
        const int lowPass = out->GetLowPass()->GetSentFrequency();
        const BYTE record[RECORD_SIZE] = {BYTE(highPass), BYTE(highPass >> 8), 2, 3,
                                          BYTE(lowPass),  BYTE(lowPass >> 8),  4, 5};
        std::memcpy(e.record, record, RECORD_SIZE);
    }
    ASSERT_NE(std::memcmp(expected[0].record, expected[1].record, RECORD_SIZE), 0);
    ASSERT_EQ(doc.SaveFile(PresetFileKind::OutputMap, Path("m.qzvc")), 1);
    QByteArray file = ReadAll(Path("m.qzvc"));
    ASSERT_EQ(file.size(), 120);
    EXPECT_EQ(file.left(12), Header("Brelinx_Map"));
    const BYTE positions[12] = {6, 12, 15, 18, 0, 0, 0, 0, 0, 0, 22, 23};
    EXPECT_EQ(file.mid(12, 12), QByteArray(reinterpret_cast<const char*>(positions), 12));
    for (const Expected& e : expected) {
        EXPECT_EQ(std::memcmp(g_OutputMapCrossovers[e.output], e.record, RECORD_SIZE), 0) << e.output;
        const BYTE* r = e.record;
        const BYTE inFile[RECORD_SIZE] = {r[0], r[1], 3, 2, r[4], r[5], 5, 4};
        EXPECT_EQ(file.mid(24 + RECORD_SIZE * e.output, RECORD_SIZE),
                  QByteArray(reinterpret_cast<const char*>(inFile), RECORD_SIZE))
            << e.output;
    }

    // A stray position code loads as it is; it means no position.
    file[12] = 25;
    WriteAll(Path("n.qzvc"), file);
    std::memset(g_OutputMapCrossovers, 0, sizeof g_OutputMapCrossovers);
    ASSERT_EQ(doc.LoadFile(PresetFileKind::OutputMap, Path("n.qzvc")), 1);
    EXPECT_EQ(g_OutputMap[0], 25);
    EXPECT_EQ(PositionCodeOrNone(g_OutputMap[0]), 0);
    for (const Expected& e : expected)
        EXPECT_EQ(std::memcmp(g_OutputMapCrossovers[e.output], e.record, RECORD_SIZE), 0) << e.output;
}

TEST_F(PresetFileTest, ModeFileRowAndItsNumber)
{
    for (int i = 0; i < 96; ++i)
        g_ModeGains[i] = BYTE(i);
    g_ModeGains[96] = 2;
    ASSERT_EQ(doc.SaveFile(PresetFileKind::Mode, Path("mode")), 1);
    QByteArray file = ReadAll(Path("mode"));
    ASSERT_EQ(file.size(), 35);
    EXPECT_EQ(file.left(10), Header("Mode_File"));
    EXPECT_EQ(FileByte(file, 10), 2);
    EXPECT_EQ(file.mid(11), QByteArray(reinterpret_cast<const char*>(g_ModeGains + 48), 24));

    std::memset(g_ModeGains, 0, sizeof g_ModeGains);
    g_ModeGains[96] = 1;
    ASSERT_EQ(doc.LoadFile(PresetFileKind::Mode, Path("mode")), 1);
    EXPECT_EQ(g_ModeGains[97], 2);  // the number goes to byte 97
    EXPECT_EQ(g_ModeGains[96], 1);  // the selected row stays
    EXPECT_EQ(g_ModeGains[48], 48);
    EXPECT_EQ(g_ModeGains[71], 71);
    EXPECT_EQ(g_ModeGains[47], 0);

    // A row that does not exist is refused both ways.
    g_ModeGains[96] = 4;
    EXPECT_EQ(doc.SaveFile(PresetFileKind::Mode, Path("mode")), 0);
    EXPECT_EQ(ReadAll(Path("mode")), file);
    file[10] = 4;
    WriteAll(Path("mode4"), file);
    LiveSnapshot before = LiveSnapshot::Take();
    EXPECT_EQ(doc.LoadFile(PresetFileKind::Mode, Path("mode4")), 0);
    EXPECT_TRUE(LiveSnapshot::Take() == before);
}

TEST_F(PresetFileTest, DamagedOrForeignFilesChangeNothing)
{
    const PresetFileKind kinds[] = {PresetFileKind::Preset, PresetFileKind::AllPresets,
                                    PresetFileKind::OutputMap, PresetFileKind::Mode};
    const char* names[] = {"good.kvas", "good.kvaa", "good.qzvc", "good.mode"};
    QByteArray good[4];
    for (int k = 0; k < 4; ++k) {
        ASSERT_EQ(doc.SaveFile(kinds[k], Path(names[k])), 1);
        good[k] = ReadAll(Path(names[k]));
    }
    // Make the live data differ from every file, so a partial load shows.
    for (DeviceImage& preset : g_MachinePresets)
        preset.bytes[4000] = 0x77;
    g_CurrentImage.bytes[3000] = 0x66;
    g_SystemBytes[37] = 9;
    g_ModeGains[20] = 5;
    g_OutputMapCrossovers[3][2] = 7;
    g_OutputMap[5] = 3;
    doc.m_KTVData.GetOutput(0)->SetGain(321);  // a load would unpack the image over it

    for (int k = 0; k < 4; ++k) {
        const QByteArray hostile = QByteArray::fromHex("ffffffffffff7f") + good[k].mid(1);
        const QByteArray bad[] = {
            QByteArray(),
            good[k].left(good[k].size() - 1),
            good[k].left(1),
            QByteArray("\x10") + "Brelinx_File_2.1" + good[k].mid(17),
            QByteArray("\x10") + "brelinx_file_2.0" + good[k].mid(17),
            hostile,
            good[(k + 1) % 4],
        };
        int n = 0;
        for (const QByteArray& bytes : bad) {
            WriteAll(Path("bad"), bytes);
            LiveSnapshot before = LiveSnapshot::Take();
            EXPECT_EQ(doc.LoadFile(kinds[k], Path("bad")), 0) << "kind " << k << " case " << n;
            EXPECT_TRUE(LiveSnapshot::Take() == before) << "kind " << k << " case " << n;
            ++n;
        }
        EXPECT_EQ(doc.LoadFile(kinds[k], Path("missing")), 0);
    }
    EXPECT_EQ(doc.m_KTVData.GetOutput(0)->GetGain(), 321);

    // Bytes after the end of the format are ignored.
    WriteAll(Path("long.kvas"), good[0] + QByteArray(100, 'x'));
    EXPECT_EQ(doc.LoadFile(PresetFileKind::Preset, Path("long.kvas")), 1);
}

TEST_F(PresetFileTest, FailedSaveLeavesTheOldFile)
{
    ASSERT_EQ(doc.SaveFile(PresetFileKind::Preset, Path("keep.kvas")), 1);
    const QByteArray old = ReadAll(Path("keep.kvas"));
    g_CurrentImage.bytes[10] = 'Z';

    // The disk refuses the bytes half way.
    int result = 0;
    {
        CFileSizeLimit limit(1000);
        result = doc.SaveFile(PresetFileKind::Preset, Path("keep.kvas"));
    }
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadAll(Path("keep.kvas")), old);

    // A folder that does not exist.
    EXPECT_EQ(doc.SaveFile(PresetFileKind::Preset, Path("no/such/folder/x.kvas")), 0);
}

TEST_F(PresetFileTest, SaveToAReadOnlyFolderFails)
{
    // Only meaningful where the permissions bind us (not for root).
    QDir(dir.path()).mkdir(QStringLiteral("ro"));
    ASSERT_EQ(doc.SaveFile(PresetFileKind::Preset, Path("ro/old.kvas")), 1);
    const QByteArray roOld = ReadAll(Path("ro/old.kvas"));
    QFile::setPermissions(Path("ro"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    g_CurrentImage.bytes[11] = 'Y';
    if (access(Path("ro").toLocal8Bit().constData(), W_OK) == 0) {
        QFile::setPermissions(Path("ro"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        GTEST_SKIP() << "running with permissions that ignore a read-only folder";
    }
    EXPECT_EQ(doc.SaveFile(PresetFileKind::Preset, Path("ro/old.kvas")), 0);
    EXPECT_EQ(ReadAll(Path("ro/old.kvas")), roOld);
    QFile::setPermissions(Path("ro"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

}  // namespace
