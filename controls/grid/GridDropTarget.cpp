#include "controls/grid/GridDropTarget.h"

#include <QLoggingCategory>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>

#include "controls/grid/GridCtrl.h"
#include "platform/gui/DragDrop.h"

namespace {
// The drop target's trace, off unless the logging rules switch it on.
Q_LOGGING_CATEGORY(lcGridDropTarget, "orvane.grid.drop", QtInfoMsg)
}  // namespace

CGridDropTarget::~CGridDropTarget()
{
    if (m_bRegistered)
        Revoke();
}

bool CGridDropTarget::Register(QWidget* pWnd)
{
    if (m_bRegistered)
        return false;
    auto* grid = dynamic_cast<CGridCtrl*>(pWnd);
    if (grid == nullptr)
        return false;
    m_pGridCtrl = grid;
    QWidget* client = Client();
    client->setAcceptDrops(true);
    client->installEventFilter(this);
    m_bRegistered = true;
    return true;
}

void CGridDropTarget::Revoke()
{
    m_bRegistered = false;
    if (QWidget* client = Client()) {
        client->removeEventFilter(this);
        client->setAcceptDrops(false);
    }
}

QWidget* CGridDropTarget::Client() const
{
    return m_pGridCtrl ? m_pGridCtrl->viewport() : nullptr;
}

DWORD CGridDropTarget::KeyStateOf(const QDropEvent* event)
{
    DWORD state = 0;
    if (event->modifiers() & Qt::ControlModifier)
        state |= MK_CONTROL;
    if (event->modifiers() & Qt::ShiftModifier)
        state |= MK_SHIFT;
    if (event->buttons() & Qt::LeftButton)
        state |= MK_LBUTTON;
    if (event->buttons() & Qt::RightButton)
        state |= MK_RBUTTON;
    return state;
}

unsigned CGridDropTarget::OnDragEnter(QWidget* pWnd, const QMimeData* pDataObject, DWORD dwKeyState,
                                      const QPoint& point)
{
    qCDebug(lcGridDropTarget, "In CGridDropTarget::OnDragEnter");
    if (m_pGridCtrl == nullptr || pWnd != Client())
        return DROPEFFECT_NONE;
    return m_pGridCtrl->OnDragEnter(pDataObject, dwKeyState, point);
}

unsigned CGridDropTarget::OnDragOver(QWidget* pWnd, const QMimeData* pDataObject, DWORD dwKeyState,
                                     const QPoint& point)
{
    if (m_pGridCtrl == nullptr || pWnd != Client())
        return DROPEFFECT_NONE;
    return m_pGridCtrl->OnDragOver(pDataObject, dwKeyState, point);
}

void CGridDropTarget::OnDragLeave(QWidget* pWnd)
{
    qCDebug(lcGridDropTarget, "In CGridDropTarget::OnDragLeave");
    if (m_pGridCtrl != nullptr && pWnd == Client())
        m_pGridCtrl->OnDragLeave();
}

bool CGridDropTarget::OnDrop(QWidget* pWnd, const QMimeData* pDataObject, unsigned dropEffect, const QPoint& point)
{
    qCDebug(lcGridDropTarget, "In CGridDropTarget::OnDrop");
    if (m_pGridCtrl == nullptr || pWnd != Client())
        return false;
    return m_pGridCtrl->OnDrop(pDataObject, dropEffect, point);
}

unsigned CGridDropTarget::OnDragScroll(QWidget* pWnd, DWORD dwKeyState, const QPoint&)
{
    if (m_pGridCtrl == nullptr || pWnd != Client())
        return DROPEFFECT_NONE;
    return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

bool CGridDropTarget::eventFilter(QObject* watched, QEvent* event)
{
    QWidget* client = Client();
    if (!m_bRegistered || watched != client)
        return false;
    switch (event->type()) {
    case QEvent::DragEnter: {
        auto* enter = static_cast<QDragEnterEvent*>(event);
        const QPoint point = enter->position().toPoint();
        const unsigned effect = OnDragEnter(client, enter->mimeData(), KeyStateOf(enter), point);
        if (effect != DROPEFFECT_NONE) {
            enter->setDropAction(DropActionOf(effect));
            enter->accept();
        } else if (m_pGridCtrl->IsDragAndDropEnabled() && enter->mimeData() && enter->mimeData()->hasText()) {
            // No cell takes the text here, but one further on may: the
            // drag stays with the grid, refused at this point.
            enter->setDropAction(Qt::IgnoreAction);
            enter->accept(QRect());
        } else {
            enter->ignore();
        }
        return true;
    }
    case QEvent::DragMove: {
        auto* move = static_cast<QDragMoveEvent*>(event);
        const QPoint point = move->position().toPoint();
        // The grid does not scroll under a drag; the answer is only asked.
        OnDragScroll(client, KeyStateOf(move), point);
        const unsigned effect = OnDragOver(client, move->mimeData(), KeyStateOf(move), point);
        if (effect != DROPEFFECT_NONE) {
            move->setDropAction(DropActionOf(effect));
            move->accept();
        } else {
            move->ignore();
        }
        return true;
    }
    case QEvent::DragLeave:
        OnDragLeave(client);
        event->accept();
        return true;
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const bool dropped =
            OnDrop(client, drop->mimeData(), DropEffectOf(drop->dropAction()), drop->position().toPoint());
        if (dropped)
            drop->accept();
        else
            drop->ignore();
        return true;
    }
    default:
        return false;
    }
}
