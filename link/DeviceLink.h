#pragma once
// The main view's side of the device link that has no window: the I/O
// worker, the network connect and disconnect, and the firmware update engine
// (the file, its checks, the update state and the command sequence). The
// view owns one and hands its link calls to it.
//
// Threads. The I/O worker (IoWorkerThread) runs every transaction, the
// change scan and the reply parser; everything else here runs on the UI
// thread, which never waits on a device or a socket: it only starts and
// stops the worker, and a network connect runs on a thread of its own whose
// outcome comes back to the UI thread as a posted message (this object is a
// message target for that). Stopping the worker cancels the worker's token
// first, so every wait of a running step ends at once, and returns within a
// few milliseconds in every state.
//
// NextUpdateStep runs on the worker inside the update write step. One mutex
// guards the update state, held only while the state is read or changed,
// never across a file read, a message box or a wait.
#include <array>
#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include <QString>

#include "link/ConnectDecision.h"
#include "link/LinkViewHooks.h"
#include "link/SendDataQueue.h"
#include "model/LinkState.h"
#include "platform/core/IoEvents.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/Types.h"

class CCancelToken;
class CHotPlugMonitor;
class CKTVCommand;
class CKTV_Data;
class CNet_Socket;
class CSerialPort;
class CUsbLink;
class CUsbTransport;
class IHidBus;
class IHotPlugSource;
class ILinkTransport;
class QTimer;

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

// The program's firmware tag; a device is accepted when the first eight
// characters of its tag (the major version included) are the same.
extern const char* const g_szFirmwareTag;

enum : int {
    // The worker's pause after every normal step.
    IO_STEP_PAUSE_MS = 5,
    // The worker's pause when its link is not up.
    IO_LINK_DOWN_PAUSE_MS = 50,
    // The pause between stopping the worker and closing the link when the
    // connect button disconnects.
    LINK_DISCONNECT_PAUSE_MS = 500,
    // Help ids of the link's boxes: a prompt and a warning that close by
    // themselves.
    LINK_PROMPT_HELP_ID = 2000,
    LINK_WARNING_HELP_ID = 2001,
    // System commands the link sends itself.
    SYSTEM_COMMAND_WIFI_DEFAULTS = 65,  // the network module's factory defaults
    SYSTEM_COMMAND_FACTORY_RESET = 96,
};

class CDeviceLink : public CMsgTarget {
public:
    // command: the view's queue. net: the view's network link holder (no
    // network without it). set: the document's parameter set, whose change
    // scan the worker asks for the next frame (nothing changed is sent
    // without it). serial: the view's serial port (no serial link without
    // it). All outlive this object.
    explicit CDeviceLink(CKTVCommand& command, CNet_Socket* net = nullptr, CKTV_Data* set = nullptr,
                         CSerialPort* serial = nullptr);
    // Ends a running connect and the worker.
    ~CDeviceLink() override;
    CDeviceLink(const CDeviceLink&) = delete;
    CDeviceLink& operator=(const CDeviceLink&) = delete;

    // The view's parts of connect and disconnect. UI thread, before the
    // first connect.
    void SetViewHooks(CLinkViewHooks hooks);
    // The transport the worker drives for a link kind (the network's is
    // built in). Only while no worker runs; null removes it.
    void SetTransport(int linkType, ILinkTransport* transport);

