#include "tools/skingen/SkinTable.h"

#include <set>
#include <utility>

#include <QFile>
#include <QStringList>

const QStringList& SkinKinds()
{
    static const QStringList kinds = {
        QStringLiteral("normal"),   QStringLiteral("hover"),    QStringLiteral("down"),
        QStringLiteral("on"),       QStringLiteral("on-hover"), QStringLiteral("disabled"),
        QStringLiteral("lamp-off"), QStringLiteral("lamp-on"),  QStringLiteral("panel"),
        QStringLiteral("badge"),
        QStringLiteral("track"),    QStringLiteral("track-lit"), QStringLiteral("knob"),
        QStringLiteral("knob-on"),  QStringLiteral("knob-off"),  QStringLiteral("drop"),
        QStringLiteral("drop-hover"), QStringLiteral("speaker"), QStringLiteral("speaker-hover"),
        QStringLiteral("speaker-on"), QStringLiteral("stepper"), QStringLiteral("stepper-down"),
        QStringLiteral("stepper-middle"), QStringLiteral("stepper-up"), QStringLiteral("window"),
        QStringLiteral("window-locked"), QStringLiteral("cover"),
        QStringLiteral("car-plan"), QStringLiteral("sound"), QStringLiteral("sound-hover"),
        QStringLiteral("sound-muted"), QStringLiteral("sound-muted-hover"),
    };
    return kinds;
}

namespace {
// "-" for none, else "#RRGGBB" or "#RRGGBB/#RRGGBB" (face, then label); no
// other colour form.
bool ParseColours(const QString& field, SkinEntry* entry)
{
    if (field == QLatin1String("-"))
        return true;
    const QStringList parts = field.split(QLatin1Char('/'));
    if (parts.size() > 2)
        return false;
    for (const QString& part : parts) {
        if (part.size() != 7 || !part.startsWith(QLatin1Char('#')) || !QColor::fromString(part).isValid())
            return false;
    }
    entry->face = QColor::fromString(parts[0]);
    if (parts.size() == 2)
        entry->text = QColor::fromString(parts[1]);
    return true;
}

bool Fail(QString* error, int line, const QString& what)
{
    *error = QStringLiteral("line %1: %2").arg(line).arg(what);
    return false;
}
}  // namespace

bool ReadSkinTable(const QString& path, std::vector<SkinEntry>* entries, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Fail(error, 0, QStringLiteral("cannot open %1").arg(path));
    entries->clear();
    std::set<std::pair<QString, unsigned>> seen;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList f = line.split(QLatin1Char('\t'), Qt::SkipEmptyParts);
        if (f.size() != 8)
            return Fail(error, n + 1, QStringLiteral("expected 8 tab-separated fields"));
        SkinEntry e;
        bool okId = false, okW = false, okH = false;
        e.id = f[0].toUInt(&okId);
        e.type = f[1].toUpper();
        e.width = f[2].toInt(&okW);
        e.height = f[3].toInt(&okH);
        e.kind = f[4];
        e.label = f[5] == QLatin1String("-") ? QString() : f[5];
        e.language = f[7];
        if (!okId)
            return Fail(error, n + 1, QStringLiteral("bad id"));
        if (e.type != QLatin1String("BMP") && e.type != QLatin1String("PNG"))
            return Fail(error, n + 1, QStringLiteral("type must be BMP or PNG"));
        if (!okW || !okH || e.width < 1 || e.height < 1 || e.width > 2048 || e.height > 2048)
            return Fail(error, n + 1, QStringLiteral("size outside 1 to 2048"));
        if (!SkinKinds().contains(e.kind))
            return Fail(error, n + 1, QStringLiteral("unknown kind %1").arg(e.kind));
        if (!ParseColours(f[6], &e))
            return Fail(error, n + 1, QStringLiteral("bad colours %1").arg(f[6]));
        if (e.language != QLatin1String("any") && e.language != QLatin1String("cn") &&
            e.language != QLatin1String("en"))
            return Fail(error, n + 1, QStringLiteral("language must be any, cn or en"));
        if (!seen.insert({e.type, e.id}).second)
            return Fail(error, n + 1, QStringLiteral("%1 %2 appears twice").arg(e.type).arg(e.id));
        entries->push_back(e);
    }
    return true;
}
