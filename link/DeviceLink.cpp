#include "link/DeviceLink.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include <QByteArray>
#include <QFileInfo>

#include "link/FirmwareUpdate.h"
#include "link/KTVCommand.h"
#include "model/DataDefine.h"
#include "model/FrameBuilder.h"
#include "model/LinkState.h"
#include "platform/core/FileIO.h"
#include "platform/core/Language.h"
#include "platform/core/MessageBoxHook.h"

namespace {
enum : int {
    // Payload sizes of the update commands.
    SYNC_PAYLOAD_SIZE = 48,
    APPLY_PAYLOAD_SIZE = 16,
    DSP_OFFSET_SIZE = 4,
    DSP_DATA_PAYLOAD_SIZE = DSP_OFFSET_SIZE + DSP_CHUNK_SIZE,
    END_PAYLOAD_SIZE = 1,
    // Full DSP chunks of a whole DSP image: the progress estimate counts them.
    DSP_FULL_CHUNKS = FIRMWARE_DSP_IMAGE_SIZE / DSP_CHUNK_SIZE,
    // What the progress bar holds beyond the chunks.
    PROGRESS_EXTRA_STEPS = 6,
    // A combined file's size counts five bytes less for the estimate.
    COMBINED_ESTIMATE_TRIM = 5,
    // Fill of the last MCU chunk, as erased flash reads.
    MCU_FILL_BYTE = 0xFF,
};
const BYTE SYNC_PAIR[2] = {0x43, 0x11};
const char DSP_TAG[] = "WDSP";
const char MCU_TAG[] = "WMCU";
const char BIN_EXTENSION[] = "bin";

// One update command: a write of system block type 9 whose item is the
// command code, built in its own buffer like every frame.
std::unique_ptr<CSendData> UpdateCommand(int code, const BYTE* payload, int length, int progressPos)
{
    std::unique_ptr<CSendData> command = BuildFrame({FRAME_CLASS_WRITE, 0, BLOCK_SYSTEM, code, 0, 0}, payload, length);
    command->SetCommandCode(code);
    command->SetProgressPos(progressPos);
    return command;
}

// Moves up to n bytes from the front of image into out; returns how many.
int TakeFront(std::deque<BYTE>& image, BYTE* out, int n)
{
    const int taken = std::min<int>(n, int(image.size()));
    std::copy_n(image.begin(), taken, out);
    image.erase(image.begin(), image.begin() + taken);
    return taken;
}

void ShowUpdateFileError()
{
    if (g_bChinese)
        AppMessageBox(QStringLiteral("更新文件错误!"), MB_OK, -2);
    else
        AppMessageBox(QStringLiteral("Update file error!"), MB_OK, -3);
}

// What a firmware file holds, read apart from the live update state.
struct FirmwareFile {
    std::deque<BYTE> dsp;
    std::deque<BYTE> mcu;
    bool hasDsp = false;
    bool hasMcu = false;
    // File size the progress estimate starts from.
    unsigned estimateSize = 0;
};

// The reader's position in the file bytes; reads past the end come short.
class FileCursor {
public:
    explicit FileCursor(const QByteArray& bytes) : m_bytes(bytes) {}
    // The next four bytes are exactly `tag`.
    bool ReadTag(const char* tag)
    {
        const bool whole = m_pos + FIRMWARE_TAG_SIZE <= size_t(m_bytes.size());
        const bool match = whole && std::memcmp(m_bytes.constData() + m_pos, tag, FIRMWARE_TAG_SIZE) == 0;
        m_pos = std::min(m_pos + FIRMWARE_TAG_SIZE, size_t(m_bytes.size()));
        return match;
    }
    void Append(std::deque<BYTE>& image, size_t n)
    {
        const size_t count = std::min(n, size_t(m_bytes.size()) - m_pos);
        const BYTE* from = reinterpret_cast<const BYTE*>(m_bytes.constData()) + m_pos;
        image.insert(image.end(), from, from + count);
        m_pos += count;
    }
    void Seek(size_t pos) { m_pos = std::min(pos, size_t(m_bytes.size())); }

private:
    const QByteArray& m_bytes;
    size_t m_pos = 0;
};

// Reads the sections of a firmware file; FALSE when its tags do not match.
bool ReadFirmware(const QByteArray& bytes, FirmwareFile& file)
{
    const size_t size = size_t(bytes.size());
    FileCursor cursor(bytes);
    file.estimateSize = unsigned(size);
    if (size < FIRMWARE_COMBINED_MIN) {
        if (!cursor.ReadTag(MCU_TAG))
            return false;
        cursor.Append(file.mcu, size);
        file.hasMcu = true;
    } else {
        if (cursor.ReadTag(DSP_TAG)) {
            // The byte behind the DSP image is never read.
            cursor.Append(file.dsp, FIRMWARE_DSP_IMAGE_SIZE);
            file.hasDsp = true;
            cursor.Seek(FIRMWARE_MCU_TAG_OFFSET);
        }
        if (cursor.ReadTag(MCU_TAG)) {
            cursor.Append(file.mcu, size - FIRMWARE_MCU_IMAGE_OFFSET);
            file.hasMcu = true;
        } else if (!file.hasDsp) {
            return false;
        }
        file.estimateSize = unsigned(size - COMBINED_ESTIMATE_TRIM);
    }
    // An MCU image must at least hold its start bytes: HEXStart sends them.
    return !file.hasMcu || file.mcu.size() >= MCU_START_SIZE;
}

BYTE McuChecksum(const std::deque<BYTE>& mcu)
{
    BYTE sum = MCU_CHECKSUM_SEED;
    for (size_t k = MCU_START_SIZE; k < mcu.size(); ++k)
        sum ^= mcu[k];
    return sum;
}

int ProgressTotal(const FirmwareFile& file)
{
    const unsigned chunks = file.hasDsp
                                ? (file.estimateSize - FIRMWARE_DSP_IMAGE_SIZE) / MCU_CHUNK_SIZE + DSP_FULL_CHUNKS
                                : file.estimateSize / MCU_CHUNK_SIZE;
    return int(chunks) + PROGRESS_EXTRA_STEPS;
}
}  // namespace

