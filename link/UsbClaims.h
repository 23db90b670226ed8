#pragma once
// The list of claimed USB devices, shared by every running copy of the
// program, so that each copy uses a device of its own.
//
// A claim has two parts: the value of the device path in the settings group
// "USB" (data "0"; '%', '/' and '\' of the path percent-encoded in the name)
// and a lock file beside the settings file, one per path. The lock decides:
// a path is claimed while a live copy of the program (this one included)
// holds its lock. A lock whose owner died is stale and taken over; a value
// whose lock nobody holds was left by a copy that died and is removed where
// it is met. The settings may fail (they count as free); the lock still
// decides.
//
// Not thread-safe: its owner (CUsbLink) guards it with its mutex.
#include <map>
#include <memory>

#include <QString>

class QLockFile;

class CUsbClaims {
public:
    CUsbClaims();
    // Lets go of every claim this object holds.
    ~CUsbClaims();
    CUsbClaims(const CUsbClaims&) = delete;
    CUsbClaims& operator=(const CUsbClaims&) = delete;

    // The claim group exists from now on.
    void CreateUsbInUseKey();
    // FALSE while a live copy (this one too) holds the path's lock. A value
    // left by a dead copy is removed on the way.
    bool IsUsbPathFree(const QString& path);
    // Takes the path's lock and writes its value; FALSE, with nothing
    // changed, when a live copy holds the lock. Taking a claim this object
    // already holds succeeds.
    bool Claim(const QString& path);
    // Removes the path's value and lets go of its lock when this object
    // holds it (another copy's lock is never touched).
    void Release(const QString& path);
    // Empties the claim group. Locks stay as they are: a live copy's claim
    // still counts.
    void ResetUsbInUseKey();
    bool Holds(const QString& path) const;

    // The value name of a path, and back.
    static QString EncodePath(const QString& path);
    static QString DecodeName(const QString& name);
    // The lock file of a path, beside the settings file.
    static QString LockFilePath(const QString& path);

private:
    std::map<QString, std::unique_ptr<QLockFile>> m_locks;
};
