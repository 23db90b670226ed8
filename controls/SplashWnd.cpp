#include "controls/SplashWnd.h"

#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QScreen>
#include <QtGlobal>

bool CSplashWnd::s_bEnabled = false;
CSplashWnd* CSplashWnd::s_pCurrent = nullptr;

void CSplashWnd::EnableSplash(bool enable)
{
    s_bEnabled = enable;
}

bool CSplashWnd::IsSplashEnabled()
{
    return s_bEnabled;
}

CSplashWnd* CSplashWnd::Current()
{
    return s_pCurrent;
}

QImage CSplashWnd::ReadBitmapFile(const QString& file)
{
    if (file.isEmpty() || !QFileInfo::exists(file))
        return QImage();
    // Bitmaps only, whatever the name or the content claims.
    QImageReader reader(file, "bmp");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

bool CSplashWnd::ShowSplash(UINT nElapse, const QString& bitmapFile, QWidget* parent)
{
    if (nElapse == 0)
        qWarning("CSplashWnd::ShowSplash: no time given; the splash goes at once");
    if (!s_bEnabled || s_pCurrent != nullptr || bitmapFile.isEmpty())
        return false;
    const QImage bitmap = ReadBitmapFile(bitmapFile);
    if (bitmap.isNull())
        return false;
    auto* splash = new CSplashWnd(parent ? parent->window() : nullptr);
    s_pCurrent = splash;
    splash->m_bitmap = bitmap;
    splash->resize(bitmap.size());
    splash->CentreWindow();
    splash->show();
    splash->repaint();
    qApp->installEventFilter(splash);
    splash->m_bFiltering = true;
    splash->m_timers.SetTimer(TIMER_HIDE, int(nElapse));
    return true;
}

bool CSplashWnd::LoadBitmapFile(const QString& file)
{
    if (s_pCurrent == nullptr || !s_pCurrent->m_bitmap.isNull())
        return false;
    s_pCurrent->m_bitmap = ReadBitmapFile(file);
    return !s_pCurrent->m_bitmap.isNull();
}

CSplashWnd::CSplashWnd(QWidget* owner)
    : QWidget(owner, Qt::SplashScreen | Qt::FramelessWindowHint),
      m_pOwner(owner),
      m_timers(this, [this](UINT) { HideSplash(); })
{
    setAttribute(Qt::WA_DeleteOnClose, false);
}

CSplashWnd::~CSplashWnd()
{
    if (m_bFiltering)
        qApp->removeEventFilter(this);
    if (s_pCurrent == this)
        s_pCurrent = nullptr;
}

void CSplashWnd::CentreWindow()
{
    QRect area;
    if (m_pOwner && m_pOwner->isVisible()) {
        area = m_pOwner->frameGeometry();
    } else {
        QScreen* screen = m_pOwner ? m_pOwner->screen() : QGuiApplication::primaryScreen();
        if (screen != nullptr)
            area = screen->availableGeometry();
    }
    if (area.isValid())
        move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
}

void CSplashWnd::HideSplash()
{
    if (s_pCurrent == this)
        s_pCurrent = nullptr;
    if (m_bFiltering) {
        qApp->removeEventFilter(this);
        m_bFiltering = false;
    }
    m_timers.KillTimer(TIMER_HIDE);
    hide();
    // What the splash covered is drawn again, when there is an owner.
    if (m_pOwner)
        m_pOwner->window()->update();
    deleteLater();
}

bool CSplashWnd::FilterAppMessage(QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonDblClick:
        HideSplash();
        return true;
    default:
        return false;
    }
}

bool CSplashWnd::eventFilter(QObject* watched, QEvent* event)
{
    if (m_bFiltering && FilterAppMessage(event))
        return true;
    return QWidget::eventFilter(watched, event);
}

void CSplashWnd::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_bitmap);
}
