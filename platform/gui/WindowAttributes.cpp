#include "platform/gui/WindowAttributes.h"

#include <QAbstractScrollArea>
#include <QVariant>
#include <QWidget>

#include "platform/core/MsgTarget.h"
#include "platform/gui/ControlStyles.h"

namespace {
constexpr char kCtrlId[] = "orvaneCtrlId";
constexpr char kStyle[] = "orvaneStyle";
constexpr char kExStyle[] = "orvaneExStyle";
}  // namespace

bool IsWindowEnabled(const QWidget* window)
{
    // Qt marks a widget disabled by its own setEnabled(false) with
    // WA_ForceDisabled; one disabled through an ancestor lacks it.
    return window != nullptr && !window->testAttribute(Qt::WA_ForceDisabled);
}

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

QWidget* GetClientWidget(QWidget* window)
{
    if (auto* area = qobject_cast<QAbstractScrollArea*>(window))
        return area->viewport();
    return window;
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

QWidget* GetNextDlgGroupItem(const QWidget* dialog, const QWidget* ctl, bool previous)
{
    if (dialog == nullptr || ctl == nullptr)
        return nullptr;
    const QList<QWidget*> children = dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    const qsizetype at = children.indexOf(const_cast<QWidget*>(ctl));
    if (at < 0)
        return nullptr;
    const auto starts = [](const QWidget* w) { return (GetWindowStyle(w) & WS_GROUP) != 0; };
    qsizetype first = at;
    while (first > 0 && !starts(children[first]))
        --first;
    qsizetype last = at;
    while (last + 1 < children.size() && !starts(children[last + 1]))
        ++last;
    const qsizetype count = last - first + 1;
    const qsizetype step = previous ? count - 1 : 1;
    for (qsizetype k = 1; k < count; ++k) {
        QWidget* candidate = children[first + (at - first + step * k) % count];
        if (!candidate->isHidden() && candidate->isEnabledTo(dialog))
            return candidate;
    }
    return const_cast<QWidget*>(ctl);
}
