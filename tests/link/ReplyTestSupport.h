#pragma once
// Reply frames as the device sends them, encoded here on their own (not with
// the program's builders), and recorders for the displays the parser moves.
#include <mutex>
#include <vector>

#include <QFile>
#include <QString>

#include "link/ProgressDisplay.h"
#include "link/StatusDisplay.h"
#include "platform/core/Types.h"

using Bytes = std::vector<BYTE>;

struct ReplyHeader {
    int frameClass = 'S';
    int slot = 0;
    int block = 9;
    int item = 0;
    int record = 0;
};

// 82 82 82 EE, class, address 1, slot, block, item, record, 0, 0, length,
// payload, XOR of class to the last payload byte, AA.
inline Bytes EncodeReply(const ReplyHeader& h, const Bytes& payload)
{
    Bytes f = {0x82, 0x82, 0x82, 0xEE, BYTE(h.frameClass), 1, BYTE(h.slot), BYTE(h.block), BYTE(h.item),
               BYTE(h.record), 0, 0, BYTE(payload.size() & 0xFF), BYTE(payload.size() >> 8)};
    f.reserve(f.size() + payload.size() + 2);
    for (BYTE b : payload)
        f.push_back(b);
    BYTE x = 0;
    for (size_t k = 4; k < f.size(); ++k)
        x ^= f[k];
    f.push_back(x);
    f.push_back(0xAA);
    return f;
}

inline Bytes Ack(int item = 0) { return EncodeReply({'Q', 0, 9, item, 0}, {}); }
inline Bytes Resend() { return EncodeReply({'R', 0, 9, 0, 0}, {}); }
inline Bytes Data(int block, int item, const Bytes& payload, int slot = 0, int record = 0)
{
    return EncodeReply({'S', slot, block, item, record}, payload);
}

// A frame cut into 65-byte HID input reports: report id 0, 64 frame bytes,
// zero fill.
inline std::vector<std::vector<BYTE>> ToReports(const Bytes& frame)
{
    std::vector<std::vector<BYTE>> reports;
    for (size_t at = 0; at < frame.size(); at += 64) {
        std::vector<BYTE> report(65, 0);
        for (size_t k = 0; k < 64 && at + k < frame.size(); ++k)
            report[1 + k] = frame[at + k];
        reports.push_back(report);
    }
    return reports;
}

class CRecordingProgress : public IProgressDisplay {
public:
    explicit CRecordingProgress(int upper = 100) : m_nUpper(upper) {}
    void SetPos(int pos) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_nPos = pos;
        m_set.push_back(pos);
    }
    int GetPos() const override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_nPos;
    }
    int GetRangeUpper() const override { return m_nUpper; }
    std::vector<int> Set() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_set;
    }

private:
    mutable std::mutex m_mutex;
    const int m_nUpper;
    int m_nPos = 0;
    std::vector<int> m_set;
};

class CRecordingStatus : public IStatusDisplay {
public:
    void SetText(const QString& text) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_texts.push_back(text);
    }
    std::vector<QString> Texts() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_texts;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<QString> m_texts;
};

#include <cstring>

#include "model/DataDefine.h"

// Everything the reply parser may write into, copied whole.
struct ParserWritable {
    DeviceImage live;
    DeviceImage presets[MACHINE_PRESET_COUNT];
    BYTE system[SYSTEM_BYTE_COUNT];
    char version[DEVICE_VERSION_SIZE];
    BYTE gains[MODE_GAINS_SIZE];
    int status[DEVICE_STATUS_COUNT];

    static ParserWritable Capture()
    {
        ParserWritable s;
        std::memset(&s, 0, sizeof s);  // padding too, for the comparison
        std::memcpy(&s.live, &g_CurrentImage, sizeof s.live);
        std::memcpy(s.presets, g_MachinePresets, sizeof s.presets);
        std::memcpy(s.system, g_SystemBytes, sizeof s.system);
        std::memcpy(s.version, g_szDeviceVersion, sizeof s.version);
        std::memcpy(s.gains, g_ModeGains, sizeof s.gains);
        std::memcpy(s.status, g_nDeviceStatus, sizeof s.status);
        return s;
    }
    bool operator==(const ParserWritable& o) const { return std::memcmp(this, &o, sizeof o) == 0; }
};

#include "link/FirmwareUpdate.h"
#include "link/KTVCommand.h"
#include "link/LinkDisplays.h"
#include "link/LinkStatus.h"
#include "model/LinkState.h"
#include "platform/core/Language.h"

// The link's globals as a parser test starts: the default image, no link
// flags set, English texts, the given link kind, and the view as the
// parser's owner and the notify target.
inline void StartLinkTest(CKTVCommand& command, CMsgTarget& view, int linkType)
{
    InitDefaultDeviceData();
    ClearStatusBytes();
    g_bHandshakePending = false;
    g_bFirmwareRequested = false;
    g_bUpdateCancelled = false;
    g_bUpdateDone = false;
    g_bUpdateHasMcu = false;
    g_bChinese = false;
    g_nLinkType = linkType;
    g_pNotifyView = &view;
    command.SetOwner(&view);
}

// Writes content as a firmware file at path and makes it the file the update
// loads; false when it cannot be written.
inline bool UseUpdateFile(const QString& path, const Bytes& content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char*>(content.data()), qint64(content.size())) != qint64(content.size()))
        return false;
    g_strUpdateFilePath = path;
    return true;
}

// Puts the link's globals back at rest; no display stays published.
inline void EndLinkTest()
{
    g_pTransferProgress.Clear();
    g_pUpdateProgress.Clear();
    m_pCurHexUpTip.Clear();
    g_bHandshakePending = false;
    g_bFirmwareRequested = false;
    g_bUpdateCancelled = false;
    g_bUpdateDone = false;
    g_nLinkType = 0;
    g_pNotifyView = nullptr;
    ClearStatusBytes();
}
