#pragma once
// What the level-and-delay page shares with the other pages.
class CMsgTarget;

// The level-and-delay page from its set-up until it is destroyed; null
// otherwise. The input page posts its input-kind messages here.
inline CMsgTarget* g_pLevelDelayDlg = nullptr;

// The level-and-delay page's delay unit: 1 ms, 2 cm, 3 inch.
inline int g_nLevelDelayUnit = 1;
