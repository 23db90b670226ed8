#include "model/WorkingStrings.h"

QString g_strUsbDevicePath;
const QString g_strDefaultDeviceIp = QStringLiteral("10.10.100.254");
CLockedString g_strDeviceIp(g_strDefaultDeviceIp);
QString g_strUpdateFilePath;
QString g_strAllPresetsFilePath;
QString g_strLanguage;
// Always overwritten by the unlock prompt before it is compared.
QString g_strUnlockPassword = QStringLiteral("******");
const QString g_strAdvPassword = QStringLiteral("kq3175");
QStringList g_astrHidPaths;
QStringList g_astrHidItems;
