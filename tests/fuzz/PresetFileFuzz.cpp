// The four preset-file readers of the document, each through LoadFile (the
// file on the disk) and through its serialiser on the bytes in memory. The
// first input byte picks the kind and the path. A refused file changes no
// live byte and not the lock state; an accepted one, saved again, is read
// back to the same live bytes.
#include "app/BrelinDoc.h"
#include "model/DataDefine.h"
#include "platform/core/Archive.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/LiveSnapshot.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzStart();
    FuzzRestoreBaseline();
    static CBrelinDoc* doc = new CBrelinDoc;
    if (size < 1)
        return 0;
    static const PresetFileKind kKinds[] = {PresetFileKind::Preset, PresetFileKind::AllPresets,
                                            PresetFileKind::OutputMap, PresetFileKind::Mode};
    const PresetFileKind kind = kKinds[data[0] & 3];
    const bool fromDisk = (data[0] & 4) != 0;
    const QByteArray bytes = FuzzBytes(data + 1, size - 1);

    const CLiveSnapshot before;
    int result = 0;
    if (fromDisk) {
        result = doc->LoadFile(kind, FuzzWriteScratchFile("input", bytes));
    } else {
        CArchive ar(bytes);
        switch (kind) {
        case PresetFileKind::Preset: result = doc->SerializePresetFile(ar); break;
        case PresetFileKind::AllPresets: result = doc->SerializeAllPresetsFile(ar); break;
        case PresetFileKind::OutputMap: result = doc->SerializeOutputMapFile(ar); break;
        case PresetFileKind::Mode: result = doc->SerializeModeFile(ar); break;
        }
    }
    const CLiveSnapshot after;
    FuzzCheck(result == 0 || result == 1, "a reader answers 0 or 1");
    if (result == 0) {
        FuzzCheck(after == before, "a refused file changed live data");
        return 0;
    }
    // Accepted: what the program saves from it, it reads back unchanged.
    // (A mode file is read into the row after the selected one, so reading
    // one back is no round trip.)
    if (kind == PresetFileKind::Mode)
        return 0;
    const QString saved = FuzzWriteScratchFile("saved", QByteArray());
    FuzzCheck(doc->SaveFile(kind, saved) == 1, "an accepted file can be saved");
    const CLiveSnapshot written;
    FuzzCheck(doc->LoadFile(kind, saved) == 1, "a saved file is read back");
    FuzzCheck(CLiveSnapshot() == written, "reading back a saved file changes nothing");
    return 0;
}
