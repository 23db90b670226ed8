#include "model/DataDefine.h"

#include <cstring>

#include "model/FrameBuilder.h"
#include "model/InputSourceTable.h"
#include "model/OutputFlagSet.h"
#include "model/SpeakerGroups.h"
#include "model/SpeakerPosition.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/core/TextCodec.h"

DeviceImage g_CurrentImage = {};
DeviceImage g_MachinePresets[MACHINE_PRESET_COUNT] = {};
BYTE g_SystemBytes[SYSTEM_BYTE_COUNT] = {};
char g_szDeviceVersion[DEVICE_VERSION_SIZE] = {};
BYTE g_ModeGains[MODE_GAINS_SIZE] = {};
int g_SyncItemCodes[SYNC_ITEM_COUNT] = {};
int g_nDeviceStatus[DEVICE_STATUS_COUNT] = {};
BYTE g_FrameHeader[FRAME_HEADER_SIZE] = {};

int g_nUiMode = 0;
int g_nCurOutput = 0;
int g_nInputMode = 0;
int g_nSourceTable = 0;
bool g_abShowCurve[OUTPUT_COUNT] = {};
bool g_bOutputLinkOn = false;
bool g_bOutputMapLocked = false;
int g_nLinkGroup[OUTPUT_COUNT] = {};
BYTE g_DefaultSpeakerPositions[38] = {};

QString g_strCustomName = QStringLiteral("Custom");
QString g_strEmptyName;
QString g_strNullPort = QStringLiteral("NULL");
QString g_strAppTitle = QStringLiteral("Orvane 7734");

namespace {
const BYTE kDefaultPositions[OUTPUT_COUNT] = {6, 12, 15, 18, 0, 0, 0, 0, 0, 0, 22, 23};

BYTE* Block(DeviceImage& image, int offset) { return image.bytes + offset; }

void WriteDefaultBands(BYTE* block, int count)
{
    for (int band = 0; band < count; ++band)
        WriteBandRecord(block + RECORD_SIZE * band, 1000, GAIN_CODE_FLAT, 0, 0, 0);
}

// Sources (1 to 16) mixed in at level 100 by a speaker position.
void WriteDefaultMix(BYTE* outputBlock, int code)
{
    static const int kFrontLeft[] = {1, 11, 13, 15};
    static const int kFrontRight[] = {2, 12, 14, 16};
    static const int kRearLeft[] = {3, 11, 13, 15};
    static const int kRearRight[] = {4, 12, 14, 16};
    static const int kBoth[] = {1, 2, 11, 12, 13, 14, 15, 16};

    BYTE* mix = outputBlock + 264;
    std::memset(mix, 0, 16);
    const int* sources = nullptr;
    int count = 0;
    auto use = [&](const int* list, int n) { sources = list; count = n; };
    code = PositionCodeOrNone(code);
    if (code >= 1 && code <= 6)
        use(kFrontLeft, 4);
    else if (code >= 7 && code <= 12)
        use(kFrontRight, 4);
    else if (code >= 13 && code <= 15)
        use(kRearLeft, 4);
    else if (code >= 16 && code <= 18)
        use(kRearRight, 4);
    else if (code >= 19 && code <= 21)
        use(kBoth, 8);
    else if (code == 22)
        use(kFrontLeft, 4);
    else if (code == 23)
        use(kFrontRight, 4);
    else if (code == 24)
        use(kBoth, 8);
    for (int k = 0; k < count; ++k)
        mix[sources[k] - 1] = 100;
}
}  // namespace

void WriteBandRecord(BYTE* record, int frequency, int gainCode, int bandwidth, int slope, int kind)
{
    PutWord(record, frequency);
    PutWord(record + 2, gainCode);
    PutWord(record + 4, bandwidth);
    record[6] = BYTE(slope);
    record[7] = BYTE(kind);
}

