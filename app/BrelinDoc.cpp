#include "app/BrelinDoc.h"

#include <cstring>

#include "model/DataDefine.h"
#include "model/DataLockState.h"
#include "model/ParameterSetLock.h"
#include "platform/core/Archive.h"
#include "platform/core/FileIO.h"

const QString g_strPresetFileHeader = QStringLiteral("Brelinx_File_2.0");
const QString g_strAllPresetsFileHeader = QStringLiteral("Brelinx_ALLFile_2.0");
const QString g_strMapFileHeader = QStringLiteral("Brelinx_Map");
const QString g_strModeFileHeader = QStringLiteral("Mode_File");

namespace {

// Preset files are a few kilobytes; anything far larger is not one.
constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

// Image offsets of the lock fields of output block 0.
const int kLockFlagAt = OUTPUT_OFFSET + LOCK_FLAG_BYTE;          // 1736
const int kPasswordAt = OUTPUT_OFFSET + LOCK_PASSWORD_BYTE;      // 1738

// Trailer of the all-presets file: the system bytes in file order (8 and 9
// are one 16-bit value, which is the same two bytes little-endian).
const int kAllPresetsTrailer[] = {0, 10, 8, 9, 1, 11, 0, 34, 36, 37, 38, 39, 12, 13, 14,
                                  16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27};
constexpr int kTrailerSize = int(sizeof kAllPresetsTrailer / sizeof kAllPresetsTrailer[0]);
static_assert(kTrailerSize == 27, "all-presets trailer");

constexpr int kModeRows = 4;
constexpr int kModeRowBytes = 24;

// Reads the header string; a length prefix that does not fit the expected
// header is refused before anything is read or allocated.
bool ReadHeader(CArchive& ar, const QString& expected)
{
    QByteArray bytes;
    if (!ar.ReadStringBytes(bytes, quint32(expected.size())))
        return false;
    return bytes == expected.toLatin1();
}

// The lock fields the writers stamp into the live image just before they
// copy it: the file lock flag, and the password while locked. The password
// field is made before the parameter set is locked, since a bad password is
// reported in a message box.
struct LockStamp {
    bool locked = false;
    char password[LOCK_PASSWORD_SIZE + 1] = {};
};

LockStamp TakeLockStamp()
{
    LockStamp stamp;
    stamp.locked = g_bDataLocked.load();
    if (stamp.locked)
        StringToFixedField(stamp.password, sizeof stamp.password, g_strLockPassword);
    return stamp;
}

void StampLockFields(const LockStamp& stamp)
{
    if (stamp.locked) {
        g_CurrentImage.bytes[kLockFlagAt] = 0x21;
        std::memcpy(g_CurrentImage.bytes + kPasswordAt, stamp.password, LOCK_PASSWORD_SIZE);
    } else {
        g_CurrentImage.bytes[kLockFlagAt] = 0x20;
    }
}

// A crossover record of the output-map file holds each slope before its
// family, the table the other way round. The swap undoes itself, so reading
// and writing share it.
void SwapSlopesAndFamilies(const BYTE* from, BYTE* to)
{
    const int order[RECORD_SIZE] = {0, 1, 3, 2, 4, 5, 7, 6};
    for (int k = 0; k < RECORD_SIZE; ++k)
        to[k] = from[order[k]];
}

}  // namespace

bool CBrelinDoc::OnNewDocument()
{
    m_strTitle.clear();
    return true;
}

int CBrelinDoc::SerializePresetFile(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteString(g_strPresetFileHeader);
        const LockStamp stamp = TakeLockStamp();
        ParameterSetGuard guard(g_ParameterSetLock);
        m_KTVData.StoreToRaw();
        StampLockFields(stamp);
        ar.Write(g_CurrentImage.bytes, IMAGE_SIZE);
        return 1;
    }
    if (!ReadHeader(ar, g_strPresetFileHeader))
        return 0;
    DeviceImage image;
    if (!ar.Read(image.bytes, IMAGE_SIZE))
        return 0;

    ParameterSetGuard guard(g_ParameterSetLock);
    g_CurrentImage = image;
    g_bDataLocked = IsDataLocked() != 0;
    if (g_bDataLocked)
        g_strLockPassword = LockPasswordFromImage(g_CurrentImage);
    RepairOutputFilterLimits();
    m_KTVData.LoadFromRaw(g_CurrentImage.bytes, -1);
    return 1;
}

