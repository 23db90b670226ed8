#pragma once
// The application mode: 1 from start-up. The windows that set a title or
// number their bands read it; only start-page commands that the running
// program never offers would set 2. UI thread only.
extern int g_nAppMode;

enum : int { APP_MODE_DEFAULT = 1 };
