#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <QTest>

#include "controls/xSkinButton.h"
#include "model/WindowMessages.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/SysColors.h"
#include "platform/gui/WindowAttributes.h"
#include "tests/common/gui/RecordingWidget.h"
#include "tests/common/gui/WidgetProbe.h"

namespace {

enum : UINT { SKIN_NORMAL = 9801, SKIN_PRESSED, SKIN_HOVER, SKIN_DISABLED, SKIN_FOCUS, SKIN_MASK, SKIN_WHITE_MASK, SKIN_HALVES };
const QColor kSkinParent(227, 228, 238);
const QColor kSkinNormal(200, 0, 0);
const QColor kSkinPressed(0, 150, 0);
const QColor kSkinHover(0, 0, 200);
const QColor kSkinDisabled(120, 120, 120);
const QColor kSkinFocus(220, 200, 0);
const QString kSkinBmp = QStringLiteral("BMP");

// A mask from rows of text: '#' belongs to the button, '.' is white.
QImage SkinMaskOf(const std::vector<const char*>& rows)
{
    QImage mask(int(strlen(rows[0])), int(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            mask.setPixel(x, y, rows[size_t(y)][x] == '#' ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    return mask;
}

class CxSkinButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const auto& [id, colour] : {std::pair{SKIN_NORMAL, kSkinNormal}, {SKIN_PRESSED, kSkinPressed}, {SKIN_HOVER, kSkinHover},
                                         {SKIN_DISABLED, kSkinDisabled}, {SKIN_FOCUS, kSkinFocus}})
            CResourceStore::SetFlatImage(kSkinBmp, id, QSize(40, 20), colour);
        // A 40 x 20 button with its top-left 10 x 5 corner cut out.
        QImage mask(40, 20, QImage::Format_RGB32);
        mask.fill(Qt::black);
        QPainter(&mask).fillRect(0, 0, 10, 5, Qt::white);
        CResourceStore::SetImage(kSkinBmp, SKIN_MASK, mask);
        CResourceStore::SetFlatImage(kSkinBmp, SKIN_WHITE_MASK, QSize(30, 10), Qt::white);
        QImage halves(10, 10, QImage::Format_RGB32);
        halves.fill(kSkinHover);
        QPainter(&halves).fillRect(0, 0, 5, 10, kSkinNormal);
        CResourceStore::SetImage(kSkinBmp, SKIN_HALVES, halves);
        SetFlatBackground(&parent, kSkinParent);
    }
    void TearDown() override { CResourceStore::ClearOverrides(); }

    CxSkinButton* Make(DWORD style, const QPoint& at = QPoint(20, 20))
    {
        auto* button = new CxSkinButton(&parent, style);
        button->move(at);
        button->resize(40, 20);
        button->show();
        return button;
    }
    // The colour the parent shows at a point of the button.
    QColor Shown(CxSkinButton* button, const QPoint& at)
    {
        return QColor(Render(&parent).pixel(button->mapTo(&parent, at)));
    }
    void ShowActive()
    {
        parent.show();
        parent.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&parent));
    }
    static void Press(QWidget* w, const QPoint& at) { SendMouse(w, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton); }
    static void Drag(QWidget* w, const QPoint& at) { SendMouse(w, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton); }
    static void Release(QWidget* w, const QPoint& at) { SendMouse(w, QEvent::MouseButtonRelease, at, Qt::LeftButton); }
    static LRESULT Check(CxSkinButton* b) { return SendMessage(b, BM_GETCHECK, 0, 0); }
    int Clicks(int id)
    {
        int n = 0;
        for (const auto& m : parent.Messages(WM_COMMAND))
            n += LOWORD(m.wParam) == UINT(id) && HIWORD(m.wParam) == BN_CLICKED;
        return n;
    }

    CRecordingWidget parent;
};

