#pragma once
// The simulated device: keeps a live image, six machine presets and the
// system bytes, and answers every frame as the device does. Transport-neutral:
// bytes go in through a session, replies come out as CSimReply values that
// the transport (CSimTcpServer, or a test standing in for USB or a serial
// line) carries out. Thread-safe: every call takes the device's lock, and no
// call does I/O or waits.
//
// Replies echo the request's address, slot, block type, item and record byte:
// - writes (class A1) are applied and answered 'Q';
// - requests (class A2) are answered 'S' with the data: the handshake item
//   0xCC (one byte 0), the version item 4 (an 11-byte tag), the status item 3
//   (1 to 35 bytes, whatever the poll carried), the name item 0 of a slot,
//   the current preset item 52, the system items 2, 5, 6, 7 and the mode gains
//   item 64; block requests read a slot (record byte 0x77) or recall a
//   machine preset's block into the live image and return it (record byte 0,
//   slot 1 to 6). A request the device has no data for is answered 'Q';
// - a frame with a wrong end byte or XOR is answered 'R';
// - the firmware commands are answered 'Q' with the command code in the item
//   byte; HEXEnd only over USB (over the network the program does not read it).
//   The sync pattern is never answered: it puts the device into update mode,
//   in which the network path reads 65-byte chunks (report id, frame, zero
//   fill). HEXEnd ends update mode.
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "tools/simulator/SimFault.h"
#include "tools/simulator/SimLogEntry.h"
#include "tools/simulator/SimReply.h"
#include "tools/simulator/SimSession.h"
#include "tools/simulator/SimState.h"

class CSimDevice {
public:
    enum : int { kReportSize = 65, kVersionSize = 11 };
    enum : size_t { kDefaultLogLimit = 10000 };
    static const char* const kDefaultVersionTag;  // "KRVA-BV1.00"

    // factory: the state at power-on, which the factory reset (item 96)
    // restores.
    explicit CSimDevice(const CSimState& factory = CSimState());

    // One session per byte stream; ids are never reused.
    int OpenSession(CSimPath path);
    void CloseSession(int session);

    // Bytes in; one reply per completed frame, in order. After a reply that
    // closes the connection the rest of the bytes are dropped. An unknown
    // session gets nothing.
    std::vector<CSimReply> Feed(int session, const BYTE* data, size_t n);
    // One 65-byte USB output report: byte 0 (the report id) is skipped.
    std::vector<CSimReply> FeedReport(int session, const BYTE* report);
    // A reply laid out as USB input reports: report id 0, 64 frame bytes,
    // zero fill.
    static std::vector<std::vector<BYTE>> ToReports(const std::vector<BYTE>& frame);

    // Knobs.
    void SetFaults(std::vector<CSimFault> faults);
    // HEXApply is answered, then the connection is reset (the device restarts).
    void SetRestartAfterApply(bool on);
    // The tag of the version reply, 11 characters at most (NUL-filled).
    void SetVersionTag(const std::string& tag);

    CSimState State() const;
    void SetState(const CSimState& state);
    bool InUpdateMode() const;
    // Frames received so far, sync patterns seen so far.
    long long FrameCount() const;
    long long SyncCount() const;

    // The log of received frames, oldest first; the oldest entries go once
    // the limit is reached.
    std::vector<CSimLogEntry> Log() const;
    void ClearLog();
    void SetLogLimit(size_t limit);
    // Called for every new log entry, outside the device's lock, on the
    // thread that fed the bytes.
    void SetLogSink(std::function<void(const CSimLogEntry&)> sink);

private:
    struct Pending {
        std::vector<CSimReply> replies;
        std::vector<CSimLogEntry> entries;
    };
    // Feed and FeedReport; wholeReport: the bytes are one USB report.
    std::vector<CSimReply> FeedBytes(int session, const BYTE* data, size_t n, bool wholeReport);
    void FeedByte(int id, CSimSession& s, BYTE b, Pending& out, bool& closed);
    CSimReply HandleFrame(int id, CSimSession& s, const CSimFrame& frame, CSimLogEntry& entry);
    bool HandleFirmware(CSimPath path, const CSimFrame& frame, bool& answer, bool& reset);
    bool ApplyWrite(const CSimFrame& frame);
    bool AnswerRequest(const CSimFrame& frame, const std::vector<CSimFault>& hits, std::vector<BYTE>& payload,
                       std::vector<CSimFault::Kind>& applied);
    bool ReadBlock(const CSimFrame& frame, std::vector<BYTE>& payload);
    void AddLog(const CSimLogEntry& entry, Pending& out);
    void SetUpdateMode(bool on);
    std::vector<CSimReply> Flush(Pending& out, std::unique_lock<std::mutex>& lock);

    mutable std::mutex m_mutex;
    const CSimState m_factory;
    CSimState m_state;
    std::map<int, CSimSession> m_sessions;
    int m_nNextSession = 1;
    std::vector<CSimFault> m_faults;
    bool m_bRestartAfterApply = false;
    BYTE m_version[kVersionSize] = {};
    bool m_bUpdateMode = false;
    long long m_nFrames = 0;
    long long m_nSyncs = 0;
    std::deque<CSimLogEntry> m_log;
    size_t m_nLogLimit = kDefaultLogLimit;
    std::function<void(const CSimLogEntry&)> m_sink;
};