void InitDefaultDeviceData()
{
    // Start from zero, so that every byte the steps below do not name is 0.
    std::memset(&g_CurrentImage, 0, sizeof g_CurrentImage);
    std::memset(g_MachinePresets, 0, sizeof g_MachinePresets);
    std::memset(g_SystemBytes, 0, sizeof g_SystemBytes);
    std::memset(g_szDeviceVersion, 0, sizeof g_szDeviceVersion);

    // 1. Music blocks.
    for (int ch = 0; ch < MUSIC_COUNT; ++ch) {
        BYTE* block = Block(g_CurrentImage, MusicBlockOffset(ch));
        block[31 * 8 + 0] = 0;
        block[31 * 8 + 2] = 1;  // GEQ
        std::memset(block + 33 * 8 + 1, 0, 7);
        std::memset(block + 34 * 8 + 4, 0, 4);
        WriteDefaultBands(block, 31);
    }
    // 2. Mic block.
    {
        BYTE* block = Block(g_CurrentImage, MIC_OFFSET);
        std::memset(block + 11 * 8 + 1, 0, 7);
        std::memset(block + 12 * 8 + 4, 0, 4);
        WriteDefaultBands(block, 9);
    }
    // 3. Output blocks: bands 9 to 30 stay zero.
    for (int ch = 0; ch < OUTPUT_COUNT; ++ch) {
        BYTE* block = Block(g_CurrentImage, OutputBlockOffset(ch));
        block[31 * 8 + 6] = 0;
        std::memset(block + 35 * 8 + 6, 0, 2);
        std::memset(block + 36 * 8 + 0, 0, 2);
        WriteDefaultBands(block, 9);
    }
    // 4. Effect region.
    {
        BYTE* region = Block(g_CurrentImage, EFFECT_OFFSET);
        for (int offset : {130, 132, 133, 135, 140, 141, 142})
            region[offset] = 0;
        WriteDefaultBands(region, 8);
    }
    // 5. Machine-preset names: 15 spaces and a NUL.
    for (DeviceImage& preset : g_MachinePresets) {
        std::memset(preset.bytes, ' ', 15);
        preset.bytes[15] = 0;
    }
    // 6. Mode gains.
    std::memset(g_ModeGains, 0, sizeof g_ModeGains);
    // 7. System bytes and the view's copies.
    g_SystemBytes[0] = 1;
    for (int k = 2; k <= 7; ++k)
        g_SystemBytes[k] = 60;
    PutWord(g_SystemBytes + 8, 60);
    g_SystemBytes[11] = 55;
    g_SystemBytes[14] = 1;
    g_SystemBytes[35] = 3;
    g_SystemBytes[36] = 255;
    g_SystemBytes[39] = 2;
    g_nUiMode = 1;
    g_nCurOutput = 0;
    g_nInputMode = 0;
    g_nSourceTable = 0;
    // 8. The frame preamble.
    std::memset(g_FrameHeader, 0, sizeof g_FrameHeader);
    WriteFramePreamble(g_FrameHeader);
    // 9. Device status.
    std::memset(g_nDeviceStatus, 0, sizeof g_nDeviceStatus);
    // 10. Items of the bulk read (the last is the version).
    const int syncItems[SYNC_ITEM_COUNT] = {0, 52, 2, 5, 6, 7, 4};
    std::memcpy(g_SyncItemCodes, syncItems, sizeof g_SyncItemCodes);
    // 11. Speaker positions, 12. the mix each position brings.
    ResetSpeakerPositions();
    std::memcpy(g_byOutputPosition, kDefaultPositions, OUTPUT_COUNT);
    for (int ch = 0; ch < OUTPUT_COUNT; ++ch)
        WriteDefaultMix(Block(g_CurrentImage, OutputBlockOffset(ch)), g_byOutputPosition[ch]);
    std::memcpy(g_DefaultSpeakerPositions, g_SpeakerPositionTable, sizeof g_DefaultSpeakerPositions);
    std::memcpy(g_OutputMap, g_byOutputPosition, OUTPUT_COUNT);
    g_SpeakerGroups.Update();
    ApplyOutputPositions();
    // 13. Pairs, links, the input-source table, the flag set, curve flags.
    for (SpeakerPair& pair : g_LeftRightPairs)
        pair.bUsed = 0;
    g_bOutputLinkOn = false;
    g_bOutputMapLocked = false;
    g_InputSourceTable.Init();
    g_OutputFlagSet.Reset();
    for (bool& show : g_abShowCurve)
        show = false;
}

