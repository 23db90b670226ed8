// The preset file commands of the view: names and extensions of saves,
// the remembered folders, refused files of every kind, a save that cannot
// be written, and a load that reaches the queue.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <functional>

#include <QFileInfo>

#include "app/PopupMenus.h"
#include "model/DataLockState.h"
#include "model/KTV_Data.h"
#include "model/ParameterSetLock.h"
#include "platform/core/AppSettings.h"
#include "platform/core/SystemMessages.h"
#include "platform/core/SettingsNames.h"
#include "tests/app/TransferViewFixture.h"
#include "tests/common/FileSizeLimit.h"

namespace {

class PresetFileCommandsTest : public TransferViewTest {
protected:
    void Command(int id) { View()->WindowProc(WM_COMMAND, WPARAM(id), 0); }
    CBrelinDoc& Doc() { return *g_theApp.GetDocument(); }
};

TEST_F(PresetFileCommandsTest, ASaveGetsTheKindsExtensionAndAsksBeforeReplacingTheFinalName)
{
    struct Case {
        const char* typed;
        const char* written;
        const char* presetName;
    };
    const Case cases[] = {
        {"room", "room.kvas", "room"},
        {"room.txt", "room.txt.kvas", "room.txt"},
        {"room.kvas", "room.kvas", "room"},
        {"room.KVAS", "room.KVAS.kvas", "room.KVAS"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const QString written = FilePath(QString::fromLatin1(c.written));
        QFile::remove(written);
        AnswerFileDialog(FilePath(QString::fromLatin1(c.typed)));
        ASSERT_EQ(View()->WindowProc(WM_COMMAND, ID_SAVE_PRESET_FILE, 0), 0);
        EXPECT_TRUE(ReadAll(written).startsWith("\x10" "Brelinx_File_2.0"));
        EXPECT_EQ(View()->m_editPresetName.text(), QString::fromLatin1(c.presetName));
        EXPECT_TRUE(m_boxes.shown.empty());
    }

    // "room.txt" chosen, "room.txt.kvas" there: asked; No keeps it.
    const QString final = FilePath(QStringLiteral("room.txt.kvas"));
    WriteAll(final, QByteArray("old"));
    View()->SetPresetNameFromFile(QStringLiteral("before"));
    for (const int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer);
        CMessageBoxSpy spy(answer);
        AnswerFileDialog(FilePath(QStringLiteral("room.txt")));
        EXPECT_EQ(View()->SavePresetFile(), answer == IDYES ? 1 : 0);
        ASSERT_EQ(spy.shown.size(), 1u);
        EXPECT_EQ(spy.shown[0].type, unsigned(MB_YESNO));
        EXPECT_TRUE(spy.shown[0].text.contains(QStringLiteral("room.txt.kvas")));
        EXPECT_EQ(ReadAll(final) == QByteArray("old"), answer == IDNO);
        EXPECT_EQ(View()->m_editPresetName.text(), answer == IDNO ? QStringLiteral("before") : QStringLiteral("room.txt"));
    }
}

TEST_F(PresetFileCommandsTest, EachKindStartsInItsRememberedFolderAndRemembersTheChosenOne)
{
    struct Case {
        const char* name;
        std::function<void(CBrelinView&)> run;
        const QString& setting;
        const char* file;
        FileDialogRequest::Mode mode;
    };
    const Case cases[] = {
        {"save preset", [](CBrelinView& v) { v.SavePresetFile(); }, SETTINGS_FILE_PATH, "a.kvas", FileDialogRequest::SAVE},
        {"read preset", [](CBrelinView& v) { v.ReadPresetFile(); }, SETTINGS_FILE_PATH, "a.kvas", FileDialogRequest::OPEN},
        {"choose all", [](CBrelinView& v) { v.ChooseAllPresetsFile(); }, SETTINGS_ALL_FILE_PATH, "a.kvaa",
         FileDialogRequest::SAVE},
        {"read all", [](CBrelinView& v) { v.ReadAllPresetsFile(); }, SETTINGS_ALL_FILE_PATH, "a.kvaa",
         FileDialogRequest::OPEN},
        {"save map", [](CBrelinView& v) { v.SaveOutputMap(); }, SETTINGS_MAP_PATH, "a.qzvc", FileDialogRequest::SAVE},
        {"read map", [](CBrelinView& v) { v.ReadOutputMap(); }, SETTINGS_MAP_PATH, "a.qzvc", FileDialogRequest::OPEN},
    };
    const QString start = FilePath(QStringLiteral("start"));
    const QString chosen = FilePath(QStringLiteral("chosen"));
    ASSERT_TRUE(QDir().mkpath(start));
    ASSERT_TRUE(QDir().mkpath(chosen));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CAppSettings::PutString(SETTINGS_PC_FILE, c.setting, start);
        m_requests.clear();
        AnswerFileDialog(QDir(chosen).filePath(QString::fromLatin1(c.file)));
        c.run(*View());
        ASSERT_EQ(m_requests.size(), 1u);
        EXPECT_EQ(m_requests[0].directory, start);
        EXPECT_EQ(m_requests[0].mode, c.mode);
        EXPECT_EQ(m_requests[0].defaultSuffix, QFileInfo(QString::fromLatin1(c.file)).suffix());
        EXPECT_EQ(CAppSettings::GetString(SETTINGS_PC_FILE, c.setting), chosen);
    }
    // A remembered folder that is gone gives the documents folder.
    CAppSettings::PutString(SETTINGS_PC_FILE, SETTINGS_MAP_PATH, FilePath(QStringLiteral("gone")));
    m_requests.clear();
    AnswerFileDialog(QString());
    EXPECT_EQ(View()->SaveOutputMap(), 0);
    ASSERT_EQ(m_requests.size(), 1u);
    EXPECT_NE(m_requests[0].directory, FilePath(QStringLiteral("gone")));
}

