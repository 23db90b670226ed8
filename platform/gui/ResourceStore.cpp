#include "platform/gui/ResourceStore.h"

#include <map>
#include <mutex>
#include <utility>

#include <QFile>

namespace {
using Key = std::pair<QString, UINT>;

struct Store {
    std::mutex mutex;
    std::map<Key, QImage> overrides;
    std::map<Key, QImage> loaded;  // compiled images read so far
    bool bTextsRead = false;
    std::map<UINT, QString> texts;
};

Store& TheStore()
{
    static Store store;
    return store;
}

QString NormalType(const QString& type)
{
    return type.toUpper();
}

// The string table: one "id<TAB>text" a line; "\n" in a text is a line feed.
void ReadTexts(Store& store)
{
    store.bTextsRead = true;
    QFile file(QStringLiteral(":/res/strings.tsv"));
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QString all = QString::fromUtf8(file.readAll());
    for (const QString& line : all.split(QLatin1Char('\n'))) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        if (tab <= 0)
            continue;
        bool ok = false;
        const UINT id = line.left(tab).toUInt(&ok);
        if (ok)
            store.texts[id] = line.mid(tab + 1).replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    }
}
}  // namespace

QString CResourceStore::ResourcePath(const QString& type, UINT id)
{
    const QString t = NormalType(type);
    return QStringLiteral(":/res/%1/%2.%3").arg(t).arg(id).arg(t.toLower());
}

QImage CResourceStore::Image(const QString& type, UINT id)
{
    Store& store = TheStore();
    const Key key(NormalType(type), id);
    std::lock_guard<std::mutex> lock(store.mutex);
    if (auto it = store.overrides.find(key); it != store.overrides.end())
        return it->second;
    if (auto it = store.loaded.find(key); it != store.loaded.end())
        return it->second;
    QImage image(ResourcePath(type, id));
    if (!image.isNull())
        store.loaded[key] = image;
    return image;
}

QString CResourceStore::Text(UINT id)
{
    Store& store = TheStore();
    std::lock_guard<std::mutex> lock(store.mutex);
    if (!store.bTextsRead)
        ReadTexts(store);
    auto it = store.texts.find(id);
    return it == store.texts.end() ? QString() : it->second;
}

void CResourceStore::SetImage(const QString& type, UINT id, const QImage& image)
{
    Store& store = TheStore();
    std::lock_guard<std::mutex> lock(store.mutex);
    store.overrides[Key(NormalType(type), id)] = image;
}

void CResourceStore::SetFlatImage(const QString& type, UINT id, const QSize& size, const QColor& colour)
{
    QImage image(size, NormalType(type) == QLatin1String("PNG") ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    image.fill(colour);
    SetImage(type, id, image);
}

void CResourceStore::ClearOverrides()
{
    Store& store = TheStore();
    std::lock_guard<std::mutex> lock(store.mutex);
    store.overrides.clear();
}
