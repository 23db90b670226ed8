#pragma once
// hidapi's global error text is written by enumerate, open and close: they
// run under this one mutex.
#include <mutex>

std::mutex& HidApiMutex();
