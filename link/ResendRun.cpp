#include "link/ResendRun.h"

#include "model/SendData.h"

bool CResendRun::TakeResend(const std::shared_ptr<CSendData>& head)
{
    const bool resend = head->IsResendRequested() && m_pHead.lock() == head;
    head->SetResendRequested(false);
    if (!resend)
        End();
    return resend;
}

bool CResendRun::Answered(const std::shared_ptr<CSendData>& head)
{
    if (m_pHead.lock() == head) {
        ++m_nCount;
    } else {
        m_pHead = head;
        m_nCount = 1;
    }
    if (m_nCount < LINK_MAX_RESENDS)
        return false;
    End();
    return true;
}

void CResendRun::End()
{
    m_pHead.reset();
    m_nCount = 0;
}
