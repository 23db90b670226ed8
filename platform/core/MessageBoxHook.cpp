#include "platform/core/MessageBoxHook.h"

#include <cstdio>
#include <mutex>

namespace {
std::mutex g_handlerMutex;
MessageBoxHandler g_handler;

int DefaultHandler(const QString& text, unsigned, int)
{
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    return IDOK;
}
}  // namespace

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler)
{
    std::lock_guard<std::mutex> lock(g_handlerMutex);
    MessageBoxHandler previous = std::move(g_handler);
    g_handler = std::move(handler);
    return previous;
}

int AppMessageBox(const QString& text, unsigned type, int helpId)
{
    MessageBoxHandler handler;
    {
        std::lock_guard<std::mutex> lock(g_handlerMutex);
        handler = g_handler;
    }
    // The handler may run a modal loop: it is never called under the lock.
    return handler ? handler(text, type, helpId) : DefaultHandler(text, type, helpId);
}
