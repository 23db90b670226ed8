#pragma once
// A bitmap file shown in a frameless window for a while: centred over the
// owner's window when that is visible, else on the screen's work area; gone
// when its time is up or at the first key or mouse-button press anywhere in
// the application (that press is consumed). One splash exists at a time;
// the class keeps it, and a hidden splash deletes itself.
//
// Splashes are off until EnableSplash(true). Only BMP files are read.
#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "platform/core/Types.h"
#include "platform/gui/TimerMap.h"

class CSplashWnd : public QWidget {
    Q_OBJECT
public:
    enum : UINT { TIMER_HIDE = 1 };

    static void EnableSplash(bool enable);
    static bool IsSplashEnabled();
    // Shows bitmapFile for nElapse milliseconds over parent's window.
    // False when splashes are off, a splash is shown already, the file name
    // is empty or the file is no readable BMP.
    static bool ShowSplash(UINT nElapse, const QString& bitmapFile, QWidget* parent);
    // The splash shown now, or null.
    static CSplashWnd* Current();
    // Loads file into the current splash when it has no bitmap yet; false
    // otherwise or when the file is no readable BMP.
    static bool LoadBitmapFile(const QString& file);
    // A BMP file's image; null when it is missing or no BMP.
    static QImage ReadBitmapFile(const QString& file);

    // Hides the splash; it deletes itself once the event loop runs, and a
    // new one can be shown at once. The owner's window is repainted.
    void HideSplash();
    const QImage& Bitmap() const { return m_bitmap; }

    ~CSplashWnd() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    explicit CSplashWnd(QWidget* owner);
    // Key and button presses anywhere hide the splash and go no further.
    bool FilterAppMessage(QEvent* event);
    void CentreWindow();

    QImage m_bitmap;
    QPointer<QWidget> m_pOwner;
    CTimerMap m_timers;
    bool m_bFiltering = false;

    static bool s_bEnabled;
    static CSplashWnd* s_pCurrent;
};
