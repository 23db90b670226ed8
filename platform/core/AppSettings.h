#pragma once
// The program's settings: one INI file in the user's XDG config folder
// ("Orvane/Orvane7734.ini" under it), read and written through QSettings.
// Settings are values in named groups ("USB", "Network", "DspMcu", ...),
// each value a string or an integer under its name.
//
// Every call reads the file afresh and every write is synced to disk before
// it returns, so several running copies of the program see each other's
// changes at once. A group can exist while it holds no value (a key created
// empty); listing a group never shows the mark that keeps it.
//
// Names may hold any character but '/' and '\', which separate groups;
// callers that store arbitrary text as a name encode those first.
//
// Any thread; calls are serialised within the process. A failed read gives
// the fallback, a failed write returns false.
#include <QString>
#include <QStringList>

class CAppSettings {
public:
    CAppSettings() = delete;

    // The folder that holds the settings file (and files kept beside it).
    static QString Folder();
    static QString FilePath();
    // Tests point the settings at a folder of their own; an empty folder
    // returns to the user's config folder.
    static void SetFolder(const QString& folder);

    static QString GetString(const QString& group, const QString& name, const QString& fallback = QString());
    static bool PutString(const QString& group, const QString& name, const QString& value);
    // A value that is missing or not a whole number gives the fallback.
    static int GetInt(const QString& group, const QString& name, int fallback = 0);
    static bool PutInt(const QString& group, const QString& name, int value);
    static bool HasValue(const QString& group, const QString& name);
    static bool RemoveValue(const QString& group, const QString& name);

    // The names of the group's values, in the file's order.
    static QStringList ValueNames(const QString& group);
    // The group exists from now on, with or without values.
    static bool CreateGroup(const QString& group);
    static bool GroupExists(const QString& group);
    // Removes every value of the group; the group itself stays.
    static bool ClearGroup(const QString& group);
};
