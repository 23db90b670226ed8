#include "controls/FontFailureNotice.h"

#include <QMetaObject>
#include <QObject>
#include <QString>

#include "platform/core/MessageBoxHook.h"

void CFontFailureNotice::Failed()
{
    if (m_bReported)
        return;
    m_bReported = true;
    QMetaObject::invokeMethod(
        m_pContext, [] { AppNoticeBox(QStringLiteral("字体不能创建!"), QStringLiteral("Font could not be created!")); },
        Qt::QueuedConnection);
}
