#include "app/JsonPresetFile.h"

#include <cjson/cJSON.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "model/DataDefine.h"
#include "model/DataLockState.h"
#include "model/ParameterSetLock.h"
#include "platform/core/FileIO.h"
#include "platform/core/MessageBoxHook.h"

namespace {

constexpr qint64 kMaxJsonSize = 16 * 1024 * 1024;

const char* const kMakerObject = "vmx";
const char* const kMakerKeys[CJsonPresetFile::MAKER_KEYS] = {
    "company_brand", "company_briefing_en", "company_briefing_zh", "company_contacts", "company_name",
    "company_qq", "company_tel", "company_web", "company_weixin",
};

// data_info keys in file order; the four non-texts are marked, the three
// numbers with the header field they go to.
enum KeyKind { Text, Bool, Number };
using HeaderNumber = int CJsonPresetFile::Header::*;
struct DataInfoKey {
    const char* name;
    KeyKind kind;
    HeaderNumber number;
};
const DataInfoKey kDataInfoKeys[] = {
    {"data_android_version", Text, nullptr},
    {"data_car_brand", Text, nullptr},
    {"data_car_type", Text, nullptr},
    {"data_eff_briefing", Text, nullptr},
    {"data_encryption_bool", Bool, nullptr},
    {"data_encryption_byte", Number, &CJsonPresetFile::Header::nEncryptionByte},
    {"data_group_name", Text, nullptr},
    {"data_group_num", Number, &CJsonPresetFile::Header::nGroupNum},
    {"data_head_data", Number, &CJsonPresetFile::Header::nHeadData},
    {"data_ios_version", Text, nullptr},
    {"data_json_version", Text, nullptr},
    {"data_machine_type", Text, nullptr},
    {"data_mcu_version", Text, nullptr},
    {"data_pc_version", Text, nullptr},
    {"data_upload_time", Text, nullptr},
    {"data_user_info", Text, nullptr},
    {"data_user_mailbox", Text, nullptr},
    {"data_user_name", Text, nullptr},
    {"data_user_tel", Text, nullptr},
};
constexpr int kDataInfoCount = int(sizeof kDataInfoKeys / sizeof kDataInfoKeys[0]);

// Byte arrays of data/system: key, first byte, the bytes the file writes,
// and the most the reader may take (the size of the field they belong to).
enum Target { SystemBytes, ModeGains };
struct SystemArray {
    const char* name;
    Target target;
    int first;
    int written;
    int maxRead;
};
const SystemArray kSystemArrays[] = {
    {"cur_password_data", SystemBytes, 40, 8, 8},
    {"pc_source_set", SystemBytes, 0, 8, 8},
    {"sound_delay_field", ModeGains, 0, 50, MODE_GAINS_SIZE},
    {"system_data", SystemBytes, 8, 8, 8},
    {"system_spk_type", SystemBytes, 16, 16, 16},
};

constexpr int kMusicBytesWritten = 112;

struct TreeDeleter {
    void operator()(cJSON* p) const { cJSON_Delete(p); }
};
using Tree = std::unique_ptr<cJSON, TreeDeleter>;

cJSON* ByteArray(const BYTE* bytes, int count)
{
    cJSON* array = cJSON_CreateArray();
    for (int i = 0; i < count; ++i)
        cJSON_AddItemToArray(array, cJSON_CreateNumber(bytes[i]));
    return array;
}

void AddTexts(cJSON* object, const char* const* keys, const QByteArray* values, int count)
{
    for (int i = 0; i < count; ++i)
        cJSON_AddStringToObject(object, keys[i], values[i].constData());
}

// ---- reading: every check before anything is taken -------------------------

const cJSON* Child(const cJSON* object, const char* key)
{
    return cJSON_IsObject(object) ? cJSON_GetObjectItemCaseSensitive(object, key) : nullptr;
}

bool TakeText(const cJSON* object, const char* key, QByteArray& out)
{
    const cJSON* item = Child(object, key);
    if (!cJSON_IsString(item) || item->valuestring == nullptr)
        return false;
    out = QByteArray(item->valuestring);  // a copy: the tree is freed after the read
    return true;
}

bool IsWholeNumberIn(const cJSON* item, double low, double high)
{
    if (!cJSON_IsNumber(item))
        return false;
    double v = item->valuedouble;
    return std::isfinite(v) && v == std::floor(v) && v >= low && v <= high;
}

bool TakeInt(const cJSON* object, const char* key, int& out)
{
    const cJSON* item = Child(object, key);
    if (!IsWholeNumberIn(item, -2147483648.0, 2147483647.0))
        return false;
    out = int(item->valuedouble);
    return true;
}

// An array of bytes (whole numbers 0 to 255) of at most maxCount values.
bool TakeBytes(const cJSON* array, int maxCount, std::vector<BYTE>& out)
{
    out.clear();
    if (!cJSON_IsArray(array) || cJSON_GetArraySize(array) > maxCount)
        return false;
    const cJSON* item = nullptr;
    cJSON_ArrayForEach(item, array)
    {
        if (!IsWholeNumberIn(item, 0, 255))
            return false;
        out.push_back(BYTE(item->valuedouble));
    }
    return true;
}

// Blocks of data/music or data/output: the first `count` entries of the
// named array inside the named object.
bool TakeBlocks(const cJSON* data, const char* key, int count, int blockSize, std::vector<std::vector<BYTE>>& out)
{
    const cJSON* array = Child(Child(data, key), key);
    if (!cJSON_IsArray(array))
        return false;
    out.clear();
    const cJSON* entry = nullptr;
    cJSON_ArrayForEach(entry, array)
    {
        if (int(out.size()) == count)
            break;  // further entries are skipped
        std::vector<BYTE> bytes;
        if (!TakeBytes(entry, blockSize, bytes))
            return false;
        out.push_back(std::move(bytes));
    }
    return true;
}

void ShowReadError()
{
    AppNoticeBox(QString::fromUtf8("读音乐文件错误!"), QStringLiteral("Read MusicFile  Error"));
}

}  // namespace

