#pragma once
// What the preset files may change, captured so that a test can show that a
// refused file changed none of it.
#include <gtest/gtest.h>

#include <cstring>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include "app/BrelinDoc.h"
#include "model/DataDefine.h"
#include "model/DataLockState.h"

inline QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

struct LiveSnapshot {
    QByteArray bytes;
    bool locked;
    QString password;

    static LiveSnapshot Take()
    {
        LiveSnapshot s;
        s.bytes.append(reinterpret_cast<const char*>(&g_CurrentImage), sizeof g_CurrentImage);
        s.bytes.append(reinterpret_cast<const char*>(g_MachinePresets), sizeof g_MachinePresets);
        s.bytes.append(reinterpret_cast<const char*>(g_SystemBytes), sizeof g_SystemBytes);
        s.bytes.append(reinterpret_cast<const char*>(g_ModeGains), sizeof g_ModeGains);
        s.bytes.append(reinterpret_cast<const char*>(g_OutputMapCrossovers), sizeof g_OutputMapCrossovers);
        s.locked = g_bDataLocked;
        s.password = g_strLockPassword;
        return s;
    }
    bool operator==(const LiveSnapshot& o) const
    {
        return bytes == o.bytes && locked == o.locked && password == o.password;
    }
};

// The state the preset files read and write, put back to the program's
// start: the defaults first, then (as a member declared after this one) the
// document, which takes its outputs' speaker positions and crossovers from
// the defaults when it is built. A document built before the reset would
// hold whatever an earlier test left in those tables.
struct FreshPresetState {
    FreshPresetState()
    {
        InitDefaultDeviceData();
        std::memset(g_OutputMapCrossovers, 0, sizeof g_OutputMapCrossovers);
        g_bDataLocked = false;
        g_strLockPassword.clear();
    }
};

class PresetFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    FreshPresetState fresh;
    CBrelinDoc doc;
    QTemporaryDir dir;
};
