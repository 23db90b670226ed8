// The "grid-drop" sheet, in Chinese and in English: a grid with a drag
// hovering over a cell (the drop highlight), the drag image of a focus
// cell over a coloured ground, and a list-mode grid sorted by a header
// click.
#include <QApplication>
#include <QDragEnterEvent>
#include <QLabel>
#include <QMimeData>
#include <QPainter>

#include "app/GlobalObjects.h"
#include "controls/grid/GridCtrl.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/DrawText.h"
#include "platform/gui/Fonts.h"
#include "tools/toolkit_review/ReviewSheet.h"
#include "tools/toolkit_review/ReviewWidgets.h"

namespace {

// A 6 x 3 grid of names and notes with one fixed row.
CGridCtrl* BuildDropReviewGrid(QWidget* parent, int x, int y, bool chinese)
{
    auto* grid = new CGridCtrl(6, 3, 1, 0);
    grid->Create(CRect(x, y, x + 400, y + 140), parent, 2724, WS_CHILD | WS_VISIBLE | WS_BORDER);
    static const std::optional<QFont> font = CreateFont(16, 400);
    grid->SetFont(&*font);
    grid->SetColumnWidth(0, 60);
    grid->SetColumnWidth(1, 160);
    grid->SetColumnWidth(2, 160);
    const QStringList headings = chinese ? QStringList{QStringLiteral("序号"), QStringLiteral("名字"), QStringLiteral("备注")}
                                         : QStringList{QStringLiteral("No."), QStringLiteral("Name"), QStringLiteral("Note")};
    const QStringList names = chinese ? QStringList{QStringLiteral("中厅"), QStringLiteral("安静"), QStringLiteral("包房"),
                                                    QStringLiteral("阿里"), QStringLiteral("车载")}
                                      : QStringList{QStringLiteral("Hall"), QStringLiteral("Room"), QStringLiteral("Car"),
                                                    QStringLiteral("Demo"), QStringLiteral("Bar")};
    for (int c = 0; c < 3; ++c) {
        grid->SetItemText(0, c, headings[c]);
        for (int r = 0; r < 6; ++r)
            grid->SetItemFormat(r, c, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    for (int r = 1; r < 6; ++r) {
        grid->SetItemText(r, 0, QString::number(r));
        grid->SetItemText(r, 1, names[r - 1]);
        grid->SetItemText(r, 2, QStringLiteral("-"));
    }
    grid->UpdateScrollBars();
    return grid;
}

QImage DropReviewDragImage(bool chinese, QWidget* sheet)
{
    CGridCtrl* grid = BuildDropReviewGrid(sheet, 2000, 2000, chinese);
    grid->SetFocusCell(2, 1);
    QPoint hotSpot;
    const QPixmap drag = grid->CreateDragImage(&hotSpot);
    QImage ground(drag.width() + 20, drag.height() + 20, QImage::Format_RGB32);
    ground.fill(QColor(255, 220, 120));
    QPainter painter(&ground);
    painter.drawPixmap(10, 10, drag);
    painter.fillRect(10 + hotSpot.x() - 1, 10 + hotSpot.y() - 1, 3, 3, Qt::red);  // the hot spot
    return ground;
}

struct DropReviewColumn {
    QImage dragImage;
    QPoint at;
};

DropReviewColumn BuildDropReviewColumn(QWidget* sheet, int x, bool chinese)
{
    g_bChinese = chinese;
    ReviewCaption(sheet, chinese ? QStringLiteral("拖放: 鼠标下的单元格") : QStringLiteral("A drop over a cell"), x, 10);
    CGridCtrl* hovered = BuildDropReviewGrid(sheet, x, 34, chinese);
    hovered->EnableDragAndDrop(true);
    QMimeData text;
    text.setText(QStringLiteral("text"));
    CRect cell;
    hovered->GetCellBounds(3, 1, &cell);
    QDragEnterEvent enter(QPoint(cell.left + 5, cell.top + 5), Qt::CopyAction | Qt::MoveAction, &text, Qt::LeftButton,
                          Qt::NoModifier);
    QCoreApplication::sendEvent(hovered->viewport(), &enter);

    ReviewCaption(sheet, chinese ? QStringLiteral("拖动图像 (红点: 热点)") : QStringLiteral("The drag image (red: hot spot)"), x,
                  190);
    const QImage dragImage = DropReviewDragImage(chinese, sheet);

    ReviewCaption(sheet, chinese ? QStringLiteral("按名字排序 (GBK 顺序)") : QStringLiteral("Sorted by name"), x, 280);
    CGridCtrl* sorted = BuildDropReviewGrid(sheet, x, 304, chinese);
    sorted->SetListMode(true);
    sorted->SortTextItems(1, true);
    return {dragImage, QPoint(x, 214)};
}

QImage RenderGridDrop()
{
    QWidget sheet;
    SetUpReviewSheet(&sheet, 860, 460);
    const DropReviewColumn cn = BuildDropReviewColumn(&sheet, 10, true);
    const DropReviewColumn en = BuildDropReviewColumn(&sheet, 440, false);
    g_bChinese = false;
    QImage image = ReviewShot(sheet);
    QPainter painter(&image);
    for (const DropReviewColumn& column : {cn, en})
        painter.drawImage(column.at, column.dragImage);
    return image;
}

}  // namespace

ORVANE_REVIEW_SHEET("grid-drop", RenderGridDrop);
