// The JSON preset reader, on the bytes in memory and through the file. A
// refused file changes no live byte and not the header; an accepted one,
// written again, is read back to the same live bytes (the header is not
// compared: the writer writes some of its fields as fixed values).
#include <memory>

#include <cjson/cJSON.h>

#include "app/JsonPresetFile.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/LiveSnapshot.h"

namespace {

bool SameHeader(const CJsonPresetFile& a, const CJsonPresetFile& b)
{
    for (int i = 0; i < CJsonPresetFile::MAKER_KEYS; ++i) {
        if (a.m_Header.maker[i] != b.m_Header.maker[i] || a.m_Header.client[i] != b.m_Header.client[i])
            return false;
    }
    for (int i = 0; i < CJsonPresetFile::DATA_INFO_KEYS; ++i) {
        if (a.m_Header.dataTexts[i] != b.m_Header.dataTexts[i])
            return false;
    }
    return a.m_Header.nEncryptionBool == b.m_Header.nEncryptionBool &&
           a.m_Header.nEncryptionByte == b.m_Header.nEncryptionByte && a.m_Header.nGroupNum == b.m_Header.nGroupNum &&
           a.m_Header.nHeadData == b.m_Header.nHeadData && a.m_strFileType == b.m_strFileType;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzStart();
    FuzzRestoreBaseline();
    if (size < 1)
        return 0;
    const bool fromDisk = (data[0] & 1) != 0;
    const QByteArray bytes = FuzzBytes(data + 1, size - 1);
    CJsonPresetFile file;
    const CJsonPresetFile fresh;
    const CLiveSnapshot before;
    bool accepted = false;
    if (fromDisk) {
        accepted = file.Read(0, 0, FuzzWriteScratchFile("input.json", bytes));
    } else {
        std::unique_ptr<cJSON, void (*)(cJSON*)> root(cJSON_ParseWithLength(bytes.constData(), size_t(bytes.size())),
                                                     cJSON_Delete);
        accepted = root && file.ParseTree(root.get(), 0, 0) == 1;
    }
    if (!accepted) {
        FuzzCheck(CLiveSnapshot() == before, "a refused JSON file changed live data");
        FuzzCheck(SameHeader(file, fresh), "a refused JSON file changed the header");
        return 0;
    }
    const QString saved = FuzzWriteScratchFile("saved.json", QByteArray());
    FuzzCheck(file.Write(0, 0, saved), "an accepted JSON file can be written");
    const CLiveSnapshot written;
    CJsonPresetFile again;
    FuzzCheck(again.Read(0, 0, saved), "a written JSON file is read back");
    FuzzCheck(CLiveSnapshot() == written, "reading back a written JSON file changes nothing");
    return 0;
}
