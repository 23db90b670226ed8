#include "app/GlobalObjects.h"

#include <memory>

#include <QMenu>

#include "app/SpeakerTypeMenu.h"
#include "platform/gui/Fonts.h"
#include "platform/gui/ResourceStore.h"

QBrush g_brBackground;
QMenu* g_menuSpeakerType = nullptr;

// Allocated once and never freed: fonts used after the application object
// is gone must still be valid objects.
QFont& g_fontGrid16 = *new QFont;
QFont& g_fontArial108 = *new QFont;
QFont& g_fontArial14 = *new QFont;
QFont& g_fontArial12 = *new QFont;
QFont& g_fontArial15 = *new QFont;
QFont& g_fontArial16Bold = *new QFont;
QFont& g_fontArial24Bold = *new QFont;
QFont& g_fontList16 = *new QFont;
QFont& g_fontArial16Heavy = *new QFont;

const QColor g_clrEffectCurve(255, 0, 0, 220);
const QColor g_clrMic1(255, 128, 51, 255);
const QColor g_clrMic2(204, 153, 51, 255);
const QColor g_clrMusic1(0, 255, 255, 255);
const QColor g_clrMusic2(223, 18, 123, 255);
const QColor g_clrMusic3(2, 123, 192, 255);
const QColor g_clrMusic4(255, 255, 0, 255);
const QColor g_clrMusic5(255, 102, 102, 255);
const QColor g_clrMusic6(153, 0, 153, 255);
const QColor g_clrMusic7(153, 255, 0, 255);
const QColor g_clrOutput1(255, 0, 0, 255);
const QColor g_clrOutput2(0, 192, 0, 255);
const QColor g_clrOutput3(128, 128, 192, 255);
const QColor g_clrOutput4(255, 64, 255, 255);
const QColor g_clrOutput5(0, 192, 192, 255);
const QColor g_clrOutput6(192, 168, 0, 255);
const QColor g_clrOutput7(125, 128, 0, 255);
const QColor g_clrOutput8(0, 0, 255, 255);
const QColor g_clrOutput9(125, 128, 0, 255);
const QColor g_clrOutput10(0, 0, 255, 255);
const QColor g_clrOutput11(50, 0, 255, 150);
const QColor g_clrOutput12(0, 50, 255, 100);
const QColor g_clrCurveLine(58, 130, 255, 255);
const QColor g_clrCurveGrey(100, 100, 100, 255);

namespace {
struct FontSpec {
    QFont* font;
    int height;
    int weight;
};

void MakeFont(const FontSpec& spec)
{
    if (std::optional<QFont> font = CreateFont(spec.height, spec.weight, QStringLiteral("Arial")))
        *spec.font = *font;
}

std::unique_ptr<QMenu>& MenuHolder()
{
    static std::unique_ptr<QMenu> menu;
    return menu;
}
}  // namespace

void CreateGlobalObjects()
{
    // In this order.
    const FontSpec fonts[] = {
        {&g_fontGrid16, 16, 400},     {&g_fontArial108, 108, 400},   {&g_fontArial14, 14, 400},
        {&g_fontArial12, 12, 400},    {&g_fontArial15, 15, 400},     {&g_fontArial16Bold, 16, 700},
        {&g_fontArial24Bold, 24, 700}, {&g_fontList16, 16, 400},     {&g_fontArial16Heavy, 16, 1200},
    };
    for (const FontSpec& spec : fonts)
        MakeFont(spec);
    g_brBackground = QBrush(QColor(227, 228, 238));
    LoadSpeakerTypeMenu(MENU_SPEAKER_TYPE_CN);
}

void ReleaseGlobalObjects()
{
    MenuHolder().reset();
    g_menuSpeakerType = nullptr;
}

void LoadSpeakerTypeMenu(int menuId)
{
    MenuHolder() = BuildSpeakerTypeMenu(menuId);
    g_menuSpeakerType = MenuHolder().get();
}

bool LoadImageResource(UINT id, const QString& type, QImage* image)
{
    const QImage loaded = CResourceStore::Image(type, id);
    if (loaded.isNull())
        return false;
    *image = loaded;
    return true;
}
