#pragma once
// The main view as the pages see it. The pages sit below the view: they
// reach it only through this interface, which the view implements and
// publishes in g_pView while it exists. Everything here runs on the UI
// thread.
//
// Each operation is added here by the issue that builds it in the view.
#include "platform/core/Rect.h"

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

protected:
    ~IMainView() = default;
};

// The main view, from its set-up until it is destroyed; null otherwise.
inline IMainView* g_pView = nullptr;
