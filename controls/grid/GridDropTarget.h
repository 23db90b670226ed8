#pragma once
// The grid's drop target: once registered for a grid, the grid's client
// area accepts drops, and the drag events that reach it (enter, move,
// leave, drop) go through the handlers here on to the grid. A drop effect
// of none refuses the position; Ctrl held during the drag is MK_CONTROL.
// The target never scrolls the grid during a drag.
#include <QObject>
#include <QPoint>

#include "platform/core/Types.h"

class CGridCtrl;
class QDropEvent;
class QMimeData;
class QWidget;

class CGridDropTarget : public QObject {
    Q_OBJECT
public:
    CGridDropTarget() = default;
    ~CGridDropTarget() override;
    CGridDropTarget(const CGridDropTarget&) = delete;
    CGridDropTarget& operator=(const CGridDropTarget&) = delete;

    // Makes pWnd's client area a drop target when pWnd is a grid; false when
    // already registered, for a null window or one that is not a grid.
    bool Register(QWidget* pWnd);
    // The client area takes no more drops.
    virtual void Revoke();

    // The drag machinery's calls; pWnd is the window under the drag, point
    // in its coordinates, dwKeyState the MK_ bits. Only the grid's own
    // client area is served (any other window: none, or false).
    virtual unsigned OnDragEnter(QWidget* pWnd, const QMimeData* pDataObject, DWORD dwKeyState, const QPoint& point);
    virtual unsigned OnDragOver(QWidget* pWnd, const QMimeData* pDataObject, DWORD dwKeyState, const QPoint& point);
    virtual void OnDragLeave(QWidget* pWnd);
    virtual bool OnDrop(QWidget* pWnd, const QMimeData* pDataObject, unsigned dropEffect, const QPoint& point);
    virtual unsigned OnDragScroll(QWidget* pWnd, DWORD dwKeyState, const QPoint& point);

    CGridCtrl* m_pGridCtrl = nullptr;
    bool m_bRegistered = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The grid's client area, or null before registration.
    QWidget* Client() const;
    static DWORD KeyStateOf(const QDropEvent* event);
};
