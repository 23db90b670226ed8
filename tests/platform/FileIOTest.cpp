// Whole-file reads with a cap; atomic writes keep the target's permissions.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/core/FileIO.h"

namespace {

TEST(FileIO, ReadsWholeFilesUpToTheCap)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f"));
    ASSERT_TRUE(WriteFileAtomically(path, QByteArray(100, 'a')));
    QByteArray out("stale");
    EXPECT_EQ(ReadWholeFile(path, 100, out), FileReadResult::Ok);
    EXPECT_EQ(out, QByteArray(100, 'a'));
    EXPECT_EQ(ReadWholeFile(path, 99, out), FileReadResult::TooLarge);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_EQ(ReadWholeFile(dir.filePath(QStringLiteral("missing")), 100, out), FileReadResult::CannotOpen);
}

TEST(FileIO, AtomicWriteReplacesInPlaceAndLeavesNoTemporaries)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f"));
    ASSERT_TRUE(WriteFileAtomically(path, "one"));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    ASSERT_TRUE(WriteFileAtomically(path, "two"));
    QByteArray out;
    ASSERT_EQ(ReadWholeFile(path, 10, out), FileReadResult::Ok);
    EXPECT_EQ(out, QByteArray("two"));
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("f")});
    // Into a folder that does not exist: false, nothing created.
    EXPECT_FALSE(WriteFileAtomically(dir.filePath(QStringLiteral("no/f")), "x"));
}

}  // namespace
