// The "grid-editing" sheet, in Chinese and in English: a grid with a cell
// being edited in place (the editor grown past its cell by a long text), a
// combo grid with its list editor open on a list column, and the context
// menu a right click on the machine-preset list opens.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include "app/GlobalObjects.h"
#include "controls/grid/ComboGridCtrl.h"
#include "controls/grid/InPlaceEdit.h"
#include "controls/grid/InPlaceList.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/DrawText.h"
#include "platform/gui/Fonts.h"
#include "platform/gui/PopupMenu.h"
#include "tools/toolkit_review/ReviewSheet.h"
#include "tools/toolkit_review/ReviewWidgets.h"

namespace {

const QStringList& EditingModes(bool chinese)
{
    static const QStringList cn{QStringLiteral("包房"), QStringLiteral("大厅"), QStringLiteral("车载"),
                                QStringLiteral("演示用的很长名字")};
    static const QStringList en{QStringLiteral("Room"), QStringLiteral("Hall"), QStringLiteral("Car"),
                                QStringLiteral("A long demo entry")};
    return chinese ? cn : en;
}

// A 6 x 4 combo grid of names and modes; column 3 lists the modes.
CComboGridCtrl* BuildEditableGrid(QWidget* parent, int x, int y, bool chinese)
{
    auto* grid = new CComboGridCtrl;
    grid->SetRowCount(6);
    grid->SetColumnCount(4);
    grid->SetFixedRowCount(1);
    grid->SetFixedColumnCount(1);
    grid->Create(CRect(x, y, x + 400, y + 140), parent, 2724, WS_CHILD | WS_VISIBLE | WS_BORDER);
    static const std::optional<QFont> font = CreateFont(16, 400);
    grid->SetFont(&*font);
    grid->SetColumnWidth(0, 40);
    grid->SetColumnWidth(1, 60);
    grid->SetColumnWidth(2, 130);
    grid->SetColumnWidth(3, 140);
    grid->SetColumnList(3, EditingModes(chinese));
    const QStringList headings = chinese ? QStringList{QStringLiteral("序号"), QStringLiteral("名字"),
                                                       QStringLiteral("备注"), QStringLiteral("模式")}
                                         : QStringList{QStringLiteral("No."), QStringLiteral("Name"),
                                                       QStringLiteral("Note"), QStringLiteral("Mode")};
    for (int c = 0; c < 4; ++c) {
        grid->SetItemText(0, c, headings[c]);
        for (int r = 0; r < 6; ++r)
            grid->SetItemFormat(r, c, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    }
    for (int r = 1; r < 6; ++r) {
        grid->SetItemText(r, 0, QString::number(r));
        grid->SetItemText(r, 1, QStringLiteral("Hall %1").arg(r));
        grid->SetItemText(r, 2, QStringLiteral("-"));
        grid->SetItemText(r, 3, EditingModes(chinese)[(r - 1) % 3]);
    }
    grid->UpdateScrollBars();
    return grid;
}

QImage MenuOfARightClick(CGridCtrl* grid)
{
    QImage menuImage;
    const PopupMenuHandler previous = SetPopupMenuHandler([&](QMenu& menu, const QPoint&, QWidget*) {
        menu.adjustSize();
        menuImage = menu.grab().toImage();
        return 0u;
    });
    CRect cell;
    grid->GetCellBounds(2, 1, &cell);
    const QPointF at(cell.left + 5, cell.top + 5);
    QMouseEvent press(QEvent::MouseButtonPress, at, grid->viewport()->mapToGlobal(at), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(grid->viewport(), &press);
    SetPopupMenuHandler(previous);
    return menuImage;
}

struct EditingColumn {
    QImage menu;
    QPoint menuAt;
};

EditingColumn BuildEditingColumn(QWidget* sheet, int x, bool chinese)
{
    g_bChinese = chinese;
    ReviewCaption(sheet, chinese ? QStringLiteral("单元格编辑 (中文): 文字超出单元格") : QStringLiteral("Editing a cell (English): text past the cell"),
                  x, 10);
    CComboGridCtrl* edited = BuildEditableGrid(sheet, x, 34, chinese);
    edited->SetFocusCell(2, 1);
    edited->BeginCellEdit(2, 1, VK_LBUTTON);
    if (auto* editor = edited->viewport()->findChild<CInPlaceEdit*>()) {
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("WWW"));
        QCoreApplication::sendEvent(editor, &typed);
    }

    ReviewCaption(sheet, chinese ? QStringLiteral("列表列的下拉编辑") : QStringLiteral("The list editor of a list column"), x, 190);
    CComboGridCtrl* listed = BuildEditableGrid(sheet, x, 214, chinese);
    listed->SetFocusCell(3, 3);
    listed->BeginCellEdit(3, 3, VK_LBUTTON);

    ReviewCaption(sheet, chinese ? QStringLiteral("右键菜单") : QStringLiteral("The right-click menu"), x, 370);
    CComboGridCtrl* menuGrid = BuildEditableGrid(sheet, x, 394, chinese);
    return {MenuOfARightClick(menuGrid), QPoint(x + 160, 430)};
}

QImage RenderGridEditing()
{
    QWidget sheet;
    SetUpReviewSheet(&sheet, 860, 560);
    const EditingColumn cn = BuildEditingColumn(&sheet, 10, true);
    const EditingColumn en = BuildEditingColumn(&sheet, 440, false);
    g_bChinese = false;
    QImage image = ReviewShot(sheet);
    QPainter painter(&image);
    for (const EditingColumn& column : {cn, en}) {
        if (!column.menu.isNull())
            painter.drawImage(column.menuAt, column.menu);
    }
    return image;
}

}  // namespace

ORVANE_REVIEW_SHEET("grid-editing", RenderGridEditing);
