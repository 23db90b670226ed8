#include "link/SerialTransport.h"

#include <memory>

#include "link/DeviceLink.h"
#include "link/KTVCommand.h"
#include "link/LinkStatus.h"
#include "link/SerialPort.h"
#include "model/SendData.h"
#include "platform/core/CancelToken.h"

CSerialTransport::CSerialTransport(CDeviceLink& link, CSerialPort& port, CKTVCommand& command)
    : m_link(link), m_port(port), m_command(command)
{
}

void CSerialTransport::Transaction(const CCancelToken& cancel)
{
    HandOverHead(true, cancel);
}

void CSerialTransport::UpdateTransaction(const CCancelToken& cancel)
{
    HandOverHead(false, cancel);
}

void CSerialTransport::HandOverHead(bool appendChanged, const CCancelToken& cancel)
{
    if (cancel.IsSet())
        return;
    if (!m_link.IsConnected() || !m_port.IsMonitorRunning() || m_port.IsFailed()) {
        CCancelToken::Sleep(&cancel, IO_LINK_DOWN_PAUSE_MS);
        return;
    }
    const std::shared_ptr<CSendData> head = m_command.BeginSendHead();
    if (!head) {
        if (appendChanged)
            m_link.AppendChangedItem();  // handed over by the next step
        else
            CCancelToken::Sleep(&cancel, IO_LINK_DOWN_PAUSE_MS);
        return;
    }
    ClearStatusBytes();
    m_port.HandOver();
    m_port.WaitForReply(cancel);
}
