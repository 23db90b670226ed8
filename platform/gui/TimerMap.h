#pragma once
// Timers by id, as the windows of the program number them. Each window keeps
// one map; setting an id that runs already restarts it with the new period,
// and the handler gets the id of every timer that fires. Timers run on the
// owner's thread and end with the map.
#include <functional>
#include <map>

#include <QPointer>
#include <QTimer>

#include "platform/core/Types.h"

class CTimerMap {
public:
    using Handler = std::function<void(UINT id)>;

    CTimerMap(QObject* owner, Handler handler);
    ~CTimerMap();
    CTimerMap(const CTimerMap&) = delete;
    CTimerMap& operator=(const CTimerMap&) = delete;

    // Starts (or restarts) timer id with a period of ms milliseconds.
    void SetTimer(UINT id, int ms);
    // Stops timer id; false when it was not running. A handler may kill the
    // timer that is calling it.
    bool KillTimer(UINT id);
    bool IsTimerSet(UINT id) const;
    // The period of a running timer, or -1.
    int Interval(UINT id) const;

private:
    QObject* m_pOwner;
    Handler m_handler;
    std::map<UINT, QPointer<QTimer>> m_timers;  // children of the owner; stopped ones are kept for reuse
};
