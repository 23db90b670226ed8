// The machine-preset dialogs and the small questions beside them, each in
// both languages: one row per language.
#include <QCoreApplication>
#include <QPainter>

#include "app/ReMap_Dlg.h"
#include "app/SaveData_Dlg.h"
#include "platform/core/Language.h"
#include "tools/toolkit_review/ReviewSheet.h"
#include "tools/toolkit_review/ReviewWidgets.h"

namespace {
QImage GrabShown(QWidget& widget)
{
    widget.show();
    QCoreApplication::processEvents();
    return widget.grab().toImage();
}

// The shots of one language side by side, 10 pixels apart.
QImage Row(const std::vector<QImage>& shots)
{
    int width = 10;
    int height = 0;
    for (const QImage& shot : shots) {
        width += shot.width() + 10;
        height = std::max(height, shot.height());
    }
    QImage row(width, height + 20, QImage::Format_RGB32);
    row.fill(Qt::white);
    QPainter painter(&row);
    int x = 10;
    for (const QImage& shot : shots) {
        painter.drawImage(x, 10, shot);
        x += shot.width() + 10;
    }
    return row;
}

QImage RenderQuestions()
{
    const bool chinese = g_bChinese;
    std::vector<QImage> rows;
    for (const bool cn : {true, false}) {
        g_bChinese = cn;
        CReMap_Dlg reMap;
        reMap.OnInitDialog();
        CSaveData_Dlg saveData;
        saveData.OnInitDialog();
        rows.push_back(Row({GrabShown(reMap), GrabShown(saveData)}));
    }
    g_bChinese = chinese;
    return StackReviewRows(rows, 0, Qt::white);
}
}  // namespace

ORVANE_REVIEW_SHEET("question-dialogs", RenderQuestions);
