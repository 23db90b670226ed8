#include "controls/ButtonRadio.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include "platform/gui/LogFont.h"

CButtonRadio::CButtonRadio(QWidget* parent) : QRadioButton(parent)
{
    setAutoFillBackground(false);
}

CButtonRadio::CButtonRadio(const QString& text, QWidget* parent) : QRadioButton(text, parent)
{
    setAutoFillBackground(false);
}

void CButtonRadio::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QColor text = ToQColor(m_clrText);
    // A disabled caption keeps the system's grey.
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        option.palette.setColor(group, QPalette::WindowText, text);
        option.palette.setColor(group, QPalette::ButtonText, text);
    }
    painter.drawControl(QStyle::CE_RadioButton, option);
}
