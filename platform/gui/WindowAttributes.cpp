#include "platform/gui/WindowAttributes.h"

#include <QVariant>
#include <QWidget>

#include "platform/core/MsgTarget.h"

namespace {
constexpr char kCtrlId[] = "orvaneCtrlId";
constexpr char kStyle[] = "orvaneStyle";
constexpr char kExStyle[] = "orvaneExStyle";
}  // namespace

void SetDlgCtrlID(QWidget* window, int id)
{
    window->setProperty(kCtrlId, id);
}

int GetDlgCtrlID(const QWidget* window)
{
    return window->property(kCtrlId).toInt();
}

void SetWindowStyle(QWidget* window, DWORD style)
{
    window->setProperty(kStyle, QVariant::fromValue<quint32>(style));
}

DWORD GetWindowStyle(const QWidget* window)
{
    return window->property(kStyle).value<quint32>();
}

void SetWindowExStyle(QWidget* window, DWORD exStyle)
{
    window->setProperty(kExStyle, QVariant::fromValue<quint32>(exStyle));
}

DWORD GetWindowExStyle(const QWidget* window)
{
    return window->property(kExStyle).value<quint32>();
}

CMsgTarget* GetParentTarget(const QWidget* window)
{
    return dynamic_cast<CMsgTarget*>(window->parentWidget());
}

QWidget* GetDlgItem(const QWidget* dialog, int id)
{
    if (dialog == nullptr || id == 0)
        return nullptr;
    const QList<QWidget*> children = dialog->findChildren<QWidget*>();
    for (QWidget* child : children) {
        if (GetDlgCtrlID(child) == id)
            return child;
    }
    return nullptr;
}
