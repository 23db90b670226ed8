#include "platform/gui/UrlOpener.h"

#include <utility>

#include <QDesktopServices>

namespace {
UrlOpenerHook& UrlOpenerHookSlot()
{
    static UrlOpenerHook hook;
    return hook;
}
}  // namespace

bool OpenUrl(const QUrl& url)
{
    if (const UrlOpenerHook& hook = UrlOpenerHookSlot())
        return hook(url);
    return QDesktopServices::openUrl(url);
}

bool OpenLocalFile(const QString& path)
{
    return OpenUrl(QUrl::fromLocalFile(path));
}

UrlOpenerHook SetUrlOpenerHook(UrlOpenerHook hook)
{
    return std::exchange(UrlOpenerHookSlot(), std::move(hook));
}
