#include "platform/core/FileIO.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>

FileReadResult ReadWholeFile(const QString& path, qint64 maxBytes, QByteArray& out)
{
    out.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileReadResult::CannotOpen;
    // Read one byte more than allowed, so a file that grows while we read
    // is still caught.
    QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return FileReadResult::ReadError;
    if (bytes.size() > maxBytes)
        return FileReadResult::TooLarge;
    out = bytes;
    return FileReadResult::Ok;
}

namespace {
// Writes every byte or fails: a short write (a full disk, a size limit) is
// an error, never a success with a cut file.
bool WriteAllBytes(int fd, const char* data, qint64 size)
{
    while (size > 0) {
        ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0)
            return false;
        data += n;
        size -= n;
    }
    return true;
}
}  // namespace

bool WriteFileAtomically(const QString& path, const QByteArray& bytes)
{
    // The temporary file lives beside the target, so the rename stays on
    // one file system and replaces the target in one step.
    const QByteArray target = QFile::encodeName(QFileInfo(path).absoluteFilePath());
    QByteArray pattern = target + ".XXXXXX";
    int fd = ::mkstemp(pattern.data());
    if (fd < 0)
        return false;
    bool ok = WriteAllBytes(fd, bytes.constData(), bytes.size());
    if (ok)
        ok = ::fsync(fd) == 0;
    // A new file gets the usual permissions; an existing one keeps its own.
    struct stat existing;
    mode_t mode = 0666;
    if (::stat(target.constData(), &existing) == 0)
        mode = existing.st_mode & 07777;
    else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    if (ok)
        ok = ::fchmod(fd, mode) == 0;
    if (::close(fd) != 0)
        ok = false;
    if (ok)
        ok = ::rename(pattern.constData(), target.constData()) == 0;
    if (!ok)
        ::unlink(pattern.constData());
    return ok;
}
