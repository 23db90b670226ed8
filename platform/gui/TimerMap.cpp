#include "platform/gui/TimerMap.h"

#include <utility>

CTimerMap::CTimerMap(QObject* owner, Handler handler) : m_pOwner(owner), m_handler(std::move(handler)) {}

CTimerMap::~CTimerMap()
{
    for (auto& entry : m_timers)
        delete entry.second.data();
}

void CTimerMap::SetTimer(UINT id, int ms)
{
    QPointer<QTimer>& timer = m_timers[id];
    if (timer.isNull()) {
        timer = new QTimer(m_pOwner);
        // Never early: the program's timings (a click delay, a blink period)
        // are lower bounds.
        timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer, &QTimer::timeout, m_pOwner, [this, id] { m_handler(id); });
    }
    timer->start(ms);
}

bool CTimerMap::KillTimer(UINT id)
{
    auto it = m_timers.find(id);
    if (it == m_timers.end() || it->second.isNull() || !it->second->isActive())
        return false;
    it->second->stop();
    return true;
}

bool CTimerMap::IsTimerSet(UINT id) const
{
    auto it = m_timers.find(id);
    return it != m_timers.end() && !it->second.isNull() && it->second->isActive();
}

int CTimerMap::Interval(UINT id) const
{
    auto it = m_timers.find(id);
    return IsTimerSet(id) ? it->second->interval() : -1;
}