int CBrelinDoc::SerializeAllPresetsFile(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteString(g_strAllPresetsFileHeader);
        const LockStamp stamp = TakeLockStamp();
        ParameterSetGuard guard(g_ParameterSetLock);
        for (const DeviceImage& preset : g_MachinePresets)
            ar.Write(preset.bytes, IMAGE_SIZE);
        m_KTVData.StoreToRaw();
        StampLockFields(stamp);
        ar.Write(g_CurrentImage.bytes, IMAGE_SIZE);
        for (int systemByte : kAllPresetsTrailer)
            ar << g_SystemBytes[systemByte];
        return 1;
    }
    if (!ReadHeader(ar, g_strAllPresetsFileHeader))
        return 0;
    DeviceImage presets[MACHINE_PRESET_COUNT];
    DeviceImage image;
    BYTE trailer[kTrailerSize];
    for (DeviceImage& preset : presets)
        ar.Read(preset.bytes, IMAGE_SIZE);
    ar.Read(image.bytes, IMAGE_SIZE);
    ar.Read(trailer, kTrailerSize);
    if (ar.HasError())
        return 0;

    ParameterSetGuard guard(g_ParameterSetLock);
    std::memcpy(g_MachinePresets, presets, sizeof g_MachinePresets);
    g_CurrentImage = image;
    // This format's lock test is the file lock flag, not the markers.
    g_bDataLocked = g_CurrentImage.bytes[kLockFlagAt] != 0x20;
    if (g_bDataLocked)
        g_strLockPassword = LockPasswordFromImage(g_CurrentImage);
    // System byte 0 comes twice; the second copy stays.
    for (int k = 0; k < kTrailerSize; ++k)
        g_SystemBytes[kAllPresetsTrailer[k]] = trailer[k];
    m_KTVData.LoadFromRaw(g_CurrentImage.bytes, -1);

    // The input mode read from the file gives way to the program's own in
    // the cases the input-page setting names.
    const BYTE setting = g_SystemBytes[35];
    const BYTE mode = g_SystemBytes[0];
    bool replace = (setting == 0 && (mode == 0 || mode == 2)) || (setting == 1 && mode == 0) ||
                   (setting == 2 && mode == 2);
    if (replace)
        g_SystemBytes[0] = BYTE(g_nInputMode);
    return 1;
}

int CBrelinDoc::SerializeOutputMapFile(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteString(g_strMapFileHeader);
        ParameterSetGuard guard(g_ParameterSetLock);
        ar.Write(g_OutputMap, OUTPUT_COUNT);
        m_KTVData.CopyCrossoversToMapTable();
        for (const BYTE* r : g_OutputMapCrossovers) {
            BYTE record[RECORD_SIZE];
            SwapSlopesAndFamilies(r, record);
            ar.Write(record, RECORD_SIZE);
        }
        return 1;
    }
    if (!ReadHeader(ar, g_strMapFileHeader))
        return 0;
    BYTE positions[OUTPUT_COUNT];
    BYTE records[OUTPUT_COUNT][RECORD_SIZE];
    ar.Read(positions, OUTPUT_COUNT);
    ar.Read(records, sizeof records);
    if (ar.HasError())
        return 0;

    ParameterSetGuard guard(g_ParameterSetLock);
    std::memcpy(g_OutputMap, positions, OUTPUT_COUNT);
    for (int k = 0; k < OUTPUT_COUNT; ++k)
        SwapSlopesAndFamilies(records[k], g_OutputMapCrossovers[k]);
    return 1;
}

int CBrelinDoc::SerializeModeFile(CArchive& ar)
{
    if (ar.IsStoring()) {
        ParameterSetGuard guard(g_ParameterSetLock);
        const BYTE row = g_ModeGains[96];
        if (row >= kModeRows)
            return 0;
        ar.WriteString(g_strModeFileHeader);
        ar << row;
        ar.Write(g_ModeGains + kModeRowBytes * row, kModeRowBytes);
        return 1;
    }
    if (!ReadHeader(ar, g_strModeFileHeader))
        return 0;
    BYTE row = 0;
    BYTE gains[kModeRowBytes];
    ar >> row;
    ar.Read(gains, kModeRowBytes);
    if (ar.HasError() || row >= kModeRows)
        return 0;

    ParameterSetGuard guard(g_ParameterSetLock);
    // The row number goes to the byte after the selected row, which itself
    // stays as it was.
    g_ModeGains[97] = row;
    std::memcpy(g_ModeGains + kModeRowBytes * row, gains, kModeRowBytes);
    return 1;
}

int CBrelinDoc::Serialize(PresetFileKind kind, CArchive& ar)
{
    switch (kind) {
    case PresetFileKind::Preset:
        return SerializePresetFile(ar);
    case PresetFileKind::AllPresets:
        return SerializeAllPresetsFile(ar);
    case PresetFileKind::OutputMap:
        return SerializeOutputMapFile(ar);
    case PresetFileKind::Mode:
        return SerializeModeFile(ar);
    }
    return 0;
}

int CBrelinDoc::LoadFile(PresetFileKind kind, const QString& path)
{
    QByteArray bytes;
    if (ReadWholeFile(path, kMaxFileSize, bytes) != FileReadResult::Ok)
        return 0;
    CArchive ar(bytes);
    return Serialize(kind, ar);
}

int CBrelinDoc::SaveFile(PresetFileKind kind, const QString& path)
{
    QByteArray bytes;
    CArchive ar(&bytes);
    if (Serialize(kind, ar) != 1)
        return 0;
    return WriteFileAtomically(path, bytes) ? 1 : 0;
}
