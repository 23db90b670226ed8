#include "platform/gui/InputBlocked.h"

#include <QApplication>
#include <QWidget>

bool IsInputTakenFrom(const QWidget* widget)
{
    const QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != widget->window())
        return true;
    const QWidget* popup = QApplication::activePopupWidget();
    return popup && popup != widget->window();
}
