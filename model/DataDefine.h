#pragma once
// The device parameter image, the machine presets, the system bytes and the
// small helpers that live with them.
//
// All multi-byte numbers in the image and in the system bytes are
// little-endian. The image is a plain byte array with no header, checksum
// or version; the channel objects pack themselves into it.
#include <QByteArray>
#include <QString>

#include "platform/core/Types.h"

// ---- Image layout ----------------------------------------------------------
enum : int {
    IMAGE_SIZE = 5000,
    PRESET_NAME_OFFSET = 0,
    PRESET_NAME_SIZE = 16,
    EFFECT_OFFSET = 32,
    EFFECT_SIZE = 152,
    MIC_OFFSET = 184,
    MIC_BLOCK_SIZE = 112,
    MUSIC_OFFSET = 296,
    MUSIC_BLOCK_SIZE = 288,
    MUSIC_COUNT = 4,
    OUTPUT_OFFSET = 1448,
    OUTPUT_BLOCK_SIZE = 296,
    OUTPUT_COUNT = 12,
    RECORD_SIZE = 8,
    // Records of an output block after its 31 band records (0 to 30).
    OUTPUT_BASIC_RECORD = 31,
    OUTPUT_CROSSOVER_RECORD = 32,
    OUTPUT_MIX_LOW_RECORD = 33,
    OUTPUT_MIX_HIGH_RECORD = 34,
    OUTPUT_LIMITER_RECORD = 35,
    OUTPUT_NAME_RECORD = 36,
    MACHINE_PRESET_COUNT = 6,
    // Block types of the frames.
    BLOCK_MIC = 1,
    BLOCK_EFFECT = 2,
    BLOCK_MUSIC = 3,
    BLOCK_OUTPUT = 4,
    BLOCK_SYSTEM = 9,
    // A block frame of type 2 carries only the first 96 effect bytes.
    EFFECT_FRAME_SIZE = 96,
    // Lock field of the output blocks (block bytes).
    LOCK_FLAG_BYTE = 288,      // output block 0 only: lock flag of the image
    LOCK_MARK_BYTE = 289,      // every output block: '!' locked, ' ' not
    LOCK_PASSWORD_BYTE = 290,  // output block 0 only: six password bytes
    LOCK_PASSWORD_SIZE = 6,
    SYSTEM_BYTE_COUNT = 48,
    MODE_GAINS_SIZE = 98,
    DEVICE_VERSION_SIZE = 12,
    DEVICE_STATUS_COUNT = 35,
    SYNC_ITEM_COUNT = 7,
    // A band record's gain code is the band's gain index plus this.
    GAIN_CODE_OFFSET = 400,
    // Gain code of a flat band: gain index 200 (0 dB) + 400.
    GAIN_CODE_FLAT = 600,
};

struct DeviceImage {
    BYTE bytes[IMAGE_SIZE];
};

inline int MicBlockOffset(int channel) { return MIC_OFFSET + MIC_BLOCK_SIZE * channel; }
inline int MusicBlockOffset(int channel) { return MUSIC_OFFSET + MUSIC_BLOCK_SIZE * channel; }
inline int OutputBlockOffset(int channel) { return OUTPUT_OFFSET + OUTPUT_BLOCK_SIZE * channel; }

// Little-endian 16-bit access to image or frame bytes.
inline WORD GetWord(const BYTE* p) { return WORD(p[0] | (p[1] << 8)); }
inline void PutWord(BYTE* p, int v) { p[0] = BYTE(v & 0xFF); p[1] = BYTE((v >> 8) & 0xFF); }
// The same word read as a signed value.
inline short GetShort(const BYTE* p) { return short(GetWord(p)); }
// Whether a value fits the byte, or the 16-bit word (read signed or
// unsigned), of the device record that holds it.
inline bool FitsRecordByte(long long v) { return v >= 0 && v <= 0xFF; }
inline bool FitsRecordWord(long long v) { return v >= -0x8000 && v <= 0xFFFF; }

// Writes one EQ band record {frequency, gain code, bandwidth index, slope, kind}.
void WriteBandRecord(BYTE* record, int frequency, int gainCode, int bandwidth, int slope, int kind);

// ---- The live image, the machine presets, the system bytes -----------------
extern DeviceImage g_CurrentImage;
// Machine presets 1 to 6 at index slot - 1.
extern DeviceImage g_MachinePresets[MACHINE_PRESET_COUNT];

