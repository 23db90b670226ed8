#include "tools/toolkit_review/ReviewWidgets.h"

#include <algorithm>

#include <QCoreApplication>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QWidget>

#include "app/GlobalObjects.h"

QImage ReviewShot(QWidget& window)
{
    window.show();
    QCoreApplication::processEvents();
    return window.grab().toImage();
}

QImage ReviewSideBySide(const std::vector<QImage>& shots)
{
    int width = 10, height = 0;
    for (const QImage& shot : shots) {
        width += shot.width() + 10;
        height = std::max(height, shot.height());
    }
    QImage sheet(width, height + 20, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    int x = 10;
    for (const QImage& shot : shots) {
        painter.drawImage(x, 10, shot);
        x += shot.width() + 10;
    }
    return sheet;
}

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

QImage StackReviewRows(const std::vector<QImage>& rows, int gap, const QColor& background)
{
    int width = 0, height = 0;
    for (const QImage& row : rows) {
        width = std::max(width, row.width());
        height += row.height() + gap;
    }
    QImage sheet(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    sheet.fill(background);
    QPainter painter(&sheet);
    int y = 0;
    for (const QImage& row : rows) {
        painter.drawImage(0, y, row);
        y += row.height() + gap;
    }
    return sheet;
}
