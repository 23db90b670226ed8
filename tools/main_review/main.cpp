// orvane-main-review <folder>: starts the editor offscreen with settings of
// its own, connected to a simulated device on 127.0.0.1 (a free port), waits
// at most 5 s for the connect and 20 s for the read-back that follows, and
// writes main-cn.png and main-en.png, the main window in each language,
// menus-cn.png and menus-en.png, the preset and settings menus beside the
// factory-reset question and the lock's password dialog, and before the
// connect main-offline-cn.png and main-offline-en.png, the window as it
// first shows. Exits 1 when the editor did not connect.
// It opens no HID device and pings nothing.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QTemporaryDir>

#include "app/BrelinApp.h"
#include "app/BrelinView.h"
#include "app/INITDlg.h"
#include "app/UnEncryption.h"
#include "app/MainFrm.h"
#include "link/HidBus.h"
#include "link/HidHandle.h"
#include "link/HotPlugSource.h"
#include "link/NetAddress.h"
#include "model/DataDefine.h"
#include "model/KTV_Data.h"
#include "model/LinkState.h"
#include "platform/core/AppSettings.h"
#include "platform/core/Language.h"
#include "platform/core/SettingsNames.h"
#include "platform/gui/DialogUnits.h"
#include "res/Resources.h"
#include "tools/simulator/SimDevice.h"
#include "tools/simulator/SimState.h"
#include "tools/simulator/SimTcpServer.h"

