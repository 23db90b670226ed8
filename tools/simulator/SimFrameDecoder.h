#pragma once
// The simulated device's frame hunter: finds 82 82 82 EE (exactly three
// preamble bytes), collects the frame to its declared length and checks its
// end byte and XOR. Bytes outside a frame (the report id and the zero fill
// of a HID report, line noise) are skipped. It also recognises the firmware
// sync pattern, 43 11 repeated over a whole report, among the bytes it skips.
#include <vector>

#include "tools/simulator/SimFrame.h"

class CSimFrameDecoder {
public:
    enum class Event { None, Frame, Sync };
    // 32 pairs 43 11: the 64 frame bytes of one sync report.
    enum : int { kSyncPatternLength = 64 };

    // Takes one byte. Frame: LastFrame() holds a complete frame (valid or
    // not); Sync: a whole sync pattern went by.
    Event Feed(BYTE b);
    const CSimFrame& LastFrame() const { return m_frame; }
    // Back to hunting; what was collected is dropped.
    void Reset();
    bool IsCollecting() const { return m_bCollecting; }

private:
    Event Hunt(BYTE b);
    Event Collect(BYTE b);
    void Complete();

    int m_nPreamble = 0;
    int m_nPattern = 0;
    bool m_bCollecting = false;
    // From the start byte on.
    std::vector<BYTE> m_collected;
    CSimFrame m_frame;
};
