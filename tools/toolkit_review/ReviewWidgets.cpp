#include "tools/toolkit_review/ReviewWidgets.h"

#include <QLabel>
#include <QPalette>
#include <QWidget>

#include "app/GlobalObjects.h"

void SetUpReviewSheet(QWidget* sheet, int width, int height)
{
    sheet->resize(width, height);
    QPalette palette = sheet->palette();
    palette.setBrush(QPalette::Window, g_brBackground);
    sheet->setPalette(palette);
    sheet->setAutoFillBackground(true);
}

QLabel* ReviewCaption(QWidget* parent, const QString& text, int x, int y)
{
    auto* label = new QLabel(text, parent);
    label->setFont(g_fontArial12);
    label->setStyleSheet(QStringLiteral("color: #3C4455"));
    label->move(x, y);
    return label;
}
