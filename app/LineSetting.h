#pragma once
// The "Line_Set" number: read from the settings at start, written by the
// advanced-settings dialog; no window of the running program uses it. UI
// thread only.
extern int g_nLineSet;
