#include "model/ChannelTexts.h"

#include "platform/core/Language.h"

QString OnOffText(bool on)
{
    return on ? QStringLiteral("On") : QStringLiteral("OFF");
}

QString PolarityText(int polarity)
{
    if (g_bChinese)
        return polarity == 0 ? QString::fromUtf8("正相") : QString::fromUtf8("反相");
    return polarity == 0 ? QStringLiteral("Pol+") : QStringLiteral("Pol-");
}

QString DelayText(int delay)
{
    const double ms = delay <= 99 ? delay * 0.1 : (delay - 100) + 10;
    return QString::asprintf("%0.1fms", ms);
}

QString PercentText(int value)
{
    return QString::asprintf("%d%%", value);
}
