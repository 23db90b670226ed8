// The main view's commands: the two menu buttons with their popups, the
// dynamics button, and the settings menu's own items (advanced settings,
// language, help, factory reset). The preset files, the firmware update and
// About have their own files.
#include <QAction>
#include <QFileInfo>
#include <QMenu>

#include "app/BrelinView.h"
#include "app/INITDlg.h"
#include "app/MessageBox.h"
#include "app/PopupMenus.h"
#include "app/ViewPaths.h"
#include "pages/input/InputNoiseDlg.h"
#include "pages/output/CurSYSDlg.h"
#include "platform/core/Language.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/ModalDialog.h"
#include "platform/gui/PopupMenu.h"
#include "platform/gui/UrlOpener.h"

namespace {
// Pixels between a menu button's bottom edge and its popup.
constexpr int MENUS_POPUP_GAP = 2;
// The items of menu 112 that need the device, by position.
constexpr int kMenusDeviceItems[] = {0, 1, 2, 7, 8};
// The help box: a single Quit button, no time-out.
constexpr UINT MENUS_HELP_BOX_TYPE = 6;

// A disabled item keeps the look of an enabled one: the disabled colours
// of the menu's palette are its active ones.
void MenusLookEnabledWhenDisabled(QMenu& menu)
{
    QPalette palette = menu.palette();
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
        const auto r = QPalette::ColorRole(role);
        palette.setBrush(QPalette::Disabled, r, palette.brush(QPalette::Active, r));
    }
    menu.setPalette(palette);
}
}  // namespace

QPoint CBrelinView::MenuPointBelow(const QWidget& button)
{
    return button.mapToGlobal(QPoint(0, button.height() + MENUS_POPUP_GAP));
}

void CBrelinView::OnPresetMenuButton()
{
    if (!m_menuPresets)
        return;
    const bool connected = IsConnected();
    const QList<QAction*> items = m_menuPresets->actions();
    for (int position : kMenusDeviceItems) {
        if (position < items.size())
            items[position]->setEnabled(connected);
    }
    MenusLookEnabledWhenDisabled(*m_menuPresets);
    const UINT id = TrackPopupMenu(*m_menuPresets, MenuPointBelow(m_btnPresetMenu), this);
    if (id != 0)
        OnCommand(id, BN_CLICKED);
}

void CBrelinView::OnSettingsMenuButton()
{
    if (!m_menuSettings)
        return;
    const UINT id = TrackPopupMenu(*m_menuSettings, MenuPointBelow(m_btnSettingsMenu), this);
    if (id != 0)
        OnCommand(id, BN_CLICKED);
}

void CBrelinView::OnDynamicsButton()
{
    CCurSYSDlg dialog;
    dialog.m_pData = m_pData;
    dialog.DoModal();
}

void CBrelinView::OnAdvancedCommand()
{
    CInputNoiseDlg dialog;
    dialog.m_pView = this;
    dialog.m_pData = m_pData;
    dialog.DoModal();
}

void CBrelinView::OnLanguageCommand()
{
    SwitchLanguage(true);
}

void CBrelinView::OnHelpCommand()
{
    const bool chinese = g_bChinese;
    const QString& path = chinese ? g_szChineseHelpPath : g_szEnglishHelpPath;
    // The desktop answers true once a viewer has been started, whether or
    // not the file is there: a missing file is found here.
    if (QFileInfo(path).isFile() && OpenLocalFile(path))
        return;
    CMessageBox box(chinese ? QStringLiteral("没有发现帮助文件!") : QStringLiteral("Not find help file!"),
                    MENUS_HELP_BOX_TYPE, chinese ? QStringLiteral("帮助") : QStringLiteral("Help"), 0);
    box.DoModal();
}

void CBrelinView::OnRestoreFactorySettings()
{
    CINITDlg dialog;
    dialog.OnInitDialog();
    if (RunModalDialog(dialog) == QDialog::Accepted)
        m_deviceLink.RestoreFactorySettings();
}
