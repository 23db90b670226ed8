// The JSON preset file: key order and values written, the bytes read back,
// and every kind of bad file refused without changing anything.
#include "tests/app/PresetFileFixture.h"

#include <cjson/cJSON.h>

#include <functional>
#include <string>
#include <vector>

#include <QFile>

#include "app/JsonPresetFile.h"
#include "tests/common/MessageBoxSpy.h"

namespace {

std::vector<std::string> Keys(const cJSON* object)
{
    std::vector<std::string> keys;
    const cJSON* item = nullptr;
    cJSON_ArrayForEach(item, object) keys.push_back(item->string);
    return keys;
}

class JsonPresetFileTest : public PresetFileTest {
protected:
    // Writes the default file, lets edit change its tree, writes it back.
    QString EditedFile(const std::function<void(cJSON*)>& edit)
    {
        EXPECT_TRUE(json.Write(0, 0, Path("base.json")));
        QByteArray text = ReadAll(Path("base.json"));
        cJSON* root = cJSON_Parse(text.constData());
        edit(root);
        char* printed = cJSON_PrintUnformatted(root);
        WriteAll(Path("edited.json"), QByteArray(printed));
        cJSON_free(printed);
        cJSON_Delete(root);
        return Path("edited.json");
    }

    CJsonPresetFile json;
};

TEST_F(JsonPresetFileTest, WritesTheKeyTreeInOrder)
{
    json.m_strFileType = "other";
    ASSERT_TRUE(json.Write(0, 0, Path("a.json")));
    QByteArray text = ReadAll(Path("a.json"));
    cJSON* root = cJSON_Parse(text.constData());
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(Keys(root), (std::vector<std::string>{"vmx", "client", "data_info", "data", "fileType"}));
    EXPECT_EQ(Keys(cJSON_GetObjectItem(root, "vmx")),
              (std::vector<std::string>{"company_brand", "company_briefing_en", "company_briefing_zh",
                                        "company_contacts", "company_name", "company_qq", "company_tel",
                                        "company_web", "company_weixin"}));
    EXPECT_EQ(Keys(cJSON_GetObjectItem(root, "data_info")),
              (std::vector<std::string>{"data_android_version", "data_car_brand", "data_car_type",
                                        "data_eff_briefing", "data_encryption_bool", "data_encryption_byte",
                                        "data_group_name", "data_group_num", "data_head_data",
                                        "data_ios_version", "data_json_version", "data_machine_type",
                                        "data_mcu_version", "data_pc_version", "data_upload_time",
                                        "data_user_info", "data_user_mailbox", "data_user_name",
                                        "data_user_tel"}));
    cJSON* system = cJSON_GetObjectItem(cJSON_GetObjectItem(root, "data"), "system");
    EXPECT_EQ(Keys(system), (std::vector<std::string>{"cur_password_data", "eff_group_name", "out_led",
                                                       "pc_source_set", "sound_delay_field", "system_data",
                                                       "system_group_name", "system_spk_type"}));
    EXPECT_TRUE(cJSON_IsFalse(cJSON_GetObjectItem(cJSON_GetObjectItem(root, "data_info"), "data_encryption_bool")));
    EXPECT_STREQ(cJSON_GetObjectItem(root, "fileType")->valuestring, "single");
    EXPECT_STREQ(cJSON_GetObjectItem(cJSON_GetObjectItem(root, "vmx"), "company_brand")->valuestring, "VMX");
    EXPECT_EQ(cJSON_GetObjectItem(cJSON_GetObjectItem(root, "data_info"), "data_head_data")->valueint, 94);
    cJSON* music = cJSON_GetObjectItem(cJSON_GetObjectItem(cJSON_GetObjectItem(root, "data"), "music"), "music");
    ASSERT_EQ(cJSON_GetArraySize(music), 4);
    EXPECT_EQ(cJSON_GetArraySize(cJSON_GetArrayItem(music, 0)), 112);
    EXPECT_EQ(cJSON_GetArraySize(cJSON_GetObjectItem(system, "sound_delay_field")), 50);
    EXPECT_EQ(cJSON_GetArrayItem(cJSON_GetObjectItem(system, "pc_source_set"), 2)->valueint, 60);
    cJSON_Delete(root);
}

TEST_F(JsonPresetFileTest, ReadBackReproducesTheListedBytes)
{
    for (int i = 0; i < 5000; ++i)
        g_CurrentImage.bytes[i] = BYTE(i * 7);
    g_CurrentImage.bytes[OutputBlockOffset(6) + LOCK_MARK_BYTE] = '!';
    std::memcpy(g_CurrentImage.bytes + OutputBlockOffset(0) + LOCK_PASSWORD_BYTE, "abc123", 6);
    for (int i = 0; i < 48; ++i)
        g_SystemBytes[i] = BYTE(i + 1);
    g_SystemBytes[40] = 3;
    for (int i = 0; i < 98; ++i)
        g_ModeGains[i] = BYTE(200 - i);
    ASSERT_TRUE(json.Write(0, 0, Path("a.json")));
    LiveSnapshot written = LiveSnapshot::Take();

    std::memset(&g_CurrentImage, 0, sizeof g_CurrentImage);
    std::memset(g_SystemBytes, 0, sizeof g_SystemBytes);
    std::memset(g_ModeGains, 0, sizeof g_ModeGains);
    g_bDataLocked = false;
    ASSERT_TRUE(json.Read(0, 0, Path("a.json")));
    for (int ch = 0; ch < 4; ++ch) {
        for (int j = 0; j < 288; ++j) {
            int at = MusicBlockOffset(ch) + j;
            ASSERT_EQ(g_CurrentImage.bytes[at], j < 112 ? BYTE(at * 7) : 0) << at;
        }
    }
    for (int at = OUTPUT_OFFSET; at < 5000; ++at) {
        BYTE want = BYTE(at * 7);
        if (at == OutputBlockOffset(6) + LOCK_MARK_BYTE)
            want = '!';
        else if (at >= OutputBlockOffset(0) + LOCK_PASSWORD_BYTE && at < OutputBlockOffset(0) + LOCK_PASSWORD_BYTE + 6)
            want = BYTE("abc123"[at - OutputBlockOffset(0) - LOCK_PASSWORD_BYTE]);
        ASSERT_EQ(g_CurrentImage.bytes[at], want) << at;
    }
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(g_SystemBytes[i], i + 1) << i;
    for (int i = 32; i < 40; ++i)
        EXPECT_EQ(g_SystemBytes[i], 0) << i;
    EXPECT_EQ(g_SystemBytes[40], 3);
    for (int i = 41; i < 48; ++i)
        EXPECT_EQ(g_SystemBytes[i], i + 1) << i;
    for (int i = 0; i < 98; ++i)
        EXPECT_EQ(g_ModeGains[i], i < 50 ? BYTE(200 - i) : 0) << i;
    // A lock marker in any output locks the data; the password comes along.
    EXPECT_TRUE(g_bDataLocked);
    EXPECT_EQ(g_strLockPassword, QStringLiteral("abc123"));
    (void)written;
}

TEST_F(JsonPresetFileTest, ExtraMusicEntriesAreSkippedAndHeadersCopied)
{
    QString path = EditedFile([](cJSON* root) {
        cJSON* music = cJSON_GetObjectItem(cJSON_GetObjectItem(cJSON_GetObjectItem(root, "data"), "music"), "music");
        for (int extra = 0; extra < 2; ++extra) {
            cJSON* entry = cJSON_CreateArray();
            for (int i = 0; i < 10; ++i)
                cJSON_AddItemToArray(entry, cJSON_CreateNumber(9));
            cJSON_AddItemToArray(music, entry);
        }
        cJSON_ReplaceItemInObject(cJSON_GetObjectItem(root, "vmx"), "company_name", cJSON_CreateString("新公司"));
        cJSON_ReplaceItemInObject(cJSON_GetObjectItem(root, "data_info"), "data_encryption_bool", cJSON_CreateTrue());
        cJSON_ReplaceItemInObject(root, "fileType", cJSON_CreateString("all"));
    });
    LiveSnapshot before = LiveSnapshot::Take();
    ASSERT_TRUE(json.Read(0, 0, path));
    EXPECT_TRUE(LiveSnapshot::Take() == before);  // same bytes; the extras went nowhere
    EXPECT_EQ(QString::fromUtf8(json.m_Header.maker[4]), QString::fromUtf8("新公司"));
    EXPECT_EQ(json.m_Header.nEncryptionBool, 1);
    EXPECT_EQ(json.m_strFileType, QByteArray("all"));
}

TEST_F(JsonPresetFileTest, BadFilesAreRefusedAndChangeNothing)
{
    auto data = [](cJSON* root) { return cJSON_GetObjectItem(root, "data"); };
    auto system = [&](cJSON* root) { return cJSON_GetObjectItem(data(root), "system"); };
    auto firstOutput = [&](cJSON* root) {
        return cJSON_GetArrayItem(cJSON_GetObjectItem(cJSON_GetObjectItem(data(root), "output"), "output"), 0);
    };
    struct Case {
        const char* what;
        std::function<void(cJSON*)> edit;
    };
    const Case cases[] = {
        {"current preset 7", [&](cJSON* r) { cJSON_ReplaceItemInArray(cJSON_GetObjectItem(system(r), "cur_password_data"), 0, cJSON_CreateNumber(7)); }},
        {"missing client", [](cJSON* r) { cJSON_DeleteItemFromObject(r, "client"); }},
        {"missing header key", [](cJSON* r) { cJSON_DeleteItemFromObject(cJSON_GetObjectItem(r, "vmx"), "company_qq"); }},
        {"missing fileType", [](cJSON* r) { cJSON_DeleteItemFromObject(r, "fileType"); }},
        {"fileType not text", [](cJSON* r) { cJSON_ReplaceItemInObject(r, "fileType", cJSON_CreateNumber(1)); }},
        {"bool as number", [](cJSON* r) { cJSON_ReplaceItemInObject(cJSON_GetObjectItem(r, "data_info"), "data_encryption_bool", cJSON_CreateNumber(0)); }},
        {"number as text", [](cJSON* r) { cJSON_ReplaceItemInObject(cJSON_GetObjectItem(r, "data_info"), "data_group_num", cJSON_CreateString("1")); }},
        {"missing system array", [&](cJSON* r) { cJSON_DeleteItemFromObject(system(r), "system_data"); }},
        {"missing looked-up array", [&](cJSON* r) { cJSON_DeleteItemFromObject(system(r), "out_led"); }},
        {"value 256", [&](cJSON* r) { cJSON_ReplaceItemInArray(firstOutput(r), 5, cJSON_CreateNumber(256)); }},
        {"value -1", [&](cJSON* r) { cJSON_ReplaceItemInArray(firstOutput(r), 295, cJSON_CreateNumber(-1)); }},
        {"value 1.5", [&](cJSON* r) { cJSON_ReplaceItemInArray(firstOutput(r), 7, cJSON_CreateNumber(1.5)); }},
        {"value as text", [&](cJSON* r) { cJSON_ReplaceItemInArray(firstOutput(r), 7, cJSON_CreateString("1")); }},
        {"output entry of 297", [&](cJSON* r) { cJSON_AddItemToArray(firstOutput(r), cJSON_CreateNumber(0)); }},
        {"spk type of 17", [&](cJSON* r) { cJSON_AddItemToArray(cJSON_GetObjectItem(system(r), "system_spk_type"), cJSON_CreateNumber(0)); }},
        {"sound delay of 99", [&](cJSON* r) {
             cJSON* a = cJSON_GetObjectItem(system(r), "sound_delay_field");
             while (cJSON_GetArraySize(a) < 99)
                 cJSON_AddItemToArray(a, cJSON_CreateNumber(1));
         }},
        {"music not an array", [&](cJSON* r) { cJSON_ReplaceItemInObject(cJSON_GetObjectItem(data(r), "music"), "music", cJSON_CreateObject()); }},
        {"missing data", [](cJSON* r) { cJSON_DeleteItemFromObject(r, "data"); }},
    };
    // Make the live data differ from the file, so a partial take shows.
    std::string base;
    for (const Case& c : cases) {
        QString path = EditedFile(c.edit);
        for (int i = OUTPUT_OFFSET; i < 5000; ++i)
            g_CurrentImage.bytes[i] ^= 0x5A;
        g_SystemBytes[3] = 11;
        g_ModeGains[0] = 12;
        LiveSnapshot before = LiveSnapshot::Take();
        QByteArray makerBefore = json.m_Header.maker[0] = "unchanged";
        EXPECT_FALSE(json.Read(0, 0, path)) << c.what;
        EXPECT_TRUE(LiveSnapshot::Take() == before) << c.what;
        EXPECT_EQ(json.m_Header.maker[0], makerBefore) << c.what;
    }

    // Text that is no JSON at all is reported.
    for (const QByteArray& junk : {QByteArray("{\"vmx\": "), QByteArray(), QByteArray("\xff\xfe\x00", 3)}) {
        WriteAll(Path("junk.json"), junk);
        CMessageBoxSpy spy;
        LiveSnapshot before = LiveSnapshot::Take();
        EXPECT_FALSE(json.Read(0, 0, Path("junk.json")));
        EXPECT_TRUE(LiveSnapshot::Take() == before);
        ASSERT_EQ(spy.shown.size(), 1u);
        EXPECT_EQ(spy.shown[0].text, QStringLiteral("Read MusicFile  Error"));
        EXPECT_EQ(spy.shown[0].helpId, -3);
    }
}

TEST_F(JsonPresetFileTest, WriteReportsFailure)
{
    EXPECT_FALSE(json.Write(0, 0, Path("no/such/folder/a.json")));
}

}  // namespace
