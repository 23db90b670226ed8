#include "platform/core/MessageBoxHook.h"

#include <cstdio>
#include <mutex>
#include <vector>

#include "platform/core/Language.h"

namespace {
std::mutex g_handlerMutex;
MessageBoxHandler g_handler;
SystemMessageBoxHandler g_systemHandler;

struct HeldBox {
    QString text;
    unsigned type;
    int helpId;
};
thread_local int t_nHolds = 0;
thread_local std::vector<HeldBox>* t_pHeld = nullptr;

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
    if (t_nHolds > 0) {
        if (t_pHeld == nullptr)
            t_pHeld = new std::vector<HeldBox>;
        t_pHeld->push_back({text, type, helpId});
        return IDOK;
    }
    MessageBoxHandler handler;
    {
        std::lock_guard<std::mutex> lock(g_handlerMutex);
        handler = g_handler;
    }
    // The handler may run a modal loop: it is never called under the lock.
    return handler ? handler(text, type, helpId) : DefaultHandler(text, type, helpId);
}

SystemMessageBoxHandler SetSystemMessageBoxHandler(SystemMessageBoxHandler handler)
{
    std::lock_guard<std::mutex> lock(g_handlerMutex);
    SystemMessageBoxHandler previous = std::move(g_systemHandler);
    g_systemHandler = std::move(handler);
    return previous;
}

int SystemMessageBox(const QString& caption, const QString& text, unsigned type)
{
    SystemMessageBoxHandler handler;
    {
        std::lock_guard<std::mutex> lock(g_handlerMutex);
        handler = g_systemHandler;
    }
    if (handler)
        return handler(caption, text, type);
    std::fprintf(stderr, "%s: %s\n", caption.toUtf8().constData(), text.toUtf8().constData());
    return IDOK;
}

void AppNoticeBox(const QString& chinese, const QString& english)
{
    if (g_bChinese)
        AppMessageBox(chinese, MB_OK, -2);
    else
        AppMessageBox(english, MB_OK, -3);
}

void HoldMessageBoxes()
{
    ++t_nHolds;
}

void ReleaseMessageBoxes()
{
    if (t_nHolds > 0 && --t_nHolds == 0 && t_pHeld != nullptr) {
        std::vector<HeldBox> held;
        held.swap(*t_pHeld);
        delete t_pHeld;
        t_pHeld = nullptr;
        for (const HeldBox& box : held)
            AppMessageBox(box.text, box.type, box.helpId);
    }
}
