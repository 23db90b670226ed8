#pragma once
// State of the data lock that the output-block frames carry: while the
// output data is locked, output 0's block goes to the device with the lock
// flag and the password in its name record; after an unlock it goes once
// with the lock flag cleared. The lock dialog sets these on the UI thread.
#include <atomic>

#include <QString>

// The output data is locked with g_strLockPassword.
extern std::atomic<bool> g_bDataLocked;
// The lock was lifted: output 0's block carries a blank lock flag.
extern std::atomic<bool> g_bClearLockMarker;
// The user's six-character lock password. UI thread only.
extern QString g_strLockPassword;