CDeviceLink::CDeviceLink(CKTVCommand& command) : m_command(command) {}

bool CDeviceLink::SelectUpdateFile(const QString& chosenPath)
{
    if (chosenPath.isEmpty())
        return false;
    g_strUpdateFilePath = chosenPath;
    const QFileInfo info(chosenPath);
    if (info.suffix() != QLatin1String(BIN_EXTENSION))
        return false;
    SetUpdateFolder(info.absolutePath());
    return true;
}

QString CDeviceLink::UpdateFolder() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_szUpdateFolder;
}

void CDeviceLink::SetUpdateFolder(const QString& folder)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_szUpdateFolder = folder;
}

bool CDeviceLink::LoadUpdateFile()
{
    QByteArray bytes;
    const FileReadResult read = ReadWholeFile(g_strUpdateFilePath, FIRMWARE_FILE_MAX, bytes);
    if (read == FileReadResult::CannotOpen) {
        ShowUpdateFileError();
        g_strUpdateFilePath.clear();
        return false;
    }

    FirmwareFile file;
    const bool ok = read == FileReadResult::Ok && ReadFirmware(bytes, file);
    if (!ok)
        file = FirmwareFile();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_arDspImage.swap(file.dsp);
        m_arMcuImage.swap(file.mcu);
        m_nDspUpdateStep = 0;
        // After a DSP image the DSP sequence has sent HEXApply already.
        m_nMcuUpdateStep = file.hasDsp ? 1 : 0;
        m_dwDspChunkOffset = 0;
        m_bUpdateSyncPending = true;
        // A file without an MCU image ends with the checksum of an empty one.
        m_byUpdateChecksum = McuChecksum(m_arMcuImage);
    }
    g_bUpdateHasMcu = file.hasMcu;
    g_nUpdateProgressTotal = ok ? ProgressTotal(file) : 0;
    g_bUpdateDone = false;
    if (!ok) {
        ShowUpdateFileError();
        return false;
    }
    return true;
}

BYTE CDeviceLink::UpdateChecksum() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_byUpdateChecksum;
}

