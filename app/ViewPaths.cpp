#include "app/ViewPaths.h"

#include <QDir>
#include <QStandardPaths>

QString g_szStartDir;
QString g_szChineseHelpPath;
QString g_szEnglishHelpPath;

QString DocumentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir(documents).exists())
        return documents;
    return QDir::homePath();
}
