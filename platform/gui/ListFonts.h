#pragma once
// The two fonts the report lists and their headers draw with: bold in
// Chinese, regular otherwise (Arial, cell height 16). The application's
// start-up gives them their faces with the other global fonts; until then
// they are default fonts. They live for the whole run.
#include <QFont>

extern QFont& g_fontArial16Bold;  // 16, bold
extern QFont& g_fontList16;       // 16, normal
