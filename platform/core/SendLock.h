#pragma once
// The send lock: the UI thread holds it while it appends a sequence of
// commands to the command queue (and while a preset file is loaded into the
// parameter set), so that the sequence stays together in the queue.
//
// The I/O worker never takes it and never waits for it. Its rule: under the
// queue's own mutex, when the send lock is held it adds no command of its own
// in that pass (it still sends what is queued); otherwise it builds its frame
// and appends it before it lets go of the queue mutex.
//
// Lock order everywhere: send lock, then the queue mutex, then the
// parameter set's lock. No queue call is made while the parameter set's
// lock is held.
#include "platform/core/CriticalSection.h"

extern CCriticalSection g_csSendLock;
