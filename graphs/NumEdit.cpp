#include "graphs/NumEdit.h"

#include <QPalette>

#include "platform/core/Types.h"
#include "platform/gui/LogFont.h"

namespace {
constexpr COLORREF kActiveBackground = RGB(137, 172, 209);
}  // namespace

CNumEdit::CNumEdit(QWidget* parent) : QLineEdit(parent)
{
    setFrame(false);
    ApplyColours();
}

void CNumEdit::SetActiveLook(bool active)
{
    if (active == m_bActiveLook)
        return;
    m_bActiveLook = active;
    ApplyColours();
    // Idle, the field is see-through: its repaint redraws the page under it.
    update();
}

void CNumEdit::ApplyColours()
{
    QPalette palette = this->palette();
    const QColor base = m_bActiveLook ? ToQColor(kActiveBackground) : QColor(Qt::transparent);
    const QColor text = m_bActiveLook ? QColor(0, 0, 0) : QColor(255, 255, 255);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, base);
        palette.setColor(group, QPalette::Text, text);
    }
    setPalette(palette);
}
