#include "link/UsbClaims.h"

#include <QDir>
#include <QLockFile>

#include "platform/core/AppSettings.h"
#include "platform/core/SettingsNames.h"

namespace {
const QString& CLAIM_GROUP = SETTINGS_USB;
const QString CLAIM_DATA = QStringLiteral("0");

// A lock file of the path, that only a dead owner's lock counts as stale
// for (never its age).
std::unique_ptr<QLockFile> MakeLock(const QString& path)
{
    auto lock = std::make_unique<QLockFile>(CUsbClaims::LockFilePath(path));
    lock->setStaleLockTime(0);
    return lock;
}
}  // namespace

CUsbClaims::CUsbClaims() = default;

CUsbClaims::~CUsbClaims()
{
    while (!m_locks.empty())
        Release(m_locks.begin()->first);
}

QString CUsbClaims::EncodePath(const QString& path)
{
    QString name;
    name.reserve(path.size());
    for (const QChar c : path) {
        if (c == QLatin1Char('%'))
            name += QStringLiteral("%25");
        else if (c == QLatin1Char('/'))
            name += QStringLiteral("%2F");
        else if (c == QLatin1Char('\\'))
            name += QStringLiteral("%5C");
        else
            name += c;
    }
    return name;
}

QString CUsbClaims::DecodeName(const QString& name)
{
    QString path;
    path.reserve(name.size());
    for (int k = 0; k < name.size(); ++k) {
        const QStringView code = QStringView(name).mid(k, 3);
        if (code == QLatin1String("%25")) {
            path += QLatin1Char('%');
            k += 2;
        } else if (code.compare(QLatin1String("%2F"), Qt::CaseInsensitive) == 0) {
            path += QLatin1Char('/');
            k += 2;
        } else if (code.compare(QLatin1String("%5C"), Qt::CaseInsensitive) == 0) {
            path += QLatin1Char('\\');
            k += 2;
        } else {
            path += name[k];
        }
    }
    return path;
}

QString CUsbClaims::LockFilePath(const QString& path)
{
    return CAppSettings::Folder() + QStringLiteral("/usb-") + EncodePath(path) + QStringLiteral(".lock");
}

void CUsbClaims::CreateUsbInUseKey()
{
    CAppSettings::CreateGroup(CLAIM_GROUP);
}

bool CUsbClaims::Holds(const QString& path) const
{
    return m_locks.count(path) != 0;
}

bool CUsbClaims::IsUsbPathFree(const QString& path)
{
    if (Holds(path))
        return false;
    QDir().mkpath(CAppSettings::Folder());
    std::unique_ptr<QLockFile> probe = MakeLock(path);
    if (!probe->tryLock(0) && probe->error() == QLockFile::LockFailedError)
        return false;
    // Nobody alive holds it: a value of the path is a dead copy's.
    probe->unlock();
    const QString name = EncodePath(path);
    if (CAppSettings::HasValue(CLAIM_GROUP, name))
        CAppSettings::RemoveValue(CLAIM_GROUP, name);
    return true;
}

bool CUsbClaims::Claim(const QString& path)
{
    if (Holds(path))
        return true;
    QDir().mkpath(CAppSettings::Folder());
    std::unique_ptr<QLockFile> lock = MakeLock(path);
    if (!lock->tryLock(0)) {
        if (lock->error() == QLockFile::LockFailedError)
            return false;
        // No lock can be made here (the folder cannot be written): the
        // claim is kept in this copy only.
    }
    CAppSettings::PutString(CLAIM_GROUP, EncodePath(path), CLAIM_DATA);
    m_locks[path] = std::move(lock);
    return true;
}

void CUsbClaims::Release(const QString& path)
{
    const auto it = m_locks.find(path);
    if (it == m_locks.end()) {
        // Not ours: only a value nobody holds a lock for goes.
        IsUsbPathFree(path);
        return;
    }
    CAppSettings::RemoveValue(CLAIM_GROUP, EncodePath(path));
    it->second->unlock();
    m_locks.erase(it);
}

void CUsbClaims::ResetUsbInUseKey()
{
    CAppSettings::ClearGroup(CLAIM_GROUP);
}
