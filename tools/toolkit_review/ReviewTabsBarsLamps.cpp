// The "tabs-bars-lamps" sheet: the second part of the control kit as a user sees
// it, in Chinese and in English: the view's tab control (empty, as the view
// sets it up) and tab controls with items, progress bars, the link lamp in
// its states, level lamps, On/Off indicators, group boxes, the filtered
// edits and the colour menu.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>

#include "app/GlobalObjects.h"
#include "controls/ChEnEdit.h"
#include "controls/ColorMenu.h"
#include "controls/EnTabCtrl.h"
#include "controls/GradientProgressCtrl.h"
#include "controls/MuteStatic.h"
#include "controls/PassWordEdit.h"
#include "controls/SLamp.h"
#include "controls/Show_Link.h"
#include "controls/SxGroupBox.h"
#include "model/SharedTexts.h"
#include "platform/core/Language.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/Fonts.h"
#include "platform/gui/LogFont.h"
#include "platform/gui/WindowAttributes.h"
#include "tools/toolkit_review/ReviewSheet.h"
#include "tools/toolkit_review/ReviewWidgets.h"

namespace {
// Text typed as a keyboard sends it.
void TypeText(QLineEdit& edit, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
    QApplication::sendEvent(&edit, &press);
}

void PasteWithKeys(QLineEdit& edit, const QString& text)
{
    QApplication::clipboard()->setText(text);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
    QApplication::sendEvent(&edit, &press);
}

// A tab control with five items: the view's look flags, item 1 selected.
CEnTabCtrl* TabsWithItems(QWidget* parent, bool chinese, int type)
{
    auto* tabs = new CEnTabCtrl(parent);
    tabs->SetBkgndColor(RGB(227, 228, 238));
    tabs->EnableDraw(type);
    const char* en[] = {"Output", "Input Mix", "Master", "Spare", "A tab with a long caption"};
    const char* cn[] = {"输出", "输入混音", "总音量", "备用", "一个标题很长的选项卡"};
    for (int i = 0; i < 5; ++i)
        tabs->InsertItem(i, QString::fromUtf8(chinese ? cn[i] : en[i]));
    tabs->SetCurSel(1);
    return tabs;
}

void BuildColumn(QWidget* sheet, int x0, bool chinese)
{
    g_bChinese = chinese;
    ReviewCaption(sheet, chinese ? QStringLiteral("中文") : QStringLiteral("English"), x0, 4)->setFont(g_fontArial16Bold);

    // Tabs: the view's empty control, then items in draw types 2 and 0.
    ReviewCaption(sheet, QStringLiteral("CEnTabCtrl 0x1F, type 2, no items / items / type 0"), x0, 28);
    auto* empty = new CEnTabCtrl(sheet);
    empty->setGeometry(x0, 46, 180, 90);
    empty->SetBkgndColor(RGB(227, 228, 238));
    empty->EnableDraw(2);
    auto* items = TabsWithItems(sheet, chinese, 2);
    items->setGeometry(x0 + 190, 46, 400, 90);
    auto* styled = TabsWithItems(sheet, chinese, 0);
    styled->setGeometry(x0, 142, 400, 70);

    // Progress bars.
    ReviewCaption(sheet, QStringLiteral("CGradientProgressCtrl 0 / 20 / 55 / 100 %, percent, vertical"), x0, 218);
    const int positions[] = {0, 20, 55, 100};
    for (int i = 0; i < 4; ++i) {
        auto* bar = new CGradientProgressCtrl(sheet);
        bar->setGeometry(x0, 236 + i * 20, 300, 14);
        bar->SetBkColor(RGB(128, 128, 128));
        bar->SetPos(positions[i]);
    }
    auto* update = new CGradientProgressCtrl(sheet);
    update->setGeometry(x0 + 310, 236, 250, 22);
    update->ShowPercent(true);
    update->SetRange(0, 110);
    update->SetPos(37);
    auto* full = new CGradientProgressCtrl(sheet);
    full->setGeometry(x0 + 310, 264, 250, 22);
    full->ShowPercent(true);
    full->SetPos(100);
    auto* vertical = new CGradientProgressCtrl(sheet);
    SetWindowStyle(vertical, PBS_VERTICAL);
    vertical->setGeometry(x0 + 570, 236, 16, 76);
    vertical->SetPos(60);

    // The link lamp: not linked, blinking red, linked.
    ReviewCaption(sheet, QStringLiteral("CShow_Link: normal / blink phase 1 / linked"), x0, 320);
    static QFont lampFont = *CreateFont(16, FW_NORMAL);
    for (int i = 0; i < 3; ++i) {
        auto* lamp = new CShow_Link(sheet);
        lamp->setGeometry(x0 + i * 196, 338, 188, 26);
        lamp->SetTextFont(&lampFont);
        const bool linked = i == 2;
        lamp->SetText(linked ? (chinese ? g_strConnectedCn : g_strConnectedEn)
                             : (chinese ? g_strNotConnectedCn : g_strNotConnectedEn));
        if (i == 1) {
            lamp->StartBlink();
            lamp->OnTimer(CShow_Link::TIMER_BLINK);
        }
    }

    // Level lamps and On/Off indicators.
    ReviewCaption(sheet, QStringLiteral("CSLamp 0x05 / 0x69 / 0x79 / 0x0A after 0x79; CMuteStatic On / OFF"), x0, 370);
    const BYTE levels[] = {0x05, 0x69, 0x79, 0x0A};
    for (int i = 0; i < 4; ++i) {
        auto* lamp = new CSLamp(sheet);
        lamp->setGeometry(x0, 388 + i * 16, 130, 12);
        lamp->CalcLayout();
        if (i == 3)
            lamp->SetLevel(0x79);
        lamp->SetLevel(levels[i]);
    }
    for (int i = 0; i < 2; ++i) {
        auto* mute = new CMuteStatic(sheet);
        mute->setGeometry(x0 + 150 + i * 70, 392, 60, 26);
        mute->SetLanguage(chinese);
        mute->SetState(i == 0);
    }

    // Group boxes: the update dialog's two, and centre and right captions.
    ReviewCaption(sheet, QStringLiteral("CSxGroupBox: left, centre, right, double, disabled"), x0, 456);
    auto* file = new CSxGroupBox(sheet);
    file->setGeometry(x0, 474, 180, 60);
    file->SetText(chinese ? QStringLiteral("Hex文件") : QStringLiteral("Update File"), false);
    auto* port = new CSxGroupBox(sheet);
    port->setGeometry(x0 + 190, 474, 200, 60);
    port->SetText(chinese ? QStringLiteral("通信接口") : QStringLiteral("Communication interface"), false);
    port->SetAlignment(CSxGroupBox::ALIGN_CENTER);
    auto* right = new CSxGroupBox(sheet);
    right->setGeometry(x0 + 400, 474, 210, 60);
    right->SetText(chinese ? QStringLiteral("限幅器") : QStringLiteral("CH1  Limiter &&Compression"), false);
    right->SetAlignment(CSxGroupBox::ALIGN_RIGHT);
    auto* twice = new CSxGroupBox(sheet);
    twice->setGeometry(x0, 540, 180, 50);
    twice->SetText(QStringLiteral("Double"), false);
    twice->SetFrameStyle(CSxGroupBox::FRAME_DOUBLE);
    twice->SetCaptionTextColor(RGB(0, 0, 160), false);
    auto* off = new CSxGroupBox(sheet);
    off->setGeometry(x0 + 190, 540, 200, 50);
    off->SetText(QStringLiteral("Disabled"), false);
    off->setEnabled(false);

    // The preset-name field (double-byte refused) and a mixed field, the
    // password edit, the colour menu.
    ReviewCaption(sheet, QStringLiteral("CChEnEdit refused / allowed (\"a\" then 中); CPassWordEdit; CColorMenu"), x0, 598);
    auto* name = new CChEnEdit(sheet);
    name->setGeometry(x0, 616, 150, 24);
    name->SetAllowDoubleByte(false);
    name->LimitText(13);
    TypeText(*name, QStringLiteral("Room"));
    TypeText(*name, QStringLiteral("中"));
    PasteWithKeys(*name, QStringLiteral("_1包"));
    auto* mixed = new CChEnEdit(sheet);
    mixed->setGeometry(x0 + 160, 616, 150, 24);
    TypeText(*mixed, QStringLiteral("a"));
    TypeText(*mixed, QStringLiteral("中"));
    TypeText(*mixed, QStringLiteral("b"));
    auto* password = new CPassWordEdit(sheet);
    password->setGeometry(x0 + 320, 616, 100, 24);
    password->setEchoMode(QLineEdit::Password);
    password->setAlignment(Qt::AlignCenter);
    for (const QString& c : {QStringLiteral("1"), QStringLiteral("-"), QStringLiteral("a"), QStringLiteral("_")})
        TypeText(*password, c);

    CColorMenu menu;
    for (int i = 0; i < 3; ++i) {
        QAction* action = menu.addAction(QStringLiteral("colour %1").arg(i));
        CColorMenu::SetOwnerDraw(action, true);
    }
    menu.addAction(chinese ? QStringLiteral("普通项") : QStringLiteral("Plain item"));
    menu.setActiveAction(menu.actions().at(1));
    menu.resize(menu.sizeHint());
    auto* shot = new QLabel(sheet);
    shot->setPixmap(menu.grab());
    shot->move(x0 + 430, 600);
    shot->adjustSize();
}

QImage RenderTabsBarsLamps()
{
    QWidget sheet;
    SetUpReviewSheet(&sheet, 1240, 720);
    BuildColumn(&sheet, 10, true);
    BuildColumn(&sheet, 630, false);
    g_bChinese = false;
    CEnTabCtrl::SetLookFlags(true, 0x1F);
    return ReviewShot(sheet);
}
}  // namespace

ORVANE_REVIEW_SHEET("tabs-bars-lamps", RenderTabsBarsLamps);