TEST_F(CxSkinButtonTest, RegionsAreTheRowRunsOfNonWhitePixels)
{
    EXPECT_FALSE(CxSkinButton::RegionFromBitmap(QImage(), 0xFFFFFF).has_value());
    const auto white = CxSkinButton::RegionFromBitmap(SkinMaskOf({"....", "...."}), 0xFFFFFF);
    ASSERT_TRUE(white.has_value());
    EXPECT_TRUE(white->isEmpty());

    // Runs end at the row's end and never go on into the next row.
    const QImage mask = SkinMaskOf({"..##", "##.#", "#..."});
    const auto region = CxSkinButton::RegionFromBitmap(mask, 0xFFFFFF);
    ASSERT_TRUE(region.has_value());
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            EXPECT_EQ(region->contains(QPoint(x, y)), qRed(mask.pixel(x, y)) == 0) << x << "," << y;
    EXPECT_EQ(region->boundingRect(), QRect(0, 0, 4, 3));
    int area = 0;
    for (const QRect& r : *region)
        area += r.width() * r.height();
    EXPECT_EQ(area, 6);
    // Only the colour counts, not the alpha.
    QImage argb = mask.convertToFormat(QImage::Format_ARGB32);
    argb.setPixel(0, 0, qRgba(255, 255, 255, 10));
    EXPECT_FALSE(CxSkinButton::RegionFromBitmap(argb, 0xFFFFFF)->contains(QPoint(0, 0)));
}

TEST_F(CxSkinButtonTest, AMaskCutsTheWindowAndAWhiteMaskHidesIt)
{
    EXPECT_EQ(CxSkinButton().GetBorder(), 0) << "no edge before a skin";
    CxSkinButton* button = Make(0);
    button->resize(70, 50);
    button->SetSkin(SKIN_NORMAL, SKIN_PRESSED, 0, 0, 0, SKIN_MASK, CxSkinButton::DRAW_COPY, 0, 0);
    EXPECT_EQ(button->size(), QSize(40, 20)) << "copy mode takes the mask's size";
    parent.show();
    EXPECT_EQ(parent.childAt(button->mapTo(&parent, QPoint(3, 2))), nullptr) << "the cut-out is the parent's";
    EXPECT_EQ(parent.childAt(button->mapTo(&parent, QPoint(12, 2))), button);
    EXPECT_EQ(parent.childAt(button->mapTo(&parent, QPoint(3, 8))), button);
    EXPECT_EQ(Shown(button, QPoint(3, 2)), kSkinParent);
    EXPECT_EQ(Shown(button, QPoint(30, 15)), kSkinNormal);

    // White all over: nothing shows and the mouse goes through, until the
    // next skin.
    button->SetSkin(SKIN_NORMAL, SKIN_PRESSED, 0, 0, 0, SKIN_WHITE_MASK, CxSkinButton::DRAW_COPY, 1, 0);
    EXPECT_TRUE(button->IsShapeHidden());
    EXPECT_EQ(button->size(), QSize(30, 10));
    EXPECT_EQ(CountPixels(Render(&parent), kSkinParent, 0, QRect(button->pos(), button->size())), 30 * 10);
    EXPECT_EQ(parent.childAt(button->mapTo(&parent, QPoint(5, 5))), nullptr);
    button->SetSkin(SKIN_NORMAL, SKIN_PRESSED, 0, 0, 0, 0, CxSkinButton::DRAW_STRETCH, 0, 0);
    EXPECT_FALSE(button->IsShapeHidden());
    EXPECT_EQ(parent.childAt(button->mapTo(&parent, QPoint(5, 5))), button);
    EXPECT_EQ(Shown(button, QPoint(1, 1)), kSkinNormal) << "no mask: rectangular";
}

