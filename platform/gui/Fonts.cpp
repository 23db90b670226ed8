#include "platform/gui/Fonts.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <tuple>

#include <QFontMetrics>

namespace {
std::mutex g_fontMutex;
FontCreationHook g_fontCreationHook;
std::map<std::tuple<QString, int, int>, int> g_pixelSizes;
std::map<QString, int> g_cellHeights;  // by font key

int ClampWeight(int weight)
{
    if (weight <= FW_DONTCARE)
        return FW_NORMAL;
    return std::min(weight, int(FW_HEAVY));
}

QFont BaseFont(const QString& face, int weight)
{
    QFont font(face);
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Weight(ClampWeight(weight)));
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}
}  // namespace

int PixelSizeForCellHeight(const QString& face, int cellHeight, int weight)
{
    const auto key = std::make_tuple(face, cellHeight, ClampWeight(weight));
    {
        std::lock_guard<std::mutex> lock(g_fontMutex);
        if (auto it = g_pixelSizes.find(key); it != g_pixelSizes.end())
            return it->second;
    }
    QFont font = BaseFont(face, weight);
    int size = std::max(cellHeight, 1);
    for (; size > 1; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).height() <= cellHeight)
            break;
    }
    std::lock_guard<std::mutex> lock(g_fontMutex);
    g_pixelSizes[key] = size;
    return size;
}

std::optional<QFont> CreateFont(int height, int weight, const QString& face)
{
    FontCreationHook hook;
    {
        std::lock_guard<std::mutex> lock(g_fontMutex);
        hook = g_fontCreationHook;
    }
    if (hook && !hook(height, weight, face))
        return std::nullopt;
    QFont font = BaseFont(face, weight);
    if (height > 0) {
        font.setPixelSize(PixelSizeForCellHeight(face, height, weight));
        std::lock_guard<std::mutex> lock(g_fontMutex);
        g_cellHeights[font.key()] = height;
    } else if (height < 0) {
        font.setPixelSize(-height);
    }
    return font;
}

int CellHeightOfFont(const QFont& font)
{
    QFont plain = font;
    plain.setItalic(false);
    plain.setUnderline(false);
    plain.setStrikeOut(false);
    std::lock_guard<std::mutex> lock(g_fontMutex);
    auto it = g_cellHeights.find(plain.key());
    return it == g_cellHeights.end() ? 0 : it->second;
}

FontCreationHook SetFontCreationHook(FontCreationHook hook)
{
    std::lock_guard<std::mutex> lock(g_fontMutex);
    FontCreationHook previous = std::move(g_fontCreationHook);
    g_fontCreationHook = std::move(hook);
    return previous;
}
