#include "platform/core/FileIO.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

namespace {

std::atomic<AtomicWriteMethod> g_AtomicWriteMethod{AtomicWriteMethod::Auto};

// A descriptor closed when it goes out of scope, unless closed before.
class CFileDescriptor {
public:
    explicit CFileDescriptor(int fd) : m_fd(fd) {}
    ~CFileDescriptor() { Close(); }
    CFileDescriptor(const CFileDescriptor&) = delete;
    CFileDescriptor& operator=(const CFileDescriptor&) = delete;

    int Get() const { return m_fd; }
    // False when close reports an error (a delayed write error, for one).
    bool Close()
    {
        if (m_fd < 0)
            return true;
        const int result = ::close(m_fd);
        m_fd = -1;
        return result == 0;
    }

private:
    int m_fd;
};

// One read, repeated when a signal interrupts it.
ssize_t ReadSome(int fd, char* data, size_t size)
{
    for (;;) {
        const ssize_t n = ::read(fd, data, size);
        if (n >= 0 || errno != EINTR)
            return n;
    }
}

// Writes every byte or fails: a short write (a full disk, a size limit) is
// an error, never a success with a cut file.
bool WriteAllBytes(int fd, const char* data, qint64 size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
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

// "target.XXXXXX" with six random letters and digits.
QByteArray TemporaryName(const QByteArray& target)
{
    static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray name = target + '.';
    for (int i = 0; i < 6; ++i)
        name += kChars[QRandomGenerator::global()->bounded(int(sizeof kChars - 1))];
    return name;
}

constexpr int kNameAttempts = 100;

// Creates a new named temporary beside the target. Mode 0666 is asked for,
// so the kernel applies the umask (and a folder's default ACL) itself.
int CreateNamedTemporary(const QByteArray& target, QByteArray& name)
{
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        name = TemporaryName(target);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Gives a complete unnamed file a temporary name beside the target; name is
// set only when the link was made. The link through /proc needs no
// privilege; without /proc, a process allowed to may link the descriptor
// itself.
bool LinkUnnamed(int fd, const QByteArray& target, QByteArray& name)
{
    const QByteArray procPath = "/proc/self/fd/" + QByteArray::number(fd);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const QByteArray candidate = TemporaryName(target);
        int result = ::linkat(AT_FDCWD, procPath.constData(), AT_FDCWD, candidate.constData(), AT_SYMLINK_FOLLOW);
        if (result != 0 && errno != EEXIST)
            result = ::linkat(fd, "", AT_FDCWD, candidate.constData(), AT_EMPTY_PATH);
        if (result == 0) {
            name = candidate;
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    return false;
}

// Makes the rename itself durable; a folder that cannot be synced changes
// nothing about the file, which is already whole.
void SyncFolder(const QByteArray& folder)
{
    CFileDescriptor fd(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() >= 0)
        ::fsync(fd.Get());
}

}  // namespace

FileReadResult ReadWholeFile(const QString& path, qint64 maxBytes, QByteArray& out)
{
    out.clear();
    CFileDescriptor fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0)
        return FileReadResult::CannotOpen;
    struct stat st;
    if (::fstat(fd.Get(), &st) != 0)
        return FileReadResult::ReadError;
    if (S_ISDIR(st.st_mode))
        return FileReadResult::CannotOpen;
    // The size is checked before anything is allocated; a file that does
    // not tell its size (a pipe, /proc) is read in growing steps.
    const qint64 expected = S_ISREG(st.st_mode) ? qint64(st.st_size) : 0;
    if (expected > maxBytes)
        return FileReadResult::TooLarge;
    // One byte of room beyond the expected size tells a file that has grown
    // since its size was taken; past the cap, that makes it too large.
    QByteArray bytes;
    qint64 capacity = expected + 1;
    bytes.resize(capacity);
    qint64 filled = 0;
    for (;;) {
        if (filled == capacity) {
            if (capacity > maxBytes)
                return FileReadResult::TooLarge;
            capacity = std::min(maxBytes + 1, std::max(capacity * 2, qint64(4096)));
            bytes.resize(capacity);
        }
        const ssize_t n = ReadSome(fd.Get(), bytes.data() + filled, size_t(capacity - filled));
        if (n < 0)
            return FileReadResult::ReadError;
        if (n == 0)
            break;
        filled += n;
    }
    bytes.truncate(filled);
    out = std::move(bytes);
    return FileReadResult::Ok;
}

void SetAtomicWriteMethod(AtomicWriteMethod method)
{
    g_AtomicWriteMethod = method;
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes)
{
    // Every temporary lives in the target's folder, so the rename stays on
    // one file system and replaces the target in one step.
    const QFileInfo info(path);
    const QByteArray target = QFile::encodeName(info.absoluteFilePath());
    const QByteArray folder = QFile::encodeName(info.absolutePath());
    struct stat existing;
    const bool replacing = ::stat(target.constData(), &existing) == 0;

    // An unnamed file vanishes by itself if the process dies before it is
    // linked; a file system that refuses one gets a named temporary.
    bool unnamed = false;
    QByteArray tempName;
    int rawFd = -1;
    if (g_AtomicWriteMethod == AtomicWriteMethod::Auto) {
        rawFd = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        unnamed = rawFd >= 0;
    }
    if (!unnamed)
        rawFd = CreateNamedTemporary(target, tempName);
    CFileDescriptor fd(rawFd);
    if (fd.Get() < 0)
        return false;

    // A replaced file keeps its mode; a new one has the umask's.
    bool ok = !replacing || ::fchmod(fd.Get(), existing.st_mode & 07777) == 0;
    if (ok)
        ok = WriteAllBytes(fd.Get(), bytes.constData(), bytes.size());
    if (ok)
        ok = ::fsync(fd.Get()) == 0;
    if (ok && unnamed)
        ok = LinkUnnamed(fd.Get(), target, tempName);
    if (!fd.Close())
        ok = false;
    if (ok)
        ok = ::rename(tempName.constData(), target.constData()) == 0;
    if (!ok) {
        if (!tempName.isEmpty())
            ::unlink(tempName.constData());
        return false;
    }
    SyncFolder(folder);
    return true;
}