TEST_F(PresetFileCommandsTest, ARefusedFileChangesAndQueuesNothingAndSaysWhyInTheUsersLanguage)
{
    ConnectWithoutDevice();
    const QString preset = FilePath(QStringLiteral("good.kvas"));
    const QString all = FilePath(QStringLiteral("good.kvaa"));
    const QString map = FilePath(QStringLiteral("good.qzvc"));
    ASSERT_EQ(Doc().SaveFile(PresetFileKind::Preset, preset), 1);
    ASSERT_EQ(Doc().SaveFile(PresetFileKind::AllPresets, all), 1);
    ASSERT_EQ(Doc().SaveFile(PresetFileKind::OutputMap, map), 1);
    const QByteArray presetBytes = ReadAll(preset);

    const QString shortFile = FilePath(QStringLiteral("short.kvas"));
    WriteAll(shortFile, presetBytes.left(presetBytes.size() - 1));
    const QString empty = FilePath(QStringLiteral("empty.kvas"));
    WriteAll(empty, QByteArray());
    const QString hostile = FilePath(QStringLiteral("hostile.kvas"));
    WriteAll(hostile, QByteArray("\xff\xff\xff\xff\xff\xff\xff\xff\x7f", 9) + presetBytes);
    const QString folder = FilePath(QStringLiteral("folder.kvas"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString huge = FilePath(QStringLiteral("huge.kvas"));
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(presetBytes);
        ASSERT_TRUE(file.resize(16 * 1024 * 1024 + 1));
    }

    struct Case {
        const char* name;
        int command;  // 0: the output-map read
        QString path;
        const char* english;
        const char* chinese;
    };
    const char* presetEn = "Read presets file  error!";
    const char* presetCn = "读场景文件错误!";
    const Case cases[] = {
        {"empty", ID_LOAD_PRESET_FILE, empty, presetEn, presetCn},
        {"one byte short", ID_LOAD_PRESET_FILE, shortFile, presetEn, presetCn},
        {"all presets as a preset", ID_LOAD_PRESET_FILE, all, presetEn, presetCn},
        {"hostile length", ID_LOAD_PRESET_FILE, hostile, presetEn, presetCn},
        {"a folder", ID_LOAD_PRESET_FILE, folder, presetEn, presetCn},
        {"over 16 MiB", ID_LOAD_PRESET_FILE, huge, presetEn, presetCn},
        {"preset as all presets", ID_LOAD_ALL_PRESETS, preset, "Read all presets file error!", "读整机场景文件错误!"},
        {"map as all presets", ID_LOAD_ALL_PRESETS, map, "Read all presets file error!", "读整机场景文件错误!"},
        {"preset as a map", 0, preset, "Read output map error!", "读输出配置错误!"},
    };
    for (const bool chinese : {false, true}) {
        g_bChinese = chinese;
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (chinese ? " cn" : " en"));
            DeviceImage live;
            BYTE system[SYSTEM_BYTE_COUNT];
            DeviceImage presets[MACHINE_PRESET_COUNT];
            {
                ParameterSetGuard guard(g_ParameterSetLock);
                live = g_CurrentImage;
                std::memcpy(system, g_SystemBytes, sizeof system);
                std::memcpy(presets, g_MachinePresets, sizeof presets);
            }
            m_boxes.shown.clear();
            AnswerFileDialog(c.path);
            if (c.command != 0)
                Command(c.command);
            else
                EXPECT_EQ(View()->ReadOutputMap(), 0);
            ASSERT_EQ(m_boxes.shown.size(), 1u);
            EXPECT_EQ(m_boxes.shown[0].text, QString::fromUtf8(chinese ? c.chinese : c.english));
            EXPECT_EQ(m_boxes.shown[0].helpId, chinese ? -2 : -3);
            ParameterSetGuard guard(g_ParameterSetLock);
            EXPECT_EQ(std::memcmp(&live, &g_CurrentImage, sizeof live), 0);
            EXPECT_EQ(std::memcmp(system, g_SystemBytes, sizeof system), 0);
            EXPECT_EQ(std::memcmp(presets, g_MachinePresets, sizeof presets), 0);
            EXPECT_EQ(View()->Command().GetCount(), 0);
            EXPECT_FALSE(g_csSendLock.IsLocked());
            EXPECT_FALSE(PopupShown());
            EXPECT_FALSE(g_bTransferBusy);
        }
    }
}

