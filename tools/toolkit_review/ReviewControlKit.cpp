// The "control-kit" sheet: the faders, the PNG speaker buttons, the band
// flat toggles, the drop lists (one of them open) and the transparent radio
// buttons, as the output page, the strips, the master-volume panel and the
// mix columns set them up; Chinese on the left, English on the right.
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "app/GlobalObjects.h"
#include "controls/BtnPng.h"
#include "controls/ButtonRadio.h"
#include "controls/ComBoxBtn.h"
#include "controls/DropListBox.h"
#include "controls/DropListWnd.h"
#include "controls/FontStatic.h"
#include "controls/XPButton.h"
#include "graphs/BitmapSlider.h"
#include "graphs/NumEdit.h"
#include "tools/toolkit_review/ReviewSheet.h"
#include "tools/toolkit_review/ReviewWidgets.h"

namespace {
void Move(QWidget* w, QPoint p)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(p), w->mapToGlobal(QPointF(p)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
}

// A gain fader of the output page with its gain edit.
CBitmapSlider* BandFader(QWidget* parent, int x, int y, int gainIndex)
{
    auto* fader = new CBitmapSlider(parent);
    fader->SetChannelBitmaps(615, 610, false, CLR_DEFAULT, 0, 0);
    fader->SetThumbBitmaps(611, 613, false, CLR_DEFAULT, 0, 0);
    fader->SetRange(0, 240, false);
    fader->SetMargin(4, 1, 1, 1);
    fader->SetScaleType(CBitmapSlider::SCALE_GAIN);
    fader->move(x, y);
    fader->SetValue(gainIndex);
    return fader;
}

CComBoxBtn* DropButton(QWidget* parent, int x, int y, const QStringList& items, int selected)
{
    auto* button = new CComBoxBtn(parent);
    button->SetBitmaps(701, 702);
    button->move(x, y);
    button->CreateDropList(parent, 1015);
    button->ResetContent();
    for (const QString& item : items)
        button->AddString(item);
    button->SetCurSel(selected);
    button->setFont(g_fontArial14);
    return button;
}

void BuildColumn(QWidget* sheet, int x0, bool chinese)
{
    g_bChinese = chinese;
    ReviewCaption(sheet, chinese ? QStringLiteral("中文") : QStringLiteral("English"), x0, 6)->setFont(g_fontArial16Bold);

    // Band columns: label, gain edit, fader, flat toggle.
    const char* bands[] = {"20", "25", "31.5", "40", "50", "63", "80", "100"};
    const int gains[] = {200, 260, 320, 140, 80, 200, 230, 170};
    ReviewCaption(sheet, chinese ? QStringLiteral("均衡：增益推子与直通键") : QStringLiteral("EQ: gain faders and flat toggles"),
            x0, 30);
    for (int b = 0; b < 8; ++b) {
        const int x = x0 + b * 36;
        auto* label = new CFontStatic(sheet);
        label->setGeometry(x - 4, 50, 34, 16);
        label->SetFontStyle(QString(), 14, b == 2 ? QColor(255, 0, 0) : QColor(178, 177, 176), CFontStatic::STYLE_CENTER);
        label->SetText(QString::fromLatin1(bands[b]));
        auto* edit = new CNumEdit(sheet);
        edit->setFont(g_fontArial12);
        edit->setGeometry(x - 4, 68, 34, 14);
        edit->setAlignment(Qt::AlignCenter);
        edit->setText(QString::number((gains[b] - 200) / 10.0, 'f', 1));
        CBitmapSlider* fader = BandFader(sheet, x, 86, gains[b]);
        fader->SetBuddyEdit(edit);
        if (b == 2) {
            // The band being edited: its fader and edit light each other.
            edit->SetActiveLook(true);
            fader->SetFocusLook(true);
        }
        if (b == 5) {
            // A band outside the crossover in gain-only mode: the grey thumb.
            fader->SetThumbBitmaps(612, 612, true, CLR_DEFAULT, 0, 0);
        }
        auto* flat = new CXPButton(sheet);
        flat->resize(26, 14);
        flat->move(x, 188);
        flat->SetBitmaps(8832, 8833, 8833, 8830, 8831, 8831);
        flat->SetCheck(gains[b] == 200);
        if (b == 6)
            Move(flat, QPoint(4, 4));
    }

    // Level faders: output page (transparent thumbs), strip, master volume.
    const int y1 = 216;
    ReviewCaption(sheet, chinese ? QStringLiteral("电平 / 输出条 / 主音量") : QStringLiteral("level / strip / master"), x0, y1);
    auto* level = new CBitmapSlider(sheet);
    level->SetChannelBitmaps(281, 283, false, CLR_DEFAULT, 0, 0);
    level->SetThumbBitmaps(280, 282, true, CLR_DEFAULT, 0, 0);
    level->SetRange(0, 600, false);
    level->SetMargin(11, 4, 1, 4);
    level->move(x0, y1 + 20);
    level->SetValue(450);
    auto* strip = new CBitmapSlider(sheet);
    strip->SetChannelBitmaps(281, 281, false, CLR_DEFAULT, 0, 0);
    strip->SetThumbBitmaps(358, 280, false, CLR_DEFAULT, 0, 0);
    strip->SetRange(0, 600, false);
    strip->SetMargin(6, 6, 1, 5);
    strip->move(x0 + 40, y1 + 20);
    strip->SetValue(600);
    auto* master = new CBitmapSlider(sheet);
    master->SetChannelBitmaps(357, 357, false, CLR_DEFAULT, 0, 0);
    master->SetThumbBitmaps(358, 282, false, CLR_DEFAULT, 0, 0);
    master->SetRange(0, 66, false);
    master->SetMargin(33, -1, 1, 1);
    master->move(x0 + 80, y1 + 20);
    master->SetValue(40);

    // Mix faders: a plain column and the current output's column.
    ReviewCaption(sheet, chinese ? QStringLiteral("混音推子") : QStringLiteral("mix faders"), x0 + 180, y1);
    for (int row = 0; row < 8; ++row) {
        for (int col = 0; col < 2; ++col) {
            auto* mix = new CBitmapSlider(sheet);
            const UINT channel = (col == 1 ? 1182u : 1095u) + UINT(row / 2);
            mix->SetChannelBitmaps(channel, channel, false, CLR_DEFAULT, 0, 0);
            if (col == 1)
                mix->SetThumbBitmaps(1099, 1100, false, CLR_DEFAULT, 0, 0);
            else
                mix->SetThumbBitmaps(1192, 1192, false, CLR_DEFAULT, 0, 0);
            mix->SetRange(0, 100, false);
            mix->SetVertical(false);
            mix->SetMargin(2, 2, 1, 2);
            mix->SetScaleType(CBitmapSlider::SCALE_MIX);
            mix->move(x0 + 180 + col * 62, y1 + 20 + row * 18);
            mix->SetValue(row * 14);
            if (col == 1 && row == 3)
                mix->SetFocusLook(true);
        }
    }

    // Speaker-position buttons: normal, hover, assigned (checked).
    ReviewCaption(sheet, chinese ? QStringLiteral("扬声器位置") : QStringLiteral("speaker positions"), x0 + 320, 30);
    for (int i = 0; i < 3; ++i) {
        auto* speaker = new CBtnPng(sheet);
        speaker->SetImages(7123, 7124, 7125);
        speaker->SetCheckedImages(7125, 7125, 7125);
        speaker->move(x0 + 320 + i * 48, 50);
        if (i == 1)
            Move(speaker, QPoint(20, 20));
        if (i == 2)
            speaker->SetCheck(true);
    }

    // Crossover drop lists; the slope list open.
    ReviewCaption(sheet, chinese ? QStringLiteral("分频：类型与斜率") : QStringLiteral("crossover: family and slope"), x0 + 320,
            100);
    const QStringList families = chinese
        ? QStringList{QStringLiteral("宁克-锐"), QStringLiteral("巴特沃斯"), QStringLiteral("贝塞尔")}
        : QStringList{QStringLiteral("Link_Ril"), QStringLiteral("Butter_W"), QStringLiteral("Bessel")};
    QStringList slopes;
    for (int s = 1; s <= 8; ++s)
        slopes << QStringLiteral("%1dB/Oct").arg(6 * s);
    slopes << (chinese ? QStringLiteral("关闭") : QStringLiteral("OFF"));
    DropButton(sheet, x0 + 320, 120, families, 1);
    CComBoxBtn* slope = DropButton(sheet, x0 + 400, 120, slopes, 3);
    Move(slope, QPoint(10, 9));
    // The open list, drawn where it opens: the fourth item hot.
    CDropListBox* list = slope->List();
    list->resize(75, 126);
    list->SelectRow(4);
    const QPixmap open = list->grab();
    auto* shot = new QLabel(sheet);
    shot->setPixmap(open);
    shot->move(x0 + 400, 138);
    shot->resize(open.size());

    // A list with groups, as its header items draw.
    auto* grouped = new CDropListBox(sheet);
    LOGFONT lf;
    lf.lfHeight = 14;
    lf.lfWeight = 400;
    lf.lfFaceName = QStringLiteral("Arial");
    grouped->SetItemFont(lf);
    grouped->AddGroupString(QStringLiteral("USB"), 1, RGB(255, 255, 255), RGB(255, 255, 0));
    grouped->AddGroupString(chinese ? QStringLiteral("设备 1") : QStringLiteral("Device 1"), 1, RGB(200, 200, 200),
                            RGB(255, 255, 0));
    grouped->AddGroupString(QStringLiteral("WIFI"), 2, RGB(255, 200, 120), RGB(255, 255, 0));
    grouped->AddGroupString(QStringLiteral("127.0.0.1"), 2, RGB(200, 200, 200), RGB(255, 255, 0));
    grouped->setGeometry(x0 + 320, 160, 75, 4 * 14);
    grouped->SelectRow(3);

    // The L/R link dialog's radio buttons over the dialog's background, one
    // exclusive pair a language.
    auto* dialog = new QWidget(sheet);
    dialog->setGeometry(x0 + 320, 280, 220, 44);
    auto* left = new CButtonRadio(chinese ? QStringLiteral("从左复制到右") : QStringLiteral("Copy from left to right"), dialog);
    left->setFont(g_fontArial14);
    left->setChecked(true);
    left->adjustSize();
    auto* right = new CButtonRadio(chinese ? QStringLiteral("从右复制到左") : QStringLiteral("Copy from right to left "), dialog);
    right->setFont(g_fontArial14);
    right->move(0, 22);
    right->adjustSize();
    right->SetTextColor(RGB(255, 102, 0));
}

QImage RenderControlKit()
{
    QWidget sheet;
    SetUpReviewSheet(&sheet, 1140, 400);
    BuildColumn(&sheet, 14, true);
    BuildColumn(&sheet, 584, false);
    sheet.show();
    sheet.setFocus();
    return ReviewShot(sheet);
}
}  // namespace

ORVANE_REVIEW_SHEET("control-kit", RenderControlKit);
