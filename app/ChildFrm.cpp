#include "app/ChildFrm.h"

#include <QResizeEvent>

#include "app/BrelinView.h"
#include "app/MainFrm.h"

CChildFrame::CChildFrame(CMainFrame* parent) : QWidget(parent)
{
    setGeometry(0, 0, INITIAL_WIDTH, INITIAL_HEIGHT);
    if (parent != nullptr)
        parent->SetChildFrame(this);
}

CChildFrame::~CChildFrame() = default;

void CChildFrame::SetView(CBrelinView* view)
{
    m_pView = view;
    if (m_pView != nullptr)
        m_pView->setGeometry(rect());
}

void CChildFrame::ShowMaximized()
{
    m_bMaximized = true;
    if (QWidget* frame = parentWidget())
        setGeometry(frame->rect());
    show();
}

void CChildFrame::OnFrameClosing()
{
    if (m_pView != nullptr)
        m_pView->OnDestroy();
}

void CChildFrame::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_pView != nullptr)
        m_pView->setGeometry(rect());
}