void CDeviceLink::NextUpdateStep()
{
    m_command.AppendWhenIdle([this](CSendDataList& out) {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_bUpdateSyncPending) {
            BuildUpdateSyncPacket(out);
            m_bUpdateSyncPending = false;
        } else if (!m_arDspImage.empty()) {
            BuildDspUpdateStep(out);
        } else if (!m_arMcuImage.empty()) {
            BuildMcuUpdateStep(out);
        }
    });
}

void CDeviceLink::BuildUpdateSyncPacket(CSendDataList& out)
{
    BYTE payload[SYNC_PAYLOAD_SIZE];
    for (int k = 0; k < SYNC_PAYLOAD_SIZE; ++k)
        payload[k] = SYNC_PAIR[k % 2];
    // The transports send the sync pattern in place of this frame.
    out.push_back(UpdateCommand(HEXSync, payload, SYNC_PAYLOAD_SIZE, 0));
}

void CDeviceLink::BuildDspUpdateStep(CSendDataList& out)
{
    int n = 0;
    const BYTE empty[APPLY_PAYLOAD_SIZE] = {};
    if (m_nDspUpdateStep == 0) {
        out.push_back(UpdateCommand(HEXApply, empty, APPLY_PAYLOAD_SIZE, ++n));
        out.push_back(UpdateCommand(IAP_DSP_REQUEST_INFO, empty, APPLY_PAYLOAD_SIZE, ++n));
        m_nDspUpdateStep = 1;
    }
    if (m_nDspUpdateStep == 1 && !m_arDspImage.empty()) {
        BYTE payload[DSP_DATA_PAYLOAD_SIZE] = {};
        payload[0] = BYTE(m_dwDspChunkOffset);
        payload[1] = BYTE(m_dwDspChunkOffset >> 8);
        payload[2] = BYTE(m_dwDspChunkOffset >> 16);
        payload[3] = BYTE(m_dwDspChunkOffset >> 24);
        const bool last = m_arDspImage.size() <= DSP_CHUNK_SIZE;
        // The last chunk is filled up with zeros.
        TakeFront(m_arDspImage, payload + DSP_OFFSET_SIZE, DSP_CHUNK_SIZE);
        out.push_back(UpdateCommand(IAP_DSP_DATA, payload, DSP_DATA_PAYLOAD_SIZE, ++n));
        if (!last)
            m_dwDspChunkOffset += DSP_CHUNK_SIZE;
        else
            m_nDspUpdateStep = m_arMcuImage.empty() ? 2 : 3;
    }
    if (m_nDspUpdateStep == 2) {
        // HEXEnd goes with the last chunk and takes its number.
        out.push_back(UpdateCommand(HEXEnd, &m_byUpdateChecksum, END_PAYLOAD_SIZE, n));
        m_nDspUpdateStep = 4;
    }
}

void CDeviceLink::BuildMcuUpdateStep(CSendDataList& out)
{
    int n = 0;
    if (m_nMcuUpdateStep == 0) {
        const BYTE empty[APPLY_PAYLOAD_SIZE] = {};
        out.push_back(UpdateCommand(HEXApply, empty, APPLY_PAYLOAD_SIZE, ++n));
        m_nMcuUpdateStep = 1;
    }
    if (m_nMcuUpdateStep == 1) {
        BYTE start[MCU_START_SIZE] = {};
        TakeFront(m_arMcuImage, start, MCU_START_SIZE);
        out.push_back(UpdateCommand(HEXStart, start, MCU_START_SIZE, ++n));
        m_nMcuUpdateStep = 2;
    }
    if (m_nMcuUpdateStep == 2) {
        BYTE payload[MCU_CHUNK_SIZE];
        std::memset(payload, MCU_FILL_BYTE, sizeof payload);
        const bool last = m_arMcuImage.size() <= MCU_CHUNK_SIZE;
        TakeFront(m_arMcuImage, payload, MCU_CHUNK_SIZE);
        out.push_back(UpdateCommand(HEXData, payload, MCU_CHUNK_SIZE, ++n));
        if (last)
            m_nMcuUpdateStep = 3;
    }
    if (m_nMcuUpdateStep == 3) {
        out.push_back(UpdateCommand(HEXEnd, &m_byUpdateChecksum, END_PAYLOAD_SIZE, n));
        m_nMcuUpdateStep = 4;
    }
}
