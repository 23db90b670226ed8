#include "link/NetAddress.h"

#include <QStringList>

const char* const DEFAULT_DEVICE_IP = "10.10.100.254";

CLockedString g_strDeviceIp{QString::fromLatin1(DEFAULT_DEVICE_IP)};
std::atomic<int> g_nDevicePort{DEFAULT_DEVICE_PORT};

bool ParseDottedIPv4(const QString& text, IPv4Octets* octets)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    IPv4Octets out{};
    for (int i = 0; i < 4; ++i) {
        const QString& part = parts[i];
        if (part.isEmpty() || part.size() > 3 || (part.size() > 1 && part[0] == QLatin1Char('0')))
            return false;
        int value = 0;
        for (QChar c : part) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
            value = value * 10 + (c.unicode() - '0');
        }
        if (value > 255)
            return false;
        out[size_t(i)] = BYTE(value);
    }
    if (octets != nullptr)
        *octets = out;
    return true;
}
