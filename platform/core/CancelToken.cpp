#include "platform/core/CancelToken.h"

#include <algorithm>
#include <chrono>
#include <thread>

void CCancelToken::Set()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bSet.store(true, std::memory_order_release);
    m_condition.notify_all();
    // Taking each linked mutex before the notify closes the gap between a
    // waiter's predicate test and its sleep, so no wake-up is lost.
    for (const Link& link : m_links) {
        std::lock_guard<std::mutex> linked(*link.mutex);
        link.condition->notify_all();
    }
}

bool CCancelToken::WaitFor(int ms) const
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_condition.wait_for(lock, std::chrono::milliseconds(std::max(ms, 0)), [this] { return IsSet(); });
}

bool CCancelToken::Sleep(const CCancelToken* token, int ms)
{
    if (token != nullptr)
        return token->WaitFor(ms);
    if (ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return false;
}

CCancelToken::CWakeLink::CWakeLink(const CCancelToken* token, std::mutex& mutex, std::condition_variable& condition)
    : m_pToken(token)
{
    if (m_pToken == nullptr)
        return;
    std::lock_guard<std::mutex> lock(m_pToken->m_mutex);
    m_pToken->m_links.push_back({this, &mutex, &condition});
}

CCancelToken::CWakeLink::~CWakeLink()
{
    if (m_pToken == nullptr)
        return;
    std::lock_guard<std::mutex> lock(m_pToken->m_mutex);
    std::vector<Link>& links = m_pToken->m_links;
    links.erase(std::remove_if(links.begin(), links.end(), [this](const Link& l) { return l.owner == this; }),
                links.end());
}