CJsonPresetFile::CJsonPresetFile()
{
    // Placeholder descriptions; the brand is the maker abbreviation.
    const char* maker[MAKER_KEYS] = {
        "VMX", "Audio processor maker", "音频处理器制造商", "Service desk", "音频设备有限公司",
        "10000", "000-00000000", "www.example.com", "Maker",
    };
    const char* client[MAKER_KEYS] = {
        "Client", "QZ", "Client", "000-00000000", "Client", "QQ", "000-00000000", "www.example.com", "WEIXIN",
    };
    for (int i = 0; i < MAKER_KEYS; ++i) {
        m_Header.maker[i] = maker[i];
        m_Header.client[i] = client[i];
    }
    const char* texts[DATA_INFO_KEYS] = {
        "ANQZ-AV1.01", "2016-02-30", "示例车型", "木吉他", "", "", "Share", "", "",
        "IOS-QZ-V1.00", "JsonV1.00", "QZ-DSP-40+", "QZ415-V1.00", "WZ415-V1.01", "", "Sample preset",
        "", "User", "000-00000000",
    };
    for (int i = 0; i < DATA_INFO_KEYS; ++i)
        m_Header.dataTexts[i] = texts[i];
    m_strFileType = "single";
    std::memset(m_anEffGroupName, 0, sizeof m_anEffGroupName);
    std::memset(m_anOutLed, 0, sizeof m_anOutLed);
    std::memset(m_anSystemGroupName, 0, sizeof m_anSystemGroupName);
}

void CJsonPresetFile::BuildTree(cJSON* root) const
{
    cJSON* maker = cJSON_AddObjectToObject(root, kMakerObject);
    AddTexts(maker, kMakerKeys, m_Header.maker, MAKER_KEYS);
    cJSON* client = cJSON_AddObjectToObject(root, "client");
    AddTexts(client, kMakerKeys, m_Header.client, MAKER_KEYS);

    cJSON* info = cJSON_AddObjectToObject(root, "data_info");
    for (int i = 0; i < kDataInfoCount; ++i) {
        const DataInfoKey& key = kDataInfoKeys[i];
        if (key.kind == Text)
            cJSON_AddStringToObject(info, key.name, m_Header.dataTexts[i].constData());
        else if (key.kind == Bool)
            cJSON_AddFalseToObject(info, key.name);
        else
            cJSON_AddNumberToObject(info, key.name, m_Header.*key.number);
    }

    ParameterSetGuard guard(g_ParameterSetLock);
    cJSON* data = cJSON_AddObjectToObject(root, "data");
    cJSON* music = cJSON_AddArrayToObject(cJSON_AddObjectToObject(data, "music"), "music");
    for (int ch = 0; ch < MUSIC_COUNT; ++ch)
        cJSON_AddItemToArray(music, ByteArray(g_CurrentImage.bytes + MusicBlockOffset(ch), kMusicBytesWritten));
    cJSON* output = cJSON_AddArrayToObject(cJSON_AddObjectToObject(data, "output"), "output");
    for (int ch = 0; ch < OUTPUT_COUNT; ++ch)
        cJSON_AddItemToArray(output, ByteArray(g_CurrentImage.bytes + OutputBlockOffset(ch), OUTPUT_BLOCK_SIZE));

    cJSON* system = cJSON_AddObjectToObject(data, "system");
    auto addSystem = [system](const char* name) {
        for (const SystemArray& a : kSystemArrays) {
            if (std::strcmp(a.name, name) == 0) {
                const BYTE* from = a.target == SystemBytes ? g_SystemBytes : g_ModeGains;
                cJSON_AddItemToObject(system, a.name, ByteArray(from + a.first, a.written));
            }
        }
    };
    // Key order of the file.
    addSystem("cur_password_data");
    cJSON_AddItemToObject(system, "eff_group_name", cJSON_CreateIntArray(m_anEffGroupName, GROUP_VALUES));
    cJSON_AddItemToObject(system, "out_led", cJSON_CreateIntArray(m_anOutLed, GROUP_VALUES));
    addSystem("pc_source_set");
    addSystem("sound_delay_field");
    addSystem("system_data");
    cJSON_AddItemToObject(system, "system_group_name", cJSON_CreateIntArray(m_anSystemGroupName, GROUP_VALUES));
    addSystem("system_spk_type");

    cJSON_AddStringToObject(root, "fileType", "single");
}

