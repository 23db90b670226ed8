#pragma once
// A text that one thread writes while another reads it (the device address,
// which the reachability poll reads on its own thread). Every access copies
// under a mutex; nobody holds a reference into it.
#include <mutex>

#include <QString>

class CLockedString {
public:
    explicit CLockedString(const QString& initial = QString()) : m_text(initial) {}
    CLockedString(const CLockedString&) = delete;
    CLockedString& operator=(const CLockedString&) = delete;

    QString Get() const;
    void Set(const QString& text);

private:
    mutable std::mutex m_mutex;
    QString m_text;
};
