#pragma once
// The one lock of the parameter set. It guards the channel objects with
// their bands and change flags, g_CurrentImage, g_MachinePresets,
// g_SystemBytes, g_ModeGains, g_nDeviceStatus, g_szDeviceVersion and the
// link status bytes, which the UI thread and the I/O worker both touch.
//
// Rules: hold it only for the change, the build or the one scan call
// itself; never across a device write, a read, a wait or a message
// delivery; make no command-queue call while holding it. Lock order
// everywhere: the send lock, then the queue mutex, then this lock.
// Recursive, since a setter may repeat its change on linked outputs.
//
// Take it with ParameterSetGuard: message boxes asked for while it is held
// (a name too long for its field) are shown only after it is released, so
// the worker never waits for the lock behind a modal box.
#include <mutex>

#include "platform/core/MessageBoxHook.h"

extern std::recursive_mutex g_ParameterSetLock;

class ParameterSetGuard {
public:
    explicit ParameterSetGuard(std::recursive_mutex& lock) : m_lock(lock)
    {
        HoldMessageBoxes();
        m_lock.lock();
    }
    ~ParameterSetGuard()
    {
        m_lock.unlock();
        ReleaseMessageBoxes();
    }
    ParameterSetGuard(const ParameterSetGuard&) = delete;
    ParameterSetGuard& operator=(const ParameterSetGuard&) = delete;

private:
    std::recursive_mutex& m_lock;
};
