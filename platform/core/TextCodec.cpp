#include "platform/core/TextCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

// Converters carry state between calls, so each call uses its own.
QByteArray ToDeviceBytes(const QString& text)
{
    QStringEncoder encoder("GBK");
    if (!encoder.isValid())
        return text.toLatin1();
    return encoder.encode(text);
}

QString FromDeviceBytes(const char* bytes, int length)
{
    if (bytes == nullptr || length <= 0)
        return QString();
    QStringDecoder decoder("GBK");
    if (!decoder.isValid())
        return QString::fromLatin1(bytes, length);
    return decoder.decode(QByteArrayView(bytes, length));
}
