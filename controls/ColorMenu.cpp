#include "controls/ColorMenu.h"

#include <QAction>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

#include "platform/gui/SysColors.h"
#include "platform/gui/SystemMetrics.h"

namespace {
constexpr char kOwnerDraw[] = "orvaneOwnerDraw";
constexpr int kItemWidth = 150;

// The owner-drawn item an option describes, or null: initStyleOption points
// the option's style object at the item.
const QAction* OwnerDrawnItem(const QStyleOption* option)
{
    const auto* action = option ? qobject_cast<const QAction*>(option->styleObject) : nullptr;
    return action && CColorMenu::IsOwnerDraw(action) ? action : nullptr;
}
}  // namespace

// Measures and paints the owner-drawn items of one menu; every other item
// and part goes to the application's style.
class CColorMenu::CBlockStyle : public QProxyStyle {
public:
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override
    {
        if (type == CT_MenuItem && OwnerDrawnItem(option))
            return MeasureItem();
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    }
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        if (element == CE_MenuItem && OwnerDrawnItem(option)) {
            DrawItem(*painter, CRect::FromQRect(option->rect), (option->state & State_Selected) != 0);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

CColorMenu::CColorMenu(QWidget* parent) : QMenu(parent)
{
    auto* style = new CBlockStyle;
    style->setParent(this);
    setStyle(style);
}

void CColorMenu::SetOwnerDraw(QAction* action, bool on)
{
    action->setProperty(kOwnerDraw, on);
}

bool CColorMenu::IsOwnerDraw(const QAction* action)
{
    return action->property(kOwnerDraw).toBool();
}

QSize CColorMenu::MeasureItem()
{
    return QSize(kItemWidth, GetSystemMetrics(SM_CYMENU));
}

void CColorMenu::DrawItem(QPainter& painter, const CRect& rect, bool selected)
{
    // A filled rectangle with a one-pixel frame, as the old Rectangle call
    // drew it.
    const QColor fill = selected ? QColor(182, 189, 210) : GetSysColor(COLOR_MENU);
    const QColor frame = selected ? QColor(10, 36, 106) : GetSysColor(COLOR_MENU);
    painter.fillRect(rect.ToQRect(), fill);
    painter.fillRect(QRect(rect.left, rect.top, rect.Width(), 1), frame);
    painter.fillRect(QRect(rect.left, rect.bottom - 1, rect.Width(), 1), frame);
    painter.fillRect(QRect(rect.left, rect.top, 1, rect.Height()), frame);
    painter.fillRect(QRect(rect.right - 1, rect.top, 1, rect.Height()), frame);
}

void CColorMenu::initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const
{
    QMenu::initStyleOption(option, action);
    if (action && IsOwnerDraw(action))
        option->styleObject = const_cast<QAction*>(action);
}
