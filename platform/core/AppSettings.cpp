#include "platform/core/AppSettings.h"

#include <mutex>

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace {
// The value that keeps an empty group in the file. A name that ordinary
// values never take: callers' names are texts or encoded paths.
const QString GROUP_MARK = QStringLiteral(".group");
const QString DEFAULT_SUBFOLDER = QStringLiteral("Orvane");
const QString FILE_NAME = QStringLiteral("Orvane7734.ini");

std::mutex g_settingsMutex;
QString g_settingsFolder;  // empty: the user's config folder

QString FolderLocked()
{
    if (!g_settingsFolder.isEmpty())
        return g_settingsFolder;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') +
           DEFAULT_SUBFOLDER;
}

// Runs f on a QSettings of the file, opened afresh; with write set, the
// folder is made first and the changes are synced before returning, and the
// result tells whether they reached the file.
template <class F>
bool WithSettings(bool write, F f)
{
    std::lock_guard<std::mutex> lock(g_settingsMutex);
    const QString folder = FolderLocked();
    if (write && !QDir().mkpath(folder))
        return false;
    QSettings settings(folder + QLatin1Char('/') + FILE_NAME, QSettings::IniFormat);
    f(settings);
    if (!write)
        return settings.status() == QSettings::NoError;
    settings.sync();
    return settings.status() == QSettings::NoError;
}

QString Key(const QString& group, const QString& name)
{
    return group + QLatin1Char('/') + name;
}
}  // namespace

QString CAppSettings::Folder()
{
    std::lock_guard<std::mutex> lock(g_settingsMutex);
    return FolderLocked();
}

QString CAppSettings::FilePath()
{
    return Folder() + QLatin1Char('/') + FILE_NAME;
}

void CAppSettings::SetFolder(const QString& folder)
{
    std::lock_guard<std::mutex> lock(g_settingsMutex);
    g_settingsFolder = folder;
}

QString CAppSettings::GetString(const QString& group, const QString& name, const QString& fallback)
{
    QString value = fallback;
    WithSettings(false, [&](QSettings& s) {
        const QVariant v = s.value(Key(group, name));
        if (v.isValid())
            value = v.toString();
    });
    return value;
}

bool CAppSettings::PutString(const QString& group, const QString& name, const QString& value)
{
    return WithSettings(true, [&](QSettings& s) { s.setValue(Key(group, name), value); });
}

int CAppSettings::GetInt(const QString& group, const QString& name, int fallback)
{
    bool ok = false;
    const int value = GetString(group, name).trimmed().toInt(&ok);
    return ok ? value : fallback;
}

bool CAppSettings::PutInt(const QString& group, const QString& name, int value)
{
    return PutString(group, name, QString::number(value));
}

bool CAppSettings::HasValue(const QString& group, const QString& name)
{
    bool has = false;
    WithSettings(false, [&](QSettings& s) { has = s.contains(Key(group, name)); });
    return has;
}

bool CAppSettings::RemoveValue(const QString& group, const QString& name)
{
    return WithSettings(true, [&](QSettings& s) {
        // Removing the last value must not remove the group.
        s.beginGroup(group);
        s.remove(name);
        if (s.childKeys().isEmpty())
            s.setValue(GROUP_MARK, QString());
        s.endGroup();
    });
}

QStringList CAppSettings::ValueNames(const QString& group)
{
    QStringList names;
    WithSettings(false, [&](QSettings& s) {
        s.beginGroup(group);
        names = s.childKeys();
        s.endGroup();
    });
    names.removeAll(GROUP_MARK);
    return names;
}

bool CAppSettings::CreateGroup(const QString& group)
{
    return WithSettings(true, [&](QSettings& s) {
        s.beginGroup(group);
        if (s.childKeys().isEmpty())
            s.setValue(GROUP_MARK, QString());
        s.endGroup();
    });
}

bool CAppSettings::GroupExists(const QString& group)
{
    bool exists = false;
    WithSettings(false, [&](QSettings& s) { exists = s.childGroups().contains(group); });
    return exists;
}

bool CAppSettings::ClearGroup(const QString& group)
{
    return WithSettings(true, [&](QSettings& s) {
        s.remove(group);
        s.beginGroup(group);
        s.setValue(GROUP_MARK, QString());
        s.endGroup();
    });
}
