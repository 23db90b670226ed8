#pragma once
// Finds reply frames in the bytes a transport delivers and collects each
// one whole: the reply parser's hunter.
//
// A frame starts at a 0xEE byte that follows exactly three 0x82 bytes (a run
// of 0x82 bytes may be split over deliveries). From the 0xEE on, bytes are
// collected until the frame is complete: payload length + 13 bytes, the
// length being the 16-bit little-endian word at collected bytes 9 and 10.
// The preamble is not kept.
//
// Bounds: the buffer holds FRAME_BUFFER_SIZE bytes, so a declared payload
// above FRAME_COLLECT_MAX_PAYLOAD is refused as soon as its length is read;
// the collector then hunts again from the byte after the 0xEE. Nothing is
// ever copied past the buffer.
//
// Feeding runs on the transport's thread; Reset may come from the UI thread
// at any time. One mutex guards the state, held only while bytes are taken
// in, never while a frame is dispatched.
#include <mutex>

#include "model/FrameBuilder.h"
#include "platform/core/Types.h"

enum : int {
    FRAME_BUFFER_SIZE = 400,
    // The preamble is not kept: collected byte k is frame byte k + 3.
    FRAME_PREAMBLE_SIZE = 3,
    // The frame from 0xEE to 0xAA around an empty payload.
    FRAME_COLLECT_MIN = FRAME_OVERHEAD - FRAME_PREAMBLE_SIZE,
    FRAME_COLLECT_MAX_PAYLOAD = FRAME_BUFFER_SIZE - FRAME_COLLECT_MIN,
    // How much of the buffer a reset clears.
    FRAME_RESET_CLEARED = 300,
};

class CFrameCollector {
public:
    CFrameCollector() = default;
    CFrameCollector(const CFrameCollector&) = delete;
    CFrameCollector& operator=(const CFrameCollector&) = delete;

    // Takes one delivery. When it completes a frame, copies that frame (from
    // the 0xEE to the end byte) into `frame`, which holds FRAME_BUFFER_SIZE
    // bytes, starts hunting again and returns the frame's length; the rest
    // of the delivery (the zero fill of a HID report) is dropped. Otherwise
    // returns 0 and keeps what it has for the next delivery.
    int Feed(const BYTE* data, int count, BYTE* frame);
    // Drops a half-collected frame and hunts again; a 0x82 run already seen
    // still counts.
    void Reset();

    // State, for tests.
    int CollectedCount() const;
    bool IsCollecting() const;
    int PreambleCount() const;

private:
    int FeedLocked(const BYTE* data, int count, BYTE* frame);
    void Hunt(BYTE byte);
    int DeclaredPayload() const;
    // Copies up to `wanted` collected bytes in all; returns how many it took.
    int Take(const BYTE* data, int count, int wanted);

    mutable std::mutex m_mutex;
    BYTE m_frame[FRAME_BUFFER_SIZE] = {};
    int m_nPreambleCount = 0;
    int m_nCollected = 0;
    bool m_bCollecting = false;
};
