#pragma once
// Reading pixels and driving the mouse in widget tests.
#include <functional>

#include <QColor>
#include <QEvent>
#include <QImage>
#include <QPoint>
#include <QRect>

class QWidget;

// Pixels of image (inside area, the whole image when empty) that are opaque
// and within tolerance of colour in each channel.
int CountPixels(const QImage& image, const QColor& colour, int tolerance = 0, const QRect& area = QRect());
// Pixels whose alpha is zero.
int CountTransparent(const QImage& image);
// Bounding box of the pixels that match; empty when none does.
QRect PixelBounds(const QImage& image, const std::function<bool(QRgb)>& matches);
// True when two colours are within tolerance in each channel.
bool Near(QRgb pixel, const QColor& colour, int tolerance);

// Gives a dialog a flat background of colour, standing for its skin.
void SetFlatBackground(QWidget* widget, const QColor& colour);

// What the widget shows, rendered now (its paint event runs).
QImage Render(QWidget* widget);

// Sends one mouse event to the widget at pos (widget coordinates).
void SendMouse(QWidget* widget, QEvent::Type type, const QPoint& pos, Qt::MouseButton button = Qt::NoButton,
               Qt::MouseButtons buttons = Qt::NoButton);

// Runs the event loop until done() or timeoutMs passed; returns done().
// Like Eventually, but this thread's events (timers, posted messages) run.
bool WaitFor(const std::function<bool()>& done, int timeoutMs = 5000);