void RepairOutputFilterLimits()
{
    for (int ch = 0; ch < OUTPUT_COUNT; ++ch) {
        BYTE* block = g_CurrentImage.bytes + OutputBlockOffset(ch);
        // The position the image itself holds, not the live table's.
        if (!IsTweeterPosition(block[31 * 8 + 7]))
            continue;
        BYTE* crossover = block + 32 * 8;
        int highPass = std::int16_t(GetWord(crossover));
        if (highPass < 20) {
            PutWord(crossover, 20);
            if (20 > GetWord(crossover + 4))
                PutWord(crossover + 4, 20000);
        }
        if (crossover[3] == 8)
            crossover[3] = 1;
    }
}

int IsDataLocked()
{
    for (int ch = 0; ch < OUTPUT_COUNT; ++ch) {
        if (g_CurrentImage.bytes[OutputBlockOffset(ch) + LOCK_MARK_BYTE] == '!')
            return 1;
    }
    return 0;
}

int IsOutputLinked(int output)
{
    if (output < 0 || output >= OUTPUT_COUNT)
        return 0;
    for (int k = 0; k < OUTPUT_COUNT; ++k) {
        if (k != output && g_nLinkGroup[k] == g_nLinkGroup[output])
            return 1;
    }
    return 0;
}

int IsDuplicatePresetData(int except, const BYTE* data, bool /*machine*/, int length)
{
    if (data == nullptr || length <= 0)
        return 0;
    if (length > IMAGE_SIZE)
        length = IMAGE_SIZE;
    for (int k = 0; k < MACHINE_PRESET_COUNT; ++k) {
        if (k != except && std::memcmp(g_MachinePresets[k].bytes, data, size_t(length)) == 0)
            return 1;
    }
    return 0;
}

int IsBlankString(const QString& text)
{
    return text.trimmed().isEmpty() ? 1 : 0;
}

QByteArray FixedFieldBytes(const char* field, int n)
{
    if (field == nullptr || n <= 0)
        return QByteArray();
    int length = 0;
    while (length < n && field[length] != '\0')
        ++length;
    return QByteArray(field, length);
}

QString FixedFieldToStringN(const char* field, int n)
{
    return FromDeviceBytes(FixedFieldBytes(field, n)).trimmed();
}

QString FixedFieldToString(const char* field, int size)
{
    return FixedFieldToStringN(field, size - 1);
}

bool StringToFixedField(char* field, int size, const QString& text)
{
    return BytesToFixedField(field, size, ToDeviceBytes(text));
}

bool BytesToFixedField(char* field, int size, const QByteArray& bytes)
{
    if (field == nullptr || bytes.size() >= size) {
        AppNoticeBox(QString::fromUtf8("字符长度错误!"), QStringLiteral("Char len error!"));
        return false;
    }
    std::memset(field, 0, size_t(size));
    std::memcpy(field, bytes.constData(), size_t(bytes.size()));
    return true;
}

QString LockPasswordFromImage(const DeviceImage& image)
{
    const char* field = reinterpret_cast<const char*>(image.bytes + OutputBlockOffset(0) + LOCK_PASSWORD_BYTE);
    return FromDeviceBytes(FixedFieldBytes(field, LOCK_PASSWORD_SIZE));
}

int PositionCodeOrNone(int code)
{
    return (code < 0 || code > 24) ? 0 : code;
}

int InputSourceFromSystemByte(BYTE value)
{
    return value > 5 ? 6 : value;
}
