#include "platform/gui/UrlOpener.h"

#include <utility>

#include <QDesktopServices>

namespace {
UrlOpenerHook& Hook()
{
    static UrlOpenerHook hook;
    return hook;
}
}  // namespace

bool OpenUrl(const QUrl& url)
{
    if (const UrlOpenerHook& hook = Hook())
        return hook(url);
    return QDesktopServices::openUrl(url);
}

bool OpenLocalFile(const QString& path)
{
    return OpenUrl(QUrl::fromLocalFile(path));
}

UrlOpenerHook SetUrlOpenerHook(UrlOpenerHook hook)
{
    return std::exchange(Hook(), std::move(hook));
}
