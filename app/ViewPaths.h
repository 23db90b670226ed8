#pragma once
// Folders and paths the main view keeps for the whole run: the working
// folder at start-up, the two help files beside it, and the user's
// documents folder where the file dialogs start by default.
#include <QString>

// The working folder when the view was set up.
extern QString g_szStartDir;
// The help files in the working folder.
extern QString g_szChineseHelpPath;
extern QString g_szEnglishHelpPath;

// The user's documents folder (the XDG one); the home folder when it does
// not exist.
QString DocumentsFolder();
