#pragma once
// The version box of About (dialog 269): a picture, the version the device
// reported and the program's own version in the current language, and one
// button that closes it (Enter and Escape close it too). Opening it ends a
// firmware update flag left set.
#include <QDialog>

#include "platform/core/Types.h"

class CHyLink;
class CTransparentStatic;
class QLabel;
class QPushButton;

class CVersionDlg : public QDialog {
    Q_OBJECT
public:
    enum : int {
        IDD = 269,
        IDC_PICTURE = 2065,
        IDC_WEB_LINK = 1895,
        IDC_FIXED_LINE = 1894,
        IDC_HELP = 8802,
        IDC_SOFT_VERSION = 1875,
        IDC_DEVICE_VERSION = 1877,
        IDC_TITLE_LINE = 1876,
        IDC_QUIT = 1874,
        // The picture, a skin.
        IDB_PICTURE = 275,
    };

    explicit CVersionDlg(QWidget* parent = nullptr);

    // g_bUpdating cleared, captions by language, both versions shown.
    void OnInitDialog();
    // Button 1874: closes the box as OK.
    void OnQuit();
    // Button 8802 (hidden): nothing.
    void OnHelpButton() {}

    QLabel* m_stPicture = nullptr;
    CHyLink* m_linkWeb = nullptr;
    CTransparentStatic* m_stFixedLine = nullptr;
    QPushButton* m_btnHelp = nullptr;
    CTransparentStatic* m_stSoftVersion = nullptr;
    CTransparentStatic* m_stDeviceVersion = nullptr;
    CTransparentStatic* m_stTitleLine = nullptr;
    QPushButton* m_btnQuit = nullptr;
};
