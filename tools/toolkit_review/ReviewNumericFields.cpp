// The "numeric-fields" sheet: the numeric fields of the pages with their
// spins, in every look (idle, editing, without input, a mix column's
// current and other columns) and the read-only delay fields with their step
// buttons (idle, middle, down and up zone lit); Chinese on the left,
// English on the right.
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>

#include "app/GlobalObjects.h"
#include "controls/SpinBtn.h"
#include "graphs/MixColumnParent.h"
#include "graphs/NumEdit.h"
#include "graphs/NumSpin.h"
#include "model/DataDefine.h"
#include "platform/core/Language.h"
#include "platform/gui/WindowAttributes.h"
#include "tools/toolkit_review/ReviewSheet.h"
#include "tools/toolkit_review/ReviewWidgets.h"

namespace {
// The dark panels the white fields sit on, as the output page's skin.
const QColor kDarkPanel(0x36, 0x3D, 0x4C);

QWidget* Panel(QWidget* parent, const QRect& area, const QColor& colour)
{
    auto* panel = new QWidget(parent);
    panel->setGeometry(area);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, colour);
    panel->setPalette(palette);
    panel->setAutoFillBackground(true);
    return panel;
}

// A mix column feeding one output.
class CReviewMixColumn : public QWidget, public IMixColumnParent {
public:
    CReviewMixColumn(QWidget* parent, int output) : QWidget(parent), m_nOutput(output) {}
    int GetColumnOutput() const override { return m_nOutput; }

private:
    int m_nOutput;
};

struct Field {
    CNumEdit* edit;
    CNumSpin* spin;
};

// A field and its spin as a page sets them up: type (and step and offset)
// first, then the range through the spin, then the value.
Field MakeField(QWidget* parent, int x, int y, int width, int type, const QString& unit, double step, double offset,
                int min, int max, int value, const QFont& font = g_fontArial14)
{
    auto* edit = new CNumEdit(parent);
    edit->setFont(font);
    edit->setAlignment(Qt::AlignCenter);
    edit->setGeometry(x, y, width, 20);
    edit->SetStep(step);
    edit->SetOffset(offset);
    edit->SetValueType(type, unit);
    auto* spin = new CNumSpin(parent);
    spin->setGeometry(x + width + 1, y - 1, 14, 22);
    spin->SetBuddy(edit);
    spin->SetRange(min, max);
    spin->SetPos(value);
    return {edit, spin};
}

void MoveOver(QWidget* w, const QPoint& p)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(p), w->mapToGlobal(QPointF(p)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
}

