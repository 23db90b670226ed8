#pragma once
// The main view as the pages see it. The pages sit below the view: they
// reach it only through this interface, which the view implements and
// publishes in g_pView while it exists. Everything here runs on the UI
// thread.
//
// Each operation is added here by the issue that builds it in the view.
#include <memory>

#include "model/SendData.h"
#include "platform/core/Rect.h"

class CFStatic;
class COutRouteDlg;
class COutputDlg;

class IMainView {
public:
    // Re-reads every output from the parameter set into the output page,
    // the mix page, the master-volume panel and the twelve strips.
    virtual void RefreshOutputStrips() = 0;
    // Shows the master volume of the current input mode and the master mute
    // state on the master-volume panel.
    virtual void RefreshMasterVolume() = 0;
    // Re-labels and re-skins the view and its pages for g_bChinese.
    virtual void ApplyLanguage() = 0;
    // Queues system command kind for slot (0 the live set) when a device is
    // connected; nothing otherwise.
    virtual void QueueCommand(int kind, int slot) = 0;
    // The mix page tells the view where mix column 0..11 stands, in page
    // coordinates, when it places its columns.
    virtual void SetMixColumnRect(int column, const CRect& rect) = 0;

    // ---- Link and settings the stand-alone dialogs use -------------------------
    // A device link is up and the I/O worker runs.
    virtual bool IsConnected() const = 0;
    // The connect button's own action (disconnect when connected, else find
    // and connect the device); then 1 when a link is up, else 0.
    virtual int ToggleConnection() = 0;
    // Machine preset slot (1 to 6) into the live set; second is not read.
    // Not connected: the connection-failure box.
    virtual void RecallPreset(int slot, int second) = 0;
    // System item 2 (bytes 0-7) or 5 (bytes 8-15) goes with the change scan's
    // next pass when changed is TRUE and a link is up; otherwise not.
    virtual void SetSendSysItem2(bool changed) = 0;
    virtual void SetSendSysItem5(bool changed) = 0;
    // Stores g_nLineSet in the settings and redraws the response graph.
    virtual void SaveLineSetting() = 0;
    // The transfer popup shows (a transfer runs).
    virtual bool IsTransferPopupShown() const = 0;
    // The transfer popup is ended and a new hidden one takes its place.
    virtual void RenewTransferPopup() = 0;

    // ---- Command queue, speaker assignment and strips -----------------------
    // Appends a built frame to the command queue (a null one is skipped);
    // the caller holds the send lock around a sequence.
    virtual void AddCommand(std::unique_ptr<CSendData> command) = 0;
    // all FALSE: output channel takes the crossover defaults of its position
    // and, while connected, the speaker items and its crossover record are
    // queued. all TRUE: while connected, the speaker items and the crossover
    // records of all twelve outputs.
    virtual void SendSpeakerAssignment(int channel, bool all) = 0;
    // The view's output strip 0..11; null for any other index.
    virtual COutRouteDlg* OutputStrip(int output) = 0;

    // ---- Channel sends, copies and resets ------------------------------------
    // Each sends a whole channel block to the live set (slot 0) when a
    // device is connected, switching the channel off around it; the change
    // scan is left no basic-record change of that channel.
    virtual void SendInputChannelBlock(int channel) = 0;
    virtual void SendOutputChannelBlock(int channel) = 0;
    // The same frames; the caller holds the send lock.
    virtual void SendOutputChannelBlockNoLock(int channel) = 0;
    // Switches output channel off on the device; the object keeps its state.
    virtual void SendOutputOff(int channel) = 0;
    // Gain, EQ and limiter of src onto dst (and its block to the device);
    // the caller holds the send lock.
    virtual void CopyOutputChannel(int src, int dst) = 0;
    // The same, taking the lock itself; a tweeter keeps a safe high-pass.
    virtual void CopyOutputChannelLocked(int src, int dst) = 0;
    // Flattens the EQ of the current output and of its link group.
    virtual void SendOutputEqGroup() = 0;
    virtual void ResetInputEq(int channel) = 0;
    // Every output its own link group again.
    virtual void ClearOutputLinks() = 0;
    // Every output strip shows its delay in ms (1), cm (2) or inch (3).
    virtual void SetStripsDelayUnit(int unit) = 0;
    // The output-map file: 1 done, 0 cancelled or failed (the reader leaves
    // applying g_OutputMap to its caller).
    virtual int SaveOutputMap() = 0;
    virtual int ReadOutputMap() = 0;

    // ---- Strips, output links and mix defaults ---------------------------------
    // Copies each left/right pair in use onto its partner (direction 0 left
    // to right, 1 right to left) between a mute and an unmute of the
    // transfer, under the send lock; TRUE when a pair was copied.
    virtual bool SyncLinkedOutputPairs(int direction) = 0;
    // After the link group of output changed to group: the link buttons of
    // the group's strips agree, and the group's other strips show their
    // levels.
    virtual void SyncLinkGroupStrips(int output, int group) = 0;
    // The mix column of output takes the default source levels of speaker
    // position code (0 to 24).
    virtual void ApplyDefaultMixForSpeakerType(int output, int code) = 0;
    // The advanced settings dialog's hook; does nothing.
    virtual void EmptyAdvancedHook(int value) = 0;

    // ---- Output strips' link groups ------------------------------------------
    // The output page, whose strip records hold the link masks; null while
    // the view has none.
    virtual COutputDlg* OutputPage() = 0;
    // The response graph the view keeps beside the output page's.
    virtual CFStatic* ViewGraph() = 0;
    // The whole view paints again.
    virtual void RepaintView() = 0;
    // The link-group dialog for strip's output, run modally: new group
    // (TRUE) or join an existing one (FALSE).
    virtual void OpenLinkGroupDialog(COutRouteDlg* strip, bool newGroup) = 0;

protected:
    ~IMainView() = default;
};

// The main view, from its set-up until it is destroyed; null otherwise.
inline IMainView* g_pView = nullptr;
