#pragma once
// The document: owns the whole parameter set and reads and writes the PC
// preset files (single preset .kvas, all presets .kvaa, output map .qzvc,
// mode file). Each format is a header string and raw bytes of the live
// image, the machine presets and the system bytes.
//
// Readers parse the whole file into temporaries first and change the live
// data only when every byte the format needs was there; a damaged or
// foreign file changes nothing.
#include <QString>

#include "model/KTV_Data.h"

class CArchive;

extern const QString g_strPresetFileHeader;      // "Brelinx_File_2.0"
extern const QString g_strAllPresetsFileHeader;  // "Brelinx_ALLFile_2.0"
extern const QString g_strMapFileHeader;         // "Brelinx_Map"
extern const QString g_strModeFileHeader;        // "Mode_File"

enum class PresetFileKind { Preset, AllPresets, OutputMap, Mode };

class CBrelinDoc {
public:
    CBrelinDoc() = default;
    CBrelinDoc(const CBrelinDoc&) = delete;
    CBrelinDoc& operator=(const CBrelinDoc&) = delete;

    // A new document has an empty title.
    bool OnNewDocument();
    const QString& GetTitle() const { return m_strTitle; }

    // Each returns 1 done, 0 refused (wrong header, short file, a row that
    // does not exist); writing refuses only a mode row that does not exist.
    int SerializePresetFile(CArchive& ar);
    int SerializeAllPresetsFile(CArchive& ar);
    int SerializeOutputMapFile(CArchive& ar);
    int SerializeModeFile(CArchive& ar);

    // The file commands' entry points: read or write one file of the kind.
    // 1 done, 0 failed (cannot open, wrong or damaged file, write error);
    // the caller shows its message. A failed save leaves the old file.
    int LoadFile(PresetFileKind kind, const QString& path);
    int SaveFile(PresetFileKind kind, const QString& path);

    CKTV_Data m_KTVData;

private:
    int Serialize(PresetFileKind kind, CArchive& ar);

    QString m_strTitle;
};