    // ---- I/O worker (UI thread) ----------------------------------------------
    // Creates the worker thread, suspended, with a fresh cancel token and the
    // four events reset.
    void CreateIoWorker();
    // Lets a suspended worker run.
    void ResumeIoWorker();
    // Clears g_bFirmwareRequested; with no worker, creates one, sets the
    // update step event while g_bUpdating is set (else the normal step
    // event) and resumes it; with a worker, touches no event. Then
    // g_bUsbActive and the connected state are set. Always TRUE; the
    // argument is not used.
    bool StartIoWorker(bool unused = true);
    // Ends the worker: sets its token, then the quit event, then joins it;
    // the step it was in ends early. full FALSE (shut-down) returns FALSE and
    // leaves the quit event set, the thread object and the link flags as
    // they are. full TRUE forgets the worker, resets the four events, clears
    // g_bUsbActive and the connected state, restarts the reachability poll
    // and returns TRUE.
    bool StopIoWorker(bool full);
    // The link is up and the worker started; every send entry tests it.
    bool IsConnected() const { return m_bConnected.load(); }
    // Set by the worker at the top of every loop; cleared just before it ends.
    bool IsIoWorkerRunning() const { return m_bIoWorkerRunning.load(); }
    // Set by the worker at the top of every loop; cleared just before it
    // suspends itself.
    bool IsIoWorkerAwake() const { return m_bIoWorkerAwake.load(); }
    // The worker's events: a transport sets the suspend event to park the
    // worker until the view stops it.
    CIoEvents& IoEvents() { return m_events; }

    // ---- Network link (UI thread) ---------------------------------------------
    // With no link kind set: the link kind becomes network, the connecting
    // state begins and the subnet test and the connect run on a thread of
    // their own. Their outcome completes the connect on the UI thread (when
    // this object's posted messages are delivered): the link start, or the
    // failure box and the link kind back to none. TRUE when a connect began.
    bool ConnectNetwork();
    // A connect is under way; no other link may be opened meanwhile.
    bool IsConnecting() const { return m_bConnecting; }
    // Closes the network link (a connect under way is given up first). Call
    // it only while the worker is stopped.
    void DisconnectNetwork();
    // WM_NET_REACHABLE: ConnectNetwork; WM_STOP_NET_POLL goes to the view
    // once that connect has succeeded.
    void OnNetReachable();
    // WM_STOP_NET_POLL: the reachability poll stops; its thread goes on.
    void OnStopNetPoll();

    // ---- Serial link (UI thread) ------------------------------------------------
    // Opens the serial port at 57600 baud, no parity, 8 data bits, 1 stop
    // bit and starts its monitor; the link is connected then. A bare name is
    // looked for under /dev, a path is opened as given. FALSE when the port
    // cannot be opened (or there is no serial port object).
    bool OpenSerialLink(const QString& portName);
    // Closes the port (its monitor ends), and the link as every disconnect
    // does: not connected, the device no longer synced, no transfer busy,
    // the change flags cleared, the view's closed state (linkClosed) and no
    // link kind. Call it only while the worker is stopped. TRUE.
    bool CloseSerialLink();
    // A whole connect over the serial line: link kind 3, the port opened
    // (OpenSerialLink), then what every connect does: the queue emptied, the
    // handshake and the version request queued, the worker started, the
    // view's connected state. FALSE when another link is open or being made
    // (left as it is), or when the port cannot be opened (no link kind).
    bool ConnectSerial(const QString& portName);
    // ---- USB HID link (UI thread) ---------------------------------------------
    // Makes USB links possible over bus (hidapi's in the program, a
    // simulated one in tests), which outlives this object: the claim list,
    // discovery and the USB steps. Once, before the first connect.
    void EnableUsb(IHidBus& bus);
    // The USB device side and its steps; null until EnableUsb.
    CUsbLink* Usb() const { return m_pUsb.get(); }
    CUsbTransport* UsbTransport() const { return m_pUsbTransport.get(); }
    // The view's start: the claim group exists from now on.
    void CreateUsbInUseKey();
    // The view's start: arrivals and removals of HID devices reach view as
    // WM_DEVICECHANGE, which it hands to OnDeviceChange. source: udev's when
    // null. FALSE (one line on standard error) when nothing can be watched.
    bool RegisterHidNotification(CMsgTarget* view, std::unique_ptr<IHotPlugSource> source = nullptr);
    // The monitor set up by RegisterHidNotification, or null.
    CHotPlugMonitor* HotPlugMonitor() const { return m_pHotPlug.get(); }
    // Connects to path when it is free, no link kind is set and no link is
    // up or being opened: the device is claimed, opened and checked, then
    // the link starts. FALSE otherwise.
    bool ConnectUsbPath(const QString& path);
    // Closes the USB link: the device, the connected state, the sync and
    // transfer flags, the view's link display and popup, the claim; the link
    // kind back to none. Only while the worker is stopped.
    void DisconnectUsb();
    // Lets go of this copy's claim (the view's exit and destruction).
    void ReleaseUsbPath();
    // WM_DEVICECHANGE (wParam event, lParam a DeviceInterfaceNotice*): an
    // arrival connects when no link is up; the removal of the device in use
    // ends the link (after HEXApply of an update it only stops the USB steps:
    // the device restarts); any other removal refreshes the device list.
    // Always TRUE.
    LRESULT OnDeviceChange(WPARAM event, LPARAM data);

