#pragma once
// The transfer popup (dialog 104): a small window on top of the others that
// says data is being transmitted, blinks its text and shows a bar that the
// reply parser moves (through g_pTransferProgress, the bar's shared
// numbers). While it shows, the window that started the transfer is
// disabled. Its factory-reset mode has texts of its own and a bar that
// creeps by itself until the device has answered.
//
// One instance lives from the view's user-interface build to the view's end
// (g_pDisplayDlg), hidden between transfers. The user cannot close it. UI
// thread only; the worker reaches only the bar's shared numbers.
#include <vector>

#include <QBrush>
#include <QDialog>
#include <QPointer>

#include "controls/FontStatic.h"
#include "controls/GradientProgressCtrl.h"
#include "platform/core/Types.h"
#include "platform/gui/TimerMap.h"

class CDisplayDlg : public QDialog {
    Q_OBJECT
public:
    enum : int {
        IDD = 104,
        IDC_LABEL = 1433,
        IDC_PROGRESS = 2777,
        TIMER_BLINK = 8,
        BLINK_MS = 200,
        // Where the popup is placed before it is centred on its parent.
        SHOW_X = 500,
        SHOW_Y = 400,
        // The factory-reset bar: its range, and the ticks it stays full
        // after the reply before the popup closes.
        FACTORY_RANGE = 110,
        FACTORY_CLOSE_TICKS = 10,
    };

    // Created hidden with the view as parent.
    explicit CDisplayDlg(QWidget* parent);
    ~CDisplayDlg() override;

    // Texts by language and mode, placed and shown on top, the blink timer
    // running. fromDialog TRUE disables the advanced settings dialog in
    // factory-reset mode, the machine-preset dialog otherwise, each when it
    // is open (nothing otherwise); FALSE disables the parent. The popup
    // itself stays enabled.
    void ShowPopup(bool fromDialog);
    // Stops the timer, enables again exactly what ShowPopup disabled, leaves
    // the factory-reset mode and hides.
    void HidePopup();
    // The next ShowPopup is the factory reset's: bar 0 to 110 at 0.
    void SetFactoryResetMode();
    // The timer stopped, the bar let go by the link, the window hidden.
    void DestroyPopup();

    // Timer 8's tick (public for tests, which drive the ticks themselves).
    void OnTimer(UINT id);

    CGradientProgressCtrl& Progress() { return m_progress; }
    CFontStatic& Label() { return m_label; }
    bool IsShown() const { return m_bShown; }
    bool IsFromDialog() const { return m_bFromDialog; }
    bool IsFactoryMode() const { return m_bFactoryMode; }
    int Creep() const { return m_nCreep; }
    bool IsBlinkTimerRunning() const { return m_timers.IsTimerSet(TIMER_BLINK); }

    // Nothing closes it: Escape, Enter and the close box only focus it.
    void reject() override;
    void accept() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void OnInitDialog();
    void ApplyTexts();
    // Disables window (when it is enabled) and remembers it.
    void DisableWindow(QWidget* window);

    CFontStatic m_label;
    CGradientProgressCtrl m_progress;
    QBrush m_brBackground;
    bool m_bShown = false;
    bool m_bFromDialog = false;
    bool m_bFactoryMode = false;
    int m_nCreep = 0;
    // What ShowPopup disabled since the last hide; a window that goes away
    // meanwhile is skipped.
    std::vector<QPointer<QWidget>> m_disabled;
    CTimerMap m_timers;
};

// The popup while the view exists, null otherwise.
extern CDisplayDlg* g_pDisplayDlg;
// The machine-preset dialog while it is open, null otherwise; its dialog
// sets and clears it.
extern QWidget* g_pProgramDlg;
