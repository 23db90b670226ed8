#include "app/AboutDlg.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "model/SharedTexts.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// Dialog 100 and its controls in dialog units of its font.
const CRect kAboutDialog(0, 0, 235, 55);
const CRect kAboutIcon(11, 17, 11 + 20, 17 + 20);
const CRect kAboutVersion(40, 10, 40 + 119, 10 + 8);
const CRect kAboutCopyright(40, 25, 40 + 119, 25 + 8);
const CRect kAboutOk(178, 7, 178 + 50, 7 + 14);
}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    const QFont font = DialogFont(QStringLiteral("MS Sans Serif"), 8);
    setFont(font);
    setWindowTitle(QStringLiteral("About ") + g_strMainTitle);
    setFixedSize(MapDialogRect(kAboutDialog, font).Size());

    auto* icon = new QLabel(this);
    icon->setGeometry(MapDialogRect(kAboutIcon, font).ToQRect());
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(icon->size()));
    m_stVersion = new QLabel(g_strMainTitle + QStringLiteral(" 1.0"), this);
    m_stVersion->setGeometry(MapDialogRect(kAboutVersion, font).ToQRect());
    SetDlgCtrlID(m_stVersion, IDC_VERSION);
    auto* copyright = new QLabel(QStringLiteral("Copyright (C) 2026"), this);
    copyright->setGeometry(MapDialogRect(kAboutCopyright, font).ToQRect());
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(MapDialogRect(kAboutOk, font).ToQRect());
    ok->setDefault(true);
    SetDlgCtrlID(ok, 1);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
