// The "kit-periphery" sheet: the controls no page of the editor places yet,
// as a user would meet them. Skinned region buttons (an elliptic mask) in
// their normal, hovered, pushed, checked and disabled looks; the flat drop
// button, closed and open with its list; the hyperlink label idle and
// hovered. Chinese on the left, English on the right.
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "app/GlobalObjects.h"
#include "controls/DropBtn.h"
#include "controls/DropListBox.h"
#include "controls/HyLink.h"
#include "controls/xSkinButton.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/WindowAttributes.h"
#include "tools/toolkit_review/ReviewSheet.h"
#include "tools/toolkit_review/ReviewWidgets.h"

namespace {
enum : UINT { FACE = 9901, FACE_PRESSED, FACE_HOVER, FACE_DISABLED, MASK };
const QSize kButton(96, 40);

// A face: a vertical gradient with a light rim, the shape the mask gives.
QImage Face(const QColor& top, const QColor& bottom)
{
    QImage image(kButton, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 0, kButton.height());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    painter.fillRect(image.rect(), gradient);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(top.lighter(140), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(1, 1, kButton.width() - 2, kButton.height() - 2));
    return image;
}

void PutSkins()
{
    CResourceStore::SetImage(QStringLiteral("BMP"), FACE, Face(QColor(90, 120, 170), QColor(40, 60, 100)));
    CResourceStore::SetImage(QStringLiteral("BMP"), FACE_PRESSED, Face(QColor(30, 45, 80), QColor(70, 100, 150)));
    CResourceStore::SetImage(QStringLiteral("BMP"), FACE_HOVER, Face(QColor(120, 160, 220), QColor(60, 90, 140)));
    CResourceStore::SetImage(QStringLiteral("BMP"), FACE_DISABLED, Face(QColor(170, 170, 175), QColor(130, 130, 135)));
    QImage mask(kButton, QImage::Format_RGB32);
    mask.fill(Qt::white);
    QPainter painter(&mask);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawEllipse(QRect(QPoint(0, 0), kButton));
    CResourceStore::SetImage(QStringLiteral("BMP"), MASK, mask);
}

void Move(QWidget* w, QPoint p)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(p), w->mapToGlobal(QPointF(p)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
}

void Enter(QWidget* w)
{
    QEnterEvent enter(QPointF(4, 4), QPointF(4, 4), w->mapToGlobal(QPointF(4, 4)));
    QCoreApplication::sendEvent(w, &enter);
}

void BuildColumn(QWidget* sheet, int x0, bool chinese)
{
    const auto text = [chinese](const char* cn, const char* en) {
        return chinese ? QString::fromUtf8(cn) : QString::fromUtf8(en);
    };
    ReviewCaption(sheet, text("不规则皮肤按钮：常态、悬停、按下、选中、禁用", "region buttons: normal, hover, pushed, checked, disabled"),
                  x0, 10);
    const char* captions[][2] = {{"播放", "Play"}, {"暂停", "Pause"}, {"停止", "Stop"}, {"循环", "Loop"}, {"录音", "Record"}};
    for (int i = 0; i < 5; ++i) {
        auto* button = new CxSkinButton(sheet, i == 3 ? DWORD(BS_AUTOCHECKBOX) : DWORD(BS_PUSHBUTTON));
        button->move(x0 + i * 104, 32);
        button->setText(text(captions[i][0], captions[i][1]));
        button->SetSkin(FACE, FACE_PRESSED, FACE_HOVER, FACE_DISABLED, 0, MASK, CxSkinButton::DRAW_COPY, 0, 0);
        button->SetTextColor(RGB(255, 255, 255));
        if (i == 1)
            Move(button, QPoint(48, 20));
        if (i == 2)
            SendMessage(button, BM_SETSTATE, 1, 0);
        if (i == 3)
            SendMessage(button, BM_SETCHECK, 1, 0);
        if (i == 4)
            button->setEnabled(false);
    }
    // Without a skin: the button face and its raised edge.
    auto* plain = new CxSkinButton(sheet);
    plain->setGeometry(x0, 82, 96, 28);
    plain->setText(text("默认", "Default"));
    plain->SetSkin(0, 0, 0, 0, 0, 0, CxSkinButton::DRAW_STRETCH, 1, 0);

    ReviewCaption(sheet, text("下拉按钮：关闭、悬停、打开", "drop button: closed, hovered, open"), x0, 124);
    const QStringList items = chinese ? QStringList{QStringLiteral("林克-锐"), QStringLiteral("巴特沃斯"),
                                                   QStringLiteral("贝塞尔"), QStringLiteral("关闭")}
                                      : QStringList{QStringLiteral("Link_Ril"), QStringLiteral("Butter_W"),
                                                    QStringLiteral("Bessel"), QStringLiteral("OFF")};
    for (int i = 0; i < 3; ++i) {
        auto* drop = new CDropBtn(sheet);
        drop->setGeometry(x0 + i * 130, 146, 110, 22);
        drop->Setup(1, COLORREF(-1), COLORREF(-1), COLORREF(-1), COLORREF(-1), nullptr);
        for (const QString& item : items)
            drop->List()->AddString(item);
        drop->setText(items[size_t(i)]);
        if (i == 1)
            Enter(drop);
        if (i == 2) {
            // The open list, drawn where it opens: the third item hot.
            CDropListBox* list = drop->List();
            list->resize(110, items.size() * list->GetItemHeight());
            list->SelectRow(2);
            auto* shot = new QLabel(sheet);
            shot->setPixmap(list->grab());
            shot->move(drop->x(), drop->y() + drop->height() - 1);
            shot->adjustSize();
        }
    }

    ReviewCaption(sheet, text("超链接标签：常态、悬停", "hyperlink label: idle, hovered"), x0, 250);
    for (int i = 0; i < 2; ++i) {
        auto* link = new CHyLink(sheet);
        link->setGeometry(x0 + i * 260, 272, 240, 20);
        link->setFont(g_fontArial15);
        SetWindowStyle(link, SS_NOTIFY | SS_CENTERIMAGE);
        link->SetWindowText(QStringLiteral("http://127.0.0.1/orvane/7734"));
        if (i == 1)
            Enter(link);
    }
}

QImage RenderKitPeriphery()
{
    PutSkins();
    QWidget sheet;
    SetUpReviewSheet(&sheet, 1120, 310);
    BuildColumn(&sheet, 14, true);
    BuildColumn(&sheet, 574, false);
    const QImage image = ReviewShot(sheet);
    CResourceStore::ClearOverrides();
    return image;
}
}  // namespace

ORVANE_REVIEW_SHEET("kit-periphery", RenderKitPeriphery);
