#pragma once
// The process-wide drawing objects the windows share: the background brush,
// the speaker-type menu, nine Arial fonts and the curve colours, with the
// helper that loads an image resource. The shared texts, the working strings,
// the language flag, the send lock and the response graph's two curve pens
// live in the lower layers (the device link and the graphs use them too);
// this header brings them along.
#include <QBrush>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

#include "model/SharedTexts.h"
#include "model/TextFormat.h"
#include "model/WorkingStrings.h"
#include "platform/core/Language.h"
#include "platform/core/SendLock.h"
#include "platform/core/Types.h"
#include "platform/gui/CurveColors.h"
#include "platform/gui/ListFonts.h"

class QMenu;
class QWidget;

// Solid RGB(227,228,238): the dialogs' control background.
extern QBrush g_brBackground;
// A dialog whose own background is g_brBackground (its controls keep
// theirs).
void UseBackgroundBrush(QWidget* dialog);
// The speaker-position popup (menu 106 or 107), items 4100 + code.
extern QMenu* g_menuSpeakerType;

// Arial fonts; heights are character cell heights. They live for the whole
// run (never destroyed, so they outlive the application object). The two
// list fonts, g_fontArial16Bold and g_fontList16, live with the controls
// that draw with them (platform/gui/ListFonts.h) and are made here too.
extern QFont& g_fontGrid16;         // 16, normal
extern QFont& g_fontArial108;       // 108, normal
extern QFont& g_fontArial14;        // 14, normal
extern QFont& g_fontArial12;        // 12, normal
extern QFont& g_fontArial15;        // 15, normal
extern QFont& g_fontArial24Bold;    // 24, bold
extern QFont& g_fontArial16Heavy;   // 16, weight 1200 clamped to the heaviest

// Curve colours (alpha, red, green, blue as given).
extern const QColor g_clrEffectCurve;
extern const QColor g_clrMic1;
extern const QColor g_clrMic2;
extern const QColor g_clrMusic1;
extern const QColor g_clrMusic2;
extern const QColor g_clrMusic3;
extern const QColor g_clrMusic4;
extern const QColor g_clrMusic5;
extern const QColor g_clrMusic6;
extern const QColor g_clrMusic7;
extern const QColor g_clrOutput1;
extern const QColor g_clrOutput2;
extern const QColor g_clrOutput3;
extern const QColor g_clrOutput4;
extern const QColor g_clrOutput5;
extern const QColor g_clrOutput6;
extern const QColor g_clrOutput7;
extern const QColor g_clrOutput8;
extern const QColor g_clrOutput9;
extern const QColor g_clrOutput10;
extern const QColor g_clrOutput11;
extern const QColor g_clrOutput12;

// Start-up, once the application object exists: the nine fonts, then (the
// caller having set g_bChinese) the brush and menu 106. A font that cannot be
// made stays a default font; nothing reports it.
void CreateGlobalObjects();
// Shut-down, before the application object ends: destroys the menu.
void ReleaseGlobalObjects();

// Replaces g_menuSpeakerType by menu 106 (Chinese) or 107 (English).
void LoadSpeakerTypeMenu(int menuId);

// Loads the image resource (id, type "BMP" or "PNG") into *image and returns
// true; false, leaving *image untouched, when there is none.
bool LoadImageResource(UINT id, const QString& type, QImage* image);
