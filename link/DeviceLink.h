#pragma once
// The main view's side of the device link that has no window: the firmware
// update engine (the file, its checks, the update state and the command
// sequence). The view owns one and hands its link calls to it; the I/O
// worker's state joins it later.
//
// Threads. SelectUpdateFile and LoadUpdateFile run on the UI thread while the
// I/O worker is stopped; NextUpdateStep runs on the worker inside the update
// write step. One mutex guards the update state, held only while the state
// is read or changed, never across a file read, a message box or a wait.
#include <deque>
#include <mutex>

#include <QString>

#include "link/SendDataQueue.h"
#include "platform/core/Types.h"

class CKTVCommand;

enum : int {
    // Firmware file layout. A file shorter than FIRMWARE_COMBINED_MIN bytes
    // is an MCU file: "WMCU" and the MCU image. A longer one is a combined
    // file: "WDSP", the DSP image, one byte never read, then "WMCU" and the
    // MCU image, or anything else when the file carries no MCU section.
    FIRMWARE_TAG_SIZE = 4,
    FIRMWARE_DSP_IMAGE_SIZE = 0x3FFFF,
    FIRMWARE_COMBINED_MIN = 0x40004,
    FIRMWARE_MCU_TAG_OFFSET = 0x40004,
    FIRMWARE_MCU_IMAGE_OFFSET = 0x40008,
    // A firmware file is read whole; anything larger is no firmware.
    FIRMWARE_FILE_MAX = 16 * 1024 * 1024,
    // The MCU image starts with the HEXStart payload.
    MCU_START_SIZE = 4,
    // Image bytes per data command.
    DSP_CHUNK_SIZE = 44,
    MCU_CHUNK_SIZE = 48,
    // The MCU checksum of an empty image, and its start value.
    MCU_CHECKSUM_SEED = 0x12,
};

class CDeviceLink {
public:
    explicit CDeviceLink(CKTVCommand& command);
    CDeviceLink(const CDeviceLink&) = delete;
    CDeviceLink& operator=(const CDeviceLink&) = delete;

    // ---- Firmware file (UI thread) ------------------------------------------
    // The file chosen in the update dialog's file dialog (started in
    // UpdateFolder()); empty when the user cancelled, which changes nothing.
    // Stores the path in g_strUpdateFilePath at once. TRUE when its
    // extension is exactly "bin" (case matters): its folder then becomes the
    // update folder and the caller saves the update settings. Any other
    // extension keeps the path for the update but not the folder.
    bool SelectUpdateFile(const QString& chosenPath);
    // The folder the file dialog starts in; read from the settings at start.
    QString UpdateFolder() const;
    void SetUpdateFolder(const QString& folder);

    // Reads g_strUpdateFilePath, checks its tags and resets the whole update
    // state for a new update. TRUE when the file was read and is firmware.
    // Otherwise shows "Update file error!" and returns FALSE; a file that
    // cannot be opened also clears the stored path.
    bool LoadUpdateFile();

    // ---- Update sequence (I/O worker) ---------------------------------------
    // Called by the update write step whenever the queue is empty: queues the
    // sync command first, then the DSP sequence, then the MCU sequence, a
    // chunk per call; nothing once everything has been queued.
    void NextUpdateStep();

    // For tests: the MCU checksum that HEXEnd carries.
    BYTE UpdateChecksum() const;

private:
    void BuildUpdateSyncPacket(CSendDataList& out);
    void BuildDspUpdateStep(CSendDataList& out);
    void BuildMcuUpdateStep(CSendDataList& out);

    CKTVCommand& m_command;
    mutable std::mutex m_mutex;
    QString m_szUpdateFolder;
    // Image bytes not yet queued; each sequence takes them from the front.
    std::deque<BYTE> m_arDspImage;
    std::deque<BYTE> m_arMcuImage;
    BYTE m_byUpdateChecksum = MCU_CHECKSUM_SEED;
    // DSP: 0 start, 1 sending data, 2 sending the end, 3 handed over to the
    // MCU sequence, 4 finished.
    int m_nDspUpdateStep = 0;
    // MCU: 0 apply, 1 start, 2 sending data, 3 sending the end, 4 finished.
    int m_nMcuUpdateStep = 0;
    // Offset within the DSP image of the next full chunk.
    DWORD m_dwDspChunkOffset = 0;
    bool m_bUpdateSyncPending = false;
};
