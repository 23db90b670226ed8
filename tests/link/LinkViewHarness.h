#pragma once
// The view as the link tests play it: it records every message it gets and,
// once given the link, hands each link message to the link's entry for it,
// one call per message, as the main view does.
#include "link/DeviceLink.h"
#include "model/WindowMessages.h"
#include "platform/core/SystemMessages.h"
#include "tests/common/RecordingTarget.h"

class CLinkViewHarness : public CRecordingTarget {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        const LRESULT answer = CRecordingTarget::WindowProc(message, wParam, lParam);
        if (m_pLink == nullptr || !m_bDispatch)
            return answer;
        switch (message) {
        case WM_AUTO_CONNECT:
            m_pLink->OnStartupConnect();
            break;
        case WM_DEVICECHANGE:
            return m_pLink->OnDeviceChange(wParam, lParam);
        case WM_LINK_FAILED:
            m_pLink->OnLinkLost();
            break;
        case WM_DEVICE_VERSION:
            m_pLink->CheckDeviceVersion();
            break;
        case WM_TRANSFER_DONE:
            m_pLink->OnTransferDone();
            break;
        case WM_OPERATION_DONE:
            m_pLink->OnOperationDone(lParam);
            break;
        case WM_STOP_NET_POLL:
            m_pLink->OnStopNetPoll();
            break;
        default:
            break;
        }
        return answer;
    }

    CDeviceLink* m_pLink = nullptr;
    // Off: the messages are only recorded.
    bool m_bDispatch = true;
};

