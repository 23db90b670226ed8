#pragma once
// What every fuzz target shares: the one-time start (a core application, a
// silent message box, the default image taken as the baseline each input
// starts from), invariant checks that end the run with a message, and a
// scratch file for the readers that take a path.
#include <cstddef>
#include <cstdint>

#include <QByteArray>
#include <QString>

// Once per process: the application object, the silent message box and the
// default image. Every target calls it at the top of each input.
void FuzzStart();

// Puts the live data back to the baseline, so that every input starts from
// the same state whatever the one before did.
void FuzzRestoreBaseline();

// Ends the run at once (libFuzzer keeps the input) when ok is false.
void FuzzCheck(bool ok, const char* what);

// The bytes of one input.
inline QByteArray FuzzBytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// A file in the process's scratch folder holding bytes; its path.
QString FuzzWriteScratchFile(const char* name, const QByteArray& bytes);