bool CJsonPresetFile::Write(int, int, const QString& path)
{
    Tree root(cJSON_CreateObject());
    if (!root)
        return false;
    BuildTree(root.get());
    char* text = cJSON_Print(root.get());
    if (text == nullptr)
        return false;
    QByteArray bytes(text);
    cJSON_free(text);
    return WriteFileAtomically(path, bytes);
}

bool CJsonPresetFile::Read(int a, int b, const QString& path)
{
    QByteArray bytes;
    if (ReadWholeFile(path, kMaxJsonSize, bytes) != FileReadResult::Ok) {
        ShowReadError();
        return false;
    }
    Tree root(cJSON_ParseWithLength(bytes.constData(), size_t(bytes.size())));
    if (!root) {
        ShowReadError();
        return false;
    }
    return ParseTree(root.get(), a, b) == 1;
}

int CJsonPresetFile::ParseTree(const cJSON* root, int, int)
{
    // Everything is read into these temporaries and checked; only a file
    // that passes every check is taken over.
    Header header;
    QByteArray fileType;
    std::vector<std::vector<BYTE>> music, output;
    std::vector<BYTE> system[sizeof kSystemArrays / sizeof kSystemArrays[0]];

    const cJSON* maker = Child(root, kMakerObject);
    const cJSON* client = Child(root, "client");
    const cJSON* info = Child(root, "data_info");
    if (!cJSON_IsObject(maker) || !cJSON_IsObject(client) || !cJSON_IsObject(info))
        return 0;
    for (int i = 0; i < MAKER_KEYS; ++i) {
        if (!TakeText(maker, kMakerKeys[i], header.maker[i]) || !TakeText(client, kMakerKeys[i], header.client[i]))
            return 0;
    }
    for (int i = 0; i < kDataInfoCount; ++i) {
        const DataInfoKey& key = kDataInfoKeys[i];
        if (key.kind == Text) {
            if (!TakeText(info, key.name, header.dataTexts[i]))
                return 0;
        } else if (key.kind == Bool) {
            const cJSON* item = Child(info, key.name);
            if (!cJSON_IsBool(item))
                return 0;
            header.nEncryptionBool = cJSON_IsTrue(item) ? 1 : 0;
        } else if (!TakeInt(info, key.name, header.*key.number)) {
            return 0;
        }
    }
    if (!TakeText(root, "fileType", fileType))
        return 0;

    const cJSON* data = Child(root, "data");
    if (!TakeBlocks(data, "music", MUSIC_COUNT, MUSIC_BLOCK_SIZE, music))
        return 0;
    if (!TakeBlocks(data, "output", OUTPUT_COUNT, OUTPUT_BLOCK_SIZE, output))
        return 0;
    const cJSON* sys = Child(data, "system");
    if (!cJSON_IsObject(sys))
        return 0;
    for (size_t k = 0; k < sizeof kSystemArrays / sizeof kSystemArrays[0]; ++k) {
        if (!TakeBytes(Child(sys, kSystemArrays[k].name), kSystemArrays[k].maxRead, system[k]))
            return 0;
    }
    // Looked up, never taken; but a file of ours always has them.
    for (const char* key : {"eff_group_name", "out_led", "system_group_name"}) {
        if (!cJSON_IsArray(Child(sys, key)))
            return 0;
    }
    // cur_password_data starts with the current preset number, 0 to 6.
    if (!system[0].empty() && system[0][0] > MACHINE_PRESET_COUNT)
        return 0;

    m_Header = header;
    m_strFileType = fileType;
    ParameterSetGuard guard(g_ParameterSetLock);
    for (size_t ch = 0; ch < music.size(); ++ch)
        std::memcpy(g_CurrentImage.bytes + MusicBlockOffset(int(ch)), music[ch].data(), music[ch].size());
    for (size_t ch = 0; ch < output.size(); ++ch)
        std::memcpy(g_CurrentImage.bytes + OutputBlockOffset(int(ch)), output[ch].data(), output[ch].size());
    for (size_t k = 0; k < sizeof kSystemArrays / sizeof kSystemArrays[0]; ++k) {
        BYTE* to = (kSystemArrays[k].target == SystemBytes ? g_SystemBytes : g_ModeGains) + kSystemArrays[k].first;
        if (!system[k].empty())
            std::memcpy(to, system[k].data(), system[k].size());
    }
    g_bDataLocked = IsDataLocked() != 0;
    if (g_bDataLocked)
        g_strLockPassword = LockPasswordFromImage(g_CurrentImage);
    return 1;
}
