// Whole-file reads sized to the file with a cap; atomic writes that keep
// the target's mode, leave the umask alone and leave nothing behind.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <random>
#include <thread>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/core/FileIO.h"

// Counts every umask call of this program: saving must never flip the
// process-wide mask, since a file another thread creates in that instant
// would get the wrong mode.
namespace {
std::atomic<int> g_UmaskCalls{0};
}

extern "C" mode_t umask(mode_t mask)
{
    using UmaskFn = mode_t (*)(mode_t);
    static const auto real = reinterpret_cast<UmaskFn>(::dlsym(RTLD_NEXT, "umask"));
    ++g_UmaskCalls;
    return real(mask);
}

// Names the method in test names and messages.
void PrintTo(AtomicWriteMethod method, std::ostream* os)
{
    *os << (method == AtomicWriteMethod::Auto ? "unnamed temporary" : "named temporary");
}

namespace {

QByteArray Path8(const QString& path)
{
    return QFile::encodeName(path);
}

mode_t ModeOf(const QString& path)
{
    struct stat st {};
    if (::stat(Path8(path).constData(), &st) != 0)
        return mode_t(-1);
    return st.st_mode & 07777;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList EntriesOf(const QTemporaryDir& dir)
{
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// True where the folder's file system makes unnamed files.
bool HasUnnamedFiles(const QString& folder)
{
    const int fd = ::open(Path8(folder).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

// Sets a known umask for one test and puts the old one back (the test's
// own umask calls do not count as the save's).
class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : m_old(::umask(mask)) {}
    ~ScopedUmask() { ::umask(m_old); }

private:
    mode_t m_old;
};

// Both ways of making the temporary; the method is put back afterwards.
class AtomicWriteTest : public ::testing::TestWithParam<AtomicWriteMethod> {
protected:
    void SetUp() override { SetAtomicWriteMethod(GetParam()); }
    void TearDown() override { SetAtomicWriteMethod(AtomicWriteMethod::Auto); }
    QString PathOf(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

INSTANTIATE_TEST_SUITE_P(Methods, AtomicWriteTest,
                         ::testing::Values(AtomicWriteMethod::Auto, AtomicWriteMethod::NamedTemporary),
                         [](const auto& info) {
                             return std::string(info.param == AtomicWriteMethod::Auto ? "Unnamed" : "Named");
                         });

// ---- Reads ------------------------------------------------------------------------

TEST(FileIO, ReadsWholeFilesUpToTheCap)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f"));
    struct Case {
        qint64 size;
        qint64 cap;
        FileReadResult expected;
    };
    const qint64 kMiB16 = 16 * 1024 * 1024;
    const Case cases[] = {
        {0, 10, FileReadResult::Ok},
        {9, 10, FileReadResult::Ok},
        {10, 10, FileReadResult::Ok},
        {11, 10, FileReadResult::TooLarge},
        {5017, 5017, FileReadResult::Ok},
        {4097, 4096, FileReadResult::TooLarge},
        {kMiB16, kMiB16, FileReadResult::Ok},
        {kMiB16 + 1, kMiB16, FileReadResult::TooLarge},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "size " << c.size << " cap " << c.cap);
        QByteArray bytes(c.size, '\0');
        for (qint64 i = 0; i < c.size; ++i)
            bytes[i] = char(i * 7);
        ASSERT_TRUE(WriteFileAtomically(path, bytes));
        QByteArray out("stale");
        EXPECT_EQ(ReadWholeFile(path, c.cap, out), c.expected);
        EXPECT_EQ(out, c.expected == FileReadResult::Ok ? bytes : QByteArray());
    }
    QByteArray out("stale");
    EXPECT_EQ(ReadWholeFile(dir.filePath(QStringLiteral("missing")), 100, out), FileReadResult::CannotOpen);
    EXPECT_EQ(ReadWholeFile(dir.path(), 100, out), FileReadResult::CannotOpen);
    EXPECT_TRUE(out.isEmpty());
}

TEST(FileIO, AFileLargerThanItsSizeSaidIsReadToTheEndOrRefusedPastTheCap)
{
    // /proc files report size 0 and then deliver their bytes, as a file that
    // grew after its size was taken does.
    const QString path = QStringLiteral("/proc/self/cmdline");
    QByteArray whole;
    ASSERT_EQ(ReadWholeFile(path, 1 << 20, whole), FileReadResult::Ok);
    ASSERT_GT(whole.size(), 0);
    EXPECT_EQ(whole, ReadAll(path));
    QByteArray out;
    EXPECT_EQ(ReadWholeFile(path, whole.size(), out), FileReadResult::Ok);
    EXPECT_EQ(out, whole);
    EXPECT_EQ(ReadWholeFile(path, whole.size() - 1, out), FileReadResult::TooLarge);
    EXPECT_TRUE(out.isEmpty());
}

TEST(FileIO, APipeIsReadInGrowingStepsUpToTheCap)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(::mkfifo(Path8(path).constData(), 0600), 0);
    for (const qint64 size : {qint64(0), qint64(100000), qint64(100001)}) {
        SCOPED_TRACE(size);
        std::thread writer([&] {
            QFile fifo(path);
            if (fifo.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
                fifo.write(QByteArray(size, 'p'));
        });
        QByteArray out;
        const FileReadResult result = ReadWholeFile(path, 100000, out);
        writer.join();
        if (size <= 100000) {
            EXPECT_EQ(result, FileReadResult::Ok);
            EXPECT_EQ(out, QByteArray(size, 'p'));
        } else {
            EXPECT_EQ(result, FileReadResult::TooLarge);
        }
    }
}

// ---- Writes -----------------------------------------------------------------------

TEST_P(AtomicWriteTest, ReplacesInPlaceAndLeavesNoTemporaries)
{
    const QString path = PathOf("f");
    ASSERT_TRUE(WriteFileAtomically(path, "one"));
    ASSERT_TRUE(WriteFileAtomically(path, "two"));
    EXPECT_EQ(ReadAll(path), QByteArray("two"));
    EXPECT_EQ(EntriesOf(dir), QStringList{QStringLiteral("f")});
    // Into a folder that does not exist: false, nothing created.
    EXPECT_FALSE(WriteFileAtomically(PathOf("no/f"), "x"));
    EXPECT_EQ(EntriesOf(dir), QStringList{QStringLiteral("f")});
}

TEST_P(AtomicWriteTest, NewFilesFollowTheUmaskReplacedFilesKeepTheirModeAndTheUmaskIsNeverTouched)
{
    ScopedUmask mask(027);
    const int callsBefore = g_UmaskCalls.load();
    const QString fresh = PathOf("fresh");
    ASSERT_TRUE(WriteFileAtomically(fresh, "new"));
    EXPECT_EQ(ModeOf(fresh), mode_t(0640));

    const QString kept = PathOf("kept");
    ASSERT_TRUE(WriteFileAtomically(kept, "old"));
    ASSERT_EQ(::chmod(Path8(kept).constData(), 0604), 0);
    ASSERT_TRUE(WriteFileAtomically(kept, "replaced"));
    EXPECT_EQ(ModeOf(kept), mode_t(0604));
    EXPECT_EQ(ReadAll(kept), QByteArray("replaced"));
    EXPECT_EQ(g_UmaskCalls.load(), callsBefore);
}

TEST_P(AtomicWriteTest, AWriteCutShortLeavesTheOldFileAndNothingBeside)
{
    const QString path = PathOf("keep");
    ASSERT_TRUE(WriteFileAtomically(path, "old bytes"));
    // A file-size limit stands in for a full disk, for any user.
    struct rlimit saved;
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool result = WriteFileAtomically(path, QByteArray(5000, 'n'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(result);
    EXPECT_EQ(ReadAll(path), QByteArray("old bytes"));
    EXPECT_EQ(EntriesOf(dir), QStringList{QStringLiteral("keep")});
}

// A child process saves two contents in turn without end and is killed at
// random moments. The target is always one of them whole. With unnamed
// temporaries a death while the bytes are written leaves nothing; only the
// two calls between the link and the rename can leave a named copy, and
// that copy is whole.
TEST_P(AtomicWriteTest, ASaveKilledAtRandomMomentsLeavesTheOldOrTheNewFile)
{
    const QString path = PathOf("target");
    const QByteArray contents[2] = {QByteArray(2 << 20, 'a'), QByteArray(3 << 20, 'b')};
    ASSERT_TRUE(WriteFileAtomically(path, contents[0]));
    const bool unnamed = GetParam() == AtomicWriteMethod::Auto && HasUnnamedFiles(dir.path());

    std::mt19937 random(20240613);
    const int kKills = 40;
    int leftovers = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 1;; ++i)
                WriteFileAtomically(path, contents[i % 2]);
        }
        ::usleep(useconds_t(std::uniform_int_distribution<int>(0, 30000)(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);

        const QByteArray target = ReadAll(path);
        EXPECT_TRUE(target == contents[0] || target == contents[1]) << "cut target of " << target.size();
        for (const QString& name : EntriesOf(dir)) {
            if (name == QStringLiteral("target"))
                continue;
            const QString leftover = dir.filePath(name);
            if (unnamed) {
                const QByteArray bytes = ReadAll(leftover);
                EXPECT_TRUE(bytes == contents[0] || bytes == contents[1]) << "partial temporary " << bytes.size();
                ++leftovers;
            }
            QFile::remove(leftover);
        }
    }
    // The link-to-rename gap is two system calls against a multi-megabyte
    // write and sync: a leftover there is rare.
    EXPECT_LE(leftovers, kKills / 4);
}

}  // namespace
