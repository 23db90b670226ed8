#include "platform/gui/ListFonts.h"

// Allocated once and never freed, as the application's other fonts.
QFont& g_fontArial16Bold = *new QFont;
QFont& g_fontList16 = *new QFont;
