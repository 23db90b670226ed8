#include "model/WorkingStrings.h"

QString g_strUsbDevicePath;
QString g_strUpdateFilePath;
QString g_strAllPresetsFilePath;
QString g_strLanguage;
// Always overwritten by the unlock prompt before it is compared.
QString g_strUnlockPassword = QStringLiteral("******");
const QString g_strAdvPassword = QStringLiteral("kq3175");
QStringList g_astrHidPaths;
QStringList g_astrHidItems;
