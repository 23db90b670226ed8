#pragma once
// Texts stored in the device image, in frames and in the archives are GBK
// bytes (the program's settings key names GB2312). These two functions are
// the only place where such bytes meet QString.
#include <QByteArray>
#include <QString>

// Encodes text as GBK; characters GBK cannot hold become '?'.
QByteArray ToDeviceBytes(const QString& text);
// Decodes GBK bytes; invalid sequences become U+FFFD.
QString FromDeviceBytes(const char* bytes, int length);
inline QString FromDeviceBytes(const QByteArray& bytes) { return FromDeviceBytes(bytes.constData(), int(bytes.size())); }