    // ---- Link failures and endings (UI thread) --------------------------------
    // WM_LINK_FAILED, for every link kind; ignored when not connected. Stops
    // the worker, reports a running update as failed, shows the connection
    // failure, closes the link and clears the queue.
    void OnLinkLost();
    // When connected: stops the worker and closes the link of its kind.
    void Disconnect();
    // Disconnect, and a running update is reported as failed.
    void FailUpdateAndDisconnect();
    // The connection-failure box of the link kind (network or USB).
    void ShowConnectionFailure();
    // The USB failure box, unless an update runs.
    void ShowUsbLostMessage();

    // ---- Connect commands (UI thread) -----------------------------------------
    // WM_AUTO_CONNECT: the remembered or any free USB device; then the
    // reachability poll starts in every case. No box when nothing answers.
    void OnStartupConnect();
    // The connect button. Connected: stops the worker and closes the link
    // LINK_DISCONNECT_PAUSE_MS later (clicks meanwhile are ignored).
    // Otherwise connects at once where there is one way, or tells the view
    // which popup to show; failures are shown as boxes here.
    CConnectDecision OnConnectButton();
    // A closing connect-button disconnect is pending.
    bool IsDisconnecting() const;
    // Popup items: "USB" (732), the network item (733), USB device item
    // index (command 6600 + index).
    void OnConnectUsbCommand();
    void OnConnectNetworkCommand();
    void OnUsbDeviceItem(int index);
    // WM_DEVICE_VERSION: accepted (same first eight characters): the full
    // read-back is queued and edits reach the device from now on. Otherwise
    // disconnected; another major version also explains itself in a box.
    void CheckDeviceVersion();

    // ---- Command submission (UI thread) ---------------------------------------
    // Queues system command kind for slot (0 the live set) when connected.
    // Kind 65 (the network module's defaults) waits long for its answer and
    // shows the transfer popup in factory-reset mode until it has come.
    void QueueCommand(int kind, int slot);
    // all FALSE (connect): marks the handshake pending and queues the
    // handshake and version requests. all TRUE (read-back): the counted
    // requests of the six preset names and the live system items.
    void RequestDeviceInfo(bool all);
    // The device loads slot into its live set and sends it back (slot 0 reads
    // the live set, counted on from the count so far). Not connected: the
    // connection-failure box.
    void RecallPreset(int slot);
    // Output channel's speaker position from g_byOutputPosition (or every
    // output with all), and its speaker-type and crossover frames.
    void SendSpeakerAssignment(int channel, bool all);
    // A machine preset was deleted: its blank name and the current preset 0.
    void SendPresetDeleted(int slot);
    // Mutes the outputs for a transfer (restore FALSE) or puts the master
    // switch back (TRUE), queueing system command 5 either way; the caller
    // holds the send lock around the transfer.
    void SetTransferMute(bool restore);
    // The factory-reset dialog's OK: the reset command, or the box that no
    // connection can be opened.
    void RestoreFactorySettings();
    // Appends a counted command with the next progress position (the
    // view's sequences count with it too). A null command is skipped.
    void AddCounted(std::unique_ptr<CSendData> command);
    // The transfer popup's bar follows the count of the sequence queued.
    void ResetTransferProgress();
    // Counted commands queued in the current sequence.
    int ProgressCount() const { return m_nProgressCount; }
    void SetProgressCount(int count) { m_nProgressCount = count; }
    // WM_TRANSFER_DONE.
    void OnTransferDone();
    // WM_OPERATION_DONE (lParam: success) of the network module's defaults.
    // Over USB after a success, over the network always, the address, port
    // and setting go back to the module's factory ones.
    void OnOperationDone(LPARAM ok);
    // Address, port and setting back to the factory's; the view is told.
    void RestoreNetworkDefaults();

