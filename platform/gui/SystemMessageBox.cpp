#include "platform/gui/SystemMessageBox.h"

#include <QMessageBox>
#include <QPointer>

#include "platform/core/MessageBoxHook.h"

namespace {
QMessageBox::Icon IconOf(unsigned type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONERROR:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONWARNING:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButtons ButtonsOf(unsigned type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MB_YESNO:
        return QMessageBox::Yes | QMessageBox::No;
    case MB_YESNOCANCEL:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    default:
        return QMessageBox::Ok;
    }
}

int ResultOf(int button)
{
    switch (button) {
    case QMessageBox::Ok:
        return IDOK;
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    default:
        return IDCANCEL;
    }
}
}  // namespace

void InstallSystemMessageBoxHandler(QWidget* parent)
{
    const QPointer<QWidget> owner(parent);
    SetSystemMessageBoxHandler([owner](const QString& caption, const QString& text, unsigned type) {
        QMessageBox box(IconOf(type), caption, text, ButtonsOf(type), owner.data());
        return ResultOf(box.exec());
    });
}
