#pragma once
// Opens an address or a file with the program the desktop chooses for it (a
// browser for a web address, a viewer for a help file), through
// QDesktopServices. Every such opening of the program goes through here, so
// that tests can record what would be opened instead of starting anything:
// they install a hook that receives the URL and answers. UI thread only.
#include <functional>

#include <QString>
#include <QUrl>

// True when the desktop (or the hook) could open url. Nothing waits for the
// opened program.
bool OpenUrl(const QUrl& url);
// OpenUrl of a local file's URL.
bool OpenLocalFile(const QString& path);

// Replaces the desktop: the hook answers every OpenUrl. Returns the previous
// hook; an empty hook brings QDesktopServices back.
using UrlOpenerHook = std::function<bool(const QUrl& url)>;
UrlOpenerHook SetUrlOpenerHook(UrlOpenerHook hook);