    // ---- Worker side -----------------------------------------------------------
    // When the queue is empty and the send lock free, queues the change
    // scan's next frame (the status poll when nothing has changed).
    void AppendChangedItem();
    // The head a normal step sends, made the command in flight. Null when
    // the queue was empty (the change scan's next frame is then queued for
    // the next step) or when the head is a firmware command, which only
    // update steps send.
    std::shared_ptr<CSendData> TakeNormalHead();
    // The head an update step sends: the update's next piece is queued into
    // an empty queue first; the head is made the command in flight, its
    // write counted (GetRetryCount) and its code kept in
    // g_nLastUpdateCommand. Null, after a short pause, when nothing is left
    // to send.
    std::shared_ptr<CSendData> TakeUpdateHead(const CCancelToken& cancel);

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

    // ---- Firmware update link (UI thread) ---------------------------------------
    // Before an update: a pending close of the connect button runs now, an
    // open link closes (Disconnect) and a connect under way is given up.
    void CloseForUpdate();
    // Claims and opens path for an update when it is free: the queue
    // cleared, g_bUpdating set and the worker started in update mode. The
    // caller has set the link kind to USB. FALSE when it did not open.
    bool ConnectUsbForUpdate(const QString& path);
    // Starts the network connect of an update on the connect thread (the
    // caller has set the link kind to network). Its outcome completes on the
    // UI thread: connected, the queue is cleared, g_bUpdating and the
    // network link flag are set and the worker starts; then done(connected)
    // runs. FALSE (done never runs) when no connect could begin.
    bool ConnectNetworkForUpdate(std::function<void(bool connected)> done);
    // The blocking part of one network attempt of the update's reconnect
    // poll, on the poll's thread: the device is reachable and the connection
    // opens. Cancellable; the UI thread must not use the socket meanwhile.
    bool ConnectNetworkBlocking(const CCancelToken* cancel);
    // One attempt of the reconnect poll, by link kind, on the UI thread
    // (for the network, netConnected is the outcome of the blocking part).
    // TRUE when the link is up in update mode. Without retry (the last
    // attempt) a failure is reported and the link kind goes back to none.
    bool ReconnectForUpdate(bool retry, bool netConnected = false);
    // The update's connect is given up (its dialog closes while it polls or
    // connects): a connect under way ends without calling back, and unless
    // a link is up, whatever was opened is closed and the link kind goes
    // back to none, so that arrivals and network connects work again.
    void AbandonUpdateConnect();
    // Quit's Yes during an update: the link closes, the update ends as
    // failed.
    void CancelUpdate();
    // WM_UPDATE_SUCCEEDED: only for code HEXEnd and while g_bUpdating is
    // set. The worker stops, the link closes, "Update successfully".
    void OnUpdateSucceeded(LPARAM code);
    // WM_UPDATE_FAILED: the network reconnect gave up.
    void OnUpdateFailed();
    // WM_FIRMWARE_REQUIRED: the link closes; the user is asked to update.
    void OnFirmwareRequired();

    // ---- Update sequence (I/O worker) ------------------------------------------
    // Called by every update write step. When the queue is empty (and the
    // send lock free) it queues the sync command first, then the DSP
    // sequence, then the MCU sequence, a chunk per call; nothing once
    // everything has been queued.
    void NextUpdateStep();

