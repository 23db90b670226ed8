#include "link/KTVCommand.h"

#include "link/LinkStatus.h"
#include "model/LinkState.h"
#include "model/WindowMessages.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/SendLock.h"

void CKTVCommand::AddCommand(std::unique_ptr<CSendData> command)
{
    if (!command)
        return;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_queue.push_back(std::move(command));
}

int CKTVCommand::GetCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return int(m_queue.size());
}

std::shared_ptr<CSendData> CKTVCommand::GetHead() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_queue.empty() ? nullptr : m_queue.front();
}

std::shared_ptr<CSendData> CKTVCommand::BeginSendHead()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_queue.empty())
        return nullptr;
    m_pInFlight = m_queue.front();
    g_pSendingCommand.store(m_pInFlight.get());
    return m_pInFlight;
}

std::shared_ptr<CSendData> CKTVCommand::GetInFlight() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_pInFlight;
}

int CKTVCommand::AppendWhenIdle(const std::function<void(CSendDataList& out)>& produce)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    // The send lock is only asked, never taken: while the UI thread appends
    // a sequence, the worker's frame waits for the next pass.
    if (!m_queue.empty() || g_csSendLock.IsLocked())
        return 0;
    CSendDataList produced;
    produce(produced);
    int appended = 0;
    for (std::unique_ptr<CSendData>& command : produced) {
        if (command) {
            m_queue.push_back(std::move(command));
            ++appended;
        }
    }
    return appended;
}

bool CKTVCommand::HeadIsReplyTarget() const
{
    return !m_queue.empty() && (!m_pInFlight || m_queue.front() == m_pInFlight);
}

std::shared_ptr<CSendData> CKTVCommand::TakeHead()
{
    std::shared_ptr<CSendData> head = std::move(m_queue.front());
    m_queue.pop_front();
    if (head == m_pInFlight)
        m_pInFlight.reset();
    return head;
}

void CKTVCommand::AfterRemoval()
{
    ClearStatusBytes();
    g_pSendingCommand.store(nullptr);
}

void CKTVCommand::RemoveHead()
{
    std::shared_ptr<CSendData> removed;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!HeadIsReplyTarget())
            return;
        removed = TakeHead();
    }
    AfterRemoval();
}

void CKTVCommand::ClearQueue()
{
    CSendDataQueue dropped;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        dropped.swap(m_queue);
    }
    // The commands are deleted here, first to last, outside the lock.
    dropped.clear();
    ResetParser();
}

void CKTVCommand::RewindHead()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (HeadIsReplyTarget())
        m_queue.front()->Rewind();
}

void CKTVCommand::MarkHeadResend()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (HeadIsReplyTarget())
        m_queue.front()->SetResendRequested(true);
}

bool CKTVCommand::ReportLongOperation(bool ok)
{
    std::shared_ptr<CSendData> removed;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!HeadIsReplyTarget() || !m_queue.front()->IsLongWait())
            return false;
        if (!ok)
            removed = TakeHead();
    }
    if (removed)
        AfterRemoval();
    PostMessage(g_pNotifyView.load(), WM_OPERATION_DONE, 0, ok ? 1 : 0);
    return true;
}

void CKTVCommand::ResetParser()
{
    // The queue collects no reply bytes of its own; the reply parser's state
    // is dropped here.
}
