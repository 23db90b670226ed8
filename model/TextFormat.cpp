#include "model/TextFormat.h"

#include <cstdint>

#include "platform/core/PerfCounter.h"

QString FormatDelayText(std::int64_t ticks)
{
    const double seconds = static_cast<double>(ticks) / static_cast<double>(g_liPerfFreq);
    return QStringLiteral("延时(秒)=") + QString::asprintf("%f ", seconds);
}

QString ToRadixString(int value, int radix)
{
    if (radix < 2 || radix > 36)
        return QString();
    if (radix == 10)
        return QString::number(value);
    QString text = QString::number(static_cast<std::uint32_t>(value), radix).toUpper();
    if (radix == 16 && text.size() < 4)
        text = text.rightJustified(4, QLatin1Char('0'));
    return text;
}
