#include "app/VersionDlg.h"

#include <QLabel>
#include <QPushButton>

#include "app/GlobalObjects.h"
#include "controls/HyLink.h"
#include "controls/TransparentStatic.h"
#include "model/DataDefine.h"
#include "model/LinkState.h"
#include "model/ParameterSetLock.h"
#include "model/SharedTexts.h"
#include "platform/core/Language.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// The template in dialog units of Arial 9 (left, top, right, bottom).
const CRect kVersionDialog(0, 0, 203, 84);
const CRect kVersionPicture(1, 5, 74, 76);
const CRect kVersionWebLink(84, 50, 203, 58);
const CRect kVersionFixedLine(84, 39, 192, 47);
const CRect kVersionHelp(147, 65, 197, 79);
const CRect kVersionSoft(84, 29, 196, 37);
const CRect kVersionDevice(84, 19, 196, 27);
const CRect kVersionTitle(83, 5, 146, 13);
const CRect kVersionQuit(146, 65, 196, 79);

}  // namespace

CVersionDlg::CVersionDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Help"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const QFont font = DialogFont(QStringLiteral("Arial"), 9);
    setFont(font);
    setFixedSize(MapDialogRect(kVersionDialog, font).Size());
    UseBackgroundBrush(this);

    // A picture control shows its bitmap at the bitmap's own size.
    m_stPicture = PlaceDialogControl(new QLabel, this, kVersionPicture, font, IDC_PICTURE);
    const QImage picture = CResourceStore::Image(QStringLiteral("BMP"), IDB_PICTURE);
    if (!picture.isNull()) {
        m_stPicture->resize(picture.size());
        m_stPicture->setPixmap(QPixmap::fromImage(picture));
    }
    m_linkWeb = PlaceDialogControl(new CHyLink, this, kVersionWebLink, font, IDC_WEB_LINK);
    m_linkWeb->SetWindowText(QStringLiteral("orvane.example"));
    m_linkWeb->hide();
    m_stFixedLine = PlaceDialogControl(new CTransparentStatic, this, kVersionFixedLine, font, IDC_FIXED_LINE);
    m_stFixedLine->SetText(g_strMainTitle);
    m_btnHelp = PlaceDialogControl(new QPushButton(QStringLiteral("退出")), this, kVersionHelp, font, IDC_HELP);
    m_btnHelp->setAutoDefault(false);
    m_btnHelp->hide();
    m_stSoftVersion = PlaceDialogControl(new CTransparentStatic, this, kVersionSoft, font, IDC_SOFT_VERSION);
    m_stSoftVersion->setText(QStringLiteral("Static"));
    m_stDeviceVersion = PlaceDialogControl(new CTransparentStatic, this, kVersionDevice, font, IDC_DEVICE_VERSION);
    m_stTitleLine = PlaceDialogControl(new CTransparentStatic, this, kVersionTitle, font, IDC_TITLE_LINE);
    m_btnQuit = PlaceDialogControl(new QPushButton(QStringLiteral("机器软件升级")), this, kVersionQuit, font, IDC_QUIT);
    m_btnQuit->setDefault(true);

    connect(m_btnQuit, &QPushButton::clicked, this, [this] { OnQuit(); });
    connect(m_btnHelp, &QPushButton::clicked, this, [this] { OnHelpButton(); });
}

void CVersionDlg::OnInitDialog()
{
    g_bUpdating = false;
    const bool chinese = g_bChinese;
    setWindowTitle(chinese ? QStringLiteral("关于") : QStringLiteral("About"));
    m_btnHelp->setText(chinese ? QStringLiteral("帮助") : QStringLiteral("Help"));
    m_btnQuit->setText(chinese ? QStringLiteral("退出") : QStringLiteral("Quit"));
    QString version;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        version = FixedFieldToString(g_szDeviceVersion, DEVICE_VERSION_SIZE);
    }
    if (chinese) {
        m_stDeviceVersion->SetText(QStringLiteral("设备版本 ") + version);
        m_stSoftVersion->SetText(g_strSoftVersionCn);
    } else {
        m_stDeviceVersion->SetText(QStringLiteral("Device version ") + version);
        m_stSoftVersion->SetText(g_strSoftVersionEn);
    }
}

void CVersionDlg::OnQuit()
{
    accept();
}