namespace {
constexpr int CONNECT_WAIT_MS = 5000;
constexpr int READ_BACK_WAIT_MS = 20000;
constexpr long long SIMULATOR_LIFETIME_MS = 120000;
// Pixels around the parts of the menus sheet.
constexpr int REVIEW_GAP = 12;
const char kDeviceAddress[] = "127.0.0.1";

// No HID device is present.
class CNoHidBus : public IHidBus {
public:
    std::vector<HidDeviceInfo> Enumerate(int, int) override { return {}; }
    std::unique_ptr<IHidHandle> Open(const QString&) override { return nullptr; }
};

// No device ever arrives or goes.
class CQuietHotPlugSource : public IHotPlugSource {
public:
    CQuietHotPlugSource()
    {
        if (pipe2(m_fds, O_CLOEXEC | O_NONBLOCK) != 0)
            m_fds[0] = m_fds[1] = -1;
    }
    ~CQuietHotPlugSource() override
    {
        for (int fd : m_fds) {
            if (fd >= 0)
                close(fd);
        }
    }
    int Fd() const override { return m_fds[0]; }
    bool NextEvent(HotPlugEvent*) override { return false; }

private:
    int m_fds[2] = {-1, -1};
};

// Runs the event loop until done() or ms passed; returns done().
template <class Done>
bool RunUntil(Done done, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

bool Save(CMainFrame* frame, const QString& path)
{
    QCoreApplication::processEvents();
    const QImage image = frame->grab().toImage();
    if (!image.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}
// The preset menu, the settings menu, the factory-reset question and the
// lock's password dialog in both modes side by side on the view's
// background colour.
bool SaveMenus(CBrelinView* view, const QString& path)
{
    std::vector<QImage> parts;
    for (QMenu* menu : {view->PresetsMenu(), view->SettingsMenu()}) {
        menu->ensurePolished();
        menu->adjustSize();
        parts.push_back(menu->grab().toImage());
    }
    CINITDlg question;
    question.OnInitDialog();
    question.ensurePolished();
    parts.push_back(question.grab().toImage());
    for (const int mode : {CUnEncryption::MODE_LOCK, CUnEncryption::MODE_UNLOCK}) {
        CUnEncryption password;
        password.m_nMode = mode;
        password.OnInitDialog();
        password.ensurePolished();
        parts.push_back(password.grab().toImage());
    }
    int width = REVIEW_GAP;
    int height = 0;
    for (const QImage& part : parts) {
        width += part.width() + REVIEW_GAP;
        height = std::max(height, part.height());
    }
    QImage sheet(width, height + 2 * REVIEW_GAP, QImage::Format_RGB32);
    sheet.fill(QColor(0xE3, 0xE4, 0xEE));
    {
        QPainter painter(&sheet);
        int x = REVIEW_GAP;
        for (const QImage& part : parts) {
            painter.drawImage(x, REVIEW_GAP, part);
            x += part.width() + REVIEW_GAP;
        }
    }
    if (!sheet.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: orvane-main-review <folder>\n");
        return 2;
    }
    // Settings of its own, never the user's.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    CAppSettings::SetFolder(config.path());
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ApplyFixedDpiPolicy();
    QApplication app(argc, argv);
    InitResources();
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot make %s\n", argv[1]);
        return 2;
    }

    InitDefaultDeviceData();
    {
        // The simulated device holds what a device out of the box holds:
        // every channel at its defaults, packed into the live image.
        CKTV_Data defaults;
        defaults.StoreToRaw();
    }
    CSimDevice device;
    device.SetState(CSimState::FromModelGlobals());
    CSimTcpServer server(device);
    std::string error;
    if (!server.Start(0, SIMULATOR_LIFETIME_MS, &error)) {
        std::fprintf(stderr, "simulator: %s\n", error.c_str());
        return 1;
    }
    CAppSettings::PutString(SETTINGS_NETWORK, SETTINGS_DEVICE_IP, QString::fromLatin1(kDeviceAddress));
    g_nDevicePort = server.Port();

    // The simulated device is on the loopback subnet and answers; no ping
    // program runs. Boxes are written to standard error, never shown.
    g_theApp.m_bRouteMessageBoxes = false;
    g_theApp.m_adapterLister = [](std::vector<LocalAdapter>* out) {
        *out = {{QString::fromLatin1(kDeviceAddress), QStringLiteral("255.0.0.0")}};
        return true;
    };
    g_theApp.m_reachabilityProbe = [](const QString& address, const CCancelToken*) {
        return address == QLatin1String(kDeviceAddress);
    };
    CNoHidBus noHid;
    g_theApp.m_pHidBus = &noHid;
    g_theApp.m_fnHotPlugSource = [] { return std::make_unique<CQuietHotPlugSource>(); };
    if (!g_theApp.InitInstance(QStringList{QStringLiteral("orvane-editor")}))
        return g_theApp.ExitInstance(1);

    CBrelinView* view = g_theApp.GetView();
    // As the window first shows, before any device answered.
    bool written = true;
    for (const bool chinese : {true, false}) {
        g_bChinese = chinese;
        view->SwitchLanguage(false);
        const QString name = chinese ? QStringLiteral("main-offline-cn.png") : QStringLiteral("main-offline-en.png");
        written = Save(g_theApp.GetMainWnd(), QDir(folder).filePath(name)) && written;
    }
    // Connected, and the device's version accepted.
    const bool connected = RunUntil([&] { return view->IsConnected() && g_bDeviceSynced; }, CONNECT_WAIT_MS);
    if (!connected)
        std::fprintf(stderr, "the editor did not connect to the simulated device within 5 s\n");
    // The connect reads the device back with the view disabled under the
    // transfer popup: the window is shot as the user works with it, after.
    if (connected && !RunUntil([&] { return !view->IsTransferPopupShown() && view->isEnabled(); }, READ_BACK_WAIT_MS))
        std::fprintf(stderr, "the connect read-back did not end within %d s\n", READ_BACK_WAIT_MS / 1000);

    written = connected && written;
    if (connected) {
        for (const bool chinese : {true, false}) {
            g_bChinese = chinese;
            view->SwitchLanguage(false);
            const QString name = chinese ? QStringLiteral("main-cn.png") : QStringLiteral("main-en.png");
            written = Save(g_theApp.GetMainWnd(), QDir(folder).filePath(name)) && written;
            const QString menus = chinese ? QStringLiteral("menus-cn.png") : QStringLiteral("menus-en.png");
            written = SaveMenus(view, QDir(folder).filePath(menus)) && written;
        }
    }
    g_theApp.GetMainWnd()->close();
    g_theApp.ExitInstance(0);
    server.Stop();
    return written ? 0 : 1;
}
