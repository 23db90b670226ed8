#include "app/GlobalObjects.h"

#include <QWidget>

#include <memory>

#include <QMenu>

#include "app/SpeakerTypeMenu.h"
#include "model/ChannelColors.h"
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
QFont& g_fontArial24Bold = *new QFont;
QFont& g_fontArial16Heavy = *new QFont;

namespace {
// The curve colour a channel of the model is created with, as a colour
// object; constant-initialised like the literal colours beside it.
constexpr QColor CurveColour(const ChannelColour& channel)
{
    return QColor(qRed(channel.curveArgb), qGreen(channel.curveArgb), qBlue(channel.curveArgb),
                  qAlpha(channel.curveArgb));
}
}  // namespace

// The channels' colours come from the model's table; the second mic, the
// music channels 5 to 7 and the graph pens have no channel there.
const QColor g_clrEffectCurve = CurveColour(kEffectColour);
const QColor g_clrMic1 = CurveColour(kMicColour);
const QColor g_clrMic2(204, 153, 51, 255);
const QColor g_clrMusic1 = CurveColour(kMusicColours[0]);
const QColor g_clrMusic2 = CurveColour(kMusicColours[1]);
const QColor g_clrMusic3 = CurveColour(kMusicColours[2]);
const QColor g_clrMusic4 = CurveColour(kMusicColours[3]);
const QColor g_clrMusic5(255, 102, 102, 255);
const QColor g_clrMusic6(153, 0, 153, 255);
const QColor g_clrMusic7(153, 255, 0, 255);
const QColor g_clrOutput1 = CurveColour(kOutputColours[0]);
const QColor g_clrOutput2 = CurveColour(kOutputColours[1]);
const QColor g_clrOutput3 = CurveColour(kOutputColours[2]);
const QColor g_clrOutput4 = CurveColour(kOutputColours[3]);
const QColor g_clrOutput5 = CurveColour(kOutputColours[4]);
const QColor g_clrOutput6 = CurveColour(kOutputColours[5]);
const QColor g_clrOutput7 = CurveColour(kOutputColours[6]);
const QColor g_clrOutput8 = CurveColour(kOutputColours[7]);
const QColor g_clrOutput9 = CurveColour(kOutputColours[8]);
const QColor g_clrOutput10 = CurveColour(kOutputColours[9]);
const QColor g_clrOutput11 = CurveColour(kOutputColours[10]);
const QColor g_clrOutput12 = CurveColour(kOutputColours[11]);

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

void UseBackgroundBrush(QWidget* dialog)
{
    QPalette palette = dialog->palette();
    palette.setBrush(QPalette::Window, g_brBackground);
    dialog->setPalette(palette);
    dialog->setAutoFillBackground(true);
}
