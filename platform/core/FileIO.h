#pragma once
// Whole-file reads with a size cap, and writes that never leave a
// half-written file: the bytes go to a temporary file that is renamed over
// the target only when everything was written.
#include <QByteArray>
#include <QString>

enum class FileReadResult { Ok, CannotOpen, TooLarge, ReadError };

// Reads the whole file into out when it is at most maxBytes long.
FileReadResult ReadWholeFile(const QString& path, qint64 maxBytes, QByteArray& out);

// Writes bytes to path through a temporary file beside it and a rename. On
// failure (including a short write on a full disk)
// the old file, if any, is unchanged and false is returned.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes);