TEST_F(PresetFileCommandsTest, ASaveCutShortKeepsTheOldFileAndThePresetName)
{
    const QString path = FilePath(QStringLiteral("room.kvas"));
    WriteAll(path, QByteArray("the old file"));
    View()->SetPresetNameFromFile(QStringLiteral("before"));
    AnswerFileDialog(path);
    {
        CFileSizeLimit limit(1000);
        EXPECT_EQ(View()->SavePresetFile(), 0);
    }
    EXPECT_EQ(ReadAll(path), QByteArray("the old file"));
    EXPECT_EQ(View()->m_editPresetName.text(), QStringLiteral("before"));
    ASSERT_EQ(m_boxes.shown.size(), 1u);
    EXPECT_EQ(m_boxes.shown[0].text, QStringLiteral("Save presets file error!"));
    EXPECT_EQ(QDir(m_files.path()).entryList(QDir::Files), QStringList{QStringLiteral("room.kvas")});
}

TEST_F(PresetFileCommandsTest, ALoadedPresetGoesToTheDeviceUnderItsFileName)
{
    const QString path = FilePath(QStringLiteral("Room 7.kvas"));
    ASSERT_EQ(Doc().SaveFile(PresetFileKind::Preset, path), 1);
    // Without a link the file is still loaded; nothing is queued.
    AnswerFileDialog(path);
    Command(ID_LOAD_PRESET_FILE);
    EXPECT_EQ(View()->Command().GetCount(), 0);
    EXPECT_FALSE(PopupShown());
    EXPECT_EQ(View()->m_editPresetName.text(), QStringLiteral("Room 7"));

    ConnectWithoutDevice();
    Command(ID_LOAD_PRESET_FILE);
    const std::vector<QueuedFrame> frames = DrainQueue();
    EXPECT_EQ(CountedOf(frames), 17);
    ASSERT_EQ(frames.size(), 19u);
    EXPECT_TRUE(frames.front().IsSystemCommand(5));
    EXPECT_TRUE(frames.back().IsSystemCommand(5));
    EXPECT_TRUE(PopupShown());
    EXPECT_TRUE(m_boxes.shown.empty());
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        EXPECT_EQ(FixedFieldToString(reinterpret_cast<const char*>(g_CurrentImage.bytes), PRESET_NAME_SIZE),
                  QStringLiteral("Room 7"));
    }

    // An all-presets file: 118 counted frames; the map lock lifted.
    const QString allPath = FilePath(QStringLiteral("all.kvaa"));
    ASSERT_EQ(Doc().SaveFile(PresetFileKind::AllPresets, allPath), 1);
    g_bOutputMapLocked = true;
    AnswerFileDialog(allPath);
    Command(ID_LOAD_ALL_PRESETS);
    EXPECT_EQ(CountedOf(DrainQueue()), 118);
    EXPECT_FALSE(g_bOutputMapLocked);
    EXPECT_FALSE(g_csSendLock.IsLocked());
}

}  // namespace
