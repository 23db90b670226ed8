// The main view's stored settings: the remembered folders, the firmware
// file and its folder, the language, the line setting and the network
// module's address. Each function reads or writes the settings file at
// once; none reports a failure to the user.
#include <cstdio>
#include <cstdlib>

#include <QDir>
#include <QFileInfo>

#include "app/BrelinView.h"
#include "app/LineSetting.h"
#include "app/ViewPaths.h"
#include "link/NetAddress.h"
#include "link/UsbClaims.h"
#include "link/UsbLink.h"
#include "model/WorkingStrings.h"
#include "platform/core/AppSettings.h"
#include "platform/core/SettingsNames.h"

bool CBrelinView::IsFolderMissing(const QString& path)
{
    const QFileInfo info(path);
    return path.isEmpty() || !info.exists() || !info.isDir();
}

namespace {
// The setting of remembered folder which (1 to 4), or null.
const QString* PcFolderSetting(int which)
{
    switch (which) {
    case 1:
        return &SETTINGS_FILE_PATH;
    case 2:
        return &SETTINGS_ALL_FILE_PATH;
    case 3:
        return &SETTINGS_MAP_PATH;
    case 4:
        return &SETTINGS_HEX;
    default:
        return nullptr;
    }
}
}  // namespace

QString* CBrelinView::PcFolder(int which)
{
    switch (which) {
    case 1:
        return &m_szFileFolder;
    case 2:
        return &m_szAllFileFolder;
    case 3:
        return &m_szMapFolder;
    default:
        return nullptr;
    }
}

int CBrelinView::LoadPcFilePaths(int which)
{
    if (!CAppSettings::GroupExists(SETTINGS_PC_FILE)) {
        SavePcFilePaths(0);
        return 1;
    }
    const QString* name = PcFolderSetting(which);
    if (name == nullptr)
        return 1;
    QString folder = CAppSettings::GetString(SETTINGS_PC_FILE, *name);
    if (IsFolderMissing(folder)) {
        folder = DocumentsFolder();
        CAppSettings::PutString(SETTINGS_PC_FILE, *name, folder);
    }
    if (QString* buffer = PcFolder(which))
        *buffer = folder;
    else
        m_deviceLink.SetUpdateFolder(folder);
    return 1;
}

void CBrelinView::SavePcFilePaths(int which)
{
    if (CAppSettings::GroupExists(SETTINGS_PC_FILE)) {
        if (const QString* name = PcFolderSetting(which)) {
            const QString* buffer = PcFolder(which);
            CAppSettings::PutString(SETTINGS_PC_FILE, *name, buffer != nullptr ? *buffer : m_deviceLink.UpdateFolder());
        }
        return;
    }
    const QString documents = DocumentsFolder();
    m_szFileFolder = m_szAllFileFolder = m_szMapFolder = documents;
    m_deviceLink.SetUpdateFolder(documents);
    CAppSettings::PutString(SETTINGS_PC_FILE, SETTINGS_FILE_PATH, documents);
    CAppSettings::PutString(SETTINGS_PC_FILE, SETTINGS_ALL_FILE_PATH, documents);
    CAppSettings::PutString(SETTINGS_PC_FILE, SETTINGS_MAP_PATH, documents);
    CAppSettings::PutString(SETTINGS_PC_FILE, SETTINGS_HEX, documents);
}

int CBrelinView::LoadDspMcuSettings()
{
    if (!CAppSettings::GroupExists(SETTINGS_DSP_MCU)) {
        CAppSettings::PutString(SETTINGS_DSP_MCU, SETTINGS_NAME, g_strUpdateFilePath);
        CAppSettings::PutString(SETTINGS_DSP_MCU, SETTINGS_PATH, m_deviceLink.UpdateFolder());
        CAppSettings::PutString(SETTINGS_DSP_MCU, SETTINGS_LANGUAGE, g_strLanguage);
        return 1;
    }
    g_strUpdateFilePath = CAppSettings::GetString(SETTINGS_DSP_MCU, SETTINGS_NAME, g_strUpdateFilePath);
    // A folder that is gone gives the documents folder (not written back).
    const QString folder = CAppSettings::GetString(SETTINGS_DSP_MCU, SETTINGS_PATH);
    m_deviceLink.SetUpdateFolder(IsFolderMissing(folder) ? DocumentsFolder() : folder);
    g_strLanguage = CAppSettings::GetString(SETTINGS_DSP_MCU, SETTINGS_LANGUAGE, g_strLanguage);
    return 1;
}

int CBrelinView::SaveDspMcuSettings()
{
    if (!CAppSettings::GroupExists(SETTINGS_DSP_MCU))
        return 1;
    CAppSettings::PutString(SETTINGS_DSP_MCU, SETTINGS_NAME, g_strUpdateFilePath);
    CAppSettings::PutString(SETTINGS_DSP_MCU, SETTINGS_PATH, m_deviceLink.UpdateFolder());
    CAppSettings::PutString(SETTINGS_DSP_MCU, SETTINGS_LANGUAGE, g_strLanguage);
    return 1;
}

int CBrelinView::LoadLineSetting()
{
    if (CAppSettings::GroupExists(SETTINGS_LINE_SET)) {
        // The C library's decimal conversion: leading digits, else 0.
        const QByteArray text = CAppSettings::GetString(SETTINGS_LINE_SET, SETTINGS_LINE_SET).toLatin1();
        g_nLineSet = std::atoi(text.constData());
    } else {
        CAppSettings::PutString(SETTINGS_LINE_SET, SETTINGS_LINE_SET, QString::number(g_nLineSet));
    }
    return 1;
}

void CBrelinView::LoadNetworkSetting()
{
    const QString fallback = QString::fromLatin1(DEFAULT_DEVICE_IP);
    if (!CAppSettings::HasValue(SETTINGS_NETWORK, SETTINGS_DEVICE_IP)) {
        CAppSettings::PutString(SETTINGS_NETWORK, SETTINGS_DEVICE_IP, fallback);
        g_strDeviceIp.Set(fallback);
        return;
    }
    const QString address = CAppSettings::GetString(SETTINGS_NETWORK, SETTINGS_DEVICE_IP);
    IPv4Octets octets;
    if (ParseDottedIPv4(address, &octets)) {
        g_strDeviceIp.Set(address);
        return;
    }
    // The stored text stays for the user to mend; the module's own address
    // is used meanwhile.
    std::fprintf(stderr, "orvane-editor: the setting Network/Device_IP \"%s\" is no IPv4 address; using %s\n",
                 qPrintable(address), DEFAULT_DEVICE_IP);
    g_strDeviceIp.Set(fallback);
}

void CBrelinView::ResetUsbInUseKey()
{
    // The claim list's own reset: the group goes, the locks of live copies
    // stay.
    if (CUsbLink* usb = m_deviceLink.Usb())
        usb->ResetUsbInUseKey();
    else
        CUsbClaims().ResetUsbInUseKey();
}
