#pragma once
// Whole-file reads with a size cap, and writes that never leave a
// half-written file: the bytes go to a temporary file that is renamed over
// the target only when everything was written.
#include <QByteArray>
#include <QString>

enum class FileReadResult { Ok, CannotOpen, TooLarge, ReadError };

// Reads the whole file into out when it is at most maxBytes long. The
// buffer is sized to the file, not to the cap; a file that grows past the
// cap while it is read is too large.
FileReadResult ReadWholeFile(const QString& path, qint64 maxBytes, QByteArray& out);

// Writes bytes to path and returns true, or returns false and leaves the
// old file, if any, unchanged (a short write on a full disk is a failure).
// The bytes are written into an unnamed file in the target's folder, which
// gets a name only once it is complete and synced and is renamed over the
// target at once, so a process killed during the write leaves nothing
// behind; where the file system has no unnamed files, a named temporary
// beside the target takes its place. A new file's mode is what the umask
// makes of 0666 (the process umask is never touched); a replaced file keeps
// its mode.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes);

// How WriteFileAtomically makes its temporary; tests force the named one to
// check the fallback on file systems that have unnamed files.
enum class AtomicWriteMethod { Auto, NamedTemporary };
void SetAtomicWriteMethod(AtomicWriteMethod method);