TEST_F(CxSkinButtonTest, FacesByStateAndDrawMode)
{
    ShowActive();
    CxSkinButton* button = Make(0);
    CxSkinButton* other = Make(0, QPoint(100, 100));
    button->SetSkin(SKIN_NORMAL, SKIN_PRESSED, SKIN_HOVER, SKIN_DISABLED, SKIN_FOCUS, 0, CxSkinButton::DRAW_STRETCH, 0, 3);
    const QPoint middle(20, 15);
    EXPECT_EQ(Shown(button, middle), kSkinNormal);
    SendMouse(button, QEvent::MouseMove, middle);
    EXPECT_TRUE(button->IsHover());
    EXPECT_EQ(Shown(button, middle), kSkinHover);
    button->setFocus();
    Press(button, middle);
    EXPECT_FALSE(button->IsHover()) << "a press ends the hover look";
    EXPECT_EQ(Shown(button, middle), kSkinPressed);
    Release(button, middle);
    EXPECT_EQ(Shown(button, middle), kSkinFocus) << "focused, not hovered";
    // The focus frame, margin 3 inside the edge, inverts every other pixel.
    EXPECT_NE(Shown(button, QPoint(3, 3)), kSkinFocus);
    EXPECT_EQ(Shown(button, QPoint(4, 3)), kSkinFocus);
    other->setFocus();
    EXPECT_EQ(Shown(button, middle), kSkinNormal);
    button->setEnabled(false);
    EXPECT_EQ(Shown(button, middle), kSkinDisabled);
    button->SetSkin(SKIN_NORMAL, SKIN_PRESSED, SKIN_HOVER, 0, SKIN_FOCUS, 0, CxSkinButton::DRAW_STRETCH, 0, 3);
    EXPECT_EQ(Shown(button, middle), kSkinNormal) << "no disabled image: the normal one";
    button->setEnabled(true);

    // Without images: the button face, with a raised or sunken edge.
    button->SetSkin(0, 0, 0, 0, 0, 0, CxSkinButton::DRAW_STRETCH, 1, 0);
    EXPECT_EQ(Shown(button, middle), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(Shown(button, QPoint(0, 0)), GetSysColor(COLOR_3DLIGHT));
    SendMessage(other, BM_SETCHECK, 1, 0);  // a push button stays unchecked
    EXPECT_EQ(Check(other), 0);
    SendMessage(button, BM_SETSTATE, 1, 0);
    EXPECT_TRUE(button->isDown());
    EXPECT_EQ(Shown(button, QPoint(0, 0)), GetSysColor(COLOR_3DSHADOW));
    SendMessage(button, BM_SETSTATE, 0, 0);

    // A 10 x 10 image of two halves on the 40 x 20 button.
    const struct {
        short mode;
        QPoint at;
        QColor colour;
    } modes[] = {
        {CxSkinButton::DRAW_STRETCH, {19, 5}, kSkinNormal}, {CxSkinButton::DRAW_STRETCH, {20, 15}, kSkinHover},
        {CxSkinButton::DRAW_COPY, {7, 5}, kSkinHover},      {CxSkinButton::DRAW_COPY, {15, 15}, kSkinParent},
        {CxSkinButton::DRAW_TILE, {12, 15}, kSkinNormal},   {CxSkinButton::DRAW_TILE, {37, 15}, kSkinHover},
        {short(7), {12, 15}, kSkinNormal},  // clamped to tiling
    };
    for (const auto& m : modes) {
        button->SetSkin(SKIN_HALVES, 0, 0, 0, 0, 0, m.mode, 0, 0);
        EXPECT_EQ(Shown(button, m.at), m.colour) << m.mode << " at " << m.at.x() << "," << m.at.y();
    }
}

TEST_F(CxSkinButtonTest, PressTrackingFollowsTheShapeAndRepeats)
{
    ShowActive();
    CxSkinButton* button = Make(0);
    SetDlgCtrlID(button, 2201);
    button->SetSkin(SKIN_NORMAL, SKIN_PRESSED, SKIN_HOVER, 0, 0, SKIN_MASK, CxSkinButton::DRAW_COPY, 0, 0);
    button->EnableRepeat(7);
    button->setFocus();
    Press(button, QPoint(20, 10));
    EXPECT_TRUE(button->isDown());
    EXPECT_TRUE(button->IsPressedFlag());
    // Off the button, back, onto the cut-out, back: the pushed look follows.
    for (const auto& [at, down] : {std::pair{QPoint(60, 10), false}, {QPoint(20, 10), true},
                                   {QPoint(3, 2), false}, {QPoint(25, 12), true}}) {
        Drag(button, at);
        EXPECT_EQ(button->isDown(), down) << at.x() << "," << at.y();
        EXPECT_EQ(Shown(button, QPoint(30, 15)), down ? kSkinPressed : kSkinNormal);
    }
    // Ticks every 200 ms while pressed, then none.
    ASSERT_TRUE(WaitFor([&] { return parent.Messages(WM_OPERATION_DONE).size() >= 2; }));
    Release(button, QPoint(25, 12));
    EXPECT_FALSE(button->IsPressedFlag());
    for (const auto& m : parent.Messages(WM_OPERATION_DONE)) {
        EXPECT_EQ(m.wParam, 2201u);
        EXPECT_EQ(m.lParam, 7);
        EXPECT_FALSE(m.bSent);
    }
    EXPECT_EQ(Clicks(2201), 1);
    parent.Clear();
    QTest::qWait(300);
    EXPECT_TRUE(parent.Messages(WM_OPERATION_DONE).empty());

    // A release off the button clicks nothing; a double click is a second
    // press; losing the focus while pressed ends the press and its repeat.
    Press(button, QPoint(20, 10));
    Drag(button, QPoint(60, 10));
    Release(button, QPoint(60, 10));
    SendMouse(button, QEvent::MouseButtonDblClick, QPoint(20, 10), Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(button->IsPressedFlag());
    EXPECT_TRUE(button->isDown());
    auto* elsewhere = new CxSkinButton(&parent);
    elsewhere->show();
    elsewhere->setFocus();
    EXPECT_FALSE(button->IsPressedFlag());
    parent.Clear();
    QTest::qWait(300);
    EXPECT_TRUE(parent.Messages(WM_OPERATION_DONE).empty());
    EXPECT_EQ(Clicks(2201), 0);
}

TEST_F(CxSkinButtonTest, CheckBoxesToggleAndRadioButtonsUncheckTheirGroup)
{
    ShowActive();
    CxSkinButton* box = Make(BS_AUTOCHECKBOX);
    EXPECT_EQ(box->GetKind(), CxSkinButton::KIND_CHECK);
    EXPECT_EQ(GetWindowStyle(box) & BS_TYPEMASK, DWORD(BS_OWNERDRAW));
    Press(box, QPoint(5, 5));
    Release(box, QPoint(5, 5));
    EXPECT_EQ(Check(box), 1);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_EQ(Check(box), 0);
    EXPECT_EQ(Make(BS_CHECKBOX)->GetKind(), CxSkinButton::KIND_PUSH) << "only the auto styles";
    EXPECT_EQ(Make(BS_RADIOBUTTON)->GetKind(), CxSkinButton::KIND_PUSH);

    // Group 1: three radio buttons and a plain window; group 2: one radio.
    parent.Clear();
    QWidget* first = new QWidget(&parent);
    SetWindowStyle(first, WS_GROUP);
    CxSkinButton* radio[3];
    for (int i = 0; i < 3; ++i)
        radio[i] = Make(BS_AUTORADIOBUTTON, QPoint(10 + 50 * i, 100));
    auto* plain = new QWidget(&parent);
    CxSkinButton* apart = Make(BS_AUTORADIOBUTTON | WS_GROUP, QPoint(10, 150));
    SetWindowStyle(apart, WS_GROUP);
    (void)plain;
    SendMessage(apart, BM_SETCHECK, 1, 0);
    const auto deliver = [&] {
        for (CxSkinButton* b : {radio[0], radio[1], radio[2], apart})
            b->DeliverPosted();
    };
    for (CxSkinButton* b : radio) {
        SendMessage(b, BM_SETCHECK, 1, 0);
        deliver();
    }
    EXPECT_EQ(Check(radio[0]) + Check(radio[1]) + Check(radio[2]), 1);
    Press(radio[1], QPoint(5, 5));
    Release(radio[1], QPoint(5, 5));
    deliver();
    EXPECT_EQ(Check(radio[0]), 0);
    EXPECT_EQ(Check(radio[1]), 1);
    EXPECT_EQ(Check(radio[2]), 0);
    EXPECT_EQ(Check(apart), 1) << "another group";

    // A checked radio button outside the walk (hidden) still ends it.
    radio[1]->hide();
    SendMessage(radio[1], BM_SETCHECK, 1, 0);
    deliver();
    EXPECT_EQ(Check(radio[1]), 1);
    radio[0]->ResetState();
    EXPECT_EQ(Check(radio[0]), 0);
}

}  // namespace