// Bytes 0 to 40 have roles (0-31 the payloads of system items 2, 5, 6, 7;
// 36 the input source; 40 the current preset); 41 to 47 are kept zero.
extern BYTE g_SystemBytes[SYSTEM_BYTE_COUNT];
inline BYTE& g_byInputMode = g_SystemBytes[0];
inline BYTE& g_byMasterOn = g_SystemBytes[14];
// Hi.Level wiring: 0 1-Way, 1 2-Way (saved in the all-presets file, carried
// by no system item).
inline BYTE& g_byHiLevelMode = g_SystemBytes[34];
// Optional input kinds that have buttons: bit 0 Phone, bit 1 S/PDIF.
inline BYTE& g_byInputButtonMask = g_SystemBytes[35];
inline BYTE* const g_OutputMap = g_SystemBytes + 16;  // 12 position codes
inline BYTE& g_byInputSource = g_SystemBytes[36];
// Three bytes kept with the input source (saved in the all-presets file,
// carried by no system item).
inline BYTE* const g_AdvSettingBytes = g_SystemBytes + 37;
inline BYTE& g_byCurrentPreset = g_SystemBytes[40];

extern char g_szDeviceVersion[DEVICE_VERSION_SIZE];
// Payload of system item 64: four rows of twelve signed 16-bit values (row
// r at 24 r), the selected row at 96, one more byte at 97.
extern BYTE g_ModeGains[MODE_GAINS_SIZE];
extern int g_SyncItemCodes[SYNC_ITEM_COUNT];
extern int g_nDeviceStatus[DEVICE_STATUS_COUNT];

// ---- Globals the defaults set ----------------------------------------------
extern int g_nUiMode;
extern int g_nCurOutput;
extern int g_nInputMode;
extern int g_nSourceTable;
extern bool g_abShowCurve[OUTPUT_COUNT];
extern bool g_bOutputLinkOn;
extern bool g_bOutputMapLocked;
// Link-group number of each output: equal numbers mean linked.
extern int g_nLinkGroup[OUTPUT_COUNT];
// Copy of the speaker-position table taken by the defaults (the map reset
// of the output page reads it).
extern BYTE g_DefaultSpeakerPositions[38];

extern QString g_strCustomName;  // "Custom": no machine preset is current
extern QString g_strEmptyName;   // ""
extern QString g_strNullPort;    // "NULL": no serial port
extern QString g_strAppTitle;    // "Orvane 7734"

// ---- Interfaces -------------------------------------------------------------
// Writes every default of the image, the machine-preset names, the system
// bytes and the globals above. Called once at start-up.
void InitDefaultDeviceData();
// Tweeter outputs never come out of a loaded preset with the high-pass off
// or below 20 Hz.
void RepairOutputFilterLimits();
// 1 when byte 289 of any output block of the live image is '!'.
int IsDataLocked();
// 1 when another output shares output's link group.
int IsOutputLinked(int output);
// 1 when data equals the first length bytes of another machine preset.
int IsDuplicatePresetData(int except, const BYTE* data, bool machine, int length);
// 1 when the text is empty after trimming spaces.
int IsBlankString(const QString& text);

// Fixed-length text fields of the image and of frames (GBK bytes).
// The bytes of a field up to its first zero, at most n.
QByteArray FixedFieldBytes(const char* field, int n);
QString FixedFieldToString(const char* field, int size);
QString FixedFieldToStringN(const char* field, int n);
// Copies text into a field of size bytes, zero-filled, when it is shorter
// than size; otherwise reports "Char len error!" and leaves the field as it
// was. Returns whether the field was written.
bool StringToFixedField(char* field, int size, const QString& text);
// The same for text already in device bytes.
bool BytesToFixedField(char* field, int size, const QByteArray& bytes);

// The lock password a locked image carries in output block 0 (bytes 290 to
// 295, cut at the first zero).
QString LockPasswordFromImage(const DeviceImage& image);

// What a speaker-position code read from an image, a file or the device
// means: a code above 24 (or below 0) is no position.
int PositionCodeOrNone(int code);
// What a system byte 36 value means as an input source: 0 to 5, or 6 (off)
// for anything above 5 (255 is the device's off).
int InputSourceFromSystemByte(BYTE value);

// A frame header holding only the preamble 0x82 0x82 0x82 0xEE, written by
// the defaults. The frame builders (model/FrameBuilder.h) write every frame,
// preamble included, into a buffer of its own.
enum : int { FRAME_HEADER_SIZE = 14 };
extern BYTE g_FrameHeader[FRAME_HEADER_SIZE];

// The master level word of system bytes 8 and 9 (0 to 66, 60 = 0 dB), read
// and written under the parameter-set lock.
#include "model/SystemWord.h"
inline const CSystemWord g_wMasterLevel{8};