    // For tests: the MCU checksum that HEXEnd carries.
    BYTE UpdateChecksum() const;

protected:
    // The outcome of a connect, delivered on the UI thread.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void IoWorkerThread(const CCancelToken& cancel);
    void UpdateStep(const CCancelToken& cancel);
    void NormalStep(const CCancelToken& cancel);
    ILinkTransport* Transport() const;
    // Cancels the worker's token, sets quit and joins the thread.
    void EndIoWorker();

    // Every link's start once it is open: the queue and change flags
    // cleared, the handshake and version requests queued, the worker started
    // and the view told.
    void LinkStart(int linkType);
    // Closes the link of the current kind.
    void DisconnectLink();
    void ShowVersionWarning();

    bool StartNetConnect(bool stopPollWhenConnected);
    // Runs the network connect on the connect thread; update: an update's.
    void RunConnectThread(bool update);
    void CompleteNetConnect(bool connected);
    // The connect thread's outcome for an update (ConnectNetworkForUpdate).
    void CompleteUpdateConnect(bool connected);
    // The connection-failure box of a link kind.
    static void ShowConnectionFailureOf(int linkType);
    // "The firmware update failed" as a box and on the status line.
    static void ShowUpdateFailed();
    // The link is up in update mode: queue cleared, g_bUpdating, worker.
    void StartUpdateLink();
    // A USB link has opened: the in report starts empty and the transport
    // reads afresh.
    void ResetUsbInput();
    // The part every close of a link ends with (see CloseSerialLink).
    void EndLink();
    // Gives up a connect under way and waits for its thread.
    void CancelNetConnect();

    void BuildUpdateSyncPacket(CSendDataList& out);
    void BuildDspUpdateStep(CSendDataList& out);
    void BuildMcuUpdateStep(CSendDataList& out);

    CKTVCommand& m_command;
    CNet_Socket* const m_pNet;
    CKTV_Data* const m_pSet;
    CSerialPort* const m_pSerial;
    CLinkViewHooks m_hooks;

    // The worker. m_pIoWorker is null when there is none; each start makes a
    // new thread and a new token.
    CIoEvents m_events;
    std::unique_ptr<std::thread> m_pIoWorker;
    std::shared_ptr<CCancelToken> m_pIoCancel;
    std::atomic<bool> m_bIoWorkerRunning{false};
    std::atomic<bool> m_bIoWorkerAwake{true};
    std::atomic<bool> m_bConnected{false};
    std::array<std::atomic<ILinkTransport*>, LINK_KIND_COUNT> m_transports{};
    std::unique_ptr<ILinkTransport> m_pNetTransport;
    std::unique_ptr<ILinkTransport> m_pSerialTransport;

    // USB: the device side, its steps and the hot-plug monitor.
    std::unique_ptr<CUsbLink> m_pUsb;
    std::unique_ptr<CUsbTransport> m_pUsbTransport;
    std::unique_ptr<CHotPlugMonitor> m_pHotPlug;
    // The connect button's pending close (UI thread).
    std::unique_ptr<QTimer> m_pDisconnectTimer;
    // Counted commands of the sequence being queued, and the master switch
    // saved by the transfer mute (UI thread).
    int m_nProgressCount = 0;
    BYTE m_bySavedMasterOn = 0;

    // The network connect under way (UI thread only). Its thread posts the
    // outcome with the attempt's number, so a late outcome of an attempt
    // given up meanwhile is ignored.
    bool m_bConnecting = false;
    bool m_bStopPollWhenConnected = false;
    WPARAM m_nConnectAttempt = 0;
    // Set while the connect under way is an update's: its outcome goes to
    // m_fnUpdateConnected instead of the link start.
    bool m_bUpdateConnect = false;
    std::function<void(bool)> m_fnUpdateConnected;
    std::thread m_connectThread;
    std::shared_ptr<CCancelToken> m_pConnectCancel;

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
