// The firmware update dialog during an update (a status text, the bar part
// way) and the version box, each in both languages.
#include <QCoreApplication>

#include "app/UpgradeDlg.h"
#include "app/VersionDlg.h"
#include "app/WarnDlg.h"
#include "controls/GradientProgressCtrl.h"
#include "link/DeviceLink.h"
#include "link/KTVCommand.h"
#include "link/LinkDisplays.h"
#include "model/DataDefine.h"
#include "model/ParameterSetLock.h"
#include "model/WorkingStrings.h"
#include "platform/core/Language.h"
#include "tools/toolkit_review/ReviewSheet.h"
#include "tools/toolkit_review/ReviewWidgets.h"

namespace {
QImage RenderUpgrade()
{
    CKTVCommand command;
    CDeviceLink link(command);
    std::vector<QImage> shots;
    const QString path = g_strUpdateFilePath;
    g_strUpdateFilePath = QStringLiteral("/home/installer/firmware/KRVA-BV1.00.bin");
    for (const bool chinese : {true, false}) {
        g_bChinese = chinese;
        CUpgradeDlg dialog(link, nullptr, nullptr);
        dialog.OnInitDialog();
        dialog.ProgressBar()->SetRange(0, 200);
        dialog.ProgressBar()->SetPos(73);
        ShowUpdateStatus(chinese ? QStringLiteral("数据传输中 请勿中断") : QStringLiteral("Programming Do not interrupt"));
        dialog.show();
        QCoreApplication::processEvents();
        dialog.DeliverPosted();
        shots.push_back(ReviewShot(dialog));
    }
    g_strUpdateFilePath = path;
    return ReviewSideBySide(shots);
}

QImage RenderVersion()
{
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        std::memcpy(g_szDeviceVersion, "KRVA-BV1.00", 11);
    }
    std::vector<QImage> shots;
    for (const bool chinese : {true, false}) {
        g_bChinese = chinese;
        CVersionDlg version;
        version.OnInitDialog();
        shots.push_back(ReviewShot(version));
        CWarnDlg notice;
        notice.m_strText = chinese ? QStringLiteral("请检查连接线") : QStringLiteral("Check the cable");
        notice.OnInitDialog();
        shots.push_back(ReviewShot(notice));
    }
    return ReviewSideBySide(shots);
}
}  // namespace

ORVANE_REVIEW_SHEET("update-dialog", RenderUpgrade);
ORVANE_REVIEW_SHEET("version-dialogs", RenderVersion);
