#pragma once
// The firmware update dialog in the whole program: the view's link, the
// simulated device on USB (CFakeHidBus, none plugged in unless a test plugs
// one) or on 127.0.0.1, and the user played through the seams: boxes
// answered by a recorder (or a test's own handler), popups and file dialogs
// answered by the test. The network is unreachable unless a test makes it
// reachable; nothing but 127.0.0.1 is contacted.
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include <QCoreApplication>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>

#include "app/UpgradeDlg.h"
#include "controls/GradientProgressCtrl.h"
#include "controls/TransparentStatic.h"
#include "link/DeviceLink.h"
#include "link/FirmwareUpdate.h"
#include "link/KTVCommand.h"
#include "link/LinkDisplays.h"
#include "link/UpData_Thread.h"
#include "link/UsbLink.h"
#include "link/UsbTransport.h"
#include "model/LinkState.h"
#include "model/WindowMessages.h"
#include "model/WorkingStrings.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/gui/PopupMenu.h"
#include "tests/app/AppStartFixture.h"
#include "tests/common/Eventually.h"

using FirmwareBytes = std::vector<BYTE>;

// A firmware file of MCU data only: "WMCU", 4 start bytes, data bytes.
inline FirmwareBytes McuFirmware(int dataBytes)
{
    FirmwareBytes file = {'W', 'M', 'C', 'U'};
    for (int k = 0; k < MCU_START_SIZE + dataBytes; ++k)
        file.push_back(BYTE(k * 7 + 3));
    return file;
}

// A combined file: "WDSP", the whole DSP image, a byte never read, "WMCU",
// 4 start bytes and the MCU data.
inline FirmwareBytes CombinedFirmware(int mcuDataBytes)
{
    FirmwareBytes file = {'W', 'D', 'S', 'P'};
    for (int k = 0; k < FIRMWARE_DSP_IMAGE_SIZE; ++k)
        file.push_back(BYTE(k * 13 + 1));
    file.push_back(0xEE);
    const FirmwareBytes mcu = McuFirmware(mcuDataBytes);
    file.insert(file.end(), mcu.begin(), mcu.end());
    return file;
}

// The largest gap between ticks of a 20 ms timer on the UI thread while it
// lives: a stall of the UI thread shows as a long gap.
class CHeartbeat {
public:
    // A wait on the device on the UI thread stalls it for seconds (a
    // connect's time-out is 3 s, the sync pattern 4 s); under a sanitizer on
    // a loaded machine plain scheduling gaps reach about one second.
    static constexpr long long kLongestGapMs = 2000;

    using Clock = std::chrono::steady_clock;
    CHeartbeat()
    {
        m_last = Clock::now();
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const Clock::time_point now = Clock::now();
            m_maxGap = std::max(m_maxGap, now - m_last);
            m_last = now;
        });
        m_timer.start();
    }
    long long MaxGapMs() const { return std::chrono::duration_cast<std::chrono::milliseconds>(m_maxGap).count(); }

private:
    QTimer m_timer;
    Clock::time_point m_last;
    Clock::duration m_maxGap{};
};

class UpdateDialogTest : public AppStartTest {
protected:
    void SetUp() override
    {
        AppStartTest::SetUp();
        ASSERT_TRUE(m_files.isValid());
        // No subnet holds the device: only a test makes it reachable.
        m_net.adapters.clear();
        m_pView = StartAppWithoutAutoConnect();
        ASSERT_NE(m_pView, nullptr);
        Link().UsbTransport()->SetRestartPause(50);
        m_previousPopup = SetPopupMenuHandler([this](QMenu& menu, const QPoint&, QWidget*) {
            m_popups.push_back(MenuTexts(menu));
            return m_nPopupAnswer;
        });
    }
    void TearDown() override
    {
        m_pDialog.reset();
        SetPopupMenuHandler(m_previousPopup);
        if (m_pView != nullptr) {
            Link().StopIoWorker(true);
            Link().Disconnect();
            m_pView->m_command.ClearQueue();
        }
        g_bUpdating = false;
        g_bUpdateRetrying = false;
        g_bUpdateCancelled = false;
        g_bUpdateDone = false;
        g_nLastUpdateCommand = 0;
        g_nLinkType = LINK_NONE;
        g_strUpdateFilePath.clear();
        g_astrHidItems.clear();
        g_pUpdateProgress.Clear();
        m_pCurHexUpTip.Clear();
        AppStartTest::TearDown();
    }

    CDeviceLink& Link() { return m_pView->DeviceLink(); }

    // The dialog as the view makes it, set up and shown (not modal).
    CUpgradeDlg& OpenDialog()
    {
        m_pDialog = std::make_unique<CUpgradeDlg>(Link(), &m_pView->NetLink(),
                                                  [this](QWidget* owner) { return m_pView->SelectUpdateFile(owner); });
        m_pDialog->OnInitDialog();
        m_pDialog->show();
        QCoreApplication::processEvents();
        return *m_pDialog;
    }

    // Writes a firmware file and puts its path into the dialog's field.
    QString UseFirmware(const FirmwareBytes& bytes, const QString& name = QStringLiteral("firmware.bin"))
    {
        const QString path = m_files.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
        file.close();
        if (m_pDialog)
            m_pDialog->PathEdit()->setText(path);
        return path;
    }

    // The UI thread's event loop runs until cond holds (a wide bound).
    template <class Cond>
    bool PumpUntil(Cond cond, int ms = 30000)
    {
        return Eventually(
            [&] {
                QCoreApplication::processEvents();
                return cond();
            },
            ms);
    }
    void PumpFor(int ms)
    {
        PumpUntil([] { return false; }, ms);
    }

    // The texts of the boxes shown so far, in order.
    std::vector<QString> BoxTexts() const
    {
        std::vector<QString> texts;
        for (const CMessageBoxSpy::Shown& box : m_boxes.shown)
            texts.push_back(box.text);
        return texts;
    }
    int CountBoxes(const QString& text) const
    {
        const std::vector<QString> texts = BoxTexts();
        return int(std::count(texts.begin(), texts.end(), text));
    }

    // Makes the network reachable (the poll keeps it so).
    void MakeNetworkReachable()
    {
        {
            std::lock_guard<std::mutex> lock(m_net.mutex);
            m_net.adapters = {{QStringLiteral("127.0.0.1"), QStringLiteral("255.0.0.0")}};
        }
        m_pView->NetLink().SetReachable(true);
    }

    static std::vector<QString> MenuTexts(const QMenu& menu)
    {
        std::vector<QString> texts;
        for (const QAction* action : menu.actions()) {
            if (!action->isSeparator())
                texts.push_back(action->text());
        }
        return texts;
    }

    CBrelinView* m_pView = nullptr;
    std::unique_ptr<CUpgradeDlg> m_pDialog;
    QTemporaryDir m_files;
    std::vector<std::vector<QString>> m_popups;
    UINT m_nPopupAnswer = 0;
    PopupMenuHandler m_previousPopup;
};