void BuildColumn(QWidget* sheet, int x0, bool chinese)
{
    g_bChinese = chinese;
    ReviewCaption(sheet, chinese ? QStringLiteral("中文") : QStringLiteral("English"), x0, 6)->setFont(g_fontArial16Bold);

    // Output page: level, crossover and band fields on the page's dark skin.
    ReviewCaption(sheet, chinese ? QStringLiteral("输出页：空闲、编辑中、无输入") : QStringLiteral("output page: idle, editing, no input"),
                  x0, 30);
    QWidget* page = Panel(sheet, QRect(x0, 48, 520, 118), kDarkPanel);
    MakeField(page, 8, 8, 76, CNumEditValue::TYPE_LEVEL_DB, QString(), 0.1, 60, 0, 600, 480);
    const Field editing = MakeField(page, 108, 8, 76, CNumEditValue::TYPE_LEVEL_DB, QString(), 0.1, 60, 0, 600, 20);
    editing.edit->SetActiveLook(true);
    const Field noInput = MakeField(page, 208, 8, 76, CNumEditValue::TYPE_LEVEL_DB, QString(), 0.1, 60, 0, 600, 600);
    noInput.edit->SetInputFlag(false);
    MakeField(page, 308, 8, 76, CNumEditValue::TYPE_FREQUENCY, QString(), 0, 0, 20, 20000, 80);
    MakeField(page, 408, 8, 76, CNumEditValue::TYPE_FREQUENCY, QString(), 0, 0, 20, 20000, 20000);
    // Band frequency, Q and gain, small.
    for (int b = 0; b < 4; ++b) {
        const int x = 8 + b * 126;
        MakeField(page, x, 40, 44, CNumEditValue::TYPE_INTEGER, QString(), 0, 0, 20, 20000, 63 * (1 << (2 * b)),
                  g_fontArial12);
        const Field q = MakeField(page, x, 64, 44, CNumEditValue::TYPE_Q, QString(), 0, 0, 0, 295, 10 + 60 * b,
                                  g_fontArial12);
        const Field gain = MakeField(page, x, 88, 44, CNumEditValue::TYPE_GAIN, QString(), 0.1, 20, 80, 320,
                                     80 + 80 * b, g_fontArial12);
        if (b == 1)
            gain.edit->SetActiveLook(true);
        if (b == 2)
            q.edit->SetActiveLook(true);
    }

    // Delay fields: editable in three units, then read-only with their step
    // buttons idle, middle lit, down lit and up lit.
    ReviewCaption(sheet, chinese ? QStringLiteral("延时：可编辑 / 只读步进键") : QStringLiteral("delay: editable / read-only step buttons"),
                  x0, 174);
    QWidget* delays = Panel(sheet, QRect(x0, 192, 520, 64), kDarkPanel);
    const QString units[3] = {QStringLiteral("MS"), QStringLiteral("CM"), QStringLiteral("INCH")};
    for (int u = 0; u < 3; ++u) {
        const Field delay = MakeField(delays, 8 + u * 100, 8, 76, u, units[u], 0, 0, 0, 960, 347);
        delay.spin->SetStepMode(CNumSpin::MODE_DELAY);
        if (u == 1)
            delay.edit->SetActiveLook(true);
    }
    for (int look = 0; look < 4; ++look) {
        const Field delay = MakeField(delays, 8 + look * 100, 36, 76, look % 3, units[look % 3], 0, 0, 0, 960,
                                      look == 3 ? 960 : 347);
        delay.spin->SetStepMode(CNumSpin::MODE_DELAY);
        delay.edit->CreateStepButton(4016 + look);
        CSpinBtn* button = delay.edit->StepButton();
        button->SetBitmaps(804, 805, 806, 807);
        delay.edit->BindStepButton(4013 + look, delay.spin);
        delay.edit->SetReadOnly(true);
        delay.edit->RefreshText();
        if (look >= 1)
            button->SetActive(true);
        if (look == 2)
            MoveOver(button, QPoint(3, 10));
        if (look == 3)
            MoveOver(button, QPoint(button->width() - 3, 10));
    }

    // Master volume, dynamics fields and the ratio.
    ReviewCaption(sheet, chinese ? QStringLiteral("主音量与动态") : QStringLiteral("master volume and dynamics"), x0, 264);
    QWidget* misc = Panel(sheet, QRect(x0, 282, 520, 64), kDarkPanel);
    MakeField(misc, 8, 8, 60, CNumEditValue::TYPE_LEVEL_OFF_BOTTOM, QString(), 1, 60, 0, 66, 0);
    MakeField(misc, 90, 8, 60, CNumEditValue::TYPE_LEVEL_OFF_BOTTOM, QString(), 1, 60, 0, 66, 1);
    MakeField(misc, 172, 8, 60, CNumEditValue::TYPE_LEVEL_OFF_BOTTOM, QString(), 1, 60, 0, 66, 66);
    MakeField(misc, 254, 8, 76, CNumEditValue::TYPE_LEVEL_DBU, QString(), 0.1, 30, 0, 420, 420);
    MakeField(misc, 354, 8, 60, CNumEditValue::TYPE_ATTACK, QString(), 0, 0, 0, 206, 0);
    MakeField(misc, 8, 36, 60, CNumEditValue::TYPE_INTEGER_UNIT, QStringLiteral("ms"), 0, 0, 50, 5000, 50);
    MakeField(misc, 90, 36, 60, CNumEditValue::TYPE_RATIO, QString(), 0, 0, 1, 191, 11);
    MakeField(misc, 172, 36, 60, CNumEditValue::TYPE_LEVEL_DB, QString(), 1, 120, 0, 100, 20);
    MakeField(misc, 254, 36, 76, CNumEditValue::TYPE_LEVEL_DB, QString(), 1, 120, 0, 100, 55);

    // Two mix columns on the mixing page's light ground: the edited
    // output's column black, another grey; one field being edited.
    ReviewCaption(sheet, chinese ? QStringLiteral("混音列：当前输出 / 其他输出") : QStringLiteral("mix columns: current output / other"),
                  x0, 354);
    const int levelIds[4] = {2818, 2820, 2822, 2824};
    for (int column = 0; column < 2; ++column) {
        auto* mix = new CReviewMixColumn(sheet, column);
        mix->setGeometry(x0 + column * 110, 372, 100, 104);
        for (int row = 0; row < 4; ++row) {
            const Field f = MakeField(mix, 8, 4 + row * 25, 60, CNumEditValue::TYPE_CLAMPED, QString(), 1, 0, 0, 100,
                                      row * 30);
            SetDlgCtrlID(f.edit, levelIds[row]);
            if (column == 0 && row == 2)
                f.edit->SetActiveLook(true);
        }
    }
}

QImage RenderNumericFields()
{
    g_nCurOutput = 0;
    QWidget sheet;
    SetUpReviewSheet(&sheet, 1100, 490);
    BuildColumn(&sheet, 14, true);
    BuildColumn(&sheet, 566, false);
    sheet.show();
    sheet.setFocus();
    return ReviewShot(sheet);
}
}  // namespace

ORVANE_REVIEW_SHEET("numeric-fields", RenderNumericFields);
